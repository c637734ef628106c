#pragma once
// The theme tables the benchmarks read, made once and kept in a cache folder: the layout of the
// calendar's themes (THEDATE C(4), THEJOKE M(10)) with the day keys "0101".."1231" in turn.
//
// The cache folder is VORNELLE_BENCH_DIR when set, else the one the build names; the record
// count is VORNELLE_BENCH_RECORDS when set (a small table for callgrind), else the caller's.

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "platform/codepage.h"

namespace bench {

inline std::string CacheFolder() {
  const char* env = std::getenv("VORNELLE_BENCH_DIR");
  std::string folder = env && *env ? env : VORNELLE_BENCH_CACHE;
  std::filesystem::create_directories(folder);
  return folder;
}

// Whether each record of a scan table has a memo value of its own (VORNELLE_BENCH_DISTINCT set
// and not 0), as a real theme's records do, rather than pointing in turn at 366 values all
// records share: the memo file then grows with the records and a scan reads it through once.
inline bool DistinctMemos() {
  const char* env = std::getenv("VORNELLE_BENCH_DISTINCT");
  return env && *env && std::strcmp(env, "0") != 0;
}

inline int32_t RecordCount(int32_t fallback) {
  const char* env = std::getenv("VORNELLE_BENCH_RECORDS");
  return env && *env ? static_cast<int32_t>(std::atol(env)) : fallback;
}

// The 366 day keys of a leap year, "0101" to "1231".
inline const std::vector<std::string>& DayKeys() {
  static const std::vector<std::string> keys = [] {
    static constexpr int kDays[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    std::vector<std::string> out;
    for (int m = 1; m <= 12; ++m)
      for (int d = 1; d <= kDays[m - 1]; ++d)
        out.push_back(
            {char('0' + m / 10), char('0' + m % 10), char('0' + d / 10), char('0' + d % 10)});
    return out;
  }();
  return keys;
}

// A short message of two to four lines (CR LF between them), some with ANSI accents.
inline std::string MessageText(int32_t i) {
  static constexpr const char* kLines[] = {
      "A new day, a new start.",
      "Why did the scarecrow win an award? He was outstanding in his field.",
      "Gr\374\337e aus dem B\374ro.",
      "Remember to water the plants.",
      "Caf\351 au lait at ten, cr\350me br\373l\351e at four.",
      "Nothing happened on this day, and that was fine.",
      "The early bird gets the worm; the second mouse gets the cheese.",
  };
  constexpr int kCount = static_cast<int>(sizeof kLines / sizeof kLines[0]);
  std::string text;
  int lines = 2 + i % 3;
  for (int n = 0; n < lines; ++n) {
    if (n > 0) text += "\r\n";
    text += kLines[(i * 3 + n * 5) % kCount];
  }
  return text;
}

inline void PutLE(uint8_t* p, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

inline void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

// The memo families a theme table can be written in: its table version byte and memo file.
// Visual FoxPro keeps FoxPro's memo file, its block numbers in 4 binary bytes.
enum class MemoForm { Dbase3, Dbase4, FoxPro, VisualFoxPro };
inline constexpr MemoForm kMemoForms[] = {MemoForm::Dbase3, MemoForm::Dbase4, MemoForm::FoxPro,
                                          MemoForm::VisualFoxPro};

inline const char* FormName(MemoForm form) {
  switch (form) {
    case MemoForm::Dbase3: return "dbase3";
    case MemoForm::FoxPro: return "foxpro";
    case MemoForm::VisualFoxPro: return "vfp";
    default: return "dbase4";
  }
}

inline bool FoxProMemo(MemoForm form) { return form == MemoForm::FoxPro || form == MemoForm::VisualFoxPro; }

inline std::string MemoPathOf(const std::string& dbf, MemoForm form) {
  return dbf.substr(0, dbf.size() - 4) + (FoxProMemo(form) ? ".fpt" : ".dbt");
}

// The layout ScanTable writes: the header's length (with Visual FoxPro's 263 bytes after the
// descriptors) and the record's (THEJOKE's block number in 10 digits, or 4 bytes).
inline uint16_t ScanHeaderLength(MemoForm form) {
  return form == MemoForm::VisualFoxPro ? 32 + 2 * 32 + 1 + 263 : 32 + 2 * 32 + 1;
}
inline uint16_t ScanRecordLength(MemoForm form) { return form == MemoForm::VisualFoxPro ? 1 + 4 + 4 : 1 + 4 + 10; }

// The memo file of `values` values, value k the message of day k % 366 (OEM text, as stored in
// themes), in one family's layout: a dBASE III value is its text ended by 0x1A 0x1A in 512-byte
// blocks; a dBASE IV one has an FF FF 08 00 block header with its length; a FoxPro one a
// big-endian header in 64-byte blocks. `blocks` gets each value's first block.
inline std::vector<uint8_t> ScanMemo(MemoForm form, std::size_t values, std::vector<uint32_t>& blocks) {
  const uint32_t block_size = FoxProMemo(form) ? 64 : 512;
  std::vector<uint8_t> memo(512, 0);  // the header
  std::vector<std::string> messages;
  for (std::size_t k = 0; k < DayKeys().size(); ++k)
    messages.push_back(vornelle::platform::AnsiToOem(MessageText(static_cast<int32_t>(k))));
  for (std::size_t k = 0; k < values; ++k) {
    const std::string& text = messages[k % messages.size()];
    blocks.push_back(static_cast<uint32_t>(memo.size() / block_size));
    uint8_t head[8];
    if (FoxProMemo(form)) {
      head[0] = head[1] = head[2] = 0, head[3] = 1;  // a text value
      for (int i = 0; i < 4; ++i) head[4 + i] = static_cast<uint8_t>(text.size() >> (8 * (3 - i)));
      memo.insert(memo.end(), head, head + 8);
    } else if (form == MemoForm::Dbase4) {
      head[0] = 0xFF, head[1] = 0xFF, head[2] = 0x08, head[3] = 0x00;
      PutLE(head + 4, static_cast<uint32_t>(text.size() + 8), 4);
      memo.insert(memo.end(), head, head + 8);
    }
    memo.insert(memo.end(), text.begin(), text.end());
    if (form == MemoForm::Dbase3) memo.insert(memo.end(), {0x1A, 0x1A});
    memo.resize((memo.size() + block_size - 1) / block_size * block_size, 0);
  }
  const auto next_free = static_cast<uint32_t>(memo.size() / block_size);
  switch (form) {
    case MemoForm::Dbase3:
      PutLE(memo.data(), next_free, 4);
      memo[16] = 0x03;
      break;
    case MemoForm::Dbase4:
      PutLE(memo.data(), next_free, 4);
      std::memcpy(memo.data() + 8, "SCAN", 4);
      memo[18] = 0x02, memo[19] = 0x01;
      PutLE(memo.data() + 20, block_size, 2);
      break;
    case MemoForm::FoxPro:
    case MemoForm::VisualFoxPro:
      for (int i = 0; i < 4; ++i) memo[i] = static_cast<uint8_t>(next_free >> (8 * (3 - i)));
      memo[6] = static_cast<uint8_t>(block_size >> 8), memo[7] = static_cast<uint8_t>(block_size);
      break;
  }
  return memo;
}

// A theme table of `records` records written byte by byte: a table of the memo family `form`
// whose records point, by day key, to the 366 messages of its memo file (with DistinctMemos(),
// each to its own copy of its day's message). The same records and texts in every family; the
// dBASE IV one is scan_<records>.dbf, the others have the family's name after the count, and
// tables of distinct values "_distinct" after that. Returns the .dbf path.
inline std::string ScanTable(int32_t records, MemoForm form = MemoForm::Dbase4) {
  std::string base = CacheFolder() + "/scan_" + std::to_string(records);
  if (form != MemoForm::Dbase4) base += std::string("_") + FormName(form);
  const bool distinct = DistinctMemos();
  if (distinct) base += "_distinct";
  const std::string dbf = base + ".dbf", done = base + ".done";
  if (std::filesystem::exists(done)) return dbf;
  const auto& keys = DayKeys();
  std::vector<uint32_t> blocks;
  WriteFile(MemoPathOf(dbf, form), ScanMemo(form, distinct ? records : keys.size(), blocks));

  // The table: header, two descriptors, the terminator, the records, the end mark.
  const bool vfp = form == MemoForm::VisualFoxPro;
  const uint16_t kHeader = ScanHeaderLength(form), kRecord = ScanRecordLength(form);
  std::vector<uint8_t> table(kHeader, 0);
  table.resize(kHeader + static_cast<std::size_t>(records) * kRecord + 1, ' ');
  table[0] = form == MemoForm::Dbase3 ? 0x83 : form == MemoForm::FoxPro ? 0xF5 : vfp ? 0x30 : 0x8B;
  if (vfp) table[28] = 0x02;  // the table has a memo file
  table[1] = 124, table[2] = 1, table[3] = 1;
  PutLE(table.data() + 4, static_cast<uint32_t>(records), 4);
  PutLE(table.data() + 8, kHeader, 2);
  PutLE(table.data() + 10, kRecord, 2);
  auto field = [&](int n, const char* name, char type, uint8_t length) {
    uint8_t* d = table.data() + 32 * (n + 1);
    std::memcpy(d, name, std::strlen(name));
    d[11] = static_cast<uint8_t>(type);
    d[16] = length;
  };
  field(0, "THEDATE", 'C', 4);
  field(1, "THEJOKE", 'M', vfp ? 4 : 10);
  table[32 + 2 * 32] = 0x0D;
  char block[16];
  for (int32_t i = 0; i < records; ++i) {
    uint8_t* r = table.data() + kHeader + static_cast<std::size_t>(i) * kRecord;
    std::size_t day = static_cast<std::size_t>(i) % keys.size();
    std::memcpy(r + 1, keys[day].data(), 4);
    const uint32_t value = blocks[distinct ? static_cast<std::size_t>(i) : day];
    if (vfp) {
      PutLE(r + 5, value, 4);
      continue;
    }
    std::snprintf(block, sizeof block, "%10u", static_cast<unsigned>(value));
    std::memcpy(r + 5, block, 10);
  }
  table.back() = 0x1A;
  WriteFile(dbf, table);
  WriteFile(done, {});
  return dbf;
}

// A theme table of `records` records and their messages, made through the engine as the
// calendar's tools make one: append by append on a shared open. Returns the .dbf path.
inline std::string MemoTable(int32_t records) {
  using namespace vornelle::engine;
  const std::string base = CacheFolder() + "/memo_" + std::to_string(records);
  const std::string dbf = base + ".dbf", done = base + ".done";
  if (std::filesystem::exists(done)) return dbf;
  std::fprintf(stderr, "making %s (%d records, once)...\n", dbf.c_str(), records);
  const auto& keys = DayKeys();
  CreateDbf(dbf, {{"THEDATE", 'C', 4, 0}, {"THEJOKE", 'M', 10, 0}});
  USE(dbf);
  for (int32_t i = 0; i < records; ++i) {
    ClearRecord();
    std::memcpy(FieldAddress(1) + 1, keys[static_cast<std::size_t>(i) % keys.size()].data(), 4);
    int32_t block = WriteMemoValue(MessageText(i), true);
    std::memcpy(FieldAddress(2), &block, 4);
    ALock();
    Append();
    Unlock();
  }
  CloseAll();
  WriteFile(done, {});
  return dbf;
}

// The day lookup of one theme made with the engine's routines alone, as the reference of the
// calendar's lookup: open, filter, first record, its memo lines in ANSI, close. Returns the
// number of lines.
inline int64_t EngineDayLookup(const std::string& table, const std::string& filter) {
  using namespace vornelle::engine;
  int64_t lines = 0;
  Switches().oem = true;
  USE(table);
  Set_Filter_To(filter);
  GoTop();
  if (!dEOF()) {
    int32_t block;
    std::memcpy(&block, FieldAddress(2), 4);
    MemoTextReader reader;
    std::string line;
    if (reader.Open(&block) == 0) {
      while (reader.ReadLine(line)) {
        vornelle::platform::OemToAnsi(line.data(), line.size());
        ++lines;
      }
      reader.Close();
    }
  }
  USE("");
  Switches().oem = false;
  return lines;
}

inline int64_t FileSize(const std::string& path) {
  return static_cast<int64_t>(std::filesystem::file_size(path));
}

// An open read-only descriptor, closed on scope exit.
struct Fd {
  int fd;
  explicit Fd(const std::string& path) : fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
    if (fd < 0) throw std::runtime_error("cannot open " + path);
  }
  ~Fd() { ::close(fd); }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
};

}  // namespace bench
