#include "app/core/program.h"

#include <filesystem>

#include "app/core/day_lookup.h"
#include "app/core/leftovers.h"
#include "app/core/product.h"
#include "app/core/theme_catalogue.h"

namespace vornelle::app {

Program::Program(std::string path) : settings_path(std::move(path)) {
  joketbl.SetName("joketbl");
  joketbl.SetDbfFields({"thedate, C, 4, 0", "thejoke, M, 10, 0"});
  joketbl.SetHideDeletedRecs(false);
  joketbl.SetTableLanguage(dataset::tlOem);
  joketbl.SetReadOnly(false);
  joketbl.SetCreateIndex(dataset::ciNotFound);
  joketbl.SetExclusive(false);
  // A theme table is never made here: a displayed theme that is gone would come back empty,
  // without a description, and the next start-up's scan would refuse it.
  joketbl.SetCreateIfNotFound(false);
}

bool Program::LoadAndScan(MessageBoxService& boxes, const WindowGeometry& window) {
  const std::filesystem::path folder = std::filesystem::path(settings_path).parent_path();
  RemoveStaleLeftovers(folder.empty() ? "." : folder);
  LoadSettings(settings_path, settings, themes);
  for (const std::string& name : LeaveOutForeignThemes(themes))
    boxes.Confirm(kForeignThemeText + name, ConfirmationPosition(window));
  startup_failed = !ScanThemes(joketbl, themes, boxes, window);
  if (startup_failed) return false;
  for (const std::string& name : LeaveOutMissingThemes(themes))
    boxes.Confirm(kMissingThemeText + name, ConfirmationPosition(window));
  return true;
}

void Program::ShowDay(const SelectedDate& date, MessagePane& pane, MessageBoxService& boxes,
                      const WindowGeometry& window) {
  ShowDayMessages(date, themes.SelTheme, joketbl, pane, boxes, window, settings.QuietDays);
}

CloseAction Program::DecideClose(const WindowGeometry& live, int calendar_panel_height) const {
  if (startup_failed || settings.SettingsSaved) return CloseAction::kClose;
  const Settings::Start& start = settings.start;
  if (settings.SettingsChanged || live.width != start.Width || live.height != start.Height ||
      calendar_panel_height != start.SPTOP)
    return CloseAction::kAskToSave;
  if (live.top != start.Top || live.left != start.Left) return CloseAction::kWritePosition;
  return CloseAction::kClose;
}

void Program::Save(const WindowGeometry& live, int calendar_panel_height) {
  SaveSettings(settings_path, settings, themes, live, calendar_panel_height);
}

void Program::SavePosition(const WindowGeometry& live) {
  WriteWindowPosition(settings_path, live.top, live.left);
}

bool Program::DayChanged(const platform::CalendarDate& today) const {
  return !last_day_shown || last_day_shown->year != today.year ||
         last_day_shown->month != today.month || last_day_shown->day != today.day;
}

std::string ApplicationTitle() { return std::string(kProductName) + " v" + kVersion; }

std::string WindowCaption() { return std::string(kProductName) + " " + kVersion; }

std::string ErrorBoxText(const std::string& text) {
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') return text + ".";
  return text;
}

}  // namespace vornelle::app
