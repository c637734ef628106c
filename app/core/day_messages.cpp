#include "app/core/day_messages.h"

#include <algorithm>
#include <string_view>

#include "app/core/day_lookup.h"
#include "app/core/theme_catalogue.h"
#include "platform/visible_text.h"

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
std::size_t Characters(std::string_view text) {
  std::size_t count = 0;
  for (const char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return count;
}

// Each text's share of `room` characters: a text that needs less than an even share keeps all
// of it, and what it leaves goes to the others.
std::vector<std::size_t> Shares(const std::vector<std::size_t>& lengths, std::size_t room) {
  std::vector<std::size_t> order(lengths.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return lengths[a] < lengths[b]; });
  std::vector<std::size_t> shares(lengths.size());
  for (std::size_t n = 0; n < order.size(); ++n) {
    const std::size_t even = room / (order.size() - n);
    shares[order[n]] = std::min(lengths[order[n]], even);
    room -= shares[order[n]];
  }
  return shares;
}

constexpr std::string_view kEllipsis = "\u2026";

// `text` cut to at most `share` characters at the end of a word, the ellipsis included; a word
// longer than the share is cut where the share ends.
std::string CutAtWord(const std::string& text, std::size_t share) {
  if (Characters(text) <= share) return text;
  std::size_t end = 0;
  for (std::size_t kept = 0; end < text.size() && kept + 1 < share; ++kept) {
    ++end;
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
  }
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n'; };
  std::size_t word_end = end;
  if (end < text.size() && !blank(text[end]))  // inside a word: back to where it starts
    while (word_end > 0 && !blank(text[word_end - 1])) --word_end;
  if (word_end == 0) word_end = end;  // one word longer than the share
  while (word_end > 0 && blank(text[word_end - 1])) --word_end;
  return text.substr(0, word_end) + std::string(kEllipsis);
}

}  // namespace

std::string NotificationBody(const std::vector<ThemeMessage>& messages, bool markup, std::size_t limit) {
  // Each theme's text as a notification may show it: its description, then its message.
  std::vector<std::string> texts;
  std::vector<std::size_t> lengths;
  for (const ThemeMessage& message : messages) {
    std::string text = platform::VisibleText(message.description);
    for (const std::string& line : message.lines) text += "\n" + platform::VisibleText(line);
    lengths.push_back(Characters(text));
    texts.push_back(std::move(text));
  }
  // Two line ends between themes; every theme keeps a share of the rest, never none.
  const std::size_t between = texts.empty() ? 0 : 2 * (texts.size() - 1);
  const std::vector<std::size_t> shares = Shares(lengths, limit > between ? limit - between : 0);
  std::string body;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const std::string text = CutAtWord(texts[i], std::max<std::size_t>(shares[i], 1));
    if (i > 0) body += "\n\n";
    if (!markup) {
      body += text;
      continue;
    }
    // Cut first, escaped after: the limit counts what is seen, and no escape is cut in half.
    const std::size_t first_end = std::min(text.find('\n'), text.size());
    body += "<b>" + HtmlEscaped(text.substr(0, first_end)) + "</b>" + HtmlEscaped(text.substr(first_end));
  }
  return body;
}

}  // namespace vornelle::app
