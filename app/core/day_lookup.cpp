#include "app/core/day_lookup.h"

#include <cstdio>

#include "app/core/theme_catalogue.h"
#include "dataset/zuviv.h"

namespace vornelle::app {

namespace {

// Blanks and control characters (codes up to 32) removed on both sides.
std::string Trimmed(const std::string& text) {
  std::size_t first = 0, last = text.size();
  while (first < last && static_cast<unsigned char>(text[first]) <= 32) ++first;
  while (last > first && static_cast<unsigned char>(text[last - 1]) <= 32) --last;
  return text.substr(first, last - first);
}

}  // namespace

std::string DayKey(const platform::CalendarDate& date) {
  char key[16];
  std::snprintf(key, sizeof key, "%02d%02d", date.month % 100, date.day % 100);
  return key;
}

std::string DayFilter(const std::string& key) { return "(THEDATE=\"" + key + "\")"; }

void ShowDayMessages(const SelectedDate& date, const std::vector<std::string>& displayed,
                     dataset::TZuViv& table, MessagePane& pane, MessageBoxService& boxes,
                     const WindowGeometry& window) {
  pane.Clear();
  std::vector<std::string> pane_lines;
  std::vector<std::string> record_lines;
  for (std::size_t i = 0; i < displayed.size(); ++i) {
    const std::string theme = Trimmed(displayed[i]);
    table.SetDbfFileName(theme);
    table.SetActive(true);
    // The date is asked for anew for every theme.
    table.SetFilterTo(DayFilter(DayKey(date.Date())));
    table.First();
    record_lines.clear();
    if (table.Eof())
      boxes.Confirm("No Message on File for This .db: " + theme, ConfirmationPosition(window));
    else
      table.GetMField("THEJOKE", record_lines);
    if (i > 0) pane_lines.insert(pane_lines.end(), {"", kSeparator, ""});
    for (const std::string& line : record_lines) pane_lines.push_back(PaneText(line));
  }
  pane.SetLines(pane_lines);
}

}  // namespace vornelle::app
