// The desktop's colours in the calendar window, on a private session bus with fake_desktop as
// the desktop portal: a dark preference makes the pane dark and its text light, the portal's
// SettingChanged switches it live, and turning the setting off gives the settings' colours back.

#include <QAction>
#include <QApplication>
#include <QPlainTextEdit>
#include <QTest>

#include "app/gui/main_window.h"
#include "tests/gui/window_fixture.h"
#include "tests/support/peer.h"

using namespace vornelle;
namespace vt = vornelle::testing;

namespace {

// The pane's background and text, each dark (true) or light.
std::pair<bool, bool> PaneIsDark(const app::TForm1& window) {
  const QPalette palette = window.JMsg()->palette();
  return {palette.color(QPalette::Base).lightness() < 128, palette.color(QPalette::Text).lightness() < 128};
}

}  // namespace

class DesktopColoursTest : public QObject, public vt::WindowFixture {
  Q_OBJECT

 private Q_SLOTS:
  void init() {
    QVERIFY(SetUp());
    Theme("almanac.dbf", {{"9999", "Almanac"}, {"0704", "Fireworks."}});
  }
  void cleanup() { QVERIFY(TearDown()); }

  void followsTheDesktopLiveAndGivesTheSettingsColoursBack() {
    Settings("[THEMES]\nThemeLINES=1\nDB_0=almanac.dbf\n[Desktop]\nUseDesktopColours=1\n");
    vt::Peer desktop(FAKE_DESKTOP_PATH, {"--scheme", "1"});
    QCOMPARE(desktop.Line(), std::string("ready"));
    Start();
    QVERIFY(window_->UseDesktopColoursAction()->isChecked());
    QCOMPARE(PaneIsDark(*window_), std::make_pair(true, false));

    desktop.Say("scheme 2");  // the desktop turns light
    QTRY_COMPARE(PaneIsDark(*window_), std::make_pair(false, true));
    desktop.Say("scheme 1");
    QTRY_COMPARE(PaneIsDark(*window_), std::make_pair(true, false));

    // Off: the settings' colours, black on white, and the choice is kept in the file.
    window_->UseDesktopColoursAction()->setChecked(false);
    QCOMPARE(window_->JMsg()->palette().color(QPalette::Text), QColor(Qt::black));
    QCOMPARE(PaneIsDark(*window_), std::make_pair(false, true));
    QVERIFY(vt::ReadFileBytes(Path("Vornel.Ini")).find("UseDesktopColours=0") != std::string::npos);
  }
};

QTEST_MAIN(DesktopColoursTest)
#include "desktop_colours_test.moc"
