// Editing: the states, the events around each change and their order, what is refused, posting
// and cancelling, inserting and appending in windows of one and of many buffers, deleting, and
// the error events.

#include <gtest/gtest.h>

#include "framework/errors.h"
#include "tests/framework/framework_helpers.h"

namespace vornelle::testing {
namespace {

using Log = std::vector<std::string>;

std::string Name(const TDataSet& ds) { return ds.FieldByName("NAME").AsString(); }

TEST(Editing, EditAndPostChangeTheRecordWithTheirEventsInOrder) {
  auto ds = Numbers(3);
  ds->Open();
  ds->Next();
  Log log;
  LogEvents(*ds, log);
  ds->Edit();
  EXPECT_EQ(ds->State(), dsEdit);
  EXPECT_FALSE(ds->Modified());
  ds->FieldByName("NAME").SetAsString("second");
  EXPECT_TRUE(ds->Modified());
  EXPECT_EQ(ds->Stored(1, 1), Variant(std::string("row 2")));  // nothing stored before Post
  ds->Post();
  EXPECT_EQ(ds->State(), dsBrowse);
  EXPECT_FALSE(ds->Modified());
  EXPECT_EQ(log, (Log{"BeforeEdit", "AfterEdit", "BeforePost", "AfterPost"}));
  EXPECT_EQ(ds->Stored(1, 1), Variant(std::string("second")));
  EXPECT_EQ(N(*ds), 2);
  EXPECT_EQ(ds->RowCount(), 3);
}

TEST(Editing, InsertAndCancelFireTheirEventsAndScrollEvents) {
  auto ds = Numbers(3);
  ds->Open();
  ds->Next();
  Log log;
  LogEvents(*ds, log);
  ds->OnNewRecord = [&](TDataSet& d) {
    log.push_back("OnNewRecord");
    EXPECT_EQ(d.State(), dsInsert);
    d.FieldByName("NAME").SetAsString("default");
  };
  ds->Insert();
  EXPECT_EQ(ds->State(), dsInsert);
  EXPECT_EQ(Name(*ds), "default");
  EXPECT_TRUE(ds->FieldByName("N").IsNull());
  EXPECT_FALSE(ds->Modified());  // the defaults alone are no change
  ds->Cancel();
  EXPECT_EQ(log, (Log{"BeforeInsert", "BeforeScroll", "OnNewRecord", "AfterInsert", "AfterScroll",
                      "BeforeCancel", "BeforeScroll", "AfterCancel", "AfterScroll"}));
  EXPECT_EQ(ds->State(), dsBrowse);
  EXPECT_EQ(N(*ds), 2);
  EXPECT_EQ(ds->RowCount(), 3);

  log.clear();
  ds->Delete();
  EXPECT_EQ(log, (Log{"BeforeDelete", "BeforeScroll", "AfterDelete", "AfterScroll"}));
  EXPECT_EQ(N(*ds), 3);
}

TEST(Editing, FieldsAreWrittenOnlyInEditOrInsertState) {
  auto ds = Numbers(2);
  ds->Open();
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { ds->FieldByName("NAME").SetAsString("x"); }),
            "Dataset not in edit or insert mode");
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { ds->FieldByName("N").Clear(); }), "Dataset not in edit or insert mode");
  EXPECT_EQ(Name(*ds), "row 1");
  EXPECT_FALSE(ds->Modified());
  ds->Close();
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { ds->Edit(); }), "Cannot perform this operation on a closed dataset");
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { ds->Next(); }), "Cannot perform this operation on a closed dataset");
}

TEST(Editing, ReadOnlyDatasetRefusesEveryChange) {
  auto ds = Numbers(3);
  ds->read_only = true;
  ds->Open();
  EXPECT_FALSE(ds->CanModify());
  Log log;
  LogEvents(*ds, log);
  const char* refused = "Cannot modify a read-only dataset";
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { ds->Edit(); }), refused);
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { ds->Insert(); }), refused);
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { ds->Append(); }), refused);
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { ds->AppendRecord({int64_t{9}}); }), refused);
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { ds->Delete(); }), refused);
  EXPECT_EQ(ds->State(), dsBrowse);
  EXPECT_EQ(ds->RowCount(), 3);
  EXPECT_EQ(N(*ds), 1);
  EXPECT_TRUE(log.empty());
}

TEST(Editing, RequiredFieldsMustHaveAValueAtPost) {
  TMemoryDataSet ds({{"N", ftInteger, 0, true}, {"NAME", ftString, 10, true}});
  ds.Open();
  ds.FieldByName("NAME").SetReadOnly(true);  // a read-only field is not the user's to fill
  ds.Append();
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { ds.Post(); }), "Field 'N' must have a value");
  EXPECT_EQ(ds.State(), dsInsert);  // the user may still fill it in
  ds.FieldByName("N").SetAsInteger(1);
  ds.Post();
  EXPECT_EQ(ds.RowCount(), 1);

  // AppendRecord discards the record it could not post.
  ds.FieldByName("NAME").SetReadOnly(false);
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { ds.AppendRecord({Variant{}, std::string("x")}); }),
            "Field 'N' must have a value");
  EXPECT_EQ(ds.State(), dsBrowse);
  EXPECT_EQ(ds.RowCount(), 1);
  EXPECT_EQ(N(ds), 1);
}

TEST(Editing, OnValidateSeesTheNewValueAndMayRefuseIt) {
  auto ds = Numbers(2);
  ds->Open();
  std::vector<std::string> seen;
  TField& n = ds->FieldByName("N");
  n.OnValidate = [&](TField& f) {
    seen.push_back(f.AsString() + (f.IsNull() ? " null" : ""));
    if (!f.IsNull() && f.AsInteger() < 0) throw EDatabaseError("no negatives");
  };
  ds->Edit();
  n.SetAsInteger(10);
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { n.SetAsInteger(-5); }), "no negatives");
  EXPECT_EQ(n.AsInteger(), 10);  // the refused value never reached the record
  n.Clear();
  EXPECT_EQ(seen, (std::vector<std::string>{"10", "-5", " null"}));
  n.OnValidate = nullptr;
  ds->Cancel();
  EXPECT_EQ(n.AsInteger(), 1);
}

TEST(Editing, CancelRestoresTheRecordAsItWas) {
  auto ds = Numbers(3);
  ds->Open();
  ds->Edit();
  ds->FieldByName("NAME").SetAsString("changed");
  ds->FieldByName("N").Clear();
  ds->Cancel();
  EXPECT_EQ(ds->State(), dsBrowse);
  EXPECT_EQ(Name(*ds), "row 1");
  EXPECT_EQ(N(*ds), 1);
  EXPECT_EQ(ds->Stored(0, 1), Variant(std::string("row 1")));
  EXPECT_EQ(ds->calls.back(), "cancel");
}

TEST(Editing, CancelAfterTheWindowGrewReturnsToTheEditedRecord) {
  auto ds = Numbers(25);
  TDataSource source(ds.get());
  GridLink grid(1);
  grid.SetDataSource(&source);
  ds->Open();
  ds->MoveBy(2);
  ds->Edit();
  ds->FieldByName("NAME").SetAsString("changed");
  grid.SetBufferCount(10);  // the grid is made taller while the user edits
  EXPECT_EQ(Name(*ds), "changed");
  ds->Cancel();
  EXPECT_EQ(N(*ds), 3);
  EXPECT_EQ(Name(*ds), "row 3");
  EXPECT_EQ(grid.Rows()[static_cast<std::size_t>(grid.ActiveRecord())], 3);
}

// Inserting and appending behave alike whether the window holds one record or many.
class InsertAppend : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override { grid_ = std::make_unique<GridLink>(GetParam()); }
  std::unique_ptr<TMemoryDataSet> Opened(int rows) {
    auto ds = Numbers(rows);
    source_.SetDataSet(ds.get());
    grid_->SetDataSource(&source_);
    ds->Open();
    return ds;
  }
  void TearDown() override { grid_->SetDataSource(nullptr); }
  TDataSource source_;
  std::unique_ptr<GridLink> grid_;
};

TEST_P(InsertAppend, IntoAnEmptyDataset) {
  auto ds = Opened(0);
  ds->Append();
  EXPECT_FALSE(ds->IsEmpty());
  ds->FieldByName("N").SetAsInteger(1);
  ds->Post();
  ds->Insert();
  ds->FieldByName("N").SetAsInteger(2);
  ds->Post();
  EXPECT_EQ(ds->RowCount(), 2);
  EXPECT_EQ(N(*ds), 2);
  ds->First();
  EXPECT_EQ(N(*ds), 1);

  auto empty = Numbers(0);
  empty->Open();
  empty->Insert();
  empty->Cancel();
  EXPECT_TRUE(empty->IsEmpty());
  EXPECT_TRUE(empty->Bof() && empty->Eof());
}

TEST_P(InsertAppend, AppendGoesToTheEndAndPostStaysOnIt) {
  auto ds = Opened(25);
  ds->MoveBy(4);
  ds->Append();
  EXPECT_EQ(ds->State(), dsInsert);
  EXPECT_TRUE(ds->FieldByName("N").IsNull());
  if (GetParam() > 1) {  // the last records above the new one
    const std::vector<int> rows = grid_->Rows();
    EXPECT_EQ(rows.back(), 0);
    EXPECT_EQ(rows[rows.size() - 2], 25);
  }
  ds->FieldByName("N").SetAsInteger(26);
  ds->Post();
  EXPECT_EQ(N(*ds), 26);
  EXPECT_EQ(ds->RowCount(), 26);
  ds->Next();
  EXPECT_TRUE(ds->Eof());
  ds->Prior();
  EXPECT_EQ(N(*ds), 25);
}

TEST_P(InsertAppend, CancelledInsertLeavesTheWindowAsItWas) {
  auto ds = Opened(25);
  ds->MoveBy(4);
  const std::vector<int> rows = grid_->Rows();
  const int row = grid_->ActiveRecord();
  ds->Insert();
  EXPECT_EQ(grid_->ActiveRecord(), row);  // the new record takes the active row
  ds->Cancel();
  EXPECT_EQ(N(*ds), 5);
  EXPECT_EQ(grid_->Rows(), rows);
  EXPECT_EQ(grid_->ActiveRecord(), row);
  ds->Next();
  EXPECT_EQ(N(*ds), 6);
}

TEST_P(InsertAppend, AFailingOnNewRecordLeavesTheWindowAsItWas) {
  auto ds = Opened(25);
  ds->MoveBy(6);
  const std::vector<int> rows = grid_->Rows();
  ds->OnNewRecord = [](TDataSet&) { throw EDatabaseError("no new records today"); };
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { ds->Insert(); }), "no new records today");
  EXPECT_EQ(ds->State(), dsBrowse);
  EXPECT_EQ(N(*ds), 7);
  EXPECT_EQ(grid_->Rows(), rows);
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { ds->Append(); }), "no new records today");
  EXPECT_EQ(N(*ds), 25);
  EXPECT_EQ(ds->RowCount(), 25);
}

TEST_P(InsertAppend, CancelledAppendLandsOnTheLastRecord) {
  auto ds = Opened(25);
  ds->MoveBy(4);
  ds->Append();
  ds->Cancel();
  EXPECT_EQ(N(*ds), 25);
  const std::vector<int> rows = grid_->Rows();
  EXPECT_EQ(rows.back(), 25);
  EXPECT_EQ(static_cast<int>(rows.size()), GetParam());
  ds->Prior();
  EXPECT_EQ(N(*ds), 24);
}

TEST_P(InsertAppend, MovingOffAnUnchangedNewRecordDropsIt) {
  auto ds = Opened(25);
  ds->MoveBy(9);
  ds->Insert();
  ds->Next();  // nothing was entered: the record goes
  EXPECT_EQ(ds->RowCount(), 25);
  EXPECT_EQ(N(*ds), 11);
  ds->Append();
  ds->FieldByName("N").SetAsInteger(99);
  ds->Prior();  // something was: it is posted
  EXPECT_EQ(ds->RowCount(), 26);
  EXPECT_EQ(ds->Stored(25, 0), Variant(int64_t{99}));
  EXPECT_EQ(N(*ds), 25);
}

TEST_P(InsertAppend, DeletingTheLastRecordsOneByOne) {
  auto ds = Opened(12);
  ds->Last();
  ds->Delete();
  EXPECT_EQ(N(*ds), 11);
  EXPECT_EQ(ds->RecNo(), 11);
  ds->Next();
  EXPECT_TRUE(ds->Eof());
  EXPECT_EQ(N(*ds), 11);
  ds->First();
  ds->MoveBy(5);
  ds->Delete();  // from the middle the next record takes its place
  EXPECT_EQ(N(*ds), 7);
  while (!ds->IsEmpty()) ds->Delete();
  EXPECT_EQ(ds->RowCount(), 0);
  EXPECT_TRUE(ds->Bof());
  EXPECT_TRUE(ds->Eof());
  EXPECT_EQ(grid_->RecordCount(), 0);
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { ds->Delete(); }), "Cannot perform this operation on an empty dataset");
}

INSTANTIATE_TEST_SUITE_P(Buffers, InsertAppend, ::testing::Values(1, 10));

TEST(Editing, MovingOffAnEditedRecordPostsItAndAnUntouchedOneIsCancelled) {
  auto ds = Numbers(3);
  ds->Open();
  ds->Edit();
  ds->FieldByName("NAME").SetAsString("first");
  ds->Next();
  EXPECT_EQ(ds->State(), dsBrowse);
  EXPECT_EQ(ds->Stored(0, 1), Variant(std::string("first")));
  EXPECT_EQ(N(*ds), 2);
  ds->calls.clear();
  ds->Edit();
  ds->Next();
  EXPECT_EQ(ds->calls, (std::vector<std::string>{"edit", "cancel"}));
  EXPECT_EQ(N(*ds), 3);
}

TEST(Editing, EditOfAnEmptyDatasetInserts) {
  auto ds = Numbers(0);
  ds->Open();
  ds->Edit();
  EXPECT_EQ(ds->State(), dsInsert);
}

TEST(Editing, PostErrorFailAbortOrRetry) {
  auto ds = Numbers(2);
  ds->Open();
  std::vector<std::string> errors;
  TDataAction answer = daFail;
  ds->OnPostError = [&](TDataSet&, const platform::Exception& error, TDataAction& action) {
    errors.push_back(error.what());
    action = answer;
  };
  ds->Edit();
  ds->FieldByName("NAME").SetAsString("new");

  ds->fail_posts = 1;
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { ds->Post(); }), "post failed");
  EXPECT_EQ(ds->State(), dsEdit);  // the edit is kept for another try

  ds->fail_posts = 1;
  answer = daAbort;
  EXPECT_THROW(ds->Post(), platform::EAbort);
  EXPECT_EQ(ds->State(), dsEdit);

  ds->fail_posts = 2;
  answer = daRetry;
  ds->Post();
  EXPECT_EQ(ds->State(), dsBrowse);
  EXPECT_EQ(ds->Stored(0, 1), Variant(std::string("new")));
  EXPECT_EQ(errors, std::vector<std::string>(4, "post failed"));
  EXPECT_EQ(Name(*ds), "new");
}

TEST(Editing, DeleteErrorGoesToItsOwnEvent) {
  auto ds = Numbers(2);
  ds->Open();
  int offered = 0;
  ds->OnPostError = [&](TDataSet&, const platform::Exception&, TDataAction& action) { action = daAbort; };
  ds->OnDeleteError = [&](TDataSet&, const platform::Exception&, TDataAction& action) {
    action = ++offered < 3 ? daRetry : daFail;
  };
  ds->fail_deletes = 5;
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { ds->Delete(); }), "delete failed");
  EXPECT_EQ(offered, 3);
  EXPECT_EQ(ds->RowCount(), 2);
  ds->fail_deletes = 1;
  offered = 0;
  ds->Delete();
  EXPECT_EQ(ds->RowCount(), 1);
  EXPECT_EQ(N(*ds), 2);
}

TEST(Editing, AppendRecordAndInsertRecordPostAtOnce) {
  auto ds = Numbers(2);
  ds->Open();
  Log log;
  LogEvents(*ds, log);
  ds->AppendRecord({int64_t{3}, std::string("three")});
  EXPECT_EQ(ds->State(), dsBrowse);
  EXPECT_EQ(N(*ds), 3);
  EXPECT_EQ(Name(*ds), "three");
  EXPECT_EQ(log, (Log{"BeforeInsert", "BeforeScroll", "OnNewRecord", "AfterInsert", "AfterScroll",
                      "BeforePost", "AfterPost"}));
  EXPECT_EQ(ds->calls.back(), "add-append");

  ds->OnNewRecord = [](TDataSet& d) { d.FieldByName("NAME").SetAsString("default"); };
  ds->InsertRecord({int64_t{4}});  // a missing value leaves what OnNewRecord put there
  EXPECT_EQ(ds->calls.back(), "add-insert");
  EXPECT_EQ(ds->Stored(3, 0), Variant(int64_t{4}));
  EXPECT_EQ(ds->Stored(3, 1), Variant(std::string("default")));
  ds->InsertRecord({Variant{}, std::string("blank")});  // null leaves the field as it is
  EXPECT_TRUE(VarIsNull(ds->Stored(4, 0)));

  EXPECT_THROW(ds->AppendRecord({std::string("x")}), platform::EConvertError);
  EXPECT_EQ(ds->State(), dsBrowse);
  EXPECT_EQ(ds->RowCount(), 5);
}

}  // namespace
}  // namespace vornelle::testing
