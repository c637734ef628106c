// Memo values as streams: reading, writing, emptying, code pages, values that end at their
// end mark, and the block number the record buffer keeps.

#include <gtest/gtest.h>

#include <cstring>

#include "engine/engine.h"
#include "framework/errors.h"
#include "framework/field_types.h"
#include "platform/exception.h"
#include "tests/dataset/dataset_fixture.h"

namespace vornelle::dataset {
namespace {

using framework::bmRead;
using framework::bmReadWrite;
using framework::bmWrite;

class MemoStreams : public testing::DatasetTest {
 protected:
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
