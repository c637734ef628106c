// Locate and Lookup: where the dataset stands afterwards, key fields and values of every type,
// the search options, and the records the filter and the deleted-record rule hide.

#include <gtest/gtest.h>

#include "engine/engine.h"
#include "framework/errors.h"
#include "platform/codepage.h"
#include "platform/datetime.h"
#include "tests/dataset/writing_fixture.h"

namespace vornelle::dataset {
namespace {

using framework::loCaseInsensitive;
using framework::loPartialKey;
using framework::TDateValue;
using framework::Variant;
using platform::EncodeDate;

Variant Text(const char* text) { return Variant{std::string(text)}; }

class Searching : public testing::WritingTest {
 protected:
  void SetUp() override {
    WritingTest::SetUp();
    path_ = MakeTheme("jokes.dbf",
                      {{"0101", "one"}, {"0102", "two"}, {"0103", "three"}, {"0201", "four"}});
  }
  std::unique_ptr<TZuViv> OpenCounting() {
    auto table = Open(path_);
    table->BeforeScroll = [this](framework::TDataSet&) { ++before_scroll_; };
    table->AfterScroll = [this](framework::TDataSet&) { ++after_scroll_; };
    return table;
  }
  std::string MakeFruit() {
    return MakeTypes("fruit.dbf",
                     {{"Apple", "20240115", 1.25, 5, true, "first note"},
                      {"Banana", "20240216", 2.5, 12, false, ""},
                      {"Cherry", "", 10, 7, true, platform::Utf8ToAnsi("Grüße\r\nzwei")},
                      {platform::Utf8ToAnsi("Müller"), "20231231", 0, 0, false, ""}});
  }

  std::string path_;
  int before_scroll_ = 0, after_scroll_ = 0;
};

TEST_F(Searching, LocateMovesOntoTheRecordFound) {
  auto table = OpenCounting();
  EXPECT_TRUE(table->Locate("THEDATE", {Text("0103")}, 0));
  EXPECT_EQ(table->RecNo(), 3);
  EXPECT_EQ(table->FieldByName("THEDATE").AsString(), "0103");
  EXPECT_EQ(Joke(*table), std::vector<std::string>{"three"});
  EXPECT_EQ(after_scroll_, 1);
  table->Next();
  EXPECT_EQ(table->RecNo(), 4);
}

TEST_F(Searching, LocateFromEitherEndLeavesTheCrack) {
  auto table = Open(path_);
  table->Last();
  table->Next();
  ASSERT_TRUE(table->Eof());
  EXPECT_TRUE(table->Locate("THEDATE", {Text("0101")}, 0));
  EXPECT_FALSE(table->Eof());
  EXPECT_EQ(table->RecNo(), 1);
  table->Next();
  EXPECT_EQ(table->RecNo(), 2);

  table->First();
  table->Prior();
  ASSERT_TRUE(table->Bof());
  EXPECT_TRUE(table->Locate("THEDATE", {Text("0201")}, 0));
  EXPECT_FALSE(table->Bof());
  EXPECT_EQ(table->RecNo(), 4);
  table->Prior();
  EXPECT_EQ(table->RecNo(), 3);
}

TEST_F(Searching, LocateThatFindsNothingStaysWhereItWas) {
  auto table = OpenCounting();
  table->Next();
  after_scroll_ = 0;
  EXPECT_FALSE(table->Locate("THEDATE", {Text("0909")}, 0));
  EXPECT_EQ(table->RecNo(), 2);
  EXPECT_EQ(Joke(*table), std::vector<std::string>{"two"});
  EXPECT_EQ(after_scroll_, 0);
  table->Next();
  EXPECT_EQ(table->RecNo(), 3);
}

TEST_F(Searching, LocateOptions) {
  auto table = OpenTable(MakeFruit());
  // Without the partial-key option the key is the whole text the field shows.
  EXPECT_TRUE(table->Locate("NAME", {Text("Banana")}, 0));
  EXPECT_EQ(table->RecNo(), 2);
  EXPECT_FALSE(table->Locate("NAME", {Text("Banan")}, 0));
  EXPECT_TRUE(table->Locate("NAME", {Text("Banana      ")}, 0));
  EXPECT_EQ(table->RecNo(), 2);
  EXPECT_TRUE(table->Locate("NAME", {Text("Ch")}, loPartialKey));
  EXPECT_EQ(table->RecNo(), 3);
  EXPECT_FALSE(table->Locate("NAME", {Text("APP")}, loPartialKey));
  EXPECT_EQ(table->RecNo(), 3);
  EXPECT_TRUE(table->Locate("NAME", {Text("APP")}, loPartialKey | loCaseInsensitive));
  EXPECT_EQ(table->RecNo(), 1);
  // Text stored in OEM is compared as the records show it.
  EXPECT_TRUE(table->Locate("NAME", {Variant{platform::Utf8ToAnsi("MÜLL")}},
                            loPartialKey | loCaseInsensitive));
  EXPECT_EQ(table->RecNo(), 4);
}

TEST_F(Searching, KeysOfEveryTypeAreSearchedAsTheFieldStoresThem) {
  auto table = OpenTable(MakeFruit());
  EXPECT_TRUE(table->Locate("DAY", {Variant{TDateValue{EncodeDate(2024, 2, 16)}}}, 0));
  EXPECT_EQ(table->RecNo(), 2);
  EXPECT_TRUE(table->Locate("PRICE", {Variant{10.0}}, 0));
  EXPECT_EQ(table->RecNo(), 3);
  EXPECT_TRUE(table->Locate("QTY", {Variant{int64_t{12}}}, 0));
  EXPECT_EQ(table->RecNo(), 2);
  EXPECT_TRUE(table->Locate("OK", {Variant{true}}, 0));
  EXPECT_EQ(table->RecNo(), 1);
  EXPECT_TRUE(table->Locate("OK", {Variant{false}}, 0));
  EXPECT_EQ(table->RecNo(), 2);
  EXPECT_TRUE(table->Locate("NOTE", {Text("zwei")}, 0));  // a memo matches on a line containing it
  EXPECT_EQ(table->RecNo(), 3);
  EXPECT_FALSE(table->Locate("QTY", {Variant{int64_t{99}}}, 0));
  EXPECT_EQ(table->RecNo(), 3);
}

// A key is converted by its field's type, whatever its own: a text finds a number or a date
// as the field stores it; a text that is no value of the field finds nothing.
TEST_F(Searching, KeysAreConvertedByTheFieldsType) {
  auto table = OpenTable(MakeFruit());
  const struct {
    const char* field;
    Variant key;
    int recno;  // 0: nothing found
  } cases[] = {
      {"QTY", Text("12"), 2},        {"QTY", Text(" 7 "), 3},        {"QTY", Text("abc"), 0},
      {"PRICE", Text("2.50"), 2},    {"PRICE", Text("10"), 3},       {"PRICE", Variant{int64_t{10}}, 3},
      {"DAY", Text("02/16/24"), 2},  {"DAY", Text("12/31/2023"), 4}, {"DAY", Text(""), 3},
      {"DAY", Text("02/30/24"), 0},  {"OK", Text("T"), 1},           {"OK", Text("F"), 2},
      {"NAME", Variant{true}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.field) + " " + framework::VarToStr(c.key));
    table->First();
    EXPECT_EQ(table->Locate(c.field, {c.key}, 0), c.recno != 0);
    EXPECT_EQ(table->RecNo(), c.recno != 0 ? c.recno : 1);
  }
  EXPECT_EQ(table->Lookup("PRICE", {Text("2.5")}, "NAME"), std::vector<Variant>{Text("Banana")});
}

// Both search from the table's work area, so a closed table is the engine's "not open".
TEST_F(Searching, SearchingAClosedTableReportsItIsNotOpen) {
  auto table = Open(path_);
  table->Close();
  EXPECT_EQ(testing::ContextOf(testing::RaisedMessage([&] { table->Locate("THEDATE", {Text("0101")}, 0); })),
            "Database is not open [joketbl.Locate]");
  EXPECT_EQ(testing::ContextOf(testing::RaisedMessage([&] { table->Lookup("THEDATE", {Text("0101")}, "THEDATE"); })),
            "Database is not open [joketbl.Lookup]");
}

TEST_F(Searching, SecondKeyFieldIsTriedOnlyWhenTheFirstFindsNothing) {
  auto table = OpenTable(MakeFruit());
  // Record 1 holds QTY 5, but NAME finds Banana first.
  EXPECT_TRUE(table->Locate("NAME;QTY", {Text("Banana"), Variant{int64_t{5}}}, loPartialKey));
  EXPECT_EQ(table->RecNo(), 2);
  EXPECT_TRUE(table->Locate("NAME;QTY", {Text("Kiwi"), Variant{int64_t{7}}}, loPartialKey));
  EXPECT_EQ(table->RecNo(), 3);
  EXPECT_FALSE(table->Locate("NAME;QTY", {Text("Kiwi"), Variant{int64_t{99}}}, loPartialKey));
  EXPECT_EQ(table->RecNo(), 3);
}

TEST_F(Searching, HiddenRecordsAreNotFound) {
  const std::string path =
      MakeTheme("dup.dbf", {{"0101", "gone", true}, {"0101", "kept"}, {"0102", "other"}});
  auto table = Component();
  table->SetHideDeletedRecs(true);
  table->SetDbfFileName(path);
  table->SetActive(true);
  table->Last();
  EXPECT_TRUE(table->Locate("THEDATE", {Text("0101")}, 0));
  EXPECT_EQ(table->RecNo(), 2);
  EXPECT_EQ(Joke(*table), std::vector<std::string>{"kept"});

  table->SetFilterTo("(THEDATE<>\"0101\")");
  table->First();
  EXPECT_FALSE(table->Locate("THEDATE", {Text("0101")}, 0));
  EXPECT_EQ(table->RecNo(), 3);
  const std::vector<Variant> values = table->Lookup("THEDATE", {Text("0101")}, "THEJOKE");
  EXPECT_TRUE(values.empty());
}

TEST_F(Searching, LookupGivesTheFoundRecordsValuesAndDoesNotMove) {
  auto table = OpenCounting();
  table->Next();
  before_scroll_ = after_scroll_ = 0;
  const std::vector<Variant> values = table->Lookup("THEDATE", {Text("0103")}, "THEDATE;THEJOKE");
  EXPECT_EQ(values, (std::vector<Variant>{Text("0103"), Text("three")}));
  EXPECT_EQ(table->RecNo(), 2);
  EXPECT_EQ(table->FieldByName("THEDATE").AsString(), "0102");
  EXPECT_EQ(Joke(*table), std::vector<std::string>{"two"});  // the engine is back on record 2
  EXPECT_EQ(before_scroll_ + after_scroll_, 0);
  table->Next();
  EXPECT_EQ(table->RecNo(), 3);

  EXPECT_TRUE(table->Lookup("THEDATE", {Text("0909")}, "THEJOKE").empty());
  EXPECT_EQ(table->RecNo(), 3);

  // A result field that does not exist: the error, and the dataset still where it was.
  EXPECT_THROW(table->Lookup("THEDATE", {Text("0101")}, "NOSUCH"), framework::EDatabaseError);
  EXPECT_EQ(Joke(*table), std::vector<std::string>{"three"});
  table->Next();
  EXPECT_EQ(table->RecNo(), 4);
}

TEST_F(Searching, LookupGivesValuesOfEveryType) {
  auto table = OpenTable(MakeFruit());
  std::vector<Variant> values =
      table->Lookup("QTY", {Variant{int64_t{7}}}, "NAME;DAY;PRICE;QTY;OK;NOTE");
  EXPECT_EQ(values, (std::vector<Variant>{Text("Cherry"), Variant{}, Variant{10.0},
                                          Variant{int64_t{7}}, Variant{true},
                                          Variant{platform::Utf8ToAnsi("Grüße\r\nzwei")}}));
  values = table->Lookup("QTY", {Variant{int64_t{12}}}, "DAY;NOTE");
  EXPECT_EQ(values, (std::vector<Variant>{Variant{TDateValue{EncodeDate(2024, 2, 16)}}, Text("")}));
  EXPECT_EQ(table->RecNo(), 1);
}

TEST_F(Searching, LookupAtTheEndStaysAtTheEnd) {
  auto table = Open(path_);
  table->Last();
  table->Next();
  ASSERT_TRUE(table->Eof());
  EXPECT_EQ(table->Lookup("THEDATE", {Text("0101")}, "THEJOKE"), std::vector<Variant>{Text("one")});
  EXPECT_TRUE(table->Eof());
  EXPECT_EQ(table->RecNo(), 4);
  table->Prior();
  EXPECT_EQ(table->RecNo(), 3);
}

TEST_F(Searching, UnknownKeyFieldIsTheEnginesErrorAndTheDatasetStays) {
  auto table = Open(path_);
  table->Next();
  const std::string message =
      testing::RaisedMessage([&] { table->Locate("NOSUCH", {Text("x")}, 0); });
  EXPECT_EQ(testing::ContextOf(message), "Unrecognized field name [Locate/Count/Sum(NOSUCH)]");
  EXPECT_EQ(table->RecNo(), 2);
  EXPECT_EQ(Joke(*table), std::vector<std::string>{"two"});
  table->Next();
  EXPECT_EQ(table->RecNo(), 3);
}

// A key field that fails after an earlier one searched in vain: the record is back all the same.
TEST_F(Searching, UnknownSecondKeyFieldLeavesTheDatasetWhereItWas) {
  auto table = Open(path_);
  table->Next();
  const std::string message = testing::RaisedMessage(
      [&] { table->Locate("THEDATE;NOSUCH", {Text("0909"), Text("x")}, 0); });
  EXPECT_EQ(testing::ContextOf(message), "Unrecognized field name [Locate/Count/Sum(NOSUCH)]");
  EXPECT_EQ(table->RecNo(), 2);
  EXPECT_EQ(Joke(*table), std::vector<std::string>{"two"});
  table->Next();
  EXPECT_EQ(table->RecNo(), 3);
}

}  // namespace
}  // namespace vornelle::dataset
