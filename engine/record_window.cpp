#include "engine/record_window.h"

#include <algorithm>
#include <cstring>

namespace vornelle::engine {

namespace {

// One read brings at most this much: enough to make the calls' cost vanish next to copying,
// small enough to stay in the caches.
constexpr std::size_t kWindowBytes = 64 * 1024;
// A sequential scan reads further at a time: it reads every record anyway.
constexpr std::size_t kScanWindowBytes = 256 * 1024;

int32_t MaxSpan(const WorkArea& wa) {
  const std::size_t bytes = wa.sequential ? kScanWindowBytes : kWindowBytes;
  return std::max<int32_t>(1, static_cast<int32_t>(bytes / wa.record_length));
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

int FetchRecord(WorkArea& wa, int32_t n, ReadAhead ahead, char* out) {
  RecordWindow& w = wa.window;
  if (!Holds(w, n)) {
    // A move on a shared table reads one record first, since it often stops on the next one,
    // and more each time it has to read again; a table no one else writes reads a full window.
    int32_t span = 1;
    if (ahead != ReadAhead::None && (w.lasts || w.move_depth > 0)) {
      span = w.lasts ? MaxSpan(wa) : w.next_span;
      w.next_span = std::min(MaxSpan(wa), span * 4);
    }
    if (span == 1) {
      std::size_t got = 0;
      int rc = wa.file.ReadAt(wa.RecordPosition(n), out, wa.record_length, &got);
      return rc != 0 ? rc : got < wa.record_length ? 213 : 0;
    }
    if (int rc = Fill(wa, n, ahead, span); rc != 0) return rc;
    if (!Holds(w, n)) return 213;
  }
  std::memcpy(out, w.bytes.data() + static_cast<std::size_t>(n - w.first) * wa.record_length,
              wa.record_length);
  return 0;
}

const char* RecordAhead(WorkArea& wa, int32_t n, ReadAhead ahead) {
  RecordWindow& w = wa.window;
  if (!Holds(w, n)) {
    if (!w.lasts && w.move_depth == 0) return nullptr;
    // A move that tests records in the window reads more each time, as FetchRecord does.
    const int32_t span = w.lasts ? MaxSpan(wa) : std::max<int32_t>(w.next_span, 64);
    if (!w.lasts) w.next_span = std::min(MaxSpan(wa), span * 4);
    if (Fill(wa, n, ahead, span) != 0 || !Holds(w, n)) return nullptr;
  }
  return w.bytes.data() + static_cast<std::size_t>(n - w.first) * wa.record_length;
}

void NoteRecordWritten(WorkArea& wa, int32_t n, std::size_t offset, const char* data,
                       std::size_t count) {
  RecordWindow& w = wa.window;
  if (!Holds(w, n) || offset >= wa.record_length) return;
  char* record = w.bytes.data() + static_cast<std::size_t>(n - w.first) * wa.record_length;
  std::memcpy(record + offset, data, std::min<std::size_t>(count, wa.record_length - offset));
}

}  // namespace vornelle::engine
