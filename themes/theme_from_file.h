#pragma once
// A theme made from a file people already have: the plain-text form (@MMDD records), a
// calendar(1) file, an iCalendar file, or a fortune file. Reading never writes: what the file holds that a theme
// cannot is collected as problems, each naming its file and line, and the caller writes the
// table only when there are none.

#include <optional>
#include <string>
#include <vector>

#include "themes/theme_table.h"

namespace vornelle::themes {

struct ThemeFromFile {
  std::vector<ThemeRow> rows;         // in the order the table gets them, the description first
  std::vector<std::string> problems;  // "FILE: line N: ...": nothing may be written
  std::vector<std::string> warnings;  // what was left out
};

// `from` is "text", "calendar", "ics" or "fortune"; `start` the first day of a fortune file's
// sayings. The description is `description` when given, else the text form's own @9999 record
// or the iCalendar file's name, else the source file's name. ThemeError when the source cannot be read.
ThemeFromFile ReadThemeFromFile(const std::string& from, const std::string& source,
                                const std::string& start = "0101",
                                const std::optional<std::string>& description = std::nullopt);

// A new theme of the current folder, as the calendar's editor makes one: `file` is a bare
// name (".dbf" added when it does not end so), empty when `source` is empty, else made from
// `source` as above. The table gets dBASE IV memos. Nothing is written when there are problems,
// among them a name that is taken or not bare.
struct NewTheme {
  std::string file;  // the name the table got
  std::string description;
  std::vector<std::string> problems;
  std::vector<std::string> warnings;
};
NewTheme MakeNewTheme(const std::string& file, const std::string& description, const std::string& source = {},
                      const std::string& from = "text", const std::string& start = "0101");

}  // namespace vornelle::themes
