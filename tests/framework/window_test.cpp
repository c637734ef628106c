// The window of record buffers: moving through a dataset with one buffer and with many, the
// ends, resynchronisation, and what linked controls hear.

#include <gtest/gtest.h>

#include "framework/data_link.h"
#include "tests/framework/memory_dataset.h"

namespace vornelle::testing {
namespace {

std::unique_ptr<TMemoryDataSet> Numbers(int count) {
  auto ds = std::make_unique<TMemoryDataSet>(
      std::vector<TMemoryDataSet::Column>{{"N", ftInteger}, {"NAME", ftString, 10}});
  for (int i = 1; i <= count; ++i) ds->AddRow({int64_t{i}, "row " + std::to_string(i)});
  return ds;
}

int N(TDataSet& ds) { return ds.FieldByName("N").AsInteger(); }

// A control showing `rows` records: it notes what it hears and what its rows show.
class GridLink : public TDataLink {
 public:
  explicit GridLink(int rows) { SetBufferCount(rows); }
  std::vector<int> Rows() {
    std::vector<int> out;
    const int active = ActiveRecord();
    for (int row = 0; row < RecordCount(); ++row) {
      SetActiveRecord(row);
      out.push_back(DataSet()->FieldByName("N").AsInteger());
    }
    SetActiveRecord(active);
    return out;
  }
  std::vector<std::string> heard;

 protected:
  void ActiveChanged() override { heard.push_back(Active() ? "active" : "inactive"); }
  void DataSetChanged() override { heard.push_back("changed"); }
  void DataSetScrolled(int distance) override { heard.push_back("scrolled " + std::to_string(distance)); }
  void RecordChanged(TField* field) override {
    heard.push_back(field ? "field " + field->FieldName() : "record");
  }
  void EditingChanged() override { heard.push_back(Editing() ? "editing" : "not editing"); }
};

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
  EXPECT_EQ(link.heard, (std::vector<std::string>{"active", "editing", "record",
                                                  "field NAME", "not editing", "changed",
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

}  // namespace
}  // namespace vornelle::testing
