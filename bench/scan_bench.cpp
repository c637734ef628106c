// Two workloads over a theme table of 1,000,000 records, each beside what it costs read
// straight from the files and through libxbase64, in one run so that every figure gets a ratio
// against every reference:
//  - the scan: GoTop, then Skip(1) until dEOF, reading the first character of THEDATE; and the
//    same scan under the calendar's day filter, against libxbase64's plain scan and its xbFilter
//    with the same expression;
//  - the full scan with every memo: each record's THEJOKE value read whole, as `vornelle-db
//    list` reads a memo field, against the table and memo file read whole and libxbase64's memo
//    read.
// The filtered scan and the full scan run on the same theme in each memo family (dBASE III
// values ended by 0x1A, dBASE IV and FoxPro values with a length header), each family's
// figures against its own references ("dbase3/ref/..."): the raw read, libxbase64, and
// vornelle-db's scans (a sequential open of the stored bytes), which the calendar's reads are
// set against: the same scans on the calendar's shared opens with OEM text, its day lookup
// through the table component and its find window's search. The engine and libxbase64 figures
// check what they counted (passing records, memo bytes, days found) against what ScanTable
// wrote, so a figure that skipped work fails instead of looking fast.

#include <benchmark/benchmark.h>
#include <unistd.h>
#include <xbase64/xbase64.h>

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "app/core/day_lookup.h"
#include "app/core/message_search.h"
#include "app/core/program.h"
#include "app/core/theme_catalogue.h"
#include "bench/bench_main.h"
#include "bench/bench_tables.h"
#include "engine/engine.h"
#include "expr/expr.h"
#include "platform/codepage.h"

using namespace vornelle::engine;
namespace app = vornelle::app;

namespace {

constexpr uint16_t kHeader = 97, kRecord = 15;  // the layout ScanTable writes

using bench::MemoForm;

const std::string& Table(MemoForm form = MemoForm::Dbase4) {
  static std::string paths[std::size(bench::kMemoForms)];
  std::string& path = paths[static_cast<int>(form)];
  if (path.empty()) path = bench::ScanTable(bench::RecordCount(1'000'000), form);
  return path;
}

void Count(benchmark::State& state, int64_t records, MemoForm form = MemoForm::Dbase4) {
  bench::Rates(state, records, records * bench::ScanRecordLength(form));
}

// What ScanTable wrote: record i holds day key i % 366 and points to that day's message.
int64_t Records() {
  static const int64_t records = (bench::FileSize(Table()) - kHeader - 1) / kRecord;
  return records;
}

// The records the day filter passes: their count, and the sum of their numbers, which tells
// the days apart where the count alone does not.
struct Passing {
  int64_t count = 0, recno_sum = 0;
  void Add(int64_t recno) { ++count, recno_sum += recno; }
};

Passing ExpectedPassing() {
  const auto& keys = bench::DayKeys();
  Passing passing;
  for (int64_t i = 0, n = Records(); i < n; ++i)
    if (keys[i % keys.size()] == "0704") passing.Add(i + 1);
  return passing;
}

int64_t ExpectedMemoBytes() {
  const auto& keys = bench::DayKeys();
  std::vector<int64_t> size(keys.size());
  for (std::size_t k = 0; k < keys.size(); ++k)
    size[k] = static_cast<int64_t>(
        vornelle::platform::AnsiToOem(bench::MessageText(static_cast<int32_t>(k))).size());
  int64_t bytes = 0;
  for (int64_t i = 0, n = Records(); i < n; ++i) bytes += size[i % keys.size()];
  return bytes;
}

// Fails the run when a scan did not count what the table holds.
bool Check(benchmark::State& state, const char* what, int64_t got, int64_t expected) {
  state.counters[what] = static_cast<double>(got);
  if (got == expected) return true;
  state.SkipWithError((std::string(what) + " " + std::to_string(got) + ", expected " +
                       std::to_string(expected))
                          .c_str());
  return false;
}

bool CheckPassing(benchmark::State& state, const Passing& got) {
  const Passing expected = ExpectedPassing();
  if (!Check(state, "passing", got.count, expected.count)) return false;
  if (got.recno_sum == expected.recno_sum) return true;
  state.SkipWithError("the passing records are not those of 0704");
  return false;
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

// Opens the table as the calendar does (shared, OEM text translated), or as vornelle-db's
// reading commands do (a sequential scan of the stored bytes).
void OpenFor(MemoForm form, bool sequential) {
  Switches().oem = !sequential;
  UseTable(Table(form), {false, "", sequential});
}

// The calendar's day lookup: the same scan under the filter (THEDATE="0704"), on a shared open
// with OEM translation, as the calendar opens its themes; or vornelle-db's (sequential), where
// the filter is a test of the stored bytes. Only 1 record in 366 passes.
void FilteredScan(benchmark::State& state, MemoForm form, bool sequential) {
  OpenFor(form, sequential);
  Set_Filter_To("(THEDATE=\"0704\")");
  const int64_t records = RecCount();
  Passing passing;
  for (auto _ : state) {
    passing = {};
    for (GoTop(); !dEOF(); Skip(1)) passing.Add(RecNo());
    benchmark::DoNotOptimize(passing);
  }
  CloseAll();
  Switches().oem = false;
  if (CheckPassing(state, passing)) Count(state, records, form);
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

// Reads a whole file in 64 KiB read() calls; returns its size.
int64_t ReadWhole(const bench::Fd& file, std::vector<char>& chunk) {
  ::lseek(file.fd, 0, SEEK_SET);
  int64_t bytes = 0;
  ssize_t n;
  while ((n = ::read(file.fd, chunk.data(), chunk.size())) > 0) {
    benchmark::DoNotOptimize(chunk[0]);
    bytes += n;
  }
  return bytes;
}

// The least the full scan with memos can cost: both files read whole in 64 KiB read() calls,
// nothing picked out of them (so it comes under ref/read_64k, which looks at every record).
// Its bytes/s is of the files, not of memo text.
void RawRead64KWithMemos(benchmark::State& state, MemoForm form) {
  bench::Fd table(Table(form)), memo(bench::MemoPathOf(Table(form), form));
  std::vector<char> chunk(64 * 1024);
  int64_t bytes = 0;
  for (auto _ : state) bytes = ReadWhole(table, chunk) + ReadWhole(memo, chunk);
  bench::Rates(state, Records(), bytes);
}

// What `vornelle-db list` does per record for a memo field: the block number from the typed
// buffer, the value looked at whole, untranslated (where the read-ahead holds it, on the tool's
// sequential open); on a shared open with OEM translation, or on the tool's sequential one.
void FullScanMemos(benchmark::State& state, MemoForm form, bool sequential) {
  OpenFor(form, sequential);
  int64_t records = 0, bytes = 0;
  std::string room;
  std::string_view value;
  for (auto _ : state) {
    records = bytes = 0;
    for (GoTop(); !dEOF(); Skip(1)) {
      ViewMemoValue(LoadInt32(FieldAddress(2)), room, &value);
      bytes += static_cast<int64_t>(value.size());
      ++records;
    }
  }
  CloseAll();
  Switches().oem = false;
  if (Check(state, "memo_bytes", bytes, ExpectedMemoBytes())) bench::Rates(state, records, bytes);
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

// libxbase64's own filter: xbFilter over the same expression, GetFirstFilterRec /
// GetNextFilterRec. It walks records up to the same record count as the plain scan, so it ends
// at the failed read past the last record too.
void Xbase64FilteredScan(benchmark::State& state) {
  xbXBase xbase;
  xbDbf dbf(&xbase);
  if (dbf.OpenDatabase(Table().c_str()) != XB_NO_ERROR)
    return state.SkipWithError("xbDbf::OpenDatabase failed");
  char expression[] = "THEDATE=\"0704\"";
  xbFilter filter(&dbf, nullptr, expression);
  if (filter.GetStatus() != XB_NO_ERROR) return state.SkipWithError("xbFilter failed");
  Passing passing;
  for (auto _ : state) {
    passing = {};
    for (xbShort rc = filter.GetFirstFilterRec(); rc == XB_NO_ERROR; rc = filter.GetNextFilterRec())
      passing.Add(dbf.GetCurRecNo());
    benchmark::DoNotOptimize(passing);
  }
  dbf.CloseDatabase();
  if (CheckPassing(state, passing)) Count(state, Records());
}

// libxbase64 with every memo: GetMemoFieldLen and GetMemoField per record (GetFPTFieldLen and
// GetFPTField for FoxPro). Its 3.1.2 package reads a value's 32-bit length into a 64-bit long
// whose high half it leaves as it was, so only the low 32 bits of the length are the length.
void Xbase64Memos(benchmark::State& state, MemoForm form) {
  xbXBase xbase;
  xbDbf dbf(&xbase);
  if (dbf.OpenDatabase(Table(form).c_str()) != XB_NO_ERROR)
    return state.SkipWithError("xbDbf::OpenDatabase failed");
  const bool fox = bench::FoxProMemo(form);
  std::vector<char> text(64 * 1024);
  int64_t records = 0, bytes = 0;
  for (auto _ : state) {
    records = bytes = 0;
    for (xbShort rc = dbf.GetFirstRecord(); rc == XB_NO_ERROR; rc = dbf.GetNextRecord()) {
      xbLong len = (fox ? dbf.GetFPTFieldLen(1) : dbf.GetMemoFieldLen(1)) & 0xFFFFFFFF;
      if (len > 0 && len <= static_cast<xbLong>(text.size()) &&
          (fox ? dbf.GetFPTField(1, len, text.data(), F_SETLKW)
               : dbf.GetMemoField(1, len, text.data(), F_SETLKW)) == XB_NO_ERROR)
        bytes += len;
      ++records;
    }
  }
  dbf.CloseDatabase();
  if (Check(state, "memo_bytes", bytes, ExpectedMemoBytes())) bench::Rates(state, records, bytes);
}

// The calendar's day lookup as the window and `vornelle-db day` make it, through the table
// component (a shared open with OEM text, the day filter, the first record, its message as
// lines): for a day the theme holds, and for the description, which this theme lacks, so that
// the lookup goes through the whole table (both ways, as the component looks for the last
// visible record when the filter is set).
void DayLookup(benchmark::State& state, MemoForm form, const std::string& key) {
  app::Program program("Vornel.Ini");
  std::vector<std::string> lines;
  bool found = false;
  for (auto _ : state) found = app::ReadDayMessage(program.joketbl, Table(form), key, lines);
  program.joketbl.SetActive(false);
  Switches().oem = false;
  if (found != (key != app::kDescriptionKey)) return state.SkipWithError("the lookup found the wrong record");
  Count(state, Records(), form);
}

// The find window's search of the theme, from the file (a new search each time): every
// record's day key, and the message of each day's first record.
void Search(benchmark::State& state, MemoForm form) {
  std::vector<app::SearchHit> hits;
  for (auto _ : state) {
    hits.clear();
    app::MessageSearch().FindInTheme(Table(form), *app::SearchKey("scarecrow"), hits);
  }
  int64_t expected = 0;
  for (std::size_t k = 0; k < bench::DayKeys().size(); ++k)
    expected += bench::MessageText(static_cast<int32_t>(k)).find("scarecrow") != std::string::npos;
  if (Check(state, "days_found", static_cast<int64_t>(hits.size()), expected)) Count(state, Records(), form);
}

// The figures of each memo family, named after it so that they are set against its own
// references: the raw read and libxbase64, and vornelle-db's own scans (a sequential open of
// the stored bytes), which the calendar's reads through shared opens are set against.
void RegisterFamilies() {
  for (const MemoForm form : bench::kMemoForms) {
    const std::string family = bench::FormName(form);
    const auto ms = [](benchmark::internal::Benchmark* b, int iterations) {
      b->Unit(benchmark::kMillisecond)->Iterations(iterations);
    };
    ms(benchmark::RegisterBenchmark((family + "/ref/vornelle-db filtered_scan").c_str(), FilteredScan, form, true), 5);
    ms(benchmark::RegisterBenchmark((family + "/ref/vornelle-db full_scan_memos").c_str(), FullScanMemos, form, true),
       3);
    ms(benchmark::RegisterBenchmark((family + "/ref/read_64k_dbf_memo").c_str(), RawRead64KWithMemos, form), 20);
    // libxbase64 does not read Visual FoxPro tables.
    if (form != MemoForm::VisualFoxPro)
      ms(benchmark::RegisterBenchmark((family + "/ref/xbase64_memos").c_str(), Xbase64Memos, form), 3);
    ms(benchmark::RegisterBenchmark((family + "/engine/filtered_scan shared_oem").c_str(), FilteredScan, form, false),
       5);
    ms(benchmark::RegisterBenchmark((family + "/engine/full_scan_memos shared_oem").c_str(), FullScanMemos, form,
                                    false),
       3);
    ms(benchmark::RegisterBenchmark((family + "/calendar/day_lookup 0704").c_str(), DayLookup, form,
                                    std::string("0704")),
       20);
    ms(benchmark::RegisterBenchmark((family + "/calendar/day_lookup 9999, absent").c_str(), DayLookup, form,
                                    std::string(app::kDescriptionKey)),
       5);
    ms(benchmark::RegisterBenchmark((family + "/calendar/search").c_str(), Search, form), 3);
  }
}

}  // namespace

BENCHMARK(EngineScan)
    ->Name("engine/scan")
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->ArgNames({"exclusive", "oem"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
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
BENCHMARK(Xbase64FilteredScan)
    ->Name("ref/xbase64_filtered")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

int main(int argc, char** argv) {
  vornelle::expr::InstallExpressionUnit();
  SetRaise(true);
  for (const MemoForm form : bench::kMemoForms) Table(form);  // made (once) before any timing
  RegisterFamilies();
  return bench::RunWithRatios(argc, argv);
}
