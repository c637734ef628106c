#pragma once
// Changing records, and the locks that guard changes on tables shared with other programs.

#include <cstdint>

#include "engine/state.h"

namespace vornelle::engine {

void Replace();    // writes the typed record buffer over the current record
void Append();     // adds the typed record buffer as a new last record
void DeleteRec();  // marks the current record deleted
void RecallRec();  // clears the deletion mark

bool ALock();  // the append lock
bool RLock();  // a lock on the current record
bool IsLocked(int32_t recno);
// A record number, or -1 the oldest lock, -2 the newest, -3 all record locks.
bool UnlockRec(int32_t recno);
void Unlock();  // every lock of the current work area

// Used by closing: the append region is held while a shared table's end is rewritten, so that
// no other program's append lands between the recount and the end mark.
bool LockAppendRegionForClose(WorkArea& wa);
void UnlockAppendRegionAfterClose(WorkArea& wa);

}  // namespace vornelle::engine
