#pragma once
// Spell checking of a text box: SpellChecker asks a Hunspell dictionary about words and keeps
// its answers (typing asks about the same words again and again); SpellHighlighter underlines,
// with the desktop's wavy spelling line, each word of the box the checker calls wrong. Words
// with a digit, and words of one letter, are not checked.

#include <QHash>
#include <QStringList>
#include <QSyntaxHighlighter>
#include <memory>

#include "app/core/dictionaries.h"

class Hunspell;

namespace vornelle::app {

class SpellChecker {
 public:
  // Loads `dictionary`, with the user's own words added. A dictionary that cannot be loaded
  // calls every word right.
  explicit SpellChecker(const Dictionary& dictionary, const std::vector<std::string>& own_words = {});
  ~SpellChecker();

  const std::string& Language() const { return language_; }
  bool IsCorrect(const QString& word);
  // At most `most` suggestions, the likeliest first.
  QStringList Suggestions(const QString& word, int most = 8);
  // Takes `word` as right from now on, for this run (the personal list keeps it for later).
  void Accept(const QString& word);

 private:
  std::string Encoded(const QString& word) const;

  std::string language_;
  std::unique_ptr<Hunspell> hunspell_;
  bool utf8_ = true;
  QHash<QString, bool> known_;  // the answers so far
};

// Whether `word` is checked at all: two letters or more, and no digit.
bool IsCheckedWord(QStringView word);

// Where the words of `text` are: [start, length] pairs.
QList<std::pair<int, int>> WordsOf(const QString& text);

class SpellHighlighter : public QSyntaxHighlighter {
  Q_OBJECT

 public:
  explicit SpellHighlighter(QTextDocument* document);

  // The checker to ask; nullptr checks nothing. The text is underlined anew.
  void SetChecker(SpellChecker* checker);
  SpellChecker* Checker() const { return checker_; }

 protected:
  void highlightBlock(const QString& text) override;

 private:
  SpellChecker* checker_ = nullptr;
  QTextCharFormat wrong_;
};

}  // namespace vornelle::app
