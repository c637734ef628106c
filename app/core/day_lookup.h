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

// The separator block's middle line.
inline constexpr const char* kSeparator = "#########################";

// "MMDD": the two-digit month and day.
std::string DayKey(const platform::CalendarDate& date);
// The filter that finds a day's record: (THEDATE="MMDD").
std::string DayFilter(const std::string& key);

// Replaces the pane's text with the messages the themes of `displayed` hold for the date the
// user has selected, opening each in `table`. A theme without a message for the day is named
// in a confirmation box placed by `window`, and still gets its separator block. Failures of the
// table component or the engine are raised to the caller; the pane then stays empty.
void ShowDayMessages(const SelectedDate& date, const std::vector<std::string>& displayed,
                     dataset::TZuViv& table, MessagePane& pane, MessageBoxService& boxes,
                     const WindowGeometry& window);

}  // namespace vornelle::app
