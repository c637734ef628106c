#include "engine/record_window.h"

#include <algorithm>
#include <cstring>

namespace vornelle::engine {

namespace {

// One read brings at most this much: enough to make the calls' cost vanish next to copying,
// small enough to stay in the caches.
constexpr std::size_t kWindowBytes = 64 * 1024;

int32_t MaxSpan(const WorkArea& wa) {
  return std::max<int32_t>(1, static_cast<int32_t>(kWindowBytes / wa.record_length));
}

bool Holds(const RecordWindow& w, int32_t n) {
  return w.count > 0 && n >= w.first && n < w.first + w.count;
}

// Reads `span` records ending or starting at n, as the direction says, into the window.
int Fill(WorkArea& wa, int32_t n, ReadAhead ahead, int32_t span) {
  RecordWindow& w = wa.window;
  int32_t first = n, last = n;
  if (ahead == ReadAhead::Forward)
    last = static_cast<int32_t>(std::min<int64_t>(int64_t{n} + span - 1, wa.record_count));
  else if (ahead == ReadAhead::Backward)
    first = std::max<int32_t>(1, n - span + 1);
  const std::size_t wanted = static_cast<std::size_t>(last - first + 1) * wa.record_length;
  w.count = 0;
  w.bytes.resize(wanted);
  std::size_t got = 0;
  int rc = wa.file.ReadAt(wa.RecordPosition(first), w.bytes.data(), wanted, &got);
  if (rc != 0) return rc;
  w.first = first;
  w.count = static_cast<int32_t>(got / wa.record_length);  // a shorter file holds fewer
  return 0;
}

}  // namespace

MoveScope::MoveScope(WorkArea& wa) : wa_(wa) {
  if (wa_.window.move_depth++ == 0 && !wa_.window.lasts) DropRecordWindow(wa_);
}

MoveScope::~MoveScope() {
  if (--wa_.window.move_depth == 0 && !wa_.window.lasts) DropRecordWindow(wa_);
}

int FetchRecord(WorkArea& wa, int32_t n, ReadAhead ahead, char* out) {
  RecordWindow& w = wa.window;
  if (!Holds(w, n)) {
    const bool may_read_ahead =
        ahead != ReadAhead::None && (w.lasts || w.move_depth > 0);
    if (!may_read_ahead) {
      std::size_t got = 0;
      int rc = wa.file.ReadAt(wa.RecordPosition(n), out, wa.record_length, &got);
      return rc != 0 ? rc : got < wa.record_length ? 213 : 0;
    }
    // A move on a shared table reads a little first, since it often stops on the next record,
    // and more each time it has to read again; a table no one else writes reads a full window at once.
    const int32_t span = w.lasts ? MaxSpan(wa) : w.next_span;
    w.next_span = std::min(MaxSpan(wa), span * 4);
    if (int rc = Fill(wa, n, ahead, span); rc != 0) return rc;
    if (!Holds(w, n)) return 213;
  }
  std::memcpy(out, w.bytes.data() + static_cast<std::size_t>(n - w.first) * wa.record_length,
              wa.record_length);
  return 0;
}

void NoteRecordWritten(WorkArea& wa, int32_t n, std::size_t offset, const char* data,
                       std::size_t count) {
  RecordWindow& w = wa.window;
  if (!Holds(w, n) || offset >= wa.record_length) return;
  char* record = w.bytes.data() + static_cast<std::size_t>(n - w.first) * wa.record_length;
  std::memcpy(record + offset, data, std::min<std::size_t>(count, wa.record_length - offset));
}

void DropRecordWindow(WorkArea& wa) {
  wa.window.count = 0;
  wa.window.next_span = 1;
}

}  // namespace vornelle::engine
