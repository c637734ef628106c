// The day's message delivered outside the window: desktop notifications from `vornelle
// --notify` and from the window's day change, the tray icon, and start at login. Runs on a
// private session bus (dbus-run-session) under Xvfb, with fake_desktop as the notification
// server and the tray host; on the offscreen platform the tray part is skipped.

#include <QAction>
#include <QDate>
#include <QGuiApplication>
#include <QMenu>
#include <QProcess>
#include <QRegularExpression>
#include <QSystemTrayIcon>
#include <QTest>
#include <fstream>

#include "app/core/autostart.h"
#include "app/gui/day_notification.h"
#include "app/gui/main_window.h"
#include "tests/gui/window_fixture.h"
#include "tests/support/peer.h"

using namespace vornelle;
namespace vt = vornelle::testing;

namespace {

// The notifications fake_desktop printed until it was let go.
std::vector<QStringList> Notifications(vt::Peer& desktop) {
  desktop.Finish();
  std::vector<QStringList> sent;
  for (std::string line = desktop.Line(); line != "end" && line != "<none>"; line = desktop.Line())
    sent.push_back(QString::fromStdString(line).split('\t'));
  return sent;
}

// `vornelle --notify` in `folder`: its exit status and what it said on stderr.
std::pair<int, QString> NotifyFromTheTerminal(const QString& folder) {
  QProcess vornelle;
  vornelle.start(VORNELLE_PATH, {"--notify", folder});
  if (!vornelle.waitForFinished(20000)) return {-1, "did not end"};
  return {vornelle.exitCode(), QString::fromUtf8(vornelle.readAllStandardError())};
}

}  // namespace

class DeliveryTest : public QObject, public vt::WindowFixture {
  Q_OBJECT

 private:
  // Two displayed themes with a message for `date`.
  void Themes(const QDate& date) {
    const std::string key = date.toString("MMdd").toStdString();
    Theme("almanac.dbf", {{"9999", "Almanac"}, {key, "Fireworks.\r\nSecond line."}});
    Theme("garden.dbf", {{"9999", "Garden"}, {key, "Sow <early> & late."}});
    Settings("[THEMES]\nThemeLINES=2\nDB_0=almanac.dbf\nDB_1=garden.dbf\n[Desktop]\nNotifyAtDayChange=1\n");
  }

 private Q_SLOTS:
  void init() { QVERIFY(SetUp()); }
  void cleanup() { QVERIFY(TearDown()); }

  // Before fake_desktop runs, nothing serves notifications on the bus.
  void notifyWithoutAServerSaysSoAndSucceeds() {
    Themes(QDate::currentDate());
    const auto [status, said] = NotifyFromTheTerminal(folder_->path());
    QCOMPARE(status, 0);
    // Its one line; Qt may say something of its own about the session.
    const QStringList own = said.split('\n').filter(QRegularExpression("^vornelle"));
    QCOMPARE(own.size(), 1);
    QVERIFY2(own[0].startsWith("vornelle: no desktop notification: "), qPrintable(said));
  }

  void notifySendsOneNotificationOfBothThemes_data() {
    QTest::addColumn<bool>("markup");
    QTest::addColumn<QString>("body");
    QTest::newRow("plain") << false << "Almanac\\nFireworks.\\nSecond line.\\n\\nGarden\\nSow <early> & late.";
    QTest::newRow("markup") << true
                            << "<b>Almanac</b>\\nFireworks.\\nSecond line.\\n\\n<b>Garden</b>\\nSow &lt;early&gt; &amp; late.";
  }
  void notifySendsOneNotificationOfBothThemes() {
    QFETCH(bool, markup);
    QFETCH(QString, body);
    const QDate today = QDate::currentDate();
    Themes(today);
    vt::Peer desktop(FAKE_DESKTOP_PATH, markup ? std::vector<std::string>{"--markup"} : std::vector<std::string>{});
    QCOMPARE(desktop.Line(), std::string("ready"));
    const auto [status, said] = NotifyFromTheTerminal(folder_->path());
    QCOMPARE(status, 0);
    QVERIFY2(!said.contains("vornelle"), qPrintable(said));
    const std::vector<QStringList> sent = Notifications(desktop);
    QCOMPARE(sent.size(), std::size_t(1));
    QCOMPARE(sent[0], (QStringList{"NOTIFY", "Vornelle", "vornelle", app::NotificationSummary(today), body}));
  }

  void dayChangeInTheWindowSendsOne() {
    Themes(QDate(2024, 7, 5));
    vt::Peer desktop(FAKE_DESKTOP_PATH, {});
    QCOMPARE(desktop.Line(), std::string("ready"));
    Start();
    QVERIFY(window_->NotifyAtDayChangeAction()->isChecked());
    window_->Timer1Timer();  // the same day: nothing
    clock_.Set(2024, 7, 5);
    window_->Timer1Timer();
    const std::vector<QStringList> sent = Notifications(desktop);
    QCOMPARE(sent.size(), std::size_t(1));
    QCOMPARE(sent[0][3], app::NotificationSummary(QDate(2024, 7, 5)));
    QVERIFY(sent[0][4].startsWith("Almanac\\nFireworks."));
  }

  void trayIconShowsTodayAndTogglesTheWindow() {
    if (QGuiApplication::platformName() == "offscreen") QSKIP("the offscreen platform has no tray; run under Xvfb");
    Themes(QDate(2024, 7, 4));
    vt::Peer desktop(FAKE_DESKTOP_PATH, {});
    QCOMPARE(desktop.Line(), std::string("ready"));
    program_ = std::make_unique<app::Program>();
    window_ = std::make_unique<app::TForm1>(*program_, boxes_, help_, clock_);
    QVERIFY(window_->StartInTray());
    QVERIFY(!window_->isVisible());
    QSystemTrayIcon* tray = window_->TrayIcon();
    QCOMPARE(tray->toolTip(), QString("Fireworks."));
    QStringList items;
    for (const QAction* action : tray->contextMenu()->actions())
      if (!action->isSeparator()) items << action->text();
    QCOMPARE(items, (QStringList{"&Show Calendar", "Copy &Day's Messages", "&Quit"}));
    Q_EMIT tray->activated(QSystemTrayIcon::Trigger);
    QVERIFY(window_->isVisible());
    QVERIFY(!window_->close());  // closing hides it; the program goes on in the tray
    QVERIFY(!window_->isVisible());
    Q_EMIT tray->activated(QSystemTrayIcon::Trigger);
    QVERIFY(window_->isVisible());
  }

  void startAtLoginWritesAValidEntryAndTakesItAway() {
    qputenv("XDG_CONFIG_HOME", folder_->filePath("config").toUtf8());
    Themes(QDate(2024, 7, 4));
    Start();
    QAction* start_at_login = window_->StartAtLoginAction();
    start_at_login->setChecked(true);
    const QString entry = QString::fromStdString(app::AutostartFile().string());
    QVERIFY(QFile::exists(entry));
    QProcess validate;
    validate.start("desktop-file-validate", {entry});
    QVERIFY(validate.waitForFinished(10000));
    QCOMPARE(validate.readAllStandardOutput() + validate.readAllStandardError(), QByteArray());
    QCOMPARE(validate.exitCode(), 0);
    QVERIFY(app::StartsAtLogin());
    std::ifstream text(entry.toStdString());
    const std::string written((std::istreambuf_iterator<char>(text)), std::istreambuf_iterator<char>());
    QVERIFY(written.find(" --tray " + folder_->path().toStdString() + "\n") != std::string::npos);
    QVERIFY(written.find("X-GNOME-Autostart-Delay=5\n") != std::string::npos);
    start_at_login->setChecked(false);
    QVERIFY(!QFile::exists(entry));
    QVERIFY(!app::StartsAtLogin());
    qunsetenv("XDG_CONFIG_HOME");
  }
};

QTEST_MAIN(DeliveryTest)
#include "delivery_test.moc"
