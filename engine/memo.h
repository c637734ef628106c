#pragma once
// Memo files: the text of memo fields, kept in a companion file (.dbt or .fpt) whose blocks the
// records point to. Values are read line by line (GetMemo, MemoTextReader) or streamed through
// the work area's blob descriptor.

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/memo_types.h"
#include "engine/state.h"

namespace vornelle::engine {

// The memo type of the current table; the default type when no table is open.
uint8_t GetMemoType();
// Creates an empty memo file of the given type and block size (replacing one that exists).
void CreateMemofile(const std::string& file_name, uint8_t type, uint16_t block_size);

// Starts streaming one memo value of the current table. Read mode opens the value at `block`
// (its sign is ignored); write mode starts a new value (at the end of the file, or with a size
// hint in a free run of a dBASE IV file). Returns the block number to store in the record,
// 0 on failure.
int32_t CreateBlobDescriptor(bool translate, int32_t block, BlobMode mode, int32_t size_hint = 0);
// A value never runs past the memo file's end (a block header that claims so: code 213) and is
// at most 2^31-1 bytes (a longer claim, or an end-marked value whose mark has not come by then:
// code 1003).
int32_t ReadBlobStream(void* buffer, int32_t count);
int32_t WriteBlobStream(const void* buffer, int32_t count);
// origin 0 start, 1 current, 2 end → the new position.
int32_t SeekBlob(int32_t offset, int origin);
// Finishes the value (in write mode its block header or end mark, the memo file header),
// gives the memo file lock back and resets the descriptor. False when a value written could
// not be stored whole (a write failed or was refused, or finishing it failed; reported): the
// record must keep the block it had.
bool DestroyBlobDescriptor();
// Drops the value being streamed without finishing it: nothing of a value being written is
// kept, and the memo file lock is given back. Reports nothing (for paths that already failed).
void AbandonBlobDescriptor();

// The largest value the line reader (GetMemo, MemoTextReader: the text the calendar shows)
// reads; a larger one ends in code 217. Streams and ReadMemoValue read values up to the memo
// file's size.
inline constexpr int64_t kMaxLineReaderValue = 16 << 20;

// Reads a memo value into the engine's line list; line_limit 0 keeps up to the list's maximum.
bool GetMemo(int32_t block, int line_limit = 0);
// The whole value at `block` as the line reader reads it (as stored, after the work area's read
// table; soft returns kept), for a reader that shows every line of it: bounded as the line
// reader is (217 past kMaxLineReaderValue), without its list's line limit. False on failure
// (reported); empty for block 0.
bool ReadShownMemo(int32_t block, std::string& text);
const MemoLines& MemoLineList();

// The whole value at `block` through the blob descriptor (translated from OEM when asked and
// the value is text); empty for block 0.
std::string ReadMemoValue(int32_t block, bool translate);
// The same into `value`, whose room is reused (a scan reads many values); false on failure.
bool ReadMemoValueInto(int32_t block, bool translate, std::string& value);
// The value at `block` as stored (never translated), for a scan that only looks at it: *value
// views the bytes where the memo file's read-ahead holds them whole (valid until the memo file
// is next read), or else `room`, which the value is read into. False on failure (reported).
bool ViewMemoValue(int32_t block, std::string& room, std::string_view* value);
// The block number memo field `field` of the current work area holds in its stored record, as
// the typed buffer would hold it (0 for a null value); for a scan by SkipStoredOnly.
int32_t StoredMemoBlock(const FieldDesc& field);
// Writes `text` as a new memo value; returns its block number, 0 on failure.
int32_t WriteMemoValue(std::string_view text, bool translate);

// Drops the soft returns (0x8D 0x0A, where an editor wrapped a line) from stored memo text: the
// text as the line reader joins it. A 0x8D without LF after it is a letter and stays.
void RemoveSoftReturns(std::string& stored);

// The line-oriented memo text file: one line per hard return, soft returns and width breaks
// joined. The text is delivered as stored (only the work area's read translation table
// applies); converting it is the caller's business.
class MemoTextReader {
 public:
  // Binds to the current work area and opens the value whose block number `block` points to.
  // Returns the I/O result: 0, 8 (no line list), 100 (the memo could not be read).
  int Open(const int32_t* block);
  bool ReadLine(std::string& line);  // false at the end of the text
  bool Eof() const;
  void Close();

 private:
  int area_ = 0;
  std::size_t cursor_ = 0;
  bool open_ = false;
};

// Collects text and writes it as a new memo value on Close, storing its block number where
// `block` points.
class MemoTextWriter {
 public:
  // append: the value `block` points to is kept and the text added after it.
  int Open(int32_t* block, bool append = false);
  void Write(std::string_view text);
  void WriteLine(std::string_view text);
  int Close();  // 0, or 101 when the value could not be written

 private:
  int area_ = 0;
  int32_t* block_ = nullptr;
  std::string text_;
  bool open_ = false;
};

}  // namespace vornelle::engine
