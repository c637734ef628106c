// iCalendar files as theme material, and themes as iCalendar files.

#include <gtest/gtest.h>

#include <cstdlib>

#include "themes/icalendar_export.h"
#include "themes/icalendar_source.h"
#include "themes/theme_folders.h"

namespace vornelle::themes {
namespace {

std::string Wrapped(const std::string& events) {
  return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n" + events + "END:VCALENDAR\r\n";
}

// The first day, and its lines joined by "|", of what a file reads as; or its first problem.
std::string Read(const std::string& text) {
  const ICalendarSource source = ParseICalendar(text);
  if (!source.errors.empty()) return "! " + source.errors.front();
  if (source.events.empty()) return "";
  std::string lines;
  for (const CalendarLine& line : source.events.front().lines) lines += "|" + line.text;
  return source.events.front().key + " " + lines.substr(1);
}

TEST(ICalendarSource, EventsAndWhatIsRefused) {
  const std::pair<std::string, std::string> cases[] = {
      // Dates as written, unfolded and unescaped text; the summary repeated by the description once.
      {Wrapped("BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20240229\r\nSUMMARY:Leap\\, day\r\nDESCRIPTION:Leap\\, day\\n"
               "sec\r\n ond\\; \\\\ \\N third\r\nEND:VEVENT\r\n"),
       "0229 Leap, day|second; \\ | third"},
      {Wrapped("begin:vevent\ndtstart;tzid=\"Europe/Paris:x\":20250704T235900\nsummary:Late\nend:vevent\n"),
       "0704 Late"},
      {Wrapped("BEGIN:VEVENT\r\nDTSTART:20250101T000000Z\r\nSUMMARY:One\r\nDESCRIPTION:Two\r\nBEGIN:VALARM\r\n"
               "DESCRIPTION:alarm\r\nEND:VALARM\r\nEND:VEVENT\r\n"),
       "0101 One|Two"},
      {"\xEF\xBB\xBF" + Wrapped("BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20231231\r\nSUMMARY:x\r\nEND:VEVENT\r\n"),
       "1231 x"},
      {Wrapped("BEGIN:VEVENT\r\nDTSTART:20240101\r\nSUMMARY:Sun\r\nDESCRIPTION:\\n\\nSun\r\nEND:VEVENT\r\n"),
       "0101 ||Sun"},
      {Wrapped(""), ""},
      // Refusals, naming the line.
      {"", "! line 1: not an iCalendar file: no BEGIN:VCALENDAR"},
      {"@0101\nNot a calendar\n", "! line 1: not an iCalendar content line (NAME:VALUE)"},
      {"BEGIN:VCARD\r\n", "! line 1: not an iCalendar file: BEGIN:VCALENDAR expected"},
      {Wrapped("BEGIN:VEVENT\r\nDTSTART:20230229\r\nSUMMARY:x\r\nEND:VEVENT\r\n"),
       "! line 4: DTSTART 20230229 is no date"},
      {Wrapped("BEGIN:VEVENT\r\nSUMMARY:x\r\nEND:VTODO\r\n"),
       "! line 5: END:VTODO does not end BEGIN:VEVENT (line 3)"},
      {"BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nSUMMARY:x\r\n", "! line 3: BEGIN:VEVENT (line 2) never ends"},
      {Wrapped("X-BAD;PARAM:value\r\n"), "! line 3: not an iCalendar content line (NAME:VALUE)"},
      {Wrapped("SUMMARY:\xC3\r\n"), "! line 3: not UTF-8 text"},
      {Wrapped("X-LONG:" + std::string(1 << 20, 'x') + "\r\n"), "! line 3: a content line longer than 1 MiB"},
      {Wrapped("X-LONG:x\r\n" + std::string(2000, ' ') + std::string(2 << 20, 'y') + "\r\n"),
       "! line 3: a content line longer than 1 MiB"},
  };
  for (const auto& [text, read] : cases) EXPECT_EQ(Read(text), read) << text.substr(0, 200);
}

TEST(ICalendarSource, EventsLeftOutAreCounted) {
  const ICalendarSource source = ParseICalendar(Wrapped(
      "NAME:Own\r\nX-WR-CALNAME:Other\r\n"
      "BEGIN:VEVENT\r\nSUMMARY:no date\r\nEND:VEVENT\r\n"
      "BEGIN:VEVENT\r\nDTSTART:20240101\r\nEND:VEVENT\r\n"
      "BEGIN:VEVENT\r\nDTSTART:20240512\r\nRRULE:FREQ=YEARLY;BYDAY=2SU;BYMONTH=5\r\nSUMMARY:x\r\nEND:VEVENT\r\n"
      "BEGIN:VEVENT\r\nDTSTART:20240513\r\nRRULE:FREQ=YEARLY;BYMONTH=5;BYMONTHDAY=13\r\nSUMMARY:kept\r\nEND:VEVENT\r\n"
      "BEGIN:VEVENT\r\nDTSTART:20240301\r\nRECURRENCE-ID:20240301\r\nSUMMARY:x\r\nEND:VEVENT\r\n"));
  EXPECT_EQ(source.name, "Own");
  EXPECT_EQ(source.name_line, 3);
  ASSERT_EQ(source.events.size(), 1u);
  EXPECT_EQ(source.events[0].key, "0513");
  EXPECT_EQ(source.events[0].lines[0].number, 19);
  EXPECT_EQ(std::make_tuple(source.undated, source.textless, source.unfixed, source.overrides),
            std::make_tuple(1, 1, 1, 1));
  std::string garbage = "BEGIN:VCALENDAR\r\n";
  for (int i = 0; i < 100; ++i) garbage += "no colon\r\n";
  EXPECT_EQ(ParseICalendar(garbage).errors.size(), kMaxICalendarProblems);
}

TEST(ICalendarExport, FoldsAtSeventyFiveOctetsWithoutCuttingACharacter) {
  const std::pair<std::string, std::string> cases[] = {
      {std::string(75, 'a'), std::string(75, 'a') + "\r\n"},
      {std::string(76, 'a'), std::string(75, 'a') + "\r\n a\r\n"},
      {std::string(74, 'a') + "\xC3\xBC", std::string(74, 'a') + "\r\n \xC3\xBC\r\n"},
      {std::string(75 + 74 + 1, 'b'), std::string(75, 'b') + "\r\n " + std::string(74, 'b') + "\r\n b\r\n"},
  };
  for (const auto& [line, folded] : cases) EXPECT_EQ(FoldedLine(line), folded);
  EXPECT_EQ(ICalendarText("a,b;c\\d\r\ne\nf"), "a\\,b\\;c\\\\d\\ne\\nf");
}

// Each day's first record as the calendar shows it; nothing for empty texts and other keys.
TEST(ICalendarExport, OneYearlyEventADayTheCalendarShows) {
  const std::vector<ThemeRow> rows = {{1, "9999", {"My, theme"}, false}, {2, "0229", {"", "Leap"}, false},
                                      {3, "0229", {"second record"}, false}, {4, "1231", {"End"}, true},
                                      {5, "0101", {" "}, false},        {6, "abcd", {"no day"}, false}};
  const ICalendarExport out = ThemeAsICalendar("My Theme.dbf", rows, 0);
  EXPECT_EQ(out.days, 2);
  for (const char* part : {"X-WR-CALNAME:My\\, theme\r\n", "UID:0229.my%20theme@vornelle\r\n",
                           "DTSTAMP:19700101T000000Z\r\nDTSTART;VALUE=DATE:20000229\r\nDTEND;VALUE=DATE:20000301\r\n"
                           "RRULE:FREQ=YEARLY\r\nSUMMARY:Leap\r\nDESCRIPTION:\\nLeap\r\n",
                           "DTSTART;VALUE=DATE:20001231\r\nDTEND;VALUE=DATE:20010101\r\n"})
    EXPECT_NE(out.text.find(part), std::string::npos) << part;
  EXPECT_EQ(out.text.find("second record"), std::string::npos);
}

TEST(ThemeFolders, SystemFoldersFollowXdgDataDirs) {
  const std::pair<const char*, std::vector<std::string>> cases[] = {
      {nullptr, {"/usr/local/share/vornelle/themes", "/usr/share/vornelle/themes"}},
      {"", {"/usr/local/share/vornelle/themes", "/usr/share/vornelle/themes"}},
      {"relative:also/relative", {"/usr/local/share/vornelle/themes", "/usr/share/vornelle/themes"}},
      {"/opt/a/:rel::/b", {"/opt/a/vornelle/themes", "/b/vornelle/themes"}},
  };
  const char* old = std::getenv("XDG_DATA_DIRS");
  const std::string kept = old ? old : "";
  for (const auto& [value, folders] : cases) {
    value ? setenv("XDG_DATA_DIRS", value, 1) : unsetenv("XDG_DATA_DIRS");
    EXPECT_EQ(SystemThemeFolders(), folders) << (value ? value : "(unset)");
  }
  old ? setenv("XDG_DATA_DIRS", kept.c_str(), 1) : unsetenv("XDG_DATA_DIRS");
}

}  // namespace
}  // namespace vornelle::themes
