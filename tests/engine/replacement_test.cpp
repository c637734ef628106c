// A table replaced while others have it open: writes into the put-aside files are refused,
// readers open the old pair or the new and never one of each, a table held deny-all is not
// replaced, and a shared append is counted in the header at once.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "engine/table_replace.h"
#include "tests/support/test_support.h"
#include "tests/support/themes.h"

namespace vornelle::engine {
namespace {

namespace fs = std::filesystem;
using testing::RaisedMessage;
using testing::ReadFileBytes;
using testing::ThemeRecord;

class Replacement : public testing::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    table_ = dir_.File("th.dbf");
    testing::WriteTheme(table_, Records('A', 3));
  }

  // Records whose keys and messages all carry `version`: "A001" / "A001 ...", so that a table
  // read beside another version's memo file shows.
  static std::vector<ThemeRecord> Records(char version, int count, std::size_t length = 10) {
    std::vector<ThemeRecord> records;
    for (int i = 1; i <= count; ++i) {
      std::string key = std::string(1, version) + (i < 10 ? "00" : i < 100 ? "0" : "") + std::to_string(i);
      records.push_back({key, key + std::string(length, version)});
    }
    return records;
  }

  // Puts a theme of `records` in place of th.dbf, as an import does.
  void Replace(const std::vector<ThemeRecord>& records) {
    const std::string folder = dir_.File(".new");
    fs::create_directory(folder);
    testing::WriteTheme(folder + "/th.dbf", records);
    ASSERT_TRUE(ReplaceTable({table_, folder + "/th.dbf", folder + "/th.dbt", table_.substr(0, table_.size() - 3) + "dbt"}));
  }

  std::string table_;
};

TEST_F(Replacement, WritesIntoAReplacedTableAreRefused) {
  struct Write {
    const char* name;
    std::function<void()> write;
  };
  const std::vector<Write> writes = {
      {"REPLACE", [] { Go(1); ASSERT_TRUE(RLock()); vornelle::engine::Replace(); }},
      {"APPEND", [] { ASSERT_TRUE(ALock()); Append(); }},
      {"DeleteRec", [] { Go(2); ASSERT_TRUE(RLock()); DeleteRec(); }},
      {"RecallRec", [] { Go(2); ASSERT_TRUE(RLock()); RecallRec(); }},
      {"Poke", [] { Go(1); ASSERT_TRUE(RLock()); Poke("Z", 1, 1); }},
      {"CreateBlobDescriptor", [] { WriteMemoValue("lost?", true); }},
  };
  for (const Write& w : writes) {
    SCOPED_TRACE(w.name);
    testing::WriteTheme(table_, Records('A', 3));
    USE(table_);
    EXPECT_FALSE(TableReplaced());
    Replace(Records('B', 2));
    EXPECT_TRUE(TableReplaced());
    const std::string replaced = ReadFileBytes(table_), memo = ReadFileBytes(dir_.File("th.dbt"));
    EXPECT_EQ(RaisedMessage(w.write), "Error # 1301 (Table replaced since it was opened)\r\n" + table_ +
                                          " was replaced by another program since it was opened; nothing was "
                                          "written [" + w.name + "]");
    Unlock();
    CloseArea();
    EXPECT_EQ(ReadFileBytes(table_), replaced);
    EXPECT_EQ(ReadFileBytes(dir_.File("th.dbt")), memo);
  }
}

TEST_F(Replacement, ATableHeldForOneProgramAloneIsNotReplaced) {
  USE(table_ + " EXCLUSIVE");
  const std::string before = ReadFileBytes(table_);
  const std::string folder = dir_.File(".new");
  fs::create_directory(folder);
  testing::WriteTheme(folder + "/th.dbf", Records('B', 2));
  EXPECT_EQ(testing::ContextOf(RaisedMessage([&] {
              ReplaceTable({table_, folder + "/th.dbf", folder + "/th.dbt", dir_.File("th.dbt")});
            })),
            table_ + " is open for another program's use alone; it was not replaced [ReplaceTable]");
  EXPECT_EQ(ReadFileBytes(table_), before);
  EXPECT_FALSE(ReplacementPending(table_));
}

TEST_F(Replacement, ASharedAppendIsCountedInTheHeaderAtOnce) {
  USE(table_);
  ASSERT_TRUE(ALock());
  ClearRecord();
  std::memcpy(FieldAddress(1) + 1, "0103", 4);
  Append();
  Unlock();
  // Before the table is closed, as another program (or one after a kill) reads it.
  const std::string bytes = ReadFileBytes(table_);
  uint32_t counted = 0;
  std::memcpy(&counted, bytes.data() + 4, 4);
  EXPECT_EQ(counted, 4u);
  EXPECT_EQ(bytes.back(), '\x1A');
  // A filter that passes none of the records the header counted before finds the new one.
  Select(2);
  USE(table_ + " ALIAS OTHER");
  SetFilterRoutine([](void*, int) { return std::string(FieldAddress(1) + 1, 4) == "0103"; }, nullptr);
  GoTop();
  EXPECT_EQ(RecNo(), 4);
  Skip(-1);
  EXPECT_TRUE(dBOF());
}

// A replacer (a second process) puts versions A and B of the table in place in turn while this
// process opens the table and reads every record with its memo value: each open must read one
// version whole. Memo values of the versions differ in length, so a table read beside the other
// version's memo file reads other text, or fails.
TEST_F(Replacement, ReadersOpenTheOldPairOrTheNewNeverOneOfEach) {
  const std::vector<ThemeRecord> versions[2] = {Records('A', 40, 10), Records('B', 40, 700)};
  // Memory-backed where there is such a folder: each replacement syncs, and a disk makes the
  // rounds few.
  const testing::TempDir fast("/dev/shm");
  table_ = fast.File("th.dbf");
  testing::WriteTheme(table_, versions[0]);
  const std::string folder = fast.File(".new");
  fs::create_directory(folder);
  for (int v = 0; v < 2; ++v) testing::WriteTheme(folder + "/" + "AB"[v] + ".dbf", versions[v]);
  const pid_t replacer = fork();
  ASSERT_GE(replacer, 0);
  if (replacer == 0) {
    for (int round = 0; round < 4000; ++round) {
      const std::string from = folder + "/" + "AB"[round % 2];
      fs::copy_file(from + ".dbf", folder + "/th.dbf", fs::copy_options::overwrite_existing);
      fs::copy_file(from + ".dbt", folder + "/th.dbt", fs::copy_options::overwrite_existing);
      if (!ReplaceTable({table_, folder + "/th.dbf", folder + "/th.dbt", fast.File("th.dbt")})) _exit(1);
    }
    _exit(0);
  }
  int opens = 0, mixed = 0;
  std::string first_mix;
  int status = 0;
  while (waitpid(replacer, &status, WNOHANG) == 0) {
    ++opens;
    try {
      USE(table_);
      for (int32_t n = 1; n <= RecCount(); ++n) {
        Go(n);
        const std::string key(FieldAddress(1) + 1, 4);
        int32_t block = 0;
        std::memcpy(&block, FieldAddress(2), 4);
        const std::string text = ReadMemoValue(block, true);
        if (text.compare(0, 4, key) != 0 || text.size() != (key[0] == 'A' ? 14u : 704u)) {
          ++mixed;
          if (first_mix.empty()) first_mix = key + " read " + text.substr(0, 8);
          break;
        }
      }
    } catch (const ETavrinError& e) {
      ++mixed;
      if (first_mix.empty()) first_mix = e.what();
    }
    CloseArea();
  }
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(mixed, 0) << "of " << opens << " opens; the first: " << first_mix;
  EXPECT_GT(opens, 50);
}

}  // namespace
}  // namespace vornelle::engine
