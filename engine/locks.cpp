// Append and record locks: byte ranges far beyond the end of any real file, so they never block
// a reader. A refused lock answers at once.

#include <algorithm>
#include <chrono>
#include <thread>

#include "engine/internal.h"
#include "engine/update.h"

namespace vornelle::engine {

namespace {

constexpr uint64_t kAppendByte = kLockBase + 1;

uint64_t RecordLockOffset(const WorkArea& wa, int32_t recno) {
  return kLockBase + static_cast<uint64_t>(static_cast<int64_t>(wa.header_length) +
                                           static_cast<int64_t>(recno - 1) * wa.record_length);
}

bool LocksApply(const WorkArea& wa) { return State().switches.network && !wa.exclusive; }

// The platform call: without network mode there is nothing to lock.
int LockBytes(WorkArea& wa, uint64_t offset, uint64_t length, bool lock) {
  if (!State().switches.network) return 0;
  return lock ? wa.file.LockRange(offset, length) : wa.file.UnlockRange(offset, length);
}

int LockRecord(WorkArea& wa, int32_t recno, bool lock) {
  return LockBytes(wa, RecordLockOffset(wa, recno), wa.record_length, lock);
}

}  // namespace

bool ALock() {
  WorkArea* wa = Guard("ALock");
  if (!wa) return false;
  if (wa->lock_kind == LockKind::Append) return true;
  if (wa->lock_kind == LockKind::Records) return false;
  if (LocksApply(*wa) && LockBytes(*wa, kAppendByte, 1, true) != 0) return false;
  wa->lock_kind = LockKind::Append;
  return true;
}

bool RLock() {
  WorkArea* wa = Guard("RLock");
  if (!wa) return false;
  if (wa->lock_kind == LockKind::Records && HoldsRecordLock(*wa, wa->recno)) return true;
  if (wa->lock_kind != LockKind::None && wa->lock_kind != LockKind::Records) return false;
  if (LocksApply(*wa) && LockRecord(*wa, wa->recno, true) != 0) return false;
  wa->record_locks.push_front(wa->recno);
  wa->lock_kind = LockKind::Records;
  return true;
}

bool HoldsRecordLock(const WorkArea& wa, int32_t recno) {
  return std::find(wa.record_locks.begin(), wa.record_locks.end(), recno) != wa.record_locks.end();
}

bool IsLocked(int32_t recno) {
  WorkArea* wa = Guard("IsLocked");
  return wa && HoldsRecordLock(*wa, recno);
}

bool UnlockRec(int32_t recno) {
  WorkArea* wa = Guard("UnlockRec");
  if (!wa) return false;
  auto& locks = wa->record_locks;
  auto release = [&](std::list<int32_t>::iterator it) {
    int rc = LocksApply(*wa) ? LockRecord(*wa, *it, false) : 0;
    locks.erase(it);
    if (locks.empty()) wa->lock_kind = LockKind::None;
    if (rc != 0) SetLastError(static_cast<int16_t>(rc));
    return rc == 0;
  };
  if (recno > 0) {
    for (auto it = locks.begin(); it != locks.end(); ++it)
      if (*it == recno) return release(it);
    SetLastError(220);
    State().error.context = "Record not locked. [UnlockRec(" + std::to_string(recno) + ")]";
    return false;
  }
  switch (recno) {
    case -1: return !locks.empty() && release(std::prev(locks.end()));
    case -2: return !locks.empty() && release(locks.begin());
    case -3: {
      bool all = true;
      while (!locks.empty()) all = release(locks.begin()) && all;
      return all;
    }
    default:
      Report(220, "[UnlockRec(" + std::to_string(recno) + ")]");
      return false;
  }
}

void Unlock() {
  ClearLastError();
  WorkArea* wa = Guard("Unlock");
  if (!wa) return;
  if (wa->lock_kind == LockKind::Records) UnlockRec(-3);
  if (wa->lock_kind == LockKind::Append && LocksApply(*wa)) LockBytes(*wa, kAppendByte, 1, false);
  wa->record_locks.clear();
  wa->lock_kind = LockKind::None;
}

bool LockAppendRegionForClose(WorkArea& wa) {
  if (!LocksApply(wa) || !wa.file.IsOpen()) return false;
  // Another program's append takes moments; past a second we write without the lock rather
  // than hang the close.
  for (int attempt = 0; attempt < 200; ++attempt) {
    if (wa.file.LockRange(kAppendByte, 1) == 0) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return false;
}

void UnlockAppendRegionAfterClose(WorkArea& wa) { wa.file.UnlockRange(kAppendByte, 1); }

}  // namespace vornelle::engine
