#pragma once
// TForm1: the main window. A toolbar, the month calendar and, under a splitter, the read-only
// pane with the day's messages. On its first showing it loads the settings, scans the themes,
// applies geometry, colours and fonts and shows today's messages; a timer moves it to the new
// day after midnight; closing asks to save when the settings changed.
//
// Its rooms: main_window.cpp is the window itself (its parts, start-up, look, the day shown,
// closing); main_window_menus.cpp the menus and the commands they give; main_window_print.cpp
// printing and PDF; history_navigation.h Back and Forward; delivery.h the messages that come by
// themselves (tray, notifications, start at login).

#include <QMainWindow>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "app/core/program.h"
#include "app/gui/core_texts.h"
#include "app/gui/delivery.h"
#include "app/gui/print_pages.h"
#include "app/gui/qt_services.h"
#include "options/options_outcome.h"

class QAction;
class QCalendarWidget;
class QSystemTrayIcon;
class QFrame;
class QPlainTextEdit;
class QPrintPreviewDialog;
class QSplitter;
class QTimer;
class QToolButton;

namespace vornelle::app {

class Delivery;
class DesktopColourScheme;
class FindWindow;
class HistoryNavigation;
class TAboutBox;
class ThemeEditor;

// Asked after the settings could not be written on closing.
inline constexpr const char* kCloseWithoutSavingText =
    QT_TRANSLATE_NOOP("vornelle::app::TForm1", "Close Without Saving?");

class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  TForm1(Program& program, MessageBoxService& boxes, HelpViewer& help, const Clock& clock,
         QWidget* parent = nullptr);
  ~TForm1() override;

  // Shows the options dialog modally; until the dialog exists, no options are offered.
  std::function<OptionsOutcome()> show_options;
  // Asks for a date to go to; nothing when cancelled. A box with a line to type in, unless a
  // test puts in its own answer.
  std::function<std::optional<QString>()> ask_date;
  // Asks what to export as PDF and where; nothing when cancelled. Two boxes, unless a test
  // puts in its own answer.
  std::function<std::optional<std::pair<PrintSpan, QString>>()> ask_pdf;
  // Shows the print preview; modally, unless a test or a screenshot looks at it its own way.
  std::function<void(QPrintPreviewDialog&)> show_print_preview;
  // Where copies go: the desktop's clipboard unless a test puts in its own.
  void SetClipboard(Clipboard& clipboard) { clipboard_ = &clipboard; }
  // Where notifications go: the desktop's unless a test puts in its own.
  void SetNotifications(Notifications& notifications) { delivery_->SetNotifications(notifications); }
  // Starts with the window hidden and an icon in the system tray: its tooltip the first line of
  // today's first message; a click shows or hides the window; closing the window hides it.
  // False, with nothing done, where the desktop has no tray.
  bool StartInTray();
  QSystemTrayIcon* TrayIcon() const { return delivery_->TrayIcon(); }
  QAction* NotifyAtDayChangeAction() const { return delivery_->NotifyAtDayChangeAction(); }
  QAction* QuietDaysAction() const { return quiet_days_action_; }
  QAction* StartAtLoginAction() const { return delivery_->StartAtLoginAction(); }
  QAction* UseDesktopColoursAction() const { return desktop_colours_action_; }
  // Where the desktop's colour preference comes from: the portal unless a test gives its own.
  void SetColourScheme(DesktopColourScheme& scheme);
  // Where the installed help page is, for a folder without its own copy; empty: none.
  std::filesystem::path installed_help_folder;

  // Parts the tests look at.
  QCalendarWidget* MonthCalendar1() const { return calendar_; }
  QPlainTextEdit* JMsg() const { return pane_; }
  QFrame* Panel1() const { return panel1_; }
  QFrame* JP() const { return jp_; }
  QTimer* Timer1() const { return timer_; }
  QWidget* Panel2() const { return panel2_; }
  TAboutBox* AboutBox() const { return about_.get(); }
  // The theme editor once it has been opened.
  ThemeEditor* Editor() const { return editor_.get(); }
  FindWindow* Finder() const { return finder_.get(); }
  HistoryNavigation* History() const { return history_; }
  // The window's live place and size, as the settings keep them.
  WindowGeometry LiveGeometry() const;
  bool StartupDone() const { return startup_done_; }
  // The calendar panel's height as set (SPTOP) or dragged with the splitter. It holds even when
  // the window is too low to show all of it, as the settings file expects.
  int CalendarPanelHeight() const;

 public Q_SLOTS:
  void OptionsBClick();
  void SaveBClick();
  void HelpB2Click();
  void AboutB2Click();
  // The theme editor, on the theme it last showed or the first displayed one; on the selected
  // day's record of the first displayed theme.
  void EditThemesClick();
  void EditThisDayClick();
  // Edit: the pane's selection, or the whole day when nothing is selected; the whole day; the
  // find window; a date typed in; today.
  void CopyClick();
  void CopyDayClick();
  void FindClick();
  // File: the print preview of the selected day, its week or its month; the same pages as PDF.
  void PrintClick();
  void ExportPdfClick();
  // Writes the pages of `span` to `path`; false, and the user told, when it cannot.
  bool ExportPdf(PrintSpan span, const QString& path);
  // F3 and Shift+F3: the next and the previous result of the last search; the find window when
  // there has been none.
  void FindNextClick();
  void FindPreviousClick();
  void GoToDateClick();
  void TodayClick();
  // Selects `text` as a date (ISO, or as the user's locale writes dates); false, and the user
  // told, when it names none.
  bool GoToDate(const QString& text);
  // A result of the find window: the day `key` ("MMDD") of this year.
  void FoundDayChosen(const QString& key);
  // Tools > Quiet Days Without Messages, kept in the settings file at once.
  void QuietDaysToggled(bool on);
  // Tools > Use Desktop Colours, kept in the settings file at once.
  void UseDesktopColoursToggled(bool on);
  // The desktop turned dark or light.
  void DesktopSchemeChanged();
  // The tray's Quit: the window's close sequence, its save question included, then the end.
  void QuitClick();
  // A theme was changed in the editor: the pane shows the day again when it shows that theme.
  void ThemeSaved(const QString& file);
  void ExitBClick() { close(); }
  void MonthCalendar1Click();
  // The selected date changed (keyboard, month arrows, month menu, year box, a click).
  void SelectedDayChanged();
  // The calendar shows another month (its arrows, month menu or year box).
  void MonthPageChanged(int year, int month);
  void Timer1Timer();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenus();
  void StartUp();
  void ApplyColours();
  void ApplyCalendarColours();
  void ApplyPanelHeight();
  void ShowDayMessages();
  void CopyGeometryToSettings();
  ThemeEditor& OpenEditor();
  // The days of `span` around the selected day, in the displayed themes.
  std::vector<PrintedDay> DaysToPrint(PrintSpan span) const;
  // The theme the editor opens on: the first displayed one, else the folder's first.
  std::string FirstTheme() const;
  // A key of the desktop's section, written at once (a failure is shown).
  void WriteDesktopSetting(const char* key, bool on);
  // The colours in effect: the settings', or the desktop's.
  Settings Look() const;
  void ApplyLook();
  // Runs an event's work; a failure it raises goes to the general error handler.
  void Guarded(const std::function<void()>& work);
  QToolButton* AddToolButton(const char* name, const QIcon& icon, int left, const QString& tip,
                             void (TForm1::*slot)());
  // A toolbar button giving `action`'s command, enabled as it is.
  void AddToolButton(const char* name, QAction* action, int left);

  Program& program_;
  // The boxes, given the core's texts in the user's language.
  CoreTextBoxes boxes_;
  HelpViewer& help_;
  const Clock& clock_;
  std::unique_ptr<MessagePane> pane_service_;
  std::unique_ptr<SelectedDate> selected_date_;
  std::unique_ptr<TAboutBox> about_;
  std::unique_ptr<ThemeEditor> editor_;
  std::unique_ptr<FindWindow> finder_;
  DesktopClipboard desktop_clipboard_;
  Clipboard* clipboard_ = &desktop_clipboard_;
  Delivery* delivery_ = nullptr;  // a child of the window
  HistoryNavigation* history_ = nullptr;  // a child of the calendar
  QAction* quiet_days_action_ = nullptr;
  QAction* desktop_colours_action_ = nullptr;
  DesktopColourScheme* colour_scheme_ = nullptr;  // made when desktop colours are first used
  bool palette_changed_ = false;                  // the application's palette is the desktop's

  QWidget* panel2_ = nullptr;
  QToolButton* exit_button_ = nullptr;
  QSplitter* splitter_ = nullptr;
  QFrame* panel1_ = nullptr;
  QCalendarWidget* calendar_ = nullptr;
  QFrame* jp_ = nullptr;
  QPlainTextEdit* pane_ = nullptr;
  QTimer* timer_ = nullptr;
  int panel1_height_ = 305;
  bool shown_once_ = false;
  bool startup_done_ = false;
  bool shown_by_selection_ = false;  // a change of selection has just shown its day
};

}  // namespace vornelle::app
