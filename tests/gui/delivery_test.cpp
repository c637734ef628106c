// The day's message delivered outside the window: desktop notifications from `vornelle
// --notify` and from the window's day change, the tray icon, and start at login. Runs on a
// private session bus (dbus-run-session) under Xvfb, with fake_desktop as the notification
// server and the tray host; on the offscreen platform the tray part is skipped.

#include <QAction>
#include <QDate>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QGuiApplication>
#include <QMenu>
#include <QProcess>
#include <QRegularExpression>
#include <QSystemTrayIcon>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

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

// The desktop's notifications, telling the test each notification's outcome.
class SettledNotifications : public app::Notifications {
 public:
  void Notify(const std::string& summary, const std::string& plain_body, const std::string& markup_body,
              Done done) override {
    desktop_.Notify(summary, plain_body, markup_body, [this, done](const std::string& why) {
      reasons.push_back(why);
      done(why);
    });
  }
  std::vector<std::string> reasons;  // "" for one delivered

 private:
  app::DesktopNotifications desktop_;
};

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

  // The title is the date without the year, as each language writes it.
  void summaryIsTheDateWithoutItsYear_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("summary");
    QTest::newRow("en_GB") << "en_GB" << "Tuesday, 8 December";
    QTest::newRow("en_US") << "en_US" << "Tuesday, December 8";
    QTest::newRow("de") << "de_DE" << "Dienstag, 8. Dezember";
    QTest::newRow("fr") << "fr_FR" << "mardi 8 d\u00e9cembre";
    QTest::newRow("es") << "es_ES" << "martes, 8 de diciembre";
    QTest::newRow("pt_BR") << "pt_BR" << "ter\u00e7a-feira, 8 de dezembro";
    QTest::newRow("ru") << "ru_RU" << "\u0432\u0442\u043e\u0440\u043d\u0438\u043a, 8 \u0434\u0435\u043a\u0430\u0431\u0440\u044f";
    QTest::newRow("zh_CN") << "zh_CN" << "12\u67088\u65e5\u661f\u671f\u4e8c";
    QTest::newRow("ja") << "ja_JP" << "12\u67088\u65e5\u706b\u66dc\u65e5";
  }
  void summaryIsTheDateWithoutItsYear() {
    QFETCH(QString, locale);
    QFETCH(QString, summary);
    QCOMPARE(app::NotificationSummary(QDate(2026, 12, 8), QLocale(locale)), summary);
  }

  void dayChangeInTheWindowSendsOne() {
    Themes(QDate(2024, 7, 5));
    vt::Peer desktop(FAKE_DESKTOP_PATH, {});
    QCOMPARE(desktop.Line(), std::string("ready"));
    Start();
    SettledNotifications notifications;
    window_->SetNotifications(notifications);
    QVERIFY(window_->NotifyAtDayChangeAction()->isChecked());
    window_->Timer1Timer();  // the same day: nothing
    clock_.Set(2024, 7, 5);
    window_->Timer1Timer();
    QTRY_COMPARE(notifications.reasons, std::vector<std::string>{""});
    const std::vector<QStringList> sent = Notifications(desktop);
    QCOMPARE(sent.size(), std::size_t(1));
    QCOMPARE(sent[0][3], app::NotificationSummary(QDate(2024, 7, 5)));
    QVERIFY(sent[0][4].startsWith("Almanac\\nFireworks."));
  }

  // A server that never answers holds neither the window at the day change nor `vornelle
  // --notify` for more than its time-out, and the time-out is said in one line.
  void aHungServerHoldsNotTheWindow() {
    Themes(QDate(2024, 7, 5));
    vt::Peer desktop(FAKE_DESKTOP_PATH, {"--hang"});
    QCOMPARE(desktop.Line(), std::string("ready"));
    Start();
    SettledNotifications notifications;
    window_->SetNotifications(notifications);
    clock_.Set(2024, 7, 5);
    window_->Timer1Timer();
    // The day change came back before its call had an outcome: it did not wait on the bus,
    // whatever the machine's load.
    QVERIFY2(notifications.reasons.empty(), "the window waited on the bus");
    QTRY_COMPARE_WITH_TIMEOUT(notifications.reasons.size(), std::size_t(1), 3 * app::DesktopNotifications::kTimeoutMs);
    QVERIFY(!notifications.reasons[0].empty());
  }
  void aHungServerHoldsTheTerminalOnlyForItsTimeOut() {
    Themes(QDate::currentDate());
    vt::Peer desktop(FAKE_DESKTOP_PATH, {"--hang"});
    QCOMPARE(desktop.Line(), std::string("ready"));
    const auto [status, said] = NotifyFromTheTerminal(folder_->path());
    QCOMPARE(status, 0);
    QVERIFY2(QRegularExpression("\\Avornelle: no desktop notification: [^\\n]+\\n\\z").match(said).hasMatch(),
             qPrintable(said));
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

  // Folders whose names an archive may carry: the entry starts exactly the calendar with the
  // folder, as the desktop reads it (GLib's key file and command line rules), or it is refused
  // with a box and nothing is written.
  void startAtLoginStartsExactlyTheFolder_data() {
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<bool>("written");
    QTest::newRow("plain") << QByteArray("plain") << true;
    QTest::newRow("reserved characters") << QByteArray("a b 'q' \"dq\" $HOME `id` back\\slash 100% ~;&|<>*?#()") << true;
    QTest::newRow("line breaks") << QByteArray("x\nExec=sh -c 'touch pwned'\nX-Tail=") << true;
    QTest::newRow("tab and return") << QByteArray("tab\there\rreturn") << true;
    QTest::newRow("not UTF-8") << QByteArray("caf\xe9") << false;
    QTest::newRow("another control character") << QByteArray("bell\x07") << false;
  }
  void startAtLoginStartsExactlyTheFolder() {
    QFETCH(QByteArray, name);
    QFETCH(bool, written);
    qputenv("XDG_CONFIG_HOME", folder_->filePath("config").toUtf8());
    Themes(QDate(2024, 7, 4));
    Start();
    const std::string folder = folder_->path().toStdString() + "/" + name.toStdString();
    QVERIFY(mkdir(folder.c_str(), 0700) == 0);
    QVERIFY(chdir(folder.c_str()) == 0);
    window_->StartAtLoginAction()->setChecked(true);
    QVERIFY(chdir(folder_->path().toLocal8Bit().constData()) == 0);
    rmdir(folder.c_str());  // Qt cannot remove a name that is not UTF-8
    const QString entry = QString::fromStdString(app::AutostartFile().string());
    QCOMPARE(QFile::exists(entry), written);
    QCOMPARE(app::StartsAtLogin(), written);
    QCOMPARE(window_->StartAtLoginAction()->isChecked(), written);
    if (!written) {
      QCOMPARE(boxes_.errors.size(), std::size_t(1));
      QVERIFY2(boxes_.errors[0].find(app::kUnnamableText) != std::string::npos, boxes_.errors[0].c_str());
      qunsetenv("XDG_CONFIG_HOME");
      return;
    }
    QProcess validate;
    validate.start("desktop-file-validate", {entry});
    QVERIFY(validate.waitForFinished(10000));
    QCOMPARE(validate.readAllStandardOutput() + validate.readAllStandardError(), QByteArray());
    QCOMPARE(validate.exitCode(), 0);
    QProcess glib;
    glib.start(PEER_PYTHON, {"-c", "import sys, json, gi\n"
                                   "gi.require_version('GLib', '2.0')\n"
                                   "from gi.repository import GLib\n"
                                   "entry = GLib.KeyFile()\n"
                                   "entry.load_from_file(sys.argv[1], GLib.KeyFileFlags.NONE)\n"
                                   "ok, argv = GLib.shell_parse_argv(entry.get_string('Desktop Entry', 'Exec'))\n"
                                   "print(json.dumps([word.replace('%%', '%') for word in argv]))\n",
                             entry});
    QVERIFY(glib.waitForFinished(10000));
    QCOMPARE(glib.exitCode(), 0);
    const QJsonArray words = QJsonDocument::fromJson(glib.readAllStandardOutput()).array();
    QCOMPARE(words, (QJsonArray{QCoreApplication::applicationFilePath(), "--tray", QString::fromStdString(folder)}));
    window_->StartAtLoginAction()->setChecked(false);
    QVERIFY(!QFile::exists(entry));
    QVERIFY(!app::StartsAtLogin());
    qunsetenv("XDG_CONFIG_HOME");
  }

  // A link where the entry used to be written first is never written through.
  void startAtLoginWritesNoLink() {
    qputenv("XDG_CONFIG_HOME", folder_->filePath("config").toUtf8());
    Themes(QDate(2024, 7, 4));
    Start();
    QVERIFY(QDir().mkpath(folder_->filePath("config/autostart")));
    Settings("[THEMES]\nThemeLINES=0\n");
    const QString victim = File("Vornel.Ini");
    QVERIFY(QFile::link(victim, QString::fromStdString(app::AutostartFile().string()) + ".partial"));
    window_->StartAtLoginAction()->setChecked(true);
    QVERIFY(app::StartsAtLogin());
    QFile kept(victim);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("[THEMES]\nThemeLINES=0\n"));
    qunsetenv("XDG_CONFIG_HOME");
  }
};

QTEST_MAIN(DeliveryTest)
#include "delivery_test.moc"
