// The main window's menus and the commands they give: File, Edit, Tools and Help, and the
// toolbar's buttons that give the same commands.

#include <QApplication>
#include <QCalendarWidget>
#include <QLocale>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <filesystem>

#include "app/core/day_lookup.h"
#include "app/core/day_messages.h"
#include "app/core/product.h"
#include "app/gui/about_box.h"
#include "app/gui/appearance.h"
#include "app/gui/calendar_dates.h"
#include "app/gui/date_entry.h"
#include "app/gui/delivery.h"
#include "app/gui/find_window.h"
#include "app/gui/go_to_date_dialog.h"
#include "app/gui/history_navigation.h"
#include "app/gui/main_window.h"
#include "app/gui/match_highlight.h"
#include "app/gui/theme_editor.h"
#include "platform/profile.h"

namespace vornelle::app {

void TForm1::BuildMenus() {
  QMenu* file = menuBar()->addMenu(tr("&File"));
  file->addAction(tr("&Save Changes Made"), this, &TForm1::SaveBClick);
  file->addSeparator();
  file->addAction(tr("&Print..."), QKeySequence::Print, this, &TForm1::PrintClick);
  file->addAction(tr("Export as P&DF..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P), this,
                  &TForm1::ExportPdfClick);
  file->addSeparator();
  file->addAction(tr("&Exit"), this, &TForm1::ExitBClick);
  QMenu* edit = menuBar()->addMenu(tr("&Edit"));
  edit->addAction(tr("&Copy"), QKeySequence::Copy, this, &TForm1::CopyClick);
  edit->addAction(tr("Copy &Day's Messages"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), this,
                  &TForm1::CopyDayClick);
  edit->addSeparator();
  edit->addAction(tr("&Find Messages..."), QKeySequence::Find, this, &TForm1::FindClick);
  edit->addAction(tr("Find &Next"), QKeySequence(Qt::Key_F3), this, &TForm1::FindNextClick);
  edit->addAction(tr("Find Pre&vious"), QKeySequence(Qt::SHIFT | Qt::Key_F3), this, &TForm1::FindPreviousClick);
  edit->addAction(tr("&Go to Date..."), QKeySequence(Qt::CTRL | Qt::Key_G), this, &TForm1::GoToDateClick);
  edit->addAction(tr("&Today"), QKeySequence(Qt::CTRL | Qt::Key_T), this, &TForm1::TodayClick);
  edit->addSeparator();
  edit->addAction(history_->BackAction());
  edit->addAction(history_->ForwardAction());
  QMenu* tools = menuBar()->addMenu(tr("&Tools"));
  tools->addAction(tr("&Options"), this, &TForm1::OptionsBClick);
  tools->addSeparator();
  tools->addAction(tr("&Edit Themes..."), QKeySequence(Qt::CTRL | Qt::Key_E), this, &TForm1::EditThemesClick);
  tools->addAction(tr("Edit &This Day..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E), this,
                   &TForm1::EditThisDayClick);
  tools->addSeparator();
  tools->addAction(delivery_->NotifyAtDayChangeAction());
  quiet_days_action_ = tools->addAction(tr("&Quiet Days Without Messages"));
  quiet_days_action_->setCheckable(true);
  quiet_days_action_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M));
  connect(quiet_days_action_, &QAction::toggled, this, &TForm1::QuietDaysToggled);
  desktop_colours_action_ = tools->addAction(tr("Use &Desktop Colours"));
  desktop_colours_action_->setCheckable(true);
  desktop_colours_action_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D));
  connect(desktop_colours_action_, &QAction::toggled, this, &TForm1::UseDesktopColoursToggled);
  tools->addAction(delivery_->StartAtLoginAction());
  connect(tools, &QMenu::aboutToShow, delivery_, &Delivery::ToolsMenuOpening);
  QMenu* help_menu = menuBar()->addMenu(tr("&Help"));
  help_menu->addAction(tr("&Contents"), this, &TForm1::HelpB2Click);
  help_menu->addAction(tr("&About"), this, &TForm1::AboutB2Click);

}

void TForm1::OptionsBClick() {
  Guarded([this] {
    CopyGeometryToSettings();
    if (!show_options) return;
    const OptionsOutcome outcome = show_options();
    if (!outcome.applied) return;
    const Settings& s = program_.settings;
    if (outcome.colours_changed) {
      ApplyCalendarColours();
      ApplyColours();
    }
    if (outcome.fonts_changed) {
      ApplyPaneFont(pane_, Look());
      ApplyCalendarFont(calendar_, s);
      ApplyCalendarColours();
    }
    calendar_->updateGeometry();
    if (outcome.themes_changed) ShowDayMessages();
  });
}

void TForm1::SaveBClick() {
  Guarded([this] { program_.Save(LiveGeometry(), CalendarPanelHeight()); });
}

void TForm1::HelpB2Click() {
  Guarded([this] {
    const std::filesystem::path local = std::filesystem::current_path() / kHelpFileName;
    const std::filesystem::path installed = installed_help_folder / kHelpFileName;
    std::string page;
    if (std::filesystem::exists(local))
      page = local.string();
    else if (!installed_help_folder.empty() && std::filesystem::exists(installed))
      page = installed.string();
    if (page.empty()) {
      const QString missing = tr("The help file %1 is missing").arg(QString::fromStdString(local.string()));
      boxes_.Error(ApplicationTitle(), missing.toStdString());
      return;
    }
    if (!help_.Open(page)) {
      const QString failed = tr("The help page %1 could not be opened").arg(QString::fromStdString(page));
      boxes_.Error(ApplicationTitle(), failed.toStdString());
    }
  });
}

void TForm1::AboutB2Click() {
  CopyGeometryToSettings();
  about_->exec();
}

ThemeEditor& TForm1::OpenEditor() {
  if (!editor_) {
    editor_ = std::make_unique<ThemeEditor>(program_, boxes_, this);
    connect(editor_.get(), &ThemeEditor::ThemeSaved, this, &TForm1::ThemeSaved);
  }
  editor_->show();
  editor_->raise();
  editor_->activateWindow();
  return *editor_;
}

std::string TForm1::FirstTheme() const {
  const ThemeLists& themes = program_.themes;
  if (!themes.SelTheme.empty()) return ThemeName(themes.SelTheme.front());
  return themes.AvailTheme.empty() ? std::string() : themes.AvailTheme.front();
}

void TForm1::EditThemesClick() {
  Guarded([this] {
    ThemeEditor& editor = OpenEditor();
    if (editor.ThemeFile().empty() && !FirstTheme().empty()) editor.OpenTheme(FirstTheme());
  });
}

void TForm1::EditThisDayClick() {
  Guarded([this] {
    ThemeEditor& editor = OpenEditor();
    if (!FirstTheme().empty()) editor.OpenTheme(FirstTheme(), DayKey(selected_date_->Date()));
  });
}

void TForm1::CopyClick() {
  const QString selected = pane_->textCursor().selectedText();
  if (selected.isEmpty()) {
    CopyDayClick();
    return;
  }
  // A selection's line ends are paragraph separators.
  clipboard_->SetText(QString(selected).replace(QChar::ParagraphSeparator, '\n').toStdString(), {});
}

void TForm1::CopyDayClick() {
  Guarded([this] {
    const QDate day = calendar_->selectedDate();
    const CopiedText copied = CopiedDay(QLocale().toString(day, QLocale::LongFormat).toStdString(),
                                        ReadDayMessages(FromQDate(day), program_.themes, program_.joketbl));
    clipboard_->SetText(copied.plain, copied.html);
  });
}

void TForm1::FindClick() {
  if (!finder_) {
    auto displayed = [this] {
      std::vector<std::string> files;
      for (const std::string& entry : program_.themes.SelTheme) files.push_back(ThemeName(entry));
      return files;
    };
    finder_ = std::make_unique<FindWindow>(displayed, [this] { return program_.themes.AvailTheme; }, this);
    connect(finder_.get(), &FindWindow::DayChosen, this, &TForm1::FoundDayChosen);
  }
  finder_->show();
  finder_->raise();
  finder_->activateWindow();
  finder_->FocusText();
}

void TForm1::FindNextClick() {
  if (!finder_ || !finder_->StepResult(1)) FindClick();
}

void TForm1::FindPreviousClick() {
  if (!finder_ || !finder_->StepResult(-1)) FindClick();
}

void TForm1::FoundDayChosen(const QString& key) {
  const int month = key.left(2).toInt(), day = key.mid(2, 2).toInt();
  int year = clock_.Today().year;
  // 29 February is in the next leap year when this year has none.
  while (!QDate::isValid(year, month, day) && year < clock_.Today().year + 8) ++year;
  calendar_->setSelectedDate(QDate(year, month, day));
  HighlightMatches(pane_, finder_->SearchedText(), finder_->SearchedOptions());
  activateWindow();
}

void TForm1::GoToDateClick() {
  if (ask_date) {
    if (const std::optional<QString> text = ask_date()) GoToDate(*text);
    return;
  }
  GoToDateDialog dialog(calendar_->selectedDate(), ToQDate(clock_.Today()), calendar_->minimumDate(),
                        calendar_->maximumDate(), this);
  if (dialog.exec() == QDialog::Accepted) calendar_->setSelectedDate(dialog.Date());
}

bool TForm1::GoToDate(const QString& text) {
  const QLocale locale;
  const QDate today = ToQDate(clock_.Today());
  const std::optional<QDate> date = ParseTypedDate(text, locale, today);
  if (!date || *date < calendar_->minimumDate() || *date > calendar_->maximumDate()) {
    const QString wrong = tr("Not a Date: \"%1\". Write a date as %2 or %3.")
                              .arg(text.trimmed(), today.toString(Qt::ISODate), DateForTyping(today, locale));
    boxes_.Error(ApplicationTitle(), wrong.toStdString());
    return false;
  }
  calendar_->setSelectedDate(*date);
  return true;
}

void TForm1::TodayClick() { calendar_->setSelectedDate(ToQDate(clock_.Today())); }

void TForm1::QuietDaysToggled(bool on) {
  program_.settings.QuietDays = on;
  WriteDesktopSetting(kQuietDaysKey, on);
  Guarded([this] { ShowDayMessages(); });
}

void TForm1::ThemeSaved(const QString& file) {
  const std::string saved = ThemeTablePath(file.toStdString());
  for (const std::string& entry : program_.themes.SelTheme)
    if (ThemeTablePath(ThemeName(entry)) == saved) {
      Guarded([this] { ShowDayMessages(); });
      return;
    }
}

void TForm1::WriteDesktopSetting(const char* key, bool on) {
  Guarded([&] {
    if (!platform::WriteProfileString(program_.settings_path, kDesktopSection, key, on ? "1" : "0"))
      throw ESettingsWrite(program_.settings_path);
  });
}

void TForm1::UseDesktopColoursToggled(bool on) {
  program_.settings.UseDesktopColours = on;
  WriteDesktopSetting(kUseDesktopColoursKey, on);
  ApplyLook();
}


}  // namespace vornelle::app
