// The desktop services the calendar talks to, for tests on a private session bus: a notification
// server that prints each notification it is sent, a tray host (a StatusNotifierWatcher that
// says a host is there, so that Qt offers a system tray under Xvfb), and the desktop portal's
// colour-scheme setting.
//   fake_desktop [--markup] [--hang] [--scheme N]
// prints "ready" once every name is taken, then a line
// "NOTIFY<TAB>app<TAB>icon<TAB>summary<TAB>body" per notification (line ends in the body as
// \n), and "end" when its input closes. --markup: the server's capabilities list body-markup.
// --hang: the notification server never answers, as a hung one does.
// --scheme: the portal's color-scheme (0 none, 1 dark, 2 light); a line "scheme N" on its input
// changes it and sends SettingChanged.

#include <unistd.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusVariant>
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
  Notifications(bool markup, bool hang) : markup_(markup), hang_(hang) {}

 public Q_SLOTS:
  QStringList GetCapabilities(const QDBusMessage& call) {
    if (hang_) call.setDelayedReply(true);  // and no reply ever comes
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
  bool markup_, hang_;
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

class PortalSettings : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Settings")

 public:
  explicit PortalSettings(uint scheme) : scheme_(scheme) {}
  void SetScheme(uint scheme) {
    scheme_ = scheme;
    Q_EMIT SettingChanged("org.freedesktop.appearance", "color-scheme", QDBusVariant(scheme_));
  }

 public Q_SLOTS:
  // As portals answer: the value in a variant of its own.
  QDBusVariant Read(const QString& name_space, const QString& key) {
    if (name_space == "org.freedesktop.appearance" && key == "color-scheme")
      return QDBusVariant(QVariant::fromValue(QDBusVariant(scheme_)));
    return QDBusVariant(QString());
  }

 Q_SIGNALS:
  void SettingChanged(const QString& name_space, const QString& key, const QDBusVariant& value);

 private:
  uint scheme_;
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  const bool markup = application.arguments().contains("--markup");
  QDBusConnection bus = QDBusConnection::sessionBus();
  Notifications notifications(markup, application.arguments().contains("--hang"));
  Watcher watcher;
  const qsizetype scheme_at = application.arguments().indexOf("--scheme");
  PortalSettings portal(scheme_at > 0 ? application.arguments().value(scheme_at + 1).toUInt() : 0);
  const auto exported = QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties |
                        QDBusConnection::ExportAllSignals;
  if (!bus.registerObject("/org/freedesktop/Notifications", &notifications, exported) ||
      !bus.registerService("org.freedesktop.Notifications") ||
      !bus.registerObject("/StatusNotifierWatcher", &watcher, exported) ||
      !bus.registerService("org.kde.StatusNotifierWatcher") ||
      !bus.registerObject("/org/freedesktop/portal/desktop", &portal, exported) ||
      !bus.registerService("org.freedesktop.portal.Desktop")) {
    Print("cannot register: " + bus.lastError().message());
    return 1;
  }
  // The test changes the scheme with lines on the input, and ends the services by closing it.
  QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
  QByteArray pending;
  QObject::connect(&input, &QSocketNotifier::activated, [&] {
    char buffer[256];
    const ssize_t got = read(STDIN_FILENO, buffer, sizeof buffer);
    if (got <= 0) {
      input.setEnabled(false);
      Print("end");
      application.quit();
      return;
    }
    pending.append(buffer, got);
    for (qsizetype end = pending.indexOf('\n'); end >= 0; end = pending.indexOf('\n')) {
      const QByteArray line = pending.left(end);
      pending.remove(0, end + 1);
      if (line.startsWith("scheme ")) portal.SetScheme(line.mid(7).toUInt());
    }
  });
  Print("ready");
  return QCoreApplication::exec();
}

#include "fake_desktop.moc"
