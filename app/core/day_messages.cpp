#include "app/core/day_messages.h"

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

std::vector<ThemeMessage> ReadDayMessages(const platform::CalendarDate& date, const ThemeLists& themes,
                                          dataset::TZuViv& table) {
  std::vector<ThemeMessage> messages;
  std::vector<std::string> lines, description;
  for (const std::string& entry : themes.SelTheme) {
    const std::string theme = ThemeName(entry);
    if (!ReadDayMessage(table, theme, DayKey(date), lines)) continue;
    // The description as the theme itself holds it, as the catalogue reads it.
    ReadDayMessage(table, theme, kDescriptionKey, description);
    messages.push_back({description.empty() ? theme : description.front(), lines});
  }
  return messages;
}

CopiedText CopiedDay(const std::string& date_line, const std::vector<ThemeMessage>& messages) {
  CopiedText copied{date_line + "\n", "<p>" + HtmlEscaped(date_line) + "</p>\n"};
  for (const ThemeMessage& message : messages) {
    copied.plain += "\n" + message.description + "\n";
    copied.html += "<p><b>" + HtmlEscaped(message.description) + "</b>";
    for (const std::string& line : message.lines) {
      copied.plain += line + "\n";
      copied.html += "<br>\n" + HtmlEscaped(line);
    }
    copied.html += "</p>\n";
  }
  return copied;
}

namespace {

// The characters of UTF-8 text, counted as a notification shows them.
std::size_t Characters(const std::string& text) {
  std::size_t count = 0;
  for (const char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return count;
}

}  // namespace

std::string NotificationBody(const std::vector<ThemeMessage>& messages, bool markup, std::size_t limit) {
  std::vector<std::string> lines;
  for (const ThemeMessage& message : messages) {
    if (!lines.empty()) lines.emplace_back();
    lines.push_back(markup ? "<b>" + HtmlEscaped(message.description) + "</b>" : message.description);
    for (const std::string& line : message.lines) lines.push_back(markup ? HtmlEscaped(line) : line);
  }
  std::string body;
  std::size_t shown = 0;  // characters of the lines taken, markup included
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::size_t length = Characters(lines[i]) + (i > 0);
    if (shown + length > limit) {
      // Cut at a whole line; a first line too long for the whole body is cut at its limit.
      if (body.empty()) {
        std::size_t at = 0, kept = 0;
        while (at < lines[i].size() && kept < limit) {
          ++at;
          while (at < lines[i].size() && (static_cast<unsigned char>(lines[i][at]) & 0xC0) == 0x80) ++at;
          ++kept;
        }
        body = lines[i].substr(0, at);
        // Never half an escape such as "&amp;", nor a description's bold left open.
        if (const std::size_t amp = body.rfind('&'); markup && amp != std::string::npos &&
                                                       body.find(';', amp) == std::string::npos)
          body.erase(amp);
        if (markup && body.rfind("<b>", 0) == 0 && body.find("</b>") == std::string::npos) body += "</b>";
      }
      return body + "\n...";
    }
    body += (i > 0 ? "\n" : "") + lines[i];
    shown += length;
  }
  return body;
}

}  // namespace vornelle::app
