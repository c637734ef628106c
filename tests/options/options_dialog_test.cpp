// The options dialog's flows, and the whole way from the dialog to the main window and back
// from the settings file.

#include <unistd.h>

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <climits>
#include <functional>
#include <memory>
#include <stdexcept>

#include "app/core/program.h"
#include "app/gui/main_window.h"
#include "engine/engine.h"
#include "expr/expr.h"
#include "options/color_grid.h"
#include "options/options_dialog.h"
#include "platform/locale.h"
#include "platform/profile.h"
#include "tests/app/app_fixture.h"
#include "tests/options/options_tests.h"
#include "tests/support/themes.h"

using namespace vornelle;
namespace vt = vornelle::testing;

namespace {

class FakeFonts : public options::FontChooser {
 public:
  std::optional<options::FontChoice> Choose(const options::FontChoice& current, QWidget*) override {
    asked.push_back(current);
    if (fail) throw std::runtime_error("no fonts");
    return answer;
  }
  std::optional<options::FontChoice> answer;
  bool fail = false;
  std::vector<options::FontChoice> asked;
};

struct Fixture {
  QTemporaryDir folder;
  std::string old_folder;
  std::unique_ptr<app::Program> program;
  vt::RecordingBoxes boxes;
  FakeFonts fonts;
  std::unique_ptr<options::TOptionsF> dialog;
};

Fixture* g = nullptr;

// Runs the dialog with `inside` acting on it once it is up; returns what the main window gets.
app::OptionsOutcome Run(const std::function<void(options::TOptionsF&)>& inside) {
  QTimer::singleShot(0, [inside] { inside(*g->dialog); });
  return g->dialog->Show();
}

void Click(QWidget* dialog, const char* button) {
  dialog->findChild<QPushButton*>(button)->click();
}

void Highlight(QListWidget* list, const QString& text) {
  const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
  QVERIFY(!found.isEmpty());
  list->setCurrentItem(found.first());
}

QStringList Items(const QListWidget* list) {
  QStringList out;
  for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
  return out;
}

}  // namespace

void OptionsDialogTest::init() {
  g = new Fixture;
  engine::ResetEngine();
  engine::SetAutoCheck(true);
  engine::SetRaise(true);
  platform::SetShortDateFormat(platform::PatternFromStrftime("%m/%d/%y"));
  expr::InstallExpressionUnit();
  char cwd[PATH_MAX];
  g->old_folder = getcwd(cwd, sizeof cwd) ? cwd : "/";
  QVERIFY(chdir(g->folder.path().toLocal8Bit().constData()) == 0);
  vt::WriteTheme("zeta.dbf", {{"9999", "Zeta Sayings"}, {"0704", "From zeta."}});
  vt::WriteTheme("alpha.dbf", {{"9999", "alpha notes"}, {"0704", "From alpha."}});
  vt::WriteTheme("mid.dbf", {{"9999", "Middle"}, {"0704", "From middle."}});
  g->program = std::make_unique<app::Program>();
  QVERIFY(g->program->LoadAndScan(g->boxes, {}));
  g->dialog = std::make_unique<options::TOptionsF>(*g->program, g->boxes, g->fonts);
}

void OptionsDialogTest::cleanup() {
  g->dialog.reset();
  g->program.reset();
  engine::ResetEngine();
  QVERIFY(chdir(g->old_folder.c_str()) == 0);
  delete g;
  g = nullptr;
}

void OptionsDialogTest::cancelWithoutChangesClosesAtOnce() {
  const app::OptionsOutcome outcome = Run([](options::TOptionsF& d) { Click(&d, "CancelB"); });
  QVERIFY(!outcome.applied);
  QVERIFY(g->boxes.questions.empty());
  QCOMPARE(QString(g->dialog->windowTitle()), QString("Vornelle Options"));
}

void OptionsDialogTest::cancelAfterAColourAsksNoStaysYesRestores() {
  bool stayed_open = false;
  QString swatch_after_no;
  const app::OptionsOutcome outcome = Run([&](options::TOptionsF& d) {
    d.RadioItem(1)->click();                                          // the title background
    QTest::mouseClick(d.CG(), Qt::LeftButton, {}, QPoint(15, 130));  // cell 12: blue
    QCOMPARE(g->program->settings.CTBC, 0xFF0000u);
    g->boxes.answers = {false, true};
    Click(&d, "CancelB");
    stayed_open = d.isVisible();
    swatch_after_no = d.Swatch(1)->styleSheet();
    Click(&d, "CancelB");
  });
  QVERIFY(stayed_open);
  QVERIFY(swatch_after_no.contains("#0000ff"));
  QVERIFY(!outcome.applied);
  QCOMPARE(g->boxes.questions,
           (std::vector<std::string>(2, "You made changes. Do you really want to exit without applying?")));
  QCOMPARE(g->program->settings.CTBC, 0u);  // restored
}

void OptionsDialogTest::addingAndRemovingThemes() {
  const auto before = g->program->themes.SelTheme;
  Run([](options::TOptionsF& d) {
    QCOMPARE(Items(d.ListBox1()), (QStringList{"alpha notes", "Middle", "Zeta Sayings"}));
    d.ListBox1()->setCurrentItem(nullptr);
    Click(&d, "Button4");
    Highlight(d.ListBox1(), "Zeta Sayings");
    Click(&d, "Button4");
    Highlight(d.ListBox1(), "alpha notes");
    Click(&d, "Button4");
    Highlight(d.ListBox1(), "alpha notes");
    Click(&d, "Button4");  // again
    QCOMPARE(Items(d.ListBox2()), (QStringList{"alpha notes", "Zeta Sayings"}));
    QCOMPARE(g->program->themes.SelTheme, (std::vector<std::string>{"alpha.dbf", "zeta.dbf"}));
    QCOMPARE(g->program->themes.SelThemeD, (std::vector<std::string>{"alpha notes", "Zeta Sayings"}));
    d.ListBox2()->setCurrentItem(nullptr);
    Click(&d, "Button5");
    Highlight(d.ListBox2(), "alpha notes");
    Click(&d, "Button5");
    QCOMPARE(g->program->themes.SelTheme, std::vector<std::string>{"zeta.dbf"});
    g->boxes.answers = {true};
    Click(&d, "CancelB");
  });
  QCOMPARE(g->boxes.informs, (std::vector<std::string>{"You must highlight a Theme to add.",
                                                       "That Theme is already being displayed.",
                                                       "You must highlight a Theme to remove."}));
  QCOMPARE(g->program->themes.SelTheme, before);  // Cancel, Yes: as before the dialog
}

void OptionsDialogTest::twoFilesWithOneDescriptionAreBothDisplayed() {
  vt::WriteTheme("twin.dbf", {{"9999", "Middle"}});
  QVERIFY(g->program->LoadAndScan(g->boxes, {}));
  const app::OptionsOutcome outcome = Run([](options::TOptionsF& d) {
    Highlight(d.ListBox1(), "Middle");
    Click(&d, "Button4");
    Click(&d, "Button1");
  });
  QVERIFY(outcome.applied);
  QVERIFY(outcome.themes_changed);
  QCOMPARE(g->program->themes.SelTheme, (std::vector<std::string>{"mid.dbf", "twin.dbf"}));
  QVERIFY(g->program->settings.SettingsChanged);
}

namespace {

std::vector<std::string> Strings(const QStringList& list) {
  std::vector<std::string> out;
  for (const QString& text : list) out.push_back(text.toStdString());
  return out;
}

// Waits until the dialog has the keyboard, so that focus moves reach its widgets.
bool Activate(QWidget& dialog) {
  dialog.activateWindow();
  return QTest::qWaitForWindowActive(&dialog);
}

}  // namespace

void OptionsDialogTest::themeButtonsActOnTheHighlight_data() {
  QTest::addColumn<QStringList>("files");  // SelTheme, with SelThemeD the description of each
  QTest::addColumn<QStringList>("descriptions");
  // "pick L|R <text>" highlights an entry, "tab L|R" tabs into a list, "add" and "remove" click.
  QTest::addColumn<QStringList>("steps");
  QTest::addColumn<QStringList>("informs");
  QTest::addColumn<QStringList>("files_after");
  QTest::addColumn<QStringList>("shown_after");  // ListBox2, and SelThemeD
  const QStringList none;
  const QString add = "You must highlight a Theme to add.";
  const QString remove = "You must highlight a Theme to remove.";
  QTest::newRow("tabbing into Available Themes highlights nothing")
      << none << none << QStringList{"tab L", "add"} << QStringList{add} << none << none;
  QTest::newRow("tabbing into Themes to Display highlights nothing")
      << QStringList{"mid.dbf"} << QStringList{"Middle"} << QStringList{"tab R", "remove"}
      << QStringList{remove} << QStringList{"mid.dbf"} << QStringList{"Middle"};
  QTest::newRow("a second Add needs a new highlight")
      << none << none << QStringList{"pick L alpha notes", "add", "add"} << QStringList{add}
      << QStringList{"alpha.dbf"} << QStringList{"alpha notes"};
  QTest::newRow("a second Remove needs a new highlight")
      << QStringList{"alpha.dbf", "zeta.dbf"} << QStringList{"alpha notes", "Zeta Sayings"}
      << QStringList{"pick R alpha notes", "remove", "remove"} << QStringList{remove}
      << QStringList{"zeta.dbf"} << QStringList{"Zeta Sayings"};
  QTest::newRow("one description, two files: each shown once")
      << none << none << QStringList{"pick L Middle", "add"} << none
      << QStringList{"mid.dbf", "twin.dbf"} << QStringList{"Middle", "Middle"};
  QTest::newRow("twins stay once each after a later Add")
      << QStringList{"mid.dbf", "twin.dbf"} << QStringList{"Middle", "Middle"}
      << QStringList{"pick L Zeta Sayings", "add"} << none
      << QStringList{"mid.dbf", "twin.dbf", "zeta.dbf"}
      << QStringList{"Middle", "Middle", "Zeta Sayings"};
  QTest::newRow("removing one twin keeps the other")
      << QStringList{"mid.dbf", "twin.dbf"} << QStringList{"Middle", "Middle"}
      << QStringList{"pick R Middle", "remove"} << none << QStringList{"twin.dbf"}
      << QStringList{"Middle"};
  QTest::newRow("a theme whose file has gone stays through an Add")
      << QStringList{"gone.dbf"} << QStringList{"Gone"} << QStringList{"pick L alpha notes", "add"}
      << none << QStringList{"alpha.dbf", "gone.dbf"} << QStringList{"alpha notes", "Gone"};
}

void OptionsDialogTest::themeButtonsActOnTheHighlight() {
  QFETCH(QStringList, files);
  QFETCH(QStringList, descriptions);
  QFETCH(QStringList, steps);
  QFETCH(QStringList, informs);
  QFETCH(QStringList, files_after);
  QFETCH(QStringList, shown_after);
  vt::WriteTheme("twin.dbf", {{"9999", "Middle"}});
  QVERIFY(g->program->LoadAndScan(g->boxes, {}));
  g->program->themes.SelTheme = Strings(files);
  g->program->themes.SelThemeD = Strings(descriptions);
  QStringList shown;
  int highlighted = -1;
  Run([&](options::TOptionsF& d) {
    const bool active = Activate(d);
    for (const QString& step : steps) {
      QListWidget* list = step.section(' ', 1, 1) == "L" ? d.ListBox1() : d.ListBox2();
      if (step.startsWith("pick")) Highlight(list, step.section(' ', 2));
      if (step.startsWith("tab") && active) list->setFocus(Qt::TabFocusReason);
      if (step == "add") Click(&d, "Button4");
      if (step == "remove") Click(&d, "Button5");
    }
    shown = Items(d.ListBox2());
    highlighted = static_cast<int>(d.ListBox1()->selectedItems().size() +
                                   d.ListBox2()->selectedItems().size());
    Click(&d, "Button1");
    QVERIFY(active);
  });
  QCOMPARE(g->boxes.informs, Strings(informs));
  QCOMPARE(shown, shown_after);
  QCOMPARE(highlighted, 0);
  QCOMPARE(g->program->themes.SelTheme, Strings(files_after));
  QCOMPARE(g->program->themes.SelThemeD, Strings(shown_after));
}

namespace {

// The focus widgets met by pressing Tab nine times from the focus; radio items as "item N".
QStringList TabStops(options::TOptionsF& d) {
  QStringList stops;
  for (int n = 0; n < 10; ++n) {
    QWidget* focus = QApplication::focusWidget();
    if (!focus) break;
    QString name = focus->objectName();
    for (int i = 0; i < 5; ++i)
      if (focus == d.RadioItem(i)) name = QString("item %1").arg(i);
    stops << name;
    QTest::keyClick(focus, Qt::Key_Tab);
  }
  return stops;
}

QStringList ExpectedStops(int item) {
  return {"Button1",  "item " + QString::number(item), "Button2", "Button3", "ListBox1",
          "ListBox2", "Button4", "Button5", "CancelB", "Button1"};
}

}  // namespace

void OptionsDialogTest::radioGroupIsOneTabStop_data() {
  QTest::addColumn<int>("checked");
  QTest::addColumn<int>("arrow");
  QTest::addColumn<int>("checked_after");
  QTest::newRow("first item, Down") << 0 << int(Qt::Key_Down) << 1;
  QTest::newRow("middle item, Up") << 2 << int(Qt::Key_Up) << 1;
  QTest::newRow("last item, Up") << 4 << int(Qt::Key_Up) << 3;
}

void OptionsDialogTest::radioGroupIsOneTabStop() {
  QFETCH(int, checked);
  QFETCH(int, arrow);
  QFETCH(int, checked_after);
  QStringList stops, stops_after_arrow;
  int checked_by_arrow = -1;
  Run([&](options::TOptionsF& d) {
    if (Activate(d)) {
      d.RadioItem(checked)->click();
      stops = TabStops(d);  // from where the dialog opens
      d.RadioItem(checked)->setFocus(Qt::TabFocusReason);
      QTest::keyClick(d.RadioItem(checked), Qt::Key(arrow));
      for (int i = 0; i < 5; ++i)
        if (d.RadioItem(i)->isChecked() && d.RadioItem(i)->hasFocus()) checked_by_arrow = i;
      d.findChild<QPushButton*>("Button1")->setFocus(Qt::TabFocusReason);
      stops_after_arrow = TabStops(d);
    }
    Click(&d, "CancelB");
  });
  QCOMPARE(stops, ExpectedStops(checked));
  QCOMPARE(checked_by_arrow, checked_after);
  QCOMPARE(stops_after_arrow, ExpectedStops(checked_after));
}

void OptionsDialogTest::applyWithoutChangesLeavesTheFlagsAlone() {
  g->program->settings.SettingsSaved = true;
  const app::OptionsOutcome outcome = Run([](options::TOptionsF& d) { Click(&d, "Button1"); });
  QVERIFY(outcome.applied);
  QVERIFY(!outcome.colours_changed && !outcome.fonts_changed && !outcome.themes_changed);
  QVERIFY(g->program->settings.SettingsSaved);
  QVERIFY(!g->program->settings.SettingsChanged);
}

void OptionsDialogTest::colourOutsideTheSixteen() {
  g->program->settings.CTTC = 0x123456;
  Run([](options::TOptionsF& d) {
    QCOMPARE(d.CG()->ForegroundIndex(), 15);  // white: the month background's cell
    d.RadioItem(2)->click();
    QCOMPARE(d.CG()->ForegroundIndex(), 15);  // the marker stays
    QTest::mouseClick(d.CG(), Qt::LeftButton, {}, QPoint(45, 10));  // cell 1: maroon
    QCOMPARE(g->program->settings.CTTC, 0x000080u);
    Click(&d, "Button1");
  });
  QCOMPARE(g->program->settings.CTTC, 0x000080u);
}

void OptionsDialogTest::rightClickOnTheGrid() {
  const app::OptionsOutcome outcome = Run([](options::TOptionsF& d) {
    QTest::mouseClick(d.CG(), Qt::RightButton, {}, QPoint(15, 10));  // cell 0
    QCOMPARE(d.CG()->Selection(), 0);
    QCOMPARE(d.CG()->ForegroundIndex(), 15);
    Click(&d, "Button1");
  });
  // The click still ran: the chosen colour is the marker's, unchanged, and a change is noted.
  QVERIFY(outcome.colours_changed);
  QCOMPARE(g->program->settings.CMBC, 0xFFFFFFu);
}

void OptionsDialogTest::fontsFromTheChooser() {
  options::FontChoice choice;
  choice.name = std::string(50, 'N');
  choice.size = 14;
  choice.colour = 0x0000FF;
  choice.styles = app::fsBold | app::fsItalic;
  g->fonts.answer = choice;
  const app::OptionsOutcome outcome = Run([](options::TOptionsF& d) {
    Click(&d, "Button2");
    g->fonts.fail = true;
    Click(&d, "Button3");
    Click(&d, "Button1");
  });
  QVERIFY(outcome.fonts_changed);
  const app::Settings& s = g->program->settings;
  QCOMPARE(s.JMsgFN, std::string(40, 'N'));
  QCOMPARE(s.JMsgFS, 14);
  QCOMPARE(s.JMsgFC, 0x0000FFu);
  QCOMPARE(s.pane_style, app::fsBold | app::fsItalic);
  QCOMPARE(g->fonts.asked[0].name, std::string("System"));
  QCOMPARE(s.CalFN, std::string("System"));  // the failed chooser changed nothing
  QCOMPARE(g->boxes.informs, std::vector<std::string>{"Error creating font window!"});
  QVERIFY(g->dialog->JMsgL()->font().bold());
}

void OptionsDialogTest::placedOverTheMainWindow() {
  app::Settings& s = g->program->settings;
  s.Left = 100, s.Top = 100, s.Width = 400, s.Height = 300;
  QPoint place;
  Run([&](options::TOptionsF& d) {
    place = d.pos();
    Click(&d, "CancelB");
  });
  QCOMPARE(place, QPoint(100 + 200 - g->dialog->width() / 2, 120));
}

void OptionsDialogTest::endToEnd() {
  class NoHelp : public app::HelpViewer {
   public:
    bool Open(const std::string&) override { return true; }
  } help;
  vt::FixedDate clock(2024, 7, 4);
  g->program->joketbl.Close();  // one table component at a time, as in the program
  auto program = std::make_unique<app::Program>();
  auto window = std::make_unique<app::TForm1>(*program, g->boxes, help, clock);
  options::TOptionsF options_dialog(*program, g->boxes, g->fonts);
  window->show_options = [&] { return options_dialog.Show(); };
  window->show();
  QTRY_VERIFY(window->StartupDone());
  QCOMPARE(window->JMsg()->toPlainText(), QString());

  options::FontChoice font;
  font.name = "DejaVu Sans";
  font.size = 15;
  font.colour = 0x008000;
  g->fonts.answer = font;
  QTimer::singleShot(0, [&] {
    options_dialog.RadioItem(4)->click();                                      // window colour
    QTest::mouseClick(options_dialog.CG(), Qt::LeftButton, {}, QPoint(15, 130));  // blue
    Click(&options_dialog, "Button2");                                         // the pane font
    Highlight(options_dialog.ListBox1(), "Middle");
    Click(&options_dialog, "Button4");
    Click(&options_dialog, "Button1");
  });
  window->OptionsBClick();

  auto check = [](app::TForm1& w) {
    QCOMPARE(w.JMsg()->toPlainText(), QString("From middle."));
    QCOMPARE(w.centralWidget()->palette().color(QPalette::Window), QColor(0, 0, 255));
    QCOMPARE(w.Panel1()->palette().color(QPalette::Window), QColor(0, 0, 255));
    QCOMPARE(w.JMsg()->font().pointSize(), 15);
    QCOMPARE(w.JMsg()->palette().color(QPalette::Text), QColor(0, 128, 0));
  };
  check(*window);
  QVERIFY(program->settings.SettingsChanged);
  window->SaveBClick();
  QCOMPARE(platform::GetProfileString("Vornel.Ini", "WinSet", "WC", ""), std::string("16711680"));
  window->close();
  window.reset();
  program->joketbl.Close();

  // The next start reads it all back.
  engine::ResetEngine();
  app::Program again;
  app::TForm1 restarted(again, g->boxes, help, clock);
  restarted.show();
  QTRY_VERIFY(restarted.StartupDone());
  check(restarted);
}
