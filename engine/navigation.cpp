// Record movement with its BOF/EOF rules, deleted-record skipping and filters.

#include "engine/navigation.h"

#include <algorithm>

#include "engine/filter.h"
#include "engine/internal.h"
#include "engine/record_codec.h"
#include "engine/record_io.h"

namespace vornelle::engine {

namespace {

// The position after the last record, with nothing passing before or after it.
void GoPhantom(WorkArea& wa) {
  ClearRecordOf(wa);
  wa.recno = wa.record_count + 1;
  wa.bof = wa.eof = true;
}

// Reads record n going forward, and whether it passes. A record the filter's byte test rejects
// is left packed: a filtered scan unpacks only the records it keeps.
bool ReadForward(WorkArea& wa, int32_t n, bool* passes) {
  if (!ReadRecord(wa, n, ReadAhead::Forward)) return false;
  if (RawFilterRejects(wa)) {
    *passes = false;
    return true;
  }
  UnpackRecord(wa);
  *passes = RecordPasses(wa);
  return true;
}

}  // namespace

void GoTop() {
  ClearLastError();
  WorkArea* wa = Guard("GoTop");
  if (!wa) return;
  // Records another program appended show from the top too, not only once a scan passes the
  // count it knew: a filter that passes none of the known records still sees them. A file
  // shorter than its count is left to fail its reads, as it does when opened.
  if (!wa->exclusive) wa->record_count = std::max(wa->record_count, CountFromSize(*wa));
  if (wa->record_count == 0) return;
  MoveScope move(*wa);
  bool passes = false;
  // Records the filter's byte test rejects are passed over in the window itself.
  for (int32_t next = FirstRawCandidate(*wa, 1); !passes && LastError() == 0;
       next = FirstRawCandidate(*wa, wa->recno + 1)) {
    if (next > wa->record_count) {
      GoPhantom(*wa);
      break;
    }
    if (!ReadForward(*wa, next, &passes)) return;
  }
  RunMovedHook(*wa);
}

void GoBottom() {
  ClearLastError();
  WorkArea* wa = Guard("GoBottom");
  if (!wa) return;
  Recount(*wa);
  if (wa->record_count == 0) return;
  MoveScope move(*wa);
  // Going back, too, records the filter's byte test rejects are passed over in the window.
  int32_t last = LastRawCandidate(*wa, wa->record_count);
  if (last >= 1 && !ReadAndUnpack(*wa, last, ReadAhead::Backward)) return;
  while ((last < 1 || !RecordPasses(*wa)) && LastError() == 0) {
    last = last < 1 || wa->bof ? 0 : LastRawCandidate(*wa, wa->recno - 1);
    if (last < 1) {
      GoPhantom(*wa);
      break;
    }
    if (!ReadAndUnpack(*wa, last, ReadAhead::Backward)) return;
  }
  RunMovedHook(*wa);
}

void Skip(int32_t n) {
  ClearLastError();
  WorkArea* wa = Guard("SKIP()");
  if (!wa) return;
  if (n == 0) {
    // Re-reading the current record refreshes a changed record, skip-deleted flag or filter.
    if (wa->record_count < 1 || wa->eof)
      ClearRecordOf(*wa);
    else if (!ReadAndUnpack(*wa, wa->recno))
      return;
    RunMovedHook(*wa);
    return;
  }
  if (n > 0 && wa->eof) {
    Report(212, DatabaseName(*wa) + " is past EOF." + " [SKIP]");
    return;
  }
  if (wa->record_count == 0) {
    wa->bof = wa->eof = true;
    Report(212, DatabaseName(*wa) + " is empty." + " [SKIP]");
    return;
  }
  if (n < 0 && wa->bof) return;

  const bool forwards = n > 0;
  MoveScope move(*wa);
  wa->bof = wa->eof = false;
  int32_t last_good = wa->record_count + 1;
  int32_t moved = 0;
  bool at_end = false;
  bool while_failed = false;
  while (true) {
    if (forwards) {
      // Records the filter's byte test rejects are passed over in the window itself.
      int32_t next = FirstRawCandidate(*wa, wa->recno + 1);
      // Other programs' appends only matter once we pass the count we know.
      if (next > wa->record_count) Recount(*wa);
      if (next > wa->record_count) {
        at_end = true;
      } else {
        bool passes = false;
        if (!ReadForward(*wa, next, &passes)) return;
        if (passes) ++moved;
      }
    } else {
      if (RecordPasses(*wa) && WhileHolds(*wa)) last_good = wa->recno;
      // Records the filter's byte test rejects are passed over in the window itself.
      const int32_t previous = wa->recno <= 1 ? 0 : LastRawCandidate(*wa, std::min(wa->recno - 1, wa->record_count));
      if (previous < 1) {
        at_end = true;
      } else {
        if (!ReadAndUnpack(*wa, previous, ReadAhead::Backward)) return;
        if (RecordPasses(*wa)) --moved;
      }
    }
    if (at_end) break;
    // The record just read ends the scan when it fails the while condition.
    if ((wa->host_while || wa->while_expr) && !WhileHolds(*wa)) {
      while_failed = true;
      break;
    }
    if (moved == n) break;
  }

  if (at_end) {
    if (forwards) {
      wa->recno = wa->record_count + 1;
      wa->eof = true;
      ClearRecordOf(*wa);
    } else {
      GoTop();
      if (LastError() != 0) return;
      wa->bof = true;
      if (wa->eof) ClearRecordOf(*wa);
    }
  } else if (while_failed) {
    if (forwards) {
      wa->eof = true;
    } else if (last_good > wa->record_count) {
      wa->recno = wa->record_count + 1;
      wa->bof = true;
      ClearRecordOf(*wa);
    } else {
      if (!ReadAndUnpack(*wa, last_good)) return;
      wa->bof = true;
    }
  }
  RunMovedHook(*wa);
}

bool SkipStoredOnly() {
  WorkArea* wa = Current();
  if (!wa || wa->eof || wa->record_count == 0 || wa->filter || wa->host_filter || wa->host_while ||
      wa->while_expr || wa->moved_hook) {
    Skip(1);
    return LastError() == 0 && !dEOF();
  }
  ClearLastError();
  MoveScope move(*wa);
  wa->bof = false;
  for (int32_t next = wa->recno + 1;; ++next) {
    // Other programs' appends only matter once we pass the count we know.
    if (next > wa->record_count) Recount(*wa);
    if (next > wa->record_count) {
      wa->recno = wa->record_count + 1;
      wa->eof = true;
      ClearRecordOf(*wa);
      return false;
    }
    if (!ReadRecord(*wa, next, ReadAhead::Forward)) return false;
    if (!wa->skip_deleted || wa->raw[0] != '*') return true;
  }
}

void Go(int32_t n) {
  WorkArea* wa = Guard("GO()");
  if (!wa) return;
  ClearLastError();
  if (n > wa->record_count) Recount(*wa);
  const std::string context = "Invalid record number = " + std::to_string(n) + " " +
                              DatabaseName(*wa) + " [GO]";
  if (wa->record_count == 0) {
    wa->bof = wa->eof = true;
    ClearRecordOf(*wa);
    Report(212, context);
    return;
  }
  wa->bof = wa->eof = false;
  if (n >= 1 && n <= wa->record_count) {
    if (!ReadAndUnpack(*wa, n)) return;
    RunMovedHook(*wa);
    return;
  }
  wa->recno = wa->record_count + 1;  // the buffers keep what they held
  wa->eof = true;
  Report(212, context);
}

bool SafeGo(int32_t n) {
  if (n <= 0 || n > RecCount()) return false;
  Go(n);
  return true;
}

void Dbf4RawGo(int32_t n) {
  ClearLastError();
  WorkArea* wa = Guard("Dbf4RawGo");
  if (!wa) return;
  if (n > wa->record_count) {
    wa->recno = wa->record_count + 1;
    wa->eof = true;
    ClearRecordOf(*wa);
    return;
  }
  if (n <= 0) {
    Report(212, " [Dbf4RawGo]");
    return;
  }
  int code = ReadRecordCode(*wa, n);
  if (code != 0) {
    Report(code, " [Dbf4RawGo]");
    return;
  }
  UnpackRecord(*wa);
}

void GoTopWhile() {
  WorkArea* wa = Guard("GoTop");
  if (!wa || wa->record_count == 0) return;
  if (!IsWhileOn()) return GoTop();
  RecordMovedFn hook = SetRecordMovedHook(nullptr);
  while (!dBOF() && LastError() == 0) Skip(-1);
  if (LastError() == 0) Skip(0);
  SetRecordMovedHook(hook);
}

void GoBottomWhile() {
  WorkArea* wa = Guard("GoBottom");
  if (!wa || wa->record_count == 0) return;
  if (!IsWhileOn()) return GoBottom();
  RecordMovedFn hook = SetRecordMovedHook(nullptr);
  while (!dEOF() && LastError() == 0) Skip(1);
  if (LastError() == 0) Skip(-1);
  SetRecordMovedHook(hook);
}

bool dEOF() {
  WorkArea* wa = Guard("dEOF");
  if (!wa) return true;
  // Appends only ever raise the count, so the file is asked only when we stand beyond it.
  if (wa->recno > wa->record_count) Recount(*wa);
  if (wa->record_count < wa->recno) wa->eof = true;
  return wa->eof;
}

bool dBOF() {
  WorkArea* wa = Guard("dBOF");
  return wa ? wa->bof : true;
}

int32_t RecCount() {
  WorkArea* wa = Guard("RecCount");
  if (!wa) return 0;
  Recount(*wa);
  return wa->record_count;
}

int32_t HeaderRecCount() {
  WorkArea* wa = Guard("HeaderRecCount");
  if (!wa) return 0;
  return HeaderRecordCount(*wa);
}

int32_t RecNo() {
  WorkArea* wa = Guard("RecNo");
  return wa ? wa->recno : 0;
}

uint16_t RecSize() {
  WorkArea* wa = Guard("RecSize");
  return wa ? wa->record_length : 0;
}

void ClearRecord() {
  WorkArea* wa = Guard("ClearRecord");
  if (wa) ClearRecordOf(*wa);
}

bool SetIgnoreDel(bool skip_deleted) {
  WorkArea* wa = Guard("SetIgnoreDel");
  if (!wa) return false;
  bool old = wa->skip_deleted;
  wa->skip_deleted = skip_deleted;
  Skip(0);
  return old;
}

bool IsWhileOn() {
  WorkArea* wa = Guard("IsWhileOn");
  return wa && (wa->host_while != nullptr || wa->while_expr != nullptr);
}

RecordMovedFn SetRecordMovedHook(RecordMovedFn hook) {
  WorkArea* wa = Current();
  if (!wa) return nullptr;
  RecordMovedFn old = wa->moved_hook;
  wa->moved_hook = hook;
  return old;
}

void SetFilterRoutine(HostTestFn routine, void* user) {
  if (WorkArea* wa = Current()) {
    wa->host_filter = routine;
    wa->filter_user = user;
    if (routine) wa->raw_filter.reset();  // the routine decides now, not the expression
  }
}

void SetWhileRoutine(HostTestFn routine, void* user) {
  if (WorkArea* wa = Current()) {
    wa->host_while = routine;
    wa->while_user = user;
  }
}

}  // namespace vornelle::engine
