#pragma once
// Reading records ahead, so that a scan costs one kernel call per run of records rather than
// one per record, without hiding what other programs write.
//
// A move (GoTop, GoBottom, Skip) may read the records it tests and passes over together: no
// lock orders a reader against writers, so one read of many records is as correct as many
// reads of one. On a shared table the window lives only as long as the move, so the record a
// move stops on shows what was in the file when that move began or later. On a table open
// deny-all (exclusive) no other program can write, so the window lasts across moves, and the
// area's own writes keep it in step.

#include <cstddef>
#include <cstdint>

#include "engine/state.h"

namespace vornelle::engine {

// Which way a move goes, for reading ahead; None reads the one record asked for.
enum class ReadAhead : uint8_t { None, Forward, Backward };

// Forgets every record read ahead.
inline void DropRecordWindow(WorkArea& wa) {
  wa.window.count = 0;
  wa.window.next_span = 1;
}

// Marks a move under way on a work area for its lifetime. A shared table's window is emptied
// when the outermost move begins and again when it ends.
class MoveScope {
 public:
  explicit MoveScope(WorkArea& wa) : wa_(wa) {
    if (wa_.window.move_depth++ == 0 && !wa_.window.lasts) DropRecordWindow(wa_);
  }
  ~MoveScope() {
    if (--wa_.window.move_depth == 0 && !wa_.window.lasts) DropRecordWindow(wa_);
  }
  MoveScope(const MoveScope&) = delete;
  MoveScope& operator=(const MoveScope&) = delete;

 private:
  WorkArea& wa_;
};

// Copies record n (1..record_count), as stored, into `out` (record_length bytes): from the
// window when it holds the record, otherwise from the file, reading ahead in the given direction
// when a move is under way or no other program can write. Returns 0, 213 for a record the file no
// longer holds whole, or the platform's code.
int FetchRecord(WorkArea& wa, int32_t n, ReadAhead ahead, char* out);

// Record n as stored, where a move or a lasting window may read ahead (forward or backward):
// a pointer into the window, valid until the next read; null when the record cannot be read
// ahead, or not at all.
const char* RecordAhead(WorkArea& wa, int32_t n, ReadAhead ahead = ReadAhead::Forward);

// Keeps a window copy of record n in step with bytes just written at `offset` in it.
void NoteRecordWritten(WorkArea& wa, int32_t n, std::size_t offset, const char* data,
                       std::size_t count);

}  // namespace vornelle::engine
