#include "app/core/day_copy.h"

#include <vector>

#include "app/core/day_lookup.h"
#include "app/core/theme_catalogue.h"

namespace vornelle::app {

std::string HtmlEscaped(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

CopiedText CopyDayMessages(const std::string& date_line, const platform::CalendarDate& date,
                           const ThemeLists& themes, dataset::TZuViv& table) {
  CopiedText copied{date_line + "\n", "<p>" + HtmlEscaped(date_line) + "</p>\n"};
  std::vector<std::string> lines, description_lines;
  for (const std::string& entry : themes.SelTheme) {
    const std::string theme = ThemeName(entry);
    if (!ReadDayMessage(table, theme, DayKey(date), lines)) continue;
    // The description as the theme itself holds it, as the catalogue reads it.
    ReadDayMessage(table, theme, kDescriptionKey, description_lines);
    const std::string description = description_lines.empty() ? theme : description_lines.front();
    copied.plain += "\n" + description + "\n";
    copied.html += "<p><b>" + HtmlEscaped(description) + "</b>";
    for (const std::string& line : lines) {
      copied.plain += line + "\n";
      copied.html += "<br>\n" + HtmlEscaped(line);
    }
    copied.html += "</p>\n";
  }
  return copied;
}

}  // namespace vornelle::app
