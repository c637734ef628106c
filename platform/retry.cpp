#include "platform/retry.h"

#include <random>
#include <thread>

namespace vornelle::platform {

bool TryUntil(const std::function<bool()>& attempt, std::chrono::milliseconds limit) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + limit;
  std::minstd_rand jitter(static_cast<unsigned>(Clock::now().time_since_epoch().count()));
  while (!attempt()) {
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2 + jitter() % 8));
  }
  return true;
}

}  // namespace vornelle::platform
