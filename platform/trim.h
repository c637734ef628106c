#pragma once
// Text without what stands around it, a rule for each kind of text.

#include <string_view>

namespace vornelle::platform {

// Blanks (' ') on both sides: the padding of a field's text.
std::string_view TrimBlanks(std::string_view text);
// Blanks and tabs: a value as typed, or as a file keeps it (a setting, a number).
std::string_view TrimBlanksAndTabs(std::string_view text);
// Blanks and every control character (codes up to 32): names, commands, expressions and the
// lines of files written by hand.
std::string_view TrimControls(std::string_view text);

}  // namespace vornelle::platform
