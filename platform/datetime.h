#pragma once
// The platform's date-time value and its text forms in the process's short date format.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/locale.h"

namespace vornelle::platform {

// Days since 30 December 1899; the fraction is the time of day.
using TDateTime = double;

// A date of the years 1 to 9999 at midnight; false when the date does not exist.
bool TryEncodeDate(int year, int month, int day, TDateTime* out);
// As TryEncodeDate; EConvertError when the date does not exist.
TDateTime EncodeDate(int year, int month, int day);
// The calendar date of the value's day; all zero outside the years 1 to 9999.
CalendarDate DecodeDate(TDateTime value);

// The day-number form of dates: days since 1 January of year 1, that day being 1.
int32_t DateTimeToDateStamp(TDateTime value);
TDateTime DateStampToDateTime(int32_t stamp);

// The date in the short date format (GetShortDateFormat). Runs of d, M and y in the pattern
// are the day, month and year: one letter unpadded, two letters two digits, yyyy four digits.
std::string DateToStr(TDateTime value);
// Reads a date written in the short date format's order of day, month and year, whatever
// separates the numbers. A missing year is this year; a year of one or two digits lies in the
// hundred years that start 70 years before this year.
bool TryStrToDate(std::string_view text, TDateTime* out);
// As TryStrToDate; EConvertError "'text' is not a valid date" otherwise.
TDateTime StrToDate(std::string_view text);

}  // namespace vornelle::platform
