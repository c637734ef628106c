#pragma once
// Notifications through org.freedesktop.Notifications on the session bus. Nothing assumes a
// server: a desktop without one, or without a session bus, gives a reason instead. The calls
// never wait on the bus: a server that hangs must not hang the window at midnight.

#include <QObject>

#include "app/core/services.h"

namespace vornelle::app {

class DesktopNotifications : public QObject, public Notifications {
 public:
  // A server that does not answer within this time counts as none.
  static constexpr int kTimeoutMs = 5000;

  using QObject::QObject;
  // Asks the server for its capabilities and then sends, each call answered in the event loop.
  // Calls still under way when this object goes are dropped unanswered.
  void Notify(const std::string& summary, const std::string& plain_body, const std::string& markup_body,
              Done done) override;
};

}  // namespace vornelle::app
