// The calendar window as a user meets it, on the offscreen platform: start-up, the day's
// messages, the day-change timer, closing with and without saving, the About box, and where
// message boxes go.

#include <unistd.h>

#include <QCalendarWidget>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QPlainTextEdit>
#include <QProcess>
#include <QScreen>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <climits>
#include <memory>

#include "app/core/program.h"
#include "app/gui/about_box.h"
#include "app/gui/main_window.h"
#include "engine/engine.h"
#include "expr/expr.h"
#include "platform/locale.h"
#include "platform/message_box.h"
#include "platform/profile.h"
#include "tests/app/app_fixture.h"
#include "tests/support/themes.h"

using namespace vornelle;
using app::TForm1;
namespace vt = vornelle::testing;
using vt::ThemeRecord;

namespace {

class RecordingHelp : public app::HelpViewer {
 public:
  bool Open(const std::string& path) override {
    opened.push_back(path);
    return true;
  }
  std::vector<std::string> opened;
};

void Touch(const QString& path) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
}

std::string ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string("<none>");
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> folder_;
  std::string old_folder_;
  std::unique_ptr<app::Program> program_;
  vt::RecordingBoxes boxes_;
  RecordingHelp help_;
  vt::FixedDate clock_{2024, 7, 4};
  std::unique_ptr<TForm1> window_;

  QString File(const char* name) const { return folder_->filePath(name); }
  void Theme(const char* name, const std::vector<ThemeRecord>& records) {
    vt::WriteTheme(File(name).toStdString(), records);
  }
  void Settings(const std::string& text) {
    QFile file(File("Vornel.Ini"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text.c_str());
  }
  // Makes and shows the window, and waits for its start-up.
  void Start() {
    program_ = std::make_unique<app::Program>();
    window_ = std::make_unique<TForm1>(*program_, boxes_, help_, clock_);
    window_->show();
    QTRY_VERIFY(window_->StartupDone() || !window_->isVisible());
  }
  std::string Pane() const { return window_->JMsg()->toPlainText().toStdString(); }

 private Q_SLOTS:
  void initTestCase() { vornelle::expr::InstallExpressionUnit(); }

  void init() {
    engine::ResetEngine();
    engine::SetAutoCheck(true);
    engine::SetRaise(true);
    platform::SetShortDateFormat(platform::PatternFromStrftime("%m/%d/%y"));
    vornelle::expr::InstallExpressionUnit();
    folder_ = std::make_unique<QTemporaryDir>();
    char cwd[PATH_MAX];
    old_folder_ = getcwd(cwd, sizeof cwd) ? cwd : "/";
    QVERIFY(chdir(folder_->path().toLocal8Bit().constData()) == 0);
    boxes_ = vt::RecordingBoxes();
    help_ = RecordingHelp();
    clock_.Set(2024, 7, 4);
    Theme("almanac.dbf", {{"9999", "Almanac"}, {"0704", "Fireworks.\r\nSecond line."}, {"0705", "Next day."}});
    Theme("garden.dbf", {{"9999", "Garden"}, {"0101", "Frost."}});
  }

  void cleanup() {
    window_.reset();
    program_.reset();
    engine::ResetEngine();
    QVERIFY(chdir(old_folder_.c_str()) == 0);
    folder_.reset();
  }

  void startsWithTheDefaultsWithoutASettingsFile() {
    Start();
    QCOMPARE(window_->windowTitle(), QString("Vornelle 1.0"));
    QCOMPARE(window_->pos(), QPoint(50, 50));
    QCOMPARE(window_->size(), QSize(190, 153));
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

  void settingsThatCannotBeWrittenKeepTheWindowOpen() {
    Settings("[WinSet]\nTop=50\n");
    QFile::setPermissions(File("Vornel.Ini"), QFile::ReadOwner);
    Start();
    window_->move(70, 70);
    window_->close();
    QVERIFY(window_->isVisible());
    QCOMPARE(boxes_.errors.size(), std::size_t(1));
    QCOMPARE(boxes_.errors[0], "Vornelle v1.0: Unable to write to " +
                                   QFileInfo(File("Vornel.Ini")).absoluteFilePath().toStdString());
    QFile::setPermissions(File("Vornel.Ini"), QFile::ReadOwner | QFile::WriteOwner);
    window_->close();
    QVERIFY(!window_->isVisible());
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
      web = about->WebL()->text();
      about->accept();
    });
    window_->AboutB2Click();
    QCOMPARE(place, QPoint(100 + 200 - 377 / 2, 100 + 150 - 244 / 2));
    QCOMPARE(caption, QString("About Vornelle"));
    QCOMPARE(product, QString("Vornelle"));
    QCOMPARE(version, QString("Version 1.0"));
    QVERIFY(web.startsWith("Visit us at: "));
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

  void paneIsReadOnlyWithoutAMenuOrTheFocus() {
    Start();
    QVERIFY(window_->JMsg()->isReadOnly());
    QCOMPARE(window_->JMsg()->contextMenuPolicy(), Qt::PreventContextMenu);
    QCOMPARE(window_->JMsg()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(window_->JMsg()->focusPolicy(), Qt::NoFocus);
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
