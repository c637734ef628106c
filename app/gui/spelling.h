#pragma once
// Spelling in the theme editor's message box: misspelled words underlined as the user types, and
// in the box's context menu the suggestions for the word under the mouse, "Add to Dictionary"
// (the personal word list, $XDG_DATA_HOME/vornelle/personal-words.txt) and the theme's spelling
// language. The language follows the desktop's, unless the user chose one for the theme: the
// settings file keeps that choice, section [Spelling], a key for each theme. Without any
// dictionary installed the box works as before, and the user is told why once.

#include <QObject>
#include <QPoint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/core/dictionaries.h"

class QMenu;
class QPlainTextEdit;

namespace vornelle::app {

class MessageBoxService;
class SpellChecker;
class SpellHighlighter;

inline constexpr const char* kNoDictionaryText = QT_TRANSLATE_NOOP(
    "vornelle::app::Spelling",
    "No spelling dictionary is installed, so the theme editor does not check spelling. Install "
    "one for your language (for English, the package hunspell-en-us) and open the editor again.");

class Spelling : public QObject {
  Q_OBJECT

 public:
  // Checks `box`; the settings file `settings_path` keeps the themes' languages.
  Spelling(QPlainTextEdit* box, std::string settings_path, MessageBoxService& boxes);
  ~Spelling() override;

  // The theme the box shows now: its language is checked in. The first time ever that no
  // dictionary is found, the user is told.
  void ThemeOpened(const std::string& theme);
  // The language checked now; empty when none.
  std::string Language() const;
  // The box's context menu for the place `at` (in the box's viewport): the standard one, with
  // the spelling's entries first.
  std::unique_ptr<QMenu> MenuAt(const QPoint& at);
  SpellHighlighter* Highlighter() const { return highlighter_; }

  // Looks for dictionaries in `folders` from now on (the desktop's folders until then).
  void LookIn(std::vector<std::filesystem::path> folders);

 private Q_SLOTS:
  void ShowMenu(const QPoint& at);

 private:
  void Check(const std::string& language);
  void ChooseLanguage(const std::string& language);
  const std::vector<Dictionary>& Dictionaries();

  QPlainTextEdit* box_;
  std::string settings_path_;
  MessageBoxService& boxes_;
  std::string theme_;
  std::vector<std::filesystem::path> folders_ = DictionaryFolders();
  std::optional<std::vector<Dictionary>> dictionaries_;  // found when first needed
  std::map<std::string, std::unique_ptr<SpellChecker>> checkers_;  // by language, once loaded
  SpellHighlighter* highlighter_ = nullptr;
};

}  // namespace vornelle::app
