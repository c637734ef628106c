// Expressions against real tables: field values from the typed record buffer, memo values,
// other work areas, and filters set through the engine driving its navigation.

#include <string>
#include <vector>

#include "tests/expr/expr_fixture.h"

namespace vornelle::expr {
namespace {

class Filters : public ExprTest {
 protected:
  // A theme table: the day key and the message, one record per key given ("-" marks deleted).
  void ThemeTable(const std::vector<std::string>& keys) {
    std::string path = dir_.File("theme.dbf");
    engine::CreateDbf(path, {{"THEDATE", 'C', 4, 0}, {"THEJOKE", 'M', 10, 0}});
    engine::USE(path);
    for (const std::string& key : keys) {
      engine::ClearRecord();
      bool deleted = key[0] == '-';
      std::string text = deleted ? key.substr(1) : key;
      char* field = engine::FieldAddress(1);
      std::memcpy(field + 1, text.data(), std::min<std::size_t>(text.size(), 4));
      int32_t block = engine::WriteMemoValue("Joke of " + text + "\r\nsecond line", false);
      std::memcpy(engine::FieldAddress(2), &block, sizeof block);
      *engine::FieldAddress(0) = deleted ? 1 : 0;
      engine::ALock();
      engine::Append();
    }
    engine::Unlock();
    engine::GoTop();
  }
  // Record numbers visited from the top forwards, and from the bottom backwards.
  std::vector<int> Forwards() {
    std::vector<int> seen;
    engine::GoTop();
    while (!engine::dEOF()) {
      seen.push_back(engine::RecNo());
      engine::Skip(1);
    }
    return seen;
  }
  std::vector<int> Backwards() {
    std::vector<int> seen;
    engine::GoBottom();
    while (!engine::dEOF() && !engine::dBOF()) {
      seen.push_back(engine::RecNo());
      engine::Skip(-1);
    }
    return seen;
  }
};

using Records = std::vector<int>;

TEST_F(Filters, DayFilterDrivesNavigationBothWays) {
  ThemeTable({"0101", "0102", "0101", "9999", "0101"});
  engine::Set_Filter_To("(THEDATE=\"0101\")");
  EXPECT_EQ(Forwards(), (Records{1, 3, 5}));
  EXPECT_EQ(Backwards(), (Records{5, 3, 1}));
  // Skip(-1) on the first passing record sets BOF and stays there.
  engine::GoTop();
  engine::Skip(-1);
  EXPECT_TRUE(engine::dBOF());
  EXPECT_EQ(engine::RecNo(), 1);
  engine::GoBottom();
  engine::Skip(1);
  EXPECT_TRUE(engine::dEOF());
  engine::Set_Filter_To("(THEDATE=\"01\")");  // a prefix of the stored key
  EXPECT_EQ(Forwards(), (Records{1, 2, 3, 5}));
  engine::Set_Filter_To("(THEDATE==\"01\")");
  EXPECT_EQ(Forwards(), Records{});
  EXPECT_TRUE(engine::dBOF());
  engine::Set_Filter_To("");
  EXPECT_EQ(Forwards(), (Records{1, 2, 3, 4, 5}));
}

TEST_F(Filters, DeletedRecordsShownAndHidden) {
  ThemeTable({"0101", "-0101", "0102", "-0101", "0101"});
  engine::Set_Filter_To("THEDATE = \"0101\"");
  engine::SetIgnoreDel(false);
  EXPECT_EQ(Forwards(), (Records{1, 2, 4, 5}));
  EXPECT_EQ(Backwards(), (Records{5, 4, 2, 1}));
  engine::SetIgnoreDel(true);
  EXPECT_EQ(Forwards(), (Records{1, 5}));
  EXPECT_EQ(Backwards(), (Records{5, 1}));
  engine::SetIgnoreDel(false);
  engine::Set_Filter_To("DELETED()");
  EXPECT_EQ(Forwards(), (Records{2, 4}));
  engine::Set_Filter_To(".NOT. DELETED() .AND. MOD(RECNO(), 2) = 1");
  EXPECT_EQ(Forwards(), (Records{1, 3, 5}));
}

TEST_F(Filters, EmptyTableReadsBlankValues) {
  ThemeTable({});
  engine::Set_Filter_To("(THEDATE=\"0101\")");
  engine::GoTop();
  EXPECT_TRUE(engine::dEOF());
  EXPECT_EQ(engine::RecNo(), 0);
  EXPECT_FALSE(Logical("(THEDATE=\"0101\")"));
  EXPECT_EQ(Text("THEDATE"), "    ");
  EXPECT_EQ(Text("THEJOKE"), "");
  EXPECT_EQ(Number("RECNO()"), 0);
  PeopleTable({});
  EXPECT_EQ(Number("AMOUNT + COUNT"), 0);
  EXPECT_FALSE(Logical("OK"));
  EXPECT_EQ(Eval("BORN").number, kBlankDate);
  EXPECT_EQ(Text("NAME"), std::string(10, ' '));
}

TEST_F(Filters, FieldValuesOfEveryType) {
  PeopleTable({{"Ann", 12.5, -42, "20240307", true}, {"Bob", -0.25, 7, "", false}});
  Value amount = Eval("AMOUNT");
  EXPECT_EQ(amount.number, 12.5);
  EXPECT_EQ(amount.width, 8);
  EXPECT_EQ(amount.decimals, 2);
  EXPECT_EQ(Number("COUNT"), -42);
  EXPECT_TRUE(Logical("OK"));
  EXPECT_EQ(Text("DTOS(BORN)"), "20240307");
  EXPECT_EQ(Text("NAME"), "Ann       ");
  EXPECT_TRUE(Logical("TRIM(NAME) == \"Ann\" .AND. AMOUNT > 12 .AND. COUNT < 0 .AND. OK"));
  engine::Skip(1);
  EXPECT_EQ(Number("AMOUNT * 4 + COUNT"), 6);
  EXPECT_FALSE(Logical("OK"));
  EXPECT_EQ(Eval("BORN").number, kBlankDate);
  engine::Set_Filter_To("AMOUNT > 0 .AND. BORN < CTOD(\"01/01/2025\")");
  EXPECT_EQ(Forwards(), (Records{1}));
}

TEST_F(Filters, MemoValuesJoinTheirLinesIntoThePool) {
  ThemeTable({"0101", "0102"});
  engine::Go(2);
  ExpressionPtr e = MustCompile("THEJOKE");
  Evaluate(e.get());
  EXPECT_STREQ(ResultText(*e), "Joke of 0102second line");
  // A memo longer than the pool is cut one byte before its end.
  std::string long_text(300, 'x');
  int32_t block = engine::WriteMemoValue(long_text, false);
  std::memcpy(engine::FieldAddress(2), &block, sizeof block);
  Evaluate(e.get());
  EXPECT_EQ(std::string(ResultText(*e)), std::string(255, 'x'));
  // Without the memo unit nothing is read.
  engine::State().memo.installed = false;
  Evaluate(e.get());
  EXPECT_STREQ(ResultText(*e), "");
  engine::State().memo.installed = true;
}

TEST_F(Filters, OtherWorkAreasThroughTheirAlias) {
  ThemeTable({"0101", "0102"});
  engine::Select(2);
  PeopleTable({{"0102"}, {"0101"}});
  engine::Select(1);
  ExpressionPtr e = MustCompile("THEDATE = TRIM(PEOPLE->NAME) .AND. PEOPLE->COUNT = 0");
  Evaluate(e.get());
  EXPECT_FALSE(ResultLogical(*e));
  engine::Skip(1);
  Evaluate(e.get());
  EXPECT_TRUE(ResultLogical(*e));
  EXPECT_EQ(engine::CurrentArea(), 1);
  // The memo of another work area is read with that area current.
  ExpressionPtr memo = MustCompile("THEME->THEJOKE");
  engine::Select(2);
  Evaluate(memo.get());
  EXPECT_STREQ(ResultText(*memo), "Joke of 0102second line");
  EXPECT_EQ(engine::CurrentArea(), 2);
  // Work area 2 reopened with another table: its fields read as blanks, never out of bounds.
  std::string other = dir_.File("tiny.dbf");
  engine::CreateDbf(other, {{"X", 'L', 1, 0}});
  engine::USE(other + " ALIAS PEOPLE");
  engine::Select(1);
  Evaluate(e.get());
  EXPECT_FALSE(ResultLogical(*e));
}

TEST_F(Filters, FailedFilterLeavesNone) {
  ThemeTable({"0101", "0102"});
  EXPECT_EQ(testing::ContextOf(testing::RaisedMessage([] { engine::Set_Filter_To("THEDATE ="); })),
            "Error in expression : Syntax error\r\n[THEDATE =]\r\n [AssignExpr]");
  EXPECT_EQ(engine::Current()->filter, nullptr);
  EXPECT_EQ(Forwards(), (Records{1, 2}));
}

TEST_F(Filters, ClosingTheWorkAreaReleasesItsFilter) {
  ThemeTable({"0101"});
  engine::Set_Filter_To("THEDATE = \"0101\"");
  const std::size_t live = LiveExpressionCount();
  engine::Set_Filter_To("THEDATE = \"0102\"");
  EXPECT_EQ(LiveExpressionCount(), live);
  engine::CloseArea();
  EXPECT_EQ(LiveExpressionCount(), live - 1);
}

TEST_F(Filters, FilterOnAnotherAreasFieldFollowsThatArea) {
  ThemeTable({"0101", "0102", "0103"});
  engine::Select(2);
  PeopleTable({{"0102"}});
  engine::Select(1);
  engine::Set_Filter_To("THEDATE = TRIM(PEOPLE->NAME)");
  EXPECT_EQ(Forwards(), (Records{2}));
  EXPECT_EQ(engine::CurrentArea(), 1);
}

// The filter FIELD = "text" is tested on the stored bytes, as each reads (an OEM open reads
// them in ANSI, box drawing as look-alikes); wrapped so that no byte test applies, the
// expression itself decides. Both must keep the same records, going either way.
TEST_F(Filters, ByteTestsKeepWhatTheExpressionKeeps) {
  testing::RawTable t;
  t.fields = {{"CODE", 'C', 4}, {"NUM", 'N', 4}};
  t.records = {" 0704  12", " 07    12", " 0704x  1", std::string(" 07\0\0   3", 9), " 0705  44", "*0704  12",
               " \201ber   5", " a\304b    6", " a-b    7"};
  const std::string path = dir_.File("codes.dbf");
  t.WriteTo(path);
  const char* filters[] = {
      "CODE=\"0704\"", "(code = '07')", "CODE==\"0704\"", "CODE==\"07\"", "CODE=\"\"",
      "CODE=\"07040\"", "CODE==\"07  \"", "((CODE=\"0705\"))", "NUM=12 .AND. CODE=\"07\"",
      "CODE=\"\xFC\"", "CODE=\"\x81\"", "CODE=\"a-b\"", "CODE==\"a\304b\"",
  };
  for (const char* filter : filters) {
    for (const bool sequential : {false, true}) {
      for (const bool oem : {false, true}) {
        std::vector<int32_t> kept[2];
        for (int wrapped = 0; wrapped < 2; ++wrapped) {
          engine::Switches().oem = oem;
          engine::UseTable(path, {false, "", sequential});
          engine::SetIgnoreDel(true);
          engine::Set_Filter_To(wrapped ? std::string(".T. .AND. (") + filter + ")" : std::string(filter));
          for (engine::GoTop(); !engine::dEOF(); engine::Skip(1)) kept[wrapped].push_back(engine::RecNo());
          for (engine::GoBottom(); !engine::dEOF() && !engine::dBOF(); engine::Skip(-1))
            kept[wrapped].push_back(-engine::RecNo());
        }
        EXPECT_EQ(kept[0], kept[1]) << filter << (sequential ? " (sequential)" : "") << (oem ? " (OEM)" : "");
      }
    }
  }
  engine::Switches().oem = false;
}

}  // namespace
}  // namespace vornelle::expr
