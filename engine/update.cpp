// Replace, Append, DeleteRec and RecallRec.

#include "engine/update.h"

#include <cstring>
#include <string_view>
#include <vector>

#include "engine/field_storage.h"
#include "engine/internal.h"
#include "engine/peek_cache.h"
#include "engine/record_codec.h"
#include "engine/record_io.h"
#include "engine/record_window.h"

namespace vornelle::engine {

namespace {

// Writes the deletion byte of the current record alone: the rest of the record is not rewritten.
void WriteDeletionByte(WorkArea& wa, bool deleted) {
  wa.typed[0] = deleted ? 1 : 0;
  wa.raw[0] = deleted ? '*' : ' ';
  std::size_t put = 0;
  int rc = wa.file.WriteAt(wa.RecordPosition(wa.recno), wa.raw.data(), 1, &put);
  if (rc == 0 && put < 1) rc = 101;
  if (rc != 0) {
    DropRecordWindow(wa);
    Report(rc, FileContext(wa) + " [DeleteRec/RecallRec]");
    return;
  }
  if (wa.file_state != FileState::Appended) wa.file_state = FileState::HeaderDirty;
  UpdatePeekCache(wa, wa.recno, 0, wa.raw.data(), 1);
  NoteRecordWritten(wa, wa.recno, 0, wa.raw.data(), 1);
}

// A field that counts its values up itself (autoincrement) takes them from its table's header.
// Its values are never changed, and a table whose count this engine does not keep (level 7's)
// takes no appends: both are refused before anything is written.
const FieldDesc* Autoincrement(const WorkArea& wa, bool uncounted_only = false) {
  for (const FieldDesc& f : wa.fields)
    if (f.autoincrement && (!uncounted_only || f.counter_at == 0)) return &f;
  return nullptr;
}

// An appended record's autoincrement values: the next value the header keeps, which moves on by
// its step first, so that an append stopped halfway leaves a gap, never one value twice. The
// append lock keeps other writers that share the table from counting at the same time.
bool CountUp(WorkArea& wa) {
  for (const FieldDesc& f : wa.fields) {
    if (!f.autoincrement) continue;
    uint8_t counter[5] = {};  // the next value, little-endian, then the step
    std::size_t got = 0, put = 0;
    int rc = wa.file.ReadAt(f.counter_at, counter, sizeof counter, &got);
    if (rc == 0 && got < sizeof counter) rc = 100;
    const uint32_t next = counter[0] | counter[1] << 8 | counter[2] << 16 | static_cast<uint32_t>(counter[3]) << 24;
    const uint32_t after = next + (counter[4] != 0 ? counter[4] : 1);  // a step of 0 would repeat
    for (int i = 0; i < 4; ++i) counter[i] = static_cast<uint8_t>(after >> (8 * i));
    if (rc == 0) rc = wa.file.WriteAt(f.counter_at, counter, 4, &put);
    if (rc == 0 && put < 4) rc = 101;
    if (rc != 0) {
      Report(rc, FileContext(wa) + " [APPEND]");
      return false;
    }
    PutInteger(f, wa.raw.data() + f.offset, static_cast<int32_t>(next));
  }
  return true;
}

void ReportAutoincrement(const WorkArea& wa, const FieldDesc& f, const char* routine) {
  const bool append = std::string_view(routine) == "APPEND";
  Report(1300, wa.file_name + ": field " + f.name + " [" + std::string(1, f.stored_type) +
                   "] counts its values up itself" +
                   (append ? ", in a header this program does not keep [" : "; they cannot be changed [") +
                   routine + "]");
}

// Packs the typed buffer into the raw record, unless that changes an autoincrement value: then
// the raw record is left as it was, the change reported, and false returned.
bool PackKeepingAutoincrement(WorkArea& wa) {
  const FieldDesc* counted = Autoincrement(wa);
  if (!counted) {
    PackRecord(wa);
    return true;
  }
  const std::vector<char> before = wa.raw;
  PackRecord(wa);
  for (const FieldDesc& f : wa.fields) {
    if (f.autoincrement && std::memcmp(before.data() + f.offset, wa.raw.data() + f.offset, f.length) != 0) {
      wa.raw = before;
      ReportAutoincrement(wa, f, "REPLACE");
      return false;
    }
  }
  return true;
}

// The end mark after the last record and the header's record count, as the table is now.
bool MarkTableEnd(WorkArea& wa) {
  int rc = WriteEndMark(wa);
  if (rc == 0) rc = RewriteHeader(wa);
  if (rc != 0) Report(rc, FileContext(wa) + " [APPEND/PutDbfHeader]");
  return rc == 0;
}

}  // namespace

void Replace() {
  ClearLastError();
  WorkArea* wa = Guard("Replace");
  if (!wa) return;
  if (wa->recno < 1) {
    Report(212, DatabaseName(*wa) + " is empty." + " [REPLACE]");
    return;
  }
  if (wa->recno > wa->record_count) {
    Report(212, DatabaseName(*wa) + " is at EOF." + " [REPLACE]");
    return;
  }
  if (!wa->exclusive && !HoldsRecordLock(*wa, wa->recno)) {
    Report(1200, "Record #" + std::to_string(wa->recno) + " in " + wa->file_name + " [REPLACE]");
    return;
  }
  if (!CheckStillInPlace(*wa, "REPLACE")) return;
  if (!PackKeepingAutoincrement(*wa)) return;
  if (!WriteRecord(*wa, wa->recno)) return;
  UnpackRecord(*wa);  // the buffer shows what is stored
  RunMovedHook(*wa);
}

void Append() {
  ClearLastError();
  WorkArea* wa = Guard("Append");
  if (!wa) return;
  if (State().switches.network && !wa->exclusive && wa->lock_kind != LockKind::Append) {
    Report(5, "File must be locked to append: " + wa->file_name + " [APPEND]");
    return;
  }
  if (const FieldDesc* uncounted = Autoincrement(*wa, true)) return ReportAutoincrement(*wa, *uncounted, "APPEND");
  if (!CheckStillInPlace(*wa, "APPEND")) return;
  wa->record_count = CountFromSize(*wa);
  PackRecord(*wa);
  if (!CountUp(*wa)) return;
  if (!WriteRecord(*wa, wa->record_count + 1)) return;
  // Other programs sharing the table count its records by the header and stop at the end mark:
  // a record they cannot see yet is as good as lost to them, and stays so should we be stopped
  // before the table is closed. The append lock keeps both true while we write them.
  if (!wa->exclusive && !MarkTableEnd(*wa)) return;
  UnpackRecord(*wa);
  wa->bof = wa->eof = false;
  RunMovedHook(*wa);
}

void DeleteRec() {
  ClearLastError();
  WorkArea* wa = Guard("DeleteRec");
  if (!wa) return;
  if (!wa->exclusive && (wa->lock_kind == LockKind::Append || !HoldsRecordLock(*wa, wa->recno))) {
    Report(1200, wa->file_name + " " + "Record not locked " + "[DeleteRec]");
    return;
  }
  if (wa->recno >= 1 && wa->recno <= wa->record_count && CheckStillInPlace(*wa, "DeleteRec"))
    WriteDeletionByte(*wa, true);
}

void RecallRec() {
  ClearLastError();
  WorkArea* wa = Guard("RecallRec");
  if (!wa) return;
  if (!wa->exclusive && (wa->lock_kind == LockKind::Append || !HoldsRecordLock(*wa, wa->recno))) {
    Report(1200, "Record not locked [RecallRec]");
    return;
  }
  Recount(*wa);
  if (wa->recno >= 1 && wa->recno <= wa->record_count) {
    if (CheckStillInPlace(*wa, "RecallRec")) WriteDeletionByte(*wa, false);
  } else {
    Report(1103, wa->file_name + " at EOF [RecallRec]");
  }
}

}  // namespace vornelle::engine
