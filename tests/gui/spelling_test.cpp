// Spelling in the theme editor's message box, with Debian's English dictionary: misspelled
// words underlined as typed, a suggestion taken and a word added from the box's context menu,
// the theme's language kept in the settings, and the one note when no dictionary is installed.

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include "app/core/dictionaries.h"
#include "app/gui/main_window.h"
#include "app/gui/spell_highlighter.h"
#include "app/gui/spelling.h"
#include "app/gui/theme_editor.h"
#include "platform/profile.h"
#include "tests/gui/window_fixture.h"

using namespace vornelle;
namespace vt = vornelle::testing;

class SpellingTest : public QObject, public vt::WindowFixture {
  Q_OBJECT

 private:
  app::ThemeEditor& Editor() {
    window_->EditThemesClick();
    return *window_->Editor();
  }

  // The words of the message box underlined as misspelled, in order.
  static QString Underlined(const QPlainTextEdit* box) {
    QStringList words;
    for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next())
      for (const QTextLayout::FormatRange& range : block.layout()->formats())
        if (range.format.underlineStyle() == QTextCharFormat::SpellCheckUnderline)
          words << block.text().mid(range.start, range.length);
    return words.join('|');
  }

  // The context menu over the middle of `word`'s first place in the box.
  static std::unique_ptr<QMenu> MenuOver(app::ThemeEditor& editor, const QString& word) {
    QPlainTextEdit* box = editor.MessageEdit();
    QTextCursor cursor(box->document());
    cursor.setPosition(int(box->toPlainText().indexOf(word)) + 1);
    return editor.Speller()->MenuAt(box->cursorRect(cursor).center());
  }

  static QAction* Named(QMenu& menu, const QString& text) {
    for (QAction* action : menu.actions())
      if (action->text() == text) return action;
    for (QAction* action : menu.actions())
      if (action->menu())
        if (QAction* inner = Named(*action->menu(), text)) return inner;
    return nullptr;
  }

 private Q_SLOTS:
  void init() {
    QVERIFY(SetUp());
    qputenv("XDG_DATA_HOME", File("data").toUtf8());
    Theme("almanac.dbf", {{"9999", "Almanac"}, {"0704", "Fireworks at noon."}});
    Settings("[THEMES]\nThemeLINES=1\nDB_0=almanac.dbf\n[Spelling]\nalmanac.dbf=en_US\n");
    Start();
  }

  void cleanup() { QVERIFY(TearDown()); }

  void underlinesMisspellingsAndTakesSuggestions() {
    app::ThemeEditor& editor = Editor();
    QCOMPARE(editor.Speller()->Language(), std::string("en_US"));
    QPlainTextEdit* box = editor.MessageEdit();
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, "The quick brwn fox jumps ovr the dog in 2024.");
    QTest::keyClick(box, Qt::Key_Return);
    box->insertPlainText(QString::fromUtf8("Don\u2019t worry, Qt is x."));  // a curly apostrophe
    QCOMPARE(Underlined(box), QString("brwn|ovr"));
    std::unique_ptr<QMenu> menu = MenuOver(editor, "brwn");
    QAction* brown = Named(*menu, "brown");
    QVERIFY(brown);
    brown->trigger();
    QVERIFY(box->toPlainText().startsWith("The quick brown fox"));
    QCOMPARE(Underlined(box), QString("ovr"));
    box->undo();  // a suggestion taken is one step of the box's undo
    QVERIFY(box->toPlainText().startsWith("The quick brwn fox"));

    menu = MenuOver(editor, "ovr");
    Named(*menu, "&Add to Dictionary")->trigger();
    QCOMPARE(Underlined(box), QString("brwn"));
    QCOMPARE(vt::ReadFileBytes(File("data/vornelle/personal-words.txt").toStdString()), std::string("ovr\n"));

    // No Checking, kept for the theme.
    menu = MenuOver(editor, "brwn");
    Named(*menu, "No Checking")->trigger();
    QCOMPARE(Underlined(box), QString());
    QCOMPARE(platform::GetProfileString(program_->settings_path, app::kSpellingSection, "almanac.dbf", ""),
             std::string(app::kNoChecking));
  }

  void saysOnceWhenNoDictionaryIsInstalled() {
    app::ThemeEditor& editor = Editor();
    QVERIFY(boxes_.informs.empty());
    editor.Speller()->LookIn({File("none").toStdString()});
    for (int time = 1; time <= 2; ++time) {
      editor.Speller()->ThemeOpened("almanac.dbf");
      QCOMPARE(boxes_.informs.size(), std::size_t(1));
      QCOMPARE(editor.Speller()->Language(), std::string());
      QVERIFY(!Named(*MenuOver(editor, "noon"), "No Checking"));
    }
    QVERIFY(boxes_.informs.front().find("hunspell-en-us") != std::string::npos);
  }
};

QTEST_MAIN(SpellingTest)
#include "spelling_test.moc"
