// The theme editor as a user meets it from the calendar window, on the offscreen platform:
// a new theme and its leap day in the calendar's pane, refusals that write nothing, deleting
// and restoring, leaving a changed record, and a record another program holds locked.

#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <climits>
#include <memory>
#include <thread>

#include "app/core/program.h"
#include "themes/theme_folders.h"
#include "themes/theme_text.h"
#include "app/gui/main_window.h"
#include "app/gui/new_theme_dialog.h"
#include "app/gui/qt_services.h"
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
  // The answer of a user who gives `request` and, asked again after a refusal, gives up; what
  // the refusal gave back to correct goes to `kept`.
  std::function<std::optional<app::NewThemeRequest>(bool, const app::NewThemeRequest*)> Answer(
      app::NewThemeRequest request, std::optional<app::NewThemeRequest>* kept = nullptr) {
    return [request, kept](bool, const app::NewThemeRequest* typed) -> std::optional<app::NewThemeRequest> {
      if (!typed) return request;
      if (kept) *kept = *typed;
      return std::nullopt;
    };
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
    themes::SetSharedThemeFolders({});
    platform::SetMessageBox(nullptr);
    QVERIFY(TearDown());
  }

  void makesAThemeWhoseLeapDayTheCalendarShows() {
    ThemeEditor& editor = Edit("");
    // The selected day has no record in the first shown theme: the editor starts one.
    window_->EditThisDayClick();
    QCOMPARE(editor.DayEdit()->text(), QString("0229"));
    QVERIFY(editor.Note()->text().startsWith("A new record"));
    editor.ask_new_theme = Answer({"mine", "My Thoughts", {}, {}, {}});
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

  // A theme the system provides: shown in the pane and the editor, shadowed by the user's own
  // of the same name, read-only until copied into the user's themes, and exported as iCalendar.
  void systemThemeIsReadOnlyUntilCopied() {
    const std::string system = Path("system");
    QVERIFY(QDir().mkpath(File("system")));
    Theme("system/garden.dbf", {{"9999", "Garden"}, {"0229", "Leap, sow; reap."}});
    Theme("system/ALMANAC.DBF", {{"9999", "The system's almanac"}});
    chmod((system + "/garden.dbf").c_str(), 0444);
    const std::string table = vt::ReadFileBytes(system + "/garden.dbf");
    themes::SetSharedThemeFolders({system});
    Settings("[THEMES]\nThemeLINES=1\nDB_0=garden.dbf\n");
    Start();
    QCOMPARE(Pane(), std::string("Leap, sow; reap."));
    window_->EditThemesClick();
    ThemeEditor& editor = *window_->Editor();
    QCOMPARE(editor.ThemeChooser()->count(), 2);
    QCOMPARE(editor.ThemeChooser()->itemText(0), QString("Almanac  (almanac.dbf)"));
    editor.OpenTheme("garden.dbf", "0229");
    QVERIFY(editor.MessageEdit()->isReadOnly());
    QVERIFY2(editor.Note()->text().startsWith("A theme the system provides"), qPrintable(editor.Note()->text()));
    QVERIFY(!editor.CopyButton()->isHidden());

    QVERIFY(editor.CopyToMyThemesClick());
    themes::SetSharedThemeFolders({});  // the copy is found without the system's folder
    QCOMPARE(editor.ThemeFile(), std::string("garden.dbf"));
    QVERIFY(QFile::exists(File("garden.dbf")) && QFile::exists(File("garden.dbt")));
    QVERIFY(!editor.MessageEdit()->isReadOnly());
    QVERIFY(editor.CopyButton()->isHidden());
    QCOMPARE(editor.MessageEdit()->toPlainText(), QString("Leap, sow; reap."));
    editor.MessageEdit()->setPlainText("Mine now.");
    QVERIFY(editor.SaveClick());
    QCOMPARE(vt::ReadFileBytes(system + "/garden.dbf"), table);

    editor.ask_export_file = [&](const std::string& suggested) -> std::optional<std::string> {
      if (suggested != "garden.ics") return std::nullopt;
      return Path("garden.ics");
    };
    QVERIFY(editor.ExportICalendarClick());
    const std::string ics = vt::ReadFileBytes(Path("garden.ics"));
    QVERIFY(ics.find("X-WR-CALNAME:Garden\r\n") != std::string::npos);
    QVERIFY(ics.find("DTSTART;VALUE=DATE:20000229\r\nDTEND;VALUE=DATE:20000301\r\nRRULE:FREQ=YEARLY\r\n"
                     "SUMMARY:Mine now.\r\n") != std::string::npos);
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
    QTest::newRow("iCalendar") << "ics"
                               << QByteArray("BEGIN:VCALENDAR\r\nNAME:Feasts\r\nBEGIN:VEVENT\r\nDTSTART:20240704\r\n"
                                             "SUMMARY:Fireworks\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n")
                               << "" << 2 << "Feasts  (new.dbf)";
    QTest::newRow("refused") << "fortune" << QByteArray("5 \xe2\x82\xac\n") << "" << 0
                             << QString::fromUtf8("source: line 1: a character the tables' code page (DOS 437) "
                                                  "cannot hold: \u20ac (U+20AC)\nNothing was written.");
  }
  void makesAThemeFromAFile() {
    QFETCH(QString, from);
    QFETCH(QByteArray, source);
    QFETCH(QString, description);
    QFETCH(int, records);
    QFETCH(QString, shown);
    vt::WriteFileBytes(Path("source"), source.toStdString());
    ThemeEditor& editor = Edit("");
    editor.ask_new_theme = Answer({"new", description, "source", from, {}});
    editor.NewThemeFromFileClick();
    if (records == 0) {
      QCOMPARE(QString::fromStdString(boxes_.errors.back()), "Vornelle Theme Editor: " + shown);
      QVERIFY(!QFile::exists(File("new.dbf")));
      return;
    }
    QCOMPARE(editor.ThemeChooser()->currentText(), shown);
    QCOMPARE(editor.Model()->rowCount(), records);
  }

  // The new theme dialog says what file a name gives, or why it gives none, and never changes
  // a name behind the user; a file's kind and a name come from the file chosen.
  void newThemeNamesAreShownOrRefusedWithAReason_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("note");
    QTest::addColumn<bool>("ok");
    QTest::newRow("plain") << "journal" << "The theme's file: journal.dbf" << true;
    QTest::newRow("with its extension") << "Journal.DBF" << "The theme's file: Journal.DBF" << true;
    QTest::newRow("a folder above") << "../escape.dbf" << "A theme is a file of this folder: its name holds no \"/\"" << false;
    QTest::newRow("elsewhere") << "/elsewhere/abs.dbf" << "A theme is a file of this folder: its name holds no \"/\"" << false;
    QTest::newRow("no name") << ".dbf" << "A name that starts with \".\" is hidden: the calendar would not list the theme"
                             << false;
  }
  void newThemeNamesAreShownOrRefusedWithAReason() {
    QFETCH(QString, typed);
    QFETCH(QString, note);
    QFETCH(bool, ok);
    app::NewThemeDialog dialog(false);
    dialog.DescriptionEdit()->setText("Mine");
    QTest::keyClicks(dialog.FileEdit(), typed);
    QCOMPARE(dialog.FileEdit()->text(), typed);
    QCOMPARE(dialog.NameNote()->text(), note);
    QCOMPARE(dialog.OkButton()->isEnabled(), ok);
  }
  void newThemeFromAFileGuessesItsKindAndName_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("lines");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("theme");
    QTest::newRow("calendar") << "calendar.history" << QByteArray("// comment\nJan 1\tNew year\n07/04\tx\n")
                              << "calendar" << "history.dbf";
    QTest::newRow("fortune") << "sayings" << QByteArray("One.\n%\nTwo.\n") << "fortune" << "sayings.dbf";
    QTest::newRow("theme text") << "mine.txt" << QByteArray("# mine\n@9999\nMine\n") << "text" << "mine.dbf";
    QTest::newRow("iCalendar") << "feasts.ics" << QByteArray("\xEF\xBB\xBF" "begin:vcalendar\r\n@0101\r\n") << "ics"
                               << "feasts.dbf";
  }
  void newThemeFromAFileGuessesItsKindAndName() {
    QFETCH(QString, name);
    QFETCH(QByteArray, lines);
    QFETCH(QString, kind);
    QFETCH(QString, theme);
    vt::WriteFileBytes(Path(name.toUtf8().constData()), lines.toStdString());
    app::NewThemeDialog dialog(true);
    if (kind == "text") dialog.KindChooser()->setCurrentIndex(2);  // guessed away from another
    dialog.SourceEdit()->setText(File(name.toUtf8().constData()));
    dialog.SourceChosen();
    QCOMPARE(dialog.KindChooser()->currentData().toString(), kind);
    QCOMPARE(dialog.FileEdit()->text(), theme);
  }

  // A file that is refused gives the dialog back with everything typed, for correction.
  void aRefusedThemeGivesBackWhatWasTyped() {
    vt::WriteFileBytes(Path("source"), "5 \xe2\x82\xac\n");
    ThemeEditor& editor = Edit("");
    std::optional<app::NewThemeRequest> kept;
    editor.ask_new_theme = Answer({"prices", "Prices", "source", "fortune", "0301"}, &kept);
    editor.NewThemeFromFileClick();
    QVERIFY(kept);
    QCOMPARE(kept->file, QString("prices"));
    QCOMPARE(kept->description, QString("Prices"));
    QCOMPARE(kept->source, QString("source"));
    QCOMPARE(kept->start, QString("0301"));
    app::NewThemeDialog again(true, nullptr, &*kept);
    QCOMPARE(again.FileEdit()->text(), QString("prices"));
    QCOMPARE(again.KindChooser()->currentData().toString(), QString("fortune"));
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
    editor.ask_new_theme = Answer({"new", "", source, from, {}});
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
    const QString day = QString("Vornelle Theme Editor: ") + themes::kDayKeyText + "; nothing was written.";
    QTest::newRow("no such day") << "0230" << "x"
                                 << "Vornelle Theme Editor: No year has such a day (MMDD): 0230; nothing was written.";
    QTest::newRow("short key") << "74" << "x" << day;
    QTest::newRow("euro sign") << "0704" << QString::fromUtf8("Price: 5 \u20ac")
                               << QString::fromUtf8("Vornelle Theme Editor: The theme's code page (cp437) cannot "
                                                    "hold the character \u20ac (U+20AC); nothing was written.");
    QTest::newRow("greek kappa") << "0704" << QString::fromUtf8("\u039a")
                                 << QString::fromUtf8("Vornelle Theme Editor: The theme's code page (cp437) cannot "
                                                      "hold the character \u039a (U+039A); nothing was written.");
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

    // A second record for a day is written at the user's word, and the editor says which one
    // the calendar shows. Other programs count it at once: the header says 4 records.
    editor.NewDayClick();
    editor.DayEdit()->setText("0704");
    editor.MessageEdit()->setPlainText("Later fireworks.");
    QVERIFY(!editor.SaveClick());  // asked, and cancelled
    QCOMPARE(boxes_.questions.back(),
             std::string("4 July has a record already, and the calendar shows that one. Add a second record for it "
                         "anyway?"));
    boxes_.choices_made = {0};
    QVERIFY(editor.SaveClick());
    QCOMPARE(editor.Note()->text(), QString("A second record for 4 July: the calendar shows the first (record 2)."));
    QCOMPARE(vt::ReadFileBytes(Path("almanac.dbf"))[4], '\x04');

    // Leaving a changed record asks: Cancel (and Escape) stays, No drops the change, Yes saves.
    boxes_.questions.clear();
    editor.MessageEdit()->setPlainText("Changed again.");
    editor.Grid()->setCurrentIndex(editor.Model()->index(0, 0));
    QCOMPARE(editor.CurrentRecord(), 4);
    QCOMPARE(editor.MessageEdit()->toPlainText(), QString("Changed again."));
    boxes_.choices_made = {0};
    editor.Grid()->setCurrentIndex(editor.Model()->index(0, 0));
    QCOMPARE(boxes_.questions, (std::vector<std::string>{app::kSaveDayText, app::kSaveDayText}));
    QCOMPARE(editor.CurrentRecord(), 1);
    QCOMPARE(Cell(editor, 3, ThemeRecordsModel::kMessageColumn), QString("Changed again."));
    // The description record keeps its day and cannot be deleted.
    QVERIFY(editor.DayEdit()->isReadOnly());
    QVERIFY(!editor.DeleteButton()->isEnabled());
    // Closing the calendar asks too; Cancel keeps both windows, No lets them close.
    editor.MessageEdit()->setPlainText("Not kept.");
    QVERIFY(!window_->close());
    QVERIFY(window_->isVisible() && editor.isVisible());
    boxes_.choices_made = {1};
    QVERIFY(window_->close());
    QCOMPARE(Cell(editor, 0, ThemeRecordsModel::kMessageColumn), QString("Almanac"));
  }

  // A theme's own code page, in and out: the editor shows what DOS 437 holds as it is, and
  // writes what the user types into it, as another reader reads it back.
  void showsAndWritesEveryCharacterTheThemesPageHolds() {
    vt::WriteStoredTheme(Path("greek.dbf"), {{"9999", "Greek"}, {"0704", "\xe3 \xf7 \xe4 \xb0\xb1\xb2\xb3 \x9e"}});
    ThemeEditor& editor = Edit("0704");
    editor.OpenTheme("greek.dbf", "0704");
    QCOMPARE(editor.MessageEdit()->toPlainText(), QString::fromUtf8("π ≈ Σ ░▒▓│ ₧"));
    editor.MessageEdit()->setPlainText(QString::fromUtf8("αΣπ ≈ √"));
    QVERIFY(editor.SaveClick());
    QProcess peer;
    peer.start(PEER_PYTHON, {"-c", "import dbfread, sys; print([r['THEJOKE'].rstrip('\\0') for r in "
                                   "dbfread.DBF(sys.argv[1], encoding='cp437')][1])",
                             File("greek.dbf")});
    QVERIFY(peer.waitForFinished(20000));
    QCOMPARE(QString::fromUtf8(peer.readAllStandardOutput()).trimmed(), QString::fromUtf8("αΣπ ≈ √"));
  }

  // A Visual FoxPro theme, as python3-dbf writes one, is saved as that family keeps it (the
  // message's block number in 4 binary bytes), and its writer and dbfread read it back.
  void savesAVisualFoxProTheme() {
    QProcess maker;
    maker.start(PEER_PYTHON, {"-c", "import dbf, sys; t = dbf.Table(sys.argv[1], 'thedate C(4); thejoke M', "
                                    "dbf_type='vfp', codepage='cp437'); t.open(dbf.READ_WRITE); "
                                    "t.append(('9999', 'Fox')); t.append(('0704', 'old')); t.close()",
                              File("fox.dbf")});
    QVERIFY(maker.waitForFinished(20000) && maker.exitCode() == 0);
    ThemeEditor& editor = Edit("0704");
    editor.OpenTheme("fox.dbf", "0704");
    QCOMPARE(editor.MessageEdit()->toPlainText(), QString("old"));
    editor.MessageEdit()->setPlainText("new message");
    QVERIFY(editor.SaveClick());
    QProcess peer;
    peer.start(PEER_PYTHON, {"-c", "import dbf, dbfread, sys; t = dbf.Table(sys.argv[1]); t.open(dbf.READ_ONLY); "
                                   "print([(r['THEDATE'], r['THEJOKE']) for r in dbfread.DBF(sys.argv[1])], "
                                   "[r.thejoke for r in t])",
                             File("fox.dbf")});
    QVERIFY(peer.waitForFinished(20000));
    QCOMPARE(QString::fromUtf8(peer.readAllStandardOutput()).trimmed(),
             QString("[('9999', 'Fox'), ('0704', 'new message')] ['Fox', 'new message']"));
  }

  // Tab leaves the grid for the next control; the arrow keys move between its rows.
  void tabMovesBetweenControlsAndArrowsBetweenRows() {
    ThemeEditor& editor = Edit("0704");
    QVERIFY(QTest::qWaitForWindowActive(&editor));
    editor.Grid()->setFocus();
    QTest::keyClick(editor.Grid(), Qt::Key_Down);
    QCOMPARE(editor.CurrentRecord(), 3);
    QTest::keyClick(editor.Grid(), Qt::Key_Tab);
    QVERIFY(editor.focusWidget() != editor.Grid());
    QCOMPARE(editor.CurrentRecord(), 3);
  }

  // The real question box: Escape chooses the last, cautious choice.
  void escapeInTheQuestionBoxCancels() {
    QTimer::singleShot(0, [] {
      QWidget* box = QApplication::activeModalWidget();
      QVERIFY(box);
      QTest::keyClick(box, Qt::Key_Escape);
    });
    app::QtMessageBoxService boxes;
    QCOMPARE(boxes.Choose(app::kSaveDayText, {"&Yes", "&No", "Cancel"}), std::size_t(2));
  }

  void revertAsksAndTheMessagesUndoSurvivesRevertAndSave() {
    ThemeEditor& editor = Edit("0705");
    QTest::keyClicks(editor.MessageEdit(), " Mine.");
    QVERIFY(!editor.RevertClick());  // asked, and cancelled: the text stays
    QCOMPARE(editor.MessageEdit()->toPlainText(), QString(" Mine.Next day."));
    boxes_.choices_made = {0};
    QVERIFY(editor.RevertClick());
    QCOMPARE(editor.MessageEdit()->toPlainText(), QString("Next day."));
    QTest::keySequence(editor.MessageEdit(), QKeySequence::Undo);
    QCOMPARE(editor.MessageEdit()->toPlainText(), QString(" Mine.Next day."));
    QVERIFY(editor.SaveClick());
    QTest::keySequence(editor.MessageEdit(), QKeySequence::Undo);
    QCOMPARE(editor.MessageEdit()->toPlainText(), QString("Next day."));
  }

  // A lock another program holds is waited for, as the rest of the program waits; one that
  // never comes refuses the change with nothing written, not even a memo value.
  void waitsForALockAndWritesNothingWithoutIt_data() {
    QTest::addColumn<bool>("new_day");
    QTest::addColumn<bool>("released");
    QTest::newRow("record lock released") << false << true;
    QTest::newRow("record lock kept") << false << false;
    QTest::newRow("append lock released") << true << true;
    QTest::newRow("append lock kept") << true << false;
  }
  void waitsForALockAndWritesNothingWithoutIt() {
    QFETCH(bool, new_day);
    QFETCH(bool, released);
    ThemeEditor& editor = Edit("0704");
    editor.lock_wait = std::chrono::seconds(released ? 10 : 1);
    vt::Peer holder(LOCK_PEER_PATH, new_day ? std::vector<std::string>{"hold-alock", Path("almanac.dbf")}
                                            : std::vector<std::string>{"hold-rlock", Path("almanac.dbf"), "2"});
    QCOMPARE(holder.Line(), std::string("1"));
    if (new_day) {
      editor.NewDayClick();
      editor.DayEdit()->setText("0706");
    }
    editor.MessageEdit()->setPlainText("Quiet fireworks.");
    const std::string table = vt::ReadFileBytes(Path("almanac.dbf")), memo = vt::ReadFileBytes(Path("almanac.dbt"));
    std::thread release([&] {
      if (!released) return;
      std::this_thread::sleep_for(std::chrono::milliseconds(300));
      holder.Finish();
    });
    const bool saved = editor.SaveClick();
    release.join();
    QCOMPARE(saved, released);
    if (released) {
      QCOMPARE(Cell(editor, new_day ? 3 : 1, ThemeRecordsModel::kMessageColumn), QString("Quiet fireworks."));
      return;
    }
    QCOMPARE(QString::fromStdString(boxes_.errors.back()),
             QString("Vornelle Theme Editor: Another program is changing this theme. Your text is kept; try again in "
                     "a moment.\n\nLock failed [%1]")
                 .arg(new_day ? "Insert" : "Post"));
    QCOMPARE(vt::ReadFileBytes(Path("almanac.dbf")), table);
    QCOMPARE(vt::ReadFileBytes(Path("almanac.dbt")), memo);
    QCOMPARE(editor.MessageEdit()->toPlainText(), QString("Quiet fireworks."));
    QCOMPARE(holder.Finish(), 0);
    QVERIFY(editor.SaveClick());
  }

  // Another program (vornelle-db, a second process) changes the day the editor shows, round
  // after round: each Save asks, and each answer loses no text without the user's word.
  void anotherProgramsChangeIsNeverWrittenOverSilently() {
    ThemeEditor& editor = Edit("0704");
    for (int round = 0; round < 6; ++round) {
      const QString theirs = QString("Theirs %1.").arg(round), mine = QString("Mine %1.").arg(round);
      const std::size_t choice = static_cast<std::size_t>(round % 3);  // keep mine, take theirs, cancel
      QVERIFY(RunTool({"replace", Path("almanac.dbf"), "2", "THEJOKE=" + theirs.toStdString()}));
      editor.MessageEdit()->setPlainText(mine);
      boxes_.choices_made = {choice};
      QCOMPARE(editor.SaveClick(), choice == 0);
      QVERIFY(boxes_.questions.back().rfind("Another program changed this day since the editor showed it.", 0) == 0);
      const QString stored = StoredMessage(2);
      if (choice == 0) {
        QCOMPARE(stored, mine);
        QCOMPARE(editor.MessageEdit()->toPlainText(), mine);
      } else if (choice == 1) {
        QCOMPARE(stored, theirs);
        QCOMPARE(editor.MessageEdit()->toPlainText(), theirs);
        QTest::keySequence(editor.MessageEdit(), QKeySequence::Undo);
        QCOMPARE(editor.MessageEdit()->toPlainText(), mine);  // brought back
      } else {
        QCOMPARE(stored, theirs);
        QCOMPARE(editor.MessageEdit()->toPlainText(), mine);
      }
      if (editor.Modified()) {
        boxes_.choices_made = {0};
        QVERIFY(editor.RevertClick());
      }
    }
  }

  // An import replaces the theme while the editor has it open: nothing goes into the old
  // files; the editor opens the new table with the text kept, and the next Save writes there.
  void aThemeReplacedMeanwhileIsOpenedAgainWithTheTextKept() {
    ThemeEditor& editor = Edit("0704");
    vt::WriteFileBytes(Path("new.txt"), "@9999\nAlmanac, again\n@0101\nNew year.\n@0704\nImported.\n");
    QVERIFY(RunTool({"theme", "import", "--force", Path("new.txt"), Path("almanac.dbf")}));
    editor.MessageEdit()->setPlainText("Written after the import.");
    QVERIFY(!editor.SaveClick());
    QVERIFY(boxes_.informs.back().find("Another program replaced the theme almanac.dbf") != std::string::npos);
    QCOMPARE(editor.MessageEdit()->toPlainText(), QString("Written after the import."));
    QCOMPARE(StoredMessage(3), QString("Imported."));
    QVERIFY(editor.SaveClick());
    QCOMPARE(StoredMessage(3), QString("Written after the import."));
    QCOMPARE(editor.Model()->rowCount(), 3);
  }

  // Remove Deleted Days packs the theme; while another program has it open, it is refused and
  // the theme stays as it was.
  void removesDeletedDaysUnlessAnotherProgramHasTheThemeOpen() {
    ThemeEditor& editor = Edit("0705");
    editor.DeleteClick();
    {
      vt::Peer holder(LOCK_PEER_PATH, {"hold-open", Path("almanac.dbf")});
      QCOMPARE(holder.Line(), std::string("0"));
      const std::string table = vt::ReadFileBytes(Path("almanac.dbf"));
      boxes_.choices_made = {0};
      QVERIFY(!editor.RemoveDeletedClick());
      QVERIFY(boxes_.errors.back().find("is open in another program") != std::string::npos);
      QCOMPARE(vt::ReadFileBytes(Path("almanac.dbf")), table);
      QCOMPARE(editor.Model()->rowCount(), 3);
    }
    boxes_.choices_made = {0};
    QVERIFY(editor.RemoveDeletedClick());
    QCOMPARE(boxes_.informs.back(), std::string("almanac.dbf: 1 deleted days removed, 2 records kept."));
    QCOMPARE(editor.Model()->rowCount(), 2);
    QCOMPARE(Cell(editor, 1, ThemeRecordsModel::kMessageColumn), QString("Fireworks."));
  }

 private:
  // Runs vornelle-db, another program sharing the folder; true when it succeeded.
  static bool RunTool(const std::vector<std::string>& args) {
    QProcess tool;
    QStringList list;
    for (const std::string& a : args) list << QString::fromStdString(a);
    tool.start(VORNELLE_DB_PATH, list);
    return tool.waitForFinished(20000) && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
  }
  // The message of record `recno` as vornelle-db lists it.
  QString StoredMessage(int recno) {
    QProcess tool;
    tool.start(VORNELLE_DB_PATH, {"list", File("almanac.dbf"), "--format", "json"});
    tool.waitForFinished(20000);
    const QList<QByteArray> lines = tool.readAllStandardOutput().split('\n');
    if (recno < 1 || recno > lines.size()) return {};
    return QJsonDocument::fromJson(lines[recno - 1]).object().value("THEJOKE").toString();
  }
};

QTEST_MAIN(ThemeEditorTest)
#include "theme_editor_test.moc"
