// Writes that fail part-way (a full disk, a failing device) end in an error and leave the table
// readable, with nothing half-written that a reader would take for data.

#include <gtest/gtest.h>

#include <cstring>

#include "engine/engine.h"
#include "platform/error_codes.h"
#include "platform/file.h"
#include "tests/support/test_support.h"

namespace vornelle::engine {
namespace {

using testing::RaisedMessage;
using testing::ReadFileBytes;

class Faults : public testing::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    path_ = dir_.File("f.dbf");
    CreateDbf(path_, {{"KEY", 'C', 8, 0}, {"NOTE", 'M', 10, 0}});
    USE(path_);
    for (const char* key : {"one", "two"}) Add(key);
  }
  void TearDown() override {
    platform::faults::Clear();
    EngineTest::TearDown();
  }
  void Add(const std::string& key) {
    ClearRecord();
    std::memcpy(FieldAddress(1) + 1, key.data(), key.size());
    ASSERT_TRUE(ALock());
    Append();
    Unlock();
  }
  std::string path_;
};

TEST_F(Faults, AppendCutShortLeavesTheTableAsItWas) {
  std::size_t before = ReadFileBytes(path_).size();
  platform::faults::FailNthWrite(1, platform::kDiskFull, 7);
  std::string message = RaisedMessage([&] { Add("three"); });
  EXPECT_EQ(message, "Error # 101 (Disk write error (probable cause: Disk Full).)\r\nFile:  " +
                         path_ + " [Replace/Append/PutDbfRecord]");
  Unlock();
  EXPECT_EQ(ReadFileBytes(path_).size(), before);  // the part-record is cut, not counted
  EXPECT_EQ(RecCount(), 2);
  CloseAll();
  USE(path_);
  EXPECT_EQ(RecCount(), 2);
  GoBottom();
  EXPECT_EQ(std::string(FieldAddress(1) + 1, 3), "two");
  EXPECT_EQ(ReadFileBytes(path_).back(), '\x1A');
}

TEST_F(Faults, MemoWriteCutShortIsNotStored) {
  platform::faults::FailNthWrite(1, platform::kDiskFull, 3);
  SetAutoCheck(false);
  EXPECT_EQ(WriteMemoValue("a longer text", false), 0);
  EXPECT_EQ(LastError(), platform::kDiskFull);
  SetAutoCheck(true);
  int32_t block = WriteMemoValue("next", false);
  EXPECT_GT(block, 0);
  EXPECT_EQ(ReadMemoValue(block, false), "next");
}

TEST_F(Faults, FailedMemoFlushIsReported) {
  platform::faults::FailNthFlush(1, platform::kWriteFault);
  EXPECT_EQ(RaisedMessage([] { WriteMemoValue("text", false); }),
            "Error # 29 (Device write fault)\r\nUnable to flush file [FlushFile]");
}

TEST_F(Faults, FailedReadReportsTheRecord) {
  platform::faults::FailNthRead(1, platform::kReadFault);
  EXPECT_EQ(RaisedMessage([] { Go(1); }),
            "Error # 30 (Device read fault)\r\nFile:  " + path_ + "  [GetDbfRecord]");
}

TEST_F(Faults, HeaderRewriteFailureIsReported) {
  Go(1);
  ASSERT_TRUE(RLock());
  Replace();
  platform::faults::FailNthWrite(1, platform::kWriteFault);
  EXPECT_EQ(RaisedMessage([] { CloseArea(); }),
            "Error # 29 (Device write fault)\r\nFile:  " + path_ + " [CloseDbf(" + path_ + ")]");
  EXPECT_EQ(Current(), nullptr);  // the area is closed all the same
  USE(path_);
  EXPECT_EQ(RecCount(), 2);
}

}  // namespace
}  // namespace vornelle::engine
