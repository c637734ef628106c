// The calendar window as a user meets it, on the offscreen platform: start-up, the day's
// messages, the day-change timer, closing with and without saving, the About box, and where
// message boxes go.

#include <unistd.h>

#include <QApplication>
#include <QCalendarWidget>
#include <QToolButton>
#include <QMenuBar>
#include <QAbstractItemView>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QPlainTextEdit>
#include <QProcess>
#include <QScreen>
#include <QSpinBox>
#include <QSplitter>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <climits>
#include <memory>

#include "app/core/program.h"
#include "app/gui/about_box.h"
#include "app/gui/appearance.h"
#include "app/gui/main_window.h"
#include "engine/engine.h"
#include "expr/expr.h"
#include "platform/locale.h"
#include "platform/message_box.h"
#include "platform/profile.h"
#include "tests/app/app_fixture.h"
#include "tests/gui/window_fixture.h"
#include "tests/support/themes.h"

using namespace vornelle;
using app::TForm1;
namespace vt = vornelle::testing;
using vt::ThemeRecord;

namespace {

void Touch(const QString& path) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
}

std::string ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string("<none>");
}

}  // namespace

class MainWindowTest : public QObject, public vt::WindowFixture {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { vornelle::expr::InstallExpressionUnit(); }

  void init() {
    QVERIFY(SetUp());
    platform::SetShortDateFormat(platform::PatternFromStrftime("%m/%d/%y"));
    Theme("almanac.dbf", {{"9999", "Almanac"}, {"0704", "Fireworks.\r\nSecond line."}, {"0705", "Next day."}});
    Theme("garden.dbf", {{"9999", "Garden"}, {"0101", "Frost."}});
  }

  void cleanup() { QVERIFY(TearDown()); }

  void startsWithTheDefaultsWithoutASettingsFile() {
    Start();
    QCOMPARE(window_->windowTitle(), QString("Vornelle 1.0"));
    QCOMPARE(window_->pos(), QPoint(50, 50));
    // The size the window is designed for: 190 x 153 would show neither the month nor the pane.
    QCOMPARE(window_->size(), QSize(474, 502));
    QCOMPARE(window_->CalendarPanelHeight(), 305);
    QCOMPARE(Pane(), std::string());
    QVERIFY(boxes_.confirms.empty());
    QVERIFY(window_->Timer1()->isActive());
    QCOMPARE(window_->Timer1()->interval(), 60000);
    QVERIFY(window_->MonthCalendar1()->isVisible());
    QCOMPARE(window_->MonthCalendar1()->toolTip(), QString("Click on any day to see more messages."));
    QCOMPARE(program_->themes.AvailThemeD, (std::vector<std::string>{"Almanac", "Garden"}));
    // Nothing changed: closing neither asks nor writes.
    window_->close();
    QVERIFY(boxes_.questions.empty());
    QVERIFY(!QFile::exists(File("Vornel.Ini")));
  }

  void showsTodaysMessagesOfTheDisplayedThemes() {
    Settings("[WinSet]\nWidth=474\nHeight=502\n[THEMES]\nThemeLINES=2\nDB_0=almanac.dbf\nDB_1=garden.dbf\n");
    Start();
    QCOMPARE(window_->size(), QSize(474, 502));
    QCOMPARE(Pane(), std::string("Fireworks.\nSecond line.\n\n#########################\n"));
    QCOMPARE(boxes_.confirms.size(), std::size_t(1));
    QCOMPARE(boxes_.confirms[0].text, std::string("No Message on File for This .db: garden.dbf"));
    QCOMPARE(boxes_.confirms[0].at.x, 50 + 474 / 2 - 50);
    QCOMPARE(boxes_.confirms[0].at.y, 50 + 502 / 2 - 25);
    // A click on another day looks it up.
    window_->MonthCalendar1()->setSelectedDate(QDate(2024, 7, 5));
    window_->MonthCalendar1Click();
    QCOMPARE(Pane(), std::string("Next day.\n\n#########################\n"));
  }

  void timerMovesToTheNewDayOnlyWhenTheDayChanges() {
    Settings("[THEMES]\nThemeLINES=1\nDB_0=almanac.dbf\n");
    Start();
    window_->MonthCalendar1()->setSelectedDate(QDate(2024, 1, 1));  // the user looks elsewhere
    window_->Timer1Timer();
    QCOMPARE(window_->MonthCalendar1()->selectedDate(), QDate(2024, 1, 1));
    clock_.Set(2024, 7, 5);  // midnight passed
    window_->Timer1Timer();
    QCOMPARE(window_->MonthCalendar1()->selectedDate(), QDate(2024, 7, 5));
    QCOMPARE(Pane(), std::string("Next day."));
  }

  void folderWithoutThemesEndsTheProgram() {
    QFile::remove(File("almanac.dbf"));
    QFile::remove(File("garden.dbf"));
    Start();
    QVERIFY(!window_->isVisible());
    QCOMPARE(boxes_.confirms.size(), std::size_t(1));
    QCOMPARE(boxes_.confirms[0].text,
             std::string("No Message Files Exists! Please check your installation."));
    QVERIFY(boxes_.questions.empty());
    QVERIFY(!QFile::exists(File("Vornel.Ini")));
  }

  // The product's title stands over the window before the start-up can show a box.
  void hasItsTitleBeforeTheStartUp() {
    program_ = std::make_unique<app::Program>();
    window_ = std::make_unique<app::TForm1>(*program_, boxes_, help_, clock_);
    QCOMPARE(window_->windowTitle(), QString("Vornelle 1.0"));
  }

  // A day a theme has no message for: a box, or with quiet days a line in the pane; the menu's
  // toggle keeps its choice in the settings.
  void quietDaysSayInThePaneWhatTheBoxSaid() {
    Settings("[THEMES]\nThemeLINES=2\nDB_0=almanac.dbf\nDB_1=garden.dbf\n");
    Start();
    QCOMPARE(boxes_.confirms.size(), std::size_t(1));  // garden has no 4 July
    QVERIFY(!window_->QuietDaysAction()->isChecked());
    window_->QuietDaysAction()->trigger();
    QCOMPARE(boxes_.confirms.size(), std::size_t(1));
    QCOMPARE(Pane(), std::string("Fireworks.\nSecond line.\n\n#########################\n\n"
                                 "No message for this day in garden.dbf"));
    QVERIFY(vt::ReadFileBytes(Path("Vornel.Ini")).find("[Desktop]\nQuietDays=1") != std::string::npos);
  }

  void movedOnlyWritesThePositionWithoutAsking() {
    Settings("[WinSet]\nTop=50\nLeft=50\n");
    Start();
    window_->move(120, 80);
    window_->close();
    QVERIFY(boxes_.questions.empty());
    QCOMPARE(platform::GetProfileString("Vornel.Ini", "WinSet", "Top", ""), std::string("80"));
    QCOMPARE(platform::GetProfileString("Vornel.Ini", "WinSet", "Left", ""), std::string("120"));
    QCOMPARE(platform::GetProfileString("Vornel.Ini", "WinSet", "Width", "none"), std::string("none"));
  }

  // A stored size past the screen is cut to it; a place from which the window could not be
  // reached moves onto the screen; a window that fits stays where it was.
  void storedGeometryIsBoundToTheScreen_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("kept");
    QTest::newRow("fits") << "Top=60\nLeft=70\nWidth=300\nHeight=250" << true;
    QTest::newRow("huge") << "Top=0\nLeft=0\nWidth=100000\nHeight=100000" << false;
    QTest::newRow("far above") << "Top=-2147483648\nLeft=50\nWidth=300\nHeight=250" << false;
    QTest::newRow("far right") << "Top=50\nLeft=2147483647\nWidth=2147483647\nHeight=250" << false;
    QTest::newRow("below") << "Top=100000\nLeft=-100000\nWidth=300\nHeight=250" << false;
  }
  void storedGeometryIsBoundToTheScreen() {
    QFETCH(QString, stored);
    QFETCH(bool, kept);
    Settings("[WinSet]\n" + stored.toStdString() + "\n");
    Start();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    if (kept) QCOMPARE(QRect(window_->pos(), window_->size()), QRect(70, 60, 300, 250));
    QVERIFY2(screen.contains(window_->frameGeometry()), qPrintable(QString("%1,%2 %3x%4").arg(window_->x())
             .arg(window_->y()).arg(window_->width()).arg(window_->height())));
  }

  // A place moved onto the screen, or a size grown to the window's minimum, is not the user's
  // change: closing asks nothing and writes nothing.
  void adjustedGeometryIsNoChangeOfTheUsers_data() {
    QTest::addColumn<QString>("stored");
    QTest::newRow("off every screen") << "Top=50\nLeft=2000\nWidth=300\nHeight=250";
    QTest::newRow("below the minimum") << "Top=50\nLeft=50\nWidth=20\nHeight=10";
  }
  void adjustedGeometryIsNoChangeOfTheUsers() {
    QFETCH(QString, stored);
    const std::string text = "[WinSet]\n" + stored.toStdString() + "\nSPTOP=305\n";
    Settings(text);
    Start();
    window_->close();
    QVERIFY(!window_->isVisible());
    QVERIFY(boxes_.questions.empty());
    QCOMPARE(ReadFile(File("Vornel.Ini")), text);
  }

  void resizedAsksAndNoLeavesTheFileAlone() {
    Settings("[WinSet]\nTop=50\n");
    Start();
    window_->resize(300, 250);
    window_->move(90, 90);
    boxes_.answers = {false};
    window_->close();
    QCOMPARE(boxes_.questions, std::vector<std::string>{"Save Changes Before Exiting?"});
    QCOMPARE(ReadFile(File("Vornel.Ini")), std::string("[WinSet]\nTop=50\n"));
  }

  void resizedAndYesSavesEverything() {
    Start();
    window_->resize(300, 250);
    boxes_.answers = {true};
    window_->close();
    QCOMPARE(platform::GetProfileString("Vornel.Ini", "WinSet", "Width", ""), std::string("300"));
    QCOMPARE(platform::GetProfileString("Vornel.Ini", "THEMES", "ThemeLINES", ""), std::string("0"));
  }

  void savedThenMovedClosesWithoutAWord() {
    Start();
    window_->SaveBClick();
    const std::string saved = ReadFile(File("Vornel.Ini"));
    window_->move(200, 200);
    window_->resize(400, 400);
    window_->close();
    QVERIFY(boxes_.questions.empty());
    QCOMPARE(ReadFile(File("Vornel.Ini")), saved);
  }

  // After "Unable to write", No keeps the window open and Yes closes it without the settings.
  void settingsThatCannotBeWrittenAskWhetherToCloseWithoutThem() {
    Settings("[WinSet]\nTop=50\n");
    QFile::setPermissions(File("Vornel.Ini"), QFile::ReadOwner);
    Start();
    window_->move(70, 70);
    window_->close();
    QVERIFY(window_->isVisible());
    QCOMPARE(boxes_.errors.size(), std::size_t(1));
    QCOMPARE(boxes_.errors[0], "Vornelle v1.0: Unable to write to " +
                                   QFileInfo(File("Vornel.Ini")).absoluteFilePath().toStdString());
    QCOMPARE(boxes_.questions, std::vector<std::string>{"Close Without Saving?"});
    boxes_.answers = {true};
    window_->close();
    QVERIFY(!window_->isVisible());
    QCOMPARE(ReadFile(File("Vornel.Ini")), std::string("[WinSet]\nTop=50\n"));
  }

  void aboutBoxIsCentredOverTheWindow() {
    Start();
    window_->move(100, 100);
    window_->resize(400, 300);
    QPoint place;
    QString caption, version, product, web;
    QTimer::singleShot(0, [&] {
      app::TAboutBox* about = window_->AboutBox();
      place = about->pos();
      caption = about->windowTitle();
      version = about->Version()->text();
      product = about->ProductName()->text();
      web = about->WebL()->isVisible() ? about->WebL()->text() : QString();
      about->accept();
    });
    window_->AboutB2Click();
    QCOMPARE(place, QPoint(100 + 200 - 377 / 2, 100 + 150 - 244 / 2));
    QCOMPARE(caption, QString("About Vornelle"));
    QCOMPARE(product, QString("Vornelle"));
    QCOMPARE(version, QString("Version 1.0"));
    QCOMPARE(web, QString());  // no address leads anywhere yet: none is shown
    QCOMPARE(window_->AboutBox()->size(), QSize(377, 244));
  }

  void helpOpensThePageOrSaysItIsMissing() {
    Start();
    window_->HelpB2Click();
    QVERIFY(help_.opened.empty());
    QCOMPARE(boxes_.errors.size(), std::size_t(1));
    QVERIFY(boxes_.errors[0].find("Vornel.html") != std::string::npos);
    // The installed page serves a folder without its own; the folder's own copy comes first.
    QVERIFY(QDir().mkpath(File("installed")));
    window_->installed_help_folder = File("installed").toStdString();
    Touch(File("installed/Vornel.html"));
    window_->HelpB2Click();
    QCOMPARE(help_.opened.size(), std::size_t(1));
    QVERIFY(help_.opened[0].find("installed/Vornel.html") != std::string::npos);
    Touch(File("Vornel.html"));
    window_->HelpB2Click();
    QCOMPARE(help_.opened.size(), std::size_t(2));
    QVERIFY(help_.opened[1].find("Vornel.html") != std::string::npos);
    QVERIFY(help_.opened[1].find("installed") == std::string::npos);
    QCOMPARE(boxes_.errors.size(), std::size_t(1));
  }

  // Whatever moves the selection shows that day, looked up once: almanac has 5 July, garden
  // has neither day, and every theme without a message gives one box per lookup. The keys go
  // to the widget that has the focus when the window opens.
  void everyChangeOfTheSelectedDayShowsIt_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("boxes");
    QTest::newRow("right arrow") << "Right" << QDate(2024, 7, 5) << 1;
    QTest::newRow("month menu") << "September" << QDate(2024, 9, 4) << 2;
    QTest::newRow("year box") << "2025" << QDate(2025, 7, 4) << 1;
    QTest::newRow("left arrow") << "Left" << QDate(2024, 7, 3) << 2;
    QTest::newRow("page down") << "PageDown" << QDate(2024, 8, 4) << 2;
    QTest::newRow("next month arrow") << "next month" << QDate(2024, 8, 4) << 2;
    QTest::newRow("click on the next day") << "click next" << QDate(2024, 7, 5) << 1;
    QTest::newRow("click on the selected day") << "click same" << QDate(2024, 7, 4) << 1;
    QTest::newRow("click in the pane, then a key") << "pane, Right" << QDate(2024, 7, 5) << 1;
    QTest::newRow("the day changes") << "midnight" << QDate(2024, 7, 5) << 1;
  }
  void everyChangeOfTheSelectedDayShowsIt() {
    QFETCH(QString, action);
    QFETCH(QDate, date);
    QFETCH(int, boxes);
    Theme("almanac.dbf", {{"9999", "Almanac"}, {"0705", "Next day."}, {"0704", "Fourth."}});
    Settings("[THEMES]\nThemeLINES=2\nDB_0=almanac.dbf\nDB_1=garden.dbf\n");
    Start();
    boxes_.confirms.clear();
    QCalendarWidget* calendar = window_->MonthCalendar1();
    QWidget* focused = window_->focusWidget();
    QVERIFY(focused == calendar || calendar->isAncestorOf(focused));
    auto* view = calendar->findChild<QAbstractItemView*>("qt_calendar_calendarview");
    const QRect cell = view->visualRect(view->currentIndex());
    if (action == "Right") QTest::keyClick(focused, Qt::Key_Right);
    if (action == "Left") QTest::keyClick(focused, Qt::Key_Left);
    if (action == "PageDown") QTest::keyClick(focused, Qt::Key_PageDown);
    if (action == "next month") calendar->findChild<QToolButton*>("qt_calendar_nextmonth")->click();
    if (action.startsWith("click"))
      QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                        cell.center() + QPoint(action == "click next" ? cell.width() : 0, 0));
    if (action == "midnight") {
      clock_.Set(2024, 7, 5);
      window_->Timer1Timer();
    }
    if (action == "September")
      calendar->findChild<QToolButton*>("qt_calendar_monthbutton")->menu()->actions().at(8)->trigger();
    if (action == "2025") {
      auto* year = calendar->findChild<QSpinBox*>("qt_calendar_yearedit");
      year->setValue(2025);
      QMetaObject::invokeMethod(year, "editingFinished");
    }
    if (action == "pane, Right") {
      QTest::mouseClick(window_->JMsg()->viewport(), Qt::LeftButton);
      QTest::keyClick(window_->focusWidget(), Qt::Key_Right);
    }
    QTest::qWait(10);  // the events the change posted
    QCOMPARE(calendar->selectedDate(), date);
    QCOMPARE(int(boxes_.confirms.size()), boxes);
    const QString key = date.toString("MMdd");
    const char* first_line = key == "0705" ? "Next day." : key == "0704" ? "Fourth." : "";
    QCOMPARE(QString::fromStdString(Pane()).section('\n', 0, 0), QString(first_line));
  }

  // The window colour stays behind the calendar and the pane: the menu bar keeps the
  // desktop's colours, and every toolbar button stands on a background its icon reads on.
  void toolbarAndMenuStayLegibleOnEveryWindowColour_data() {
    QTest::addColumn<QColor>("colour");
    for (const char* name : {"#000000", "#800000", "#008000", "#808000", "#000080", "#800080", "#008080",
                             "#808080", "#C0C0C0", "#FF0000", "#00FF00", "#FFFF00", "#0000FF", "#FF00FF",
                             "#00FFFF", "#FFFFFF"})
      QTest::newRow(name) << QColor(name);
  }
  void toolbarAndMenuStayLegibleOnEveryWindowColour() {
    QFETCH(QColor, colour);
    const unsigned wc = unsigned(colour.red()) | unsigned(colour.green()) << 8 | unsigned(colour.blue()) << 16;
    Settings("[WinSet]\nWC=" + std::to_string(wc) + "\n");
    Start();
    const QImage menu = window_->menuBar()->grab().toImage();
    QCOMPARE(menu.pixelColor(menu.width() - 2, menu.height() / 2), QApplication::palette().color(QPalette::Window));
    const QImage exit = window_->findChild<QToolButton*>("ExitB")->grab().toImage();
    QColor darkest = Qt::white;
    for (int y = 0; y < exit.height(); ++y)
      for (int x = 0; x < exit.width(); ++x)
        if (exit.pixelColor(x, y).lightness() < darkest.lightness()) darkest = exit.pixelColor(x, y);
    QVERIFY2(app::ContrastRatio(exit.pixelColor(1, 1), darkest) >= app::kLegibleContrast,
             qPrintable(exit.pixelColor(1, 1).name() + " behind " + darkest.name()));
  }

  // The toolbar stays at the top while the calendar and pane are hidden (a failed start-up).
  void toolbarStaysAtTheTopWithoutTheCalendar() {
    QFile::remove(File("almanac.dbf"));
    QFile::remove(File("garden.dbf"));
    Start();
    QCOMPARE(window_->Panel2()->y(), 0);
  }

  // The weekday names stand on the month's background.
  void weekdayHeaderTakesTheMonthBackground() {
    Settings("[WinSet]\nCMBC=0x00FFFF\n");  // yellow
    Start();
    auto* view = window_->MonthCalendar1()->findChild<QAbstractItemView*>("qt_calendar_calendarview");
    const QImage image = view->viewport()->grab().toImage();
    const QRect header = view->visualRect(view->model()->index(0, 1));
    QCOMPARE(image.pixelColor(header.left() + 1, header.top() + 1), QColor(Qt::yellow));
  }

  void paneIsReadOnlyWithoutAMenuButTheKeyboardReachesIt() {
    Start();
    QVERIFY(window_->JMsg()->isReadOnly());
    QCOMPARE(window_->JMsg()->contextMenuPolicy(), Qt::PreventContextMenu);
    QCOMPARE(window_->JMsg()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    for (int tab = 0; tab < 12 && !window_->JMsg()->hasFocus(); ++tab)
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QVERIFY(window_->JMsg()->hasFocus());
    // A click sends the focus back to the calendar.
    QTest::mouseClick(window_->JMsg()->viewport(), Qt::LeftButton);
    QVERIFY(!window_->JMsg()->hasFocus());
  }

  // The terminal companion prints the very pane the window shows.
  void terminalPrintsTheWindowsPaneByteForByte() {
    Theme("third.dbf", {{"9999", "Third"}, {"0704", "Gr\xfc\xdf" "e.\r\n\r\nAfter an empty line."}});
    Settings("[THEMES]\nThemeLINES=3\nDB_0=garden.dbf\nDB_1=third.dbf\nDB_2=almanac.dbf\n");
    Start();
    const QByteArray pane = window_->JMsg()->toPlainText().toUtf8() + "\n";
    QProcess terminal;
    terminal.start(VORNELLE_DB_PATH, {"day", "--date", "2024-07-04", "--folder", folder_->path()});
    QVERIFY(terminal.waitForFinished(10000));
    QCOMPARE(terminal.readAllStandardOutput(), pane);
    QCOMPARE(terminal.exitCode(), 0);
    QVERIFY(pane.contains("Gr\xc3\xbc\xc3\x9f" "e."));
  }

  void failuresGoToTheGeneralErrorHandler() {
    QFile broken(File("broken.dbf"));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("this is not a table, though it ends in .dbf and is long enough");
    broken.close();
    // The scan meets the broken table: its failure is shown, and the window stays bare.
    program_ = std::make_unique<app::Program>();
    window_ = std::make_unique<TForm1>(*program_, boxes_, help_, clock_);
    window_->show();
    QTRY_COMPARE(boxes_.errors.size(), std::size_t(1));
    QVERIFY(boxes_.errors[0].rfind("Vornelle v1.0: Error # 210", 0) == 0);
    QVERIFY(!window_->StartupDone());
    QVERIFY(!window_->Timer1()->isActive());
  }
};

// The Qt message boxes themselves: placed where the program says.
class MessageBoxTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void confirmationGoesWhereItIsTold() {
    app::QtMessageBoxService boxes;
    QPoint place;
    QString text, caption, button;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box);
      place = box->pos();
      text = box->text();
      caption = box->windowTitle();
      button = box->buttons().value(0) ? box->buttons().value(0)->text() : QString();
      box->accept();
    });
    boxes.Confirm("No Message on File for This .db: a.dbf", {200, 150});
    QCOMPARE(place, QPoint(200, 150));
    QCOMPARE(text, QString("No Message on File for This .db: a.dbf"));
    QCOMPARE(caption, QString("Confirm"));
    QCOMPARE(button, QString("OK"));
  }

  void negativeCoordinatesAreNotApplied() {
    app::QtMessageBoxService boxes;
    QPoint place;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box);
      place = box->pos();
      box->accept();
    });
    boxes.Confirm("x", {-5, 40});
    QCOMPARE(place.y(), 40);
  }

  void questionAnswersYesOrNo() {
    app::QtMessageBoxService boxes;
    QStringList buttons;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box);
      for (QAbstractButton* b : box->buttons()) buttons << b->text();
      box->defaultButton()->click();
    });
    QVERIFY(boxes.AskYesNo("Save Changes Before Exiting?"));
    buttons.sort();
    QCOMPARE(buttons, (QStringList{"&No", "&Yes"}));
  }

  // The running program keeps the engine's switches: a failure shows "Program halted." in a real
  // box and ends the program with the code.
  void engineFailureHaltsInABox() {
    struct Ended {};
    static int exit_code = -1;
    app::InstallPlatformWindows();
    platform::SetEndProcess([](int code) {
      exit_code = code;
      throw Ended{};
    });
    engine::ResetEngine();
    engine::SetAutoCheck(true);
    engine::SetRaise(false);
    QString caption, text;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box);
      caption = box->windowTitle();
      text = box->text();
      box->accept();
    });
    bool ended = false;
    try {
      engine::USE("/nonexistent-folder-of-vornelle/x.dbf");
    } catch (const Ended&) {
      ended = true;
    }
    platform::SetEndProcess(nullptr);
    platform::SetErrorMessageBox(nullptr);
    platform::SetMessageBox(nullptr);
    platform::SetExceptionHandler(nullptr);
    engine::ResetEngine();
    QVERIFY(ended);
    QCOMPARE(caption, QString("Program halted."));
    QVERIFY2(text.startsWith("Error # "), qPrintable(text));
    QVERIFY(text.contains("Failure to open"));
    QVERIFY(exit_code == 2 || exit_code == 3);
  }
};

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  int status = 0;
  {
    MainWindowTest test;
    status |= QTest::qExec(&test, argc, argv);
  }
  {
    MessageBoxTest test;
    status |= QTest::qExec(&test, argc, argv);
  }
  return status;
}

#include "main_window_test.moc"
