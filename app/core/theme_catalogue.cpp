#include "app/core/theme_catalogue.h"

#include <cstdio>
#include <filesystem>
#include <functional>
#include <vector>

#include "app/core/day_lookup.h"
#include "dataset/zuviv.h"
#include "platform/codepage.h"
#include "platform/utf8.h"
#include "themes/theme_folders.h"

namespace vornelle::app {

std::string PaneText(const std::string& ansi_line) { return platform::AnsiToUtf8(ansi_line); }

namespace {

bool IsBareName(const std::string& name) {
  return name != "." && name != ".." && name.find_first_of(std::string("/\0", 2)) == std::string::npos;
}

bool TableExists(const std::string& name) {
  std::error_code unknown;
  return std::filesystem::exists(ThemeTablePath(name), unknown);
}

// Takes out of SelTheme, and of its descriptions, the entries `keep` refuses; returns them as
// `shown` makes them, in list order.
std::vector<std::string> LeaveOut(ThemeLists& themes, const std::function<bool(const std::string&)>& keep,
                                  const std::function<std::string(const std::string&)>& shown) {
  std::vector<std::string> left_out;
  for (std::size_t n = themes.SelTheme.size(); n-- > 0;) {
    if (keep(ThemeName(themes.SelTheme[n]))) continue;
    left_out.insert(left_out.begin(), shown(themes.SelTheme[n]));
    themes.SelTheme.erase(themes.SelTheme.begin() + static_cast<std::ptrdiff_t>(n));
    if (n < themes.SelThemeD.size())
      themes.SelThemeD.erase(themes.SelThemeD.begin() + static_cast<std::ptrdiff_t>(n));
  }
  return left_out;
}

}  // namespace

std::vector<std::string> LeaveOutForeignThemes(ThemeLists& themes) {
  return LeaveOut(themes, IsBareName, [](const std::string& entry) { return platform::EscapedForMessage(entry); });
}

std::vector<std::string> LeaveOutMissingThemes(ThemeLists& themes) {
  // Named as the lookup names a theme: trimmed.
  return LeaveOut(themes, TableExists, [](const std::string& entry) { return platform::EscapedForMessage(ThemeName(entry)); });
}

std::vector<std::string> ThemeFiles() {
  std::vector<std::string> names;
  for (const themes::OfferedTheme& theme : themes::OfferedThemes()) names.push_back(theme.name);
  return names;
}

bool ScanThemes(dataset::TZuViv& table, ThemeLists& themes, MessageBoxService& boxes, const WindowGeometry& window) {
  themes.AvailTheme.clear();
  themes.AvailThemeD.clear();
  const std::vector<themes::OfferedTheme> offered = themes::OfferedThemes();
  if (offered.empty()) {
    boxes.Confirm(kNoThemesText, ConfirmationPosition(window));
    return false;
  }
  std::vector<std::string> lines;
  for (const themes::OfferedTheme& theme : offered) {
    const std::string& name = theme.name;
    // A table without a description is left out, named in a box, and the others still serve:
    // one theme written wrongly by another program must not keep the calendar from starting.
    // Named bare, a shared theme is found where it is and opened read-only.
    if (!ReadDayMessage(table, name, kDescriptionKey, lines)) {
      boxes.Confirm("No Description on File for This .db: " + name, ConfirmationPosition(window));
      continue;
    }
    themes.AvailTheme.push_back(name);
    // An empty description memo gives an empty description: the lists stay parallel.
    themes.AvailThemeD.push_back(lines.empty() ? std::string() : lines.front());
  }
  return true;
}

}  // namespace vornelle::app
