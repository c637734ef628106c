#include "app/gui/main_window.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLocale>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSplitter>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/core/day_lookup.h"
#include "app/core/product.h"
#include "app/gui/about_box.h"
#include "app/gui/appearance.h"
#include "app/gui/calendar_dates.h"
#include "app/gui/delivery.h"
#include "app/gui/desktop_colour_scheme.h"
#include "app/gui/find_window.h"
#include "app/gui/history_navigation.h"
#include "app/gui/theme_editor.h"
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

}  // namespace

TForm1::TForm1(Program& program, MessageBoxService& boxes, HelpViewer& help, const Clock& clock,
               QWidget* parent)
    : QMainWindow(parent), program_(program), boxes_(boxes), help_(help), clock_(clock) {
  setObjectName("Form1");
  // The product's title from the first moment: start-up boxes may stand over the window.
  setWindowTitle(QString::fromStdString(WindowCaption()));
  setWindowIcon(ProgramIcon());
  setFont(InstalledFont("MS Sans Serif", 8, 0));

  delivery_ = new Delivery({this, [this](const std::function<void()>& work) { Guarded(work); },
                            [this](const char* key, bool on) { WriteDesktopSetting(key, on); },
                            [this] { CopyDayClick(); }},
                           program_, clock_);

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
  history_ = new HistoryNavigation(calendar_);
  AddToolButton("BackB", history_->BackAction(), 227);
  AddToolButton("ForwardB", history_->ForwardAction(), 264);
  BuildMenus();

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

void TForm1::AddToolButton(const char* name, QAction* action, int left) {
  auto* button = new QToolButton(panel2_);
  button->setObjectName(name);
  button->setDefaultAction(action);
  button->setIconSize(QSize(20, 20));
  button->setAutoRaise(true);
  button->setGeometry(left, 2, 35, 26);
  button->setAccessibleName(action->text().remove('&'));
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
    const QSignalBlocker quiet_days(quiet_days_action_);
    quiet_days_action_->setChecked(s.QuietDays);
  }
  delivery_->SettingsLoaded();
  setWindowTitle(QString::fromStdString(WindowCaption()));
  calendar_->updateGeometry();
  program_.last_day_shown = FromQDate(calendar_->selectedDate());
  timer_->start();
  splitter_->show();
  ApplyPanelHeight();
  calendar_->setFocus();  // the arrow keys move the day at once
  history_->Restart();
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
  pane_->setExtraSelections({});  // the marks of a search belong to the day they were made on
  program_.ShowDay(*selected_date_, *pane_service_, boxes_, LiveGeometry());
}

bool TForm1::StartInTray() {
  return delivery_->StartInTray([this] {
    // The start-up the first showing would run, without showing.
    shown_once_ = true;
    calendar_->setSelectedDate(ToQDate(clock_.Today()));
    StartUp();
  });
}

void TForm1::QuitClick() { delivery_->QuitClick(); }

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
    delivery_->DayChanged();
  });
}

void TForm1::closeEvent(QCloseEvent* event) {
  // With an icon in the tray, closing the window only hides it; Quit ends the program.
  if (delivery_->HidesOnClose()) {
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
