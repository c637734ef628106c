#pragma once
// Notifications through org.freedesktop.Notifications on the session bus. Nothing assumes a
// server: a desktop without one, or without a session bus, gives a reason instead.

#include "app/core/services.h"

namespace vornelle::app {

class DesktopNotifications : public Notifications {
 public:
  // A server that does not answer within this time counts as none.
  static constexpr int kTimeoutMs = 5000;

  bool Notify(const std::string& summary, const std::string& plain_body, const std::string& markup_body,
              std::string& why) override;
};

}  // namespace vornelle::app
