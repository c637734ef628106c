#pragma once
// The day's messages as they leave the window: copied, as a date line and then each displayed
// theme with a message for the day, its description (from its 9999 record) and its message,
// the themes apart by a blank line, in plain text and in HTML with the descriptions in bold; and
// as the body of a desktop notification, the same without the date line, cut to a size a
// notification shows.

#include <string>
#include <vector>

#include "app/core/settings.h"
#include "platform/locale.h"

namespace vornelle::dataset {
class TZuViv;
}

namespace vornelle::app {

// One displayed theme's part of a day, in UTF-8.
struct ThemeMessage {
  std::string description;
  std::vector<std::string> lines;
};

// The displayed themes that hold a message for `date`, in order, read through `table` as the
// pane reads them; failures are raised.
std::vector<ThemeMessage> ReadDayMessages(const platform::CalendarDate& date, const ThemeLists& themes,
                                          dataset::TZuViv& table);

struct CopiedText {
  std::string plain;  // lines ending in "\n"
  std::string html;
};

// `date_line` is the date as the user's locale writes it ("Tuesday, 8 December 2026").
CopiedText CopiedDay(const std::string& date_line, const std::vector<ThemeMessage>& messages);

// A notification's body: plain text, or with `markup` the descriptions in bold and the text
// escaped, control characters made visible as in a terminal. A body longer than `limit`
// characters gives each theme an even share (what a short one leaves goes to the others), and a
// theme's text longer than its share is cut at a word and ends in "…".
inline constexpr std::size_t kNotificationLimit = 1000;
std::string NotificationBody(const std::vector<ThemeMessage>& messages, bool markup,
                             std::size_t limit = kNotificationLimit);

// Text made safe for HTML.
std::string HtmlEscaped(const std::string& text);

}  // namespace vornelle::app
