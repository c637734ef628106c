// Finding, copying, printing and going to a date in the calendar window, on the offscreen
// platform: the clipboard with and without a selection, the find window over what the calendar
// shows, a month as PDF read back by another program, and dates typed in.

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <memory>

#include "app/core/program.h"
#include "app/gui/date_entry.h"
#include "app/gui/find_window.h"
#include "app/gui/go_to_date_dialog.h"
#include "app/gui/history_navigation.h"
#include "app/gui/main_window.h"
#include "engine/engine.h"
#include "expr/expr.h"
#include "tests/gui/window_fixture.h"
#include "tests/support/themes.h"

using namespace vornelle;
using app::FindWindow;
namespace vt = vornelle::testing;

namespace {

class RecordingClipboard : public app::Clipboard {
 public:
  void SetText(const std::string& new_plain, const std::string& new_html) override {
    plain = new_plain;
    html = new_html;
  }
  std::string plain = "<none>", html = "<none>";
};

}  // namespace

class FindCopyTest : public QObject, public vt::WindowFixture {
  Q_OBJECT

 private:
  RecordingClipboard clipboard_;

  void StartCopying() {
    Start();
    window_->SetClipboard(clipboard_);
  }

 private Q_SLOTS:
  void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }

  void init() {
    QVERIFY(SetUp());
    // ANSI text: \xe9 is "é", \xc9 "É".
    vt::WriteTheme(Path("almanac.dbf"), {{"9999", "Almanac of Caf\xe9s"},
                                         {"0704", "Fireworks.\r\nCaf\xe9 at noon."},
                                         {"0705", "CAF\xc9 CLOSED"},
                                         {"0704", "A second caf\xe9 record."},
                                         {"0101", "Caf\xe9 deleted.", true}});
    vt::WriteTheme(Path("garden.dbf"), {{"9999", "Garden"}, {"0301", "Garden caf\xe9."}});
    Settings("[THEMES]\nThemeLINES=1\nDB_0=almanac.dbf\n");
    StartCopying();
  }

  void cleanup() { QVERIFY(TearDown()); }

  void copiesTheSelectionOrTheWholeDay() {
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    // Nothing selected: the day, with its date and the theme's description.
    QTest::keyClick(window_->MonthCalendar1(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard_.plain, std::string("Thursday, 4 July 2024\n\nAlmanac of Caf\u00e9s\nFireworks.\nCaf\u00e9 at noon.\n"));
    QCOMPARE(clipboard_.html, std::string("<p>Thursday, 4 July 2024</p>\n<p><b>Almanac of Caf\u00e9s</b><br>\n"
                                          "Fireworks.<br>\nCaf\u00e9 at noon.</p>\n"));
    // A selection made from the keyboard in the pane: that text alone.
    window_->JMsg()->setFocus();
    QTest::keyClick(window_->JMsg(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(window_->JMsg(), Qt::Key_End, Qt::ShiftModifier);
    QTest::keyClick(window_->JMsg(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard_.plain, std::string("Fireworks.\nCaf\u00e9 at noon."));
    QCOMPARE(clipboard_.html, std::string());
  }

  // Text a DOS 437 theme holds reaches the pane and the clipboard as it is, in Unicode; a
  // message longer than the pane shows ends in a line that says so, and is copied whole.
  void showsAndCopiesEveryCharacterAndEveryLine() {
    std::string longest;
    for (int n = 1; n <= 5000; ++n) longest += (n > 1 ? "\r\n" : "") + std::string("line ") + std::to_string(n);
    vt::WriteStoredTheme(Path("greek.dbf"),
                         {{"9999", "Greek"},
                          {"0704", "\xe3 \xf7 3.14, \xe0 \xe1 \xe4 \xe6 \xf1 \xf8 \xab \xfe \xb0\xb1\xb2\xb3 \xe2 \xe8 \xe9 "
                                   "\xea \xec \x9e"},
                          {"0705", longest}});
    program_->themes.SelTheme = {"greek.dbf"};
    window_->MonthCalendar1()->setSelectedDate(QDate(2024, 7, 5));
    window_->MonthCalendar1()->setSelectedDate(QDate(2024, 7, 4));
    const std::string greek = "π ≈ 3.14, α ß Σ µ ± ° ½ ■ "
                              "░▒▓│ Γ Φ Θ Ω ∞ ₧";
    QCOMPARE(Pane(), greek);
    window_->CopyDayClick();
    QCOMPARE(clipboard_.plain, "Thursday, 4 July 2024\n\nGreek\n" + greek + "\n");
    window_->MonthCalendar1()->setSelectedDate(QDate(2024, 7, 5));
    const QStringList pane = QString::fromStdString(Pane()).split('\n');
    QCOMPARE(pane.size(), 1025);
    QCOMPARE(pane[1023], QString("line 1024"));
    QCOMPARE(pane[1024], QString("Tools > Edit This Day... shows the whole message. Lines not shown: 3976"));
    window_->CopyDayClick();
    QVERIFY(clipboard_.plain.find("\nline 4999\nline 5000\n") != std::string::npos);
  }

  void findsWhatTheCalendarShows_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("all");
    QTest::addColumn<QStringList>("found");  // day | theme | line | the marked part
    QTest::addColumn<bool>("words");
    QTest::addColumn<bool>("matchCase");
    const QStringList cafes = {"1 January|Almanac of Caf\u00e9s|Caf\u00e9 deleted.|Caf\u00e9",
                               "4 July|Almanac of Caf\u00e9s|Caf\u00e9 at noon.|Caf\u00e9",
                               "5 July|Almanac of Caf\u00e9s|CAF\u00c9 CLOSED|CAF\u00c9"};
    QTest::newRow("accented, lower case") << "caf\u00e9" << false << cafes << false << false;
    QTest::newRow("accented, upper case") << "CAF\u00c9" << false << cafes << false << false;
    QTest::newRow("without the accent") << "cafe" << false << cafes << false << false;
    QTest::newRow("upper case, no accent") << "CAFE" << false << cafes << false << false;
    QTest::newRow("every theme") << "caf\u00e9" << true << (cafes + QStringList{"1 March|Garden|Garden caf\u00e9.|caf\u00e9"}) << false << false;
    QTest::newRow("only in a second record") << "second" << false << QStringList() << false << false;
    QTest::newRow("only in the description") << "almanac" << false << QStringList() << false << false;
    QTest::newRow("matching case") << "Cafe" << false << QStringList{cafes[0], cafes[1]} << false << true;
    QTest::newRow("matching capitals") << "CAFE" << false << QStringList{cafes[2]} << false << true;
    QTest::newRow("part of a word") << "caf" << false << QStringList() << true << false;
    QTest::newRow("whole words") << "cafe" << false << cafes << true << false;
    QTest::newRow("whole words, case") << "Caf\u00e9 at" << false << QStringList{"4 July|Almanac of Caf\u00e9s|Caf\u00e9 at noon.|Caf\u00e9 at"} << true << true;
  }
  void findsWhatTheCalendarShows() {
    QFETCH(QString, text);
    QFETCH(bool, all);
    QFETCH(QStringList, found);
    QFETCH(bool, words);
    QFETCH(bool, matchCase);
    window_->FindClick();
    FindWindow& finder = *window_->Finder();
    finder.AllThemes()->setChecked(all);
    finder.WholeWords()->setChecked(words);
    finder.MatchCase()->setChecked(matchCase);
    finder.TextEdit()->setText(text);
    QTRY_VERIFY(!finder.Status()->text().isEmpty() && !finder.Status()->text().startsWith("Searching"));
    QStringList shown;
    for (int i = 0; i < finder.Results()->topLevelItemCount(); ++i) {
      const QTreeWidgetItem* item = finder.Results()->topLevelItem(i);
      const QString line = item->text(FindWindow::kLineColumn);
      shown << QStringList{item->text(FindWindow::kDayColumn), item->text(FindWindow::kThemeColumn), line,
                           line.mid(item->data(FindWindow::kLineColumn, FindWindow::kMatchBeginRole).toInt(),
                                    item->data(FindWindow::kLineColumn, FindWindow::kMatchLengthRole).toInt())}
                   .join('|');
    }
    QCOMPARE(shown, found);
    QCOMPARE(finder.Status()->text(), found.isEmpty()      ? QString("Nothing found")
                                      : found.size() == 1 ? QString("1 day found")
                                                          : QString("%1 days found").arg(found.size()));
    if (found.isEmpty()) return;
    // Enter on the last result shows that day of this year in the calendar.
    finder.Results()->setFocus();
    finder.Results()->setCurrentItem(finder.Results()->topLevelItem(found.size() - 1));
    QTest::keyClick(finder.Results(), Qt::Key_Return);
    const QStringList last = found.last().split('|');
    QCOMPARE(window_->MonthCalendar1()->selectedDate(), QDate::fromString(last[0] + " 2024", "d MMMM yyyy"));
    if (!all) QVERIFY(QString::fromStdString(Pane()).contains(last[2]));
  }

  // With the engine's switches as the running calendar keeps them (a failure halts the
  // program), a theme that cannot be read is named among the results and the search goes on.
  void anUnreadableThemeIsNamedAndTheSearchGoesOn_data() {
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("said");
    QTest::newRow("memo pointer past the memo file") << "pointer" << "Error # ";
    QTest::newRow("numeric THEDATE") << "numeric" << "broken.dbf is no theme table";
    QTest::newRow("cut short") << "cut" << "the file holds 1 of the 3 records its header counts";
  }
  void anUnreadableThemeIsNamedAndTheSearchGoesOn() {
    QFETCH(QString, damage);
    QFETCH(QString, said);
    // Damaged once the calendar has started on it, as a theme may be while the calendar runs.
    vt::WriteTheme(Path("broken.dbf"), {{"9999", "Broken"}, {"0101", "caf\xe9 one"}, {"0102", "caf\xe9 two"}});
    Settings("[THEMES]\nThemeLINES=2\nDB_0=broken.dbf\nDB_1=almanac.dbf\n");
    window_.reset();
    StartCopying();
    std::string table = vt::ReadFileBytes(Path("broken.dbf"));
    const std::size_t header = uint8_t(table[8]) | uint8_t(table[9]) << 8;
    const std::size_t record = uint8_t(table[10]) | uint8_t(table[11]) << 8;
    if (damage == "pointer") table.replace(header + record + 5, 10, "0000999999");
    if (damage == "numeric") table[32 + 11] = 'N';
    if (damage == "cut") table.resize(header + record);
    vt::WriteFileBytes(Path("broken.dbf"), table);

    bool halted = false;
    {
      const vt::CalendarSwitches calendar;
      window_->FindClick();
      FindWindow& finder = *window_->Finder();
      finder.TextEdit()->setText("caf\u00e9");
      QTRY_VERIFY(calendar.Halted() ||
                  (!finder.Status()->text().isEmpty() && !finder.Status()->text().startsWith("Searching")));
      halted = calendar.Halted();
    }
    QVERIFY(!halted);
    FindWindow& finder = *window_->Finder();
    QVERIFY(finder.Results()->topLevelItemCount() >= 2);
    const QTreeWidgetItem* named = finder.Results()->topLevelItem(0);
    QVERIFY(named->isDisabled());
    QCOMPARE(named->text(FindWindow::kThemeColumn), QString("broken.dbf"));
    QVERIFY2(named->text(FindWindow::kLineColumn).contains(said), qPrintable(named->text(FindWindow::kLineColumn)));
    QCOMPARE(finder.Status()->text(), QString("3 days found"));  // the almanac's, as without the broken theme
  }

  // The find window from the keyboard: Enter in the text shows the first result, Down goes to
  // the results and Enter there shows the one highlighted, Ctrl+F in the calendar selects the
  // text for new typing, Escape closes.
  void findsFromTheKeyboard() {
    window_->FindClick();
    FindWindow& finder = *window_->Finder();
    QVERIFY(QTest::qWaitForWindowActive(&finder));
    QTest::keyClicks(finder.TextEdit(), "cafe");
    QTest::keyClick(finder.TextEdit(), Qt::Key_Return);  // before the pause after typing ends
    QCOMPARE(window_->MonthCalendar1()->selectedDate(), QDate(2024, 1, 1));
    finder.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&finder));
    finder.TextEdit()->setFocus();
    QTest::keyClick(finder.TextEdit(), Qt::Key_Down);
    QCOMPARE(finder.focusWidget(), static_cast<QWidget*>(finder.Results()));
    QTest::keyClick(finder.Results(), Qt::Key_Down);
    QTest::keyClick(finder.Results(), Qt::Key_Return);
    QCOMPARE(window_->MonthCalendar1()->selectedDate(), QDate(2024, 7, 4));
    window_->FindClick();
    QCOMPARE(finder.TextEdit()->selectedText(), QString("cafe"));
    QVERIFY(QTest::qWaitForWindowActive(&finder));
    QTest::keyClick(finder.TextEdit(), Qt::Key_Escape);
    QVERIFY(!finder.isVisible());
  }

  // F3 and Shift+F3 in the calendar go round the last search's results, the window closed, and
  // the pane marks each place the text stands on the day shown.
  void findsTheNextAndThePreviousResult() {
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    QTest::keyClick(window_->MonthCalendar1(), Qt::Key_F3);  // no search yet: the find window
    FindWindow& finder = *window_->Finder();
    QVERIFY(finder.isVisible());
    QTest::keyClicks(finder.TextEdit(), "cafe");
    QTest::keyClick(finder.TextEdit(), Qt::Key_Escape);
    const auto marks = [this] {
      QStringList marked;
      for (const QTextEdit::ExtraSelection& mark : window_->JMsg()->extraSelections())
        marked << mark.cursor.selectedText();
      return marked.join('|');
    };
    // (key, modifiers, day shown, marks in the pane)
    const std::tuple<Qt::Key, Qt::KeyboardModifiers, QDate, QString> steps[] = {
        {Qt::Key_F3, Qt::NoModifier, QDate(2024, 1, 1), "Caf\u00e9"},
        {Qt::Key_F3, Qt::NoModifier, QDate(2024, 7, 4), "Caf\u00e9"},
        {Qt::Key_F3, Qt::NoModifier, QDate(2024, 7, 5), "CAF\u00c9"},
        {Qt::Key_F3, Qt::NoModifier, QDate(2024, 1, 1), "Caf\u00e9"},
        {Qt::Key_F3, Qt::ShiftModifier, QDate(2024, 7, 5), "CAF\u00c9"}};
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    for (const auto& [key, modifiers, day, marked] : steps) {
      QTest::keyClick(window_->MonthCalendar1(), key, modifiers);
      QCOMPARE(window_->MonthCalendar1()->selectedDate(), day);
      QCOMPARE(marks(), marked);
    }
    // A day chosen otherwise shows no marks.
    window_->MonthCalendar1()->setSelectedDate(QDate(2024, 7, 4));
    QCOMPARE(marks(), QString());
  }

  // Alt+Left and Alt+Right go through the days shown, as a browser's Back and Forward; a day
  // chosen after going back drops the days ahead.
  void goesBackAndForwardThroughTheDaysShown() {
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    QCalendarWidget* calendar = window_->MonthCalendar1();
    for (const QDate& day : {QDate(2024, 12, 25), QDate(2025, 3, 1), QDate(2024, 1, 1)}) window_->GoToDate(day.toString(Qt::ISODate));
    // (key, day shown, Back enabled, Forward enabled)
    const std::tuple<Qt::Key, QDate, bool, bool> steps[] = {
        {Qt::Key_Left, QDate(2025, 3, 1), true, true},  {Qt::Key_Left, QDate(2024, 12, 25), true, true},
        {Qt::Key_Left, QDate(2024, 7, 4), false, true},  {Qt::Key_Left, QDate(2024, 7, 4), false, true},
        {Qt::Key_Right, QDate(2024, 12, 25), true, true}};
    for (const auto& [key, day, back, forward] : steps) {
      QTest::keyClick(calendar, key, Qt::AltModifier);
      QCOMPARE(calendar->selectedDate(), day);
      QCOMPARE(Pane(), std::string(day == QDate(2024, 7, 4) ? "Fireworks.\nCaf\u00e9 at noon." : ""));
      QCOMPARE(window_->History()->BackAction()->isEnabled(), back);
      QCOMPARE(window_->History()->ForwardAction()->isEnabled(), forward);
    }
    window_->TodayClick();
    QVERIFY(!window_->History()->ForwardAction()->isEnabled());
    QTest::keyClick(calendar, Qt::Key_Left, Qt::AltModifier);
    QCOMPARE(calendar->selectedDate(), QDate(2024, 12, 25));
  }

  // The days a print covers around the selected day.
  void printsTheDayItsWeekOrItsMonth() {
    using app::PrintSpan;
    // (span, day, first day of the week, first and last day printed)
    const std::tuple<PrintSpan, QDate, Qt::DayOfWeek, QDate, QDate> cases[] = {
        {PrintSpan::kDay, QDate(2024, 7, 4), Qt::Monday, QDate(2024, 7, 4), QDate(2024, 7, 4)},
        {PrintSpan::kWeek, QDate(2024, 7, 4), Qt::Monday, QDate(2024, 7, 1), QDate(2024, 7, 7)},
        {PrintSpan::kWeek, QDate(2024, 7, 1), Qt::Monday, QDate(2024, 7, 1), QDate(2024, 7, 7)},
        {PrintSpan::kWeek, QDate(2024, 7, 6), Qt::Sunday, QDate(2024, 6, 30), QDate(2024, 7, 6)},
        {PrintSpan::kWeek, QDate(2024, 12, 31), Qt::Saturday, QDate(2024, 12, 28), QDate(2025, 1, 3)},
        {PrintSpan::kMonth, QDate(2024, 2, 10), Qt::Monday, QDate(2024, 2, 1), QDate(2024, 2, 29)},
        {PrintSpan::kMonth, QDate(2023, 2, 28), Qt::Monday, QDate(2023, 2, 1), QDate(2023, 2, 28)}};
    for (const auto& [span, day, first_day, first, last] : cases)
      QCOMPARE(app::SpanDays(span, day, first_day), std::make_pair(first, last));
  }

  // A month as PDF, read back by pdftotext: every day's date and message in order, each day
  // whole on one page (each fits on one), and the theme long enough to take several pages.
  void exportsAMonthAsPdf() {
    std::vector<vt::ThemeRecord> records = {{"9999", "Journal"}};
    for (int day = 1; day <= 31; ++day) {
      std::string text;
      for (int line = 1; line <= 1 + day % 9; ++line) text += (line > 1 ? "\r\n" : "") + ("Note " + std::to_string(day) + "." + std::to_string(line));
      records.push_back({QString("07%1").arg(day, 2, 10, QChar('0')).toStdString(), text});
    }
    Theme("journal.dbf", records);
    program_->themes.SelTheme = {"journal.dbf", "almanac.dbf"};
    const QString pdf = File("july.pdf");
    QVERIFY(window_->ExportPdf(app::PrintSpan::kMonth, pdf));
    if (qEnvironmentVariableIsSet("KEEP_PDF")) QFile::copy(pdf, qEnvironmentVariable("KEEP_PDF"));
    QProcess reader;
    reader.start("pdftotext", {"-layout", pdf, "-"});
    QVERIFY(reader.waitForFinished(30000));
    QCOMPARE(reader.exitCode(), 0);
    const QStringList pages = QString::fromUtf8(reader.readAllStandardOutput()).split('\f', Qt::SkipEmptyParts);
    QVERIFY2(pages.size() >= 3, qPrintable(QString::number(pages.size())));
    for (qsizetype page = 0; page < pages.size(); ++page)
      QVERIFY(pages[page].simplified().remove(' ').endsWith(QString("%1/%2").arg(page + 1).arg(pages.size())));
    const QString all = pages.join('\n');
    qsizetype at = 0;
    for (int day = 1; day <= 31; ++day) {
      const QString title = QLocale().toString(QDate(2024, 7, day), QLocale::LongFormat);
      QStringList expected = {title, "Journal"};
      for (int line = 1; line <= 1 + day % 9; ++line) expected << QString("Note %1.%2").arg(day).arg(line);
      if (day == 4) expected << "Almanac of Caf\u00e9s" << "Fireworks." << "Caf\u00e9 at noon.";
      if (day == 5) expected << "Almanac of Caf\u00e9s" << "CAF\u00c9 CLOSED";
      const auto page = std::find_if(pages.begin(), pages.end(), [&](const QString& p) { return p.contains(title); });
      QVERIFY2(page != pages.end(), qPrintable(title));
      for (const QString& text : expected) {
        const qsizetype found = all.indexOf(text, at);
        QVERIFY2(found >= at, qPrintable(text));
        QVERIFY2(page->contains(text), qPrintable(title + " / " + text));
        at = found + text.size();
      }
    }
  }

  void goesToADateTypedInAndToToday_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QDate>("date");  // invalid: refused
    QTest::newRow("ISO") << "2024-12-25" << QDate(2024, 12, 25);
    QTest::newRow("the locale's short form") << "25/12/2024" << QDate(2024, 12, 25);
    QTest::newRow("day and month name") << "1 March 2025" << QDate(2025, 3, 1);
    QTest::newRow("no such day") << "2024-02-30" << QDate();
    QTest::newRow("no date") << "tomorrow" << QDate();
  }
  void goesToADateTypedInAndToToday() {
    QFETCH(QString, typed);
    QFETCH(QDate, date);
    window_->ask_date = [&] { return std::optional<QString>(typed); };
    window_->GoToDateClick();
    if (date.isValid()) {
      QCOMPARE(window_->MonthCalendar1()->selectedDate(), date);
      QVERIFY(boxes_.errors.empty());
    } else {
      QCOMPARE(window_->MonthCalendar1()->selectedDate(), QDate(2024, 7, 4));
      QCOMPARE(boxes_.errors, std::vector<std::string>{"Vornelle v1.0: Not a Date: \"" + typed.toStdString() +
                                                       "\". Write a date as 2024-07-04 or 04/07/2024."});
    }
    window_->TodayClick();
    QCOMPARE(window_->MonthCalendar1()->selectedDate(), QDate(2024, 7, 4));
    QCOMPARE(Pane(), std::string("Fireworks.\nCaf\u00e9 at noon."));
  }

  // What people type, in their locale's ways, on 8 December 2026: a two-digit year is the
  // nearest such year.
  void readsDatesAsPeopleTypeThem_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QDate>("date");  // invalid: no date
    const QDate christmas(2026, 12, 25);
    QTest::newRow("en_US short, two-digit year") << "en_US" << "12/8/26" << QDate(2026, 12, 8);
    QTest::newRow("en_US short, full year") << "en_US" << "12/25/2026" << christmas;
    QTest::newRow("de short") << "de_DE" << "25.12.26" << christmas;
    QTest::newRow("de short, one-digit day") << "de_DE" << "8.12.26" << QDate(2026, 12, 8);
    QTest::newRow("es short") << "es_ES" << "8/12/26" << QDate(2026, 12, 8);
    QTest::newRow("fr short") << "fr_FR" << "25/12/2026" << christmas;
    QTest::newRow("ISO, one digit") << "de_DE" << "2026-2-3" << QDate(2026, 2, 3);
    QTest::newRow("day, English month") << "en_GB" << "3 Feb 2026" << QDate(2026, 2, 3);
    QTest::newRow("English month first") << "de_DE" << "Dec 25, 2026" << christmas;
    QTest::newRow("de long form") << "de_DE" << "Freitag, 25. Dezember 2026" << christmas;
    QTest::newRow("fr long form") << "fr_FR" << "vendredi 25 d\u00e9cembre 2026" << christmas;
    QTest::newRow("es month") << "es_ES" << "25 dic 2026" << christmas;
    QTest::newRow("two-digit year, last century") << "en_GB" << "1/1/80" << QDate(1980, 1, 1);
    QTest::newRow("two-digit year, this one") << "en_GB" << "1/1/70" << QDate(2070, 1, 1);
    QTest::newRow("no such day") << "en_GB" << "30/2/2026" << QDate();
    QTest::newRow("no date") << "en_GB" << "tomorrow" << QDate();
    QTest::newRow("two months") << "en_GB" << "3 Feb March 2026" << QDate();
  }
  void readsDatesAsPeopleTypeThem() {
    QFETCH(QString, locale);
    QFETCH(QString, typed);
    QFETCH(QDate, date);
    const std::optional<QDate> read = app::ParseTypedDate(typed, QLocale(locale), QDate(2026, 12, 8));
    QCOMPARE(read.value_or(QDate()), date);
  }

  // The box starts with the year in full, and keeps what was typed when it names no date.
  void goToDateKeepsWhatNamesNoDateForCorrection() {
    app::GoToDateDialog dialog(QDate(2026, 12, 8), QDate(2026, 12, 8), QDate(1900, 1, 1), QDate(2200, 1, 1));
    QCOMPARE(dialog.DateEdit()->text(), QString("08/12/2026"));
    dialog.show();
    dialog.DateEdit()->setText("31/11/2026");
    QTest::keyClick(dialog.DateEdit(), Qt::Key_Return);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.DateEdit()->text(), QString("31/11/2026"));
    QCOMPARE(dialog.Help()->text(),
             QString("Not a Date: \"31/11/2026\". Write a date as 2026-12-08 or 08/12/2026."));
    dialog.DateEdit()->setText("30/11/26");
    QTest::keyClick(dialog.DateEdit(), Qt::Key_Return);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.Date(), QDate(2026, 11, 30));
  }
};

QTEST_MAIN(FindCopyTest)
#include "find_copy_test.moc"
