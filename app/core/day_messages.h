#pragma once
// The day's messages as they are copied: a date line, then each displayed theme with a message
// for the day, its description (from its 9999 record) and its message, the themes apart by a
// blank line. Plain text,
// and HTML with the descriptions in bold, for programs that take formatted text.

#include <string>

#include "app/core/settings.h"
#include "platform/locale.h"

namespace vornelle::dataset {
class TZuViv;
}

namespace vornelle::app {

struct CopiedText {
  std::string plain;  // UTF-8, lines ending in "\n"
  std::string html;
};

// `date_line` is the date as the user's locale writes it ("Tuesday, 8 December 2026"). The
// messages are read through `table` as the pane reads them; failures are raised.
CopiedText CopyDayMessages(const std::string& date_line, const platform::CalendarDate& date,
                           const ThemeLists& themes, dataset::TZuViv& table);

// Text made safe for HTML.
std::string HtmlEscaped(const std::string& text);

}  // namespace vornelle::app
