#include "app/gui/delivery.h"

#include <QAction>
#include <QCoreApplication>
#include <QDate>
#include <QMainWindow>
#include <QMenu>
#include <QSystemTrayIcon>
#include <cstdio>
#include <filesystem>

#include "app/core/autostart.h"
#include "app/core/day_messages.h"
#include "app/core/product.h"
#include "app/core/user_folder.h"
#include "app/gui/appearance.h"
#include "app/gui/day_notification.h"

namespace vornelle::app {

namespace {

QDate ToQDate(const platform::CalendarDate& date) { return QDate(date.year, date.month, date.day); }

}  // namespace

Delivery::Delivery(Window window, Program& program, const Clock& clock)
    : QObject(window.window), window_(std::move(window)), program_(program), clock_(clock) {
  notify_action_ = new QAction(tr("&Notify at Day Change"), this);
  notify_action_->setCheckable(true);
  notify_action_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
  connect(notify_action_, &QAction::toggled, this, &Delivery::NotifyAtDayChangeToggled);
  autostart_action_ = new QAction(tr("Start at &Login"), this);
  autostart_action_->setCheckable(true);
  autostart_action_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L));
  connect(autostart_action_, &QAction::toggled, this, &Delivery::StartAtLoginToggled);
}

void Delivery::SettingsLoaded() {
  const QSignalBlocker quiet(notify_action_);
  notify_action_->setChecked(program_.settings.NotifyAtDayChange);
}

void Delivery::ToolsMenuOpening() {
  // The file may have come or gone since: the mark says what is there whenever the menu opens.
  const QSignalBlocker quiet(autostart_action_);
  autostart_action_->setChecked(StartsAtLogin());
}

void Delivery::NotifyAtDayChangeToggled(bool on) {
  program_.settings.NotifyAtDayChange = on;
  window_.write_setting(kNotifyAtDayChangeKey, on);
}

void Delivery::StartAtLoginToggled(bool on) {
  window_.guarded([&] {
    // The applications menu's own folder is started as it starts it; any other by its path.
    const std::filesystem::path here = std::filesystem::current_path();
    std::error_code error;
    const bool user_folder = std::filesystem::equivalent(here, UserDataFolder(), error);
    const std::string program = QCoreApplication::applicationFilePath() == "/usr/bin/vornelle"
                                    ? "vornelle"
                                    : QCoreApplication::applicationFilePath().toStdString();
    SetStartAtLogin(on, program, user_folder ? std::vector<std::string>{"--user-folder", "--tray"}
                                             : std::vector<std::string>{"--tray", here.string()});
  });
  const QSignalBlocker quiet(autostart_action_);
  autostart_action_->setChecked(StartsAtLogin());
}

void Delivery::ShowWindow() {
  window_.window->show();
  window_.window->raise();
  window_.window->activateWindow();
}

bool Delivery::StartInTray(const std::function<void()>& start_up) {
  if (!QSystemTrayIcon::isSystemTrayAvailable()) return false;
  QMainWindow* window = window_.window;
  tray_ = new QSystemTrayIcon(SymbolicProgramIcon(), this);
  auto* menu = new QMenu(window);
  menu->addAction(tr("&Show Calendar"), this, &Delivery::ShowWindow);
  menu->addAction(tr("Copy &Day's Messages"), this, [this] { window_.copy_day(); });
  menu->addSeparator();
  menu->addAction(tr("&Quit"), this, &Delivery::QuitClick);
  tray_->setContextMenu(menu);
  connect(tray_, &QSystemTrayIcon::activated, this, [this, window](QSystemTrayIcon::ActivationReason reason) {
    if (reason != QSystemTrayIcon::Trigger) return;
    if (window->isVisible())
      window->hide();
    else
      ShowWindow();
  });
  window_.guarded(start_up);
  UpdateTrayTip();
  tray_->show();
  return true;
}

bool Delivery::HidesOnClose() const { return tray_ && tray_->isVisible() && !quitting_; }

void Delivery::UpdateTrayTip() {
  if (!tray_) return;
  QString tip = QString::fromUtf8(kProductName);
  window_.guarded([&] {
    const std::vector<ThemeMessage> today = ReadDayMessages(clock_.Today(), program_.themes, program_.joketbl);
    if (!today.empty() && !today.front().lines.empty()) tip = QString::fromStdString(today.front().lines.front());
  });
  tray_->setToolTip(tip);
}

void Delivery::QuitClick() {
  quitting_ = true;
  if (window_.window->close()) {
    if (tray_) tray_->hide();
    QCoreApplication::quit();
  }
  quitting_ = false;
}

void Delivery::DayChanged() {
  UpdateTrayTip();
  if (program_.settings.NotifyAtDayChange) NotifyToday();
}

void Delivery::NotifyToday() {
  // A desktop without a notification server still gets its new day in the window, which never
  // waits on the server.
  NotifyDay(ToQDate(clock_.Today()), program_, *notifications_, [](const std::string& why) {
    if (!why.empty()) std::fprintf(stderr, "vornelle: no desktop notification: %s\n", why.c_str());
  });
}

}  // namespace vornelle::app
