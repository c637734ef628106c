#include "themes/theme_source.h"

#include <algorithm>

#include <cctype>

#include "platform/ascii_case.h"

namespace vornelle::themes {

namespace {

bool IsRecordLine(std::string_view line) {
  if (line.size() != 5 || line[0] != '@') return false;
  for (std::size_t i = 1; i < 5; ++i)
    if (!std::isdigit(static_cast<unsigned char>(line[i]))) return false;
  return true;
}

}  // namespace

bool IsThemeKey(std::string_view key) {
  if (key == "9999") return true;
  if (key.size() != 4) return false;
  for (char c : key)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  static constexpr int kDays[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const int month = (key[0] - '0') * 10 + (key[1] - '0');
  const int day = (key[2] - '0') * 10 + (key[3] - '0');
  return month >= 1 && month <= 12 && day >= 1 && day <= kDays[month - 1];
}

ThemeSource ParseThemeSource(std::string_view text) {
  ThemeSource source;
  int number = 0;
  auto finish = [&] {
    if (source.records.empty()) return;
    std::vector<std::string>& lines = source.records.back().lines;
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
  };
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    ++number;
    const std::string where = "line " + std::to_string(number) + ": ";
    if (!line.empty() && line[0] == '#') continue;
    if (IsRecordLine(line)) {
      finish();
      const std::string key(line.substr(1));
      if (!IsThemeKey(key)) source.errors.push_back(where + "\"" + key + "\" is not a day of the year");
      source.records.push_back({key, {}, number});
      continue;
    }
    if (!line.empty() && line[0] == '@')
      source.errors.push_back(where + "a record line is \"@\" and four digits");
    if (source.records.empty()) {
      if (!line.empty()) source.errors.push_back(where + "text before the first record");
      continue;
    }
    if (!line.empty() && line[0] == '\\') line.remove_prefix(1);
    source.records.back().lines.emplace_back(line);
  }
  finish();
  return source;
}

namespace {

bool Digits(std::string_view text, std::size_t least, std::size_t most) {
  return text.size() >= least && text.size() <= most && text.find_first_not_of("0123456789") == std::string_view::npos;
}

bool Letters(std::string_view text) {
  return text.size() >= 3 && std::all_of(text.begin(), text.end(), [](char c) {
           return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '.';
         });
}

// A calendar(1) event line: its date, then a tab.
bool IsCalendarLine(std::string_view line) {
  const std::size_t tab = line.find('\t');
  if (tab == std::string_view::npos || tab == 0) return false;
  std::string_view date = line.substr(0, tab);
  if (date.back() == '*') date.remove_suffix(1);
  if (const std::size_t slash = date.find('/'); slash != std::string_view::npos)
    return Digits(date.substr(0, slash), 1, 2) && Digits(date.substr(slash + 1), 1, 2);
  const std::size_t blank = date.find(' ');
  if (blank == std::string_view::npos) return false;
  const std::string_view first = date.substr(0, blank), second = date.substr(blank + 1);
  return (Letters(first) && Digits(second, 1, 2)) || (Digits(first, 1, 2) && Letters(second));
}

}  // namespace

std::string GuessSourceKind(std::string_view text) {
  bool calendar = false;
  // An iCalendar file begins so, case aside, after a byte-order mark.
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  if (text.size() >= 15 && platform::EqualIgnoringAsciiCase(text.substr(0, 15), "BEGIN:VCALENDAR")) return "ics";
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.size() == 5 && line[0] == '@' && Digits(line.substr(1), 4, 4)) return "text";
    if (line == "%") return "fortune";
    calendar = calendar || IsCalendarLine(line);
  }
  return calendar ? "calendar" : "";
}

}  // namespace vornelle::themes
