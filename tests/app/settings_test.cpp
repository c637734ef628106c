// The settings file: defaults, how values are read, what a save writes, and writes that fail.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>

#include "app/core/program.h"
#include "app/core/settings.h"
#include "platform/profile.h"
#include "tests/app/app_fixture.h"

namespace vornelle::app {
namespace {

class SettingsFile : public testing::AppTest {
 protected:
  std::string Path() const { return Folder() + "/Vornel.Ini"; }
  std::string Value(const char* section, const std::string& key) const {
    return platform::GetProfileString(Path(), section, key, "<missing>");
  }
  void Load() { LoadSettings(Path(), settings_, themes_); }
  void Save(WindowGeometry live = {50, 50, 190, 153}, int panel = 305) {
    SaveSettings(Path(), settings_, themes_, live, panel);
  }
  Settings settings_;
  ThemeLists themes_;
};

TEST_F(SettingsFile, WithoutAFileEverythingHasItsDefault) {
  Load();
  EXPECT_EQ(settings_.Top, 50);
  EXPECT_EQ(settings_.Left, 50);
  EXPECT_EQ(settings_.Width, 190);
  EXPECT_EQ(settings_.Height, 153);
  EXPECT_EQ(settings_.SPTOP, 305);
  EXPECT_EQ(settings_.start.SPTOP, 305);
  EXPECT_EQ(settings_.JMsgFN, "System");
  EXPECT_EQ(settings_.CalFN, "System");
  EXPECT_EQ(settings_.JMsgFS, 10);
  EXPECT_EQ(settings_.WC, 0x808000u);
  EXPECT_EQ(settings_.CTC, 0xFF0000u);
  EXPECT_EQ(settings_.THETHEME, "Pellmarsh");
  EXPECT_EQ(settings_.pane_style, 0u);
  EXPECT_TRUE(themes_.SelTheme.empty());
}

TEST_F(SettingsFile, IntegersInDecimalOrHexAndOtherwiseTheDefault) {
  EXPECT_EQ(ReadInteger("0x20", 50), 32);
  EXPECT_EQ(ReadInteger("$20", 50), 32);
  EXPECT_EQ(ReadInteger("abc", 50), 50);
  EXPECT_EQ(ReadInteger("-12", 50), -12);
  EXPECT_EQ(ReadInteger("0x", 50), 50);  // two characters: not hexadecimal, and not decimal either
  EXPECT_EQ(ReadInteger("12x", 50), 50);
  EXPECT_EQ(ReadInteger("", 50), 50);
  EXPECT_EQ(ReadInteger("99999999999", 50), 50);
  WriteSettings("[WinSet]\nTop=0x20\nLeft=$20\nWidth=abc\nCMBC=16777215\n");
  Load();
  EXPECT_EQ(settings_.Top, 32);
  EXPECT_EQ(settings_.Left, 32);
  EXPECT_EQ(settings_.Width, 190);
  EXPECT_EQ(settings_.start.Top, 32);
}

TEST_F(SettingsFile, OneStyleAFontBoldFirst) {
  WriteSettings("[WinSet]\nCalFSBold=1\nCalFSItalic=1\nJMsgFSUnderline=5\n");
  Load();
  EXPECT_EQ(settings_.calendar_style, fsBold);
  EXPECT_EQ(settings_.pane_style, fsUnderline);
  // A combined style is written as none and comes back regular.
  settings_.pane_style = fsBold | fsItalic;
  Save();
  for (const char* key : {"JMsgFSBold", "JMsgFSItalic", "JMsgFSUnderline", "JMsgFSStrikeOut"})
    EXPECT_EQ(Value("WinSet", key), "0") << key;
  EXPECT_EQ(Value("WinSet", "CalFSBold"), "1");
  Settings again;
  LoadSettings(Path(), again, themes_);
  EXPECT_EQ(again.pane_style, 0u);
}

TEST_F(SettingsFile, SaveWritesTheLiveWindowAndEveryValue) {
  themes_.SelTheme = {"a.dbf", "b.dbf"};
  themes_.SelThemeD = {"A", "B \xc3\xbc"};
  settings_.SettingsChanged = true;
  Save({10, 20, 474, 502}, 280);
  EXPECT_EQ(Value("WinSet", "Left"), "10");
  EXPECT_EQ(Value("WinSet", "Top"), "20");
  EXPECT_EQ(Value("WinSet", "Width"), "474");
  EXPECT_EQ(Value("WinSet", "SPTOP"), "280");
  EXPECT_EQ(Value("WinSet", "CMBC"), "16777215");
  EXPECT_EQ(Value("WinSet", "WC"), "8421376");
  EXPECT_EQ(Value("WinSet", "THETHEME"), "<missing>");  // read, never written
  EXPECT_EQ(Value("THEMES", "ThemeLINES"), "2");
  EXPECT_EQ(Value("THEMES", "DB_1"), "b.dbf");
  EXPECT_EQ(Value("THEMES", "DBD_1"), "B \xc3\xbc");
  EXPECT_TRUE(settings_.SettingsSaved);
  EXPECT_FALSE(settings_.SettingsChanged);
  EXPECT_EQ(settings_.start.Top, 50);  // the start geometry stays as read
}

TEST_F(SettingsFile, FewerThemesLeaveTheOldKeysBehindUnread) {
  themes_.SelTheme = {"a.dbf", "b.dbf", "c.dbf"};
  themes_.SelThemeD = {"A", "B", "C"};
  Save();
  themes_.SelTheme.pop_back();
  themes_.SelThemeD.pop_back();
  Save();
  EXPECT_EQ(Value("THEMES", "ThemeLINES"), "2");
  EXPECT_EQ(Value("THEMES", "DB_2"), "c.dbf");
  Load();
  EXPECT_EQ(themes_.SelTheme, (std::vector<std::string>{"a.dbf", "b.dbf"}));
}

TEST_F(SettingsFile, LongFontNamesAreCutToFortyCharacters) {
  const std::string long_name(50, 'F');
  WriteSettings("[WinSet]\nJMsgFN=" + long_name + "\nTHETHEME=" + long_name + "\n");
  Load();
  EXPECT_EQ(settings_.JMsgFN, std::string(40, 'F'));
  EXPECT_EQ(settings_.THETHEME, std::string(40, 'F'));
  Save();
  EXPECT_EQ(Value("WinSet", "JMsgFN"), std::string(40, 'F'));
}

TEST_F(SettingsFile, MoreLinesThanThemesGiveEmptyNamesThatTheLookupRefuses) {
  WriteSettings("[THEMES]\nThemeLINES=3\nDB_0=a.dbf\nDBD_0=A\n");
  Load();
  EXPECT_EQ(themes_.SelTheme, (std::vector<std::string>{"a.dbf", "", ""}));
  EXPECT_EQ(themes_.SelThemeD, (std::vector<std::string>{"A", "", ""}));
  WriteSettings("[THEMES]\nThemeLINES=2000000000\n");  // a damaged count reads a bounded number
  Load();
  EXPECT_EQ(themes_.SelTheme.size(), static_cast<std::size_t>(kMaxDisplayedThemes));
}

TEST_F(SettingsFile, AWriteThatFailsSaysSoAndKeepsTheFlags) {
  WriteSettings("[WinSet]\nTop=1\n");
  chmod(Path().c_str(), 0444);
  settings_.SettingsChanged = true;
  try {
    Save();
    FAIL() << "no error";
  } catch (const ESettingsWrite& e) {
    EXPECT_EQ(std::string(e.what()), "Unable to write to " + Path());
  }
  EXPECT_TRUE(settings_.SettingsChanged);
  EXPECT_FALSE(settings_.SettingsSaved);
  EXPECT_EQ(testing::ReadFileBytes(Path()), "[WinSet]\nTop=1\n");
  EXPECT_THROW(WriteWindowPosition(Path(), 5, 6), ESettingsWrite);
}

TEST_F(SettingsFile, PositionAloneTouchesNothingElse) {
  WriteSettings("; mine\n[WinSet]\nTop=1\nWidth=300\n");
  WriteWindowPosition(Path(), 70, 80);
  EXPECT_EQ(testing::ReadFileBytes(Path()), "; mine\n[WinSet]\nTop=70\nWidth=300\nLeft=80\n");
}

// Bytes this process has read from files so far.
long long BytesRead() {
  std::ifstream io("/proc/self/io");
  std::string name;
  long long value = 0;
  while (io >> name >> value) {
    if (name == "rchar:") return value;
  }
  return 0;
}

TEST_F(SettingsFile, LoadReadsTheFileOnce) {
  std::string text = "[THEMES]\nThemeLINES=2000000000\nDB_0=a.dbf\n[WinSet]\nTop=7\n";
  while (text.size() < 500000) text += "; " + std::string(100, '-') + "\n";
  WriteSettings(text);
  const long long before = BytesRead();
  Load();
  EXPECT_LT(BytesRead() - before, 2 * static_cast<long long>(text.size()));
  EXPECT_EQ(settings_.Top, 7);
  EXPECT_EQ(themes_.SelTheme.size(), static_cast<std::size_t>(kMaxDisplayedThemes));
  EXPECT_EQ(themes_.SelTheme[0], "a.dbf");
}

TEST_F(SettingsFile, AValueThatCannotBeStoredWritesNothing) {
  const std::string before = "[WinSet]\nTop=1\n";
  WriteSettings(before);
  themes_.SelTheme = {"a.dbf", "caf\xe9.dbf"};
  themes_.SelThemeD = {"A", "Caf\xc3\xa9"};
  settings_.SettingsChanged = true;
  try {
    Save();
    FAIL() << "no error";
  } catch (const ESettingsWrite& e) {
    EXPECT_EQ(std::string(e.what()),
              "Unable to write to " + Path() + ": the value is not UTF-8 text (DB_1=caf\\xE9.dbf)");
  }
  EXPECT_TRUE(settings_.SettingsChanged);
  EXPECT_EQ(testing::ReadFileBytes(Path()), before);
}

}  // namespace
}  // namespace vornelle::app
