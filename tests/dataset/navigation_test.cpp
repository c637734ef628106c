// Moving through a table: the day lookup's filter, the ends of the visible records, record
// numbers and bookmarks that no longer exist, deleted records, and other programs' appends.

#include <gtest/gtest.h>

#include <cstring>

#include "engine/engine.h"
#include "tests/dataset/dataset_fixture.h"
#include "tests/support/test_support.h"

namespace vornelle::dataset {
namespace {

class Navigation : public testing::DatasetTest {
 protected:
  // Seven days of a theme, 0701 to 0707, and the description record.
  std::string Week() {
    std::vector<testing::ThemeRecord> records;
    for (int d = 1; d <= 7; ++d)
      records.push_back({"070" + std::to_string(d), "Day " + std::to_string(d) + "\r\nsecond line"});
    records.push_back({"9999", "A week of days"});
    return MakeTheme("week.dbf", records);
  }

  static std::vector<int> VisibleRecNos(TZuViv& table) {
    std::vector<int> out;
    for (table.First(); !table.Eof(); table.Next()) out.push_back(table.RecNo());
    return out;
  }
};

TEST_F(Navigation, OpenedTableStandsOnItsFirstRecord) {
  auto table = Open(Week());
  EXPECT_TRUE(table->Bof());
  EXPECT_FALSE(table->Eof());
  EXPECT_EQ(table->RecNo(), 1);
  EXPECT_EQ(table->FieldByName("THEDATE").AsString(), "0701");
  EXPECT_EQ(VisibleRecNos(*table), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST_F(Navigation, DayFilterShowsTheDaysRecordAndItsMessage) {
  auto table = Open(Week());
  table->SetFilterTo("(THEDATE=\"0704\")");
  EXPECT_TRUE(table->Filtered());
  EXPECT_EQ(table->Filter(), "(THEDATE=\"0704\")");
  table->First();
  ASSERT_FALSE(table->Eof());
  EXPECT_EQ(table->RecNo(), 4);
  EXPECT_EQ(Joke(*table), (std::vector<std::string>{"Day 4", "second line"}));
  table->Next();
  EXPECT_TRUE(table->Eof());

  table->SetFilterTo("(THEDATE=\"1231\")");
  table->First();
  EXPECT_TRUE(table->Eof());
  EXPECT_TRUE(table->IsEmpty());
  EXPECT_TRUE(Joke(*table).empty());

  table->SetFilterTo("");
  EXPECT_FALSE(table->Filtered());
  EXPECT_EQ(VisibleRecNos(*table), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST_F(Navigation, NewFilterKeepsAPassingRecordAndOtherwiseGoesToTheLastVisible) {
  auto table = Open(Week());
  table->MoveBy(2);  // record 3
  table->SetFilterTo("(THEDATE<\"0705\")");
  EXPECT_EQ(table->RecNo(), 3);
  table->SetFilterTo("(THEDATE>=\"0705\" .AND. THEDATE<=\"0706\")");
  EXPECT_EQ(table->RecNo(), 6);
  EXPECT_EQ(VisibleRecNos(*table), (std::vector<int>{5, 6}));
}

TEST_F(Navigation, FilterThatCannotCompileIsTheEnginesError) {
  auto table = Open(Week());
  const std::string message = testing::RaisedMessage([&] { table->SetFilterTo("(THEDATE=)"); });
  EXPECT_EQ(message.rfind("Error # 351", 0), 0u) << message;
}

TEST_F(Navigation, RecordCountCountsHiddenAndDeletedRecords) {
  const std::string path = MakeTheme("t.dbf", {{"0101", "a"}, {"0102", "b", true}, {"0103", "c"}});
  auto table = Open(path);
  table->SetFilterTo("(THEDATE=\"0103\")");
  EXPECT_EQ(table->RecordCount(), 3);
}

TEST_F(Navigation, DeletedRecordsShowUnlessHidden) {
  const std::string path =
      MakeTheme("t.dbf", {{"0101", "a", true}, {"0102", "b"}, {"0103", "c", true}, {"0104", "d"}});
  auto table = Open(path);
  EXPECT_EQ(VisibleRecNos(*table), (std::vector<int>{1, 2, 3, 4}));
  table->SetRecNo(3);
  table->SetHideDeletedRecs(true);  // the current record is hidden: on to the next one
  EXPECT_EQ(table->RecNo(), 4);
  EXPECT_EQ(VisibleRecNos(*table), (std::vector<int>{2, 4}));
  table->SetHideDeletedRecs(false);
  EXPECT_EQ(VisibleRecNos(*table), (std::vector<int>{1, 2, 3, 4}));

  auto hidden = Component();
  hidden->SetName("hidden");
  hidden->SetHideDeletedRecs(true);  // stored while closed, applied at open
  hidden->SetDbfFileName(path);
  hidden->SetActive(true);
  EXPECT_EQ(hidden->RecNo(), 2);
}

TEST_F(Navigation, HidingEveryRecordEmptiesTheDataset) {
  const std::string path = MakeTheme("t.dbf", {{"0101", "a", true}, {"0102", "b", true}});
  auto table = Open(path);
  table->SetHideDeletedRecs(true);
  EXPECT_TRUE(table->IsEmpty());
  EXPECT_TRUE(table->Eof());
  EXPECT_TRUE(table->FieldByName("THEDATE").IsNull());
  table->Last();
  EXPECT_TRUE(table->Bof());
  EXPECT_TRUE(table->Eof());
}

// Changing the deleted-record rule shows at once what the filter and the rule now select, also
// from a view that showed nothing.
TEST_F(Navigation, ChangingTheDeletedRecordRuleShowsWhatItNowSelects) {
  const std::string path = MakeTheme("t.dbf", {{"0101", "a", true}, {"0102", "b", true}});
  const struct {
    const char* filter;
    bool hide_first;  // the rule before the change
    std::string key;  // the record the view shows after it; "": none
  } cases[] = {
      {"(THEDATE=\"zzzz\")", false, ""},  // the filter shows nothing: hiding changes nothing
      {"(THEDATE=\"zzzz\")", true, ""},
      {"", true, "0101"},                   // every record was hidden: all come back
      {"(THEDATE=\"0102\")", true, "0102"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.filter) + (c.hide_first ? " shown" : " hidden"));
    auto table = Open(path);
    table->SetHideDeletedRecs(c.hide_first);
    table->SetFilterTo(c.filter);
    table->SetHideDeletedRecs(!c.hide_first);
    EXPECT_EQ(table->IsEmpty(), c.key.empty());
    EXPECT_EQ(table->FieldByName("THEDATE").AsString(), c.key);
    EXPECT_EQ(Joke(*table).size(), c.key.empty() ? 0u : 1u);
  }
}

// A Find that finds nothing leaves the dataset on its record, ready to be edited.
TEST_F(Navigation, AFindThatFindsNothingLeavesTheDatasetOnItsRecord) {
  const std::string path = Week();
  for (bool forward : {true, false}) {
    SCOPED_TRACE(forward ? "FindNext at the last" : "FindPrior at the first");
    auto table = Open(path);
    forward ? table->Last() : table->First();
    const int recno = table->RecNo();
    EXPECT_FALSE(forward ? table->FindNext() : table->FindPrior());
    EXPECT_EQ(table->RecNo(), recno);
    table->Edit();
    table->FieldByName("THEDATE").SetAsString("1111");
    table->Post();
    EXPECT_EQ(table->RecNo(), recno);
    table->SetDbfFileName(path);  // read again from the file
    table->SetRecNo(recno);
    EXPECT_EQ(table->FieldByName("THEDATE").AsString(), "1111");
  }
}

TEST_F(Navigation, RecNoThatDoesNotExistLeavesTheLastVisibleRecord) {
  auto table = Open(Week());
  table->SetFilterTo("(THEDATE<\"0705\")");
  table->First();
  for (int recno : {0, 9, -3}) {
    SCOPED_TRACE(recno);
    table->First();
    table->SetRecNo(recno);
    EXPECT_EQ(table->RecNo(), 4);
    EXPECT_FALSE(table->Eof());
  }
  table->SetRecNo(2);
  EXPECT_EQ(table->RecNo(), 2);
  table->Next();
  EXPECT_EQ(table->RecNo(), 3);
}

TEST_F(Navigation, BookmarksAreRecordNumbers) {
  auto table = Open(Week());
  table->MoveBy(4);
  const framework::TBookmark fifth = table->GetBookmark();
  ASSERT_EQ(fifth.size(), 4u);
  table->First();
  const framework::TBookmark first = table->GetBookmark();
  EXPECT_EQ(table->CompareBookmarks(first, fifth), -1);
  EXPECT_EQ(table->CompareBookmarks(fifth, first), 1);
  EXPECT_EQ(table->CompareBookmarks(fifth, fifth), 0);
  EXPECT_EQ(table->CompareBookmarks({}, fifth), 1);
  EXPECT_EQ(table->CompareBookmarks(fifth, {}), -1);
  EXPECT_EQ(table->CompareBookmarks({}, {}), 0);

  table->GotoBookmark(fifth);
  EXPECT_EQ(table->RecNo(), 5);
  EXPECT_TRUE(table->BookmarkValid(fifth));
  const framework::TBookmark gone = {char(50), 0, 0, 0};  // record 50
  EXPECT_FALSE(table->BookmarkValid(gone));
  table->GotoBookmark(gone);
  EXPECT_EQ(table->RecNo(), 8);  // the end: the last visible record
  table->Close();
  EXPECT_FALSE(table->BookmarkValid(fifth));
}

TEST_F(Navigation, FindMovesToTheVisibleRecords) {
  auto table = Open(Week());
  table->SetFilterTo("(THEDATE>\"0702\" .AND. THEDATE<\"0706\")");
  EXPECT_TRUE(table->FindLast());
  EXPECT_EQ(table->RecNo(), 5);
  EXPECT_TRUE(table->FindPrior());
  EXPECT_EQ(table->RecNo(), 4);
  EXPECT_TRUE(table->FindFirst());
  EXPECT_EQ(table->RecNo(), 3);
  EXPECT_FALSE(table->FindPrior());
  EXPECT_FALSE(table->IsSequenced());
  table->SetFilterTo("");
  EXPECT_TRUE(table->IsSequenced());
}

TEST_F(Navigation, OtherProgramsAppendsShowWhenMovingForward) {
  const std::string path = Week();
  auto table = Open(path);
  table->Last();
  {
    // Another program (here a second work area) appends a record.
    testing::ThemeRecord added{"0708", "appended elsewhere"};
    const int area = engine::CurrentArea();
    engine::Select(0);
    engine::USE(path + " ALIAS OTHER");
    engine::ClearRecord();
    std::memcpy(engine::FieldAddress(1) + 1, added.day.data(), 4);
    engine::ALock();
    engine::Append();
    engine::Unlock();
    engine::CloseArea();
    engine::Select(area);
  }
  table->First();
  table->MoveBy(8);
  EXPECT_FALSE(table->Eof());
  EXPECT_EQ(table->FieldByName("THEDATE").AsString(), "0708");
  EXPECT_EQ(table->RecordCount(), 9);
}

TEST_F(Navigation, EveryOperationSelectsItsOwnWorkArea) {
  const std::string path = Week();
  auto table = Open(path);
  // Someone else works in another area meanwhile.
  engine::Select(0);
  engine::USE(MakeTheme("other.dbf", {{"1111", "x"}}) + " ALIAS ELSEWHERE");
  table->Next();
  EXPECT_EQ(table->FieldByName("THEDATE").AsString(), "0702");
  EXPECT_EQ(engine::CurrentArea(), table->WorkArea());
  engine::Select(0);
  EXPECT_EQ(Joke(*table), (std::vector<std::string>{"Day 2", "second line"}));
}

}  // namespace
}  // namespace vornelle::dataset
