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

  // One table per group: a reference "ref/..." is set against every figure, one named
  // "GROUP/ref/..." only against the figures named "GROUP/..." (and the group's other
  // references).
  void Finalize() override {
    std::vector<std::string> refs, groups = {""};
    for (const std::string& name : order_) {
      const std::size_t at = RefAt(name);
      if (at == std::string::npos) continue;
      refs.push_back(name);
      const std::string group = name.substr(0, at);
      if (std::find(groups.begin(), groups.end(), group) == groups.end()) groups.push_back(group);
    }
    if (refs.empty()) return;
    std::printf("\nRatios (CPU time of the row / CPU time of the reference):\n");
    for (std::size_t i = 0; i < refs.size(); ++i)
      std::printf("  [%zu] %-40s %10.2f ms\n", i + 1, refs[i].c_str(), Ms(refs[i]));
    for (const std::string& group : groups) {
      std::vector<std::size_t> columns;
      for (std::size_t i = 0; i < refs.size(); ++i) {
        const std::string ref_group = refs[i].substr(0, RefAt(refs[i]));
        if (ref_group.empty() || ref_group == group) columns.push_back(i);
      }
      // A group's references are rows too: a reference may be a figure of ours that others are
      // set against (vornelle-db's own scan, for the calendar's reads).
      std::vector<std::string> figures;
      for (const std::string& name : order_)
        if (GroupOf(name, groups) == group && (!group.empty() || RefAt(name) == std::string::npos))
          figures.push_back(name);
      if (figures.empty()) continue;
      std::printf("\n%-48s %10s", group.c_str(), "ms");
      for (std::size_t i : columns) std::printf("  %7s[%zu]", "/", i + 1);
      std::printf("\n");
      for (const std::string& name : figures) {
        std::printf("%-48s %10.2f", name.c_str(), Ms(name));
        for (std::size_t i : columns) std::printf("  %10.2f", Ms(name) / Ms(refs[i]));
        std::printf("\n");
      }
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
  // Where "ref/" begins a name's own part (after a group), npos for a figure.
  static std::size_t RefAt(const std::string& name) {
    if (name.rfind("ref/", 0) == 0) return 0;
    const std::size_t at = name.find("/ref/");
    return at == std::string::npos ? at : at + 1;
  }
  // The group a figure is named after ("GROUP/..."), or "".
  static std::string GroupOf(const std::string& name, const std::vector<std::string>& groups) {
    for (const std::string& group : groups)
      if (!group.empty() && name.rfind(group, 0) == 0) return group;
    return "";
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
