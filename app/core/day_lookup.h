#pragma once
// The day's messages: for the selected date, the message each displayed theme holds, one after
// the other, with a separator block between themes.

#include <string>
#include <vector>

#include "app/core/services.h"
#include "themes/theme_files.h"

namespace vornelle::dataset {
class TZuViv;
}

namespace vornelle::app {

// What the user is told of a theme without a message for the day, followed by its name.
inline constexpr const char* kNoMessageText = "No Message on File for This .db: ";
// The separator block's middle line.
inline constexpr const char* kSeparator = "#########################";

// "MMDD": the two-digit month and day.
std::string DayKey(const platform::CalendarDate& date);
// The filter that finds a day's record: (THEDATE="MMDD").
std::string DayFilter(const std::string& key);

// The message (THEJOKE) of the component's current record, whole and as stored; engine failures
// are raised or reported as the engine's switches say.
std::string ReadStoredMessage(dataset::TZuViv& table);

// One theme's message for a day: opens `theme` (a table file name, in the current folder or a
// shared one) in `table`, finds the first record keyed `key` and gives every line of it in
// UTF-8, decoded from the theme's code page. False, with `lines` empty, when there is none. Failures of the table component or the engine are raised.
bool ReadDayMessage(dataset::TZuViv& table, const std::string& theme, const std::string& key,
                    std::vector<std::string>& lines);

// The most lines of one message the pane shows, as many as the engine's line list holds. A
// longer message ends there in a line that says how many follow (kMoreLinesText, then the
// count); the theme editor shows it whole, and Copy copies it whole.
inline constexpr std::size_t kPaneLinesPerMessage = 1024;
inline constexpr const char* kMoreLinesText = "Tools > Edit This Day... shows the whole message. Lines not shown: ";
// What the pane says of a theme without a message for the day when quiet days are on, followed
// by its name.
inline constexpr const char* kQuietDayText = "No message for this day in ";

// Adds the `index`-th theme's lines to the pane: after a separator block for every theme but the
// first, also for a theme without a message; a long message cut as kPaneLinesPerMessage says.
void AppendToPane(std::vector<std::string>& pane, std::size_t index,
                  const std::vector<std::string>& lines);

// A theme's name and its table file, as themes/theme_files.h gives them.
using themes::ThemeName;
using themes::ThemeTablePath;

// Replaces the pane's text with the messages the themes of `displayed` hold for the date the
// user has selected, opening each in `table`. A theme without a message for the day is named
// in a confirmation box placed by `window` (or, when `quiet`, in a line of the pane), and still
// gets its separator block. Failures of the table component or the engine are raised to the
// caller; the pane then stays empty.
void ShowDayMessages(const SelectedDate& date, const std::vector<std::string>& displayed,
                     dataset::TZuViv& table, MessagePane& pane, MessageBoxService& boxes,
                     const WindowGeometry& window, bool quiet = false);

}  // namespace vornelle::app
