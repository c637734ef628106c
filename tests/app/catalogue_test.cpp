// The theme catalogue: which files are themes, their descriptions, and a folder or a table the
// program cannot start with.

#include <gtest/gtest.h>

#include <filesystem>

#include "app/core/day_lookup.h"
#include "app/core/program.h"
#include "app/core/theme_catalogue.h"
#include "tests/app/app_fixture.h"
#include "themes/theme_folders.h"
#include "themes/theme_table.h"

namespace vornelle::app {
namespace {

class Catalogue : public testing::AppTest {
 protected:
  bool Scan() { return ScanThemes(program_.joketbl, program_.themes, boxes_, {50, 50, 190, 153}); }
  Program program_{"Vornel.Ini"};
};

TEST_F(Catalogue, TablesOfTheFolderInNameOrderWithTheirDescriptions) {
  Theme("b.dbf", {{"0101", "x"}, {"9999", "Second\r\nmore lines are ignored"}});
  Theme("A.DBF", {{"9999", "First \xfc"}});
  Theme("c.dbf", {{"9999", ""}});  // an empty description keeps the lists parallel
  std::filesystem::create_directory("folder.dbf");
  testing::WriteFileBytes(Folder() + "/notes.txt", "not a theme");
  ASSERT_TRUE(Scan());
  EXPECT_EQ(program_.themes.AvailTheme, (std::vector<std::string>{"A.DBF", "b.dbf", "c.dbf"}));
  EXPECT_EQ(program_.themes.AvailThemeD, (std::vector<std::string>{"First \xc3\xbc", "Second", ""}));
  EXPECT_TRUE(boxes_.confirms.empty());
}

TEST_F(Catalogue, FolderWithoutTablesCannotStart) {
  EXPECT_FALSE(Scan());
  ASSERT_EQ(boxes_.confirms.size(), 1u);
  EXPECT_EQ(boxes_.confirms[0].text, "No Message Files Exists! Please check your installation.");
  EXPECT_EQ(boxes_.confirms[0].at.x, 50 + 95 - 50);
  EXPECT_EQ(boxes_.confirms[0].at.y, 50 + 76 - 25);
}

TEST_F(Catalogue, TableWithoutDescriptionIsLeftOut) {
  Theme("a.dbf", {{"9999", "A"}});
  Theme("b.dbf", {{"0101", "no description"}});
  Theme("c.dbf", {{"9999", "C"}});
  EXPECT_TRUE(Scan());
  ASSERT_EQ(boxes_.confirms.size(), 1u);
  EXPECT_EQ(boxes_.confirms[0].text, "No Description on File for This .db: b.dbf");
  EXPECT_EQ(program_.themes.AvailTheme, (std::vector<std::string>{"a.dbf", "c.dbf"}));
  EXPECT_EQ(program_.themes.AvailThemeD, (std::vector<std::string>{"A", "C"}));
}

TEST_F(Catalogue, StartUpReadsSettingsThenScans) {
  Theme("a.dbf", {{"9999", "A"}});
  WriteSettings("[THEMES]\nThemeLINES=1\nDB_0=a.dbf\nDBD_0=A\n");
  Program program;
  EXPECT_TRUE(program.LoadAndScan(boxes_, {}));
  EXPECT_EQ(program.themes.SelTheme, std::vector<std::string>{"a.dbf"});
  EXPECT_EQ(program.themes.AvailThemeD, std::vector<std::string>{"A"});
  EXPECT_FALSE(program.startup_failed);
  std::filesystem::remove("a.dbf");
  std::filesystem::remove("a.dbt");
  Program empty;
  EXPECT_FALSE(empty.LoadAndScan(boxes_, {}));
  EXPECT_TRUE(empty.startup_failed);
}

TEST_F(Catalogue, DisplayedThemesWithAPathOrANulAreLeftOutAndNeverCreated) {
  Theme("a.dbf", {{"9999", "A"}, {"1208", "Today"}});
  std::filesystem::create_directory("inner");
  using namespace std::string_literals;  // the NUL stays in the text
  WriteSettings("[THEMES]\nThemeLINES=5\nDB_0=../escaped.dbf\nDBD_0=E\nDB_1=a.dbf\nDBD_1=A\n"
                "DB_2=/tmp/elsewhere\nDB_3=alma\0nac.dbf\nDB_4=inner/b.dbf\n"s);
  Program program;
  ASSERT_TRUE(program.LoadAndScan(boxes_, {}));
  EXPECT_EQ(program.themes.SelTheme, std::vector<std::string>{"a.dbf"});
  EXPECT_EQ(program.themes.SelThemeD, std::vector<std::string>{"A"});
  std::vector<std::string> told;
  for (const auto& box : boxes_.confirms) told.push_back(box.text);
  EXPECT_EQ(told, (std::vector<std::string>{
                      "Not a Theme of This Folder, Left Out: ../escaped.dbf",
                      "Not a Theme of This Folder, Left Out: /tmp/elsewhere",
                      "Not a Theme of This Folder, Left Out: alma\\x00nac.dbf",
                      "Not a Theme of This Folder, Left Out: inner/b.dbf"}));
  testing::FixedDate day(2026, 12, 8);
  program.ShowDay(day, pane_, boxes_, {});
  EXPECT_EQ(pane_.lines, std::vector<std::string>{"Today"});
  for (const char* never : {"../escaped.dbf", "/tmp/elsewhere.dbf", "alma", "inner/b.dbf"})
    EXPECT_FALSE(std::filesystem::exists(never)) << never;
}

TEST_F(Catalogue, DisplayedThemesWithoutTheirTableAreLeftOutAndNeverCreated) {
  Theme("a.dbf", {{"9999", "A"}, {"1208", "from a"}});
  Theme("b.dbf", {{"9999", "B"}, {"1208", "from b"}});
  struct Row {
    const char* entry;
    const char* left_out;  // as the box names it; null when the theme stays
  };
  const std::vector<Row> rows = {
      {"garden.dbf", "garden.dbf"},
      {"a.dbf", nullptr},
      {" \tGone ", "Gone"},  // trimmed, the extension added when looked for
      {"B.DBF", nullptr},     // the case resolved as the table is opened
      {"b", nullptr},
  };
  std::string settings = "[THEMES]\nThemeLINES=" + std::to_string(rows.size()) + "\n";
  std::vector<std::string> kept, kept_descriptions, told;
  for (std::size_t n = 0; n < rows.size(); ++n) {
    const std::string d = "D" + std::to_string(n);
    settings += "DB_" + std::to_string(n) + "=" + rows[n].entry + "\nDBD_" + std::to_string(n) + "=" + d + "\n";
    if (rows[n].left_out) {
      told.push_back(std::string("Theme File Not Found, Left Out: ") + rows[n].left_out);
    } else {
      kept.push_back(rows[n].entry);
      kept_descriptions.push_back(d);
    }
  }
  WriteSettings(settings);
  // The first run shows what is there; the next starts as well as the first.
  for (int run = 0; run < 2; ++run) {
    Program program;
    boxes_.confirms.clear();
    ASSERT_TRUE(program.LoadAndScan(boxes_, {})) << run;
    EXPECT_EQ(program.themes.SelTheme, kept);
    EXPECT_EQ(program.themes.SelThemeD, kept_descriptions);
    std::vector<std::string> texts;
    for (const auto& box : boxes_.confirms) texts.push_back(box.text);
    EXPECT_EQ(texts, told);
    testing::FixedDate day(2026, 12, 8);
    program.ShowDay(day, pane_, boxes_, {});
    EXPECT_EQ(pane_.lines, (std::vector<std::string>{"from a", "", kSeparator, "", "from b", "",
                                                     kSeparator, "", "from b"}));
  }
  EXPECT_EQ(testing::ReadFileBytes(Folder() + "/Vornel.Ini"), settings);  // kept until a save
}

// The user folder mode: the system's folders offer what the user's own folder has not (case
// aside), read-only; a displayed system theme that is gone is left out like any other.
TEST_F(Catalogue, SharedFoldersOfferWhatTheUsersFolderHasNot) {
  const std::string local = Folder() + "/local", system = Folder() + "/system";
  std::filesystem::create_directories(Folder() + "/mine");
  std::filesystem::create_directory(local);
  std::filesystem::create_directory(system);
  Theme("mine/Garden.dbf", {{"9999", "My garden"}});
  Theme("local/extra.dbf", {{"9999", "Local extra"}});
  Theme("system/GARDEN.DBF", {{"9999", "System garden"}});
  Theme("system/extra.dbf", {{"9999", "System extra"}});
  Theme("system/almanac.dbf", {{"9999", "Almanac"}, {"0704", "Fireworks"}});
  for (const char* file : {"/GARDEN.DBF", "/almanac.dbf", "/almanac.dbt"})
    std::filesystem::permissions(system + file, std::filesystem::perms::owner_read);
  ASSERT_EQ(chdir("mine"), 0);
  themes::SetSharedThemeFolders({local, system});
  testing::WriteFileBytes("Vornel.Ini", "[THEMES]\nThemeLINES=3\nDB_0=almanac.dbf\nDBD_0=A\nDB_1=gone.dbf\nDBD_1=G\n"
                "DB_2=extra.dbf\nDBD_2=E\n");
  Program program;
  EXPECT_TRUE(program.LoadAndScan(boxes_, {}));
  std::vector<std::string> lines;
  EXPECT_TRUE(ReadDayMessage(program.joketbl, "almanac.dbf", "0704", lines));
  EXPECT_EQ(lines, std::vector<std::string>{"Fireworks"});
  themes::SetSharedThemeFolders({});
  EXPECT_EQ(program.themes.AvailTheme, (std::vector<std::string>{"Garden.dbf", "extra.dbf", "almanac.dbf"}));
  EXPECT_EQ(program.themes.AvailThemeD, (std::vector<std::string>{"My garden", "Local extra", "Almanac"}));
  EXPECT_EQ(program.themes.SelTheme, (std::vector<std::string>{"almanac.dbf", "extra.dbf"}));
  ASSERT_EQ(boxes_.confirms.size(), 1u);
  EXPECT_EQ(boxes_.confirms[0].text, std::string(kMissingThemeText) + "gone.dbf");
  EXPECT_FALSE(std::filesystem::exists("gone.dbf"));
  EXPECT_FALSE(std::filesystem::exists("almanac.dbf")) << "a system theme is read where it is";
}

}  // namespace
}  // namespace vornelle::app
