#include "engine/record_io.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/field_storage.h"
#include "engine/internal.h"
#include "engine/peek_cache.h"
#include "engine/record_codec.h"
#include "engine/record_window.h"
#include "platform/codepage.h"
#include "platform/error_codes.h"
#include "platform/locale.h"

namespace vornelle::engine {

namespace {

bool Translates(const WorkArea& wa) { return wa.oem || wa.read_table || wa.write_table; }

// Translates the text of a record, never its binary values or null flags: the whole record
// after the deletion byte where every field is text, else field by field (a varchar's value,
// not its length).
template <typename Translate>
void TranslateText(const WorkArea& wa, char* record, Translate translate) {
  if (!wa.binary_values) return translate(record + 1, wa.record_length - 1u);
  for (const FieldDesc& f : wa.fields) {
    if (f.storage == Storage::kText || (f.storage == Storage::kVarBytes && f.stored_type == 'V'))
      translate(record + f.offset, f.storage == Storage::kText ? f.length : VarBytes(wa, f, record).size());
  }
}

// Callers ask Translates first: most tables are read as stored.
void TranslateRecordForRead(const WorkArea& wa, char* record) {
  TranslateText(wa, record, [&](char* data, std::size_t count) { TranslateForRead(wa, data, count); });
}

// Translates the record for writing. A character field whose text still reads as its stored
// bytes do keeps those bytes: characters without a counterpart (box drawing in the OEM page)
// are shown as look-alikes, and writing the look-alikes back would replace what was stored.
void TranslateRecordForWrite(WorkArea& wa, int32_t n) {
  const bool known = wa.stored_recno == n && wa.stored.size() == wa.record_length;
  std::vector<const FieldDesc*> kept;
  if (known) {
    std::string shown;
    for (const FieldDesc& f : wa.fields) {
      if (f.type != 'C' || f.storage != Storage::kText) continue;
      shown.assign(wa.stored.data() + f.offset, f.length);
      TranslateForRead(wa, shown.data(), shown.size());
      if (std::memcmp(shown.data(), wa.raw.data() + f.offset, f.length) == 0) kept.push_back(&f);
    }
  }
  TranslateText(wa, wa.raw.data(), [&](char* data, std::size_t count) { TranslateForWrite(wa, data, count); });
  for (const FieldDesc* f : kept) std::memcpy(wa.raw.data() + f->offset, wa.stored.data() + f->offset, f->length);
}

}  // namespace

void TranslateForRead(const WorkArea& wa, char* data, std::size_t count) {
  if (wa.read_table) {
    for (std::size_t i = 0; i < count; ++i)
      data[i] = static_cast<char>(wa.read_table[static_cast<uint8_t>(data[i])]);
  }
  if (wa.oem) platform::OemToAnsi(data, count);
}

void TranslateForWrite(const WorkArea& wa, char* data, std::size_t count) {
  if (wa.oem) platform::AnsiToOem(data, count);
  if (wa.write_table) {
    for (std::size_t i = 0; i < count; ++i)
      data[i] = static_cast<char>(wa.write_table[static_cast<uint8_t>(data[i])]);
  }
}

int ReadRecordCode(WorkArea& wa, int32_t n, ReadAhead ahead) {
  if (n < 1 || n > wa.record_count) return 212;
  wa.bof = false;
  wa.eof = false;
  if (int rc = FetchRecord(wa, n, ahead, wa.raw.data()); rc != 0) return rc;
  wa.recno = n;
  if (Translates(wa)) {
    wa.stored.assign(wa.raw.begin(), wa.raw.end());
    wa.stored_recno = n;
  }
  if (Translates(wa)) TranslateRecordForRead(wa, wa.raw.data());
  return 0;
}

bool ReadRecord(WorkArea& wa, int32_t n, ReadAhead ahead) {
  int rc = ReadRecordCode(wa, n, ahead);
  if (rc == 212) {
    Report(212, "Invalid record number = " + std::to_string(n) + " (" + wa.file_name +
                    ")  [GetDbfRecord]");
  } else if (rc != 0) {
    Report(rc, FileContext(wa) + "  [GetDbfRecord]");
  }
  return rc == 0;
}

bool ReadAndUnpack(WorkArea& wa, int32_t n, ReadAhead ahead) {
  if (!ReadRecord(wa, n, ahead)) return false;
  UnpackRecord(wa);
  return true;
}

bool WriteRecord(WorkArea& wa, int32_t n) {
  bool append = n > wa.record_count;
  if (append) n = wa.record_count + 1;
  if (Translates(wa)) TranslateRecordForWrite(wa, n);
  std::size_t put = 0;
  int64_t position = wa.RecordPosition(n);
  int rc = wa.file.WriteAt(position, wa.raw.data(), wa.record_length, &put);
  if (rc == 0 && put < wa.record_length) rc = platform::kDiskFull;
  if (rc == 0) {
    UpdatePeekCache(wa, n, 0, wa.raw.data(), wa.record_length);
    NoteRecordWritten(wa, n, 0, wa.raw.data(), wa.record_length);
  }
  if (Translates(wa)) {
    if (rc == 0) wa.stored.assign(wa.raw.begin(), wa.raw.end());
    wa.stored_recno = rc == 0 ? n : 0;
  }
  if (Translates(wa)) TranslateRecordForRead(wa, wa.raw.data());
  if (rc != 0) {
    DropRecordWindow(wa);  // the file may hold part of the new record: read it as it is
    // A record written part-way would be read as a damaged record by everyone: cut it off, and
    // end the table where it ended before.
    if (append && put > 0 && wa.file.Truncate(position) == 0) WriteEndMark(wa);
    Report(rc, FileContext(wa) + " [Replace/Append/PutDbfRecord]");
    return false;
  }
  if (append) {
    wa.record_count = n;
    wa.recno = n;
    wa.file_state = FileState::Appended;
    // Bytes the file holds past the new record are no records: the end mark says so at once,
    // before any recount could take them for records.
    int64_t size = 0;
    if (wa.file.Size(&size) == 0 && size - wa.RecordPosition(n + 1) >= wa.record_length) WriteEndMark(wa);
    wa.slots_seen = std::max(wa.slots_seen, n);
  } else if (wa.file_state != FileState::Appended) {
    wa.file_state = FileState::HeaderDirty;
  }
  return true;
}

int32_t HeaderRecordCount(const WorkArea& wa) {
  const uint8_t* h = wa.header;
  if (wa.IsDbase2()) return h[1] | (h[2] << 8);
  const uint32_t count = h[4] | (h[5] << 8) | (h[6] << 16) | (static_cast<uint32_t>(h[7]) << 24);
  return count > static_cast<uint32_t>(kMaxRecordCount) ? kMaxRecordCount : static_cast<int32_t>(count);
}

int32_t CountFromSize(WorkArea& wa) {
  int64_t size = 0;
  if (wa.file.Size(&size) != 0 || size < wa.header_length || wa.record_length == 0)
    return wa.record_count;
  const int32_t slots = static_cast<int32_t>(
      std::min<int64_t>((size - wa.header_length) / wa.record_length, kMaxRecordCount));
  const int32_t counted = HeaderRecordCount(wa);
  if (slots <= counted) return slots;
  // Past the header's count, a slot that begins with the end mark ends the table: what follows
  // an end mark was never a record, and another program's append writes over the mark. The
  // slots seen to hold records are not read again.
  int32_t held = std::max(counted, std::min(wa.slots_seen, slots));
  constexpr std::size_t kReadBytes = 1 << 20;
  const int32_t per_read = std::max<int32_t>(1, static_cast<int32_t>(kReadBytes / wa.record_length));
  std::vector<char> bytes;
  while (held < slots) {
    const int32_t count = std::min(per_read, slots - held);
    bytes.resize(static_cast<std::size_t>(count - 1) * wa.record_length + 1);
    std::size_t got = 0;
    if (wa.file.ReadAt(wa.RecordPosition(held + 1), bytes.data(), bytes.size(), &got) != 0) break;
    int32_t i = 0;
    while (i < count && static_cast<std::size_t>(i) * wa.record_length < got &&
           bytes[static_cast<std::size_t>(i) * wa.record_length] != 0x1A)
      ++i;
    held += i;
    if (i < count) break;
  }
  wa.slots_seen = held;
  return held;
}

void Recount(WorkArea& wa) {
  if (!wa.exclusive) wa.record_count = CountFromSize(wa);
}

int RewriteHeader(WorkArea& wa) {
  platform::CalendarDate today = platform::Today();
  uint8_t* h = wa.header;
  uint32_t count = static_cast<uint32_t>(wa.record_count < 0 ? 0 : wa.record_count);
  std::size_t length = 32;
  if (wa.IsDbase2()) {
    length = 8;
    h[1] = static_cast<uint8_t>(count & 0xFF);
    h[2] = static_cast<uint8_t>((count >> 8) & 0xFF);
    h[3] = static_cast<uint8_t>(today.month);
    h[4] = static_cast<uint8_t>(today.day);
    h[5] = static_cast<uint8_t>(today.year - 1900);
  } else {
    // What another program keeps in bytes 16-27 survives our rewrite.
    std::size_t got = 0;
    uint8_t middle[12];
    if (wa.file.ReadAt(16, middle, sizeof middle, &got) == 0 && got == sizeof middle)
      std::memcpy(h + 16, middle, sizeof middle);
    h[1] = static_cast<uint8_t>(today.year - 1900);
    h[2] = static_cast<uint8_t>(today.month);
    h[3] = static_cast<uint8_t>(today.day);
    for (int i = 0; i < 4; ++i) h[4 + i] = static_cast<uint8_t>((count >> (8 * i)) & 0xFF);
  }
  std::size_t put = 0;
  int rc = wa.file.WriteAt(0, h, length, &put);
  if (rc == 0 && put < length) rc = platform::kDiskFull;
  return rc;
}

int WriteEndMark(WorkArea& wa) {
  const char eof_mark = 0x1A;
  std::size_t put = 0;
  int rc = wa.file.WriteAt(wa.RecordPosition(wa.record_count + 1), &eof_mark, 1, &put);
  if (rc == 0 && put < 1) rc = platform::kDiskFull;
  return rc;
}

void ClearRecordOf(WorkArea& wa) {
  BlankRecord(wa, wa.raw.data());
  wa.stored_recno = 0;
  UnpackRecord(wa);
}

}  // namespace vornelle::engine
