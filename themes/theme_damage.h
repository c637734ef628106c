#pragma once
// What a theme table may be that the calendar cannot read as a theme, said the same by every
// command and window that meets it.

#include <string>

namespace vornelle::themes {

// Follows the table's name: a table without the two fields of a theme.
inline constexpr const char* kNoThemeTableText = " is no theme table: it needs THEDATE (character) and THEJOKE (memo)";

// Whether the table of the current work area has a character THEDATE and a memo THEJOKE.
bool HasThemeFields();

// When the table of the current work area holds fewer records than its header counts (a file
// cut short): "the file holds 199 of the 367 records its header counts"; else empty.
std::string MissingRecordsProblem();

}  // namespace vornelle::themes
