#pragma once
// What a theme's text may be. Theme tables keep their text in DOS code page 437 and the
// calendar shows it through ANSI 1252, so a character both pages hold survives a write and a
// read unchanged; any other would come back as a look-alike or a "?", and is refused before
// anything is written.

#include <string>
#include <string_view>
#include <vector>

namespace vornelle::app {

// The first character of the UTF-8 `text` that a theme cannot hold unchanged, as it can be
// shown to the user (a byte that is no UTF-8 as "\xNN"); empty when every character fits.
std::string FirstCharacterThemesCannotHold(std::string_view text);
inline bool FitsThemes(std::string_view text) { return FirstCharacterThemesCannotHold(text).empty(); }

// What is wrong with a record's key as the user typed it: empty for a day of a leap year
// (0101 to 1231, 0229 included) and for the description's 9999.
std::string DayKeyProblem(std::string_view key);
inline constexpr const char* kDayKeyText = "The day must be MMDD (0101 to 1231) or 9999 for the description";

// The 366 day keys of a leap year, 0101 to 1231.
std::vector<std::string> LeapYearDayKeys();

}  // namespace vornelle::app
