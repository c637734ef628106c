#include "platform/datetime.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <vector>

#include "platform/exception.h"
#include "platform/format.h"

namespace vornelle::platform {

namespace {

constexpr int64_t kDaysFrom1970To1899 = 25569;  // 30 December 1899 lies that many days before
constexpr int32_t kStampOffset = 693594;        // date stamp of 30 December 1899
constexpr double kFirstValue = -693593;         // 1 January of year 1
constexpr double kLastValue = 2958465;          // 31 December 9999

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysIn(int y, int m) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

// Days since 1 January 1970 of a proleptic Gregorian date, and back.
int64_t DaysFromCivil(int64_t y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

CalendarDate CivilFromDays(int64_t z) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return {static_cast<int>(yoe + era * 400 + (m <= 2)), m, d};
}

void AppendNumber(std::string& out, int value, int width) {
  std::string digits = std::to_string(value);
  if (static_cast<int>(digits.size()) < width) out.append(width - digits.size(), '0');
  out += digits;
}

int WidenYear(int yy) {
  const int pivot = Today().year - 70;
  int year = pivot / 100 * 100 + yy;
  if (yy < pivot % 100) year += 100;
  return year;
}

}  // namespace

bool TryEncodeDate(int year, int month, int day, TDateTime* out) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysIn(year, month))
    return false;
  *out = static_cast<double>(DaysFromCivil(year, month, day) + kDaysFrom1970To1899);
  return true;
}

TDateTime EncodeDate(int year, int month, int day) {
  TDateTime value = 0;
  if (!TryEncodeDate(year, month, day, &value))
    throw EConvertError("Invalid argument to date encode");
  return value;
}

CalendarDate DecodeDate(TDateTime value) {
  if (!(value >= kFirstValue && value < kLastValue + 1)) return {};
  return CivilFromDays(static_cast<int64_t>(std::floor(value)) - kDaysFrom1970To1899);
}

int32_t DateTimeToDateStamp(TDateTime value) {
  if (!(value >= kFirstValue && value < kLastValue + 1)) return 0;
  return static_cast<int32_t>(std::floor(value)) + kStampOffset;
}

TDateTime DateStampToDateTime(int32_t stamp) { return static_cast<double>(stamp - kStampOffset); }

std::string DateToStr(TDateTime value) {
  const CalendarDate date = DecodeDate(value);
  const std::string pattern = GetShortDateFormat().pattern;
  std::string out;
  for (std::size_t i = 0; i < pattern.size();) {
    const char c = pattern[i];
    std::size_t run = 1;
    while (i + run < pattern.size() && pattern[i + run] == c) ++run;
    switch (c) {
      case 'd': AppendNumber(out, date.day, run >= 2 ? 2 : 1); break;
      case 'M': AppendNumber(out, date.month, run >= 2 ? 2 : 1); break;
      case 'y': AppendNumber(out, run <= 2 ? date.year % 100 : date.year, run <= 2 ? 2 : 4); break;
      default: out.append(run, c); break;
    }
    i += run;
  }
  return out;
}

bool TryStrToDate(std::string_view text, TDateTime* out) {
  // The order of day, month and year in the pattern.
  std::string order;
  for (char c : GetShortDateFormat().pattern)
    if ((c == 'd' || c == 'M' || c == 'y') && order.find(c) == std::string::npos) order += c;
  if (order.size() != 3) order = "Mdy";

  struct Number {
    int value;
    int digits;
  };
  std::vector<Number> numbers;
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] < '0' || text[i] > '9') {
      // Only blanks and separators may stand between the numbers.
      if (std::isalpha(static_cast<unsigned char>(text[i]))) return false;
      ++i;
      continue;
    }
    Number n{0, 0};
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
      if (++n.digits > 4) return false;
      n.value = n.value * 10 + (text[i++] - '0');
    }
    numbers.push_back(n);
  }
  if (numbers.size() < 2 || numbers.size() > 3) return false;
  int day = 0, month = 0, year = Today().year;
  std::size_t next = 0;
  for (char part : order) {
    if (part == 'y' && numbers.size() == 2) continue;
    const Number& n = numbers[next++];
    if (part == 'd') day = n.value;
    if (part == 'M') month = n.value;
    if (part == 'y') year = n.digits <= 2 ? WidenYear(n.value) : n.value;
  }
  return TryEncodeDate(year, month, day, out);
}

TDateTime StrToDate(std::string_view text) {
  TDateTime value = 0;
  if (!TryStrToDate(text, &value))
    throw EConvertError(Format("'%s' is not a valid date", std::string(text).c_str()));
  return value;
}

}  // namespace vornelle::platform
