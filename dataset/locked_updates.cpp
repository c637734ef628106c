// TTzFileDataSet: appending, replacing, deleting and recalling records under the engine's
// append and record locks. A lock another program holds is offered to the operation's
// lock-failure event, which may ask for another try; without a handler the user is told. When
// no try got the lock, the record stays as it was and the operation ends with EAbort.

#include "dataset/file_dataset.h"
#include "dataset/messages.h"
#include "engine/engine.h"
#include "platform/codepage.h"
#include "platform/exception.h"
#include "platform/format.h"
#include "platform/message_box.h"

namespace vornelle::dataset {

bool TTzFileDataSet::LockForChange(bool append) {
  if (!CanModify()) return false;
  if (!append) SyncCursor();
  SelectWorkArea("LockForChange");
  return append ? engine::ALock() : engine::RLock();
}

void TTzFileDataSet::ReleaseLocks() {
  SelectWorkArea("ReleaseLocks");
  engine::Unlock();
}

bool TTzFileDataSet::FileReplaced() {
  SelectWorkArea("FileReplaced");
  return engine::TableReplaced();
}

void TTzFileDataSet::s_AppendWithLock() { UpdateWithLock(Update::Append); }
void TTzFileDataSet::s_DeleteWithLock() { UpdateWithLock(Update::Delete); }
void TTzFileDataSet::s_ReplaceWithLock() { UpdateWithLock(Update::Replace); }
void TTzFileDataSet::s_RestoreWithLock() { UpdateWithLock(Update::Restore); }

void TTzFileDataSet::UpdateWithLock(Update update) {
  if (!CanModify()) return;
  struct Kind {
    const char* operation;
    const char* action;  // the name in the lock-failure message
    TTzLockFailedEvent* event;
  };
  const Kind kind = update == Update::Append    ? Kind{"s_AppendWithLock", "Insert", &OnALockFailedOnInsert}
                    : update == Update::Delete  ? Kind{"s_DeleteWithLock", "Delete", &OnRLockFailedOnDelete}
                    : update == Update::Replace ? Kind{"s_ReplaceWithLock", "Post", &OnRLockFailedOnPost}
                                                : Kind{"s_RestoreWithLock", "Restore", &OnRLockFailedOnRestore};
  SelectWorkArea(kind.operation);
  bool retry = false;
  do {
    retry = false;
    const bool locked = update == Update::Append ? engine::ALock() : engine::RLock();
    if (locked) {
      try {
        switch (update) {
          case Update::Append: engine::Append(); break;
          case Update::Delete: engine::DeleteRec(); break;
          case Update::Replace: engine::Replace(); break;
          case Update::Restore: engine::RecallRec(); break;
        }
      } catch (...) {
        // The engine raised its failure: the locks must not outlive the change.
        engine::Unlock();
        throw;
      }
      if (const int16_t code = engine::LastError(); code != 0) {
        // The change failed: give the locks back and leave the code for the caller.
        engine::Unlock();
        engine::SetLastError(code);
        return;
      }
      // A record the change made invisible gives way to the next visible one; the locks go
      // with the move. Otherwise they are released here.
      if (update == Update::Restore || !engine::RepositionAfterChange()) engine::Unlock();
      return;
    }
    if (*kind.event) {
      (*kind.event)(*this, retry);
      SelectWorkArea(kind.operation);
    } else {
      platform::ShowMessage(platform::OemToAnsi(platform::Format(msg::kLockFailed, kind.action)));
    }
  } while (retry);
  // The record was not changed: the operation ends here, quietly, and its caller can tell
  // (an edit stays in edit state; no After event claims a change that did not happen).
  throw platform::EAbort();
}

}  // namespace vornelle::dataset
