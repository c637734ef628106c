// The component under a grid: a control that shows ten records at once scrolls both ways over
// a filtered table, edits a memo through a stream, and posts.

#include <gtest/gtest.h>

#include "framework/data_link.h"
#include "tests/dataset/dataset_fixture.h"

namespace vornelle::dataset {
namespace {

// Ten rows of day keys, as a grid draws them.
class Grid : public framework::TDataLink {
 public:
  Grid() { SetBufferCount(10); }
  std::vector<std::string> Rows() {
    std::vector<std::string> out;
    const int active = ActiveRecord();
    for (int row = 0; row < RecordCount(); ++row) {
      SetActiveRecord(row);
      out.push_back(DataSet()->FieldByName("THEDATE").AsString());
    }
    SetActiveRecord(active);
    return out;
  }
  std::vector<int> scrolls;

 protected:
  // A move inside the window scrolls by 0; only the real scrolls are kept.
  void DataSetScrolled(int distance) override {
    if (distance != 0) scrolls.push_back(distance);
  }
};

class GridUse : public testing::DatasetTest {
 protected:
  // 60 records, days 0101 to 0160; the filter shows the odd ones: 30 records.
  std::string Days() {
    std::vector<testing::ThemeRecord> records;
    for (int d = 1; d <= 60; ++d) {
      char key[5];
      std::snprintf(key, sizeof key, "01%02d", d);
      records.push_back({key, std::string("message of ") + key});
    }
    return MakeTheme("days.dbf", records);
  }
  static std::vector<std::string> Keys(int from, int count) {
    std::vector<std::string> out;
    for (int i = 0; i < count; ++i) {
      char key[5];
      std::snprintf(key, sizeof key, "01%02d", from + 2 * i);
      out.push_back(key);
    }
    return out;
  }
};

TEST_F(GridUse, TenRowsScrollBothWaysOverAFilteredTable) {
  auto table = Open(Days());
  framework::TDataSource source(table.get());
  Grid grid;
  grid.SetDataSource(&source);
  EXPECT_EQ(table->BufferCount(), 10);
  table->SetFilterTo("(MOD(VAL(SUBSTR(THEDATE,3,2)),2)=1)");
  table->First();
  EXPECT_EQ(grid.Rows(), Keys(1, 10));

  for (int i = 0; i < 12; ++i) table->Next();  // two past the window's bottom
  EXPECT_EQ(table->FieldByName("THEDATE").AsString(), "0125");
  EXPECT_EQ(grid.ActiveRecord(), 9);
  EXPECT_EQ(grid.Rows(), Keys(7, 10));
  EXPECT_EQ(grid.scrolls, (std::vector<int>{1, 1, 1}));

  table->Last();
  EXPECT_EQ(grid.Rows(), Keys(41, 10));
  table->Next();
  EXPECT_TRUE(table->Eof());
  grid.scrolls.clear();
  for (int i = 0; i < 11; ++i) table->Prior();  // one past the window's top
  EXPECT_EQ(table->FieldByName("THEDATE").AsString(), "0137");
  EXPECT_EQ(grid.ActiveRecord(), 0);
  EXPECT_EQ(grid.Rows(), Keys(37, 10));
  EXPECT_EQ(grid.scrolls, (std::vector<int>{-1, -1}));
  for (int i = 0; i < 40; ++i) table->Prior();
  EXPECT_TRUE(table->Bof());
  EXPECT_EQ(grid.Rows(), Keys(1, 10));
}

TEST_F(GridUse, EditingAMemoThroughAStreamAndPosting) {
  auto table = Open(Days());
  framework::TDataSource source(table.get());
  Grid grid;
  grid.SetDataSource(&source);
  table->SetFilterTo("(MOD(VAL(SUBSTR(THEDATE,3,2)),2)=1)");
  table->First();
  table->MoveBy(4);  // 0109, the fifth row
  table->Edit();
  {
    auto stream = table->CreateBlobStream(table->FieldByName("THEJOKE"), framework::bmWrite);
    stream->WriteAll("rewritten\r\nin two lines");
  }
  table->Post();
  EXPECT_EQ(grid.ActiveRecord(), 4);
  EXPECT_EQ(grid.Rows(), Keys(1, 10));
  EXPECT_EQ(table->FieldByName("THEDATE").AsString(), "0109");
  EXPECT_EQ(Joke(*table), (std::vector<std::string>{"rewritten", "in two lines"}));

  // The other rows keep their own messages; each row's memo is its own.
  grid.SetActiveRecord(5);
  EXPECT_EQ(table->FieldByName("THEJOKE").AsString(), "message of 0111");
  grid.SetActiveRecord(4);
  EXPECT_EQ(table->FieldByName("THEJOKE").AsString(), "rewritten\r\nin two lines");

  // Reopened, the table still holds it.
  table->Close();
  table->Open();
  table->SetRecNo(9);
  EXPECT_EQ(Joke(*table), (std::vector<std::string>{"rewritten", "in two lines"}));
}

TEST_F(GridUse, PostThatHidesTheRecordMovesTheWindowOn) {
  auto table = Open(Days());
  framework::TDataSource source(table.get());
  Grid grid;
  grid.SetDataSource(&source);
  table->SetFilterTo("(MOD(VAL(SUBSTR(THEDATE,3,2)),2)=1)");
  table->First();
  table->MoveBy(2);  // 0105
  table->Edit();
  table->FieldByName("THEDATE").SetAsString("0106");  // now even: filtered out
  table->Post();
  EXPECT_EQ(table->FieldByName("THEDATE").AsString(), "0107");
  std::vector<std::string> expected = Keys(1, 11);
  expected.erase(expected.begin() + 2);
  EXPECT_EQ(grid.Rows(), expected);
}

}  // namespace
}  // namespace vornelle::dataset
