// Vornelle, the calendar of daily messages: `vornelle [FOLDER]` works in FOLDER (default: the
// current folder), where the themes and the settings file are; `vornelle --user-folder`, as the
// applications menu starts it, works in the user's own folder and fills a new one with the
// sample themes.

#include <unistd.h>

#include <QApplication>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string_view>

#include "app/core/product.h"
#include "app/core/program.h"
#include "app/core/user_folder.h"
#include "app/gui/main_window.h"
#include "app/gui/qt_services.h"
#include "expr/expr.h"
#include "options/font_chooser.h"
#include "options/options_dialog.h"
#include "platform/exception.h"

namespace {

constexpr const char* kUsage =
    "usage: vornelle [FOLDER]\n"
    "       vornelle --user-folder\n"
    "\n"
    "Shows a month calendar with the day's messages of the themes (.dbf tables) in FOLDER,\n"
    "the current folder by default; the settings are kept there in Vornel.Ini.\n"
    "\n"
    "  --user-folder  work in $XDG_DATA_HOME/vornelle (~/.local/share/vornelle), which is\n"
    "                 created and given the sample themes on the first start\n"
    "  --help         show this help\n"
    "  --version      show the version\n";

// What the command line asks for. --help, --version and usage errors are answered before any
// window system is needed, so they work without a display too.
struct Request {
  enum { kRun, kUserFolder, kStop } what = kRun;
  std::filesystem::path folder;  // for kRun
  int status = 0;                // for kStop
};

Request ReadArguments(int argc, char** argv) {
  if (argc == 1) return {Request::kRun, std::filesystem::current_path(), 0};
  const std::string_view argument = argv[1];
  if (argc == 2 && argument == "--help") {
    std::fputs(kUsage, stdout);
    return {Request::kStop, {}, 0};
  }
  if (argc == 2 && argument == "--version") {
    std::printf("vornelle %s\n", vornelle::app::kVersion);
    return {Request::kStop, {}, 0};
  }
  if (argc == 2 && argument == "--user-folder") return {Request::kUserFolder, {}, 0};
  if (argc == 2 && !argument.starts_with('-')) return {Request::kRun, argv[1], 0};
  std::fputs(kUsage, stderr);
  return {Request::kStop, {}, 2};
}

}  // namespace

int main(int argc, char** argv) {
  Request request = ReadArguments(argc, argv);
  if (request.what == Request::kStop) return request.status;

  QApplication application(argc, argv);
  QApplication::setApplicationName(vornelle::app::kProductName);
  QApplication::setApplicationVersion(vornelle::app::kVersion);
  QApplication::setDesktopFileName("vornelle");
  const std::filesystem::path program_folder = QApplication::applicationDirPath().toStdString();

  vornelle::app::QtMessageBoxService boxes;
  if (request.what == Request::kUserFolder) {
    try {
      request.folder = vornelle::app::UserDataFolder();
      vornelle::app::PrepareUserFolder(request.folder, vornelle::app::SampleThemesFolder(program_folder));
    } catch (const vornelle::platform::Exception& error) {
      std::fprintf(stderr, "vornelle: %s\n", error.what());
      boxes.Error(vornelle::app::kProductName, error.what());
      return 1;
    }
  }
  if (chdir(request.folder.c_str()) != 0) {
    std::fprintf(stderr, "vornelle: %s: %s\n", request.folder.c_str(), std::strerror(errno));
    return 2;
  }

  vornelle::expr::InstallExpressionUnit();
  vornelle::app::InstallPlatformWindows();
  vornelle::app::Program program;
  vornelle::app::DesktopHelpViewer help;
  vornelle::app::SystemClock clock;
  vornelle::app::TForm1 window(program, boxes, help, clock);
  window.installed_help_folder = vornelle::app::InstalledHelpFolder(program_folder);
  vornelle::options::FontDialogChooser fonts;
  vornelle::options::TOptionsF options(program, boxes, fonts, &window);
  window.show_options = [&options] { return options.Show(); };
  window.show();
  return QApplication::exec();
}
