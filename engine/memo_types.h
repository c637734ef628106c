#pragma once
// The per-work-area memo control block and the blob descriptor through which one memo value is
// streamed.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/file.h"

namespace vornelle::engine {

// Memo file kinds, named by the table version byte that owns them.
inline constexpr uint8_t kMemoDbase3 = 0x83;
inline constexpr uint8_t kMemoDbase4 = 0x8B;
inline constexpr uint8_t kMemoLevel7 = 0x8C;
inline constexpr uint8_t kMemoFoxPro = 0xF5;
inline constexpr uint8_t kDefaultMemoType = kMemoDbase4;
inline constexpr uint16_t kDefaultBlockSize = 512;

enum class BlobMode : uint8_t { None = 0, Read = 1, Write = 2 };

struct BlobDescriptor {
  bool active = false;
  BlobMode mode = BlobMode::None;
  int32_t length = -1;      // data bytes; -1 = unknown (ends at 0x1A)
  int64_t data_start = 0;   // file offset of the first data byte
  int32_t position = 0;     // offset within the data
  int32_t block = 0;        // first block of the value
  int32_t translate = 0;    // -1 undecided, 0 no, 1 OEM <-> ANSI
  bool headerless = false;  // written as a plain dBASE III value: the text, then 0x1A 0x1A
  int32_t written = 0;      // write mode: the end of what was written
  int64_t old_end_blocks = 0;  // write mode: the file's end, in blocks, before the value
  bool refused = false;  // write mode: refused or a write failed; the value is never finished
  // Read mode: how much of MemoFile::first_block, read from the value's first block, is valid,
  // and whether that read reached the end of the file.
  std::size_t first_block_length = 0;
  bool first_block_at_end = false;
};

struct MemoFile {
  platform::File file;
  uint8_t type = kDefaultMemoType;
  uint16_t block_size = kDefaultBlockSize;
  std::string name;  // full memo file name
  bool locked = false;
  BlobDescriptor blob;
  // The first block of the value being read, header and all: most values lie wholly in it, so
  // they cost one read.
  std::vector<char> first_block;
  int64_t first_block_offset = 0;
  // The file's size when it was last asked; asked again only when a value seems to run past it.
  int64_t known_size = -1;
  // A sequential scan reads the file ahead: values mostly follow one another in block order,
  // so one read brings many. The bytes from window_offset on; dropped before any write.
  bool read_ahead = false;
  std::vector<char> window;
  int64_t window_offset = 0;
  int window_hits = 0;   // reads the window served since it was filled
  int single_reads = 0;  // reads made alone since then, for values it did not hold
  // Bytes read alone to be looked at (ViewMemoBytes) when the file is not read ahead.
  std::vector<char> scratch;
};

}  // namespace vornelle::engine
