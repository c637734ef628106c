// The calendar's lookup of a day's messages for 20 displayed themes of 366 records each, through
// the core and the table component as the window runs it, beside the same 20 lookups made with
// the engine's routines alone. Reported per lookup (all 20 themes); the window's goal is under
// 5 ms. Then the find window's search of the same 20 themes for a text: from the files (a new
// search, every theme read) and again (the themes held), beside 20 engine lookups; its goal is
// under 50 ms from the files.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/core/day_lookup.h"
#include "app/core/message_search.h"
#include "app/core/program.h"
#include "bench/bench_main.h"
#include "bench/bench_tables.h"
#include "engine/engine.h"
#include "expr/expr.h"
#include "platform/codepage.h"

using namespace vornelle;

namespace {

constexpr int kThemes = 20;

// A folder of 20 copies of the 366-record theme, theme00.dbf to theme19.dbf.
const std::vector<std::string>& ThemeFolder() {
  static const std::vector<std::string> names = [] {
    const std::filesystem::path source = bench::MemoTable(366);
    const std::filesystem::path folder = std::filesystem::path(bench::CacheFolder()) / "lookup20";
    std::filesystem::create_directories(folder);
    std::vector<std::string> out;
    for (int i = 0; i < kThemes; ++i) {
      const std::string name = "theme" + std::string(i < 10 ? "0" : "") + std::to_string(i);
      for (const char* ext : {".dbf", ".dbt"})
        std::filesystem::copy_file(std::filesystem::path(source).replace_extension(ext),
                                   folder / (name + ext),
                                   std::filesystem::copy_options::overwrite_existing);
      out.push_back(name + ".dbf");
    }
    if (chdir(folder.c_str()) != 0) throw std::runtime_error("cannot enter " + folder.string());
    return out;
  }();
  return names;
}

class NoPane : public app::MessagePane {
 public:
  void Clear() override {}
  void SetLines(const std::vector<std::string>& lines) override { count += lines.size(); }
  std::size_t count = 0;
};

class NoBoxes : public app::MessageBoxService {
 public:
  void Confirm(const std::string&, app::ScreenPoint) override { ++boxes; }
  bool AskYesNo(const std::string&) override { return false; }
  void Error(const std::string&, const std::string&) override {}
  void Inform(const std::string&) override {}
  int boxes = 0;
};

// The day of the year moves on with every lookup, so that the lookups average over the year.
class Days : public app::SelectedDate {
 public:
  platform::CalendarDate Date() const override {
    const std::string& key = bench::DayKeys()[index % bench::DayKeys().size()];
    return {2024, std::stoi(key.substr(0, 2)), std::stoi(key.substr(2, 2))};
  }
  std::size_t index = 0;
};

void EngineLookup(benchmark::State& state) {
  const std::vector<std::string>& themes = ThemeFolder();
  std::size_t day = 0;
  int64_t lines = 0;
  for (auto _ : state) {
    const std::string filter = app::DayFilter(bench::DayKeys()[day++ % bench::DayKeys().size()]);
    for (const std::string& theme : themes) lines += bench::EngineDayLookup(theme, filter);
  }
  state.counters["lines/lookup"] = static_cast<double>(lines) / static_cast<double>(state.iterations());
}

void CalendarLookup(benchmark::State& state) {
  const std::vector<std::string>& themes = ThemeFolder();
  app::Program program("Vornel.Ini");
  NoPane pane;
  NoBoxes boxes;
  Days days;
  for (auto _ : state) {
    ++days.index;
    app::ShowDayMessages(days, themes, program.joketbl, pane, boxes, {});
  }
  state.counters["lines/lookup"] = static_cast<double>(pane.count) / static_cast<double>(state.iterations());
  state.counters["boxes"] = boxes.boxes;
}

// Every theme holds the text on a seventh of its days.
void Search(benchmark::State& state) {
  const std::vector<std::string>& themes = ThemeFolder();
  const bool held = state.range(0) != 0;
  app::MessageSearch kept;
  std::size_t hits = 0;
  for (auto _ : state) {
    app::MessageSearch fresh;
    hits += (held ? kept : fresh).Find(themes, "SCARECROW").size();
  }
  state.counters["days found"] = static_cast<double>(hits) / static_cast<double>(state.iterations());
}

}  // namespace

BENCHMARK(Search)->Name("find, 20 themes read")->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(Search)->Name("find, 20 themes held")->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(EngineLookup)->Name("ref/engine lookup, 20 themes")->Unit(benchmark::kMillisecond);
BENCHMARK(CalendarLookup)->Name("calendar lookup, 20 themes")->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  expr::InstallExpressionUnit();
  engine::SetRaise(true);
  ThemeFolder();  // made before any timing
  return bench::RunWithRatios(argc, argv);
}
