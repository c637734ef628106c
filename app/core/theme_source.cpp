#include "app/core/theme_source.h"

#include <cctype>

namespace vornelle::app {

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

}  // namespace vornelle::app
