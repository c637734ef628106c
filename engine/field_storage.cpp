#include "engine/field_storage.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "engine/record_codec.h"

namespace vornelle::engine {

namespace {

constexpr int64_t kMillisecondsPerDay = 86'400'000;
constexpr int32_t kJulianDayOfYear1 = 1'721'426;  // 0001-01-01
// Level 7 counts its timestamps' milliseconds from the day before 0001-01-01.
constexpr int32_t kTimestampEpoch = kJulianDayOfYear1 - 1;

uint32_t LoadLE(const char* p, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(p[i]);
  return v;
}
uint64_t Load64LE(const char* p) { return LoadLE(p, 4) | (static_cast<uint64_t>(LoadLE(p + 4, 4)) << 32); }
uint64_t Load64BE(const char* p) {
  uint64_t v = 0;
  for (int i = 0; i < 8; ++i) v = (v << 8) | static_cast<uint8_t>(p[i]);
  return v;
}
void Store64LE(char* p, uint64_t v) {
  for (int i = 0; i < 8; ++i) p[i] = static_cast<char>(v >> (8 * i));
}
void Store64BE(char* p, uint64_t v) {
  for (int i = 0; i < 8; ++i) p[i] = static_cast<char>(v >> (8 * (7 - i)));
}

double AsDouble(uint64_t bits) {
  double d;
  std::memcpy(&d, &bits, sizeof d);
  return d;
}
uint64_t BitsOf(double d) {
  uint64_t bits;
  std::memcpy(&bits, &d, sizeof bits);
  return bits;
}

constexpr uint64_t kSignBit = uint64_t{1} << 63;

void SetNullFlag(const WorkArea& wa, char* record, int bit, bool on) {
  if (bit < 0 || static_cast<std::size_t>(bit / 8) >= wa.null_flags_length) return;
  char& byte = record[wa.null_flags_offset + bit / 8];
  const auto mask = static_cast<uint8_t>(1u << (bit % 8));
  byte = static_cast<char>(on ? (static_cast<uint8_t>(byte) | mask) : (static_cast<uint8_t>(byte) & ~mask));
}

// Digits at `text`, exactly `count` of them; -1 otherwise.
int Digits(std::string_view text, std::size_t at, std::size_t count) {
  if (at + count > text.size()) return -1;
  int value = 0;
  for (std::size_t i = at; i < at + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

}  // namespace

int32_t JulianDay(int year, int month, int day) {
  const int a = (14 - month) / 12;
  const int64_t y = int64_t{year} + 4800 - a;
  const int m = month + 12 * a - 3;
  return static_cast<int32_t>(day + (153 * m + 2) / 5 + 365 * y + y / 4 - y / 100 + y / 400 - 32045);
}

void CalendarDateOf(int32_t julian_day, int* year, int* month, int* day) {
  const int64_t a = int64_t{julian_day} + 32044;
  const int64_t b = (4 * a + 3) / 146097;
  const int64_t c = a - 146097 * b / 4;
  const int64_t d = (4 * c + 3) / 1461;
  const int64_t e = c - 1461 * d / 4;
  const int64_t m = (5 * e + 2) / 153;
  *day = static_cast<int>(e - (153 * m + 2) / 5 + 1);
  *month = static_cast<int>(m + 3 - 12 * (m / 10));
  *year = static_cast<int>(100 * b + d - 4800 + m / 10);
}

bool NullFlagSet(const WorkArea& wa, const char* record, int bit) {
  if (bit < 0 || static_cast<std::size_t>(bit / 8) >= wa.null_flags_length) return false;
  return (static_cast<uint8_t>(record[wa.null_flags_offset + bit / 8]) >> (bit % 8)) & 1;
}

void SetNullValue(const WorkArea& wa, const FieldDesc& field, char* record, bool null) {
  SetNullFlag(wa, record, field.null_bit, null);
}

std::string_view VarBytes(const WorkArea& wa, const FieldDesc& field, const char* record) {
  std::size_t length = field.length;
  if (field.length > 0 && NullFlagSet(wa, record, field.length_bit))
    length = std::min<std::size_t>(static_cast<uint8_t>(record[field.offset + field.length - 1]), field.length - 1u);
  return {record + field.offset, length};
}

void PutVarBytes(const WorkArea& wa, const FieldDesc& field, char* record, std::string_view value) {
  char* out = record + field.offset;
  const std::size_t n = std::min<std::size_t>(value.size(), field.length);
  if (n > 0) std::memcpy(out, value.data(), n);
  // A value shorter than the field says its length in the field's last byte; without a length
  // bit to say so (a table without null flags), the field is filled as a C field is.
  const bool shorter = n < field.length && field.length_bit >= 0;
  std::memset(out + n, shorter ? 0 : ' ', field.length - n);
  if (shorter) out[field.length - 1] = static_cast<char>(n);
  SetNullFlag(wa, record, field.length_bit, shorter);
}

int32_t StoredInteger(const FieldDesc& field, const char* bytes) {
  if (field.storage == Storage::kInt32BE) {
    const uint32_t v = (static_cast<uint32_t>(static_cast<uint8_t>(bytes[0])) << 24) |
                       (static_cast<uint32_t>(static_cast<uint8_t>(bytes[1])) << 16) |
                       (static_cast<uint32_t>(static_cast<uint8_t>(bytes[2])) << 8) |
                       static_cast<uint8_t>(bytes[3]);
    return static_cast<int32_t>(v ^ 0x80000000u);
  }
  return static_cast<int32_t>(LoadLE(bytes, 4));
}

int64_t StoredCurrency(const char* bytes) { return static_cast<int64_t>(Load64LE(bytes)); }

double StoredDouble(const FieldDesc& field, const char* bytes) {
  switch (field.storage) {
    case Storage::kCurrency: return static_cast<double>(StoredCurrency(bytes)) / 10000.0;
    case Storage::kDoubleBE: {
      // Ordered so that the bytes sort as the numbers do: the sign bit set for a number that is
      // not negative, every bit inverted for one that is.
      const uint64_t bits = Load64BE(bytes);
      return AsDouble((bits & kSignBit) ? bits & ~kSignBit : ~bits);
    }
    default: return AsDouble(Load64LE(bytes));
  }
}

DateTime StoredDateTime(const FieldDesc& field, const char* bytes) {
  if (field.storage == Storage::kTimestampBE) {
    // A double of milliseconds; written by some with the ordering of O doubles (the sign bit
    // set), which for a moment after the epoch only adds the sign bit.
    const double ms = AsDouble(Load64BE(bytes) & ~kSignBit);
    if (!(ms >= kMillisecondsPerDay) || ms > 1e16) return {};
    const double days = std::floor(ms / kMillisecondsPerDay);
    return {static_cast<int32_t>(days) + kTimestampEpoch,
            static_cast<int32_t>(std::llround(ms - days * kMillisecondsPerDay))};
  }
  const auto day = static_cast<int32_t>(LoadLE(bytes, 4));
  const auto ms = static_cast<int32_t>(LoadLE(bytes + 4, 4));
  if (day <= 0) return {};
  return {day, ms};
}

int32_t StoredBlock(const FieldDesc& field, const char* bytes) {
  if (field.storage == Storage::kBlockLE) return static_cast<int32_t>(LoadLE(bytes, 4));
  std::string_view text(bytes, field.length);
  while (!text.empty() && (text.front() == ' ' || text.front() == '0')) text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  int64_t block = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return 0;
    block = block * 10 + (c - '0');
    if (block > INT32_MAX) return 0;
  }
  return static_cast<int32_t>(block);
}

void PutInteger(const FieldDesc& field, char* bytes, int32_t value) {
  auto v = static_cast<uint32_t>(value);
  if (field.storage == Storage::kInt32BE) {
    v ^= 0x80000000u;
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>(v >> (8 * (3 - i)));
    return;
  }
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>(v >> (8 * i));
}

void PutCurrency(char* bytes, int64_t ten_thousandths) { Store64LE(bytes, static_cast<uint64_t>(ten_thousandths)); }

int64_t CurrencyUnits(double value) {
  const double scaled = value * 10000.0;
  if (!(scaled == scaled)) return 0;
  if (std::fabs(scaled) >= 9.2e18) return std::llround(std::clamp(scaled, -9.2e18, 9.2e18));
  char text[48];
  const std::size_t n = FixedText(value, 4, text, sizeof text);
  int64_t units = 0;
  for (std::size_t i = 0; i < n; ++i)
    if (text[i] >= '0' && text[i] <= '9') units = units * 10 + (text[i] - '0');
  return n > 0 && text[0] == '-' ? -units : units;
}

void PutDouble(const FieldDesc& field, char* bytes, double value) {
  if (field.storage == Storage::kCurrency) return PutCurrency(bytes, CurrencyUnits(value));
  if (field.storage == Storage::kDoubleBE) {
    const uint64_t bits = BitsOf(value);
    return Store64BE(bytes, (bits & kSignBit) ? ~bits : bits | kSignBit);
  }
  Store64LE(bytes, BitsOf(value));
}

void PutDateTime(const FieldDesc& field, char* bytes, DateTime value) {
  if (field.storage == Storage::kTimestampBE) {
    const double ms = value.julian_day <= 0
                          ? 0.0
                          : static_cast<double>(value.julian_day - kTimestampEpoch) * kMillisecondsPerDay +
                                value.milliseconds;
    return Store64BE(bytes, BitsOf(ms));
  }
  const auto day = static_cast<uint32_t>(std::max(value.julian_day, 0));
  const auto ms = static_cast<uint32_t>(value.julian_day <= 0 ? 0 : value.milliseconds);
  for (int i = 0; i < 4; ++i) {
    bytes[i] = static_cast<char>(day >> (8 * i));
    bytes[4 + i] = static_cast<char>(ms >> (8 * i));
  }
}

void PutBlock(char* bytes, int32_t block) {
  const auto v = static_cast<uint32_t>(block);
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>(v >> (8 * i));
}

std::string DateTimeText(DateTime value, char separator, bool milliseconds) {
  // A day before year 1 or after 9999, or a time outside the day, is no moment.
  if (value.julian_day < kJulianDayOfYear1 || value.milliseconds < 0 || value.milliseconds >= kMillisecondsPerDay)
    return {};
  int year, month, day;
  CalendarDateOf(value.julian_day, &year, &month, &day);
  if (year > 9999) return {};
  const int64_t ms = value.milliseconds;
  char text[48];
  int n = std::snprintf(text, sizeof text, "%04d-%02d-%02d%c%02d:%02d:%02d", year, month, day, separator,
                        static_cast<int>(ms / 3'600'000), static_cast<int>(ms / 60'000 % 60),
                        static_cast<int>(ms / 1000 % 60));
  if (milliseconds && ms % 1000 != 0)
    n += std::snprintf(text + n, sizeof text - static_cast<std::size_t>(n), ".%03d", static_cast<int>(ms % 1000));
  return std::string(text, static_cast<std::size_t>(n));
}

std::optional<DateTime> ParseDateTime(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  if (text.empty()) return DateTime{};
  const int year = Digits(text, 0, 4), month = Digits(text, 5, 2), day = Digits(text, 8, 2);
  if (text.size() < 10 || text[4] != '-' || text[7] != '-' || year < 1 || month < 1 || month > 12 || day < 1)
    return std::nullopt;
  int last_day = 31;
  if (month == 4 || month == 6 || month == 9 || month == 11) last_day = 30;
  if (month == 2) last_day = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0 ? 29 : 28;
  if (day > last_day) return std::nullopt;
  DateTime value{JulianDay(year, month, day), 0};
  if (text.size() == 10) return value;
  const int hour = Digits(text, 11, 2), minute = Digits(text, 14, 2), second = Digits(text, 17, 2);
  if ((text[10] != ' ' && text[10] != 'T') || text.size() < 19 || text[13] != ':' || text[16] != ':' ||
      hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
    return std::nullopt;
  int ms = 0;
  if (text.size() > 19) {
    if (text[19] != '.' || (ms = Digits(text, 20, 3)) < 0 || text.size() != 23) return std::nullopt;
  }
  value.milliseconds = ((hour * 60 + minute) * 60 + second) * 1000 + ms;
  return value;
}

void BlankField(const WorkArea& wa, const FieldDesc& field, char* record) {
  char* bytes = record + field.offset;
  if (field.storage == Storage::kVarBytes) return PutVarBytes(wa, field, record, {});
  std::memset(bytes, field.storage == Storage::kText ? ' ' : 0, field.length);
}

void BlankRecord(const WorkArea& wa, char* record) {
  std::memset(record, ' ', wa.record_length);
  std::memset(record + wa.null_flags_offset, 0, wa.null_flags_length);
  for (const FieldDesc& field : wa.fields) BlankField(wa, field, record);
}

}  // namespace vornelle::engine
