#pragma once
// The text found by the find window, marked in the pane where the calendar shows the day it
// was found on: each place it stands, matched as the search matched it.

#include <QString>

#include "app/core/message_search.h"

class QPlainTextEdit;

namespace vornelle::app {

// Marks each place of `text` in `pane` (and nothing else: an empty text clears the marks), and
// scrolls to the first. Returns how many were marked.
int HighlightMatches(QPlainTextEdit* pane, const QString& text, const SearchOptions& options);

}  // namespace vornelle::app
