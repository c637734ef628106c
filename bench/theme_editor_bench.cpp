// The theme editor opened on a 100,000-record theme, beside the same on a 366-record theme (the
// reference: a year's theme). Opening is making the window, opening the theme in its grid and
// its own component, showing the first record and painting the first screen; it must not cost
// more with the larger table. Counters: the records the model read, and the process's peak resident memory
// during the benchmark (and its growth over the resident memory at its start).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "app/core/program.h"
#include "app/gui/theme_editor.h"
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

class NoBoxes : public app::MessageBoxService {
 public:
  void Confirm(const std::string&, app::ScreenPoint) override {}
  bool AskYesNo(const std::string&) override { return false; }
  void Error(const std::string&, const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
  void Inform(const std::string&) override {}
};

void OpenEditor(benchmark::State& state) {
  const std::string table = bench::ScanTable(static_cast<int32_t>(state.range(0)));
  ResetPeak();
  const double base = StatusMiB("VmRSS:");
  int64_t reads = 0;
  for (auto _ : state) {
    app::Program program;
    NoBoxes boxes;
    app::ThemeEditor editor(program, boxes);
    editor.resize(760, 560);
    editor.OpenTheme(table);
    editor.show();
    editor.repaint();
    QApplication::processEvents();
    reads += editor.Model()->RecordsRead();
  }
  const double peak = StatusMiB("VmHWM:");
  state.counters["records read"] = static_cast<double>(reads) / static_cast<double>(state.iterations());
  state.counters["peak RSS MiB"] = peak;
  state.counters["peak growth MiB"] = peak - base;
}

}  // namespace

BENCHMARK(OpenEditor)->Name("ref/editor on 366 records")->Arg(366)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenEditor)->Name("editor on 100,000 records")->Arg(100000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  expr::InstallExpressionUnit();
  engine::SetRaise(true);
  bench::ScanTable(366), bench::ScanTable(100000);  // made before any timing
  return bench::RunWithRatios(argc, argv);
}
