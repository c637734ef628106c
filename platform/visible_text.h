#pragma once
// Text that reaches a terminal or a notification, where a theme's text is shown, never obeyed.
// A theme comes from anyone: an escape sequence in it must not clear the screen of every shell
// that prints the day, nor a NUL end a notification's body where it stands.

#include <string>
#include <string_view>

namespace vornelle::platform {

enum class Tabs { kKept, kAsSpace };

// `text` (UTF-8) with its control characters made visible: C0 ones in caret notation (ESC as
// ^[, NUL as ^@, a line end inside the text as ^J), DEL as ^?, C1 ones (U+0080 to U+009F) and
// bytes that are not UTF-8 as U+FFFD. A tab stays a tab, or becomes a space where tabs
// separate columns.
std::string VisibleText(std::string_view text, Tabs tabs = Tabs::kKept);

// A message of several lines (ended LF or CR LF, as the engine ends them) shown the same way,
// line by line, its lines joined by `joiner`: "\n" for a terminal, " " for one line in a box.
std::string VisibleLines(std::string_view text, std::string_view joiner);

}  // namespace vornelle::platform
