#pragma once
// The memo unit's parts that the rest of the engine calls: opening and closing with the table,
// the memo file lock, and the layout of values in the file.

#include <climits>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/memo_types.h"
#include "engine/state.h"

namespace vornelle::engine {

// The memo type a table's version byte implies.
uint8_t MemoTypeOf(uint8_t version);
// The memo file name of a table: its extension replaced by DBT, or FPT for FoxPro, in the case
// of the table's own extension.
std::string MemoFileName(const std::string& table_name, uint8_t memo_type);

// Opens the work area's memo file; returns 0 or the code (nothing reported).
int OpenMemoFile(WorkArea& wa);
// Closes it; reports a close error.
void CloseMemoFile(WorkArea& wa);

// The 1-byte memo file lock around writes (only on shared tables in network mode).
bool LockMemoFile(WorkArea& wa);
void ReleaseMemoLock(WorkArea* wa);

// The largest memo value: positions and lengths in a value are signed 32-bit.
inline constexpr int64_t kMaxMemoValue = INT32_MAX;

// Where a value's data lies: its start and length (-1 = ends at the first 0x1A).
struct MemoValueSpan {
  int64_t data_start = 0;
  int64_t length = -1;
  std::size_t first_data = 0;  // where the data starts in the first block read
  bool first_read_at_end = false;  // the first read reached the end of the file
};
// Reads memo file bytes, through the read-ahead window of a sequential scan.
int ReadMemoBytes(MemoFile& memo, int64_t offset, char* out, std::size_t count, std::size_t* got);
// Up to `count` (at most 64 KiB) of the memo file's bytes from `offset` on, where they lie: in
// a sequential scan's window (fewer where the window ends), else read into the memo file's
// scratch room. Valid until the next read; empty past the end of the file. 0 or the code.
int ViewMemoBytes(MemoFile& memo, int64_t offset, std::size_t count, std::string_view* view);

// Reads the first block of the value at |block| (into `first` when given), or `first_read`
// bytes when that is more, and its header; 0 or the code (1003 bad address, 213 a length that
// runs past the end of the file, or the platform's).
// What a value's first bytes say of it: where its data starts after them (8 past a block
// header, 0 for a dBASE III value) and its length (-1: it ends at its first 0x1A). `head` holds
// `size` bytes; a FoxPro value's caller has made sure of eight.
struct MemoValueHead {
  std::size_t data_offset = 0;
  int64_t length = -1;
};
MemoValueHead DecodeMemoValueHead(uint8_t memo_type, const uint8_t* head, std::size_t size);

int LocateMemoValue(MemoFile& memo, int32_t block, MemoValueSpan* span,
                    std::vector<char>* first = nullptr, std::size_t first_read = 0);

// The memo file's size: the last answer while it is at least `at_least`, else asked again
// (values are only added, so the answer grows stale by growing). -1 when it cannot be had.
int64_t MemoFileSize(MemoFile& memo, int64_t at_least);

// After a write: the header's next free block (and the dBASE IV chain's last node, which pointed
// at the old end of the file) point past the end of the file. 0 or the code (29 write, 30 read).
int UpdateMemoHeader(MemoFile& memo, int64_t old_end_blocks);

// The start block of a new value of `need` blocks in a dBASE IV file, from the free-block
// chain (or the end of the file); `old_block` is reused in place when large enough.
int FindDbase4Run(MemoFile& memo, int32_t old_block, int64_t need, int64_t* block);

}  // namespace vornelle::engine
