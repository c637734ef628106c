#include "app/gui/desktop_notifications.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QStringList>
#include <QVariantMap>
#include <functional>

namespace vornelle::app {

namespace {

constexpr const char* kService = "org.freedesktop.Notifications";
constexpr const char* kPath = "/org/freedesktop/Notifications";

std::string Reason(const QDBusMessage& reply) {
  return reply.errorMessage().isEmpty() ? reply.errorName().toStdString() : reply.errorMessage().toStdString();
}

// Makes the call and hands its answer, or the reason there is none, to `answered` from the
// event loop.
void CallLater(QDBusConnection bus, const QDBusMessage& call, QObject* owner,
               std::function<void(const QDBusMessage& reply)> answered) {
  auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, DesktopNotifications::kTimeoutMs), owner);
  QObject::connect(watcher, &QDBusPendingCallWatcher::finished, owner,
                   [answered = std::move(answered)](QDBusPendingCallWatcher* finished) {
                     finished->deleteLater();
                     answered(finished->reply());
                   });
}

}  // namespace

void DesktopNotifications::Notify(const std::string& summary, const std::string& plain_body,
                                  const std::string& markup_body, Done done) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) {
    done("no session bus: " + bus.lastError().message().toStdString());
    return;
  }
  const QDBusMessage ask = QDBusMessage::createMethodCall(kService, kPath, kService, "GetCapabilities");
  CallLater(bus, ask, this, [this, bus, summary, plain_body, markup_body, done](const QDBusMessage& capabilities) {
    if (capabilities.type() != QDBusMessage::ReplyMessage) return done(Reason(capabilities));
    const bool markup = !capabilities.arguments().isEmpty() &&
                        capabilities.arguments().front().toStringList().contains("body-markup");
    QDBusMessage notify = QDBusMessage::createMethodCall(kService, kPath, kService, "Notify");
    notify << QStringLiteral("Vornelle") << 0u << QStringLiteral("vornelle") << QString::fromStdString(summary)
           << QString::fromStdString(markup ? markup_body : plain_body) << QStringList() << QVariantMap() << -1;
    CallLater(bus, notify, this, [done](const QDBusMessage& sent) {
      done(sent.type() == QDBusMessage::ReplyMessage ? std::string() : Reason(sent));
    });
  });
}

}  // namespace vornelle::app
