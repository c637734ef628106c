// USE: opening a table in a work area; closing work areas; Select.

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "engine/internal.h"
#include "engine/memo_internal.h"
#include "engine/navigation.h"
#include "engine/record_codec.h"
#include "engine/record_io.h"
#include "engine/table.h"
#include "engine/table_fields.h"
#include "engine/table_replace.h"
#include "engine/update.h"
#include "platform/codepage.h"
#include "platform/file.h"
#include "platform/folder_lock.h"

namespace vornelle::engine {

namespace {

constexpr std::size_t kMaxAlias = 64;

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t U32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

bool KnownVersion(uint8_t v) {
  return v == 0x02 || v == 0x03 || v == 0x04 || v == 0x83 || v == 0x8B || v == 0x8C || v == 0xF5 ||
         (v >= 0x30 && v <= 0x32);  // Visual FoxPro
}

// Visual FoxPro keeps 263 bytes after the field descriptors (the path of the table's database).
constexpr int kVisualFoxProTail = 263;
constexpr uint8_t kVisualFoxProHasMemo = 0x02;  // in the table flags, header byte 28

std::string TwoDigits(int v) {
  std::string s = std::to_string(v % 100);
  return s.size() < 2 ? "0" + s : s;
}

// The table file's name part, the way the engine shows it.
std::string ShortName(const std::string& full, bool oem) {
  std::size_t slash = full.find_last_of('/');
  std::string name = slash == std::string::npos ? full : full.substr(slash + 1);
  if (oem) name = platform::AnsiToOem(name);
  return name.substr(0, 12);
}

// OpenDbf: opens the file and reads header and descriptors into `wa`. Reports and returns false
// on failure, leaving nothing open.
bool OpenDbf(WorkArea& wa, uint8_t mode) {
  wa.open_mode = mode;
  int rc = wa.file.Open(wa.file_name, mode);
  if (rc != 0) {
    Report(rc, "Failure to open " + wa.file_name + " [USE/OpenDbf]");
    return false;
  }
  auto fail = [&](int code, const std::string& context) {
    wa.file.Close();
    Report(code, context);
    return false;
  };
  const std::string not_dbase = wa.file_name + " is not a dBASE database.";
  wa.short_name = ShortName(wa.file_name, wa.oem);
  int64_t file_size = 0;
  wa.file.Size(&file_size);

  std::size_t got = 0;
  uint8_t* h = wa.header;
  if (wa.file.ReadAt(0, h, 32, &got) != 0 || got < 32)
    return fail(210, not_dbase + " (" + "Prolog is less than 32 bytes" + ") [USE/OpenDBF]");
  wa.version = h[0];
  if (!KnownVersion(wa.version))
    return fail(210, not_dbase + "(" + "Invalid version byte" + ")+ [USE/OpenDBF]");
  wa.has_memo = (wa.version & 0x80) != 0;

  std::vector<uint8_t> descriptors;
  DescriptorLayout layout{};
  int max_fields = 0;
  if (wa.IsDbase2()) {
    if (file_size <= 520)
      return fail(210, not_dbase + "(" + "Header is less than 521 bytes" + ") [Use/OpenDBF]");
    wa.header_length = 521;
    wa.record_length = U16(h + 6);
    wa.record_count = U16(h + 1);
    wa.last_update = std::to_string(1900 + h[5]) + TwoDigits(h[3]) + TwoDigits(h[4]);
    descriptors.resize(512);
    if (wa.file.ReadAt(8, descriptors.data(), 512, &got) != 0 || got < 512)
      return fail(100, "Error reading " + wa.file_name + " [Use/OpenDbf]");
    layout = {16, 11, 11, 12, 15, -1};
    max_fields = 32;
  } else {
    wa.header_length = U16(h + 8);
    wa.record_length = U16(h + 10);
    uint32_t count = U32(h + 4);
    wa.record_count = count > kMaxRecordCount ? kMaxRecordCount : static_cast<int32_t>(count);
    wa.last_update = std::to_string(1900 + h[1]) + TwoDigits(h[2]) + TwoDigits(h[3]);
    const int first = wa.IsLevel7() ? 68 : 32;
    const int width = wa.IsLevel7() ? 48 : 32;
    // The list ends at its 0x0D; Visual FoxPro's tail has room for eight more descriptors.
    const int tail = wa.IsVisualFoxPro() ? kVisualFoxProTail / width : 0;
    max_fields = wa.header_length > first ? (wa.header_length - first) / width : 0;
    if (max_fields < 1 || max_fields > 255 + tail)
      return fail(210, wa.short_name + " is not a dBASE database." + " (" +
                           "Number of fields is out of range" + ") [Use/OpenDbf]");
    // The rest of the header; for level 7 the 36 bytes of language driver name are skipped.
    descriptors.resize(static_cast<std::size_t>(wa.header_length - first));
    if (wa.file.ReadAt(first, descriptors.data(), descriptors.size(), &got) != 0 ||
        got < descriptors.size())
      return fail(100, "Error reading " + wa.file_name + " [Use/OpenDbf]");
    if (wa.IsLevel7())
      layout = {48, 11, 32, 33, 34, -1, first};
    else
      layout = {32, 11, 11, 16, 17, 18, first};
  }
  wa.file_state = FileState::Unchanged;

  const DescriptorProblem problem = ReadFieldDescriptors(wa, descriptors.data(), max_fields, layout, file_size);
  if (problem.code != 0) return fail(problem.code, problem.context);
  if (wa.IsVisualFoxPro()) {
    wa.has_memo = (h[28] & kVisualFoxProHasMemo) != 0 ||
                  std::any_of(wa.fields.begin(), wa.fields.end(), [](const FieldDesc& f) { return f.type == 'M'; });
  }
  wa.binary_values = wa.null_flags_length > 0 ||
                     std::any_of(wa.fields.begin(), wa.fields.end(),
                                 [](const FieldDesc& f) { return f.storage != Storage::kText; });
  if (wa.record_length == 0)
    return fail(210, not_dbase + " (" + "Record length does not match the fields" + ") [USE/OpenDBF]");
  wa.raw.assign(wa.record_length, ' ');

  // Records past the header's count that the file holds count too (a writer stopped before
  // it wrote the header): the count every command and every later recount agrees on.
  const int32_t held = CountFromSize(wa);
  if (State().switches.count_from_size || held > wa.record_count) wa.record_count = held;
  if (wa.record_count <= 0) {
    wa.record_count = 0;
    wa.recno = 0;
    wa.bof = wa.eof = true;
  } else {
    wa.recno = 1;
    wa.bof = wa.eof = false;
  }
  return true;
}

}  // namespace

void CloseTableFile(WorkArea& wa) {
  int rc = 0;
  if (wa.file_state == FileState::HeaderDirty || wa.file_state == FileState::Appended) {
    // On a shared table the append lock keeps another program's append from landing between
    // our recount and the end mark we write after the last record.
    bool locked = LockAppendRegionForClose(wa);
    if (!wa.exclusive) wa.record_count = CountFromSize(wa);
    rc = RewriteHeader(wa);
    if (rc == 0 && wa.file_state == FileState::Appended) rc = WriteEndMark(wa);
    if (locked) UnlockAppendRegionAfterClose(wa);
  }
  int close_rc = wa.file.Close();
  if (rc == 0) rc = close_rc;
  wa.raw.clear();
  wa.fields.clear();
  wa.file_state = FileState::Closed;
  if (rc != 0)
    Report(rc, "File:  " + wa.file_name + " [CloseDbf(" + wa.file_name + ")]");
}

namespace {

struct ParsedUse {
  std::string file_name;  // as given, case kept
  UseOptions options;
};

ParsedUse ParseUseCommand(const std::string& command, const std::string& upper) {
  ParsedUse p;
  std::string u = upper, o = command;
  p.options.exclusive = TakeOption(u, " EXCLUSIVE", &o);
  std::size_t at = u.find(" ALIAS ");
  if (at != std::string::npos) {
    std::string rest = u.substr(at + 7);
    rest = std::string(TrimBlanks(rest));
    p.options.alias = rest.substr(0, rest.find(' ')).substr(0, kMaxAlias);
    u.resize(at);
    o.resize(at);
  }
  p.file_name = std::string(TrimBlanks(o));
  return p;
}

// A replacement renames a table's memo file and then the table while it holds their folder
// exclusively (table_replace.h), so a reader that holds the folder shared from the table's open
// to its memo file's opens the files of one replacement, never the old table beside the new
// memo file. A replacement committed and never finished (its writer was stopped) is finished
// first: under the shared lock its marker means no writer is at work. A folder held by a writer
// for longer than the lock waits is read without it rather than not at all. Reports and
// returns false only when an unfinished replacement cannot be finished.
bool LockForPairing(const std::string& table, platform::FolderLock& lock) {
  const std::string folder = std::filesystem::path(table).parent_path().string();
  for (int attempt = 0; attempt < 3; ++attempt) {
    if (!CompleteReplacement(table)) return false;
    if (!lock.LockShared(folder)) return true;
    if (!ReplacementPending(table)) return true;
    lock.Unlock();
  }
  Report(214, table + " is being replaced by another program; try again [USE/CompleteReplacement]");
  return false;
}

int FindEmptyArea() {
  for (int n = 1; n <= kAreaCount; ++n)
    if (!State().slots[n]) return n;
  return 0;
}

}  // namespace

EngineSwitches& Switches() { return State().switches; }

std::string TableFileName(const std::string& name) { return WithDefaultExtension(name, "DBF"); }

uint16_t LayoutTypedBuffer(std::vector<FieldDesc>& fields) {
  uint32_t at = 1;
  for (FieldDesc& f : fields) {
    f.typed_offset = static_cast<uint16_t>(at);
    at += static_cast<uint32_t>(TypedFieldSize(f));
    if (at > 0xFFFF) return 0;
  }
  return static_cast<uint16_t>(at);
}

void USE(std::string_view command, void* buffer, uint16_t size) {
  USE(command, buffer, size, nullptr, nullptr);
}

void USE(std::string_view command_text, void* buffer, uint16_t size, const uint8_t* read_table,
         const uint8_t* write_table) {
  std::string command(Trim(command_text));
  const std::string upper = UpperAscii(command + ' ');
  if (upper.find("LINKED LIST") != std::string::npos ||
      upper.find("VIRTUAL FILE") != std::string::npos) {
    UseTable("", {});  // closes what the area held
    Report(1101, "[USE(" + upper + ",<@Buffer>,<size>)]");
    return;
  }
  // An empty command leaves an empty name: UseTable only closes.
  const ParsedUse parsed = command.empty() ? ParsedUse() : ParseUseCommand(command + ' ', upper);
  UseTable(parsed.file_name, parsed.options, buffer, size, read_table, write_table);
}

void UseTable(const std::string& file_name, const UseOptions& options, void* buffer,
              uint16_t size, const uint8_t* read_table, const uint8_t* write_table) {
  EngineState& s = State();
  ClearLastError();
  CloseArea();
  ClearLastError();
  if (file_name.empty()) return;
  // The command as the engine's messages show it.
  const std::string upper =
      UpperAscii(file_name + (options.exclusive ? " EXCLUSIVE" : "") +
                 (options.alias.empty() ? "" : " ALIAS " + options.alias) + " ");
  if ((buffer == nullptr) != (size == 0)) {
    Report(220, "Buffer is NIL or size is zero, attempting to open " + upper + " [USE]");
    return;
  }
  std::string alias = UpperAscii(options.alias).substr(0, kMaxAlias);
  if (alias.empty())
    alias = UpperAscii(std::filesystem::path(file_name).stem().string()).substr(0, kMaxAlias);

  auto wa = std::make_unique<WorkArea>();
  wa->number = s.current;
  wa->file_name = platform::ResolveCase(platform::FullPath(WithDefaultExtension(file_name, "DBF")));
  // The table and its memo file are opened as one pair (see LockForPairing); the lock is held
  // until both are open.
  platform::FolderLock pairing;
  if (!LockForPairing(wa->file_name, pairing)) return;
  wa->alias = alias;
  wa->oem = s.switches.oem;
  wa->read_table = read_table;
  wa->write_table = write_table;
  wa->exclusive = options.exclusive || !s.switches.network ||
                  (s.switches.default_open_mode & platform::mode::kShareMask) ==
                      platform::mode::kDenyAll;
  uint8_t mode = wa->exclusive ? (platform::mode::kReadWrite | platform::mode::kDenyAll)
                               : s.switches.default_open_mode;
  if (s.switches.open_mode_override) mode = *s.switches.open_mode_override;
  wa->window.lasts = (mode & platform::mode::kShareMask) == platform::mode::kDenyAll || options.sequential;
  wa->sequential = options.sequential;
  if (!OpenDbf(*wa, mode)) return;

  uint16_t typed_size = LayoutTypedBuffer(wa->fields);
  if (typed_size == 0) {
    wa->file.Close();
    Report(210, wa->file_name + " is not a dBASE database. (its records are too large to read) [USE]");
    return;
  }
  if (buffer == nullptr) {
    wa->owned_typed.assign(typed_size, 0);
    wa->typed = wa->owned_typed.data();
  } else if (size != typed_size) {
    wa->file.Close();
    Report(266, "Database record/buffer size mismatch: " + upper + " [USE()]" + "\n\r" +
                    "Record Size=" + std::to_string(typed_size) +
                    ", Buffer Size=" + std::to_string(size));
    return;
  } else {
    wa->typed = static_cast<char*>(buffer);
  }
  wa->typed_size = typed_size;
  for (int n = 1; n <= kSlotCount; ++n) {
    if (s.slots[n] && s.slots[n]->alias == wa->alias) {
      wa->file.Close();
      Report(220, "Alias name \"" + wa->alias + "\" already in use." + " [USE]");
      return;
    }
  }
  wa->swap.assign(typed_size, 0);
  int area = s.current;
  s.slots[area] = std::move(wa);
  WorkArea& opened = *s.slots[area];

  // A table that cannot be read or whose memo file cannot be opened leaves the area empty.
  try {
    if (opened.record_count > 0) {
      GoTop();
      if (LastError() != 0) {  // reported with auto-check off: the area must not stay open
        int code = LastError();
        std::string context = ContextMessage();
        CloseArea();
        SetLastError(static_cast<int16_t>(code));
        State().error.context = context;
        return;
      }
    } else {
      ClearRecordOf(opened);
      opened.bof = opened.eof = true;
    }
    if (opened.has_memo && s.memo.installed) {
      int code = OpenMemoFile(opened);
      if (code != 0) {
        CloseArea();
        Report(code, "Problem opening memo file [USE(" + upper + ",<@Buffer>," +
                         std::to_string(size) + ")]");
      }
    }
  } catch (...) {
    if (Area(area) == &opened) {
      s.current = area;
      CloseArea();
    }
    throw;
  }
}

void Select(int area) {
  ClearLastError();
  if (area == 0) {
    int empty = FindEmptyArea();
    if (empty == 0) {
      Report(220, "No free workarea available [Select(0)]");
      return;
    }
    State().current = empty;
    return;
  }
  if (area < 0 || area > kAreaCount) {
    Report(220, "Invalid workarea selected = [Select(" + std::to_string(area) + ")]");
    return;
  }
  State().current = area;
}

int CurrentArea() { return State().current; }

void CloseArea() {
  EngineState& s = State();
  WorkArea* wa = Current();
  if (!wa) return;
  if (!wa->exclusive && wa->file.IsOpen()) wa->record_count = CountFromSize(*wa);
  Unlock();
  wa->swap.clear();
  if (wa->memo) CloseMemoFile(*wa);
  if (s.peek.alias == wa->alias) s.peek = PeekCache();
  if (s.parser.release) {
    if (wa->filter) s.parser.release(&wa->filter, wa->number);
    if (wa->while_expr) s.parser.release(&wa->while_expr, wa->number);
  }
  std::unique_ptr<WorkArea> owned = std::move(s.slots[s.current]);
  CloseTableFile(*owned);  // may report; the slot is already empty
}

void CloseAll() {
  for (int n = 1; n <= kAreaCount; ++n) {
    State().current = n;
    CloseArea();
  }
  State().current = 1;
}

bool ProductionIndexFlag() {
  WorkArea* wa = Guard("ProductionIndexFlag");
  if (!wa || wa->IsDbase2()) return false;
  return wa->header[28] != 0;
}

void SetProductionIndexFlag(bool on) {
  WorkArea* wa = Guard("ProductionIndexFlag");
  if (!wa || wa->IsDbase2()) return;
  uint8_t value = on ? 1 : 0;
  if (wa->header[28] == value) return;
  wa->header[28] = value;
  if (wa->file_state == FileState::Unchanged) wa->file_state = FileState::HeaderDirty;
}

}  // namespace vornelle::engine
