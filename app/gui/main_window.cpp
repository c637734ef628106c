#include "app/gui/main_window.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCloseEvent>
#include <QFrame>
#include <QSystemTrayIcon>
#include <QKeyEvent>
#include <QLocale>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSplitter>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <filesystem>

#include "app/core/product.h"
#include "app/gui/about_box.h"
#include "app/gui/appearance.h"
#include "app/core/day_lookup.h"
#include "app/gui/date_entry.h"
#include "app/gui/find_window.h"
#include "app/gui/go_to_date_dialog.h"
#include "app/gui/theme_editor.h"
#include "app/core/autostart.h"
#include "app/core/day_messages.h"
#include "app/core/user_folder.h"
#include "app/gui/day_notification.h"
#include "app/gui/desktop_colour_scheme.h"
#include "platform/profile.h"
#include "app/gui/window_placement.h"

namespace vornelle::app {

namespace {

constexpr int kToolbarHeight = 31;
constexpr int kDesignedWidth = 474;
constexpr int kDesignedHeight = 502;
constexpr int kExitButtonLeft = 427;  // at the designed width; it keeps its distance to the right

// The date selected in the month calendar.
class CalendarSelection : public SelectedDate {
 public:
  explicit CalendarSelection(const QCalendarWidget* calendar) : calendar_(calendar) {}
  platform::CalendarDate Date() const override {
    const QDate date = calendar_->selectedDate();
    return {date.year(), date.month(), date.day()};
  }

 private:
  const QCalendarWidget* calendar_;
};

QDate ToQDate(const platform::CalendarDate& date) { return QDate(date.year, date.month, date.day); }

platform::CalendarDate FromQDate(const QDate& date) { return {date.year(), date.month(), date.day()}; }

}  // namespace

TForm1::TForm1(Program& program, MessageBoxService& boxes, HelpViewer& help, const Clock& clock,
               QWidget* parent)
    : QMainWindow(parent), program_(program), boxes_(boxes), help_(help), clock_(clock) {
  setObjectName("Form1");
  // The product's title from the first moment: start-up boxes may stand over the window.
  setWindowTitle(QString::fromStdString(WindowCaption()));
  setWindowIcon(ProgramIcon());
  setFont(InstalledFont("MS Sans Serif", 8, 0));

  QMenu* file = menuBar()->addMenu(tr("&File"));
  file->addAction(tr("&Save Changes Made"), this, &TForm1::SaveBClick);
  file->addAction(tr("&Exit"), this, &TForm1::ExitBClick);
  QMenu* edit = menuBar()->addMenu(tr("&Edit"));
  edit->addAction(tr("&Copy"), QKeySequence::Copy, this, &TForm1::CopyClick);
  edit->addAction(tr("Copy &Day's Messages"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), this,
                  &TForm1::CopyDayClick);
  edit->addSeparator();
  edit->addAction(tr("&Find Messages..."), QKeySequence::Find, this, &TForm1::FindClick);
  edit->addAction(tr("&Go to Date..."), QKeySequence(Qt::CTRL | Qt::Key_G), this, &TForm1::GoToDateClick);
  edit->addAction(tr("&Today"), QKeySequence(Qt::CTRL | Qt::Key_T), this, &TForm1::TodayClick);
  QMenu* tools = menuBar()->addMenu(tr("&Tools"));
  tools->addAction(tr("&Options"), this, &TForm1::OptionsBClick);
  tools->addSeparator();
  tools->addAction(tr("&Edit Themes..."), QKeySequence(Qt::CTRL | Qt::Key_E), this, &TForm1::EditThemesClick);
  tools->addAction(tr("Edit &This Day..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E), this,
                   &TForm1::EditThisDayClick);
  tools->addSeparator();
  notify_action_ = tools->addAction(tr("&Notify at Day Change"));
  notify_action_->setCheckable(true);
  notify_action_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
  connect(notify_action_, &QAction::toggled, this, &TForm1::NotifyAtDayChangeToggled);
  quiet_days_action_ = tools->addAction(tr("&Quiet Days Without Messages"));
  quiet_days_action_->setCheckable(true);
  quiet_days_action_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M));
  connect(quiet_days_action_, &QAction::toggled, this, &TForm1::QuietDaysToggled);
  desktop_colours_action_ = tools->addAction(tr("Use &Desktop Colours"));
  desktop_colours_action_->setCheckable(true);
  desktop_colours_action_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D));
  connect(desktop_colours_action_, &QAction::toggled, this, &TForm1::UseDesktopColoursToggled);
  autostart_action_ = tools->addAction(tr("Start at &Login"));
  autostart_action_->setCheckable(true);
  autostart_action_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L));
  // The file may have come or gone since: the mark says what is there whenever the menu opens.
  connect(tools, &QMenu::aboutToShow, this, [this] {
    const QSignalBlocker quiet(autostart_action_);
    autostart_action_->setChecked(StartsAtLogin());
  });
  connect(autostart_action_, &QAction::toggled, this, &TForm1::StartAtLoginToggled);
  QMenu* help_menu = menuBar()->addMenu(tr("&Help"));
  help_menu->addAction(tr("&Contents"), this, &TForm1::HelpB2Click);
  help_menu->addAction(tr("&About"), this, &TForm1::AboutB2Click);

  // The window colour fills everything under the menu bar; the menu bar keeps the desktop's
  // colours, so that its names stay legible on any window colour.
  auto* central = new QWidget(this);
  SetBackground(central, kTeal);
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);

  // The toolbar: flat buttons at fixed places, the Exit button kept at the right edge.
  panel2_ = new QWidget(central);
  panel2_->setObjectName("Panel2");
  panel2_->setFixedHeight(kToolbarHeight);
  panel2_->setMinimumWidth(0);
  AddToolButton("OptionsB", ToolIcon("preferences-system", QStyle::SP_FileDialogDetailedView), 4,
                tr("Configure options for the program."), &TForm1::OptionsBClick);
  AddToolButton("SaveB", ToolIcon("document-save", QStyle::SP_DialogSaveButton), 41,
                tr("Save Changes Made."), &TForm1::SaveBClick);
  AddToolButton("HelpB2", HelpIcon(), 79,
                tr("Get Help For The Program."), &TForm1::HelpB2Click);
  AddToolButton("AboutB2", ToolIcon("help-about", QStyle::SP_MessageBoxInformation), 116,
                tr("Information About The Program."), &TForm1::AboutB2Click);
  AddToolButton("EditThemesB", ToolIcon("accessories-text-editor", QStyle::SP_FileDialogContentsView), 153,
                tr("Write and Change the Themes' Messages."), &TForm1::EditThemesClick);
  AddToolButton("TodayB", ToolIcon("go-jump-today", QStyle::SP_ArrowDown), 190, tr("Go to Today."),
                &TForm1::TodayClick);
  exit_button_ = AddToolButton("ExitB", ToolIcon("application-exit", QStyle::SP_DialogCloseButton),
                               kExitButtonLeft, tr("Exit The Program."), &TForm1::ExitBClick);
  column->addWidget(panel2_);
  // The buttons show only icons: screen readers get a name for each, after its menu command,
  // and take the tooltips as descriptions.
  const std::pair<const char*, QString> spoken[] = {
      {"OptionsB", tr("Options")}, {"SaveB", tr("Save Changes Made")}, {"HelpB2", tr("Help")},
      {"AboutB2", tr("About")},    {"EditThemesB", tr("Edit Themes")}, {"TodayB", tr("Today")},
      {"ExitB", tr("Exit")}};
  for (const auto& [button, name] : spoken) panel2_->findChild<QToolButton*>(button)->setAccessibleName(name);

  splitter_ = new QSplitter(Qt::Vertical, central);
  splitter_->setObjectName("Splitter1");
  splitter_->setHandleWidth(5);
  splitter_->setChildrenCollapsible(true);
  splitter_->setStyleSheet("QSplitter::handle { background: black; }");
  splitter_->setMinimumSize(0, 0);

  panel1_ = new QFrame(splitter_);
  panel1_->setObjectName("Panel1");
  panel1_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel1_->setFocusPolicy(Qt::StrongFocus);
  panel1_->setAccessibleName(tr("Calendar panel"));
  panel1_->setMinimumSize(0, 0);
  auto* calendar_box = new QVBoxLayout(panel1_);
  calendar_box->setContentsMargins(1, 1, 1, 1);
  calendar_ = new QCalendarWidget(panel1_);
  calendar_->setObjectName("MonthCalendar1");
  calendar_->setToolTip(tr("Click on any day to see more messages."));
  calendar_->setAccessibleName(tr("Calendar"));
  calendar_->setAccessibleDescription(tr("The selected day's messages are in the pane below"));
  // Qt leaves the calendar's arrows, its grid of days and its year box without names.
  const std::pair<const char*, QString> calendar_parts[] = {
      {"qt_calendar_prevmonth", tr("Previous Month")}, {"qt_calendar_nextmonth", tr("Next Month")},
      {"qt_calendar_calendarview", tr("Days")}, {"qt_calendar_yearedit", tr("Year")}};
  for (const auto& [part, name] : calendar_parts)
    if (QWidget* widget = calendar_->findChild<QWidget*>(part)) widget->setAccessibleName(name);
  calendar_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
  calendar_->setMinimumSize(1, 1);
  calendar_box->addWidget(calendar_);
  connect(calendar_, &QCalendarWidget::selectionChanged, this, &TForm1::SelectedDayChanged);
  connect(calendar_, &QCalendarWidget::clicked, this, &TForm1::MonthCalendar1Click);
  connect(calendar_, &QCalendarWidget::currentPageChanged, this, &TForm1::MonthPageChanged);

  jp_ = new QFrame(splitter_);
  jp_->setObjectName("JP");
  jp_->setMinimumSize(0, 0);
  auto* pane_box = new QVBoxLayout(jp_);
  pane_box->setContentsMargins(6, 8, 6, 8);
  pane_ = new QPlainTextEdit(jp_);
  pane_->setObjectName("JMsg");
  pane_->setReadOnly(true);
  pane_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  pane_->setContextMenuPolicy(Qt::PreventContextMenu);  // no menu, not even the standard one
  // The keyboard reaches the pane (Tab) to select and copy; a click still sends the focus to
  // the calendar, and selects with the mouse all the same.
  pane_->setFocusPolicy(Qt::TabFocus);
  pane_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  pane_->setAccessibleName(tr("Messages of the day"));
  pane_->setMinimumSize(0, 0);
  pane_->viewport()->installEventFilter(this);
  pane_->installEventFilter(this);
  pane_box->addWidget(pane_);

  splitter_->addWidget(panel1_);
  splitter_->addWidget(jp_);
  splitter_->setStretchFactor(0, 0);  // the calendar panel keeps its height; the pane takes the rest
  splitter_->setStretchFactor(1, 1);
  connect(splitter_, &QSplitter::splitterMoved, this,
          [this](int position, int) { panel1_height_ = position; });
  column->addWidget(splitter_, 1);
  // Takes the room while the splitter is hidden, so the toolbar stays at the top.
  column->addStretch(0);
  splitter_->hide();  // until the start-up has finished
  setCentralWidget(central);

  timer_ = new QTimer(this);
  timer_->setObjectName("Timer1");
  timer_->setInterval(60000);
  connect(timer_, &QTimer::timeout, this, &TForm1::Timer1Timer);

  pane_service_ = std::make_unique<PlainTextPane>(pane_);
  selected_date_ = std::make_unique<CalendarSelection>(calendar_);
  about_ = std::make_unique<TAboutBox>(program_.settings, this);

  resize(kDesignedWidth, kDesignedHeight);
  if (const QScreen* screen = QApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

TForm1::~TForm1() {
  // The application's palette was the desktop's for this window's sake.
  if (palette_changed_) QApplication::setPalette(DesktopColourScheme::PlatformPalette());
}

QToolButton* TForm1::AddToolButton(const char* name, const QIcon& icon, int left, const QString& tip,
                                   void (TForm1::*slot)()) {
  auto* button = new QToolButton(panel2_);
  button->setObjectName(name);
  button->setIcon(icon);
  button->setIconSize(QSize(20, 20));
  button->setAutoRaise(true);
  button->setToolTip(tip);
  button->setGeometry(left, 2, 35, 26);
  connect(button, &QToolButton::clicked, this, slot);
  return button;
}

WindowGeometry TForm1::LiveGeometry() const { return {x(), y(), width(), height()}; }

void TForm1::CopyGeometryToSettings() {
  const WindowGeometry live = LiveGeometry();
  Settings& s = program_.settings;
  s.Left = live.left, s.Top = live.top, s.Height = live.height, s.Width = live.width;
}

void TForm1::Guarded(const std::function<void()>& work) {
  try {
    work();
  } catch (const platform::EAbort&) {
  } catch (const std::exception& error) {
    boxes_.Error(ApplicationTitle(), error.what());
  }
}

// --- Start-up ---

void TForm1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shown_once_) return;
  shown_once_ = true;
  calendar_->setSelectedDate(ToQDate(clock_.Today()));
  // The start-up runs once the window is up, as its first activation does.
  QTimer::singleShot(0, this, [this] { Guarded([this] { StartUp(); }); });
}

void TForm1::StartUp() {
  if (!program_.LoadAndScan(boxes_, LiveGeometry())) {
    close();
    return;
  }
  Settings& s = program_.settings;
  if (!s.size_stored) {
    // 190 x 153 shows neither the month nor the pane: the window opens at its designed size, and
    // closing it unchanged asks nothing.
    s.Width = s.start.Width = kDesignedWidth;
    s.Height = s.start.Height = kDesignedHeight;
  }
  QList<QRect> screens;
  for (const QScreen* each : QGuiApplication::screens()) screens.push_back(each->availableGeometry());
  if (const QScreen* primary = QGuiApplication::primaryScreen()) screens.prepend(primary->availableGeometry());
  const QRect placed =
      PlaceWindow(s.Left, s.Top, s.Width, s.Height, frameGeometry().size() - size(), screens);
  move(placed.topLeft());
  resize(placed.size());

  {
    const QSignalBlocker quiet(desktop_colours_action_);
    desktop_colours_action_->setChecked(s.UseDesktopColours);
  }
  ApplyLook();
  ApplyCalendarFont(calendar_, s);
  panel1_height_ = s.SPTOP;
  ApplyPanelHeight();
  ShowDayMessages();
  {
    const QSignalBlocker quiet(notify_action_);
    notify_action_->setChecked(s.NotifyAtDayChange);
    const QSignalBlocker quiet_days(quiet_days_action_);
    quiet_days_action_->setChecked(s.QuietDays);
  }
  setWindowTitle(QString::fromStdString(WindowCaption()));
  calendar_->updateGeometry();
  program_.last_day_shown = FromQDate(calendar_->selectedDate());
  timer_->start();
  splitter_->show();
  ApplyPanelHeight();
  calendar_->setFocus();  // the arrow keys move the day at once
  // Closing compares with where the window could go and the size it could take once laid
  // out, so that a place moved onto a screen, or a size below the window's minimum, is no
  // change of the user's: the settings keep their values until the user moves or saves.
  layout()->activate();
  Settings::Start& start = program_.settings.start;
  start.Left = placed.left(), start.Top = placed.top(), start.Width = width(), start.Height = height();
  startup_done_ = true;
}

Settings TForm1::Look() const {
  if (!program_.settings.UseDesktopColours || !colour_scheme_) return program_.settings;
  return WithPaletteColours(program_.settings, colour_scheme_->Palette());
}

void TForm1::ApplyLook() {
  if (program_.settings.UseDesktopColours && !colour_scheme_) SetColourScheme(*new DesktopColourScheme(this));
  // The desktop's palette goes to every window of the program; off, the platform's comes back.
  if (program_.settings.UseDesktopColours) {
    QApplication::setPalette(colour_scheme_->Palette());
    palette_changed_ = true;
  } else if (palette_changed_) {
    QApplication::setPalette(DesktopColourScheme::PlatformPalette());
    palette_changed_ = false;
  }
  ApplyCalendarColours();
  ApplyColours();
  const Settings look = Look();
  ApplyPaneFont(pane_, look);
  QPalette pane = pane_->palette();
  pane.setColor(QPalette::Base, QApplication::palette().color(QPalette::Base));
  pane_->setPalette(pane);
}

void TForm1::SetColourScheme(DesktopColourScheme& scheme) {
  if (colour_scheme_ == &scheme) return;
  colour_scheme_ = &scheme;
  connect(colour_scheme_, &DesktopColourScheme::SchemeChanged, this, &TForm1::DesktopSchemeChanged);
}

void TForm1::DesktopSchemeChanged() {
  if (program_.settings.UseDesktopColours) ApplyLook();
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

void TForm1::ApplyColours() {
  const QColor colour = ToQColor(Look().WC);
  SetBackground(centralWidget(), colour);
  SetBackground(panel1_, colour);
  SetBackground(jp_, colour);
  // Flat buttons show the window colour through; where the dark icons would vanish on it,
  // each button stands on the desktop's button colour instead.
  const bool plates = ContrastRatio(colour, Qt::black) < kLegibleContrast;
  // A dark desktop's button colour is no plate for dark icons: a light grey is.
  QColor plate = QApplication::palette().color(QPalette::Button);
  if (ContrastRatio(plate, Qt::black) < kLegibleContrast) plate = QColor(0xDC, 0xDC, 0xDC);
  for (QToolButton* button : panel2_->findChildren<QToolButton*>()) {
    if (plates) {
      SetBackground(button, plate);
      // Some styles paint a tool button's panel in the button colour.
      QPalette palette = button->palette();
      palette.setColor(QPalette::Button, plate);
      button->setPalette(palette);
    } else {
      button->setAutoFillBackground(false);
    }
  }
}

void TForm1::ApplyCalendarColours() {
  // Around the calendar the fixed teal, or the desktop's window colour.
  if (!program_.settings.UseDesktopColours) {
    ApplyCalendarColourSlots(calendar_, program_.settings);
    return;
  }
  const Settings look = Look();
  ApplyCalendarColourSlots(calendar_, look, ToQColor(look.WC), ToQColor(look.CTTC));
}

void TForm1::ApplyPanelHeight() {
  // The calendar panel takes its height first, as much as the window has room for; the pane
  // gets what is left, nothing in a window too low for the calendar.
  const int total = std::max(0, splitter_->height() - splitter_->handleWidth());
  const int calendar = std::min(panel1_height_, total);
  splitter_->setSizes({calendar, total - calendar});
}

int TForm1::CalendarPanelHeight() const { return panel1_height_; }

void TForm1::ShowDayMessages() {
  // Screen readers hear the day first: Qt sends a name change on every call, even for the same
  // name, and then the pane's own text events bring the messages. A second text event of ours
  // would have them read twice.
  const QString day = QLocale().toString(calendar_->selectedDate(), QLocale::LongFormat);
  pane_->setAccessibleName(tr("Messages of %1").arg(day));
  program_.ShowDay(*selected_date_, *pane_service_, boxes_, LiveGeometry());
}

// --- Commands ---

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

void TForm1::FoundDayChosen(const QString& key) {
  const int month = key.left(2).toInt(), day = key.mid(2, 2).toInt();
  int year = clock_.Today().year;
  // 29 February is in the next leap year when this year has none.
  while (!QDate::isValid(year, month, day) && year < clock_.Today().year + 8) ++year;
  calendar_->setSelectedDate(QDate(year, month, day));
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

void TForm1::NotifyAtDayChangeToggled(bool on) {
  program_.settings.NotifyAtDayChange = on;
  WriteDesktopSetting(kNotifyAtDayChangeKey, on);
}

void TForm1::QuietDaysToggled(bool on) {
  program_.settings.QuietDays = on;
  WriteDesktopSetting(kQuietDaysKey, on);
  Guarded([this] { ShowDayMessages(); });
}

void TForm1::StartAtLoginToggled(bool on) {
  Guarded([&] {
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

bool TForm1::StartInTray() {
  if (!QSystemTrayIcon::isSystemTrayAvailable()) return false;
  tray_ = new QSystemTrayIcon(SymbolicProgramIcon(), this);
  auto* menu = new QMenu(this);
  menu->addAction(tr("&Show Calendar"), this, [this] {
    show();
    raise();
    activateWindow();
  });
  menu->addAction(tr("Copy &Day's Messages"), this, &TForm1::CopyDayClick);
  menu->addSeparator();
  menu->addAction(tr("&Quit"), this, &TForm1::QuitClick);
  tray_->setContextMenu(menu);
  connect(tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
    if (reason != QSystemTrayIcon::Trigger) return;
    if (isVisible()) {
      hide();
    } else {
      show();
      raise();
      activateWindow();
    }
  });
  // The start-up the first showing would run, without showing.
  shown_once_ = true;
  calendar_->setSelectedDate(ToQDate(clock_.Today()));
  Guarded([this] { StartUp(); });
  UpdateTrayTip();
  tray_->show();
  return true;
}

void TForm1::UpdateTrayTip() {
  if (!tray_) return;
  QString tip = QString::fromUtf8(kProductName);
  Guarded([&] {
    const std::vector<ThemeMessage> today = ReadDayMessages(clock_.Today(), program_.themes, program_.joketbl);
    if (!today.empty() && !today.front().lines.empty()) tip = QString::fromStdString(today.front().lines.front());
  });
  tray_->setToolTip(tip);
}

void TForm1::QuitClick() {
  quitting_ = true;
  if (close()) {
    if (tray_) tray_->hide();
    QCoreApplication::quit();
  }
  quitting_ = false;
}

void TForm1::ThemeSaved(const QString& file) {
  const std::string saved = ThemeTablePath(file.toStdString());
  for (const std::string& entry : program_.themes.SelTheme)
    if (ThemeTablePath(ThemeName(entry)) == saved) {
      Guarded([this] { ShowDayMessages(); });
      return;
    }
}

// --- Events ---

void TForm1::MonthCalendar1Click() {
  // A click that moved the selection has been shown already; a click on the selected day
  // looks it up again.
  if (shown_by_selection_) return;
  Guarded([this] { ShowDayMessages(); });
}

void TForm1::SelectedDayChanged() {
  if (!startup_done_) return;  // the start-up shows its day itself
  Guarded([this] { ShowDayMessages(); });
  // The click that may follow in the same event belongs to this change.
  shown_by_selection_ = true;
  QTimer::singleShot(0, this, [this] { shown_by_selection_ = false; });
}

void TForm1::MonthPageChanged(int year, int month) {
  // The month arrows, the month menu and the year box highlight the same day of the new
  // month without selecting it; select it, so that the pane shows the highlighted day.
  const QDate selected = calendar_->selectedDate();
  const QDate moved(year, month, std::min(selected.day(), QDate(year, month, 1).daysInMonth()));
  if (moved != selected) calendar_->setSelectedDate(moved);
}

void TForm1::Timer1Timer() {
  Guarded([this] {
    const platform::CalendarDate today = clock_.Today();
    if (!program_.DayChanged(today)) return;
    if (calendar_->selectedDate() != ToQDate(today))
      calendar_->setSelectedDate(ToQDate(today));  // the change of selection shows the day
    else
      ShowDayMessages();
    program_.last_day_shown = FromQDate(calendar_->selectedDate());
    UpdateTrayTip();
    if (program_.settings.NotifyAtDayChange) NotifyToday();
  });
}

void TForm1::NotifyToday() {
  // A desktop without a notification server still gets its new day in the window, which never
  // waits on the server.
  NotifyDay(ToQDate(clock_.Today()), program_, *notifications_, [](const std::string& why) {
    if (!why.empty()) std::fprintf(stderr, "vornelle: no desktop notification: %s\n", why.c_str());
  });
}

void TForm1::closeEvent(QCloseEvent* event) {
  // With an icon in the tray, closing the window only hides it; Quit ends the program.
  if (tray_ && tray_->isVisible() && !quitting_) {
    hide();
    event->ignore();
    return;
  }
  // The editor goes first, asking about a changed record; the calendar stays while it stays.
  if (editor_ && editor_->isVisible() && !editor_->close()) {
    event->ignore();
    return;
  }
  try {
    switch (program_.DecideClose(LiveGeometry(), CalendarPanelHeight())) {
      case CloseAction::kAskToSave:
        if (boxes_.AskYesNo(tr("Save Changes Before Exiting?").toStdString()))
          program_.Save(LiveGeometry(), CalendarPanelHeight());
        break;
      case CloseAction::kWritePosition: program_.SavePosition(LiveGeometry()); break;
      case CloseAction::kClose: break;
    }
  } catch (const std::exception& error) {
    // The settings could not be written: the user chooses between closing without them and
    // keeping the window open (closing it then asks again).
    boxes_.Error(ApplicationTitle(), error.what());
    if (!boxes_.AskYesNo(tr(kCloseWithoutSavingText).toStdString())) {
      event->ignore();
      return;
    }
  }
  timer_->stop();
  event->accept();
}

void TForm1::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  exit_button_->move(width() - (kDesignedWidth - kExitButtonLeft), 2);
  if (startup_done_) ApplyPanelHeight();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  // A click into the pane sends the keyboard focus to the month calendar.
  if (watched == pane_->viewport() && event->type() == QEvent::MouseButtonPress)
    calendar_->setFocus();
  // The pane does not copy by itself: Edit > Copy does, through the window's clipboard.
  if (watched == pane_ && event->type() == QEvent::ShortcutOverride &&
      static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy))
    return true;
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace vornelle::app
