// Memo values as streams: reading, writing, emptying, code pages, values that end at their
// end mark, and the block number the record buffer keeps.

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "engine/engine.h"
#include "framework/data_link.h"
#include "framework/errors.h"
#include "framework/field_types.h"
#include "platform/exception.h"
#include "tests/dataset/writing_fixture.h"
#include "tests/support/peer.h"

namespace vornelle::dataset {
namespace {

using framework::bmRead;
using framework::bmReadWrite;
using framework::bmWrite;

class MemoStreams : public testing::DatasetTest {
 protected:
  void TearDown() override {
    platform::faults::Clear();
    platform::SetExceptionHandler(nullptr);
    DatasetTest::TearDown();
  }
  // Whether another program could write a memo value of `path` now: the memo file lock is free.
  static bool MemoLockFree(const std::string& path) {
    return testing::Peer(LOCK_PEER_PATH, {"mlock", path}).Line() == "1";
  }
  // The messages of the exceptions that went to the application's handler.
  static std::vector<std::string>& Handled() {
    static std::vector<std::string> handled;
    return handled;
  }
  static void CatchHandled() {
    Handled().clear();
    platform::SetExceptionHandler([](const std::exception& e) { Handled().emplace_back(e.what()); });
  }
  static int32_t StoredBlock(TZuViv& table) {
    table.SelectWorkArea("test");
    int32_t block = 0;
    std::memcpy(&block, engine::FieldAddress(2), 4);
    return block;
  }
};

TEST_F(MemoStreams, ReadStreamGivesTheValueInAnsi) {
  auto table = Open(MakeTheme("t.dbf", {{"0101", "B\xfcro\r\nzwei"}}));
  auto stream = table->CreateBlobStream(table->FieldByName("THEJOKE"), bmRead);
  EXPECT_EQ(stream->ReadAll(), "B\xfcro\r\nzwei");
  stream.reset();
  EXPECT_EQ(table->FieldByName("THEJOKE").AsString(), "B\xfcro\r\nzwei");
  EXPECT_EQ(table->State(), framework::dsBrowse);  // reading changes nothing
}

TEST_F(MemoStreams, AssignedTextIsStoredInOemAndReadBackInAnsi) {
  auto table = Open(MakeTheme("t.dbf", {{"0101", "old"}}));
  const int32_t old_block = StoredBlock(*table);
  table->Edit();
  table->FieldByName("THEJOKE").SetAsString("Gr\xfc\xdf" "e");
  table->Post();
  EXPECT_NE(StoredBlock(*table), old_block);
  EXPECT_NE(testing::ReadFileBytes(dir_.File("t.dbt")).find("Gr\x81\xe1" "e"), std::string::npos);
  EXPECT_EQ(table->FieldByName("THEJOKE").AsString(), "Gr\xfc\xdf" "e");
  EXPECT_EQ(Joke(*table), (std::vector<std::string>{"Gr\xfc\xdf" "e"}));
}

TEST_F(MemoStreams, BinaryValuesAreStoredUnchanged) {
  auto table = Open(MakeTheme("t.dbf", {{"0101", "old"}}));
  const std::string binary("\x01\x02\xfc\x00\x81\xff", 6);
  table->Edit();
  table->FieldByName("THEJOKE").SetAsString(binary);
  table->Post();
  EXPECT_NE(testing::ReadFileBytes(dir_.File("t.dbt")).find(binary), std::string::npos);
  EXPECT_EQ(table->FieldByName("THEJOKE").AsString(), binary);
}

TEST_F(MemoStreams, EmptyWriteEmptiesTheFieldAndTellsTheControls) {
  auto table = Open(MakeTheme("t.dbf", {{"0101", "old"}}));
  int changes = 0;
  table->FieldByName("THEJOKE").OnChange = [&](framework::TField&) { ++changes; };
  table->Edit();
  table->CreateBlobStream(table->FieldByName("THEJOKE"), bmWrite).reset();
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(table->Modified());
  table->Post();
  EXPECT_EQ(StoredBlock(*table), 0);
  EXPECT_TRUE(Joke(*table).empty());
}

TEST_F(MemoStreams, WriteOutsideEditingPutsTheDatasetIntoEditState) {
  auto table = Open(MakeTheme("t.dbf", {{"0101", "old"}}));
  {
    auto stream = table->CreateBlobStream(table->FieldByName("THEJOKE"), bmWrite);
    stream->WriteAll("new text");
  }
  EXPECT_EQ(table->State(), framework::dsEdit);
  table->Post();  // the new block survives the re-read that editing does
  EXPECT_EQ(table->FieldByName("THEJOKE").AsString(), "new text");
}

TEST_F(MemoStreams, ReadWriteStreamKeepsTheNewBlockUntilThePost) {
  auto table = Open(MakeTheme("t.dbf", {{"0101", "old"}}));
  const int32_t old_block = StoredBlock(*table);
  table->Edit();
  {
    auto stream = table->CreateBlobStream(table->FieldByName("THEJOKE"), bmReadWrite);
    stream->WriteAll("replacement");
  }
  EXPECT_EQ(StoredBlock(*table), old_block);  // the engine's record is unchanged so far
  table->Post();
  table->Refresh();
  EXPECT_EQ(table->FieldByName("THEJOKE").AsString(), "replacement");
}

// The engine keeps one memo descriptor per table: a second stream opened over a value being
// written is refused, and the value written goes on whole.
TEST_F(MemoStreams, ASecondStreamOverAValueBeingWrittenIsRefused) {
  for (const auto second : {bmRead, bmWrite}) {
    auto table = Open(MakeTheme("t.dbf", {{"0101", "old"}}));
    table->Edit();
    auto writer = table->CreateBlobStream(table->FieldByName("THEJOKE"), bmWrite);
    writer->WriteAll("first part ");
    EXPECT_NE(testing::RaisedMessage([&] { table->CreateBlobStream(table->FieldByName("THEJOKE"), second); })
                  .find("Error # 1103 (Invalid Operation )"),
              std::string::npos);
    writer->WriteAll("second");
    writer.reset();
    table->Post();
    EXPECT_EQ(table->FieldByName("THEJOKE").AsString(), "first part second");
    // The next value goes after it, not over it.
    table->Edit();
    table->FieldByName("THEJOKE").SetAsString("third");
    table->Post();
    table->Close();
    EXPECT_NE(testing::ReadFileBytes(dir_.File("t.dbt")).find("first part second"), std::string::npos);
  }
}

TEST_F(MemoStreams, ReadWriteStreamWithNothingWrittenKeepsTheValue) {
  auto table = Open(MakeTheme("t.dbf", {{"0101", "old"}}));
  table->Edit();
  table->CreateBlobStream(table->FieldByName("THEJOKE"), bmReadWrite).reset();
  table->Post();
  EXPECT_EQ(Joke(*table), std::vector<std::string>{"old"});
}

// Whichever write of an assignment fails (the text, the value's header, the memo file header's
// upkeep, the flush), the assignment fails, the field keeps its value whole, and the memo file
// lock is given back. Writes past the last one fail nothing: the assignment stores the value.
TEST_F(MemoStreams, AnAssignmentThatCannotBeStoredWholeFailsAndKeepsTheOldValue) {
  const std::string path = MakeTheme("t.dbf", {{"0101", "old"}});
  int failed = 0;
  for (int nth = 0; nth <= 8; ++nth) {
    SCOPED_TRACE(nth == 0 ? "the flush" : "write " + std::to_string(nth));
    auto table = Open(path);
    table->Edit();
    if (nth == 0)
      platform::faults::FailNthFlush(1, 29);
    else
      platform::faults::FailNthWrite(nth, 29);
    const std::string failure =
        testing::FailureOf([&] { table->FieldByName("THEJOKE").SetAsString("new text"); });
    platform::faults::Clear();
    const std::string expected = failure.empty() ? "new text" : "old";
    failed += !failure.empty();
    EXPECT_EQ(table->FieldByName("THEJOKE").AsString(), expected);
    table->Post();
    EXPECT_EQ(Joke(*table), std::vector<std::string>{expected});
    EXPECT_TRUE(MemoLockFree(path));
    if (failure.empty()) {  // the next row starts from the old value again
      table->Edit();
      table->FieldByName("THEJOKE").SetAsString("old");
      table->Post();
    }
  }
  EXPECT_GE(failed, 4);
}

// A write stream used outside editing puts the dataset into edit state when it ends; the value
// is finished in the memo file first, so the edit's events may read memos, and a failure of
// the edit reaches the caller with the memo file lock given back.
TEST_F(MemoStreams, AStreamEndingOutsideEditingFinishesTheValueFirst) {
  const std::string path = MakeTheme("t.dbf", {{"0101", "old"}});
  auto table = Open(path);
  framework::TDataSource source(table.get());
  std::string seen;
  source.OnDataChange = [&](framework::TDataSource&, framework::TField* field) {
    if (!field) seen = table->FieldByName("THEJOKE").AsString();
  };
  auto stream = table->CreateBlobStream(table->FieldByName("THEJOKE"), bmWrite);
  stream->WriteAll("new text");
  stream->Finish();
  EXPECT_EQ(seen, "old");  // read while the edit began
  table->Post();
  EXPECT_EQ(Joke(*table), std::vector<std::string>{"new text"});

  table->BeforeEdit = [](framework::TDataSet&) { throw platform::EAbort(); };
  stream = table->CreateBlobStream(table->FieldByName("THEJOKE"), bmWrite);
  stream->WriteAll("refused");
  EXPECT_THROW(stream->Finish(), platform::EAbort);
  stream.reset();
  EXPECT_EQ(table->State(), framework::dsBrowse);
  EXPECT_EQ(Joke(*table), std::vector<std::string>{"new text"});
  EXPECT_TRUE(MemoLockFree(path));
}

TEST_F(MemoStreams, AStreamThatOutlivesItsTableReportsItAndTouchesNothing) {
  CatchHandled();
  auto table = Open(MakeTheme("t.dbf", {{"0101", "old"}}));
  table->Edit();
  auto stream = table->CreateBlobStream(table->FieldByName("THEJOKE"), bmWrite);
  stream->WriteAll("never stored");
  table->Close();  // the default fields go with the table
  EXPECT_EQ(testing::ContextOf(testing::RaisedMessage([&] { stream->Write("x", 1); })),
            "Database is not open [joketbl.WriteBlobStream]");
  stream.reset();
  ASSERT_EQ(Handled().size(), 1u);
  EXPECT_EQ(testing::ContextOf(Handled()[0]), "Database is not open [joketbl.DestroyBlobStream]");
  table->SetActive(true);
  EXPECT_EQ(Joke(*table), std::vector<std::string>{"old"});
}

TEST_F(MemoStreams, AWritePastTheLargestPositionIsRefusedBeforeAnythingIsWritten) {
  auto table = Open(MakeTheme("t.dbf", {{"0101", "old"}}));
  const auto size_before = std::filesystem::file_size(dir_.File("t.dbt"));
  table->Edit();
  auto stream = table->CreateBlobStream(table->FieldByName("THEJOKE"), bmWrite);
  EXPECT_EQ(stream->Seek(2147483645, platform::soBeginning), 2147483645);
  const std::string refused = testing::RaisedMessage([&] { stream->Write("0123456789", 10); });
  EXPECT_NE(refused.find("A memo value cannot pass 2147483647 bytes [WriteBlobStream]"),
            std::string::npos);
  EXPECT_THROW(stream->Finish(), platform::Exception);
  stream.reset();
  table->Post();
  EXPECT_LE(std::filesystem::file_size(dir_.File("t.dbt")), size_before + 512);
  EXPECT_EQ(Joke(*table), std::vector<std::string>{"old"});
}

TEST_F(MemoStreams, DbaseThreeValuesEndAtTheEndMarkAndSeekToTheEndLearnsTheLength) {
  engine::Switches().default_memo_type = engine::kMemoDbase3;
  auto table = Open(MakeTheme("iii.dbf", {{"0101", "twelve chars"}}));
  EXPECT_EQ(testing::ReadFileBytes(dir_.File("iii.dbf"))[0], '\x83');
  auto stream = table->CreateBlobStream(table->FieldByName("THEJOKE"), bmRead);
  EXPECT_EQ(stream->Seek(-2, platform::soEnd), 10);
  EXPECT_EQ(stream->ReadAll(), "rs");
  EXPECT_EQ(stream->Seek(0, platform::soBeginning), 0);
  EXPECT_EQ(stream->ReadAll(), "twelve chars");
}

// A value that ends at its end mark ends there also for a stream that seeks past it: the next
// block holds another record's value.
TEST_F(MemoStreams, DbaseThreeStreamsNeverReadPastTheirValue) {
  engine::Switches().default_memo_type = engine::kMemoDbase3;
  auto table = Open(MakeTheme("iii.dbf", {{"0101", "first"}, {"0102", "second"}}));
  auto stream = table->CreateBlobStream(table->FieldByName("THEJOKE"), bmRead);
  for (int32_t at : {512, 6, 100}) {
    SCOPED_TRACE(at);
    stream->Seek(at, platform::soBeginning);
    EXPECT_EQ(stream->ReadAll(), "");
  }
  stream->Seek(2, platform::soBeginning);
  EXPECT_EQ(stream->ReadAll(), "rst");
}

// A value too large for a memo fails with the engine's report before the stream has gathered it
// (a 2.5 GB length claimed, or 3 GB of zeros that never reach an end mark); the calendar's line
// reader stops at its own, smaller cap.
TEST_F(MemoStreams, ValuesTooLargeForAMemoFailBeforeTheyAreGathered) {
  using namespace std::string_literals;
  const std::string memo = dir_.File("big.dbt");
  std::string d4_block(512, '\0');
  d4_block[20] = 0, d4_block[21] = 2;  // block size 512
  d4_block += "\xFF\xFF\x08\x00\x08\x00\x00\xA0"s;  // a length of 0xA0000008
  const struct {
    uint8_t version;
    std::string bytes;
    const char* routine;
  } cases[] = {{0x8B, d4_block, "[CreateBlobDescriptor]"},
               {0x83, std::string(512, '\0'), "[ReadBlobStream]"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.routine);
    testing::RawTable t;
    t.version = c.version;
    t.fields = {{"THEDATE", 'C', 4}, {"THEJOKE", 'M', 10}};
    t.records = {" 0101         1"};
    t.WriteTo(dir_.File("big.dbf"));
    testing::WriteFileBytes(memo, c.bytes);
    std::filesystem::resize_file(memo, uintmax_t{3} << 30);
    auto table = Open(dir_.File("big.dbf"));
    EXPECT_EQ(testing::ContextOf(
                  testing::RaisedMessage([&] { table->FieldByName("THEJOKE").AsString(); })),
              "1 " + memo + " A memo value cannot pass 2147483647 bytes Record # 1 " + c.routine);
    EXPECT_EQ(testing::ContextOf(testing::RaisedMessage([&] { Joke(*table); })),
              memo + " A memo value read by lines cannot pass 16777216 bytes\n Record # 1 [GetMemo]");
  }
}

TEST_F(MemoStreams, OnlyBlobFieldsHaveStreamsAndOnlyOpenTables) {
  auto table = Open(MakeTheme("t.dbf", {{"0101", "old"}}));
  EXPECT_THROW(table->CreateBlobStream(table->FieldByName("THEDATE"), bmRead), platform::EInvalidCast);
  // A memo field of a closed table: the dataset must be active.
  auto closed = Component();
  closed->Fields().Add(std::make_unique<framework::TMemoField>());
  const std::string message = testing::RaisedMessage(
      [&] { closed->CreateBlobStream(closed->Fields()[0], bmRead); });
  EXPECT_EQ(testing::ContextOf(message), "DataSet must be active. joketbl");
}

TEST_F(MemoStreams, WritesOutsideEditingAreRefusedForTheFieldsText) {
  auto table = Open(MakeTheme("t.dbf", {{"0101", "old"}}));
  EXPECT_THROW(table->FieldByName("THEJOKE").SetAsString("x"), framework::EDatabaseError);
}

}  // namespace
}  // namespace vornelle::dataset
