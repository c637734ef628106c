// Memo text by lines: GetMemo fills the engine's line list, breaking long lines, and the memo
// text reader and writer give line-oriented access to one value.

#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/internal.h"
#include "engine/memo.h"
#include "engine/memo_internal.h"
#include "engine/table.h"

namespace vornelle::engine {

namespace {

constexpr uint8_t kHardReturn = 0x0D;
// dBASE editors mark where they wrapped a line with 0x8D 0x0A. Alone, 0x8D is a letter (ì in
// code page 437), so only the pair is a soft return.
constexpr uint8_t kSoftReturn = 0x8D;
constexpr uint8_t kWidthBreak = 0;
constexpr std::size_t kHardLineMax = 253;

// Collects characters into lines, breaking a line that reaches the width after its last blank.
class LineBuilder {
 public:
  LineBuilder(MemoLines& out, std::size_t limit, std::size_t break_at)
      : out_(out), limit_(limit), break_at_(break_at) {}

  void Take(char c) {
    auto u = static_cast<uint8_t>(c);
    if (soft_pending_) {
      soft_pending_ = false;
      if (u == 0x0A) {
        EndLine(kSoftReturn);
        return;
      }
      Append(static_cast<char>(kSoftReturn));  // a letter after all
    }
    if (skip_lf_) {
      skip_lf_ = false;
      if (u == 0x0A) return;
    }
    if (u == kHardReturn) {
      EndLine(kHardReturn);
      skip_lf_ = true;
    } else if (u == kSoftReturn) {
      soft_pending_ = true;  // the next byte tells
    } else {
      Append(c);
    }
  }

  void Finish() {
    if (soft_pending_) Append(static_cast<char>(kSoftReturn));
    soft_pending_ = false;
    if (!line_.empty()) Store(std::move(line_), kWidthBreak);
    line_.clear();
  }

 private:
  void EndLine(uint8_t end) {
    Store(std::move(line_), end);
    line_.clear();
  }

  void Append(char c) {
    line_ += c;
    if (line_.size() < break_at_) return;
    std::size_t blank = line_.rfind(' ');
    if (blank == std::string::npos) {
      EndLine(kWidthBreak);
    } else {
      std::string rest = line_.substr(blank + 1);
      line_.resize(blank + 1);
      Store(std::move(line_), kWidthBreak);
      line_ = std::move(rest);
    }
  }

  // Lines beyond the list's room are read and dropped.
  void Store(std::string line, uint8_t end) {
    if (out_.lines.size() >= limit_) return;
    out_.lines.push_back(std::move(line));
    out_.ends.push_back(end);
  }

  MemoLines& out_;
  std::size_t limit_;
  std::size_t break_at_;
  std::string line_;
  bool skip_lf_ = false;
  bool soft_pending_ = false;  // a 0x8D came: a soft return when LF follows, else a letter
};

}  // namespace

const MemoLines& MemoLineList() { return State().memo_lines; }

void RemoveSoftReturns(std::string& stored) {
  std::size_t kept = 0;
  for (std::size_t i = 0; i < stored.size(); ++i) {
    if (static_cast<uint8_t>(stored[i]) == kSoftReturn && i + 1 < stored.size() &&
        stored[i + 1] == '\n') {
      ++i;
      continue;
    }
    stored[kept++] = stored[i];
  }
  stored.resize(kept);
}

namespace {

// Delivers the value at `block` of the current table as stored (after the work area's read
// table) to `take`, a piece at a time, up to its end: its length, or its first 0x1A, or the end
// of the file. A value past kMaxLineReaderValue fails with 217: what the calendar shows is a
// screenful, and a value past the cap is damage (or a file that never ends), whose reading
// would only keep the window waiting. Reports and returns false on failure.
template <typename Take>
bool ReadShownValue(WorkArea& wa, int32_t block, const char* routine, Take&& take) {
  EngineState& s = State();
  MemoFile& memo = *wa.memo;
  const std::string suffix = "\n Record # " + std::to_string(wa.recno) + " [" + routine + "]";
  MemoValueSpan span;
  std::vector<char> piece;
  int rc = LocateMemoValue(memo, block, &span, &piece);
  if (rc != 0) {
    MemoReport(rc, memo.name + suffix);
    return false;
  }
  auto too_long = [&] {
    MemoReport(217, memo.name + " A memo value read by lines cannot pass " + std::to_string(kMaxLineReaderValue) +
                        " bytes" + suffix);
    return false;
  };
  if (span.length > kMaxLineReaderValue) return too_long();

  // The first piece came with the header; the rest follows in pieces of one block (512 bytes
  // when a read translation table applies to each).
  std::size_t piece_size = wa.read_table ? 512u : memo.block_size;
  std::size_t from = span.first_data;
  int64_t position = span.data_start + static_cast<int64_t>(piece.size() - from);
  int64_t remaining = span.length;  // -1: up to the first 0x1A (or the end of the file)
  while (true) {
    std::size_t count = piece.size() - from;
    if (remaining >= 0) count = static_cast<std::size_t>(std::min<int64_t>(remaining, count));
    ++s.last_memo_pieces;
    char* data = piece.data() + from;
    if (wa.read_table)
      for (std::size_t i = 0; i < count; ++i) data[i] = static_cast<char>(wa.read_table[static_cast<uint8_t>(data[i])]);
    if (remaining < 0) {
      if (auto* mark = static_cast<char*>(std::memchr(data, 0x1A, count))) {
        count = static_cast<std::size_t>(mark - data);
        remaining = 0;
      }
    } else {
      remaining -= static_cast<int64_t>(count);
    }
    take(data, count);
    if (remaining == 0) break;
    if (remaining < 0 && position - span.data_start > kMaxLineReaderValue) return too_long();
    std::size_t want = remaining < 0 ? piece_size : static_cast<std::size_t>(std::min<int64_t>(remaining, piece_size));
    piece.resize(want);
    std::size_t got = 0;
    rc = ReadMemoBytes(memo, position, piece.data(), want, &got);
    if (rc == 0 && got == 0 && remaining > 0) rc = 213;  // the file ends inside the value
    if (rc != 0) {
      MemoReport(rc, memo.name + suffix);
      return false;
    }
    if (got == 0) break;  // a dBASE III value that runs to the end of the file
    piece.resize(got);
    from = 0;
    position += static_cast<int64_t>(got);
  }
  return true;
}

// The current work area with a memo file, or null after reporting 215 or 1019.
WorkArea* ShownValueGuard(const char* routine) {
  WorkArea* wa = Current();
  if (!wa) {
    Report(215, std::string(" [") + routine + "]");
    return nullptr;
  }
  if (!wa->memo) {
    Report(1019, wa->file_name + " No Memo Field [" + routine + "]");
    return nullptr;
  }
  return wa;
}

}  // namespace

bool GetMemo(int32_t block, int line_limit) {
  ClearLastError();
  EngineState& s = State();
  MemoLines& list = s.memo_lines;
  list.lines.clear();
  list.ends.clear();
  WorkArea* wa = ShownValueGuard("AssignMemo");
  if (!wa) return false;
  s.last_memo_pieces = 0;
  if (block == 0) return true;
  std::size_t line_width = s.switches.width_switch ? s.switches.width_setting + 1u : 254u;
  std::size_t limit = s.switches.max_lines;
  if (line_limit > 0) limit = std::min<std::size_t>(limit, static_cast<std::size_t>(line_limit));
  LineBuilder builder(list, limit, line_width - 1);
  if (!ReadShownValue(*wa, block, "GetMemo", [&](const char* data, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) builder.Take(data[i]);
      }))
    return false;
  builder.Finish();
  return true;
}

bool ReadShownMemo(int32_t block, std::string& text) {
  ClearLastError();
  text.clear();
  WorkArea* wa = ShownValueGuard("ReadShownMemo");
  if (!wa) return false;
  State().last_memo_pieces = 0;
  if (block == 0) return true;
  return ReadShownValue(*wa, block, "ReadShownMemo",
                        [&](const char* data, std::size_t count) { text.append(data, count); });
}

int MemoTextReader::Open(const int32_t* block) {
  area_ = CurrentArea();
  cursor_ = 0;
  bool ok;
  {
    CurrentAreaScope in_area(area_);
    ok = GetMemo(*block);
  }
  open_ = ok;
  return ok ? 0 : 100;
}

bool MemoTextReader::ReadLine(std::string& line) {
  const MemoLines& list = State().memo_lines;
  line.clear();
  if (!open_ || cursor_ >= list.lines.size()) return false;
  // Soft returns and width breaks run on into the next line; a hard return ends it.
  while (cursor_ < list.lines.size()) {
    const std::string& part = list.lines[cursor_];
    uint8_t end = list.ends[cursor_];
    ++cursor_;
    if (end == kHardReturn) {
      line.append(part, 0, kHardLineMax);
      return true;
    }
    line += part;
  }
  return true;
}

bool MemoTextReader::Eof() const {
  return !open_ || cursor_ >= State().memo_lines.lines.size();
}

void MemoTextReader::Close() {
  if (!open_) return;
  MemoLines& list = State().memo_lines;
  list.lines.clear();
  list.ends.clear();
  open_ = false;
}

int MemoTextWriter::Open(int32_t* block, bool append) {
  area_ = CurrentArea();
  block_ = block;
  text_.clear();
  if (append && *block != 0) {
    CurrentAreaScope in_area(area_);
    text_ = ReadMemoValue(*block, false);
    if (LastError() != 0) return 100;
  }
  open_ = true;
  return 0;
}

void MemoTextWriter::Write(std::string_view text) { text_ += text; }

void MemoTextWriter::WriteLine(std::string_view text) {
  text_ += text;
  text_ += "\r\n";
}

int MemoTextWriter::Close() {
  if (!open_) return 0;
  open_ = false;
  int32_t written;
  {
    CurrentAreaScope in_area(area_);
    written = WriteMemoValue(text_, false);
  }
  text_.clear();
  if (written == 0 && LastError() != 0) return 101;
  *block_ = written;
  return 0;
}

}  // namespace vornelle::engine
