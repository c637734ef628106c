#pragma once
// The plain-text form of a theme, from which the sample themes are made:
//
//   # a comment (a line starting with "#", anywhere)
//   @9999
//   The theme's description
//   @0101
//   The message for 1 January,
//   in as many lines as it needs.
//
// A line "@" + four digits starts a record with that key; the lines after it, up to the next
// record, are its message (trailing empty lines dropped). A message line that starts with "@",
// "#" or "\" is written with a "\" in front, which reading removes. The text is UTF-8; in the
// table the lines of a message are joined with CR LF.

#include <string>
#include <string_view>
#include <vector>

namespace vornelle::themes {

struct ThemeSourceRecord {
  std::string key;                 // "MMDD" or "9999"
  std::vector<std::string> lines;  // UTF-8
  int line_number = 0;             // where its "@" line stands
};

struct ThemeSource {
  std::vector<ThemeSourceRecord> records;
  std::vector<std::string> errors;  // "line N: ...", empty when the text is well-formed
};

ThemeSource ParseThemeSource(std::string_view text);

// True for the keys of a leap year's days, 0101 to 1231, and for 9999.
bool IsThemeKey(std::string_view key);

// What kind of file a theme is to be made from, by what its lines look like: "ics" when it
// begins with BEGIN:VCALENDAR, "text" when a line is a record's "@MMDD", "fortune" when a line holds only "%", "calendar" when a line starts
// with a date (MM/DD, "Mon DD" or "DD Mon") and a tab; empty when none of them.
std::string GuessSourceKind(std::string_view text);

}  // namespace vornelle::themes
