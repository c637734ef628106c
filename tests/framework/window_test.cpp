// The window of record buffers: moving through a dataset with one buffer and with many, the
// ends, resynchronisation, and what linked controls hear.

#include <gtest/gtest.h>

#include "tests/framework/framework_helpers.h"

namespace vornelle::testing {
namespace {

TEST(Window, ForwardAndBackwardWithOneBuffer) {
  auto ds = Numbers(5);
  ds->Open();
  EXPECT_TRUE(ds->Bof());
  EXPECT_FALSE(ds->Eof());
  EXPECT_EQ(N(*ds), 1);
  std::vector<int> seen;
  for (; !ds->Eof(); ds->Next()) seen.push_back(N(*ds));
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_EQ(N(*ds), 5);  // Eof leaves the last record active
  seen.clear();
  for (ds->Last(); !ds->Bof(); ds->Prior()) seen.push_back(N(*ds));
  EXPECT_EQ(seen, (std::vector<int>{5, 4, 3, 2, 1}));
  EXPECT_EQ(ds->BufferCount(), 1);
}

TEST(Window, EmptyDatasetIsAtBothEnds) {
  auto ds = Numbers(0);
  ds->Open();
  EXPECT_TRUE(ds->Bof());
  EXPECT_TRUE(ds->Eof());
  EXPECT_TRUE(ds->IsEmpty());
  EXPECT_EQ(ds->MoveBy(3), 0);
  ds->Last();
  EXPECT_TRUE(ds->Eof());
  EXPECT_TRUE(ds->FieldByName("N").IsNull());
}

TEST(Window, MoveByCountsTheRecordsItPassed) {
  auto ds = Numbers(10);
  ds->Open();
  EXPECT_EQ(ds->MoveBy(4), 4);
  EXPECT_EQ(N(*ds), 5);
  EXPECT_EQ(ds->MoveBy(100), 5);
  EXPECT_TRUE(ds->Eof());
  EXPECT_EQ(N(*ds), 10);
  EXPECT_EQ(ds->MoveBy(-3), 3);
  EXPECT_FALSE(ds->Eof());
  EXPECT_EQ(N(*ds), 7);
  EXPECT_EQ(ds->MoveBy(-100), 6);
  EXPECT_TRUE(ds->Bof());
  EXPECT_EQ(N(*ds), 1);
}

TEST(Window, GridWindowScrollsBothWays) {
  auto ds = Numbers(25);
  TDataSource source(ds.get());
  GridLink grid(10);
  grid.SetDataSource(&source);
  ds->Open();
  EXPECT_EQ(ds->BufferCount(), 10);
  EXPECT_EQ(grid.Rows(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
  EXPECT_EQ(grid.ActiveRecord(), 0);

  for (int i = 0; i < 9; ++i) ds->Next();
  EXPECT_EQ(grid.ActiveRecord(), 9);
  grid.heard.clear();
  ds->Next();  // past the window: it scrolls one record
  EXPECT_EQ(grid.heard, (std::vector<std::string>{"scrolled 1"}));
  EXPECT_EQ(grid.Rows(), (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
  EXPECT_EQ(N(*ds), 11);

  ds->Last();
  EXPECT_EQ(grid.Rows(), (std::vector<int>{16, 17, 18, 19, 20, 21, 22, 23, 24, 25}));
  EXPECT_EQ(grid.ActiveRecord(), 9);
  for (int i = 0; i < 9; ++i) ds->Prior();
  EXPECT_EQ(grid.ActiveRecord(), 0);
  grid.heard.clear();
  ds->Prior();
  EXPECT_EQ(grid.heard, (std::vector<std::string>{"scrolled -1"}));
  EXPECT_EQ(grid.Rows(), (std::vector<int>{15, 16, 17, 18, 19, 20, 21, 22, 23, 24}));
  EXPECT_EQ(N(*ds), 15);
}

TEST(Window, ResyncCentresOrKeepsTheRow) {
  auto ds = Numbers(30);
  TDataSource source(ds.get());
  GridLink grid(5);
  grid.SetDataSource(&source);
  ds->Open();
  ds->SetRecNo(20);  // goes there centred
  EXPECT_EQ(N(*ds), 20);
  EXPECT_EQ(grid.Rows(), (std::vector<int>{18, 19, 20, 21, 22}));
  ds->Next();
  ds->Refresh();  // keeps the active record on its row
  EXPECT_EQ(grid.ActiveRecord(), 3);
  EXPECT_EQ(grid.Rows(), (std::vector<int>{18, 19, 20, 21, 22}));
  ds->SetRecNo(2);  // near the start the window cannot centre it
  EXPECT_EQ(grid.Rows(), (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_EQ(grid.ActiveRecord(), 1);
}

TEST(Window, BufferCountFollowsTheLargestLink) {
  auto ds = Numbers(12);
  TDataSource source(ds.get());
  ds->Open();
  ds->MoveBy(6);
  auto grid = std::make_unique<GridLink>(8);
  grid->SetDataSource(&source);
  EXPECT_EQ(ds->BufferCount(), 8);
  EXPECT_EQ(N(*ds), 7);
  const std::vector<int> rows = grid->Rows();
  ASSERT_EQ(rows.size(), 8u);
  EXPECT_NE(std::find(rows.begin(), rows.end(), 7), rows.end());
  grid->SetBufferCount(3);
  EXPECT_EQ(ds->BufferCount(), 3);
  EXPECT_EQ(N(*ds), 7);
  grid.reset();
  EXPECT_EQ(ds->BufferCount(), 1);
  EXPECT_EQ(N(*ds), 7);
  ds->Next();
  EXPECT_EQ(N(*ds), 8);
}

// A new record at the bottom of a small window stands before the record it was inserted at:
// a window growing under it shows that record next, not the one after.
TEST(Window, AWindowGrowingUnderANewRecordKeepsTheRecordsAfterIt) {
  auto ds = Numbers(6);
  TDataSource source(ds.get());
  GridLink small(2);
  small.SetDataSource(&source);
  ds->Open();
  ds->Next();
  ds->Insert();
  ds->FieldByName("N").SetAsInteger(99);
  GridLink large(5);
  large.SetDataSource(&source);
  EXPECT_EQ(large.Rows(), (std::vector<int>{1, 99, 2, 3, 4}));
  ds->Cancel();
  EXPECT_EQ(large.Rows(), (std::vector<int>{1, 2, 3, 4, 5}));
}

TEST(Window, LinksHearOpeningStateChangesAndClosing) {
  auto ds = Numbers(3);
  TDataSource source(ds.get());
  GridLink link(1);
  link.SetDataSource(&source);
  std::vector<std::string> states;
  source.OnStateChange = [&](TDataSource& s) { states.push_back(std::to_string(s.State())); };
  ds->Open();
  ds->Edit();
  ds->FieldByName("NAME").SetAsString("changed");
  ds->Post();
  ds->Close();
  EXPECT_EQ(link.heard, (std::vector<std::string>{"active", "editing", "record", "field NAME",
                                                  "update data", "not editing", "changed",
                                                  "inactive"}));
  EXPECT_EQ(states, (std::vector<std::string>{"1", "2", "1", "0"}));
}

TEST(Window, DisabledControlsHearOnlyTheOutcome) {
  auto ds = Numbers(10);
  TDataSource source(ds.get());
  GridLink link(1);
  link.SetDataSource(&source);
  ds->Open();
  link.heard.clear();
  ds->DisableControls();
  for (int i = 0; i < 5; ++i) ds->Next();
  EXPECT_TRUE(link.heard.empty());
  ds->EnableControls();
  EXPECT_EQ(link.heard, (std::vector<std::string>{"changed"}));
}

TEST(Window, ALongMoveReportsHowFarTheRowsScrolled) {
  auto ds = Numbers(25);
  TDataSource source(ds.get());
  GridLink grid(10);
  grid.SetDataSource(&source);
  ds->Open();
  ds->MoveBy(9);
  grid.heard.clear();
  EXPECT_EQ(ds->MoveBy(3), 3);
  EXPECT_EQ(grid.heard, (std::vector<std::string>{"scrolled 3"}));
  EXPECT_EQ(grid.Rows().front(), 4);
  ds->Last();
  grid.heard.clear();
  EXPECT_EQ(ds->MoveBy(-12), 12);  // nine rows up inside the window, then three beyond it
  EXPECT_EQ(grid.heard, (std::vector<std::string>{"scrolled -3"}));
  EXPECT_EQ(grid.Rows(), (std::vector<int>{13, 14, 15, 16, 17, 18, 19, 20, 21, 22}));
  EXPECT_EQ(grid.ActiveRecord(), 0);
  grid.heard.clear();
  ds->MoveBy(4);  // inside the window: no rows move
  EXPECT_EQ(grid.heard, (std::vector<std::string>{"scrolled 0"}));
  EXPECT_EQ(grid.ActiveRecord(), 4);
}

TEST(Window, ASmallerLinkSeesItsOwnPartOfTheWindow) {
  auto ds = Numbers(25);
  TDataSource source(ds.get());
  GridLink big(10);
  GridLink small(4);
  big.SetDataSource(&source);
  small.SetDataSource(&source);
  ds->Open();
  EXPECT_EQ(ds->BufferCount(), 10);
  EXPECT_EQ(small.Rows(), (std::vector<int>{1, 2, 3, 4}));

  ds->MoveBy(5);  // the big grid's rows stay; the small one's scroll by two
  small.heard.clear();
  ds->Next();
  EXPECT_EQ(N(*ds), 7);
  EXPECT_EQ(small.Rows(), (std::vector<int>{4, 5, 6, 7}));
  EXPECT_EQ(small.ActiveRecord(), 3);
  EXPECT_EQ(small.heard, (std::vector<std::string>{"scrolled 1"}));

  small.heard.clear();
  ds->MoveBy(8);  // three rows inside the big window, five beyond it
  EXPECT_EQ(N(*ds), 15);
  EXPECT_EQ(big.Rows(), (std::vector<int>{6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
  EXPECT_EQ(small.Rows(), (std::vector<int>{12, 13, 14, 15}));
  EXPECT_EQ(small.heard, (std::vector<std::string>{"scrolled 8"}));

  small.heard.clear();
  ds->MoveBy(-2);  // the small grid's rows stay
  EXPECT_EQ(small.Rows(), (std::vector<int>{12, 13, 14, 15}));
  EXPECT_EQ(small.ActiveRecord(), 1);
  EXPECT_EQ(small.heard, (std::vector<std::string>{"scrolled 0"}));
  ds->MoveBy(-3);
  EXPECT_EQ(small.Rows(), (std::vector<int>{10, 11, 12, 13}));
  EXPECT_EQ(small.ActiveRecord(), 0);
  EXPECT_EQ(small.heard.back(), "scrolled -2");
}

TEST(Window, PostCollectsPendingEditsWhileControlsAreDisabled) {
  auto ds = Numbers(3);
  TDataSource source(ds.get());
  GridLink link(1);
  link.SetDataSource(&source);
  ds->Open();
  ds->Edit();
  link.pending_name = "typed";
  ds->DisableControls();
  ds->Post();
  ds->EnableControls();
  EXPECT_EQ(ds->Stored(0, 1), Variant{std::string("typed")});
}

TEST(Window, DisabledControlsHearOnceAfterNestedDisables) {
  auto ds = Numbers(10);
  TDataSource source(ds.get());
  GridLink link(3);
  link.SetDataSource(&source);
  ds->Open();
  link.heard.clear();
  ds->DisableControls();
  ds->DisableControls();
  ds->Next();
  ds->Edit();
  ds->FieldByName("NAME").SetAsString("x");
  ds->Post();
  ds->EnableControls();
  EXPECT_TRUE(ds->ControlsDisabled());
  EXPECT_EQ(link.heard, (std::vector<std::string>{"update data"}));  // the post's request only
  link.heard.clear();
  ds->EnableControls();
  EXPECT_FALSE(ds->ControlsDisabled());
  EXPECT_EQ(link.heard, (std::vector<std::string>{"changed"}));
  EXPECT_EQ(link.Rows(), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(link.ActiveRecord(), 1);
  link.heard.clear();
  ds->DisableControls();  // nothing happened: nothing to tell
  ds->EnableControls();
  EXPECT_TRUE(link.heard.empty());
}

TEST(Window, ADisabledSourcePassesNothingOn) {
  auto ds = Numbers(10);
  TDataSource source(ds.get());
  GridLink link(1);
  link.SetDataSource(&source);
  int data_changes = 0;
  source.OnDataChange = [&](TDataSource&, TField*) { ++data_changes; };
  ds->Open();
  source.SetEnabled(false);
  EXPECT_FALSE(link.Active());
  EXPECT_EQ(link.RecordCount(), 0);
  link.heard.clear();
  data_changes = 0;
  ds->MoveBy(4);
  ds->Edit();
  ds->Cancel();
  EXPECT_TRUE(link.heard.empty());
  EXPECT_EQ(data_changes, 0);
  EXPECT_FALSE(link.Edit());  // nor does it take edits
  EXPECT_EQ(ds->State(), dsBrowse);
  source.SetEnabled(true);
  EXPECT_EQ(link.heard, (std::vector<std::string>{"active", "changed"}));
  EXPECT_EQ(link.Rows(), (std::vector<int>{5}));
  EXPECT_TRUE(link.Edit());
  EXPECT_EQ(ds->State(), dsEdit);
}

TEST(Window, ALinkCannotEditAReadOnlyDataset) {
  auto ds = Numbers(3);
  ds->read_only = true;
  TDataSource source(ds.get());
  GridLink link(1);
  link.SetDataSource(&source);
  ds->Open();
  EXPECT_FALSE(link.Edit());  // a control asks; the answer is no, not an error
  EXPECT_EQ(ds->State(), dsBrowse);
  ds->read_only = false;
  EXPECT_TRUE(link.Edit());
  EXPECT_TRUE(link.Editing());
}

TEST(Window, TheSourceReportsStateDataAndUpdates) {
  auto ds = Numbers(3);
  TDataSource source(ds.get());
  std::vector<std::string> heard;
  source.OnStateChange = [&](TDataSource& s) { heard.push_back("state " + std::to_string(s.State())); };
  source.OnDataChange = [&](TDataSource&, TField* f) { heard.push_back(f ? "data " + f->FieldName() : "data"); };
  source.OnUpdateData = [&](TDataSource&) { heard.push_back("update"); };
  ds->Open();
  ds->Next();
  source.Edit();
  ds->FieldByName("N").SetAsInteger(20);
  ds->Post();
  EXPECT_EQ(heard, (std::vector<std::string>{"state 1", "data", "state 2", "data", "data N", "update",
                                             "state 1", "data"}));
  EXPECT_EQ(source.State(), dsBrowse);
}

TEST(Window, LinksWriteTheirPendingEditsBeforeThePost) {
  auto ds = Numbers(3);
  TDataSource source(ds.get());
  GridLink link(1);
  link.SetDataSource(&source);
  ds->Open();
  ds->Edit();
  link.heard.clear();
  link.pending_name = "typed";
  ds->Post();
  EXPECT_EQ(ds->Stored(0, 1), Variant(std::string("typed")));
  // The link is not told of the change it made itself.
  EXPECT_EQ(link.heard, (std::vector<std::string>{"update data", "not editing", "changed"}));

  ds->Edit();
  link.pending_name = "again";
  ds->Next();  // leaving the record collects the edit too, and posts it
  EXPECT_EQ(ds->Stored(0, 1), Variant(std::string("again")));
  EXPECT_EQ(N(*ds), 2);
}

TEST(Window, LinksAndSourcesGoingAwayWhileTheDatasetStaysOpen) {
  auto ds = Numbers(20);
  auto source = std::make_unique<TDataSource>(ds.get());
  GridLink grid(8);
  auto other = std::make_unique<GridLink>(12);
  grid.SetDataSource(source.get());
  other->SetDataSource(source.get());
  ds->Open();
  ds->MoveBy(10);
  EXPECT_EQ(ds->BufferCount(), 12);
  other->SetDataSource(nullptr);
  EXPECT_EQ(other->heard.back(), "inactive");
  EXPECT_EQ(ds->BufferCount(), 8);
  EXPECT_EQ(N(*ds), 11);
  other.reset();
  source.reset();
  EXPECT_FALSE(grid.Active());
  EXPECT_EQ(grid.DataSource(), nullptr);
  EXPECT_EQ(grid.RecordCount(), 0);
  EXPECT_EQ(ds->BufferCount(), 1);
  EXPECT_EQ(N(*ds), 11);
  ds->Next();
  EXPECT_EQ(N(*ds), 12);
}

TEST(Window, TheDatasetGoingAwayLeavesItsSourcesEmpty) {
  for (bool disabled : {false, true}) {
    TDataSource source;
    GridLink grid(5);
    grid.SetDataSource(&source);
    {
      auto ds = Numbers(10);
      source.SetDataSet(ds.get());
      ds->Open();
      if (disabled) ds->DisableControls();  // an error ended the block that would enable them
    }
    EXPECT_EQ(source.DataSet(), nullptr) << disabled;
    EXPECT_EQ(source.State(), dsInactive);
    EXPECT_FALSE(grid.Active()) << disabled;
    EXPECT_EQ(grid.RecordCount(), 0);
    EXPECT_EQ(grid.heard.back(), "inactive");
    grid.SetBufferCount(3);
  }
}

TEST(Window, ADatasetDestroyedWhileLoadingIsStillClosed) {
  bool closed = false;
  {
    auto ds = Numbers(3);
    ds->Open();
    ds->AfterClose = [&](TDataSet&) { closed = true; };
    ds->BeginLoading();
  }
  EXPECT_TRUE(closed);
}

TEST(Window, ASourceMovedToAnotherDatasetShowsItsRecords) {
  auto first = Numbers(20);
  auto second = Numbers(2);
  TDataSource source(first.get());
  TDataSource other_source(first.get());
  GridLink small(3);
  GridLink big(10);
  small.SetDataSource(&source);
  big.SetDataSource(&other_source);
  std::vector<int> states;
  source.OnStateChange = [&](TDataSource& s) { states.push_back(s.State()); };
  first->Open();
  first->MoveBy(9);
  EXPECT_EQ(small.Rows(), (std::vector<int>{8, 9, 10}));

  second->Open();
  small.heard.clear();
  source.SetDataSet(second.get());
  EXPECT_EQ(small.Rows(), (std::vector<int>{1, 2}));
  EXPECT_EQ(small.ActiveRecord(), 0);
  EXPECT_EQ(small.heard, (std::vector<std::string>{"inactive", "active"}));
  EXPECT_EQ(first->BufferCount(), 10);
  EXPECT_EQ(second->BufferCount(), 3);

  second->Close();
  auto third = Numbers(1);
  source.SetDataSet(third.get());
  third->Open();  // the source was inactive in between: its state changes again
  EXPECT_EQ(states, (std::vector<int>{dsBrowse, dsInactive, dsBrowse}));
}

}  // namespace
}  // namespace vornelle::testing
