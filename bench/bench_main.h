#pragma once
// What the benchmarks share besides their tables: the rate counters, and a main that prints
// the usual console table, then a table of ratios. Benchmarks named "ref/..." are references;
// every other benchmark's CPU time is divided by each reference's (ratio 2.0 = twice the
// reference's time). CPU time rather than wall time, because the machine is shared: CPU time
// counts the syscalls' kernel work but not the time other programs run.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace bench {

// records/s and bytes/s of what one iteration went through; a zero count shows no column.
inline void Rates(benchmark::State& state, int64_t records, int64_t bytes) {
  using benchmark::Counter;
  if (records > 0)
    state.counters["records/s"] =
        Counter(static_cast<double>(records), Counter::kIsIterationInvariantRate);
  if (bytes > 0)
    state.counters["bytes/s"] =
        Counter(static_cast<double>(bytes), Counter::kIsIterationInvariantRate, Counter::kIs1024);
}

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  RatioReporter() : ConsoleReporter(OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred || run.run_type != Run::RT_Iteration) continue;
      std::string name = run.benchmark_name();
      name.erase(std::min(name.size(), name.find("/iterations:")));
      Timing& t = timings_[name];
      if (t.runs == 0) order_.push_back(name);
      t.ms += run.GetAdjustedCPUTime() * UnitMs(run.time_unit);
      ++t.runs;
    }
  }

  void Finalize() override {
    std::vector<std::string> refs, figures;
    for (const std::string& name : order_)
      (name.rfind("ref/", 0) == 0 ? refs : figures).push_back(name);
    if (refs.empty() || figures.empty()) return;
    std::printf("\nRatios (CPU time of the row / CPU time of the reference):\n");
    for (std::size_t i = 0; i < refs.size(); ++i)
      std::printf("  [%zu] %-40s %10.2f ms\n", i + 1, refs[i].c_str(), Ms(refs[i]));
    std::printf("\n%-48s %10s", "", "ms");
    for (std::size_t i = 0; i < refs.size(); ++i) std::printf("  %7s[%zu]", "/", i + 1);
    std::printf("\n");
    for (const std::string& name : figures) {
      std::printf("%-48s %10.2f", name.c_str(), Ms(name));
      for (const std::string& ref : refs) std::printf("  %10.2f", Ms(name) / Ms(ref));
      std::printf("\n");
    }
    std::fflush(stdout);
  }

 private:
  struct Timing {
    double ms = 0;
    int runs = 0;
  };
  static double UnitMs(benchmark::TimeUnit unit) {
    switch (unit) {
      case benchmark::kNanosecond: return 1e-6;
      case benchmark::kMicrosecond: return 1e-3;
      case benchmark::kSecond: return 1e3;
      default: return 1;
    }
  }
  double Ms(const std::string& name) const {
    const Timing& t = timings_.at(name);
    return t.ms / t.runs;
  }

  std::map<std::string, Timing> timings_;
  std::vector<std::string> order_;
};

inline int RunWithRatios(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}

}  // namespace bench
