#include "app/core/day_lookup.h"

#include <unistd.h>

#include <cerrno>
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "app/core/theme_catalogue.h"
#include "dataset/zuviv.h"
#include "themes/theme_folders.h"
#include "themes/theme_text.h"
#include "engine/engine.h"
#include "platform/file.h"
#include "platform/trim.h"

namespace vornelle::app {

std::string DayKey(const platform::CalendarDate& date) {
  char key[16];
  std::snprintf(key, sizeof key, "%02d%02d", date.month % 100, date.day % 100);
  return key;
}

std::string DayFilter(const std::string& key) { return "(THEDATE=\"" + key + "\")"; }

namespace {

// False when this user may not write the theme's table: the package's own themes, a shared
// folder. A missing table or any other trouble is left to the open to report.
bool MayWrite(const std::string& table_file) {
  const std::string path = ThemeTablePath(table_file);
  return access(path.c_str(), W_OK) == 0 || (errno != EACCES && errno != EPERM && errno != EROFS);
}

// The lookup only reads, so a table the user may not write, or one the system provides, is
// opened read-only for the time of the open; the component's own setting is given back
// afterwards.
void OpenForLookup(dataset::TZuViv& table, const std::string& theme) {
  table.SetActive(false);  // or the new name would open at once, with the old setting
  const themes::ThemeLocation location = themes::LocateTheme(theme);
  table.SetDbfFileName(location.file);
  const bool read_only = table.ReadOnly();
  if (!read_only && (location.shared || !MayWrite(table.DbfFileName()))) table.SetReadOnly(true);
  try {
    table.SetActive(true);
  } catch (...) {
    table.SetReadOnly(read_only);
    throw;
  }
  table.SetReadOnly(read_only);
}

}  // namespace

std::string ReadStoredMessage(dataset::TZuViv& table) {
  // As the component's line reader checks the field and puts the engine on the record.
  const int field = table.CheckField("GetMField", "THEJOKE", 'M');
  std::string stored;
  if (field == 0) return stored;
  int32_t block = 0;
  std::memcpy(&block, engine::FieldAddress(field), 4);
  engine::ReadShownMemo(block, stored);
  return stored;
}

bool ReadDayMessage(dataset::TZuViv& table, const std::string& theme, const std::string& key,
                    std::vector<std::string>& lines) {
  lines.clear();
  OpenForLookup(table, theme);
  table.SetFilterTo(DayFilter(key));
  table.First();
  if (table.Eof()) return false;
  // Later records with the same key are never read. The whole message, in the theme's code
  // page: the pane decides how much of it to show.
  lines = themes::ThemeLines(themes::CurrentThemeCodec(), ReadStoredMessage(table));
  return true;
}

void AppendToPane(std::vector<std::string>& pane, std::size_t index,
                  const std::vector<std::string>& lines) {
  if (index > 0) pane.insert(pane.end(), {"", kSeparator, ""});
  const std::size_t shown = std::min(lines.size(), kPaneLinesPerMessage);
  pane.insert(pane.end(), lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(shown));
  if (shown < lines.size()) pane.push_back(kMoreLinesText + std::to_string(lines.size() - shown));
}

void ShowDayMessages(const SelectedDate& date, const std::vector<std::string>& displayed,
                     dataset::TZuViv& table, MessagePane& pane, MessageBoxService& boxes,
                     const WindowGeometry& window, bool quiet) {
  pane.Clear();
  std::vector<std::string> pane_lines;
  std::vector<std::string> record_lines;
  for (std::size_t i = 0; i < displayed.size(); ++i) {
    const std::string theme = ThemeName(displayed[i]);
    // The date is asked for anew for every theme.
    if (!ReadDayMessage(table, theme, DayKey(date.Date()), record_lines)) {
      if (quiet)
        record_lines = {kQuietDayText + theme};
      else
        boxes.Confirm(kNoMessageText + theme, ConfirmationPosition(window));
    }
    AppendToPane(pane_lines, i, record_lines);
  }
  pane.SetLines(pane_lines);
}

}  // namespace vornelle::app
