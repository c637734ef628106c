// Spell checking a 5,000-line message in the theme editor's box: the highlighter underlining the
// whole text (each word asked of the English dictionary, then its answer kept), beside the same
// text laid out again without checking (the reference: what any change of the text's look
// costs). A keystroke checks only its own line. Counter: the words underlined.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QTextBlock>

#include "app/gui/spell_highlighter.h"
#include "bench/bench_main.h"

using namespace vornelle;

namespace {

const char* const kWords[] = {
    "the", "morning", "frost", "lies", "on", "garden", "beds", "and", "sparrows", "gather", "under", "hedge",
    "when", "swallows", "fly", "low", "rain", "follows", "soon", "after", "harvest", "moon", "rises", "orange",
    "over", "fields", "where", "farmers", "bring", "wheat", "barley", "into", "barns", "before", "storms",
    "autumn", "leaves", "turn", "gold", "red", "brown", "children", "collect", "chestnuts", "along", "lane",
    "recieve", "wether", "tommorow", "freind", "begining", "seperate", "occured", "untill"};

QString Message() {
  QString text;
  unsigned seed = 7;
  for (int line = 0; line < 5000; ++line) {
    for (int word = 0; word < 10; ++word) {
      seed = seed * 1103515245 + 12345;
      text += QString::fromLatin1(kWords[(seed >> 16) % std::size(kWords)]) + (word < 9 ? " " : ".\n");
    }
  }
  return text;
}

struct Box {
  QPlainTextEdit edit;
  app::SpellHighlighter* highlighter = new app::SpellHighlighter(edit.document());
  Box() { edit.setPlainText(Message()); }
};

// The English dictionary's checker; nothing, and the benchmark skipped, without one.
std::unique_ptr<app::SpellChecker> English(benchmark::State& state) {
  const std::vector<app::Dictionary> found = app::FindDictionaries(app::DictionaryFolders());
  const app::Dictionary* english = app::ChooseDictionary(found, {"en_US"});
  if (english && english->language.rfind("en", 0) == 0) return std::make_unique<app::SpellChecker>(*english);
  state.SkipWithError("no English dictionary (hunspell-en-us)");
  return nullptr;
}

void Relayout(benchmark::State& state) {
  Box box;
  for (auto _ : state) box.highlighter->rehighlight();
}

void Checked(benchmark::State& state) {
  Box box;
  const std::unique_ptr<app::SpellChecker> checker = English(state);
  if (!checker) return;
  for (auto _ : state) box.highlighter->SetChecker(checker.get());
  int underlined = 0;
  for (QTextBlock block = box.edit.document()->begin(); block.isValid(); block = block.next())
    underlined += int(block.layout()->formats().size());
  state.counters["underlined"] = underlined;
}

void Keystroke(benchmark::State& state) {
  Box box;
  const std::unique_ptr<app::SpellChecker> checker = English(state);
  if (!checker) return;
  box.highlighter->SetChecker(checker.get());
  QTextCursor cursor(box.edit.document()->findBlockByNumber(2500));
  for (auto _ : state) {
    cursor.insertText("x");
    cursor.deletePreviousChar();
  }
}

}  // namespace

BENCHMARK(Relayout)->Name("ref/5,000 lines laid out again")->Unit(benchmark::kMillisecond);
BENCHMARK(Checked)->Name("5,000 lines spell checked")->Unit(benchmark::kMillisecond);
BENCHMARK(Keystroke)->Name("a keystroke and its undoing, checked")->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  return bench::RunWithRatios(argc, argv);
}
