// A forward scan over a theme table of 1,000,000 records (GoTop, then Skip(1) until dEOF,
// reading the first character of THEDATE), and the same scan under the calendar's day filter,
// beside what the scan costs read straight from the file and through libxbase64.

#include <benchmark/benchmark.h>
#include <unistd.h>
#include <xbase64/xbase64.h>

#include <cstring>
#include <string>
#include <vector>

#include "bench/bench_main.h"
#include "bench/bench_tables.h"
#include "engine/engine.h"
#include "expr/expr.h"

using namespace vornelle::engine;

namespace {

constexpr uint16_t kHeader = 97, kRecord = 15;  // the layout ScanTable writes

const std::string& Table() {
  static const std::string path = bench::ScanTable(bench::RecordCount(1'000'000));
  return path;
}

void Count(benchmark::State& state, int64_t records) {
  bench::Rates(state, records, records * kRecord);
}

// The engine: Args {exclusive, oem}.
void EngineScan(benchmark::State& state) {
  const bool exclusive = state.range(0) != 0;
  Switches().oem = state.range(1) != 0;
  USE(Table() + (exclusive ? " EXCLUSIVE" : ""));
  int64_t records = 0;
  for (auto _ : state) {
    unsigned sum = 0;
    records = 0;
    for (GoTop(); !dEOF(); Skip(1)) {
      sum += static_cast<unsigned char>(FieldAddress(1)[1]);
      ++records;
    }
    benchmark::DoNotOptimize(sum);
  }
  CloseAll();
  Switches().oem = false;
  Count(state, records);
}

// The calendar's day lookup: the same scan under the filter (THEDATE="0704"), on a shared open
// with OEM translation, as the calendar opens its themes. Only 1 record in 366 passes.
void FilteredScan(benchmark::State& state) {
  Switches().oem = true;
  USE(Table());
  Set_Filter_To("(THEDATE=\"0704\")");
  const int64_t records = RecCount();
  int64_t passing = 0;
  for (auto _ : state) {
    passing = 0;
    for (GoTop(); !dEOF(); Skip(1)) ++passing;
    benchmark::DoNotOptimize(passing);
  }
  state.counters["passing"] = static_cast<double>(passing);
  CloseAll();
  Switches().oem = false;
  Count(state, records);
}

// The filter's evaluation alone, against one record: what each record of the filtered scan
// pays on top of reading it.
void FilterEvaluation(benchmark::State& state) {
  USE(Table());
  GoTop();
  vornelle::expr::ExpressionPtr filter(vornelle::expr::Compile("(THEDATE=\"0704\")"));
  constexpr int kPerIteration = 1'000'000;
  for (auto _ : state) {
    for (int i = 0; i < kPerIteration; ++i)
      benchmark::DoNotOptimize(vornelle::expr::Evaluate(filter.get()));
  }
  filter.reset();
  CloseAll();
  state.counters["ns/evaluation"] = benchmark::Counter(
      static_cast<double>(kPerIteration), benchmark::Counter::kIsIterationInvariantRate |
                                              benchmark::Counter::kInvert);
}

// The whole file in 64 KiB read() calls, the first THEDATE byte of each record picked out.
void RawRead64K(benchmark::State& state) {
  bench::Fd file(Table());
  std::vector<char> chunk(64 * 1024);
  int64_t records = 0;
  for (auto _ : state) {
    unsigned sum = 0;
    records = 0;
    ::lseek(file.fd, 0, SEEK_SET);
    int64_t at = 0, next = kHeader + 1;  // file offset of the chunk, of the next byte wanted
    ssize_t n;
    while ((n = ::read(file.fd, chunk.data(), chunk.size())) > 0) {
      for (; next < at + n; next += kRecord) {
        sum += static_cast<unsigned char>(chunk[static_cast<std::size_t>(next - at)]);
        ++records;
      }
      at += n;
    }
    benchmark::DoNotOptimize(sum);
  }
  Count(state, records);
}

// One pread() per record: the engine's own I/O pattern, with nothing around it.
void RawPreadPerRecord(benchmark::State& state) {
  bench::Fd file(Table());
  const int64_t count = (bench::FileSize(Table()) - kHeader) / kRecord;
  char record[kRecord];
  for (auto _ : state) {
    unsigned sum = 0;
    for (int64_t i = 0; i < count; ++i) {
      if (::pread(file.fd, record, kRecord, kHeader + i * kRecord) != kRecord)
        return state.SkipWithError("short read");
      sum += static_cast<unsigned char>(record[1]);
    }
    benchmark::DoNotOptimize(sum);
  }
  Count(state, count);
}

// libxbase64: GetFirstRecord / GetNextRecord to the end, THEDATE copied out with GetField.
// Its 3.1.2 package keeps the record count in a 64-bit long of which it fills only the low
// half, so the scan does not stop at XB_EOF but at the failed read past the last record.
void Xbase64Scan(benchmark::State& state) {
  xbXBase xbase;
  xbDbf dbf(&xbase);
  if (dbf.OpenDatabase(Table().c_str()) != XB_NO_ERROR) {
    state.SkipWithError("xbDbf::OpenDatabase failed");
    return;
  }
  char field[16];
  int64_t records = 0;
  for (auto _ : state) {
    unsigned sum = 0;
    records = 0;
    for (xbShort rc = dbf.GetFirstRecord(); rc == XB_NO_ERROR; rc = dbf.GetNextRecord()) {
      dbf.GetField(xbShort{0}, field);
      sum += static_cast<unsigned char>(field[0]);
      ++records;
    }
    benchmark::DoNotOptimize(sum);
  }
  dbf.CloseDatabase();
  Count(state, records);
}

}  // namespace

BENCHMARK(EngineScan)
    ->Name("engine/scan")
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->ArgNames({"exclusive", "oem"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK(FilteredScan)->Name("engine/filtered_scan")->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(FilterEvaluation)
    ->Name("engine/filter_evaluation_x1M")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK(RawRead64K)->Name("ref/read_64k")->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(RawPreadPerRecord)
    ->Name("ref/pread_per_record")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK(Xbase64Scan)->Name("ref/xbase64")->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv) {
  vornelle::expr::InstallExpressionUnit();
  SetRaise(true);
  Table();  // made (once) before any timing
  return bench::RunWithRatios(argc, argv);
}
