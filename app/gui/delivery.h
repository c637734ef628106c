#pragma once
// Delivery: the day's messages coming to the user by themselves, a room of the main window. The
// tray icon (its tooltip today's first line, its menu, a click that shows or hides the window),
// the desktop notification after midnight (Tools > Notify at Day Change) and the entry that
// starts the calendar at login (Tools > Start at Login).

#include <QObject>
#include <functional>

#include "app/core/program.h"
#include "app/gui/desktop_notifications.h"

class QAction;
class QMainWindow;
class QSystemTrayIcon;

namespace vornelle::app {

class Delivery : public QObject {
  Q_OBJECT

 public:
  // `window` is shown and hidden from the tray; `guarded` runs work whose failure goes to the
  // window's error box; `write_setting` keeps a [Desktop] key at once; `copy_day` is the tray
  // menu's copy.
  struct Window {
    QMainWindow* window;
    std::function<void(const std::function<void()>&)> guarded;
    std::function<void(const char* key, bool on)> write_setting;
    std::function<void()> copy_day;
  };
  Delivery(Window window, Program& program, const Clock& clock);

  // The Tools menu's toggles; their marks follow the settings (and, for Start at Login, the
  // entry on disk whenever the menu opens).
  QAction* NotifyAtDayChangeAction() const { return notify_action_; }
  QAction* StartAtLoginAction() const { return autostart_action_; }
  // The settings were read: the marks show them.
  void SettingsLoaded();
  // The Tools menu is about to open.
  void ToolsMenuOpening();

  // Where notifications go: the desktop's unless a test puts in its own.
  void SetNotifications(Notifications& notifications) { notifications_ = &notifications; }
  // An icon in the tray, the window hidden: `start_up` runs the start-up the window's first
  // showing would. False, with nothing done, where the desktop has no tray.
  bool StartInTray(const std::function<void()>& start_up);
  QSystemTrayIcon* TrayIcon() const { return tray_; }
  // Whether closing the window only hides it: there is an icon in the tray, and no Quit is
  // under way.
  bool HidesOnClose() const;

  // The calendar moved to a new day by itself: the tray's tooltip, and the notification.
  void DayChanged();

 public Q_SLOTS:
  // The tray's Quit: the window's close sequence, its save question included, then the end.
  void QuitClick();

 private Q_SLOTS:
  void NotifyAtDayChangeToggled(bool on);
  void StartAtLoginToggled(bool on);

 private:
  void ShowWindow();
  void UpdateTrayTip();
  void NotifyToday();

  Window window_;
  Program& program_;
  const Clock& clock_;
  DesktopNotifications desktop_notifications_;
  Notifications* notifications_ = &desktop_notifications_;
  QAction* notify_action_ = nullptr;
  QAction* autostart_action_ = nullptr;
  QSystemTrayIcon* tray_ = nullptr;
  bool quitting_ = false;
};

}  // namespace vornelle::app
