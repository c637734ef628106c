// Memo fields: the text read and written through the dataset's blob streams.

#include <gtest/gtest.h>

#include "framework/errors.h"
#include "tests/framework/framework_helpers.h"

namespace vornelle::testing {
namespace {

class MemoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ds_.AddRow({int64_t{1}, std::string("first line\nsecond line")});
    ds_.AddRow({int64_t{2}});
    ds_.Open();
  }
  TField& Memo() { return ds_.FieldByName("NOTES"); }
  TMemoryDataSet ds_{{{"N", ftInteger}, {"NOTES", ftMemo}}};
};

TEST_F(MemoTest, ReadsTheWholeTextAndNullAsEmpty) {
  EXPECT_EQ(Memo().AsString(), "first line\nsecond line");
  EXPECT_EQ(Memo().Value(), Variant(std::string("first line\nsecond line")));
  EXPECT_EQ(ds_.BlobFieldCount(), 1);
  StringStream out("> ");
  out.Seek(0, platform::soEnd);
  static_cast<TBlobField&>(Memo()).SaveToStream(out);
  EXPECT_EQ(out.Text(), "> first line\nsecond line");
  ds_.Next();
  EXPECT_TRUE(Memo().IsNull());
  EXPECT_EQ(Memo().AsString(), "");
  EXPECT_TRUE(VarIsNull(Memo().Value()));
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { (void)Memo().AsInteger(); }),
            "Field 'NOTES' cannot be read or written as Integer");
}

TEST_F(MemoTest, WrittenInEditStateAndPosted) {
  ds_.Next();
  ds_.Edit();
  const std::string big(100000, 'x');  // more than one stream chunk
  Memo().SetAsString(big);
  EXPECT_EQ(Memo().AsString(), big);
  EXPECT_TRUE(ds_.Modified());
  ds_.Post();
  EXPECT_EQ(ds_.Stored(1, 1), Variant(big));

  ds_.First();
  ds_.Edit();
  StringStream in("skipped|loaded text");
  in.Seek(8, platform::soBeginning);
  static_cast<TBlobField&>(Memo()).LoadFromStream(in);  // from the stream's position on
  ds_.Post();
  EXPECT_EQ(Memo().AsString(), "loaded text");
  EXPECT_EQ(ds_.Stored(0, 1), Variant(std::string("loaded text")));
}

TEST_F(MemoTest, CancelDropsTheNewText) {
  ds_.Edit();
  Memo().SetValue(std::string("draft"));
  EXPECT_EQ(Memo().AsString(), "draft");
  ds_.Cancel();
  EXPECT_EQ(Memo().AsString(), "first line\nsecond line");
}

TEST_F(MemoTest, AssignmentNeedsEditStateAndAWritableField) {
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { Memo().SetAsString("no"); }), "Dataset not in edit or insert mode");
  StringStream in("no");
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { static_cast<TBlobField&>(Memo()).LoadFromStream(in); }),
            "Dataset not in edit or insert mode");
  Memo().SetReadOnly(true);
  ds_.Edit();
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { Memo().SetAsString("no"); }), "Field 'NOTES' cannot be modified");
  ds_.Cancel();
  EXPECT_EQ(Memo().AsString(), "first line\nsecond line");
}

TEST(Memo, OnAnEmptyDatasetReadsNothing) {
  TMemoryDataSet ds({{"NOTES", ftMemo}});
  ds.Open();
  EXPECT_EQ(ds.FieldByName("NOTES").AsString(), "");
  EXPECT_TRUE(ds.FieldByName("NOTES").IsNull());
  ds.AppendRecord({std::string("new")});
  EXPECT_EQ(ds.FieldByName("NOTES").AsString(), "new");
}

}  // namespace
}  // namespace vornelle::testing
