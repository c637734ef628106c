#pragma once
// The day's messages: for the selected date, the message each displayed theme holds, one after
// the other, with a separator block between themes.

#include <string>
#include <vector>

#include "app/core/services.h"

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

// One theme's message for a day: opens `theme` (a table file name) in `table`, finds the first
// record keyed `key` and gives its lines in UTF-8. False, with `lines` empty, when there is
// none. Failures of the table component or the engine are raised.
bool ReadDayMessage(dataset::TZuViv& table, const std::string& theme, const std::string& key,
                    std::vector<std::string>& lines);

// Adds the `index`-th theme's lines to the pane: after a separator block for every theme but the
// first, also for a theme without a message.
void AppendToPane(std::vector<std::string>& pane, std::size_t index,
                  const std::vector<std::string>& lines);

// A theme entry as the settings hold it, without the blanks and control characters around it.
std::string ThemeName(const std::string& entry);
// The file the table component opens for a theme name: the default extension added, taken from
// the current folder, its case resolved.
std::string ThemeTablePath(const std::string& theme);

// Replaces the pane's text with the messages the themes of `displayed` hold for the date the
// user has selected, opening each in `table`. A theme without a message for the day is named
// in a confirmation box placed by `window`, and still gets its separator block. Failures of the
// table component or the engine are raised to the caller; the pane then stays empty.
void ShowDayMessages(const SelectedDate& date, const std::vector<std::string>& displayed,
                     dataset::TZuViv& table, MessagePane& pane, MessageBoxService& boxes,
                     const WindowGeometry& window);

}  // namespace vornelle::app
