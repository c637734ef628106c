#include "app/gui/desktop_colour_scheme.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QGuiApplication>

namespace vornelle::app {

namespace {

constexpr const char* kService = "org.freedesktop.portal.Desktop";
constexpr const char* kPath = "/org/freedesktop/portal/desktop";
constexpr const char* kInterface = "org.freedesktop.portal.Settings";
constexpr const char* kNamespace = "org.freedesktop.appearance";
constexpr const char* kKey = "color-scheme";
// A portal that has not answered by then counts as none.
constexpr int kReadTimeoutMs = 1000;

// color-scheme as a preference: 1 dark, 2 light, anything else none. Read wraps the value in
// a second variant; the signal does not.
std::optional<bool> Preference(QVariant value) {
  while (value.canConvert<QDBusVariant>() && value.userType() == qMetaTypeId<QDBusVariant>())
    value = value.value<QDBusVariant>().variant();
  if (value.userType() == qMetaTypeId<QDBusArgument>()) return std::nullopt;
  bool ok = false;
  const uint scheme = value.toUInt(&ok);
  if (!ok || (scheme != 1 && scheme != 2)) return std::nullopt;
  return scheme == 1;
}

bool IsDark(const QPalette& palette) { return palette.color(QPalette::Window).lightness() < 128; }

// Our palettes, for a preference the platform's palette does not follow.
QPalette OwnPalette(bool dark) {
  if (!dark) return QPalette(QColor(0xEF, 0xEF, 0xEF), QColor(0xF7, 0xF7, 0xF7));
  QPalette palette(QColor(0x35, 0x35, 0x35), QColor(0x2B, 0x2B, 0x2B));
  palette.setColor(QPalette::Base, QColor(0x1E, 0x1E, 0x1E));
  palette.setColor(QPalette::AlternateBase, QColor(0x2A, 0x2A, 0x2A));
  palette.setColor(QPalette::WindowText, QColor(0xE8, 0xE8, 0xE8));
  palette.setColor(QPalette::Text, QColor(0xE8, 0xE8, 0xE8));
  palette.setColor(QPalette::ButtonText, QColor(0xE8, 0xE8, 0xE8));
  palette.setColor(QPalette::BrightText, Qt::white);
  palette.setColor(QPalette::Highlight, QColor(0x3D, 0x7A, 0xD6));
  palette.setColor(QPalette::HighlightedText, Qt::white);
  palette.setColor(QPalette::Link, QColor(0x8A, 0xB4, 0xF8));
  palette.setColor(QPalette::ToolTipBase, QColor(0x35, 0x35, 0x35));
  palette.setColor(QPalette::ToolTipText, QColor(0xE8, 0xE8, 0xE8));
  palette.setColor(QPalette::PlaceholderText, QColor(0x9A, 0x9A, 0x9A));
  for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
    palette.setColor(QPalette::Disabled, role, QColor(0x80, 0x80, 0x80));
  return palette;
}

}  // namespace

const QPalette& DesktopColourScheme::PlatformPalette() {
  static const QPalette platform = QGuiApplication::palette();
  return platform;
}

DesktopColourScheme::DesktopColourScheme(QObject* parent) : QObject(parent) {
  PlatformPalette();  // remembered before the application's palette is changed
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return;
  QDBusMessage read = QDBusMessage::createMethodCall(kService, kPath, kInterface, "Read");
  read << QString::fromLatin1(kNamespace) << QString::fromLatin1(kKey);
  const QDBusMessage reply = bus.call(read, QDBus::Block, kReadTimeoutMs);
  if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
    portal_dark_ = Preference(reply.arguments().front());
  bus.connect(kService, kPath, kInterface, "SettingChanged", this,
              SLOT(SettingChanged(QString, QString, QDBusVariant)));
}

bool DesktopColourScheme::Dark() const { return portal_dark_.value_or(IsDark(PlatformPalette())); }

QPalette DesktopColourScheme::Palette() const {
  return IsDark(PlatformPalette()) == Dark() ? PlatformPalette() : OwnPalette(Dark());
}

void DesktopColourScheme::SettingChanged(const QString& name_space, const QString& key, const QDBusVariant& value) {
  if (name_space != kNamespace || key != kKey) return;
  const bool was_dark = Dark();
  portal_dark_ = Preference(value.variant());
  if (Dark() != was_dark) Q_EMIT SchemeChanged();
}

}  // namespace vornelle::app
