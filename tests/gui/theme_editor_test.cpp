// The theme editor as a user meets it from the calendar window, on the offscreen platform:
// a new theme and its leap day in the calendar's pane, refusals that write nothing, deleting
// and restoring, leaving a changed record, and a record another program holds locked.

#include <sys/stat.h>
#include <unistd.h>

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <climits>
#include <memory>

#include "app/core/program.h"
#include "app/core/theme_text.h"
#include "app/gui/main_window.h"
#include "app/gui/theme_editor.h"
#include "app/gui/theme_records_model.h"
#include "engine/engine.h"
#include "expr/expr.h"
#include "platform/error_codes.h"
#include "platform/file.h"
#include "platform/message_box.h"
#include "tests/gui/window_fixture.h"
#include "tests/support/peer.h"
#include "tests/support/themes.h"

using namespace vornelle;
using app::ThemeEditor;
using app::ThemeRecordsModel;
namespace vt = vornelle::testing;

namespace {

// The component's plain message boxes ("Lock failed [Post]").
std::vector<std::string> shown_messages;
void RecordMessage(std::string_view text) { shown_messages.emplace_back(text); }

}  // namespace

class ThemeEditorTest : public QObject, public vt::WindowFixture {
  Q_OBJECT

 private:
  // The calendar on almanac.dbf, and its editor on `key`'s record of it.
  ThemeEditor& Edit(const std::string& key) {
    Start();
    window_->EditThemesClick();
    window_->Editor()->OpenTheme("almanac.dbf", key);
    return *window_->Editor();
  }
  static QString Cell(const ThemeEditor& editor, int row, int column) {
    return editor.Model()->data(editor.Model()->index(row, column)).toString();
  }

 private Q_SLOTS:
  void init() {
    QVERIFY(SetUp());
    clock_.Set(2024, 2, 29);
    platform::SetMessageBox(RecordMessage);
    shown_messages.clear();
    Theme("almanac.dbf", {{"9999", "Almanac"}, {"0704", "Fireworks.\r\nSecond line."}, {"0705", "Next day."}});
    Settings("[THEMES]\nThemeLINES=1\nDB_0=almanac.dbf\n");
  }

  void cleanup() {
    platform::SetMessageBox(nullptr);
    QVERIFY(TearDown());
  }

  void makesAThemeWhoseLeapDayTheCalendarShows() {
    ThemeEditor& editor = Edit("");
    // The selected day has no record in the first shown theme: the editor starts one.
    window_->EditThisDayClick();
    QCOMPARE(editor.DayEdit()->text(), QString("0229"));
    QVERIFY(editor.Note()->text().startsWith("A new record"));
    editor.ask_new_theme = [](bool) { return app::NewThemeRequest{"mine", "My Thoughts", {}, {}, {}}; };
    editor.NewThemeClick();
    QCOMPARE(editor.ThemeFile(), std::string("mine.dbf"));
    QVERIFY(QFile::exists(File("mine.dbt")));  // dBASE IV memos
    QCOMPARE(editor.ThemeChooser()->currentText(), QString("My Thoughts  (mine.dbf)"));
    QCOMPARE(program_->themes.AvailThemeD.back(), std::string("My Thoughts"));
    // A name that is taken is refused, and the theme stays as it was.
    const std::string table = vt::ReadFileBytes(Path("mine.dbf"));
    editor.NewThemeClick();
    QVERIFY(boxes_.errors.back().find("mine.dbf: a theme of that name exists") != std::string::npos);
    QCOMPARE(vt::ReadFileBytes(Path("mine.dbf")), table);

    program_->themes.SelTheme = {"mine.dbf"};  // displayed, as the options would make it
    editor.NewDayClick();
    QTest::keyClicks(editor.DayEdit(), "0229");
    editor.MessageEdit()->setPlainText("Leap day.\nOnce in four years.");
    QVERIFY(editor.SaveClick());
    QCOMPARE(Pane(), std::string("Leap day.\nOnce in four years."));
    QCOMPARE(editor.Model()->rowCount(), 2);
    QCOMPARE(Cell(editor, 1, ThemeRecordsModel::kDayColumn), QString("29 February"));
    QVERIFY(!editor.Modified());
  }

  void makesAThemeFromAFile_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QString>("description");
    QTest::addColumn<int>("records");  // 0: refused
    QTest::addColumn<QString>("shown");  // the chooser's text, or the error box's
    QTest::newRow("fortune") << "fortune" << QByteArray("One.\n%\nTwo.\n") << "" << 3 << "source  (new.dbf)";
    QTest::newRow("calendar") << "calendar" << QByteArray("07/04\tFireworks.\n") << "Holidays" << 2
                              << "Holidays  (new.dbf)";
    QTest::newRow("refused") << "fortune" << QByteArray("5 \xe2\x82\xac\n") << "" << 0
                             << QString::fromUtf8("source: line 1: a character the tables' code page (DOS 437) "
                                                  "cannot hold: \u20ac\nNothing was written.");
  }
  void makesAThemeFromAFile() {
    QFETCH(QString, from);
    QFETCH(QByteArray, source);
    QFETCH(QString, description);
    QFETCH(int, records);
    QFETCH(QString, shown);
    vt::WriteFileBytes(Path("source"), source.toStdString());
    ThemeEditor& editor = Edit("");
    editor.ask_new_theme = [&](bool) { return app::NewThemeRequest{"new", description, "source", from, {}}; };
    editor.NewThemeFromFileClick();
    if (records == 0) {
      QCOMPARE(QString::fromStdString(boxes_.errors.back()), "Vornelle Theme Editor: " + shown);
      QVERIFY(!QFile::exists(File("new.dbf")));
      return;
    }
    QCOMPARE(editor.ThemeChooser()->currentText(), shown);
    QCOMPARE(editor.Model()->rowCount(), records);
  }

  // Sources that never end, and a failure of the engine with the switches the running calendar
  // keeps (a failure halts the program): a box says what went wrong, the window goes on.
  void aSourceThatCannotBeReadHoldsNothing_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("said");
    QTest::newRow("a FIFO") << "fortune" << "fifo" << "fifo: cannot be read: not a regular file";
    QTest::newRow("/dev/zero") << "text" << "/dev/zero" << "/dev/zero: cannot be read: not a regular file";
    QTest::newRow("a calendar including a FIFO") << "calendar" << "source" << "#include fifo: ./fifo: not a regular file";
    QTest::newRow("a disk that is full") << "fortune" << "source" << "Error # ";
  }
  void aSourceThatCannotBeReadHoldsNothing() {
    QFETCH(QString, from);
    QFETCH(QString, source);
    QFETCH(QString, said);
    QVERIFY(mkfifo(Path("fifo").c_str(), 0600) == 0);
    vt::WriteFileBytes(Path("source"), from == "calendar" ? "#include \"fifo\"\n07/04\tx\n" : "One.\n%\nTwo.\n");
    ThemeEditor& editor = Edit("");
    editor.ask_new_theme = [&](bool) { return app::NewThemeRequest{"new", "", source, from, {}}; };
    bool halted = false;
    {
      const vt::CalendarSwitches calendar;
      if (QTest::currentDataTag() == QByteArray("a disk that is full"))
        platform::faults::FailNthWrite(1, platform::kDiskFull);
      alarm(20);  // a read that waits for ever ends the test
      editor.NewThemeFromFileClick();
      alarm(0);
      platform::faults::Clear();
      halted = calendar.Halted();
    }
    QVERIFY(!halted);
    QVERIFY(!boxes_.errors.empty());
    QVERIFY2(QString::fromStdString(boxes_.errors.back()).contains(said), boxes_.errors.back().c_str());
    QVERIFY(!QFile::exists(File("new.dbf")));
  }

  void refusesWhatAThemeCannotHoldAndWritesNothing_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("error");
    const QString day = QString("Vornelle Theme Editor: ") + app::kDayKeyText + "; nothing was written.";
    QTest::newRow("no such day") << "0230" << "x" << day;
    QTest::newRow("short key") << "74" << "x" << day;
    QTest::newRow("euro sign") << "0704" << QString::fromUtf8("Price: 5 \u20ac")
                               << QString::fromUtf8("Vornelle Theme Editor: The theme's code page (DOS 437) cannot "
                                                    "hold the character \"\u20ac\"; nothing was written.");
    QTest::newRow("chinese") << "0704" << QString::fromUtf8("\u4e2d")
                             << QString::fromUtf8("Vornelle Theme Editor: The theme's code page (DOS 437) cannot "
                                                  "hold the character \"\u4e2d\"; nothing was written.");
  }
  void refusesWhatAThemeCannotHoldAndWritesNothing() {
    QFETCH(QString, key);
    QFETCH(QString, message);
    QFETCH(QString, error);
    ThemeEditor& editor = Edit("0704");
    const std::string table = vt::ReadFileBytes(Path("almanac.dbf")), memo = vt::ReadFileBytes(Path("almanac.dbt"));
    editor.DayEdit()->setText(key);
    editor.MessageEdit()->setPlainText(message);
    QVERIFY(!editor.SaveClick());
    QCOMPARE(QString::fromStdString(boxes_.errors.back()), error);
    QCOMPARE(vt::ReadFileBytes(Path("almanac.dbf")), table);
    QCOMPARE(vt::ReadFileBytes(Path("almanac.dbt")), memo);
    QCOMPARE(editor.MessageEdit()->toPlainText(), message);  // kept for the user to mend
  }

  void deletesRestoresAndAsksBeforeLeavingAChange() {
    ThemeEditor& editor = Edit("0705");
    QCOMPARE(editor.CurrentRecord(), 3);
    editor.DeleteClick();
    QCOMPARE(Cell(editor, 2, ThemeRecordsModel::kDeletedColumn), QString::fromUtf8(ThemeRecordsModel::kDeletedMark));
    QVERIFY(editor.Note()->text().contains("Deleted"));
    editor.RestoreClick();
    QCOMPARE(Cell(editor, 2, ThemeRecordsModel::kDeletedColumn), QString());

    // A second record for a day is written, and the editor says which one the calendar shows.
    editor.NewDayClick();
    editor.DayEdit()->setText("0704");
    editor.MessageEdit()->setPlainText("Later fireworks.");
    QVERIFY(editor.SaveClick());
    QCOMPARE(editor.Note()->text(), QString("A second record for 4 July: the calendar shows the first (record 2)."));

    // Leaving a changed record asks; Yes saves it.
    editor.MessageEdit()->setPlainText("Changed again.");
    boxes_.answers = {true};
    editor.Grid()->setCurrentIndex(editor.Model()->index(0, 0));
    QCOMPARE(boxes_.questions, std::vector<std::string>{app::kSaveDayText});
    QCOMPARE(editor.CurrentRecord(), 1);
    QCOMPARE(Cell(editor, 3, ThemeRecordsModel::kMessageColumn), QString("Changed again."));
    // So does closing the calendar; No drops the change and lets it close.
    editor.MessageEdit()->setPlainText("Not kept.");
    QVERIFY(window_->close());
    QCOMPARE(boxes_.questions.size(), std::size_t(2));
    QCOMPARE(Cell(editor, 0, ThemeRecordsModel::kMessageColumn), QString("Almanac"));
  }

  void aLockAnotherProgramHoldsKeepsTheEditForALaterSave() {
    ThemeEditor& editor = Edit("0704");
    vt::Peer holder(LOCK_PEER_PATH, {"hold-rlock", File("almanac.dbf").toStdString(), "2"});
    QCOMPARE(holder.Line(), std::string("1"));
    editor.MessageEdit()->setPlainText("Quiet fireworks.");
    QVERIFY(!editor.SaveClick());
    QCOMPARE(shown_messages, std::vector<std::string>{"Lock failed [Post]"});
    QCOMPARE(editor.MessageEdit()->toPlainText(), QString("Quiet fireworks."));
    QVERIFY(editor.Modified());
    QCOMPARE(holder.Finish(), 0);
    QVERIFY(editor.SaveClick());
    QCOMPARE(Cell(editor, 1, ThemeRecordsModel::kMessageColumn), QString("Quiet fireworks."));
    QCOMPARE(editor.Model()->rowCount(), 3);
  }
};

QTEST_MAIN(ThemeEditorTest)
#include "theme_editor_test.moc"
