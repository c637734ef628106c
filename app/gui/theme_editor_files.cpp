// The theme editor's commands on whole theme files: a system's theme copied into the user's own
// themes, and a theme written as an iCalendar file.

#include <QFileDialog>
#include <QTableView>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>

#include "app/core/theme_catalogue.h"
#include "app/gui/theme_records_model.h"
#include "app/gui/theme_editor.h"
#include "platform/file_replace.h"
#include "themes/icalendar_export.h"
#include "themes/theme_error.h"
#include "themes/theme_files.h"
#include "themes/theme_folders.h"
#include "themes/theme_table.h"

namespace vornelle::app {

bool ThemeEditor::CopyToMyThemesClick() {
  if (file_.empty() || !shared_ || !LeaveRecord()) return false;
  const std::string file = file_;
  const std::string key = seen_.key;
  // The copy takes the shared theme's place under the same name: the shared one is let go.
  grid_->setModel(nullptr);
  model_.reset();
  file_.clear();
  table_.SetActive(false);
  const bool copied = Guarded([&] { themes::CopySharedTheme(file); });
  OpenTheme(file, key);
  if (!copied) return false;
  boxes_.Inform(tr("%1 is one of your own themes now: your changes go to your copy.")
                    .arg(QString::fromStdString(file))
                    .toStdString());
  return true;
}

bool ThemeEditor::ExportICalendarClick() {
  if (file_.empty() || !LeaveRecord()) return false;
  if (!ask_export_file)
    ask_export_file = [this](const std::string& suggested) -> std::optional<std::string> {
      const QString chosen = QFileDialog::getSaveFileName(this, tr("Export Theme as iCalendar"),
                                                          QString::fromStdString(suggested),
                                                          tr("iCalendar files (*.ics);;All files (*)"));
      if (chosen.isEmpty()) return std::nullopt;
      return chosen.toStdString();
    };
  const std::string stem = std::filesystem::path(file_).stem().string();
  const std::optional<std::string> target = ask_export_file(stem + ".ics");
  if (!target) return false;
  themes::ICalendarExport calendar;
  const bool done = Guarded([&] {
    const themes::ThemeTable read = themes::ReadThemeTable(themes::ThemeTablePath(file_));
    // A file that would lose messages is no export of the theme.
    if (!read.damage.empty()) throw themes::ThemeError(read.damage.front());
    calendar = themes::ThemeAsICalendar(file_, read.rows, std::time(nullptr));
    if (!platform::ReplaceFileContent(*target, calendar.text, std::nullopt))
      throw themes::ThemeError(*target + ": " + std::strerror(errno));
  });
  if (!done) return false;
  boxes_.Inform(tr("%1 days of %2 written to %3.")
                    .arg(calendar.days)
                    .arg(QString::fromStdString(file_), QString::fromStdString(*target))
                    .toStdString());
  return true;
}

}  // namespace vornelle::app
