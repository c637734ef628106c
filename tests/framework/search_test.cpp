// Bookmarks, record numbers and counts, the generic Locate and Lookup, the Find moves, and the
// filter properties.

#include <gtest/gtest.h>

#include "framework/errors.h"
#include "platform/codepage.h"
#include "tests/framework/framework_helpers.h"

namespace vornelle::testing {
namespace {

using Log = std::vector<std::string>;

// People: NAME, CITY, AGE, SCORE; 25 rows, the last ones repeating the first names in capitals.
std::unique_ptr<TMemoryDataSet> People() {
  auto ds = std::make_unique<TMemoryDataSet>(std::vector<TMemoryDataSet::Column>{
      {"N", ftInteger}, {"NAME", ftString, 12}, {"CITY", ftString, 12}, {"SCORE", ftFloat}});
  const char* names[] = {"Anna", "Bert", "Carla", "Dirk", "Eva"};
  const char* cities[] = {"Lyon", "Oslo", "Porto"};
  for (int i = 1; i <= 25; ++i) {
    std::string name = names[(i - 1) % 5];
    if (i > 20) name = platform::AnsiUpper(name);
    ds->AddRow({int64_t{i}, name, std::string(cities[(i - 1) % 3]), i * 0.5});
  }
  ds->AddRow({int64_t{26}});  // NAME, CITY and SCORE null
  return ds;
}

TEST(Bookmarks, GoBackToTheirRecordAndCompareInRecordOrder) {
  auto ds = Numbers(30);
  ds->Open();
  ds->MoveBy(6);
  const TBookmark seventh = ds->GetBookmark();
  ASSERT_EQ(static_cast<int>(seventh.size()), ds->BookmarkSize());
  ds->MoveBy(13);
  const TBookmark twentieth = ds->GetBookmark();
  ds->First();
  ds->GotoBookmark(seventh);
  EXPECT_EQ(N(*ds), 7);
  ds->GotoBookmark(twentieth);
  EXPECT_EQ(N(*ds), 20);

  EXPECT_EQ(ds->CompareBookmarks(seventh, twentieth), -1);
  EXPECT_EQ(ds->CompareBookmarks(twentieth, seventh), 1);
  EXPECT_EQ(ds->CompareBookmarks(seventh, ds->GetBookmark()), -1);
  EXPECT_EQ(ds->CompareBookmarks(twentieth, ds->GetBookmark()), 0);
  EXPECT_EQ(ds->CompareBookmarks({}, seventh), 1);  // a missing bookmark sorts after
  EXPECT_EQ(ds->CompareBookmarks(seventh, {}), -1);
  EXPECT_EQ(ds->CompareBookmarks({}, {}), 0);

  EXPECT_TRUE(ds->BookmarkValid(seventh));
  EXPECT_FALSE(ds->BookmarkValid({}));
  ds->GotoBookmark({});  // nothing to go to: stays
  EXPECT_EQ(N(*ds), 20);
  ds->Close();
  EXPECT_FALSE(ds->BookmarkValid(seventh));
}

// Four-byte bookmarks hold record numbers and compare as numbers, not as bytes.
TEST(Bookmarks, CompareAsTheRecordNumbersTheyHold) {
  auto ds = Numbers(600);
  ds->Open();
  auto bookmark = [&](int recno) {
    ds->SetRecNo(recno);
    return ds->GetBookmark();
  };
  for (auto [low, high] : {std::pair{2, 256}, {255, 256}, {1, 512}, {257, 513}}) {
    SCOPED_TRACE(std::to_string(low) + " " + std::to_string(high));
    EXPECT_EQ(ds->CompareBookmarks(bookmark(low), bookmark(high)), -1);
    EXPECT_EQ(ds->CompareBookmarks(bookmark(high), bookmark(low)), 1);
  }
}

TEST(Bookmarks, OnlyARecordInTheSourceHasOne) {
  auto ds = Numbers(0);
  ds->Open();
  EXPECT_TRUE(ds->GetBookmark().empty());
  ds->Append();
  EXPECT_TRUE(ds->GetBookmark().empty());  // the new record is nowhere yet
  ds->FieldByName("N").SetAsInteger(1);
  ds->Post();
  EXPECT_FALSE(ds->GetBookmark().empty());
  ds->Edit();
  EXPECT_TRUE(ds->GetBookmark().empty());
}

TEST(RecordNumbers, FollowTheActiveRecordAndMoveIt) {
  auto ds = Numbers(25);
  TDataSource source(ds.get());
  GridLink grid(10);
  grid.SetDataSource(&source);
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { (void)ds->RecNo(); }), "Cannot perform this operation on a closed dataset");
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { (void)ds->RecordCount(); }),
            "Cannot perform this operation on a closed dataset");
  ds->Open();
  EXPECT_EQ(ds->RecordCount(), 25);
  EXPECT_EQ(ds->RecNo(), 1);
  ds->MoveBy(3);
  EXPECT_EQ(ds->RecNo(), 4);
  ds->SetRecNo(17);
  EXPECT_EQ(N(*ds), 17);
  EXPECT_EQ(ds->RecNo(), 17);
  ds->SetRecNo(2);
  EXPECT_EQ(N(*ds), 2);
  ds->Last();
  EXPECT_EQ(ds->RecNo(), 25);
  ds->AppendRecord({int64_t{26}});
  EXPECT_EQ(ds->RecordCount(), 26);
  EXPECT_EQ(ds->RecNo(), 26);
}

TEST(Locate, MatchesOneOrSeveralKeysExactly) {
  auto ds = People();
  ds->Open();
  EXPECT_TRUE(ds->Locate("NAME", {std::string("Carla")}, 0));
  EXPECT_EQ(N(*ds), 3);
  EXPECT_TRUE(ds->Locate("name ; City", {std::string("Carla"), std::string("Oslo")}, 0));
  EXPECT_EQ(N(*ds), 8);
  EXPECT_TRUE(ds->Locate("N", {int64_t{12}}, 0));
  EXPECT_EQ(N(*ds), 12);
  EXPECT_TRUE(ds->Locate("SCORE", {int64_t{7}}, 0));  // numbers compare by value
  EXPECT_EQ(N(*ds), 14);
  EXPECT_TRUE(ds->Locate("N", {9.0}, 0));
  EXPECT_EQ(N(*ds), 9);
  EXPECT_TRUE(ds->Locate("NAME", {Variant{}}, 0));  // null finds null
  EXPECT_EQ(N(*ds), 26);
  EXPECT_FALSE(ds->Locate("NAME", {std::string("Car")}, 0));
  EXPECT_FALSE(ds->Locate("NAME", {std::string("carla")}, 0));
  EXPECT_EQ(N(*ds), 26);
}

TEST(Locate, CaseInsensitiveAndPartialKeys) {
  auto ds = People();
  ds->Open();
  EXPECT_TRUE(ds->Locate("NAME", {std::string("DIRK")}, 0));
  EXPECT_EQ(N(*ds), 24);
  EXPECT_TRUE(ds->Locate("NAME", {std::string("DIRK")}, loCaseInsensitive));
  EXPECT_EQ(N(*ds), 4);
  EXPECT_TRUE(ds->Locate("NAME;CITY", {std::string("ev"), std::string("porto")},
                         loCaseInsensitive | loPartialKey));
  EXPECT_EQ(N(*ds), 15);
  EXPECT_TRUE(ds->Locate("CITY", {std::string("Po")}, loPartialKey));
  EXPECT_EQ(N(*ds), 3);
  EXPECT_FALSE(ds->Locate("CITY", {std::string("po")}, loPartialKey));
  EXPECT_FALSE(ds->Locate("CITY", {std::string("Portobello")}, loPartialKey));  // a longer key
}

TEST(Locate, WithoutAMatchTheDatasetStaysAsItWas) {
  auto ds = People();
  TDataSource source(ds.get());
  GridLink grid(10);
  grid.SetDataSource(&source);
  ds->Open();
  ds->MoveBy(9);
  const std::vector<int> rows = grid.Rows();
  Log log;
  LogEvents(*ds, log);
  grid.heard.clear();
  EXPECT_FALSE(ds->Locate("NAME", {std::string("Zoe")}, loCaseInsensitive));
  EXPECT_EQ(N(*ds), 10);
  EXPECT_EQ(grid.ActiveRecord(), 9);  // not even moved to another row
  EXPECT_EQ(grid.Rows(), rows);
  EXPECT_EQ(std::count(log.begin(), log.end(), "AfterScroll"), 0);
  ds->Next();
  EXPECT_EQ(N(*ds), 11);
}

TEST(Locate, AMatchScrollsOnceAndCentresIt) {
  auto ds = People();
  TDataSource source(ds.get());
  GridLink grid(5);
  grid.SetDataSource(&source);
  ds->Open();
  Log log;
  LogEvents(*ds, log);
  grid.heard.clear();
  EXPECT_TRUE(ds->Locate("CITY;NAME", {std::string("Porto"), std::string("Dirk")}, 0));
  EXPECT_EQ(N(*ds), 9);
  EXPECT_EQ(log, (Log{"BeforeScroll", "AfterScroll"}));
  EXPECT_EQ(grid.Rows(), (std::vector<int>{7, 8, 9, 10, 11}));
  EXPECT_EQ(grid.heard, (std::vector<std::string>{"changed"}));
  ds->Prior();
  EXPECT_EQ(N(*ds), 8);
}

TEST(Locate, PostsAPendingEditFirst) {
  auto ds = People();
  ds->Open();
  ds->Edit();
  ds->FieldByName("NAME").SetAsString("Zoe");
  EXPECT_TRUE(ds->Locate("NAME", {std::string("Zoe")}, 0));
  EXPECT_EQ(ds->State(), dsBrowse);
  EXPECT_EQ(N(*ds), 1);
  EXPECT_EQ(ds->Stored(0, 1), Variant(std::string("Zoe")));
}

TEST(Locate, KeysMustNameFieldsOneValueEach) {
  auto ds = People();
  ds->Open();
  ds->Next();
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { ds->Locate("NAME;CITY", {std::string("Anna")}, 0); }),
            "The number of key values does not match the key fields");
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { ds->Lookup("NAME", {std::string("a"), int64_t{1}}, "N"); }),
            "The number of key values does not match the key fields");
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { ds->Locate("NAME;AGE", {std::string("Anna"), int64_t{3}}, 0); }),
            "Field 'AGE' not found");
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { ds->Lookup("NAME", {std::string("Anna")}, "N;AGE"); }),
            "Field 'AGE' not found");
  EXPECT_EQ(N(*ds), 2);
}

TEST(Lookup, ReadsAnotherRecordWithoutMoving) {
  auto ds = People();
  TDataSource source(ds.get());
  GridLink grid(10);
  grid.SetDataSource(&source);
  ds->Open();
  ds->MoveBy(9);
  const std::vector<int> rows = grid.Rows();
  Log log;
  LogEvents(*ds, log);
  grid.heard.clear();

  EXPECT_EQ(ds->Lookup("NAME;CITY", {std::string("Bert"), std::string("Porto")}, "N;SCORE"),
            (std::vector<Variant>{int64_t{12}, 6.0}));
  EXPECT_EQ(ds->Lookup("N", {int64_t{26}}, "NAME"), (std::vector<Variant>{Variant{}}));
  EXPECT_TRUE(ds->Lookup("NAME", {std::string("Zoe")}, "N").empty());
  EXPECT_TRUE(ds->Lookup("NAME", {std::string("anna")}, "N").empty());  // exact, whole keys

  EXPECT_EQ(N(*ds), 10);
  EXPECT_EQ(grid.ActiveRecord(), 9);
  EXPECT_EQ(grid.Rows(), rows);
  EXPECT_TRUE(log.empty());
  EXPECT_TRUE(grid.heard.empty());
  ds->Next();
  EXPECT_EQ(N(*ds), 11);
}

TEST(Lookup, ResultsIncludeCalculatedFields) {
  auto ds = Numbers(5);
  auto n = std::make_unique<TIntegerField>();
  n->SetFieldName("N");
  ds->Fields().Add(std::move(n));
  auto name = std::make_unique<TStringField>();
  name->SetFieldName("NAME");
  ds->Fields().Add(std::move(name));
  auto square = std::make_unique<TIntegerField>();
  square->SetFieldName("SQUARE");
  square->SetFieldKind(fkCalculated);
  ds->Fields().Add(std::move(square));
  ds->OnCalcFields = [](TDataSet& d) {
    d.FieldByName("SQUARE").SetAsInteger(d.FieldByName("N").AsInteger() * d.FieldByName("N").AsInteger());
  };
  ds->Open();
  EXPECT_EQ(ds->Lookup("NAME", {std::string("row 4")}, "SQUARE"), (std::vector<Variant>{int64_t{16}}));
  EXPECT_TRUE(ds->Locate("SQUARE", {int64_t{9}}, 0));
  EXPECT_EQ(N(*ds), 3);
  EXPECT_EQ(ds->FieldByName("SQUARE").AsInteger(), 9);
}

TEST(Find, MovesToTheEndsAndStepsWithAnAnswer) {
  auto ds = Numbers(3);
  ds->Open();
  EXPECT_TRUE(ds->FindLast());
  EXPECT_EQ(N(*ds), 3);
  EXPECT_FALSE(ds->FindNext());
  EXPECT_TRUE(ds->FindPrior());
  EXPECT_EQ(N(*ds), 2);
  EXPECT_TRUE(ds->FindFirst());
  EXPECT_EQ(N(*ds), 1);
  EXPECT_FALSE(ds->FindPrior());
  EXPECT_TRUE(ds->FindNext());
  EXPECT_EQ(N(*ds), 2);

  auto empty = Numbers(0);
  empty->Open();
  EXPECT_FALSE(empty->FindFirst());
  EXPECT_FALSE(empty->FindLast());
}

TEST(Filter, TextAndFlagAreOnlyKept) {
  auto ds = Numbers(4);
  ds->SetFilter("N > 2");
  ds->SetFilteredFlag(true);
  ds->Open();
  EXPECT_EQ(ds->Filter(), "N > 2");
  EXPECT_TRUE(ds->Filtered());
  int seen = 0;
  for (ds->First(); !ds->Eof(); ds->Next()) ++seen;
  EXPECT_EQ(seen, 4);  // the concrete dataset filters; the memory one does not
  ds->SetFilteredFlag(false);
  ds->SetFilter("");
  EXPECT_FALSE(ds->Filtered());
  EXPECT_EQ(ds->Filter(), "");
}

}  // namespace
}  // namespace vornelle::testing
