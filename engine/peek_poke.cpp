// Peek and Poke: one field of any record, read or written straight in the file without moving
// the current record. Column scans (Locate) use Peek with an optional read cache.

#include <algorithm>
#include <cstring>

#include "engine/internal.h"
#include "engine/navigation.h"
#include "engine/peek_cache.h"
#include "engine/record_window.h"

namespace vornelle::engine {

namespace {

constexpr std::size_t kMaxCacheBytes = 65520;

struct FieldSpan {
  std::size_t offset;
  std::size_t width;
};

FieldSpan SpanOf(const WorkArea& wa, int field) {
  if (field == 0) return {0, 1};
  const FieldDesc& f = wa.fields[static_cast<std::size_t>(field - 1)];
  return {f.offset, f.length};
}

bool InRange(const WorkArea& wa, int field, int32_t recno) {
  return recno >= 1 && field >= 0 && field <= static_cast<int>(wa.fields.size()) &&
         recno <= wa.record_count;
}

// Loads the block of records that starts at recno into the cache; reports and returns false on
// failure.
bool LoadCache(WorkArea& wa, int field, int32_t recno) {
  PeekCache& cache = State().peek;
  std::size_t budget = std::min<std::size_t>(State().switches.peek_cache_size, kMaxCacheBytes);
  std::size_t per_block = budget / wa.record_length;
  if (per_block == 0) {
    Report(217, "Insufficient memory for cache [Peek]");
    return false;
  }
  int32_t count = static_cast<int32_t>(
      std::min<int64_t>(static_cast<int64_t>(per_block), wa.record_count - recno + 1));
  cache.alias = wa.alias;
  cache.first = recno;
  cache.bytes.resize(static_cast<std::size_t>(count) * wa.record_length);
  std::size_t got = 0;
  int rc = wa.file.ReadAt(wa.RecordPosition(recno), cache.bytes.data(), cache.bytes.size(), &got);
  cache.count = static_cast<int32_t>(got / wa.record_length);
  if (rc != 0 || cache.count == 0) {
    cache = PeekCache();
    Report(rc != 0 ? rc : 100, "DBF: " + wa.file_name + " [Peek(" + std::to_string(field) + "," +
                                   std::to_string(recno) + ")]");
    return false;
  }
  return true;
}

}  // namespace

std::string Peek(int field, int32_t recno) {
  WorkArea* wa = Guard("Peek");
  if (!wa || !InRange(*wa, field, recno)) return {};
  FieldSpan span = SpanOf(*wa, field);
  if (State().switches.peek_cache_size == 0) {
    std::string out(span.width, ' ');
    std::size_t got = 0;
    int rc = wa->file.ReadAt(wa->RecordPosition(recno) + static_cast<int64_t>(span.offset),
                             out.data(), span.width, &got);
    if (rc != 0) {
      Report(rc, "DBF: " + wa->file_name + " [Peek(" + std::to_string(field) + "," +
                     std::to_string(recno) + ")]");
      return {};
    }
    out.resize(got);
    return out;
  }
  PeekCache& cache = State().peek;
  if (cache.alias != wa->alias) cache = PeekCache();
  bool hit = !cache.alias.empty() && recno >= cache.first && recno < cache.first + cache.count;
  if (!hit && !LoadCache(*wa, field, recno)) return {};
  const char* record =
      cache.bytes.data() + static_cast<std::size_t>(recno - cache.first) * wa->record_length;
  return std::string(record + span.offset, span.width);
}

void Poke(std::string_view text, int field, int32_t recno) {
  WorkArea* wa = Guard("Poke");
  if (!wa) return;
  bool allowed = !State().switches.network || wa->exclusive ||
                 (wa->lock_kind == LockKind::Records && HoldsRecordLock(*wa, recno));
  if (!allowed) {
    std::string call = "[Poke(" + std::string(text) + "," + std::to_string(field) + "," +
                       std::to_string(recno) + ")]";
    Report(1200, "Record not locked " + call.substr(0, 100));
    return;
  }
  if (!InRange(*wa, field, recno) || !CheckStillInPlace(*wa, "Poke")) return;
  FieldSpan span = SpanOf(*wa, field);
  std::size_t count = std::min(text.size(), span.width);
  std::size_t put = 0;
  int rc = wa->file.WriteAt(wa->RecordPosition(recno) + static_cast<int64_t>(span.offset),
                            text.data(), count, &put);
  if (rc == 0 && put < count) rc = 101;
  if (rc != 0) {
    DropRecordWindow(*wa);
    Report(rc, FileContext(*wa) + " [Poke]");
    return;
  }
  if (wa->file_state != FileState::Appended) wa->file_state = FileState::HeaderDirty;
  UpdatePeekCache(*wa, recno, span.offset, text.data(), count);
  NoteRecordWritten(*wa, recno, span.offset, text.data(), count);
}

void UpdatePeekCache(const WorkArea& wa, int32_t recno, std::size_t offset, const char* data,
                     std::size_t count) {
  PeekCache& cache = State().peek;
  if (cache.alias != wa.alias || recno < cache.first || recno >= cache.first + cache.count) return;
  char* record = cache.bytes.data() + static_cast<std::size_t>(recno - cache.first) * wa.record_length;
  std::memcpy(record + offset, data, std::min(count, wa.record_length - offset));
}

}  // namespace vornelle::engine
