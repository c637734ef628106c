// The blob descriptor: streaming one memo value in pieces, read or write, with seeking.

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string_view>
#include <vector>

#include "engine/internal.h"
#include "engine/memo.h"
#include "engine/memo_internal.h"
#include "platform/codepage.h"
#include "platform/error_codes.h"
#include "platform/file.h"

namespace vornelle::engine {

namespace {

constexpr int32_t kPiece = 32767;
// Past this much of an end-marked value, its length is learnt before more is delivered.
constexpr int32_t kScanAhead = 1 << 20;
// What ReadMemoValueInto adds to its room at a time, for the values it does not read directly.
constexpr int32_t kValuePiece = 1 << 20;
// A value longer than a memo value can be: one whose length passes kMaxMemoValue.
constexpr int kValueTooLarge = 1003;
constexpr const char* kTooLargeText = " A memo value cannot pass 2147483647 bytes";
// What a value's first read brings at least: the header and the whole text of most values, also
// in files of small blocks (FoxPro's are often 64 bytes).
constexpr std::size_t kFirstRead = 512;

// The current work area with a memo file, or null after reporting 215 or 1019.
WorkArea* MemoGuard(const char* routine) {
  WorkArea* wa = Current();
  if (!wa) {
    Report(215, " [" + std::string(routine) + "]");
    return nullptr;
  }
  if (!wa->memo) {
    Report(1019, wa->file_name + " No Memo Field [" + routine + "]");
    return nullptr;
  }
  return wa;
}

// `what` says what is wrong when the code alone does not.
std::string BlobContext(const WorkArea& wa, const char* routine, std::string_view what = {}) {
  return std::to_string(wa.memo->blob.block) + " " + wa.memo->name + std::string(what) +
         " Record # " + std::to_string(wa.recno) + " [" + routine + "]";
}

std::string ReadContext(const WorkArea& wa, int rc, const char* routine) {
  return BlobContext(wa, routine, rc == kValueTooLarge ? kTooLargeText : "");
}

// Text is what holds no control bytes but tab, LF, CR and the three that texts carry.
bool LooksLikeText(const char* data, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    auto c = static_cast<uint8_t>(data[i]);
    if (c < 32 && c != 9 && c != 10 && c != 13 && c != 15 && c != 20 && c != 21) return false;
  }
  return true;
}

int64_t FileSize(MemoFile& memo) {
  int64_t size = 0;
  memo.file.Size(&size);
  return size;
}

// Lock, pad the file to a whole number of blocks, and give the offset where a new value starts.
bool LockPadAndSeekEnd(WorkArea& wa, int64_t* end) {
  MemoFile& memo = *wa.memo;
  if (!LockMemoFile(wa)) {
    MemoReport(1017, memo.name + " [CreateBlobDescriptor]");
    return false;
  }
  int64_t size = FileSize(memo);
  if (size == 513 && memo.type == kMemoDbase3) {
    *end = 512;  // the first value of a new file goes over its trailing 0x1A
    return true;
  }
  int64_t padded = (size + memo.block_size - 1) / memo.block_size * memo.block_size;
  if (padded > size) {
    std::vector<char> zeros(static_cast<std::size_t>(padded - size), 0);
    std::size_t put = 0;
    int rc = memo.file.WriteAt(size, zeros.data(), zeros.size(), &put);
    if (rc == 0 && put < zeros.size()) rc = platform::kDiskFull;
    if (rc != 0) {
      MemoReport(rc, memo.name + " [LockMemoPadAndSeekEOF]");
      return false;
    }
  }
  *end = padded;
  return true;
}

// Reads value bytes at a file offset: what the value's first block holds is taken from it, the
// rest is read from the file.
int ReadValueBytes(MemoFile& memo, int64_t offset, char* out, std::size_t count, std::size_t* got) {
  const BlobDescriptor& blob = memo.blob;
  const int64_t held_end = memo.first_block_offset + static_cast<int64_t>(blob.first_block_length);
  std::size_t taken = 0;
  if (offset >= memo.first_block_offset && offset < held_end) {
    taken = static_cast<std::size_t>(std::min<int64_t>(static_cast<int64_t>(count), held_end - offset));
    std::memcpy(out, memo.first_block.data() + (offset - memo.first_block_offset), taken);
    if (taken == count || blob.first_block_at_end) {
      *got = taken;
      return 0;
    }
  }
  std::size_t more = 0;
  int rc = ReadMemoBytes(memo, offset + static_cast<int64_t>(taken), out + taken, count - taken, &more);
  *got = taken + more;
  return rc;
}

int32_t StartRead(WorkArea& wa, bool translate, int32_t block) {
  BlobDescriptor& blob = wa.memo->blob;
  blob.translate = translate ? -1 : 0;
  blob.block = block;
  if (block == 0) {  // no memo: an empty value, not the file header
    blob.length = 0;
    blob.data_start = 0;
  } else {
    MemoValueSpan span;
    MemoFile& memo = *wa.memo;
    int rc = LocateMemoValue(memo, block, &span, &memo.first_block, kFirstRead);
    std::string_view what;
    if (rc == 0 && span.length > kMaxMemoValue) {
      rc = kValueTooLarge;
      what = kTooLargeText;
    }
    if (rc != 0) {
      std::string context = BlobContext(wa, "CreateBlobDescriptor", what);
      blob = BlobDescriptor();
      MemoReport(rc, context);
      return 0;
    }
    blob.data_start = span.data_start;
    blob.length = static_cast<int32_t>(span.length);
    memo.first_block_offset = span.data_start - static_cast<int64_t>(span.first_data);
    blob.first_block_length = memo.first_block.size();
    blob.first_block_at_end = span.first_read_at_end;
  }
  blob.position = 0;
  blob.mode = BlobMode::Read;
  blob.active = true;
  return block;
}

int32_t StartWrite(WorkArea& wa, bool translate, int32_t old_block, int32_t size_hint) {
  MemoFile& memo = *wa.memo;
  BlobDescriptor& blob = memo.blob;
  blob.translate = translate ? -1 : 0;
  if (size_hint > 0) {
    int64_t free_kb = 0;
    platform::FreeDiskKilobytes(memo.name, &free_kb);
    if (size_hint / 1024 >= free_kb) {
      MemoReport(1004, memo.name + " [CreateBlobDescriptor]");
      return 0;
    }
  }
  if (!CheckStillInPlace(wa, "CreateBlobDescriptor")) return 0;
  int64_t end = 0;
  if (!LockPadAndSeekEnd(wa, &end)) return 0;
  blob.old_end_blocks = end / memo.block_size;
  int64_t block = end / memo.block_size;
  if ((memo.type == kMemoDbase4 || memo.type == kMemoLevel7) && size_hint > 0) {
    int64_t need = (static_cast<int64_t>(size_hint) + 8) / memo.block_size + 1;
    int rc = FindDbase4Run(memo, old_block, need, &block);
    if (rc != 0) {
      MemoReport(rc, memo.name + " [UpdateMemoHeader()]");
      return 0;
    }
    blob.length = size_hint;
  } else {
    blob.length = -1;
  }
  if (block > INT32_MAX) {
    MemoReport(1004, memo.name + " [CreateBlobDescriptor]");
    return 0;
  }
  blob.block = static_cast<int32_t>(block);
  // Values in dBASE III files are stored as dBASE III readers expect: the text, then 0x1A 0x1A.
  blob.headerless = memo.type == kMemoDbase3;
  blob.data_start = block * memo.block_size + (blob.headerless ? 0 : 8);
  blob.position = 0;
  blob.written = 0;
  blob.mode = BlobMode::Write;
  blob.active = true;
  return blob.block;
}

// Writes the value's block header (or, for dBASE III, its end mark) once the value is complete.
int FinishValue(MemoFile& memo, const BlobDescriptor& blob) {
  std::size_t put = 0;
  int64_t first = static_cast<int64_t>(blob.block) * memo.block_size;
  uint8_t head[8];
  if (blob.headerless) {
    const char end_mark[2] = {0x1A, 0x1A};
    int rc = memo.file.WriteAt(blob.data_start + blob.written, end_mark, 2, &put);
    return rc == 0 && put == 2 ? 0 : 29;
  }
  uint32_t length = static_cast<uint32_t>(blob.written);
  if (memo.type == kMemoFoxPro) {
    const uint32_t fields[2] = {1, length};
    for (int f = 0; f < 2; ++f)
      for (int i = 0; i < 4; ++i) head[f * 4 + i] = static_cast<uint8_t>(fields[f] >> (8 * (3 - i)));
  } else {
    head[0] = 0xFF, head[1] = 0xFF, head[2] = 0x08, head[3] = 0x00;
    for (int i = 0; i < 4; ++i) head[4 + i] = static_cast<uint8_t>((length + 8) >> (8 * i));
  }
  int rc = memo.file.WriteAt(first, head, 8, &put);
  return rc == 0 && put == 8 ? 0 : 29;
}

}  // namespace

int32_t CreateBlobDescriptor(bool translate, int32_t block, BlobMode mode, int32_t size_hint) {
  ClearLastError();
  WorkArea* wa = MemoGuard("CreateBlobDescriptor");
  if (!wa) return 0;
  // One descriptor serves a work area: a second value started over a value being written would
  // take its place, and what was written so far would be finished as no value at all.
  if (const BlobDescriptor& live = wa->memo->blob; live.active && live.mode == BlobMode::Write && !live.refused) {
    Report(1103, wa->memo->name + " A memo value of this table is being written; finish it first [CreateBlobDescriptor]");
    return 0;
  }
  ReleaseMemoLock(wa);
  wa->memo->blob = BlobDescriptor();
  if (mode == BlobMode::Read) return StartRead(*wa, translate, block);
  if (mode == BlobMode::Write) return StartWrite(*wa, translate, block, size_hint);
  return 0;
}

namespace {

// An end-marked value that reached the largest length ends there only when its mark follows.
int EndsAtLargest(MemoFile& memo, int64_t at) {
  char next = 0;
  std::size_t got = 0;
  if (int rc = ReadValueBytes(memo, at, &next, 1, &got); rc != 0) return rc;
  if (got == 1 && next != 0x1A) return kValueTooLarge;
  memo.blob.length = memo.blob.position;
  return 0;
}

// Up to `count` bytes of the value from its position on, as stored; the position moves past
// them. A value of known length ends there (checked against the file when it was opened); an
// end-marked one at its mark, or at the end of the file as it is now, and fails once it would
// pass the largest value. 0 or the code (not reported).
int ReadPieces(MemoFile& memo, char* out, int32_t count, int32_t* delivered) {
  BlobDescriptor& blob = memo.blob;
  *delivered = 0;
  if (blob.length >= 0) {
    count = static_cast<int32_t>(std::min<int64_t>(count, blob.length - blob.position));
  } else {
    const int64_t at = blob.data_start + blob.position;
    const int64_t in_file = MemoFileSize(memo, at + count) - at;
    if (in_file <= 0) return 0;
    if (blob.position == kMaxMemoValue) return EndsAtLargest(memo, at);
    count = static_cast<int32_t>(std::min<int64_t>({count, in_file, kMaxMemoValue - blob.position}));
  }
  int rc = 0;
  int32_t done = 0;
  while (done < count) {
    const int32_t piece = std::min(kPiece, count - done);
    std::size_t got = 0;
    rc = ReadValueBytes(memo, blob.data_start + blob.position + done, out + done,
                        static_cast<std::size_t>(piece), &got);
    if (rc != 0) break;
    auto take = static_cast<int32_t>(got);
    if (blob.length < 0) {
      // A dBASE III value ends at its first 0x1A; what follows is padding, not the value.
      if (auto* mark = static_cast<char*>(std::memchr(out + done, 0x1A, got))) {
        take = static_cast<int32_t>(mark - (out + done));
        blob.length = blob.position + done + take;
        done += take;
        break;
      }
    }
    done += take;
    if (got < static_cast<std::size_t>(piece)) break;
  }
  blob.position += done;
  *delivered = done;
  return rc;
}

// Reads an end-marked value through, in bounded memory, to learn its length; the descriptor is
// put back as it was but for the length. 0 or the code (not reported).
int LearnLength(MemoFile& memo) {
  BlobDescriptor& blob = memo.blob;
  if (blob.mode != BlobMode::Read || blob.length >= 0) return 0;
  const BlobDescriptor saved = blob;
  std::vector<char> sink(kPiece);
  int32_t got = 0;
  int rc = 0;
  while ((rc = ReadPieces(memo, sink.data(), kPiece, &got)) == 0 && got > 0) {
  }
  const int32_t length = blob.length >= 0 ? blob.length : blob.position;
  blob = saved;
  if (rc == 0) blob.length = length;
  return rc;
}

// ReadPieces, but an end-marked value has its length learnt before more than its first MiB is
// delivered: a value too large fails before a caller has gathered 2 GB of it.
int ReadValue(MemoFile& memo, char* out, int32_t count, int32_t* delivered) {
  *delivered = 0;
  const BlobDescriptor& blob = memo.blob;
  if (!blob.active || blob.mode != BlobMode::Read || count <= 0) return 0;
  if (blob.length < 0 && static_cast<int64_t>(blob.position) + count > kScanAhead)
    if (int rc = LearnLength(memo); rc != 0) return rc;
  return ReadPieces(memo, out, count, delivered);
}

// Whether the value is text is decided by the first piece delivered; text is converted from OEM.
void TranslateDelivered(BlobDescriptor& blob, char* data, int32_t count) {
  if (count <= 0) return;
  if (blob.translate == -1)
    blob.translate = LooksLikeText(data, static_cast<std::size_t>(std::min(count, kPiece))) ? 1 : 0;
  if (blob.translate == 1) platform::OemToAnsi(data, static_cast<std::size_t>(count));
}

}  // namespace

int32_t ReadBlobStream(void* buffer, int32_t count) {
  WorkArea* wa = Current();
  if (!wa || !wa->memo) return 0;
  auto* out = static_cast<char*>(buffer);
  int32_t delivered = 0;
  const int rc = ReadValue(*wa->memo, out, count, &delivered);
  TranslateDelivered(wa->memo->blob, out, delivered);
  if (rc != 0) MemoReport(rc, ReadContext(*wa, rc, "ReadBlobStream"));
  return delivered;
}

namespace {

// One piece of a value as the memo file will hold it. The first piece decides whether the value
// is text to translate.
void StoredPiece(const WorkArea& wa, BlobDescriptor& blob, const char* in, int32_t piece, std::vector<char>& out) {
  if (blob.translate == -1) blob.translate = LooksLikeText(in, piece) ? 1 : 0;
  out.assign(in, in + piece);  // the caller's buffer is never changed
  if (blob.translate == 1) platform::AnsiToOem(out.data(), out.size());
  if (wa.write_table)
    for (char& c : out) c = static_cast<char>(wa.write_table[static_cast<uint8_t>(c)]);
}

// A dBASE III value ends at its first 0x1A, so a value holding one would come back cut short.
bool HoldsEndMark(const WorkArea& wa, BlobDescriptor& blob, const char* in, int32_t count) {
  std::vector<char> piece_copy;
  for (int32_t taken = 0; taken < count; taken += kPiece) {
    StoredPiece(wa, blob, in + taken, std::min(kPiece, count - taken), piece_copy);
    if (std::find(piece_copy.begin(), piece_copy.end(), '\x1A') != piece_copy.end()) return true;
  }
  return false;
}

}  // namespace

int32_t WriteBlobStream(const void* buffer, int32_t count) {
  WorkArea* wa = Current();
  if (!wa || !wa->memo) return 0;
  MemoFile& memo = *wa->memo;
  BlobDescriptor& blob = memo.blob;
  if (!blob.active || blob.mode != BlobMode::Write || blob.refused || count <= 0) return 0;
  if (blob.length >= 0) count = std::min(count, std::max(0, blob.length - blob.position));
  if (static_cast<int64_t>(blob.position) + count > INT32_MAX) {
    // Positions and lengths are signed 32-bit: such a value could be neither stored nor read.
    blob.refused = true;
    MemoReport(1005, memo.name + kTooLargeText + " [WriteBlobStream]");
    return 0;
  }
  const auto* in = static_cast<const char*>(buffer);
  if (blob.headerless && HoldsEndMark(*wa, blob, in, count)) {
    blob.refused = true;
    MemoReport(1005, memo.name + " A dBASE III memo cannot hold the byte 0x1A [WriteBlobStream]");
    return 0;
  }
  std::vector<char> piece_copy;
  int32_t taken = 0;
  while (taken < count) {
    int32_t piece = std::min(kPiece, count - taken);
    StoredPiece(*wa, blob, in + taken, piece, piece_copy);
    std::size_t put = 0;
    int rc = memo.file.WriteAt(blob.data_start + blob.position + taken, piece_copy.data(),
                               piece_copy.size(), &put);
    taken += static_cast<int32_t>(put);
    if (rc == 0 && put < piece_copy.size()) rc = platform::kDiskFull;
    if (rc != 0) {
      // Part of the value is missing: it is never finished, and the record keeps its old one.
      blob.position += taken;
      blob.written = std::max(blob.written, blob.position);
      blob.refused = true;
      MemoReport(rc, BlobContext(*wa, "WriteBlobStream"));
      return taken;
    }
  }
  blob.position += taken;
  blob.written = std::max(blob.written, blob.position);
  return taken;
}

int32_t SeekBlob(int32_t offset, int origin) {
  WorkArea* wa = Current();
  if (!wa || !wa->memo) return 0;
  BlobDescriptor& blob = wa->memo->blob;
  if (!blob.active || blob.block == 0) return blob.position;
  // The length of a value that ends at 0x1A is learnt by reading it through once: before a
  // seek from its end, and before one forward over bytes not yet read, which might lie past
  // its end mark in the next value.
  auto learn_length = [&] {
    const int rc = LearnLength(*wa->memo);
    if (rc != 0) MemoReport(rc, ReadContext(*wa, rc, "SeekBlob"));
    return rc == 0;
  };
  int64_t target = blob.position;
  switch (origin) {
    case 0: target = offset; break;
    case 1: target = static_cast<int64_t>(blob.position) + offset; break;
    case 2:
      if (!learn_length()) return blob.position;
      if (blob.length >= 0) target = static_cast<int64_t>(blob.length) + offset;
      break;
    default: break;
  }
  if (target > blob.position && !learn_length()) return blob.position;
  if (target < 0) target = 0;
  blob.position = static_cast<int32_t>(std::min<int64_t>(target, INT32_MAX));
  return blob.position;
}

bool DestroyBlobDescriptor() {
  WorkArea* wa = MemoGuard("DestroyBlobDescriptor");
  if (!wa) return false;
  MemoFile& memo = *wa->memo;
  BlobDescriptor& blob = memo.blob;
  const BlobDescriptor finishing = blob;
  blob = BlobDescriptor();
  if (!finishing.active || finishing.mode != BlobMode::Write) return true;
  // Whatever happens below, the memo file lock is given back: a value that cannot be finished
  // must not keep other programs from writing theirs.
  auto unlock = [&] {
    const bool held = memo.locked;
    memo.locked = false;
    return !held || memo.file.UnlockRange(10, 1) == 0;
  };
  if (finishing.refused) {
    // Nothing of a refused value is kept: the file's header still ends before it.
    unlock();
    return false;
  }
  if (finishing.written > 0 && FinishValue(memo, finishing) != 0) {
    unlock();
    MemoReport(29, memo.name + " [WriteGroupHeader()]");
    return false;
  }
  // Until the header's next free block lies past the value, the next value would be written
  // over it: a value is stored only once the header says so.
  if (int rc = UpdateMemoHeader(memo, finishing.old_end_blocks); rc != 0) {
    unlock();
    MemoReport(rc, memo.name + (rc == 30 ? " [UpdateMemoHeader()]" : " [MainHeaderWrite()]"));
    return false;
  }
  if (!unlock()) {
    Report(1018, memo.name + " [EditMemo/CloseMemo]");
    return false;
  }
  if (int rc = memo.file.Flush(); rc != 0) {
    Report(rc, "Unable to flush file [FlushFile]");
    return false;
  }
  return true;
}

void AbandonBlobDescriptor() {
  WorkArea* wa = Current();
  if (!wa || !wa->memo) return;
  ReleaseMemoLock(wa);
  wa->memo->blob = BlobDescriptor();
}

std::string ReadMemoValue(int32_t block, bool translate) {
  std::string value;
  ReadMemoValueInto(block, translate, value);
  return value;
}

namespace {


// A value read without a descriptor, as most are: its bytes are looked at where they lie (in a
// sequential scan's memo window, or in a read of a few KiB) and only its own are copied, an
// end-marked value's up to its mark, so that a value costs its bytes and not the room its
// unknown length might need. A value longer than its first MiB (whose length the general path
// learns before it gathers more), and every fault, are left to the general path and its
// reports: false, with `value` empty. With `whole`, a value the bytes looked at hold whole is not
// copied at all: *whole views it there (until the memo file is next read); otherwise *whole
// views `value`.
bool ReadDirect(MemoFile& memo, int32_t block, bool translate, std::string& value,
                std::string_view* whole = nullptr) {
  const bool viewed = whole && !translate;  // a translated value is a copy
  const int64_t offset = std::abs(static_cast<int64_t>(block)) * memo.block_size;
  // The first look takes in the header and the whole text of most values: what a window holds
  // costs nothing to look at, a read alone costs its bytes.
  std::size_t step = memo.read_ahead ? 4096 : std::max<std::size_t>(kFirstRead, memo.block_size);
  std::string_view look;
  if (ViewMemoBytes(memo, offset, step, &look) != 0 || look.size() < 8) return false;
  const int64_t length =
      DecodeMemoValueHead(memo.type, reinterpret_cast<const uint8_t*>(look.data()), look.size()).length;
  if (length > kScanAhead) return false;
  if (length >= 0) {
    const auto at_hand = std::min(static_cast<std::size_t>(length), look.size() - 8);
    if (viewed && at_hand == static_cast<std::size_t>(length)) {
      *whole = look.substr(8, at_hand);
      return true;
    }
    value.assign(look.data() + 8, at_hand);
    const auto rest = static_cast<std::size_t>(length) - at_hand;
    if (rest > 0) {
      // Room for the rest only once the file is known to hold it.
      const int64_t end = offset + 8 + length;
      std::size_t got = 0;
      if (MemoFileSize(memo, end) < end) return value.clear(), false;
      value.resize(static_cast<std::size_t>(length));
      if (ReadMemoBytes(memo, end - static_cast<int64_t>(rest), value.data() + at_hand, rest, &got) != 0 ||
          got < rest)
        return value.clear(), false;
    }
  } else {
    // The value ends at its mark, or where the file ends.
    int64_t at = offset;
    if (const void* mark = std::memchr(look.data(), 0x1A, look.size()); mark && viewed) {
      *whole = look.substr(0, static_cast<std::size_t>(static_cast<const char*>(mark) - look.data()));
      return true;
    }
    while (true) {
      const auto* mark = static_cast<const char*>(std::memchr(look.data(), 0x1A, look.size()));
      value.append(look.data(), mark ? static_cast<std::size_t>(mark - look.data()) : look.size());
      if (mark || look.empty()) break;
      if (value.size() > static_cast<std::size_t>(kScanAhead)) return value.clear(), false;
      at += static_cast<int64_t>(look.size());
      step *= 2;
      if (ViewMemoBytes(memo, at, step, &look) != 0) return value.clear(), false;
    }
  }
  if (translate && LooksLikeText(value.data(), std::min(value.size(), static_cast<std::size_t>(kPiece))))
    platform::OemToAnsi(value.data(), value.size());
  if (whole) *whole = value;
  return true;
}

// The value read without a descriptor when it can be (see ReadDirect); false, with `value`
// empty, when the general path is to read it.
bool ReadWithoutDescriptor(int32_t block, bool translate, std::string& value, std::string_view* whole) {
  WorkArea* wa = Current();
  if (!wa || !wa->memo || wa->memo->blob.active) return false;
  bool read = false;
  try {
    read = ReadDirect(*wa->memo, block, translate, value, whole);
  } catch (const std::bad_alloc&) {
    value = std::string();  // the general path reports it
  }
  if (read) ClearLastError();  // as a read through a descriptor starts
  return read;
}

// The value through a blob descriptor, with its reports: what ReadDirect leaves.
bool ReadThroughDescriptor(int32_t block, bool translate, std::string& value) {
  if (CreateBlobDescriptor(translate, block, BlobMode::Read) == 0 && LastError() != 0) return false;
  const BlobDescriptor& blob = Current()->memo->blob;
  // The room grows with the bytes read, a piece ahead of them at most: a length in a block
  // header is only a claim until its bytes are there. Once the length is known (an end-marked
  // value learns it past its first MiB) the room stops at it, instead of doubling past it.
  int32_t got = 0;
  try {
    do {
      const std::size_t at = value.size();
      const int64_t left = blob.length >= 0 ? blob.length - blob.position : kValuePiece;
      const auto piece = static_cast<int32_t>(std::min<int64_t>(left, kValuePiece));
      if (piece <= 0) break;
      if (at + static_cast<std::size_t>(piece) > value.capacity()) {
        std::size_t room = std::max(value.capacity() * 2, at + static_cast<std::size_t>(piece));
        if (blob.length >= 0) room = std::min(room, static_cast<std::size_t>(blob.length));
        value.reserve(room);
      }
      value.resize(at + static_cast<std::size_t>(piece));
      got = ReadBlobStream(value.data() + at, piece);
      value.resize(at + static_cast<std::size_t>(std::max(got, 0)));
    } while (got > 0 && LastError() == 0);
  } catch (const std::bad_alloc&) {
    // A legal value larger than the memory left: the engine's report, not an abort.
    value = std::string();
    std::string context = BlobContext(*Current(), "ReadMemoValue");
    AbandonBlobDescriptor();
    MemoReport(217, context);
    return false;
  }
  const bool read = LastError() == 0;
  DestroyBlobDescriptor();
  return read && LastError() == 0;
}

}  // namespace

bool ViewMemoValue(int32_t block, std::string& room, std::string_view* value) {
  room.clear();
  *value = {};
  if (block == 0 || ReadWithoutDescriptor(block, false, room, value)) return true;
  const bool read = ReadThroughDescriptor(block, false, room);
  *value = room;
  return read;
}

bool ReadMemoValueInto(int32_t block, bool translate, std::string& value) {
  value.clear();
  if (block == 0 || ReadWithoutDescriptor(block, translate, value, nullptr)) return true;
  return ReadThroughDescriptor(block, translate, value);
}

int32_t WriteMemoValue(std::string_view text, bool translate) {
  if (text.empty()) return 0;
  int32_t block = CreateBlobDescriptor(translate, 0, BlobMode::Write);
  if (block == 0) return 0;
  int32_t taken = 0;
  try {
    taken = WriteBlobStream(text.data(), static_cast<int32_t>(text.size()));
  } catch (...) {
    AbandonBlobDescriptor();
    throw;
  }
  if (LastError() != 0 || taken != static_cast<int32_t>(text.size())) {
    AbandonBlobDescriptor();
    return 0;
  }
  return DestroyBlobDescriptor() ? block : 0;
}

}  // namespace vornelle::engine
