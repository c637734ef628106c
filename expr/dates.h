#pragma once
// Dates of the expression language: day numbers (the Julian day number of the proleptic
// Gregorian calendar, held in a double; 1 January of year 1 is day 1721426), the blank date,
// and the text forms the engine's date settings give them.

#include <cstddef>
#include <string>
#include <string_view>

namespace vornelle::expr {

inline constexpr double kBlankDate = 1e100;
inline constexpr double kFirstDay = 1721426;  // 1 January of year 1
inline constexpr double kLastDay = 5373484;   // 31 December 9999

struct CivilDate {
  int year = 0;
  int month = 0;
  int day = 0;
};

// The day number of a calendar date of the years 1 to 9999; the blank date when not valid.
double DayNumber(int year, int month, int day);
// The calendar date of a day number (its integer part); false for the blank date and for any
// number outside kFirstDay..kLastDay.
bool CivilFromDay(double day, CivilDate* out);

// Eight characters YYYYMMDD to a day number: a year of 0 (eight blanks too), a month outside
// 1..12 or a day beyond the month give the blank date.
double DayNumberFromYmd(std::string_view ymd);
// A day number to YYYYMMDD; eight blanks for a blank or out-of-range date.
std::string YmdFromDayNumber(double day);

// The date text in the engine's date order and century setting ("MM/DD/YY", "DD.MM.YYYY"...);
// a blank date keeps the separators ("  /  /  ").
std::string Dtoc(double day);
// The first 10 characters of `text` read as a date in the engine's date order; the blank date
// when they are not one. Two-digit years follow the engine's window.
double Ctod(std::string_view text);
// 1 = Sunday ... 7 = Saturday; 0 for a blank date.
int DayOfWeek(double day);
// Today from the system clock.
double TodayDayNumber();

// Weekday and month names in the language of the engine's date order, padded to the
// language's width (French and German in OEM code page 437, Russian in 866). A blank date
// gives 10 and 9 blanks.
std::string Cdow(double day);
std::string Cmonth(double day);

namespace detail {
// The same, written to `out` (room for 16 characters) without allocating; the length.
std::size_t FormatDtoc(double day, int order, bool century, char* out);
std::size_t FormatCdow(double day, int order, char* out);
std::size_t FormatCmonth(double day, int order, char* out);
}  // namespace detail

}  // namespace vornelle::expr
