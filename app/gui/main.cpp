// Vornelle, the calendar of daily messages: `vornelle [FOLDER]` works in FOLDER (default: the
// current folder), where the themes and the settings file are; `vornelle --user-folder`, as the
// applications menu starts it, works in the user's own folder and offers the system's themes
// beside the user's. --tray starts in the system tray, --notify only sends today's notification.

#include <unistd.h>

#include <QApplication>
#include <QEventLoop>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string_view>

#include "app/core/product.h"
#include "app/core/program.h"
#include "app/core/user_folder.h"
#include "app/gui/core_texts.h"
#include "app/gui/day_notification.h"
#include "app/gui/desktop_notifications.h"
#include "app/gui/main_window.h"
#include "app/gui/qt_services.h"
#include "app/gui/translations.h"
#include "expr/expr.h"
#include "options/font_chooser.h"
#include "options/options_dialog.h"
#include "platform/exception.h"
#include "themes/theme_folders.h"

namespace {

constexpr const char* kUsage =
    "usage: vornelle [--tray | --notify] [FOLDER]\n"
    "       vornelle [--tray | --notify] --user-folder\n"
    "\n"
    "Shows a month calendar with the day's messages of the themes (.dbf tables) in FOLDER,\n"
    "the current folder by default; the settings are kept there in Vornel.Ini.\n"
    "\n"
    "  --user-folder  work in $XDG_DATA_HOME/vornelle (~/.local/share/vornelle), created on\n"
    "                 the first start, with the themes of vornelle/themes under each folder\n"
    "                 of $XDG_DATA_DIRS (/usr/local/share:/usr/share) beside your own\n"
    "  --tray         start with the window hidden and an icon in the system tray\n"
    "  --notify       send today's messages as a desktop notification, and end\n"
    "  --help         show this help\n"
    "  --version      show the version\n";

// What the command line asks for. --help, --version and usage errors are answered before any
// window system is needed, so they work without a display too.
struct Request {
  bool stop = false;
  int status = 0;  // when stopping
  bool user_folder = false, tray = false, notify = false;
  std::filesystem::path folder = std::filesystem::current_path();
};

Request ReadArguments(int argc, char** argv) {
  Request request;
  if (argc == 2 && std::string_view(argv[1]) == "--help") {
    std::fputs(kUsage, stdout);
    return {true, 0};
  }
  if (argc == 2 && std::string_view(argv[1]) == "--version") {
    std::printf("vornelle %s\n", vornelle::app::kVersion);
    return {true, 0};
  }
  bool folder_given = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--tray" && !request.tray && !request.notify) {
      request.tray = true;
    } else if (argument == "--notify" && !request.notify && !request.tray) {
      request.notify = true;
    } else if (argument == "--user-folder" && !request.user_folder && !folder_given) {
      request.user_folder = true;
    } else if (!argument.starts_with('-') && !folder_given && !request.user_folder) {
      request.folder = argv[i];
      folder_given = true;
    } else {
      std::fputs(kUsage, stderr);
      return {true, 2};
    }
  }
  return request;
}

// What the core would show in boxes, on stderr, for a run without windows.
class TerminalBoxes : public vornelle::app::MessageBoxService {
 public:
  void Confirm(const std::string& text, vornelle::app::ScreenPoint) override { Say(text); }
  bool AskYesNo(const std::string&) override { return false; }
  void Error(const std::string&, const std::string& text) override { Say(text); }
  void Inform(const std::string& text) override { Say(text); }

 private:
  static void Say(const std::string& text) { std::fprintf(stderr, "vornelle: %s\n", text.c_str()); }
};

// --notify: today's notification, without a window. A desktop without a notification server
// is told on stderr, and is no failure.
int NotifyToday() {
  TerminalBoxes boxes;
  vornelle::app::Program program;
  if (!program.LoadAndScan(boxes, {})) return 1;
  const vornelle::platform::CalendarDate today = vornelle::app::SystemClock().Today();
  vornelle::app::DesktopNotifications notifications;
  QEventLoop answered;
  bool settled = false;
  vornelle::app::NotifyDay(QDate(today.year, today.month, today.day), program, notifications,
                           [&](const std::string& why) {
                             if (!why.empty()) std::fprintf(stderr, "vornelle: no desktop notification: %s\n", why.c_str());
                             // The outcome is said; what is left is the ending. The bus's own
                             // thread may still meet a late message while Qt's types are torn
                             // down and warn of it, which tells the user nothing and would
                             // break the promise of one line.
                             qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
                             settled = true;
                             answered.quit();
                           });
  if (!settled) answered.exec();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const Request request = ReadArguments(argc, argv);
  if (request.stop) return request.status;

  // A notification needs no display: the core application alone.
  std::unique_ptr<QCoreApplication> application;
  if (request.notify)
    application = std::make_unique<QCoreApplication>(argc, argv);
  else
    application = std::make_unique<QApplication>(argc, argv);
  QCoreApplication::setApplicationName(vornelle::app::kProductName);
  QCoreApplication::setApplicationVersion(vornelle::app::kVersion);
  QGuiApplication::setDesktopFileName("vornelle");
  vornelle::app::InstallTranslations();
  const std::filesystem::path program_folder = QCoreApplication::applicationDirPath().toStdString();

  std::filesystem::path folder = request.folder;
  if (request.user_folder) {
    try {
      folder = vornelle::app::UserDataFolder();
      vornelle::themes::SetSharedThemeFolders(
          vornelle::app::UserFolderThemeFolders(vornelle::themes::SystemThemeFolders(), program_folder));
      vornelle::app::PrepareUserFolder(folder, vornelle::themes::SharedThemeFolders());
    } catch (const vornelle::platform::Exception& error) {
      std::fprintf(stderr, "vornelle: %s\n", error.what());
      if (!request.notify) {
        vornelle::app::QtMessageBoxService boxes;
        vornelle::app::CoreTextBoxes(boxes).Error(vornelle::app::kProductName, error.what());
      }
      return 1;
    }
  }
  if (chdir(folder.c_str()) != 0) {
    std::fprintf(stderr, "vornelle: %s: %s\n", folder.c_str(), std::strerror(errno));
    return 2;
  }

  vornelle::expr::InstallExpressionUnit();
  if (request.notify) return NotifyToday();

  vornelle::app::InstallPlatformWindows();
  vornelle::app::QtMessageBoxService boxes;
  vornelle::app::Program program;
  vornelle::app::DesktopHelpViewer help;
  vornelle::app::SystemClock clock;
  vornelle::app::TForm1 window(program, boxes, help, clock);
  window.installed_help_folder = vornelle::app::InstalledHelpFolder(program_folder);
  vornelle::options::FontDialogChooser fonts;
  vornelle::options::TOptionsF options(program, boxes, fonts, &window);
  window.show_options = [&options] { return options.Show(); };
  if (request.tray) {
    // The window comes and goes with the tray icon; only Quit ends the program.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    if (!window.StartInTray()) {
      std::fprintf(stderr, "vornelle: no system tray on this desktop; showing the window\n");
      QGuiApplication::setQuitOnLastWindowClosed(true);
      window.show();
    }
  } else {
    window.show();
  }
  return QCoreApplication::exec();
}
