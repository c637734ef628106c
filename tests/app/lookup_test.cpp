// The day lookup: what the pane shows for a day and which themes are named in a box.

#include <gtest/gtest.h>

#include <filesystem>

#include "app/core/day_lookup.h"
#include "app/core/program.h"
#include "tests/app/app_fixture.h"

namespace vornelle::app {
namespace {

using testing::ThemeRecord;

class DayLookup : public testing::AppTest {
 protected:
  std::vector<std::string> Show(const std::vector<std::string>& themes, int month, int day,
                                WindowGeometry window = {100, 100, 400, 300}) {
    const testing::FixedDate date(2024, month, day);
    ShowDayMessages(date, themes, program_.joketbl, pane_, boxes_, window);
    return pane_.lines;
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> out;
    for (const auto& box : boxes_.confirms) out.push_back(box.text);
    return out;
  }
  Program program_{"Vornel.Ini"};
};

TEST_F(DayLookup, KeyAndFilterOfADay) {
  EXPECT_EQ(DayKey({2024, 7, 4}), "0704");
  EXPECT_EQ(DayKey({2024, 12, 25}), "1225");
  EXPECT_EQ(DayFilter("0229"), "(THEDATE=\"0229\")");
}

TEST_F(DayLookup, NoThemeEmptiesThePane) {
  pane_.lines = {"stale"};
  EXPECT_TRUE(Show({}, 7, 4).empty());
  EXPECT_EQ(pane_.clears, 1);
  EXPECT_TRUE(boxes_.confirms.empty());
}

TEST_F(DayLookup, OneThemeShowsItsMessageAlone) {
  Theme("a.dbf", {{"9999", "A"}, {"0704", "Fireworks.\r\nSecond line \xfc."}});
  EXPECT_EQ(Show({"a.dbf"}, 7, 4), (std::vector<std::string>{"Fireworks.", "Second line \xc3\xbc."}));
  EXPECT_TRUE(boxes_.confirms.empty());
}

TEST_F(DayLookup, ThemeWithoutAMessageIsNamedAndKeepsItsSeparator) {
  Theme("a.dbf", {{"0704", "from a"}});
  Theme("b.dbf", {{"0101", "not today"}});
  Theme("c.dbf", {{"0704", "from c\r\nline 2"}});
  EXPECT_EQ(Show({"a.dbf", "b.dbf", "c.dbf"}, 7, 4),
            (std::vector<std::string>{"from a", "", kSeparator, "", "", kSeparator, "", "from c",
                                      "line 2"}));
  ASSERT_EQ(boxes_.confirms.size(), 1u);
  EXPECT_EQ(boxes_.confirms[0].text, "No Message on File for This .db: b.dbf");
  // A little up and left of the window's middle: 100 + 400/2 - 50, 100 + 300/2 - 25.
  EXPECT_EQ(boxes_.confirms[0].at.x, 250);
  EXPECT_EQ(boxes_.confirms[0].at.y, 225);
  EXPECT_EQ(std::string(kSeparator), std::string(25, '#'));
}

TEST_F(DayLookup, OnlyTheSecondThemeHasAMessage) {
  Theme("a.dbf", {{"0101", "x"}});
  Theme("b.dbf", {{"0704", "from b"}});
  EXPECT_EQ(Show({"a.dbf", "b.dbf"}, 7, 4), (std::vector<std::string>{"", kSeparator, "", "from b"}));
}

TEST_F(DayLookup, LeapDayBlanksFirstRecordsAndDeletedRecords) {
  Theme("a.dbf", {{"0228", "x"}, {"1225", "first", true}, {"1225", "second"}});
  EXPECT_TRUE(Show({" \ta.dbf \r\n"}, 2, 29).empty());
  ASSERT_EQ(Texts(), std::vector<std::string>{"No Message on File for This .db: a.dbf"});
  // The first record in table order, though it is marked deleted.
  EXPECT_EQ(Show({"a.dbf"}, 12, 25), std::vector<std::string>{"first"});
}

TEST_F(DayLookup, EmptyMemoAddsNothingButTheSeparator) {
  Theme("a.dbf", {{"0704", "a"}});
  Theme("b.dbf", {{"0704", ""}});
  EXPECT_EQ(Show({"a.dbf", "b.dbf"}, 7, 4), (std::vector<std::string>{"a", "", kSeparator, ""}));
  EXPECT_TRUE(boxes_.confirms.empty());
}

// A theme as Visual FoxPro keeps it: block numbers in 4 binary bytes (here with a byte the OEM
// translation would change), its memo file an .fpt of small blocks.
TEST_F(DayLookup, VisualFoxProThemeShowsItsMessage) {
  testing::RawTable table;
  table.version = 0x30;
  table.fields = {{"THEDATE", 'C', 4}, {"THEJOKE", 'M', 4}};
  table.records = {std::string(" 9999") + std::string(4, '\0'), std::string(" 0704\x81") + std::string(3, '\0')};
  table.WriteTo(Folder() + "/vfp.dbf");
  std::string memo(8, '\0');
  memo[7] = 8;  // block size 8
  memo.resize(0x81 * 8);
  const std::string text = "Fireworks.\r\nSecond line \x81.";
  memo += std::string("\0\0\0\1\0\0\0", 7) + static_cast<char>(text.size()) + text;
  testing::WriteFileBytes(Folder() + "/vfp.fpt", memo);
  EXPECT_EQ(Show({"vfp.dbf"}, 7, 4), (std::vector<std::string>{"Fireworks.", "Second line \xc3\xbc."}));
  EXPECT_TRUE(boxes_.confirms.empty());
}

// Bytes past the end mark are no records, though the file has room for them: a record slot that
// begins with the mark ends the theme, wherever the header's count stops.
TEST_F(DayLookup, RecordsEndAtTheEndMark) {
  Theme("a.dbf", {{"9999", "A"}, {"0704", "kept"}, {"0705", "past the end"}});
  std::string bytes = testing::ReadFileBytes(Folder() + "/a.dbf");
  const auto u16 = [&](int at) { return static_cast<uint8_t>(bytes[at]) | static_cast<uint8_t>(bytes[at + 1]) << 8; };
  bytes[4] = 1;  // the header counts one record
  bytes[static_cast<std::size_t>(u16(8) + 2 * u16(10))] = '\x1a';
  testing::WriteFileBytes(Folder() + "/a.dbf", bytes);
  EXPECT_EQ(Show({"a.dbf"}, 7, 4), std::vector<std::string>{"kept"});
  EXPECT_TRUE(Show({"a.dbf"}, 7, 5).empty());
  EXPECT_EQ(Texts(), std::vector<std::string>{"No Message on File for This .db: a.dbf"});
}

TEST_F(DayLookup, TableGoneWhileRunningIsAnErrorNotANewTable) {
  Theme("a.dbf", {{"0704", "a"}});
  pane_.lines = {"stale"};
  EXPECT_THROW(Show({"a.dbf", "gone.dbf"}, 7, 4), engine::ETavrinError);
  EXPECT_TRUE(pane_.lines.empty());
  EXPECT_TRUE(boxes_.confirms.empty());
  EXPECT_FALSE(std::filesystem::exists("gone.dbf"));
}

TEST_F(DayLookup, FailureLeavesThePaneEmpty) {
  Theme("a.dbf", {{"0704", "a"}});
  testing::WriteFileBytes(Folder() + "/broken.dbf", "not a table at all, and long enough to be read");
  pane_.lines = {"stale"};
  EXPECT_THROW(Show({"a.dbf", "broken.dbf"}, 7, 4), platform::Exception);
  EXPECT_TRUE(pane_.lines.empty());
}

TEST_F(DayLookup, BoxPositionsBelowZeroAreLeftToTheBox) {
  Theme("a.dbf", {{"0101", "x"}});
  Show({"a.dbf"}, 7, 4, {-300, 10, 190, 153});
  ASSERT_EQ(boxes_.confirms.size(), 1u);
  EXPECT_EQ(boxes_.confirms[0].at.x, -300 + 95 - 50);  // the box itself ignores it
  EXPECT_EQ(boxes_.confirms[0].at.y, 10 + 76 - 25);
}

}  // namespace
}  // namespace vornelle::app
