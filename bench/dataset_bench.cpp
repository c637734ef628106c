// The table dataset component beside the engine it runs on: a forward scan over the theme table
// of 1,000,000 records reading every field of every record (the component's First / Next / Eof
// and fields by name against the engine's GoTop / Skip / dEOF and FieldAddress), and the
// calendar's day lookup in a theme of 366 records (open, day filter, first record, its message
// as lines, close) against the same lookup made with the engine's routines.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "bench/bench_main.h"
#include "bench/bench_tables.h"
#include "dataset/zuviv.h"
#include "engine/engine.h"
#include "expr/expr.h"
#include "platform/codepage.h"

using namespace vornelle;
using namespace vornelle::engine;

namespace {

constexpr uint16_t kRecord = 15;  // the record length ScanTable writes

const std::string& ScanPath() {
  static const std::string path = bench::ScanTable(bench::RecordCount(1'000'000));
  return path;
}

const std::string& ThemePath() {
  static const std::string path = bench::MemoTable(366);
  return path;
}

// The day filters of the whole year, made once so that a lookup does not pay for the text.
const std::vector<std::string>& DayFilters() {
  static const std::vector<std::string> filters = [] {
    std::vector<std::string> out;
    for (const std::string& key : bench::DayKeys()) out.push_back("(THEDATE=\"" + key + "\")");
    return out;
  }();
  return filters;
}

// The component as the calendar places it.
void SetUpComponent(dataset::TZuViv& table) {
  table.SetName("joketbl");
  table.SetDbfFields({"thedate, C, 4, 0", "thejoke, M, 10, 0"});
  table.SetTableLanguage(dataset::tlOem);
}

void EngineScan(benchmark::State& state) {
  Switches().oem = true;
  USE(ScanPath());
  int64_t records = 0;
  for (auto _ : state) {
    unsigned sum = 0;
    records = 0;
    for (GoTop(); !dEOF(); Skip(1)) {
      // THEDATE as a counted string (length byte, then the characters), THEJOKE's block.
      const char* date = FieldAddress(1);
      for (int i = 1, n = static_cast<unsigned char>(date[0]); i <= n; ++i)
        sum += static_cast<unsigned char>(date[i]);
      int32_t block;
      std::memcpy(&block, FieldAddress(2), 4);
      sum += static_cast<unsigned>(block);
      ++records;
    }
    benchmark::DoNotOptimize(sum);
  }
  CloseAll();
  Switches().oem = false;
  bench::Rates(state, records, records * kRecord);
}

void DatasetScan(benchmark::State& state) {
  dataset::TZuViv table;
  SetUpComponent(table);
  table.SetDbfFileName(ScanPath());
  table.SetActive(true);
  int64_t records = 0;
  for (auto _ : state) {
    unsigned sum = 0;
    records = 0;
    for (table.First(); !table.Eof(); table.Next()) {
      for (char c : table.FieldByName("THEDATE").AsString()) sum += static_cast<unsigned char>(c);
      // GetData of the memo field copies its 4-byte block number: the field's value, read as
      // cheaply as IsNull() asks for its presence, and without the blob stream AsString opens.
      int32_t block = 0;
      table.FieldByName("THEJOKE").GetData(&block);
      sum += static_cast<unsigned>(block);
      ++records;
    }
    benchmark::DoNotOptimize(sum);
  }
  table.SetActive(false);
  bench::Rates(state, records, records * kRecord);
}

// Each iteration looks up every day of the year in turn, so that both rows average over the
// same days: under the filter the lookup's cost grows with the day's place in the table.
void Lookups(benchmark::State& state, int64_t lines) {
  const auto lookups = static_cast<double>(state.iterations() * bench::DayKeys().size());
  state.SetItemsProcessed(static_cast<int64_t>(lookups));
  state.counters["s/lookup"] =
      benchmark::Counter(lookups, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["lines/lookup"] = static_cast<double>(lines) / lookups;
}

void EngineDayLookup(benchmark::State& state) {
  int64_t lines = 0;
  for (auto _ : state)
    for (const std::string& filter : DayFilters()) lines += bench::EngineDayLookup(ThemePath(), filter);
  Lookups(state, lines);
}

void DatasetDayLookup(benchmark::State& state) {
  dataset::TZuViv table;
  SetUpComponent(table);
  int64_t lines = 0;
  std::vector<std::string> joke;
  for (auto _ : state) {
    for (const std::string& filter : DayFilters()) {
      table.SetDbfFileName(ThemePath());
      table.SetActive(true);
      table.SetFilterTo(filter);
      table.First();
      if (!table.Eof()) {
        table.GetMField("THEJOKE", joke);
        lines += static_cast<int64_t>(joke.size());
      }
      table.SetActive(false);
    }
  }
  Lookups(state, lines);
}

}  // namespace

BENCHMARK(EngineScan)->Name("ref/engine scan")->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(DatasetScan)->Name("dataset scan")->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(EngineDayLookup)->Name("ref/engine day lookup x366")->Unit(benchmark::kMillisecond);
BENCHMARK(DatasetDayLookup)->Name("day lookup x366")->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  expr::InstallExpressionUnit();
  SetRaise(true);
  // Made (once) before any timing.
  ScanPath();
  ThemePath();
  return bench::RunWithRatios(argc, argv);
}
