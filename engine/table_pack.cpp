// PACK: the kept records and their memo values copied, as stored, into a new pair of files
// that then replaces the old one.

#include "engine/table_pack.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <vector>

#include "engine/field_storage.h"
#include "engine/internal.h"
#include "engine/memo.h"
#include "engine/memo_internal.h"
#include "engine/record_codec.h"
#include "engine/record_io.h"
#include "engine/scoped_work_area.h"
#include "engine/table.h"
#include "engine/table_replace.h"
#include "platform/error_codes.h"
#include "platform/file.h"

namespace vornelle::engine {

namespace {

constexpr const char* kRoutine = "PACK";

// The records the file holds: those its header counts, and those another program appended and
// could not count (the header is not what the calendar's readers go by), up to the end mark.
int32_t RecordsHeld(WorkArea& wa) { return CountFromSize(wa); }

// A new table file of the old one's header (its kind, fields, language and every other byte),
// counting no records yet. 0 or the platform code.
int CreateLike(const WorkArea& old, const std::string& path) {
  std::vector<char> header(old.header_length);
  std::size_t got = 0;
  int rc = const_cast<platform::File&>(old.file).ReadAt(0, header.data(), header.size(), &got);
  if (rc == 0 && got < header.size()) rc = 213;
  if (rc != 0) return rc;
  if (!old.IsDbase2()) std::fill(header.begin() + 4, header.begin() + 8, '\0');
  header.push_back(0x1A);
  platform::File file;
  if ((rc = file.Create(path)) != 0) return rc;
  rc = file.WriteAt(0, header.data(), header.size(), &got);
  if (rc == 0 && got < header.size()) rc = platform::kDiskFull;
  const int closed = file.Close();
  return rc != 0 ? rc : closed;
}

// Copies the memo values the record `raw` of `from` points to into `to`'s memo file, and points
// the record at the copies. False when a value could not be read or written (reported).
bool CopyMemoValues(WorkArea& from, WorkArea& to, std::vector<char>& raw) {
  for (const FieldDesc& f : from.fields) {
    if (f.type != 'M') continue;
    char* field = raw.data() + f.offset;
    const int32_t block = StoredBlock(f, field);
    if (block == 0) continue;
    std::string value;
    {
      CurrentAreaScope in_from(from.number);
      if (!ReadMemoValueInto(block, false, value)) return false;
    }
    int32_t copied = 0;
    {
      CurrentAreaScope in_to(to.number);
      copied = WriteMemoValue(value, false);
      if (copied == 0 && LastError() != 0) return false;
    }
    if (f.storage == Storage::kBlockLE) {
      PutBlock(field, copied);
      continue;
    }
    const std::string text = copied == 0 ? std::string() : FormatNumber(copied, f.length, 0);
    std::memset(field, ' ', f.length);
    std::memcpy(field + f.length - text.size(), text.data(), text.size());
  }
  return true;
}

}  // namespace

bool PackTable(const std::string& table, const std::string& scratch, PackResult* result) {
  *result = PackResult();
  ScopedWorkArea old_scope;
  Switches().oem = false;  // records and values are copied as stored
  Switches().open_mode_override.reset();
  const bool auto_check = SetAutoCheck(false);
  UseTable(table, {/*exclusive=*/true, "PACKED"});
  SetAutoCheck(auto_check);
  if (LastError() == platform::kSharingViolation) {
    Report(platform::kSharingViolation, table + " is open in another program; it can be packed once no program has it open [" +
                                            kRoutine + "]");
    return false;
  }
  if (LastError() != 0 || !Current()) {
    if (auto_check) Act();
    return false;
  }
  WorkArea& old = *Current();
  for (const FieldDesc& f : old.fields) {
    if (f.type == 'M' && f.length != 10 && f.storage != Storage::kBlockLE) {
      Report(1300, old.file_name + ": memo field " + f.name + " is not stored as block numbers [" + kRoutine + "]");
      return false;
    }
    // Values are copied as text: Visual FoxPro's binary values (G, P, W) would come out as text.
    if (f.type == 'M' && old.IsVisualFoxPro() && f.stored_type != 'M') {
      Report(1300, old.file_name + ": memo field " + f.name + " [" + std::string(1, f.stored_type) +
                       "] holds binary values, which pack does not copy [" + kRoutine + "]");
      return false;
    }
  }
  const std::string new_table = (std::filesystem::path(scratch) / std::filesystem::path(old.file_name).filename()).string();
  const uint8_t memo_type = old.memo ? old.memo->type : 0;
  const std::string new_memo = old.memo ? MemoFileName(new_table, memo_type) : std::string();
  if (int rc = CreateLike(old, new_table); rc != 0) {
    Report(rc, "Error writing " + new_table + " [" + kRoutine + "]");
    return false;
  }
  if (old.memo) {
    CreateMemofile(new_memo, memo_type, old.memo->block_size);
    if (LastError() != 0) return false;
  }

  ScopedWorkArea new_scope;
  UseTable(new_table, {/*exclusive=*/true, "PACKING"});
  if (LastError() != 0 || !Current()) return false;
  WorkArea& packed = *Current();
  const int32_t held = RecordsHeld(old);
  std::vector<char> raw(old.record_length);
  for (int32_t n = 1; n <= held; ++n) {
    std::size_t got = 0;
    int rc = old.file.ReadAt(old.RecordPosition(n), raw.data(), raw.size(), &got);
    if (rc == 0 && got < raw.size()) rc = 213;
    if (rc != 0) {
      Report(rc, FileContext(old) + " [" + kRoutine + "]");
      return false;
    }
    if (raw[0] == '*') {
      ++result->removed;
      continue;
    }
    if (!CopyMemoValues(old, packed, raw)) return false;
    rc = packed.file.WriteAt(packed.RecordPosition(result->kept + 1), raw.data(), raw.size(), &got);
    if (rc == 0 && got < raw.size()) rc = platform::kDiskFull;
    if (rc != 0) {
      Report(rc, FileContext(packed) + " [" + kRoutine + "]");
      return false;
    }
    ++result->kept;
  }
  packed.record_count = result->kept;
  packed.file_state = FileState::Appended;  // its closing writes the count and the end mark
  CloseArea();
  if (LastError() != 0) return false;
  // The old pair is still held deny-all: the replacement puts the new one in its place under it.
  return ReplaceTable({old.file_name, new_table, new_memo, old.memo ? old.memo->name : std::string(), true});
}

}  // namespace vornelle::engine
