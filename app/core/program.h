#pragma once
// One run of the calendar without its windows: the settings, the theme lists, the table
// component every theme is read through, and the decisions the main window's events need.
// The window (and the terminal companion) supply the screen through the services.

#include <optional>
#include <string>

#include "app/core/services.h"
#include "app/core/settings.h"
#include "dataset/zuviv.h"

namespace vornelle::app {

// What closing the main window does.
enum class CloseAction {
  kClose,          // nothing to ask or write
  kAskToSave,      // ask "Save Changes Before Exiting?"
  kWritePosition,  // write Top and Left alone, without asking
};

class Program {
 public:
  // Themes are the tables of the current folder; the settings file is `settings_path`.
  explicit Program(std::string settings_path = SettingsPath());

  // Start-up: the settings, then the theme scan. False when the scan failed (the user has been
  // told): the program must end. Displayed themes outside the folder or without their table
  // are left out for this run, each named in a box.
  bool LoadAndScan(MessageBoxService& boxes, const WindowGeometry& window);

  // The day lookup for the date the user has selected.
  void ShowDay(const SelectedDate& date, MessagePane& pane, MessageBoxService& boxes,
               const WindowGeometry& window);

  // Closing, from the live window: whether to ask, write the position, or just close.
  CloseAction DecideClose(const WindowGeometry& live, int calendar_panel_height) const;
  void Save(const WindowGeometry& live, int calendar_panel_height);
  void SavePosition(const WindowGeometry& live);

  // The timer's check: true when today is not the day last shown.
  bool DayChanged(const platform::CalendarDate& today) const;

  Settings settings;
  ThemeLists themes;
  dataset::TZuViv joketbl;
  bool startup_failed = false;
  // The day the start-up or the timer last set the calendar to.
  std::optional<platform::CalendarDate> last_day_shown;
  const std::string settings_path;
};

// "Vornelle v1.0": the application's title, the caption of its error boxes.
std::string ApplicationTitle();
// "Vornelle 1.0": the main window's caption.
std::string WindowCaption();
// The text of the general error box: the failure's text, with a full stop added when its last
// character sorts after the full stop.
std::string ErrorBoxText(const std::string& text);

}  // namespace vornelle::app
