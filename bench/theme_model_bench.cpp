// The theme editor's grid: a table view opened on the records model of a 100,000-record theme,
// beside the same on a 366-record theme (the reference: a year's theme). Opening is making the
// model and the view and painting the first screen; the view must not cost more with the
// larger table. Counters: the records the model read, and the process's peak resident memory
// during the benchmark (and its growth over the resident memory at its start).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTableView>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "app/gui/theme_records_model.h"
#include "bench/bench_main.h"
#include "bench/bench_tables.h"
#include "engine/engine.h"
#include "expr/expr.h"

using namespace vornelle;

namespace {

// A "Vm...:" figure of /proc/self/status, in MiB.
double StatusMiB(const char* key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(key, 0) == 0) return std::atof(line.c_str() + std::string(key).size()) / 1024.0;
  return 0;
}

// Starts a new peak: the kernel sets the peak resident size to the present one.
void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

void OpenView(benchmark::State& state) {
  const std::string table = bench::ScanTable(static_cast<int32_t>(state.range(0)));
  ResetPeak();
  const double base = StatusMiB("VmRSS:");
  int64_t reads = 0;
  for (auto _ : state) {
    app::ThemeRecordsModel model(table);
    QTableView view;
    view.setModel(&model);
    view.resize(800, 600);
    view.show();
    view.repaint();
    QApplication::processEvents();
    reads += model.RecordsRead();
  }
  const double peak = StatusMiB("VmHWM:");
  state.counters["records read"] = static_cast<double>(reads) / static_cast<double>(state.iterations());
  state.counters["peak RSS MiB"] = peak;
  state.counters["peak growth MiB"] = peak - base;
}

}  // namespace

BENCHMARK(OpenView)->Name("ref/view on 366 records")->Arg(366)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenView)->Name("view on 100,000 records")->Arg(100000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  expr::InstallExpressionUnit();
  engine::SetRaise(true);
  bench::ScanTable(366), bench::ScanTable(100000);  // made before any timing
  return bench::RunWithRatios(argc, argv);
}
