#pragma once
// Calendar files of the reminder utility as theme material: "MM/DD<TAB>event",
// "Mon DD<TAB>event" or "DD Mon<TAB>event", continuation lines that start with a tab, C
// comments, and preprocessor lines (#include followed, the others skipped as the preprocessor
// the utility runs would leave them).
//
// Only events on a fixed day of the year become messages; weekday rules ("May Sun+2",
// "07/FriLast"), Easter and "*" (every month) are counted and left out.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vornelle::themes {

struct CalendarLine {
  std::string text;  // UTF-8, leading and trailing blanks removed
  int number = 0;    // in its file
};

struct CalendarEvent {
  std::string key;                  // "MMDD"
  std::size_t file = 0;             // the file it stands in, in CalendarSource::files
  std::vector<CalendarLine> lines;  // the event's text, then its continuation lines
};

struct CalendarSource {
  std::vector<std::string> files;     // the files read, the first one first
  std::vector<CalendarEvent> events;  // in file order, included files in place
  int unfixed = 0;                    // events left out: no fixed day holds them
  std::vector<std::string> errors;    // "FILE: line N: ...", includes that cannot be followed
};

// The folders an #include may read from besides the including file's own.
inline constexpr const char* kSharedCalendarFolders[] = {"/etc/calendar", "/usr/share/calendar"};

// Where an #include of `name` in the file `from` is looked for, in order: beside `from`, then
// in each shared folder. Each place comes with the folder it must stay in. A name that would
// read elsewhere (an absolute path outside the shared folders, a ".." above the folder) has
// none: it is refused, whatever is there.
struct IncludePlace {
  std::string path;
  std::string folder;
};
std::vector<IncludePlace> IncludePlaces(std::string_view name, const std::string& from);

// How the parser reaches files.
class CalendarFiles {
 public:
  virtual ~CalendarFiles() = default;

  struct Found {
    enum Outcome { kFound, kMissing, kRefused, kUnreadable } outcome = kMissing;
    std::string file;     // kFound: the file itself, however it was named (a file is read once)
    std::string problem;  // kRefused, kUnreadable: why, to follow the name
  };
  // Where `path` leads. With a `folder`, links are followed only as long as they stay in it or
  // in a shared folder; one that leads elsewhere is refused, without a look at where it leads.
  virtual Found Locate(const std::string& path, const std::string& folder) = 0;
  // The text of a file Locate found, or nothing with the reason in `problem`.
  virtual std::optional<std::string> Read(const std::string& file, std::string& problem) = 0;
};

// Reads `path` and the files it includes, each once (the distributed files guard themselves
// against a second inclusion), at most 8 deep.
CalendarSource ParseCalendar(const std::string& path, CalendarFiles& files);

// The day key "MMDD" of a calendar line's date (the text before its tab), or nothing when the
// date names no fixed day of a leap year.
std::optional<std::string> CalendarDateKey(std::string_view date);

}  // namespace vornelle::themes
