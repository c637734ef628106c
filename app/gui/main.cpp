// Vornelle, the calendar of daily messages: `vornelle [FOLDER]` works in FOLDER (default: the
// current folder), where the themes and the settings file are.

#include <unistd.h>

#include <QApplication>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "app/core/product.h"
#include "app/core/program.h"
#include "app/gui/main_window.h"
#include "app/gui/qt_services.h"
#include "expr/expr.h"
#include "options/font_chooser.h"
#include "options/options_dialog.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(vornelle::app::kProductName);
  QApplication::setApplicationVersion(vornelle::app::kVersion);
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() > 2 || (arguments.size() == 2 && arguments[1].startsWith('-'))) {
    std::fprintf(stderr, "usage: vornelle [FOLDER]\n");
    return 2;
  }
  if (arguments.size() == 2 && chdir(arguments[1].toLocal8Bit().constData()) != 0) {
    std::fprintf(stderr, "vornelle: %s: %s\n", arguments[1].toLocal8Bit().constData(),
                 std::strerror(errno));
    return 2;
  }

  vornelle::expr::InstallExpressionUnit();
  vornelle::app::InstallPlatformWindows();
  vornelle::app::Program program;
  vornelle::app::QtMessageBoxService boxes;
  vornelle::app::DesktopHelpViewer help;
  vornelle::app::SystemClock clock;
  vornelle::app::TForm1 window(program, boxes, help, clock);
  vornelle::options::FontDialogChooser fonts;
  vornelle::options::TOptionsF options(program, boxes, fonts, &window);
  window.show_options = [&options] { return options.Show(); };
  window.show();
  return QApplication::exec();
}
