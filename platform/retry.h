#pragma once
// Waiting for what another program holds for a moment (a record or append lock): tried again
// and again, for a bounded time, never blocking without end.

#include <chrono>
#include <functional>

namespace vornelle::platform {

// How long a change waits for a lock another program holds: its appends and writes take
// moments, so this long means the other program is stuck or keeps the lock.
inline constexpr std::chrono::milliseconds kLockWait{10000};

// Calls `attempt` until it returns true or `limit` has passed, pausing a few milliseconds
// between calls (with jitter, so that two waiters do not take turns in step). True when an
// attempt succeeded.
bool TryUntil(const std::function<bool()>& attempt, std::chrono::milliseconds limit = kLockWait);

}  // namespace vornelle::platform
