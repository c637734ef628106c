// The plain-text form of a theme.

#include <gtest/gtest.h>

#include "themes/theme_source.h"

namespace vornelle::themes {
namespace {

TEST(ThemeSourceText, RecordsCommentsAndEscapes) {
  const ThemeSource source = ParseThemeSource(
      "# a comment before\r\n@9999\r\nSayings\r\n@0101\nFirst line\n\nthird line\n\n\n"
      "# a comment inside\n@0229\n\\@not a record\n\\#not a comment\n\\\\one backslash\n");
  EXPECT_TRUE(source.errors.empty());
  ASSERT_EQ(source.records.size(), 3u);
  EXPECT_EQ(source.records[0].key, "9999");
  EXPECT_EQ(source.records[0].lines, std::vector<std::string>{"Sayings"});
  EXPECT_EQ(source.records[1].lines, (std::vector<std::string>{"First line", "", "third line"}));
  EXPECT_EQ(source.records[1].line_number, 4);
  EXPECT_EQ(source.records[2].lines,
            (std::vector<std::string>{"@not a record", "#not a comment", "\\one backslash"}));
}

TEST(ThemeSourceText, MistakesAreReportedWithTheirLine) {
  const ThemeSource source = ParseThemeSource("stray text\n@1301\nx\n@12\n@0230\n");
  EXPECT_EQ(source.errors,
            (std::vector<std::string>{"line 1: text before the first record",
                                      "line 2: \"1301\" is not a day of the year",
                                      "line 4: a record line is \"@\" and four digits",
                                      "line 5: \"0230\" is not a day of the year"}));
}

TEST(ThemeSourceText, KeysAreTheDaysOfALeapYearAndTheDescription) {
  EXPECT_TRUE(IsThemeKey("0101"));
  EXPECT_TRUE(IsThemeKey("0229"));
  EXPECT_TRUE(IsThemeKey("1231"));
  EXPECT_TRUE(IsThemeKey("9999"));
  for (const char* bad : {"0000", "0230", "0431", "1301", "0100", "12a1", "123", "01011"})
    EXPECT_FALSE(IsThemeKey(bad)) << bad;
}

}  // namespace
}  // namespace vornelle::themes
