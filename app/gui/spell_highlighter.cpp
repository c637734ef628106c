#include "app/gui/spell_highlighter.h"

#include <hunspell/hunspell.hxx>

#include <QStringDecoder>
#include <QStringEncoder>
#include <QTextBoundaryFinder>

namespace vornelle::app {

SpellChecker::SpellChecker(const Dictionary& dictionary, const std::vector<std::string>& own_words)
    : language_(dictionary.language) {
  hunspell_ = std::make_unique<Hunspell>(dictionary.aff.c_str(), dictionary.dic.c_str());
  // Debian's dictionaries are UTF-8; an older one may be Latin-1 (ISO8859-1).
  const std::string encoding = hunspell_->get_dict_encoding();
  utf8_ = encoding.empty() || encoding == "UTF-8" || encoding == "utf-8";
  for (const std::string& word : own_words) hunspell_->add(Encoded(QString::fromStdString(word)));
}

SpellChecker::~SpellChecker() = default;

std::string SpellChecker::Encoded(const QString& word) const {
  return utf8_ ? word.toStdString() : word.toLatin1().toStdString();
}

bool SpellChecker::IsCorrect(const QString& word) {
  const auto known = known_.constFind(word);
  if (known != known_.constEnd()) return *known;
  // Curly apostrophes are the dictionaries' straight ones.
  const bool correct = hunspell_->spell(Encoded(QString(word).replace(QChar(0x2019), '\'')));
  known_.insert(word, correct);
  return correct;
}

QStringList SpellChecker::Suggestions(const QString& word, int most) {
  QStringList suggestions;
  for (const std::string& suggestion : hunspell_->suggest(Encoded(word))) {
    if (suggestions.size() >= most) break;
    suggestions << (utf8_ ? QString::fromStdString(suggestion) : QString::fromLatin1(suggestion.c_str()));
  }
  return suggestions;
}

void SpellChecker::Accept(const QString& word) {
  hunspell_->add(Encoded(word));
  known_.insert(word, true);
}

bool IsCheckedWord(QStringView word) {
  int letters = 0;
  for (const QChar c : word) {
    if (c.isDigit()) return false;
    if (c.isLetter()) ++letters;
  }
  return letters >= 2;
}

QList<std::pair<int, int>> WordsOf(const QString& text) {
  QList<std::pair<int, int>> words;
  QTextBoundaryFinder finder(QTextBoundaryFinder::Word, text);
  int start = (finder.boundaryReasons() & QTextBoundaryFinder::StartOfItem) ? 0 : -1;
  for (qsizetype at = finder.toNextBoundary(); at != -1; at = finder.toNextBoundary()) {
    const QTextBoundaryFinder::BoundaryReasons reasons = finder.boundaryReasons();
    if (start >= 0 && (reasons & QTextBoundaryFinder::EndOfItem)) words.push_back({start, int(at) - start});
    start = (reasons & QTextBoundaryFinder::StartOfItem) ? int(at) : -1;
  }
  return words;
}

SpellHighlighter::SpellHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {
  wrong_.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
  wrong_.setUnderlineColor(Qt::red);
}

void SpellHighlighter::SetChecker(SpellChecker* checker) {
  checker_ = checker;
  rehighlight();
}

void SpellHighlighter::highlightBlock(const QString& text) {
  if (!checker_) return;
  for (const auto& [start, length] : WordsOf(text)) {
    const QStringView word = QStringView(text).mid(start, length);
    if (IsCheckedWord(word) && !checker_->IsCorrect(word.toString())) setFormat(start, length, wrong_);
  }
}

}  // namespace vornelle::app
