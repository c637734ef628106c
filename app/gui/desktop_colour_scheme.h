#pragma once
// DesktopColourScheme: whether the desktop prefers dark or light colours, and a palette for it.
// The preference comes from the XDG desktop portal (org.freedesktop.portal.Settings, namespace
// org.freedesktop.appearance, key color-scheme: 1 dark, 2 light) and is followed live through
// its SettingChanged signal; without a portal, or with no preference, the platform palette's
// lightness decides.

#include <QObject>
#include <QPalette>
#include <optional>

class QDBusVariant;

namespace vornelle::app {

class DesktopColourScheme : public QObject {
  Q_OBJECT

 public:
  // Reads the portal (waiting at most a moment for it) and listens for its changes.
  explicit DesktopColourScheme(QObject* parent = nullptr);

  bool Dark() const;
  // The platform's palette when its lightness agrees with the preference, else a palette of
  // ours for it.
  QPalette Palette() const;
  // The palette the platform gave the application before anyone changed it.
  static const QPalette& PlatformPalette();

 Q_SIGNALS:
  void SchemeChanged();

 private Q_SLOTS:
  void SettingChanged(const QString& name_space, const QString& key, const QDBusVariant& value);

 private:
  std::optional<bool> portal_dark_;  // none: no portal, or no preference
};

}  // namespace vornelle::app
