#pragma once
// Conversion between the raw record (the bytes as stored) and the typed record buffer (what the
// caller sees), and the display date form of the engine's date settings.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/state.h"

namespace vornelle::engine {

// Raw record -> typed record buffer.
void UnpackRecord(WorkArea& wa);
// Typed record buffer -> raw record. A field whose typed value equals what its non-blank stored
// bytes already say keeps those bytes, so an update never reformats, clamps or blanks what it
// did not change.
void PackRecord(WorkArea& wa);

// The display date of the eight stored characters YYYYMMDD in the given date order, with a
// four-digit year when `century` is on: "MM/DD/YY", "YYYY.MM.DD", "DD-MM-YY"...
std::string DisplayDate(std::string_view ymd, int order, bool century);

// The eight stored characters of a display date in the date order, its year written with four
// digits or two (whatever follows the date is ignored, so "03/07/24  " is a date). An empty or
// blank date gives eight blanks; so does a text that is not a valid date. A two-digit year is
// widened in the 100-year window that starts 70 years before `current_year`.
std::string StoredDate(std::string_view display, int order, int current_year);

// The eight stored characters YYYYMMDD of a date.
std::string StoredDateOf(int year, int month, int day);

// The year a two-digit year stands for, in the window that starts 70 years before the current year.
int WidenYear(int yy, int current_year);

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// The fixed-point text of `value` with `decimals` places, unpadded: the shortest decimal that
// reads back as the same double, rounded at the last place with ties away from zero, so 0.125
// and 2.675 show as 0.13 and 2.68 as they read. A value that shows as zero has no sign. Writes
// to `out` (`size` bytes, no terminator) and returns the length; 0 for a NaN, an infinity or a
// text longer than `size`. Allocates nothing.
std::size_t FixedText(double value, int decimals, char* out, std::size_t size);

// The stored text of a number: FixedText right-aligned in `width`; all '*' when it does not fit.
std::string FormatNumber(double value, int width, int decimals);

// Reads the text of a numeric field (blanks on either side ignored; a blank field is 0).
double ParseNumber(std::string_view text);
// A number when the whole text is one (blanks on either side allowed), read in any locale;
// nothing otherwise.
std::optional<double> WholeNumber(std::string_view text);
// The letters a logical field stores for true: T, t, Y, y.
bool IsTrue(char c);
int32_t ParseInteger(std::string_view text);

}  // namespace vornelle::engine
