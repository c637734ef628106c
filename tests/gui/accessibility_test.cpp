// Screen readers and the keyboard, on the offscreen platform: what a screen reader finds in the
// calendar window, the options dialog and the About box, the colour grid's cells, and the
// options dialog used without the mouse.

#include <QAccessible>
#include <QApplication>
#include <QFrame>
#include <QRadioButton>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "app/gui/about_box.h"
#include "app/gui/main_window.h"
#include "options/color_grid.h"
#include "options/options_dialog.h"
#include "tests/gui/window_fixture.h"

using namespace vornelle;
namespace vt = vornelle::testing;

namespace {

class FixedFont : public options::FontChooser {
 public:
  std::optional<options::FontChoice> Choose(const options::FontChoice&, QWidget*) override {
    return options::FontChoice{"DejaVu Sans", 15, 0x008000, app::fsBold};
  }
};

const QSet<QAccessible::Role> kInteractive = {
    QAccessible::PushButton, QAccessible::ButtonMenu, QAccessible::CheckBox, QAccessible::RadioButton,
    QAccessible::ComboBox, QAccessible::List, QAccessible::ListItem, QAccessible::Table,
    QAccessible::Cell, QAccessible::EditableText, QAccessible::SpinBox, QAccessible::Slider};

// Every visible object's name; and each interactive one without a name, by role and owner.
void Walk(QAccessibleInterface* node, QStringList& names, QStringList& unnamed) {
  if (!node || node->state().invisible) return;
  const QString name = node->text(QAccessible::Name).trimmed();
  names << name;
  if (kInteractive.contains(node->role()) && name.isEmpty()) {
    const QObject* owner = node->object() ? node->object() : node->parent()->object();
    unnamed << QString("role 0x%1 in %2").arg(node->role(), 0, 16).arg(owner->objectName());
  }
  for (int i = 0; i < node->childCount(); ++i) Walk(node->child(i), names, unnamed);
}

// In the grid's order: silver before gray.
const QStringList kColourNames = {"Black", "Maroon", "Green", "Olive", "Navy", "Purple", "Teal", "Silver",
                                  "Gray", "Red", "Lime", "Yellow", "Blue", "Fuchsia", "Aqua", "White"};

}  // namespace

class AccessibilityTest : public QObject, public vt::WindowFixture {
  Q_OBJECT

 private:
  FixedFont fonts_;

  auto Options() { return std::make_unique<options::TOptionsF>(*program_, boxes_, fonts_); }

 private Q_SLOTS:
  void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }

  void init() {
    QVERIFY(SetUp());
    Theme("alpha.dbf", {{"9999", "alpha notes"}, {"0704", "From alpha."}});
    Theme("mid.dbf", {{"9999", "Middle"}, {"0704", "From middle."}});
    Settings("[THEMES]\nThemeLINES=1\nDB_0=alpha.dbf\nDBD_0=alpha notes\n");
    Start();
  }

  void cleanup() { QVERIFY(TearDown()); }

  void everyControlHasAName_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("names");  // found among others
    QTest::addColumn<bool>("escape_closes");
    QTest::newRow("calendar window")
        << "main" << QStringList{"Options", "Save Changes Made", "Help", "About", "Edit Themes", "Today",
                                 "Exit", "Calendar", "Messages of Thursday, 4 July 2024"}
        << false;
    QTest::newRow("options dialog")
        << "options" << QStringList{"Available Themes", "Themes to Display", "Add", "Set Message Text Font",
                                    "Set Calendar Text Font", "Window Color: Teal",
                                    "Calendar Month Background Color: White", "Color Grid", "Teal"}
        << true;
    QTest::newRow("About box") << "about" << QStringList{"About Vornelle", "Close"} << true;
  }

  void everyControlHasAName() {
    QFETCH(QString, window);
    QFETCH(QStringList, names);
    QFETCH(bool, escape_closes);
    std::unique_ptr<options::TOptionsF> options = Options();
    QWidget* shown = window_.get();
    if (window == "options") shown = options.get();
    if (window == "about") shown = window_->AboutBox();
    shown->show();
    QStringList found, unnamed;
    Walk(QAccessible::queryAccessibleInterface(shown), found, unnamed);
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join("; ")));
    for (const QString& name : names) QVERIFY2(found.contains(name), qPrintable(name));
    QTest::keyClick(shown, Qt::Key_Escape);
    QCOMPARE(shown->isVisible(), !escape_closes);
  }

  void gridCellsSayTheirColoursAndMarkers_data() {
    QTest::addColumn<int>("foreground");
    QTest::addColumn<int>("background");
    QTest::addColumn<bool>("background_enabled");
    QTest::addColumn<QStringList>("marked");  // "cell description"
    QTest::newRow("apart") << 2 << 12 << true
                           << QStringList{"2 Foreground color", "12 Background color"};
    QTest::newRow("on one cell") << 7 << 7 << true << QStringList{"7 Foreground and background color"};
    QTest::newRow("no background, as in the options") << 6 << 6 << false
                                                       << QStringList{"6 Foreground color"};
  }

  void gridCellsSayTheirColoursAndMarkers() {
    QFETCH(int, foreground);
    QFETCH(int, background);
    QFETCH(bool, background_enabled);
    QFETCH(QStringList, marked);
    options::TMyColorGrid grid;
    grid.SetForegroundIndex(foreground);
    grid.SetBackgroundIndex(background);
    grid.SetBackgroundEnabled(background_enabled);
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(&grid);
    QCOMPARE(list->childCount(), 16);
    QStringList names, marks;
    for (int i = 0; i < list->childCount(); ++i) {
      QAccessibleInterface* cell = list->child(i);
      names << cell->text(QAccessible::Name);
      const QString description = cell->text(QAccessible::Description);
      if (!description.isEmpty()) marks << QString("%1 %2").arg(i).arg(description);
      QCOMPARE(cell->state().selected, !description.isEmpty());
      QCOMPARE(list->indexOfChild(cell), i);
      QCOMPARE(list->childAt(cell->rect().center().x(), cell->rect().center().y()), cell);
    }
    QCOMPARE(names, kColourNames);
    QCOMPARE(marks, marked);
    // Pressing a cell picks it as a left click does.
    QSignalSpy clicked(&grid, &options::TMyColorGrid::clicked);
    list->child(9)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(grid.ForegroundIndex(), 9);
    QCOMPARE(clicked.count(), 1);
  }

  void optionsFromTheKeyboardOnly() {
    std::unique_ptr<options::TOptionsF> options = Options();
    options->show();
    options->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(options.get()));
    auto press = [](Qt::Key key, int times = 1) {
      for (int i = 0; i < times; ++i) QTest::keyClick(QApplication::focusWidget(), key);
    };
    // From Apply to the colour items; Window Color, from teal three colours on and one back.
    press(Qt::Key_Tab), press(Qt::Key_Down, 4), press(Qt::Key_Right, 3), press(Qt::Key_Left);
    QCOMPARE(options->Swatch(4)->accessibleName(), QString("Window Color: Gray"));
    QCOMPARE(options->RadioItem(4)->accessibleName(), QString("Window Color: Gray"));
    QCOMPARE(options->CG()->ForegroundIndex(), 8);
    // The message font, from the chooser; the second available theme, added; round to Apply.
    press(Qt::Key_Tab), press(Qt::Key_Space);
    press(Qt::Key_Tab, 2), press(Qt::Key_Down), press(Qt::Key_Tab, 2), press(Qt::Key_Space);
    press(Qt::Key_Tab, 3), press(Qt::Key_Space);
    QVERIFY(!options->isVisible());
    QCOMPARE(options->result(), int(QDialog::Accepted));
    const app::Settings& s = program_->settings;
    QCOMPARE(s.WC, 0x808080u);
    QCOMPARE(s.JMsgFN, std::string("DejaVu Sans"));
    QCOMPARE(program_->themes.SelThemeD, (std::vector<std::string>{"alpha notes", "Middle"}));
    QVERIFY(s.SettingsChanged);
  }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
