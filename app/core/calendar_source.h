#pragma once
// Calendar files of the reminder utility as theme material: "MM/DD<TAB>event",
// "Mon DD<TAB>event" or "DD Mon<TAB>event", continuation lines that start with a tab, C
// comments, and preprocessor lines (#include followed, the others skipped as the preprocessor
// the utility runs would leave them).
//
// Only events on a fixed day of the year become messages; weekday rules ("May Sun+2",
// "07/FriLast"), Easter and "*" (every month) are counted and left out.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vornelle::app {

struct CalendarLine {
  std::string text;  // UTF-8, leading and trailing blanks removed
  int number = 0;    // in its file
};

struct CalendarEvent {
  std::string key;                  // "MMDD"
  std::string file;                 // the file it stands in (an included one, or the first)
  std::vector<CalendarLine> lines;  // the event's text, then its continuation lines
};

struct CalendarSource {
  std::vector<CalendarEvent> events;  // in file order, included files in place
  int unfixed = 0;                    // events left out: no fixed day holds them
  std::vector<std::string> errors;    // "FILE: line N: ...", includes that cannot be followed
};

// The text of a file, or nothing when it cannot be read.
using FileReader = std::function<std::optional<std::string>(const std::string& path)>;

// Reads `path` and the files it includes: a name is looked up in the including file's folder,
// then in /etc/calendar and /usr/share/calendar, as the utility does. Each file is read once
// (the distributed files guard themselves against a second inclusion), at most 8 deep.
CalendarSource ParseCalendar(const std::string& path, const FileReader& read);

// The day key "MMDD" of a calendar line's date (the text before its tab), or nothing when the
// date names no fixed day of a leap year.
std::optional<std::string> CalendarDateKey(std::string_view date);

}  // namespace vornelle::app
