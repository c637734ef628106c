// The desktop services the calendar talks to, for tests on a private session bus: a notification
// server that prints each notification it is sent, and a tray host (a StatusNotifierWatcher
// that says a host is there), so that Qt offers a system tray under Xvfb.
//   fake_desktop [--markup]   prints "ready" once both names are taken, then a line
//                             "NOTIFY<TAB>app<TAB>icon<TAB>summary<TAB>body" per notification
//                             (line ends in the body as \n), and "end" when its input closes.
// --markup: the server's capabilities list body-markup.

#include <unistd.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusError>
#include <QSocketNotifier>
#include <QStringList>
#include <QVariantMap>
#include <cstdio>

namespace {

void Print(const QString& line) {
  std::printf("%s\n", line.toUtf8().constData());
  std::fflush(stdout);
}

class Notifications : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

 public:
  explicit Notifications(bool markup) : markup_(markup) {}

 public Q_SLOTS:
  QStringList GetCapabilities() {
    return markup_ ? QStringList{"body", "body-markup"} : QStringList{"body"};
  }
  uint Notify(const QString& app, uint, const QString& icon, const QString& summary, const QString& body,
              const QStringList&, const QVariantMap&, int) {
    Print(QStringList{"NOTIFY", app, icon, summary, QString(body).replace('\n', "\\n")}.join('\t'));
    return ++last_id_;
  }
  QString GetServerInformation(QString& vendor, QString& version, QString& spec) {
    vendor = "tests", version = "1", spec = "1.2";
    return "fake_desktop";
  }

 private:
  bool markup_;
  uint last_id_ = 0;
};

class Watcher : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
  Q_PROPERTY(bool IsStatusNotifierHostRegistered READ IsStatusNotifierHostRegistered)
  Q_PROPERTY(int ProtocolVersion READ ProtocolVersion)
  Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ RegisteredStatusNotifierItems)

 public:
  bool IsStatusNotifierHostRegistered() const { return true; }
  int ProtocolVersion() const { return 0; }
  QStringList RegisteredStatusNotifierItems() const { return items_; }

 public Q_SLOTS:
  void RegisterStatusNotifierItem(const QString& service) { items_ << service; }
  void RegisterStatusNotifierHost(const QString&) {}

 private:
  QStringList items_;
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  const bool markup = application.arguments().contains("--markup");
  QDBusConnection bus = QDBusConnection::sessionBus();
  Notifications notifications(markup);
  Watcher watcher;
  const auto exported = QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties;
  if (!bus.registerObject("/org/freedesktop/Notifications", &notifications, exported) ||
      !bus.registerService("org.freedesktop.Notifications") ||
      !bus.registerObject("/StatusNotifierWatcher", &watcher, exported) ||
      !bus.registerService("org.kde.StatusNotifierWatcher")) {
    Print("cannot register: " + bus.lastError().message());
    return 1;
  }
  // The test ends the services by closing their input.
  QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
  QObject::connect(&input, &QSocketNotifier::activated, [&] {
    char buffer[64];
    if (read(STDIN_FILENO, buffer, sizeof buffer) <= 0) {
      Print("end");
      application.quit();
    }
  });
  Print("ready");
  return QCoreApplication::exec();
}

#include "fake_desktop.moc"
