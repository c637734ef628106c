#include "app/gui/match_highlight.h"

#include <QPlainTextEdit>
#include <QTextBlock>

#include "platform/search_fold.h"

namespace vornelle::app {

namespace {

// The QString offset of character number `characters` of the UTF-8 `utf8`, counted as the
// search counts them.
int QStringOffset(const std::string& utf8, std::size_t characters) {
  const std::size_t bytes = platform::ByteOffsetOfCharacter(utf8, characters);
  return int(QString::fromUtf8(utf8.data(), qsizetype(bytes)).size());
}

}  // namespace

int HighlightMatches(QPlainTextEdit* pane, const QString& text, const SearchOptions& options) {
  QList<QTextEdit::ExtraSelection> marks;
  const std::optional<std::u32string> key = SearchKey(text.toStdString(), options);
  QTextCharFormat marked;
  marked.setBackground(pane->palette().color(QPalette::Highlight));
  marked.setForeground(pane->palette().color(QPalette::HighlightedText));
  for (QTextBlock block = pane->document()->begin(); key && block.isValid(); block = block.next()) {
    const std::string line = block.text().toStdString();
    const std::u32string folded = FoldedLine(line, options);
    for (std::size_t at = FindKey(folded, *key, options.whole_words); at != std::u32string::npos;
         at = FindKey(folded, *key, options.whole_words, at + key->size())) {
      QTextCursor cursor(block);
      cursor.setPosition(block.position() + QStringOffset(line, at));
      cursor.setPosition(block.position() + QStringOffset(line, at + key->size()), QTextCursor::KeepAnchor);
      marks.push_back({cursor, marked});
    }
  }
  pane->setExtraSelections(marks);
  if (!marks.isEmpty()) {
    QTextCursor first = marks.front().cursor;
    first.setPosition(first.selectionStart());
    pane->setTextCursor(first);
    pane->ensureCursorVisible();
  }
  return int(marks.size());
}

}  // namespace vornelle::app
