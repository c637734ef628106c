#pragma once
// What a theme's text is, and what it may be. A theme keeps its text in one single-byte code
// page: the one its table's language driver byte names, else DOS 437, the page themes have
// always been written in (and new themes are). The text reaches the user decoded from that
// page to Unicode, and what the user writes is encoded into it: only characters the page truly
// lacks are refused.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text_codec.h"

namespace vornelle::themes {

// The page of a theme whose table has `language_driver` in its header.
const platform::CodePage& ThemePage(uint8_t language_driver);
// A converter for `page`, made once and kept for the run: opening one costs more than a day's
// lookup.
platform::TextCodec& CodecFor(const platform::CodePage& page);
// The converter of the theme table open in the engine's current work area.
platform::TextCodec& CurrentThemeCodec();
// The page new themes are written in.
platform::TextCodec& NewThemeCodec();

// A message as the theme stores it, as lines of UTF-8: an editor's soft returns joined, lines
// ended by CR LF, CR or LF.
std::vector<std::string> ThemeLines(platform::TextCodec& codec, std::string stored);

// The first character of the UTF-8 `text` that `codec`'s page cannot hold, as it can be shown
// to the user, with its code point: "π (U+03C0)" ("\xNN" for a byte that is no UTF-8); empty
// when every character fits.
std::string CharacterThePageLacks(platform::TextCodec& codec, std::string_view text);

// What is wrong with a record's key as the user typed it: empty for a day of a leap year
// (0101 to 1231, 0229 included) and for the description's 9999.
std::string DayKeyProblem(std::string_view key);
inline constexpr const char* kDayKeyText = "The day must be MMDD (0101 to 1231) or 9999 for the description";
// For a month and day that no year has ("0230"): this, then the key as typed.
inline constexpr const char* kNoSuchDayText = "No year has such a day (MMDD): ";

// What is wrong with `name` (as typed, blanks around it ignored) as the file name of a new theme
// of the folder: empty when it is one. A theme is a file of the folder, which the calendar
// lists: no folder in its name, no hidden name, a name before its extension.
std::string NewThemeNameProblem(std::string_view name);
// The file a new theme named `name` gets: trimmed, ".dbf" added unless it ends so (in any case).
std::string NewThemeFile(std::string_view name);

// The 366 day keys of a leap year, 0101 to 1231.
std::vector<std::string> LeapYearDayKeys();

}  // namespace vornelle::themes
