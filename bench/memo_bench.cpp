// Reading every memo of a theme table of 100,000 records (a dBASE IV .dbt, made through the
// engine) in the engine's three ways, beside plain reads of the same files and libxbase64.
// Each engine figure includes the scan that finds the blocks; "engine/scan_only" is that scan
// alone, so a way's memo cost is its time minus the scan's.

#include <benchmark/benchmark.h>
#include <unistd.h>
#include <xbase64/xbase64.h>

#include <cstring>
#include <string>
#include <vector>

#include "bench/bench_main.h"
#include "bench/bench_tables.h"
#include "engine/engine.h"
#include "platform/codepage.h"

using namespace vornelle;
using namespace vornelle::engine;

namespace {

const std::string& Table() {
  static const std::string path = bench::MemoTable(bench::RecordCount(100'000));
  return path;
}

std::string MemoPath() { return Table().substr(0, Table().size() - 4) + ".dbt"; }

int32_t CurrentBlock() {
  int32_t block;
  std::memcpy(&block, FieldAddress(2), 4);
  return block;
}

// Opens the table as the calendar does (shared, OEM text), runs `read` on every record's memo
// block and reports what it returned: the bytes of text it got (line ends not counted by the
// line-wise ways).
template <typename Read>
void EngineMemos(benchmark::State& state, Read read) {
  Switches().oem = true;
  USE(Table());
  int64_t records = 0, bytes = 0;
  for (auto _ : state) {
    records = bytes = 0;
    for (GoTop(); !dEOF(); Skip(1)) {
      bytes += read(CurrentBlock());
      ++records;
    }
  }
  CloseAll();
  Switches().oem = false;
  bench::Rates(state, records, bytes);
}

void ScanOnly(benchmark::State& state) {
  int64_t sum = 0;
  EngineMemos(state, [&](int32_t block) {
    sum += block;
    return 0;
  });
  benchmark::DoNotOptimize(sum);
}

// The line list, each line then turned from OEM to ANSI as the calendar's dataset does.
void GetMemoLines(benchmark::State& state) {
  EngineMemos(state, [](int32_t block) {
    GetMemo(block);
    int64_t n = 0;
    for (const std::string& line : MemoLineList().lines) {
      std::string shown = platform::OemToAnsi(line);
      n += static_cast<int64_t>(shown.size());
    }
    return n;
  });
}

// The whole value through the blob stream, translated by the engine.
void ReadValue(benchmark::State& state) {
  EngineMemos(
      state, [](int32_t block) { return static_cast<int64_t>(ReadMemoValue(block, true).size()); });
}

// The memo text reader, line by line, each line turned from OEM to ANSI.
void TextReader(benchmark::State& state) {
  EngineMemos(state, [](int32_t block) {
    MemoTextReader reader;
    int64_t n = 0;
    if (reader.Open(&block) == 0) {
      std::string line;
      while (reader.ReadLine(line)) {
        platform::OemToAnsi(line.data(), line.size());
        n += static_cast<int64_t>(line.size());
      }
      reader.Close();
    }
    return n;
  });
}

// The whole memo file in 64 KiB read() calls.
void RawRead64K(benchmark::State& state) {
  bench::Fd file(MemoPath());
  std::vector<char> chunk(64 * 1024);
  int64_t bytes = 0;
  for (auto _ : state) {
    ::lseek(file.fd, 0, SEEK_SET);
    bytes = 0;
    ssize_t n;
    while ((n = ::read(file.fd, chunk.data(), chunk.size())) > 0) {
      benchmark::DoNotOptimize(chunk[0]);
      bytes += n;
    }
  }
  bench::Rates(state, 0, bytes);
}

// The least a reader of these files does per record with positioned reads: pread the record,
// take its block number, then pread the value's 8-byte header and the value (Arg 0), or pread
// the value's first block, header and text together, and the rest only when there is more
// (Arg 1).
void RawPreadPerValue(benchmark::State& state) {
  const bool one_block = state.range(0) != 0;
  bench::Fd table(Table()), memo(MemoPath());
  uint8_t head[32];
  if (::pread(table.fd, head, 32, 0) != 32) return state.SkipWithError("short header");
  const int64_t header = head[8] | head[9] << 8, length = head[10] | head[11] << 8;
  const int64_t count = (bench::FileSize(Table()) - header) / length;
  constexpr int64_t kBlock = 512;
  std::vector<char> record(static_cast<std::size_t>(length)), text(64 * 1024);
  int64_t bytes = 0;
  for (auto _ : state) {
    bytes = 0;
    for (int64_t i = 0; i < count; ++i) {
      if (::pread(table.fd, record.data(), record.size(), header + i * length) != length)
        return state.SkipWithError("short record");
      int64_t at = std::atol(std::string(record.data() + 5, 10).c_str()) * kBlock;  // THEJOKE
      if (at == 0) continue;
      ssize_t got =
          one_block ? ::pread(memo.fd, text.data(), kBlock, at) : ::pread(memo.fd, head, 8, at);
      if (got < 8) continue;
      const auto* h = one_block ? reinterpret_cast<const uint8_t*>(text.data()) : head;
      int64_t size = std::min<int64_t>((h[4] | h[5] << 8 | h[6] << 16) - 8, 60 * 1024);
      int64_t have = one_block ? got - 8 : 0;
      if (have < size)
        have += ::pread(memo.fd, text.data() + 8 + have, static_cast<std::size_t>(size - have),
                        at + 8 + have);
      bytes += std::min(have, size);
    }
  }
  bench::Rates(state, count, bytes);
}

// libxbase64: GetFirstRecord / GetNextRecord, then GetMemoFieldLen and GetMemoField. Its 3.1.2
// package reads a value's 32-bit length into a 64-bit long whose high half it leaves as it
// was, so only the low 32 bits of GetMemoFieldLen are the length.
void Xbase64Memos(benchmark::State& state) {
  xbXBase xbase;
  xbDbf dbf(&xbase);
  if (dbf.OpenDatabase(Table().c_str()) != XB_NO_ERROR)
    return state.SkipWithError("OpenDatabase failed");
  std::vector<char> text(64 * 1024);
  int64_t records = 0, bytes = 0;
  for (auto _ : state) {
    records = bytes = 0;
    for (xbShort rc = dbf.GetFirstRecord(); rc == XB_NO_ERROR; rc = dbf.GetNextRecord()) {
      xbLong len = dbf.GetMemoFieldLen(1) & 0xFFFFFFFF;
      if (len > 0 && len <= static_cast<xbLong>(text.size()) &&
          dbf.GetMemoField(1, len, text.data(), F_SETLKW) == XB_NO_ERROR)
        bytes += len;
      ++records;
    }
  }
  dbf.CloseDatabase();
  if (bytes == 0) return state.SkipWithError("no memo text read");
  bench::Rates(state, records, bytes);
}

}  // namespace

BENCHMARK(ScanOnly)->Name("engine/scan_only")->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(GetMemoLines)->Name("engine/get_memo")->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(ReadValue)->Name("engine/read_memo_value")->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(TextReader)
    ->Name("engine/memo_text_reader")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK(RawRead64K)->Name("ref/read_64k")->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(RawPreadPerValue)
    ->Name("ref/pread_per_value")
    ->Arg(0)
    ->Arg(1)
    ->ArgName("one_block")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK(Xbase64Memos)->Name("ref/xbase64")->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char** argv) {
  SetRaise(true);
  Table();  // made (once) before any timing
  return bench::RunWithRatios(argc, argv);
}
