#pragma once
// The engine's process-wide state: the work area table, the switches, the error state, the
// hooks other units install, and the search and memo line state. It lives in one object so
// that it can be reset as a whole (ResetEngine).

#include <array>
#include <climits>
#include <cstdint>
#include <list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/memo_types.h"
#include "platform/file.h"

namespace vornelle::engine {

inline constexpr int kAreaCount = 33;    // work areas 1..33 reachable by Select
inline constexpr int kSlotCount = 35;    // 34 and 35 are the engine's own
inline constexpr uint64_t kLockBase = 0x40000000;  // lock regions lie far beyond any real file
// The most records a table can count: one less than the largest record number, so that the
// phantom record after the last (count + 1) is still a number.
inline constexpr int32_t kMaxRecordCount = INT32_MAX - 1;

enum class FileState : uint8_t { Closed = 0, Unchanged = 1, HeaderDirty = 2, Appended = 3 };
enum class LockKind : uint8_t { None = 0, Append = 2, Records = 3 };

// How a field's value is held in the record's bytes. The families the engine started with keep
// every value as text; later ones keep numbers, times and memo block numbers as binary values.
enum class Storage : uint8_t {
  kText,         // text, digits, YYYYMMDD dates, logical letters, block numbers in digits
  kInt32LE,      // I and + outside level 7
  kInt32BE,      // I and + of level 7: big-endian, the sign bit inverted
  kCurrency,     // Y: a little-endian 64-bit count of ten-thousandths
  kDoubleLE,     // B of Visual FoxPro, O outside level 7
  kDoubleBE,     // O of level 7: big-endian, ordered (sign bit set when >= 0, every bit inverted when < 0)
  kDateTimeLE,   // T, and @ outside level 7: the Julian day and the milliseconds of the day
  kTimestampBE,  // @ of level 7: a big-endian double of milliseconds, day 1 being 0001-01-01
  kBlockLE,      // a memo field of 4 bytes: the block number, little-endian
  kVarBytes,     // V and Q: as many bytes as the null flags and the field's last byte say
};

struct FieldDesc {
  std::string name;       // ASCII letters upper-cased, at most 11 characters
  char type = 'C';        // how the engine presents it: C, D, F, L, M or N
  char stored_type = 'C';  // the letter the table holds (G, I, T...)
  Storage storage = Storage::kText;
  uint16_t length = 0;    // width in the raw record
  uint8_t decimals = 0;
  uint16_t offset = 0;    // in the raw record; the first field is at 1
  uint16_t typed_offset = 0;  // in the typed record buffer (what FieldAddress computes)
  int16_t null_bit = -1;    // its bit in the record's null flags; -1 when it cannot be null
  int16_t length_bit = -1;  // V and Q: the bit saying the value is shorter than the field
  bool autoincrement = false;  // the table counts its values up itself
  // Visual FoxPro's autoincrement: where the header keeps the next value and its step (0 where
  // this engine does not keep the count).
  uint32_t counter_at = 0;
  // The type of a field held as text and never null, as most fields are, which the record
  // codec reads the quick way; 0 for the others.
  char quick_type = '\0';

  // The typed buffer holds a double (else a 32-bit integer, for N and F).
  bool TypedDouble() const {
    return decimals > 0 || storage == Storage::kCurrency || storage == Storage::kDoubleLE ||
           storage == Storage::kDoubleBE;
  }
  // The width of its text in the typed buffer (C fields): a date and time shows as
  // "YYYY-MM-DD HH:MM:SS".
  uint16_t TextWidth() const {
    return storage == Storage::kDateTimeLE || storage == Storage::kTimestampBE ? 19 : length;
  }
  // Text as stored, which a test of the stored bytes may read: a C field that cannot be null.
  bool PlainText() const { return stored_type == 'C' && null_bit < 0 && length <= 255; }
};

// Size of a field in the typed record buffer.
int TypedFieldSize(const FieldDesc& field);

// Records read ahead: a run of consecutive records as the file holds them, read with one
// positioned read (record_window.h says when it may be used).
struct RecordWindow {
  int32_t first = 0;  // the first record held
  int32_t count = 0;  // 0 = empty
  std::vector<char> bytes;
  int32_t next_span = 1;  // how many records the next read ahead brings
  int move_depth = 0;     // moves under way on the area (a move may start another)
  // The table is open deny-all, so no other program writes it and what was read stays true.
  bool lasts = false;
};

// Host routines: a record filter and a while condition take a user value and the area number.
using HostTestFn = bool (*)(void* user, int area);
// Runs after every move of its work area.
using RecordMovedFn = void (*)(int area);
// A compiled expression of the expression unit.
using ExprHandle = void*;

struct WorkArea {
  int number = 0;
  std::string file_name;   // full path
  std::string short_name;  // name after the last '/', at most 12 characters
  uint8_t header[32] = {};
  bool has_memo = false;
  uint8_t version = 0;
  uint16_t header_length = 0;
  uint16_t record_length = 0;
  std::vector<FieldDesc> fields;
  // Visual FoxPro's hidden field of null flags (and varchar lengths), when there is one.
  uint16_t null_flags_offset = 0;
  uint16_t null_flags_length = 0;
  bool binary_values = false;  // a field or the null flags hold binary bytes, never translated
  // Record slots past the header's count, up to this one, were seen to hold records (their
  // first byte is no end mark): appends only ever add to them.
  int32_t slots_seen = 0;
  FileState file_state = FileState::Closed;
  std::string last_update;  // YYYYMMDD
  std::vector<char> raw;    // the current record as stored (translated for display)
  // The current record's bytes as the file holds them, when a translation is in force: text
  // that reads the same is written back as these bytes, since translating is not reversible.
  std::vector<char> stored;
  int32_t stored_recno = 0;  // the record `stored` holds; 0 for none
  int32_t record_count = 0;
  int32_t recno = 0;
  RecordWindow window;
  bool sequential = false;  // opened for a sequential scan: memo values are read ahead too
  bool bof = false;
  bool eof = false;
  uint8_t open_mode = 0;
  bool oem = false;
  const uint8_t* read_table = nullptr;   // 256-byte translation after reading
  const uint8_t* write_table = nullptr;  // 256-byte translation before writing
  platform::File file;
  std::string alias;
  char* typed = nullptr;  // the typed record buffer
  uint16_t typed_size = 0;
  std::vector<char> owned_typed;  // the buffer when the engine allocated it
  std::vector<char> swap;
  bool exclusive = false;
  bool skip_deleted = false;
  ExprHandle filter = nullptr;
  // The filter FIELD = "text" (or ==) as a test of the stored record's bytes, so that a scan
  // unpacks only the records it keeps; set beside `filter` where the two always agree.
  struct RawEquals {
    uint16_t offset = 0;
    uint8_t length = 0;
    std::string text;
    bool exact = false;  // ==: the whole field, not a prefix
    // What each stored byte reads as (through the OEM page and a read table, as records are
    // read), so that the test sees the text the expression sees.
    std::array<uint8_t, 256> shown{};
  };
  std::optional<RawEquals> raw_filter;
  ExprHandle while_expr = nullptr;
  HostTestFn host_filter = nullptr;
  void* filter_user = nullptr;
  HostTestFn host_while = nullptr;
  void* while_user = nullptr;
  RecordMovedFn moved_hook = nullptr;
  std::unique_ptr<MemoFile> memo;
  LockKind lock_kind = LockKind::None;
  std::list<int32_t> record_locks;  // newest first

  bool IsDbase2() const { return version == 0x02; }
  bool IsLevel7() const { return version == 0x04 || version == 0x8C; }
  bool IsVisualFoxPro() const { return version >= 0x30 && version <= 0x32; }
  int64_t RecordPosition(int32_t n) const {
    return static_cast<int64_t>(header_length) + static_cast<int64_t>(n - 1) * record_length;
  }
};

// Hooks of the expression unit (installed by its start-up). Compile reports its own errors and
// returns null on failure; evaluate returns a pointer to the result (one byte, non-zero = true,
// for a logical expression); release frees the expression and sets the handle to null.
struct ParserHooks {
  ExprHandle (*compile)(const std::string& text) = nullptr;
  void (*release)(ExprHandle* handle, int area) = nullptr;
  const void* (*evaluate)(ExprHandle handle) = nullptr;
  // A counted string (length byte, then the characters) as text.
  std::string (*counted_to_text)(const char* counted) = nullptr;
  // Evaluates the engine's current key expression (EngineState::key_expression).
  const void* (*evaluate_key)() = nullptr;
  bool linked = false;
};

// Hooks of the memo unit. The memo unit is part of this library and installed from the start;
// a test may remove it to see how the engine does without.
struct MemoHooks {
  bool installed = false;
};

struct EngineSwitches {
  bool network = true;
  uint8_t default_open_mode = platform::mode::kReadWrite | platform::mode::kDenyNone;
  std::optional<uint8_t> open_mode_override;
  bool count_from_size = false;
  bool oem = false;
  bool century = false;
  uint8_t date_order = 0;  // 0 MDY, 1 YMD, 2 DMY "/", 3 DMY "-", 5 DMY "."
  char decimal_separator = '.';
  char thousands_separator = ',';
  uint16_t memo_width = 256;     // pool size of an expression whose result is a memo
  bool width_switch = false;     // memo line width setting (off)
  uint16_t width_setting = 78;
  uint16_t max_lines = 1024;
  uint16_t peek_cache_size = 0;  // bytes; 0 = no cache
  uint8_t default_memo_type = kDefaultMemoType;  // the kind of table CreateDbf makes
};

struct ErrorState {
  int16_t last_error = 0;
  int16_t last_reported = 0;
  std::string context;
  bool auto_check = true;
  bool raise = false;
  bool halted = false;
};

struct SearchState {
  int field = 0;  // 0 = no search to continue
  std::string text;
  bool case_sensitive = true;
  bool exact = false;
  bool contained = false;
};

struct PeekCache {
  std::string alias;
  int32_t first = 0;
  int32_t count = 0;
  std::vector<char> bytes;
};

// The engine-wide memo line list filled by GetMemo.
struct MemoLines {
  std::vector<std::string> lines;
  std::vector<uint8_t> ends;  // 0 width break, 0x0D hard return, 0x8D soft return
  bool allocated = false;
};

struct EngineState {
  std::array<std::unique_ptr<WorkArea>, kSlotCount + 1> slots;  // index 0 unused
  int current = 1;
  EngineSwitches switches;
  ErrorState error;
  ParserHooks parser;
  MemoHooks memo{true};
  SearchState search;
  PeekCache peek;
  MemoLines memo_lines;
  int32_t last_memo_pieces = 0;  // pieces the last GetMemo read (dBASE IV header counter)
  ExprHandle key_expression = nullptr;  // the key that index creation evaluates per record
};

// The one engine state of the process, made on first use. Every engine routine asks for it,
// so the way there is inline.
namespace detail {
extern EngineState* g_state;
EngineState& CreateState();
}  // namespace detail
inline EngineState& State() { return detail::g_state ? *detail::g_state : detail::CreateState(); }
// Closes every work area and returns the engine to its start-up state: default switches, no
// error, no search. Installed units (expression and memo hooks) stay installed.
void ResetEngine();

// The current work area, or null when its slot is empty.
inline WorkArea* Current() { return State().slots[State().current].get(); }
WorkArea* Area(int number);

// Makes `area` current for a while (or just keeps the current one), restoring the area that was
// current when it ends: filters, hooks and memo readers may select other areas.
class CurrentAreaScope {
 public:
  CurrentAreaScope() : saved_(State().current) {}
  explicit CurrentAreaScope(int area) : saved_(State().current) { State().current = area; }
  ~CurrentAreaScope() { State().current = saved_; }
  CurrentAreaScope(const CurrentAreaScope&) = delete;
  CurrentAreaScope& operator=(const CurrentAreaScope&) = delete;

 private:
  int saved_;
};

}  // namespace vornelle::engine
