#pragma once
// Today's date and the locale's date and number conventions, read from the C library.

#include <string>

namespace vornelle::platform {

struct CalendarDate {
  int year = 0;
  int month = 0;
  int day = 0;
};

// Today's date in local time.
CalendarDate Today();

// The short date format as a pattern of day, month and year letters ("M/d/yyyy",
// "dd.MM.yyyy", "yyyy-MM-dd"), and its separator.
struct ShortDateFormat {
  std::string pattern;
  char separator = '/';
};

// The process's short date format: the locale's (LC_TIME of the environment) until
// SetShortDateFormat replaces it for the whole process.
ShortDateFormat GetShortDateFormat();
void SetShortDateFormat(const ShortDateFormat& format);

// Converts a C library date format (nl_langinfo(D_FMT), such as "%m/%d/%y" or "%d.%m.%Y")
// into the letter pattern form.
ShortDateFormat PatternFromStrftime(const std::string& strftime_format);

// The locale's decimal and thousands separators (LC_NUMERIC of the environment).
struct NumberSeparators {
  char decimal = '.';
  char thousands = ',';
};
NumberSeparators GetNumberSeparators();

}  // namespace vornelle::platform
