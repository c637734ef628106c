// Locate, Continue and the dataset's locate: field text scanned record by record.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "engine/engine.h"
#include "tests/support/test_support.h"

namespace vornelle::engine {
namespace {

using testing::ContextOf;
using testing::RawTable;
using testing::RaisedMessage;

class Search : public testing::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    RawTable t;
    t.version = 0x83;
    t.fields = {{"KEY", 'C', 4}, {"NAME", 'C', 8}, {"QTY", 'N', 5}, {"DAY", 'D', 8},
                {"OK", 'L', 1}, {"NOTE", 'M', 10}};
    auto row = [](char mark, const char* key, const char* name, const char* qty, const char* day,
                  char ok, const char* note) {
      char r[40];
      std::snprintf(r, sizeof r, "%c%-4s%-8s%5s%-8s%c%10s", mark, key, name, qty, day, ok, note);
      return std::string(r);
    };
    t.records = {row(' ', "1231", "ABC", "7", "20240101", 'T', ""),
                 row('*', "12", "abc", "42", "20240704", 'F', "1"),
                 row(' ', "0704", "M\x81ller", "42", "20241225", 'T', "2"),
                 row(' ', "9999", "abcdef", "42", "20240704", 'F', "")};
    path_ = dir_.File("s.dbf");
    t.WriteTo(path_);
    std::string memo(512, '\0');
    memo[0] = 3;
    memo += std::string("first line\r\nthe Needle here\x1A\x1A").append(512 - 29, '\0');
    memo += "x\r\nneedle\x1A";
    testing::WriteFileBytes(dir_.File("s.dbt"), memo);
    Switches().oem = true;
    USE(path_);
  }
  std::vector<int> All(const std::string& spec, const std::string& text) {
    std::vector<int> found;
    int field = ParseLocateField(spec);
    SetLocateText(text);
    for (Locate(1, field); !dEOF(); Continue()) found.push_back(RecNo());
    return found;
  }
  std::string path_;
};

TEST_F(Search, MatchRules) {
  EXPECT_EQ(All("KEY", "12"), (std::vector<int>{1, 2}));  // a prefix of the field
  EXPECT_EQ(All("KEY EXACT", "12"), (std::vector<int>{}));  // "12  " is not "12"
  EXPECT_EQ(All("KEY EXACT", "12  "), (std::vector<int>{2}));
  EXPECT_EQ(All("key contained", "23"), (std::vector<int>{1}));
  EXPECT_EQ(All("NAME", "abc"), (std::vector<int>{2, 4}));
  EXPECT_EQ(All("NAME NOCASE", "abc"), (std::vector<int>{1, 2, 4}));
  EXPECT_EQ(All("NAME NOCASE", "m\xFCL"), (std::vector<int>{3}));  // compared as shown (ANSI)
  EXPECT_EQ(All("NOTE NOCASE", "needle"), (std::vector<int>{2, 3}));  // any line of the memo
  EXPECT_EQ(All("NOTE", "needle"), (std::vector<int>{3}));
  EXPECT_EQ(All("NOTE", ""), (std::vector<int>{}));  // an empty text is found nowhere
  EXPECT_EQ(All("NAME CONTAINED", ""), (std::vector<int>{}));
  EXPECT_EQ(ContextOf(RaisedMessage([&] { All("NAME NOCASEX", "x"); })),
            "Unrecognized field name [Locate/Count/Sum(NAME NOCASEX)]");  // not the option
}

TEST_F(Search, ContinueNeedsALocate) {
  const std::string message = "Call to CONTINUE not preceeded by call to LOCATE. [Continue]";
  EXPECT_EQ(ContextOf(RaisedMessage([] { Continue(); })), message);
  int field = ParseLocateField("KEY");
  SetLocateText("5555");
  Locate(1, field);
  EXPECT_TRUE(dEOF());
  EXPECT_EQ(ContextOf(RaisedMessage([] { Continue(); })), message);
  EXPECT_EQ(ContextOf(RaisedMessage([] { ParseLocateField(" "); })),
            "No field name specified [Locate/Count/Sum]");
  EXPECT_EQ(ContextOf(RaisedMessage([] { ParseLocateField("nope exact"); })),
            "Unrecognized field name [Locate/Count/Sum(NOPE)]");
}

TEST_F(Search, DatasetLocateByTypedKeys) {
  Go(4);
  EXPECT_TRUE(DatasetLocate("QTY", {42.0}, false, false, true));
  EXPECT_EQ(RecNo(), 2);
  EXPECT_TRUE(DatasetLocate("DAY", {platform::CalendarDate{2024, 12, 25}}, false, false, true));
  EXPECT_EQ(RecNo(), 3);
  EXPECT_TRUE(DatasetLocate("OK", {false}, false, false, true));
  EXPECT_EQ(RecNo(), 2);
  EXPECT_TRUE(DatasetLocate("name", {std::string("ABCDEF")}, true, false, true));
  EXPECT_EQ(RecNo(), 4);
  // Not moving, or not finding, keeps the current record.
  EXPECT_TRUE(DatasetLocate("KEY", {std::string("0704")}, false, false, false));
  EXPECT_EQ(RecNo(), 4);
  EXPECT_FALSE(DatasetLocate("KEY", {std::string("5555")}, false, false, true));
  EXPECT_EQ(RecNo(), 4);
  // Several fields: the first that finds its key wins.
  EXPECT_TRUE(DatasetLocate("KEY;QTY", {std::string("5555"), 7.0}, false,
                            false, true));
  EXPECT_EQ(RecNo(), 1);
}

TEST_F(Search, DatasetLocateSkipsRecordsThatDoNotPass) {
  SetIgnoreDel(true);
  EXPECT_TRUE(DatasetLocate("DAY", {platform::CalendarDate{2024, 7, 4}}, false, false, true));
  EXPECT_EQ(RecNo(), 4);  // record 2 matches but is deleted
  EXPECT_FALSE(DatasetLocate("KEY", {std::string("12  ")}, false, true, true));
}

TEST_F(Search, FiltersNeedTheExpressionUnit) {
  if (State().parser.linked) GTEST_SKIP() << "the expression unit is installed in this program";
  EXPECT_EQ(ContextOf(RaisedMessage([] { Set_Filter_To("KEY = \"1\""); })),
            "TZParser unit not linked in. [Set_Filter_To]");
}

}  // namespace
}  // namespace vornelle::engine
