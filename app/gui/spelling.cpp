#include "app/gui/spelling.h"

#include <QAction>
#include <cerrno>
#include <cstring>
#include <QActionGroup>
#include <QLocale>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextBlock>

#include "app/core/program.h"
#include "app/core/services.h"
#include "app/gui/spell_highlighter.h"
#include "platform/exception.h"
#include "platform/profile.h"

namespace vornelle::app {

namespace {

// "en_US — English (United States)", as the language calls itself.
QString LanguageTitle(const std::string& language) {
  const QString code = QString::fromStdString(language);
  const QLocale locale(code);
  if (locale.language() == QLocale::C) return code;
  QString name = locale.nativeLanguageName();
  if (code.contains('_')) name += " (" + locale.nativeTerritoryName() + ")";
  return code + QString::fromUtf8(" \u2014 ") + name;
}

// The word of `cursor`'s block that holds its place, selected; a cursor without a selection
// when there is none.
QTextCursor WordAt(QTextCursor cursor) {
  const QTextBlock block = cursor.block();
  const int at = cursor.position() - block.position();
  for (const auto& [start, length] : WordsOf(block.text()))
    if (at >= start && at <= start + length) {
      cursor.setPosition(block.position() + start);
      cursor.setPosition(block.position() + start + length, QTextCursor::KeepAnchor);
      return cursor;
    }
  cursor.clearSelection();
  return cursor;
}

}  // namespace

Spelling::Spelling(QPlainTextEdit* box, std::string settings_path, MessageBoxService& boxes)
    : QObject(box), box_(box), settings_path_(std::move(settings_path)), boxes_(boxes) {
  highlighter_ = new SpellHighlighter(box_->document());
  box_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(box_, &QWidget::customContextMenuRequested, this, &Spelling::ShowMenu);
}

Spelling::~Spelling() = default;

const std::vector<Dictionary>& Spelling::Dictionaries() {
  if (!dictionaries_) dictionaries_ = FindDictionaries(folders_);
  return *dictionaries_;
}

void Spelling::LookIn(std::vector<std::filesystem::path> folders) {
  folders_ = std::move(folders);
  dictionaries_.reset();
  highlighter_->SetChecker(nullptr);
  checkers_.clear();
}

std::string Spelling::Language() const {
  return highlighter_->Checker() ? highlighter_->Checker()->Language() : std::string();
}

void Spelling::ThemeOpened(const std::string& theme) {
  theme_ = theme;
  const std::vector<Dictionary>& dictionaries = Dictionaries();
  if (dictionaries.empty()) {
    if (platform::GetProfileString(settings_path_, kSpellingSection, kNoDictionaryToldKey, "") != "1") {
      boxes_.Inform(tr(kNoDictionaryText).toStdString());
      platform::WriteProfileString(settings_path_, kSpellingSection, kNoDictionaryToldKey, "1");
    }
    Check({});
    return;
  }
  const std::optional<std::string> chosen = RememberedLanguage(settings_path_, theme);
  if (chosen && *chosen == kNoChecking) {
    Check({});
    return;
  }
  for (const Dictionary& dictionary : dictionaries)
    if (chosen && dictionary.language == *chosen) {
      Check(*chosen);
      return;
    }
  // The desktop's languages, the most wanted first.
  std::vector<std::string> preferred;
  for (const QString& language : QLocale::system().uiLanguages()) preferred.push_back(language.toStdString());
  const Dictionary* desktop = ChooseDictionary(dictionaries, preferred);
  Check(desktop ? desktop->language : std::string());
}

void Spelling::Check(const std::string& language) {
  if (language.empty()) {
    highlighter_->SetChecker(nullptr);
    return;
  }
  std::unique_ptr<SpellChecker>& checker = checkers_[language];
  if (!checker) {
    std::vector<std::string> own;
    try {
      own = ReadPersonalWords(PersonalWordsPath());
    } catch (const platform::Exception&) {
      // No home folder: no words of the user's own.
    }
    for (const Dictionary& dictionary : Dictionaries())
      if (dictionary.language == language) checker = std::make_unique<SpellChecker>(dictionary, own);
  }
  highlighter_->SetChecker(checker.get());
}

void Spelling::ChooseLanguage(const std::string& language) {
  if (!theme_.empty() && !RememberLanguage(settings_path_, theme_, language))
    boxes_.Error(ApplicationTitle(), tr("The spelling language could not be kept in %1")
                                         .arg(QString::fromStdString(settings_path_)).toStdString());
  Check(language == kNoChecking ? std::string() : language);
}

std::unique_ptr<QMenu> Spelling::MenuAt(const QPoint& at) {
  std::unique_ptr<QMenu> menu(box_->createStandardContextMenu(at));
  QAction* first = menu->actions().value(0);
  SpellChecker* checker = highlighter_->Checker();
  const QTextCursor word = WordAt(box_->cursorForPosition(at));
  const QString text = word.selectedText();
  if (checker && !box_->isReadOnly() && IsCheckedWord(text) && !checker->IsCorrect(text)) {
    const QStringList suggestions = checker->Suggestions(text);
    for (const QString& suggestion : suggestions) {
      QAction* use = new QAction(suggestion, menu.get());
      QFont bold = use->font();
      bold.setBold(true);
      use->setFont(bold);
      connect(use, &QAction::triggered, box_, [word, suggestion] { QTextCursor(word).insertText(suggestion); });
      menu->insertAction(first, use);
    }
    if (suggestions.isEmpty()) {
      QAction* none = new QAction(tr("No Suggestions"), menu.get());
      none->setEnabled(false);
      menu->insertAction(first, none);
    }
    QAction* add = new QAction(tr("&Add to Dictionary"), menu.get());
    connect(add, &QAction::triggered, this, [this, text] {
      try {
        if (!AddPersonalWord(PersonalWordsPath(), text.toStdString())) throw platform::Exception(std::strerror(errno));
      } catch (const platform::Exception& error) {
        boxes_.Error(ApplicationTitle(), tr("The word could not be added to your dictionary: %1")
                                             .arg(QString::fromUtf8(error.what())).toStdString());
        return;
      }
      for (auto& [language, loaded] : checkers_)
        if (loaded) loaded->Accept(text);
      highlighter_->rehighlight();
    });
    menu->insertAction(first, add);
    menu->insertSeparator(first);
  }
  if (!Dictionaries().empty()) {
    menu->addSeparator();
    QMenu* languages = menu->addMenu(tr("Spelling &Language"));
    auto* group = new QActionGroup(languages);
    const std::string current = Language();
    std::vector<std::pair<std::string, QString>> choices = {{kNoChecking, tr("No Checking")}};
    for (const Dictionary& dictionary : Dictionaries()) choices.emplace_back(dictionary.language, LanguageTitle(dictionary.language));
    for (const auto& [language, title] : choices) {
      QAction* choice = languages->addAction(title);
      choice->setCheckable(true);
      choice->setChecked(language == (current.empty() ? std::string(kNoChecking) : current));
      group->addAction(choice);
      connect(choice, &QAction::triggered, this, [this, language = language] { ChooseLanguage(language); });
    }
  }
  return menu;
}

void Spelling::ShowMenu(const QPoint& at) {
  const std::unique_ptr<QMenu> menu = MenuAt(at);
  menu->exec(box_->viewport()->mapToGlobal(at));
}

}  // namespace vornelle::app
