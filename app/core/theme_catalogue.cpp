#include "app/core/theme_catalogue.h"

#include <vector>

#include "app/core/day_lookup.h"
#include "dataset/zuviv.h"
#include "platform/codepage.h"
#include "platform/directory.h"

namespace vornelle::app {

std::string PaneText(const std::string& ansi_line) { return platform::AnsiToUtf8(ansi_line); }

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
