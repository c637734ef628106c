// Memo files: kinds and names, opening and closing with the table, creating, the memo file
// lock, the block headers that locate a value, and header maintenance after a write.

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <thread>

#include "engine/internal.h"
#include "engine/memo.h"
#include "engine/memo_internal.h"
#include "platform/error_codes.h"
#include "platform/file.h"

namespace vornelle::engine {

namespace {

constexpr int kMemoLockAttempts = 11;
constexpr uint64_t kMemoLockByte = 10;

uint32_t LoadLE32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
uint32_t LoadBE32(const uint8_t* p) {
  return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
         (static_cast<uint32_t>(p[2]) << 8) | static_cast<uint32_t>(p[3]);
}
void StoreLE32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
void StoreBE32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * (3 - i)));
}

int ReadExactly(platform::File& file, int64_t offset, void* buffer, std::size_t count) {
  std::size_t got = 0;
  int rc = file.ReadAt(offset, buffer, count, &got);
  if (rc == 0 && got < count) rc = 213;
  return rc;
}

int WriteExactly(platform::File& file, int64_t offset, const void* buffer, std::size_t count) {
  std::size_t put = 0;
  int rc = file.WriteAt(offset, buffer, count, &put);
  if (rc == 0 && put < count) rc = platform::kDiskFull;
  return rc;
}

int64_t BlocksOf(int64_t bytes, uint16_t block_size) {
  return (bytes + block_size - 1) / block_size;
}

// The dBASE IV chain: each node's bytes 0-3 name the next node; block 0 is the first node.
struct ChainLink {
  int64_t node;
  uint32_t next;
};

bool ChainEnds(uint32_t next, int64_t end_blocks) {
  return (next & 0xFFFF) == 0xFFFF || static_cast<int64_t>(next) >= end_blocks;
}

int ReadNode(MemoFile& memo, int64_t node, uint32_t* next, uint32_t* run) {
  uint8_t bytes[8];
  int rc = ReadExactly(memo.file, node * memo.block_size, bytes, 8);
  if (rc != 0) return 30;
  *next = LoadLE32(bytes);
  *run = node == 0 ? 0 : LoadLE32(bytes + 4);  // block 0 is a run of no blocks
  return 0;
}

int WriteNode(MemoFile& memo, int64_t node, uint32_t next, const uint32_t* run) {
  uint8_t bytes[8];
  StoreLE32(bytes, next);
  if (run) StoreLE32(bytes + 4, *run);
  return WriteExactly(memo.file, node * memo.block_size, bytes, run ? 8 : 4) == 0 ? 0 : 29;
}

}  // namespace

uint8_t MemoTypeOf(uint8_t version) {
  if (version >= 0x30 && version <= 0x32) return kMemoFoxPro;  // Visual FoxPro's .fpt
  switch (version) {
    case kMemoDbase3:
    case kMemoDbase4:
    case kMemoLevel7:
    case kMemoFoxPro: return version;
    default: return kDefaultMemoType;
  }
}

std::string MemoFileName(const std::string& table_name, uint8_t memo_type) {
  std::filesystem::path p(table_name);
  std::string ext = p.extension().string();
  bool lower = false;
  for (char c : ext) lower |= (c >= 'a' && c <= 'z');
  std::string memo_ext = memo_type == kMemoFoxPro ? ".FPT" : ".DBT";
  if (lower)
    for (char& c : memo_ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  p.replace_extension(memo_ext);
  return p.string();
}

int OpenMemoFile(WorkArea& wa) {
  EngineState& s = State();
  uint8_t type = MemoTypeOf(wa.version);
  std::string name = platform::ResolveCase(MemoFileName(wa.file_name, type));
  if (wa.memo) {
    Report(1007, name + " [USE]");
    return 1007;
  }
  auto memo = std::make_unique<MemoFile>();
  memo->type = type;
  memo->name = name;
  uint8_t mode = platform::mode::kReadWrite | platform::mode::kDenyAll;
  if (s.switches.network && !wa.exclusive) mode = platform::mode::kReadWrite | platform::mode::kDenyNone;
  if (s.switches.open_mode_override) mode = *s.switches.open_mode_override;
  int rc = memo->file.Open(name, mode);
  if (rc != 0) {
    // Reported here first: raising errors, this is the report the user sees; otherwise the
    // table's own report follows.
    Report(rc, "Memo file not found: " + name + " [USE]");
    return rc;
  }
  memo->read_ahead = wa.sequential;
  memo->block_size = kDefaultBlockSize;
  uint8_t head[24] = {};
  if (type == kMemoFoxPro) {
    if (ReadExactly(memo->file, 0, head, 8) == 0)
      memo->block_size = static_cast<uint16_t>((head[6] << 8) | head[7]);
  } else if (type != kMemoDbase3) {
    if (ReadExactly(memo->file, 0, head, 24) == 0)
      memo->block_size = static_cast<uint16_t>(head[20] | (head[21] << 8));
  }
  if (memo->block_size == 0) memo->block_size = kDefaultBlockSize;
  wa.memo = std::move(memo);
  return 0;
}

void CloseMemoFile(WorkArea& wa) {
  if (!wa.memo) return;
  ReleaseMemoLock(&wa);
  wa.memo->blob = BlobDescriptor();
  std::string name = wa.memo->name;
  int rc = wa.memo->file.Close();
  wa.memo.reset();
  if (rc != 0) Report(rc, name + " [CloseMemofile]");
}

bool LockMemoFile(WorkArea& wa) {
  MemoFile& memo = *wa.memo;
  memo.window.clear();  // what a writer changes must not be read from before
  if (!State().switches.network || wa.exclusive) {
    memo.locked = false;
    return true;
  }
  for (int attempt = 0; attempt < kMemoLockAttempts; ++attempt) {
    if (attempt > 0) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (memo.file.LockRange(kMemoLockByte, 1) == 0) {
      memo.locked = true;
      return true;
    }
  }
  memo.locked = false;
  return false;
}

void ReleaseMemoLock(WorkArea* wa) {
  if (!wa || !wa->memo || !wa->memo->locked) return;
  wa->memo->file.UnlockRange(kMemoLockByte, 1);
  wa->memo->locked = false;
}

namespace {

constexpr std::size_t kWindowBytes = 64 * 1024;

bool WindowHolds(const MemoFile& memo, int64_t offset, int64_t end) {
  return !memo.window.empty() && offset >= memo.window_offset &&
         end <= memo.window_offset + static_cast<int64_t>(memo.window.size());
}

// Fills the read-ahead window from `offset` on, when a window may pay there: values out of
// order are read alone, until a window might pay again; a window that served more than its
// first value is filled again where the scan went. False (with *rc 0) when the bytes are to be
// read alone.
bool FillWindowAt(MemoFile& memo, int64_t offset, int* rc) {
  *rc = 0;
  if (!memo.window.empty() && memo.window_hits < 2 && ++memo.single_reads % 16 != 0) return false;
  memo.window.resize(kWindowBytes);
  std::size_t filled = 0;
  if ((*rc = memo.file.ReadAt(offset, memo.window.data(), kWindowBytes, &filled)) != 0) {
    memo.window.clear();
    return false;
  }
  memo.window.resize(filled);
  memo.window_offset = offset;
  memo.window_hits = 0;
  memo.single_reads = 0;
  return true;
}

// The window's bytes from `offset` (which it holds, or which lies past a window cut short by
// the end of the file), up to `count` of them.
std::string_view FromWindow(MemoFile& memo, int64_t offset, std::size_t count) {
  ++memo.window_hits;
  const std::size_t from = std::min(static_cast<std::size_t>(offset - memo.window_offset), memo.window.size());
  return {memo.window.data() + from, std::min(count, memo.window.size() - from)};
}

}  // namespace

int ReadMemoBytes(MemoFile& memo, int64_t offset, char* out, std::size_t count, std::size_t* got) {
  if (!memo.read_ahead || count > kWindowBytes) return memo.file.ReadAt(offset, out, count, got);
  if (!WindowHolds(memo, offset, offset + static_cast<int64_t>(count))) {
    int rc = 0;
    if (!FillWindowAt(memo, offset, &rc)) return rc != 0 ? rc : memo.file.ReadAt(offset, out, count, got);
  }
  // A window cut short by the file's end gives what the file holds, as a read would.
  const std::string_view held = FromWindow(memo, offset, count);
  std::memcpy(out, held.data(), held.size());
  *got = held.size();
  return 0;
}

int ViewMemoBytes(MemoFile& memo, int64_t offset, std::size_t count, std::string_view* view) {
  count = std::min(count, kWindowBytes);
  if (memo.read_ahead) {
    int rc = 0;
    if (WindowHolds(memo, offset, offset + 1) || FillWindowAt(memo, offset, &rc)) {
      *view = FromWindow(memo, offset, count);
      return 0;
    }
    if (rc != 0) return rc;
  }
  // Kept at its largest size: growing it again would clear bytes only to read over them.
  if (memo.scratch.size() < count) memo.scratch.resize(count);
  std::size_t got = 0;
  const int rc = memo.file.ReadAt(offset, memo.scratch.data(), count, &got);
  *view = {memo.scratch.data(), rc == 0 ? got : 0};
  return rc;
}

MemoValueHead DecodeMemoValueHead(uint8_t memo_type, const uint8_t* head, std::size_t size) {
  if (memo_type == kMemoFoxPro) return {8, LoadBE32(head + 4)};
  if (size >= 8 && head[0] == 0xFF && head[1] == 0xFF && head[2] == 0x08 && head[3] == 0x00) {
    const uint32_t stored = LoadLE32(head + 4);  // counts the header's 8 bytes
    return {8, stored < 8 ? 0 : int64_t{stored} - 8};
  }
  return {};  // a dBASE III value: no header, ends at 0x1A
}

int LocateMemoValue(MemoFile& memo, int32_t block, MemoValueSpan* span,
                    std::vector<char>* first, std::size_t first_read) {
  // One read brings the block header and, for most values, the whole text.
  std::vector<char> local;
  std::vector<char>& chunk = first ? *first : local;
  const std::size_t wanted = std::max<std::size_t>({memo.block_size, 8, first_read});
  chunk.resize(wanted);
  int64_t offset = std::abs(static_cast<int64_t>(block)) * memo.block_size;
  std::size_t got = 0;
  int rc = ReadMemoBytes(memo, offset, chunk.data(), chunk.size(), &got);
  if (rc != 0) return rc;
  if (got < 2) return 1003;  // the offset is at or past the last byte of the file
  if (memo.type == kMemoFoxPro && got < 8) return 213;
  const MemoValueHead head = DecodeMemoValueHead(memo.type, reinterpret_cast<const uint8_t*>(chunk.data()), got);
  span->data_start = offset + static_cast<int64_t>(head.data_offset);
  span->length = head.length;
  chunk.resize(got);
  span->first_read_at_end = got < wanted;
  span->first_data = static_cast<std::size_t>(span->data_start - offset);
  // A length the file cannot hold is a damaged memo, not a value to cut short silently.
  int64_t end = span->data_start + span->length;
  if (span->length >= 0 && end > offset + static_cast<int64_t>(got)) {
    if (got < wanted || end > MemoFileSize(memo, end)) return 213;
  }
  return 0;
}

int64_t MemoFileSize(MemoFile& memo, int64_t at_least) {
  if (memo.known_size < at_least) {
    int64_t size = 0;
    memo.known_size = memo.file.Size(&size) == 0 ? size : -1;
  }
  return memo.known_size;
}

int UpdateMemoHeader(MemoFile& memo, int64_t old_end_blocks) {
  int64_t size = 0;
  memo.file.Size(&size);
  uint32_t end_blocks = static_cast<uint32_t>(BlocksOf(size, memo.block_size));
  uint8_t word[4];
  if (memo.type == kMemoFoxPro) {
    StoreBE32(word, end_blocks);
    return WriteExactly(memo.file, 0, word, 4) == 0 ? 0 : 29;
  }
  if (memo.type == kMemoDbase3) {
    StoreLE32(word, end_blocks);
    return WriteExactly(memo.file, 0, word, 4) == 0 ? 0 : 29;
  }
  // dBASE IV: the chain's last node points at the end of the file, now past our value.
  int64_t node = 0;
  for (int visited = 0; visited < 100; ++visited) {
    uint32_t next = 0, run = 0;
    if (ReadNode(memo, node, &next, &run) != 0) return 30;
    if ((next & 0xFFFF) == 0xFFFF) break;
    if (static_cast<int64_t>(next) >= old_end_blocks) {
      if (WriteNode(memo, node, end_blocks, nullptr) != 0) return 29;
      break;
    }
    node = next;
  }
  // The counter at 32 counts the pieces of the last line-list read.
  uint8_t counter[4] = {};
  if (size >= 36 && ReadExactly(memo.file, 32, counter, 4) == 0) {
    StoreLE32(counter, LoadLE32(counter) + static_cast<uint32_t>(State().last_memo_pieces));
    if (WriteExactly(memo.file, 32, counter, 4) != 0) return 29;
  }
  return 0;
}

int FindDbase4Run(MemoFile& memo, int32_t old_block, int64_t need, int64_t* block) {
  int64_t size = 0;
  memo.file.Size(&size);
  const int64_t end_blocks = BlocksOf(size, memo.block_size);
  // The old value, when large enough, is rewritten in place; its surplus goes to the chain.
  if (old_block != 0) {
    MemoValueSpan span;
    int64_t old = std::abs(static_cast<int64_t>(old_block));
    if (LocateMemoValue(memo, old_block, &span) == 0 && span.length >= 0 &&
        span.data_start == old * memo.block_size + 8) {
      int64_t old_blocks = BlocksOf(span.length + 8, memo.block_size);
      if (old_blocks >= need) {
        if (old_blocks > need) {
          uint32_t head_next = 0, unused = 0;
          if (ReadNode(memo, 0, &head_next, &unused) != 0) return 30;
          uint32_t surplus = static_cast<uint32_t>(old_blocks - need);
          if (WriteNode(memo, old + need, head_next, &surplus) != 0) return 29;
          if (WriteNode(memo, 0, static_cast<uint32_t>(old + need), nullptr) != 0) return 29;
        }
        *block = old;
        return 0;
      }
    }
  }
  // First fit along the chain (at most 100 nodes, so a chain that loops ends).
  int64_t previous = 0;
  uint32_t next = 0, run = 0;
  if (ReadNode(memo, 0, &next, &run) != 0) return 30;
  std::vector<int64_t> visited;
  while (visited.size() < 100 && !ChainEnds(next, end_blocks) && next != 0) {
    int64_t node = next;
    // A damaged chain may loop, or lead into a live value: neither is a free run.
    if (std::find(visited.begin(), visited.end(), node) != visited.end()) break;
    visited.push_back(node);
    uint32_t node_next = 0, node_run = 0;
    if (ReadNode(memo, node, &node_next, &node_run) != 0) return 30;
    if ((node_next & 0xFFFF) == 0xFFFF && (node_next >> 16) == 0x0008) break;
    if (node_run >= need) {
      uint32_t link = node_next;
      if (node_run > need) {
        uint32_t surplus = static_cast<uint32_t>(node_run - need);
        if (WriteNode(memo, node + need, node_next, &surplus) != 0) return 29;
        link = static_cast<uint32_t>(node + need);
      }
      if (WriteNode(memo, previous, link, nullptr) != 0) return 29;
      *block = node;
      return 0;
    }
    previous = node;
    next = node_next;
  }
  // None fits: the value goes to the end, and the chain's last node is pointed past it.
  *block = end_blocks;
  if ((next & 0xFFFF) != 0xFFFF &&
      WriteNode(memo, previous, static_cast<uint32_t>(end_blocks + need), nullptr) != 0)
    return 29;
  return 0;
}

uint8_t GetMemoType() {
  WorkArea* wa = Current();
  return wa ? MemoTypeOf(wa->version) : kDefaultMemoType;
}

void CreateMemofile(const std::string& file_name, uint8_t type, uint16_t block_size) {
  ClearLastError();
  if (block_size == 0) block_size = kDefaultBlockSize;
  std::vector<uint8_t> head;
  switch (type) {
    case kMemoDbase3:
      head.assign(513, 0);
      head[0] = 1;
      head[512] = 0x1A;
      break;
    case kMemoFoxPro: {
      head.assign(512, 0);
      StoreBE32(head.data(), 511u / block_size + 1);
      head[6] = static_cast<uint8_t>(block_size >> 8);
      head[7] = static_cast<uint8_t>(block_size & 0xFF);
      break;
    }
    default: {
      head.assign(24, 0);
      StoreLE32(head.data(), static_cast<uint32_t>(BlocksOf(24, block_size)));
      std::string base = std::filesystem::path(file_name).stem().string().substr(0, 8);
      std::memcpy(head.data() + 8, base.data(), base.size());
      head[18] = 0x02;
      head[19] = 0x01;
      head[20] = static_cast<uint8_t>(block_size & 0xFF);
      head[21] = static_cast<uint8_t>(block_size >> 8);
      break;
    }
  }
  platform::File file;
  int rc = file.Create(file_name);
  if (rc == 0) rc = WriteExactly(file, 0, head.data(), head.size());
  int close_rc = file.Close();
  if (rc == 0) rc = close_rc;
  if (rc != 0) Report(rc, "Error writing " + file_name + ". [CreateMemofile]");
}

}  // namespace vornelle::engine
