// Day numbers, their text forms and the weekday and month names of CDOW and CMONTH.

#include "expr/dates.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "engine/record_codec.h"
#include "engine/state.h"
#include "platform/locale.h"

namespace vornelle::expr {

namespace {

constexpr int kDaysBefore[13] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365};
constexpr double kDayZero = 1721425;  // the day before 1 January of year 1

int64_t DaysBeforeYear(int64_t year) {
  int64_t y = year - 1;
  return y * 365 + y / 4 - y / 100 + y / 400;
}

int YearLength(int year) { return engine::IsLeapYear(year) ? 366 : 365; }

// A date part of YYYYMMDD: digits with blanks before them; all blanks is 0; -1 when not a number.
int Part(std::string_view s) {
  int value = 0;
  bool digits = false;
  for (char c : s) {
    if (c == ' ' && !digits) continue;
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
    digits = true;
  }
  return value;
}

void PutDigits(char* out, int value, int count) {
  for (int i = count - 1; i >= 0; --i) {
    out[i] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
}

// Languages of the weekday and month names, chosen by the date order.
struct Language {
  const char* weekdays[7];  // Sunday first
  const char* months[12];
  int weekday_width;
  int month_width;
};

constexpr Language kEnglish = {
    {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"},
    {"January", "February", "March", "April", "May", "June", "July", "August", "September",
     "October", "November", "December"},
    9, 9};
constexpr Language kItalian = {
    {"Domenica", "Lunedi", "Martedi", "Mercoledi", "Giovedi", "Venerdi", "Sabato"},
    {"Gennaio", "Febbraio", "Marzo", "Aprile", "Maggio", "Giugno", "Luglio", "Agosto",
     "Settembre", "Ottobre", "Novembre", "Dicembre"},
    9, 9};
// Accented letters in OEM code page 437: \x82 e-acute, \x96 u-circumflex, \x84 a-umlaut.
constexpr Language kFrench = {
    {"Dimanche", "Lundi", "Mardi", "Mercredi", "Jeudi", "Vendredi", "Samedi"},
    {"Janvier", "F\x82vrier", "Mars", "Avril", "Mai", "Juin", "Juillet", "Ao\x96t", "Septembre",
     "Octobre", "Novembre", "D\x82" "cembre"},
    8, 9};
constexpr Language kGerman = {
    {"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"},
    {"Januar", "Februar", "M\x84rz", "April", "Mai", "Juni", "Juli", "August", "September",
     "Oktober", "November", "Dezember"},
    10, 9};
constexpr Language kSpanish = {
    {"Domingo", "Lunes", "Martes", "Miercoles", "Jueves", "Viernes", "Sabado"},
    {"Enero", "Febrero", "Marzo", "Abril", "Mayo", "Junio", "Julio", "Agosto", "Septiembre",
     "Octubre", "Noviembre", "Diciembre"},
    9, 10};
// Russian in OEM code page 866.
constexpr Language kRussian = {
    {"\x82\xAE\xE1\xAA\xE0\xA5\xE1\xA5\xAD\xEC\xA5", "\x8F\xAE\xAD\xA5\xA4\xA5\xAB\xEC\xAD\xA8\xAA",
     "\x82\xE2\xAE\xE0\xAD\xA8\xAA", "\x91\xE0\xA5\xA4\xA0", "\x97\xA5\xE2\xA2\xA5\xE0\xA3",
     "\x8F\xEF\xE2\xAD\xA8\xE6\xA0", "\x91\xE3\xA1\xA1\xAE\xE2\xA0"},
    {"\x9F\xAD\xA2\xA0\xE0\xEC", "\x94\xA5\xA2\xE0\xA0\xAB\xEC", "\x8C\xA0\xE0\xE2",
     "\x80\xAF\xE0\xA5\xAB\xEC", "\x8C\xA0\xA9", "\x88\xEE\xAD\xEC", "\x88\xEE\xAB\xEC",
     "\x80\xA2\xA3\xE3\xE1\xE2", "\x91\xA5\xAD\xE2\xEF\xA1\xE0\xEC",
     "\x8E\xAA\xE2\xEF\xA1\xE0\xEC", "\x8D\xAE\xEF\xA1\xE0\xEC", "\x84\xA5\xAA\xA0\xA1\xE0\xEC"},
    11, 8};

const Language& LanguageOf(int order) {
  switch (order) {
    case 3: return kItalian;
    case 4:
    case 7: return kFrench;
    case 5: return kGerman;
    case 6: return kSpanish;
    case 8: return kRussian;
    default: return kEnglish;
  }
}

std::size_t Padded(const char* name, int width, char* out) {
  std::size_t n = std::strlen(name);
  std::memcpy(out, name, n);
  while (n < static_cast<std::size_t>(width)) out[n++] = ' ';
  return n;
}

std::size_t Blanks(int count, char* out) {
  std::memset(out, ' ', static_cast<std::size_t>(count));
  return static_cast<std::size_t>(count);
}

}  // namespace

double DayNumber(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12) return kBlankDate;
  if (day < 1 || day > engine::DaysInMonth(year, month)) return kBlankDate;
  int leap = month > 2 && engine::IsLeapYear(year) ? 1 : 0;
  return kDayZero + static_cast<double>(DaysBeforeYear(year)) + kDaysBefore[month - 1] + leap + day;
}

bool CivilFromDay(double day, CivilDate* out) {
  *out = CivilDate();
  if (!(day >= kFirstDay && day <= kLastDay)) return false;  // also the blank date and NaN
  int64_t n = static_cast<int64_t>(std::trunc(day) - kDayZero);
  int year = static_cast<int>(n / 366);
  if (year < 1) year = 1;
  int64_t of_year = n - DaysBeforeYear(year);
  while (of_year > YearLength(year)) {
    of_year -= YearLength(year);
    ++year;
  }
  int leap = engine::IsLeapYear(year) ? 1 : 0;
  int month = 1;
  while (month < 12) {
    int before_next = kDaysBefore[month] + (month >= 2 ? leap : 0);
    if (of_year <= before_next) break;
    ++month;
  }
  int before = kDaysBefore[month - 1] + (month > 2 ? leap : 0);
  *out = CivilDate{year, month, static_cast<int>(of_year - before)};
  return true;
}

double DayNumberFromYmd(std::string_view ymd) {
  if (ymd.size() < 8) return kBlankDate;
  int year = Part(ymd.substr(0, 4));
  int month = Part(ymd.substr(4, 2));
  int day = Part(ymd.substr(6, 2));
  if (year < 0 || month < 0 || day < 0) return kBlankDate;
  return DayNumber(year, month, day);
}

std::string YmdFromDayNumber(double day) {
  CivilDate d;
  if (!CivilFromDay(day, &d)) return std::string(8, ' ');
  char out[8];
  PutDigits(out, d.year, 4);
  PutDigits(out + 4, d.month, 2);
  PutDigits(out + 6, d.day, 2);
  return std::string(out, 8);
}

int DayOfWeek(double day) {
  if (!(day >= kFirstDay && day <= kLastDay)) return 0;
  // Day 0 of the count was a Monday.
  return static_cast<int>((static_cast<int64_t>(std::trunc(day)) + 1) % 7) + 1;
}

double TodayDayNumber() {
  platform::CalendarDate today = platform::Today();
  return DayNumber(today.year, today.month, today.day);
}

double Ctod(std::string_view text) {
  const engine::EngineSwitches& sw = engine::State().switches;
  std::string ymd = engine::StoredDate(text.substr(0, 10), sw.date_order, platform::Today().year);
  return DayNumberFromYmd(ymd);
}

std::string Dtoc(double day) {
  const engine::EngineSwitches& sw = engine::State().switches;
  char out[16];
  return std::string(out, detail::FormatDtoc(day, sw.date_order, sw.century, out));
}

std::string Cdow(double day) {
  char out[16];
  return std::string(out, detail::FormatCdow(day, engine::State().switches.date_order, out));
}

std::string Cmonth(double day) {
  char out[16];
  return std::string(out, detail::FormatCmonth(day, engine::State().switches.date_order, out));
}

namespace detail {

std::size_t FormatDtoc(double day, int order, bool century, char* out) {
  CivilDate d;
  bool valid = CivilFromDay(day, &d);
  const int year_width = century ? 4 : 2;
  const char sep = order == 0 || order == 2 || order == 8 ? '/' : order == 3 ? '-' : '.';
  auto put = [&](char* at, int value, int width) {
    if (valid)
      PutDigits(at, value, width);
    else
      std::memset(at, ' ', static_cast<std::size_t>(width));
  };
  const int year = century ? d.year : d.year % 100;
  if (order == 1) {  // year.month.day
    put(out, year, year_width);
    out[year_width] = sep;
    put(out + year_width + 1, d.month, 2);
    out[year_width + 3] = sep;
    put(out + year_width + 4, d.day, 2);
  } else {  // month/day/year for order 0, day before month for the others
    put(out, order == 0 ? d.month : d.day, 2);
    out[2] = sep;
    put(out + 3, order == 0 ? d.day : d.month, 2);
    out[5] = sep;
    put(out + 6, year, year_width);
  }
  return static_cast<std::size_t>(6 + year_width);
}

std::size_t FormatCdow(double day, int order, char* out) {
  int dow = DayOfWeek(day);
  if (dow == 0) return Blanks(10, out);
  const Language& lang = LanguageOf(order);
  return Padded(lang.weekdays[dow - 1], lang.weekday_width, out);
}

std::size_t FormatCmonth(double day, int order, char* out) {
  CivilDate d;
  if (!CivilFromDay(day, &d)) return Blanks(9, out);
  const Language& lang = LanguageOf(order);
  return Padded(lang.months[d.month - 1], lang.month_width, out);
}

}  // namespace detail

}  // namespace vornelle::expr
