#include "app/core/theme_catalogue.h"

#include <cstdio>
#include <vector>

#include "app/core/day_lookup.h"
#include "dataset/zuviv.h"
#include "platform/codepage.h"
#include "platform/directory.h"

namespace vornelle::app {

std::string PaneText(const std::string& ansi_line) { return platform::AnsiToUtf8(ansi_line); }

namespace {

bool IsBareName(const std::string& name) {
  return name != "." && name != ".." && name.find_first_of(std::string("/\0", 2)) == std::string::npos;
}

// Control characters, the NUL above all, as \xNN: a box shows the whole name.
std::string Shown(const std::string& name) {
  std::string shown;
  for (const char c : name) {
    char escape[8];
    std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned char>(c));
    shown += static_cast<unsigned char>(c) < 0x20 ? std::string(escape) : std::string(1, c);
  }
  return shown;
}

}  // namespace

std::vector<std::string> LeaveOutForeignThemes(ThemeLists& themes) {
  std::vector<std::string> left_out;
  for (std::size_t n = themes.SelTheme.size(); n-- > 0;) {
    if (IsBareName(ThemeName(themes.SelTheme[n]))) continue;
    left_out.insert(left_out.begin(), Shown(themes.SelTheme[n]));
    themes.SelTheme.erase(themes.SelTheme.begin() + static_cast<std::ptrdiff_t>(n));
    if (n < themes.SelThemeD.size())
      themes.SelThemeD.erase(themes.SelThemeD.begin() + static_cast<std::ptrdiff_t>(n));
  }
  return left_out;
}

bool ScanThemes(const std::string& folder, dataset::TZuViv& table, ThemeLists& themes,
                MessageBoxService& boxes, const WindowGeometry& window) {
  themes.AvailTheme.clear();
  themes.AvailThemeD.clear();
  const std::vector<std::string> files = platform::FindFiles(folder, ".dbf");
  if (files.empty()) {
    boxes.Confirm("No Message Files Exists! Please check your installation.",
                  ConfirmationPosition(window));
    return false;
  }
  std::vector<std::string> lines;
  for (const std::string& name : files) {
    themes.AvailTheme.push_back(name);
    if (!ReadDayMessage(table, folder == "." ? name : folder + "/" + name, kDescriptionKey, lines)) {
      boxes.Confirm("No Description on File for This .db: " + name, ConfirmationPosition(window));
      return false;
    }
    // An empty description memo gives an empty description: the lists stay parallel.
    themes.AvailThemeD.push_back(lines.empty() ? std::string() : lines.front());
  }
  return true;
}

}  // namespace vornelle::app
