// A month of 20 themes as PDF, beside the plain text of the same days written to a file (the
// reference). Both start from the days as read (the themes' reading is the same for both); the
// PDF is laid out in the pane's default font and painted page by page. Counter: its pages.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QBuffer>
#include <QFontDatabase>
#include <QPdfWriter>
#include <cstdio>
#include <string>

#include "app/gui/print_pages.h"
#include "bench/bench_main.h"

using namespace vornelle;

namespace {

std::vector<app::PrintedDay> AMonth() {
  std::vector<app::PrintedDay> days;
  for (int day = 1; day <= 31; ++day) {
    app::PrintedDay printed{QString("Wednesday, %1 July 2026").arg(day), {}};
    for (int theme = 1; theme <= 20; ++theme) {
      app::ThemeMessage message{"Theme number " + std::to_string(theme), {}};
      for (int line = 1; line <= 4; ++line)
        message.lines.push_back("Line " + std::to_string(line) + " of the day's saying: a stitch in time saves nine, "
                                "and many hands make light work.");
      printed.messages.push_back(std::move(message));
    }
    days.push_back(std::move(printed));
  }
  return days;
}

const std::vector<app::PrintedDay>& Month() {
  static const std::vector<app::PrintedDay> month = AMonth();
  return month;
}

void PlainText(benchmark::State& state) {
  for (auto _ : state) {
    std::FILE* out = std::tmpfile();
    for (const app::PrintedDay& day : Month()) {
      std::string text = day.title.toStdString() + "\n\n";
      for (const app::ThemeMessage& message : day.messages) {
        text += message.description + "\n";
        for (const std::string& line : message.lines) text += line + "\n";
        text += "\n";
      }
      std::fwrite(text.data(), 1, text.size(), out);
    }
    std::fclose(out);
  }
}

void Pdf(benchmark::State& state) {
  const QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  int pages = 0;
  for (auto _ : state) {
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&bytes);
    pages = app::PaintDays(pdf, Month(), font);
    benchmark::DoNotOptimize(bytes.size());
  }
  state.counters["pages"] = pages;
}

}  // namespace

BENCHMARK(PlainText)->Name("ref/plain text of a month of 20 themes")->Unit(benchmark::kMillisecond);
BENCHMARK(Pdf)->Name("PDF of a month of 20 themes")->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  return bench::RunWithRatios(argc, argv);
}
