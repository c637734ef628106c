#pragma once
// Conversion between the raw record (the bytes as stored) and the typed record buffer (what the
// caller sees), and the display date form of the engine's date settings.

#include <cstdint>
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

// The eight stored characters of a display date (8 or 10 characters in the date order). An
// empty or blank date gives eight blanks; so does a text that is not a valid date. A two-digit
// year is widened in the 100-year window that starts 70 years before `current_year`.
std::string StoredDate(std::string_view display, int order, int current_year);

// The year a two-digit year stands for, in the window that starts 70 years before the current year.
int WidenYear(int yy, int current_year);

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// The stored text of a number: right-aligned in `width` with `decimals` places; all '*' when it
// does not fit.
std::string FormatNumber(double value, int width, int decimals);

// Reads the text of a numeric field (blanks on either side ignored; a blank field is 0).
double ParseNumber(std::string_view text);
int32_t ParseInteger(std::string_view text);

}  // namespace vornelle::engine
