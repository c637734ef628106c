#include "app/core/day_lookup.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "app/core/theme_catalogue.h"
#include "dataset/zuviv.h"
#include "engine/table.h"
#include "platform/file.h"

namespace vornelle::app {

std::string DayKey(const platform::CalendarDate& date) {
  char key[16];
  std::snprintf(key, sizeof key, "%02d%02d", date.month % 100, date.day % 100);
  return key;
}

std::string DayFilter(const std::string& key) { return "(THEDATE=\"" + key + "\")"; }

std::string ThemeName(const std::string& entry) {
  std::size_t first = 0, last = entry.size();
  while (first < last && static_cast<unsigned char>(entry[first]) <= 32) ++first;
  while (last > first && static_cast<unsigned char>(entry[last - 1]) <= 32) --last;
  return entry.substr(first, last - first);
}

std::string ThemeTablePath(const std::string& theme) {
  return platform::ResolveCase(platform::FullPath(engine::TableFileName(theme)));
}

namespace {

// False when this user may not write the theme's table: the package's own themes, a shared
// folder. A missing table or any other trouble is left to the open to report.
bool MayWrite(const std::string& table_file) {
  const std::string path = ThemeTablePath(table_file);
  return access(path.c_str(), W_OK) == 0 || (errno != EACCES && errno != EPERM && errno != EROFS);
}

// The lookup only reads, so a table the user may not write is opened read-only for the time
// of the open; the component's own setting is given back afterwards.
void OpenForLookup(dataset::TZuViv& table, const std::string& theme) {
  table.SetActive(false);  // or the new name would open at once, with the old setting
  table.SetDbfFileName(theme);
  const bool read_only = table.ReadOnly();
  if (!read_only && !MayWrite(table.DbfFileName())) table.SetReadOnly(true);
  try {
    table.SetActive(true);
  } catch (...) {
    table.SetReadOnly(read_only);
    throw;
  }
  table.SetReadOnly(read_only);
}

}  // namespace

bool ReadDayMessage(dataset::TZuViv& table, const std::string& theme, const std::string& key,
                    std::vector<std::string>& lines) {
  lines.clear();
  OpenForLookup(table, theme);
  table.SetFilterTo(DayFilter(key));
  table.First();
  if (table.Eof()) return false;
  // Later records with the same key are never read.
  table.GetMField("THEJOKE", lines);
  for (std::string& line : lines) line = PaneText(line);
  return true;
}

void AppendToPane(std::vector<std::string>& pane, std::size_t index,
                  const std::vector<std::string>& lines) {
  if (index > 0) pane.insert(pane.end(), {"", kSeparator, ""});
  pane.insert(pane.end(), lines.begin(), lines.end());
}

void ShowDayMessages(const SelectedDate& date, const std::vector<std::string>& displayed,
                     dataset::TZuViv& table, MessagePane& pane, MessageBoxService& boxes,
                     const WindowGeometry& window) {
  pane.Clear();
  std::vector<std::string> pane_lines;
  std::vector<std::string> record_lines;
  for (std::size_t i = 0; i < displayed.size(); ++i) {
    const std::string theme = ThemeName(displayed[i]);
    // The date is asked for anew for every theme.
    if (!ReadDayMessage(table, theme, DayKey(date.Date()), record_lines))
      boxes.Confirm(kNoMessageText + theme, ConfirmationPosition(window));
    AppendToPane(pane_lines, i, record_lines);
  }
  pane.SetLines(pane_lines);
}

}  // namespace vornelle::app
