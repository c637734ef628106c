#include "engine/record_codec.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "engine/field_storage.h"
#include "engine/internal.h"
#include "engine/memo.h"
#include "engine/typed_buffer.h"
#include "platform/locale.h"

namespace vornelle::engine {

namespace {

std::string_view FieldText(const WorkArea& wa, const FieldDesc& f) {
  return std::string_view(wa.raw.data() + f.offset, f.length);
}

int32_t ClampToInt32(double v) {
  if (!(v == v)) return 0;  // NaN
  if (v >= 2147483647.0) return std::numeric_limits<int32_t>::max();
  if (v <= -2147483648.0) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(v);
}

// Positions of day, month and year in a display date of the given order and year width.
struct DateLayout {
  int day, month, year;
};
DateLayout LayoutOf(int order, int year_width) {
  switch (order) {
    case 0: return {3, 0, 6};             // MM/DD/YY
    case 1: return {year_width + 4, year_width + 1, 0};  // YY.MM.DD
    default: return {0, 3, 6};            // DD/MM/YY, DD-MM-YY, DD.MM.YY
  }
}

char SeparatorOf(int order) {
  switch (order) {
    case 0:
    case 2:
    case 8: return '/';
    case 3: return '-';
    default: return '.';
  }
}

// Digits of a date part, blanks allowed before them; -1 when not a number.
int DatePart(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  if (s.empty()) return -1;
  int value = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

// The width of the year written at `at`: 4 for four digits, 2 for a year that ends there (two
// characters, blanks allowed before its digits), 0 for three digits, which is no year.
int YearWidth(std::string_view display, std::size_t at) {
  auto digit = [&](std::size_t i) {
    return i < display.size() && display[i] >= '0' && display[i] <= '9';
  };
  if (digit(at) && digit(at + 1) && digit(at + 2) && digit(at + 3)) return 4;
  return digit(at + 2) ? 0 : 2;
}

}  // namespace

bool IsTrue(char c) { return c == 'T' || c == 'Y' || c == 't' || c == 'y'; }

std::string StoredDateOf(int year, int month, int day) {
  char out[40];
  std::snprintf(out, sizeof out, "%04d%02d%02d", year, month, day);
  return std::string(out, 8);
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

int WidenYear(int yy, int current_year) {
  int pivot = current_year - 70;
  int year = (pivot / 100) * 100 + yy;
  if (yy < pivot % 100) year += 100;
  return year;
}

std::string DisplayDate(std::string_view ymd, int order, bool century) {
  char y[4], m[2], d[2];
  std::memcpy(y, ymd.data(), 4);
  std::memcpy(m, ymd.data() + 4, 2);
  std::memcpy(d, ymd.data() + 6, 2);
  std::string_view year = century ? std::string_view(y, 4) : std::string_view(y + 2, 2);
  std::string_view month(m, 2), day(d, 2);
  char sep = SeparatorOf(order);
  std::string out;
  out.reserve(10);
  auto part = [&](std::string_view p, bool last) {
    out += p;
    if (!last) out += sep;
  };
  switch (order) {
    case 0: part(month, false); part(day, false); part(year, true); break;
    case 1: part(year, false); part(month, false); part(day, true); break;
    default: part(day, false); part(month, false); part(year, true); break;
  }
  return out;
}

std::string StoredDate(std::string_view display, int order, int current_year) {
  const std::string blank(8, ' ');
  if (TrimBlanks(display).empty()) return blank;
  // The year is as wide as it is written: a ten-character text may be a two-digit year with
  // blanks after it (CTOD of a C(10) field), and what follows a year does not count.
  int year_width = YearWidth(display, order == 1 ? 0 : 6);
  if (year_width == 0 || display.size() < static_cast<std::size_t>(6 + year_width)) return blank;
  DateLayout at = LayoutOf(order, year_width);
  int day = DatePart(display.substr(at.day, 2));
  int month = DatePart(display.substr(at.month, 2));
  int year = DatePart(display.substr(at.year, year_width));
  if (day < 0 || month < 0 || year < 0) return blank;
  if (year_width == 2) year = WidenYear(year, current_year);
  if (year < 1 || year > 9999 || day < 1 || day > DaysInMonth(year, month)) return blank;
  return StoredDateOf(year, month, day);
}

std::size_t FixedText(double value, int decimals, char* out, std::size_t size) {
  if (!std::isfinite(value) || decimals < 0) return 0;
  // The shortest round-trip form, "d.ddde+xx": its digits and the power of ten of the first.
  // Rounding that decimal, not the binary value, makes 2.675 a tie as it reads (its double is
  // a little below it) and keeps binary noise out of long fractions.
  char shortest[32];
  auto [end, ec] = std::to_chars(shortest, shortest + sizeof shortest, std::fabs(value),
                                 std::chars_format::scientific);
  if (ec != std::errc()) return 0;
  char digits[24];
  int count = 0;
  const char* p = shortest;
  for (; p < end && *p != 'e'; ++p)
    if (*p != '.' && count < static_cast<int>(sizeof digits)) digits[count++] = *p;
  int exponent = 0;
  if (p + 2 < end) {
    std::from_chars(p + 2, end, exponent);
    if (p[1] == '-') exponent = -exponent;
  }
  auto digit_at = [&](int power) {  // the digit of 10^power
    int i = exponent - power;
    return i >= 0 && i < count ? digits[i] : '0';
  };
  // Layout in `out`: a place for the sign, one for a carry, the whole digits, the point and the
  // decimals; the text is moved to the start at the end.
  const int whole = std::max(exponent, 0) + 1;
  const std::size_t length = 2 + static_cast<std::size_t>(whole) +
                             (decimals > 0 ? 1 + static_cast<std::size_t>(decimals) : 0);
  if (length > size) return 0;
  std::size_t n = 2;
  for (int power = whole - 1; power >= -decimals; --power) {
    if (power == -1) out[n++] = '.';
    out[n++] = digit_at(power);
  }
  std::size_t start = 2;
  if (digit_at(-decimals - 1) >= '5') {
    std::size_t i = n;
    while (i > 2) {
      --i;
      if (out[i] == '.') continue;
      if (out[i] != '9') {
        ++out[i];
        break;
      }
      out[i] = '0';
      if (i == 2) out[start = 1] = '1';  // 9.995 -> 10.00
    }
  }
  bool zero = true;
  for (std::size_t i = start; i < n && zero; ++i) zero = out[i] == '0' || out[i] == '.';
  if (value < 0 && !zero) out[--start] = '-';
  std::memmove(out, out + start, n - start);
  return n - start;
}

std::string FormatNumber(double value, int width, int decimals) {
  char text[640];
  if (decimals > 100) decimals = 100;  // wider than any field can hold anyway
  const std::size_t w = static_cast<std::size_t>(std::max(width, 0));
  std::size_t n = FixedText(value, decimals, text, sizeof text);
  if (n == 0 || n > w) return std::string(w, '*');
  return std::string(w - n, ' ') + std::string(text, n);
}

double ParseNumber(std::string_view text) {
  text = TrimBlanks(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  (void)end;
  return ec == std::errc() ? value : 0;
}

std::optional<double> WholeNumber(std::string_view text) {
  text = TrimBlanks(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

int32_t ParseInteger(std::string_view text) {
  // What fields mostly hold, a memo's block number above all: blanks, then up to nine digits
  // to the end, which no 32-bit integer can overflow. Read here without more ado.
  const char* digit = text.data();
  const char* const stop = digit + text.size();
  while (digit != stop && *digit == ' ') ++digit;
  if (digit != stop && stop - digit <= 9) {
    uint32_t value = 0;
    for (unsigned d; digit != stop && (d = static_cast<unsigned char>(*digit) - '0') <= 9; ++digit)
      value = value * 10 + d;
    if (digit == stop) return static_cast<int32_t>(value);
  }
  text = TrimBlanks(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int32_t value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec == std::errc() && end == text.data() + text.size()) return value;
  // Not a plain 32-bit integer (a fraction, an exponent, too many digits): the number's value.
  return ClampToInt32(ParseNumber(text));
}

namespace {

// A counted text of the typed buffer: the length byte, then the text blank-padded to `width`.
void UnpackCounted(char* out, std::string_view text, std::size_t width, std::size_t length) {
  // A width beyond a length byte's reach is written as 255: the field's whole text follows.
  text = text.substr(0, width);
  out[0] = static_cast<char>(std::min<std::size_t>(length, 255));
  if (!text.empty()) std::memcpy(out + 1, text.data(), text.size());
  if (text.size() < width) std::memset(out + 1 + text.size(), ' ', width - text.size());
}

// The length byte of a C field: its width, or for a varchar its value's length.
std::size_t CountedLength(const FieldDesc& f, std::string_view text) {
  return f.storage == Storage::kVarBytes ? text.size() : f.TextWidth();
}

// The typed form of a field without a value (null): what a blank field unpacks to.
void UnpackBlank(const FieldDesc& f, char* out, const EngineSwitches& sw) {
  switch (f.type) {
    case 'C': UnpackCounted(out, {}, f.TextWidth(), CountedLength(f, {})); break;
    case 'D': {
      const std::size_t width = sw.century ? 10 : 8;
      out[0] = static_cast<char>(width);
      std::memset(out + 1, ' ', width);
      break;
    }
    case 'N':
    case 'F':
      if (f.TypedDouble())
        StoreDouble(out, 0);
      else
        StoreInt32(out, 0);
      break;
    case 'L': out[0] = 0; break;
    case 'M': StoreInt32(out, 0); break;
    default: break;
  }
}

// Whether the typed value is what a field without a value unpacks to.
bool TypedIsBlank(const FieldDesc& f, const char* in) {
  switch (f.type) {
    case 'C':
    case 'D': return TrimBlanks(std::string_view(in + 1, static_cast<uint8_t>(in[0]))).empty();
    case 'N':
    case 'F': return f.TypedDouble() ? LoadDouble(in) == 0 : LoadInt32(in) == 0;
    case 'L': return in[0] == 0;
    default: return LoadInt32(in) == 0;
  }
}

// A field kept as binary bytes, unpacked.
void UnpackBinary(const WorkArea& wa, const FieldDesc& f, char* out) {
  const char* bytes = wa.raw.data() + f.offset;
  switch (f.storage) {
    case Storage::kInt32LE:
    case Storage::kInt32BE:
      if (f.TypedDouble())
        StoreDouble(out, StoredInteger(f, bytes));
      else
        StoreInt32(out, StoredInteger(f, bytes));
      break;
    case Storage::kCurrency:
    case Storage::kDoubleLE:
    case Storage::kDoubleBE: StoreDouble(out, StoredDouble(f, bytes)); break;
    case Storage::kDateTimeLE:
    case Storage::kTimestampBE: UnpackCounted(out, DateTimeText(StoredDateTime(f, bytes)), f.TextWidth(), f.TextWidth()); break;
    case Storage::kBlockLE: StoreInt32(out, StoredBlock(f, bytes)); break;
    case Storage::kVarBytes: {
      const std::string_view value = VarBytes(wa, f, wa.raw.data());
      UnpackCounted(out, value, f.length, value.size());
      break;
    }
    default: break;
  }
}

// Packs a field kept as binary bytes: a value equal to what is stored keeps its bytes.
void PackBinary(WorkArea& wa, const FieldDesc& f, const char* in) {
  char* record = wa.raw.data();
  char* out = record + f.offset;
  switch (f.storage) {
    case Storage::kInt32LE:
    case Storage::kInt32BE: {
      const int32_t v = f.TypedDouble() ? ClampToInt32(std::round(LoadDouble(in))) : LoadInt32(in);
      if (v != StoredInteger(f, out)) PutInteger(f, out, v);
      break;
    }
    case Storage::kCurrency:
    case Storage::kDoubleLE:
    case Storage::kDoubleBE:
      if (LoadDouble(in) != StoredDouble(f, out)) PutDouble(f, out, LoadDouble(in));
      break;
    case Storage::kDateTimeLE:
    case Storage::kTimestampBE: {
      const std::string_view text = TrimBlanks(std::string_view(in + 1, static_cast<uint8_t>(in[0])));
      if (text == DateTimeText(StoredDateTime(f, out))) break;
      // A text that is no date and time is stored as no date, as D fields store it.
      PutDateTime(f, out, ParseDateTime(text).value_or(DateTime{}));
      break;
    }
    case Storage::kBlockLE:
      if (LoadInt32(in) != StoredBlock(f, out)) PutBlock(out, LoadInt32(in));
      break;
    case Storage::kVarBytes: {
      const std::string_view value(in + 1, std::min<std::size_t>(static_cast<uint8_t>(in[0]), f.length));
      if (value != VarBytes(wa, f, record)) PutVarBytes(wa, f, record, value);
      break;
    }
    default: break;
  }
}

// A field held as text, unpacked as the engine type `type`; false for a type that is no text
// type of the engine (0: a field that is not held as text or may be null).
inline bool UnpackText(const WorkArea& wa, const FieldDesc& f, char type, char* out, const EngineSwitches& sw) {
  std::string_view text = FieldText(wa, f);
  switch (type) {
    case 'C':
      if (f.length <= 255) {
        out[0] = static_cast<char>(f.length);
        std::memcpy(out + 1, text.data(), static_cast<uint8_t>(f.length));
      } else {
        out[0] = static_cast<char>(255);  // the field's whole text follows
        std::memcpy(out + 1, text.data(), f.length);
      }
      return true;
    case 'D': {
      std::string shown = f.length >= 8 ? DisplayDate(text, sw.date_order, sw.century)
                                        : std::string(sw.century ? 10 : 8, ' ');
      out[0] = static_cast<char>(shown.size());
      std::memcpy(out + 1, shown.data(), shown.size());
      return true;
    }
    case 'N':
    case 'F':
      if (f.TypedDouble())
        StoreDouble(out, ParseNumber(text));
      else
        StoreInt32(out, ParseInteger(text));
      return true;
    case 'L': out[0] = f.length > 0 && IsTrue(text[0]) ? 1 : 0; return true;
    case 'M': StoreInt32(out, ParseInteger(text)); return true;
    default: return false;
  }
}

// A field that may be null or is held as binary bytes, unpacked.
void UnpackOther(const WorkArea& wa, const FieldDesc& f, char* out, const EngineSwitches& sw) {
  if (IsNullValue(wa, f, wa.raw.data()))
    UnpackBlank(f, out, sw);
  else if (f.storage != Storage::kText)
    UnpackBinary(wa, f, out);
  else
    UnpackText(wa, f, f.type, out, sw);
}

}  // namespace

void UnpackRecord(WorkArea& wa) {
  const EngineSwitches& sw = State().switches;
  char* typed = wa.typed;
  typed[0] = wa.raw[0] == '*' ? 1 : 0;
  for (const FieldDesc& f : wa.fields) {
    char* out = typed + f.typed_offset;
    // Most fields are held as text and never null: one switch on their type reads them.
    if (!UnpackText(wa, f, f.quick_type, out, sw)) UnpackOther(wa, f, out, sw);
  }
}

int32_t StoredMemoBlock(const FieldDesc& f) {
  const WorkArea* wa = Current();
  if (!wa || IsNullValue(*wa, f, wa->raw.data())) return 0;
  // As UnpackRecord reads it: text by ParseInteger, a binary block number as stored.
  if (f.storage == Storage::kText) return ParseInteger(FieldText(*wa, f));
  return StoredBlock(f, wa->raw.data() + f.offset);
}

void PackRecord(WorkArea& wa) {
  const EngineSwitches& sw = State().switches;
  const char* typed = wa.typed;
  wa.raw[0] = typed[0] ? '*' : ' ';
  for (const FieldDesc& f : wa.fields) {
    const char* in = typed + f.typed_offset;
    char* out = wa.raw.data() + f.offset;
    if (IsNullValue(wa, f, wa.raw.data())) {
      // A field without a value keeps it while its typed value is blank; any other value is one.
      if (TypedIsBlank(f, in)) continue;
      SetNullValue(wa, f, wa.raw.data(), false);
    }
    if (f.storage != Storage::kText) {
      PackBinary(wa, f, in);
      continue;
    }
    std::string_view stored(out, f.length);
    // What is stored and unchanged stays as it is: the typed form cannot hold every stored
    // text (numbers beyond 32 bits, dates that are not dates, 'Y' and '?' logicals).
    const bool kept = !TrimBlanks(stored).empty();
    std::string text;
    switch (f.type) {
      case 'C': {
        // A length byte of 255 in a wider field stands for the whole field.
        const auto length = static_cast<uint8_t>(in[0]);
        std::size_t n = f.length > 255 && length == 255 ? f.length : std::min<std::size_t>(length, f.length);
        std::memcpy(out, in + 1, n);
        std::memset(out + n, ' ', f.length - n);
        continue;
      }
      case 'D': {
        std::string_view shown(in + 1, std::min<std::size_t>(static_cast<uint8_t>(in[0]), 10));
        if (kept && f.length >= 8 && shown == DisplayDate(stored, sw.date_order, sw.century))
          continue;
        text = StoredDate(shown, sw.date_order, platform::Today().year);
        break;
      }
      case 'N':
      case 'F':
        if (f.TypedDouble()) {
          double v = LoadDouble(in);
          if (kept && v == ParseNumber(stored)) continue;
          text = FormatNumber(v, f.length, f.decimals);
        } else {
          int32_t v = LoadInt32(in);
          if (kept && v == ParseInteger(stored)) continue;
          text = FormatNumber(v, f.length, 0);
        }
        break;
      case 'L':
        if (kept && (in[0] != 0) == IsTrue(stored[0])) continue;
        text = in[0] ? "T" : "F";
        break;
      case 'M': {
        int32_t block = LoadInt32(in);
        if (kept && block == ParseInteger(stored)) continue;
        text = block == 0 ? std::string() : FormatNumber(block, f.length, 0);
        break;
      }
      default: continue;
    }
    // Numbers are right-aligned, dates and logicals start at the left.
    bool left = f.type == 'D' || f.type == 'L';
    std::size_t n = std::min<std::size_t>(text.size(), f.length);
    std::memset(out, ' ', f.length);
    if (left)
      std::memcpy(out, text.data(), n);
    else
      std::memcpy(out + f.length - n, text.data() + text.size() - n, n);
  }
}

}  // namespace vornelle::engine
