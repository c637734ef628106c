#include "app/gui/desktop_notifications.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>
#include <optional>

namespace vornelle::app {

namespace {

constexpr const char* kService = "org.freedesktop.Notifications";
constexpr const char* kPath = "/org/freedesktop/Notifications";

// A call's answer, or nothing with the reason in `why`.
std::optional<QDBusMessage> Call(QDBusConnection& bus, const QDBusMessage& call, std::string& why) {
  const QDBusMessage reply = bus.call(call, QDBus::Block, DesktopNotifications::kTimeoutMs);
  if (reply.type() == QDBusMessage::ReplyMessage) return reply;
  why = reply.errorMessage().isEmpty() ? reply.errorName().toStdString() : reply.errorMessage().toStdString();
  return std::nullopt;
}

}  // namespace

bool DesktopNotifications::Notify(const std::string& summary, const std::string& plain_body,
                                  const std::string& markup_body, std::string& why) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) {
    why = "no session bus: " + bus.lastError().message().toStdString();
    return false;
  }
  const auto capabilities =
      Call(bus, QDBusMessage::createMethodCall(kService, kPath, kService, "GetCapabilities"), why);
  if (!capabilities) return false;
  const bool markup = !capabilities->arguments().isEmpty() &&
                      capabilities->arguments().front().toStringList().contains("body-markup");
  QDBusMessage notify = QDBusMessage::createMethodCall(kService, kPath, kService, "Notify");
  notify << QStringLiteral("Vornelle") << 0u << QStringLiteral("vornelle") << QString::fromStdString(summary)
         << QString::fromStdString(markup ? markup_body : plain_body) << QStringList() << QVariantMap() << -1;
  return Call(bus, notify, why).has_value();
}

}  // namespace vornelle::app
