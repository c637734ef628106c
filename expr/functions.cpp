// The function library of the expression language.

#include "expr/functions.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>

#include "engine/record_codec.h"
#include "expr/compiled.h"
#include "expr/number_text.h"
#include "platform/codepage.h"

namespace vornelle::expr {

namespace {

constexpr std::size_t kMax = kMaxText;

std::size_t Fill(char c, std::size_t count, char* out) {
  count = std::min(count, kMax);
  std::memset(out, c, count);
  return count;
}

// Appends text to out[n...], never past kMax characters.
std::size_t Put(char* out, std::size_t n, const char* text, std::size_t length) {
  std::size_t take = std::min(length, kMax - std::min(n, kMax));
  std::memcpy(out + n, text, take);
  return n + take;
}

// A count of characters from a number: its integer part, at least 0, at most `limit`.
std::size_t Count(double value, std::size_t limit) {
  int64_t n = IntegerPart(value);
  if (n <= 0) return 0;
  return static_cast<uint64_t>(n) < limit ? static_cast<std::size_t>(n) : limit;
}

}  // namespace

int64_t IntegerPart(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 9.2e18) return std::numeric_limits<int64_t>::max();
  if (value <= -9.2e18) return std::numeric_limits<int64_t>::min();
  return static_cast<int64_t>(value);
}

double Power(double base, double exponent) { return std::pow(base, exponent); }

double Modulo(double a, double b) {
  int64_t x = IntegerPart(a), y = IntegerPart(b);
  if (y == 0) return static_cast<double>(x);  // nothing to divide by: the number stays whole
  if (y == -1) return 0;
  return static_cast<double>(x % y);
}

double CutDecimals(double n, double places) {
  double whole = std::trunc(n);
  int64_t d = IntegerPart(places);
  if (d <= 0 || !std::isfinite(n)) return whole;
  d = std::min<int64_t>(d, 20);  // beyond that a double holds no further decimals
  double scale = std::pow(10.0, static_cast<double>(d));
  double shifted = (n - whole) * scale;
  // A fraction written in decimals is rarely exact in binary: 2.3 is held as 2.29999...
  // Within the error of that representation the decimal value counts, so that 2.3 cut after
  // one decimal stays 2.3.
  double nearest = std::round(shifted);
  double tolerance = 8 * DBL_EPSILON * std::max(1.0, std::fabs(n)) * scale;
  if (std::fabs(shifted - nearest) <= tolerance) shifted = nearest;
  return whole + std::trunc(shifted) / scale;
}

double Val(const char* text) {
  std::size_t n = std::strlen(text);
  while (n > 0 && static_cast<unsigned char>(text[n - 1]) <= ' ') --n;
  std::size_t i = 0;
  while (i < n && text[i] == ' ') ++i;
  return ParseDecimalPrefix(std::string_view(text + i, n - i));
}

double Position(const char* needle, const char* haystack) {
  if (needle[0] == 0) return 0;
  const char* at = std::strstr(haystack, needle);
  return at ? static_cast<double>(at - haystack + 1) : 0;
}

bool StartsWith(const char* text, const char* prefix) {
  std::size_t n = std::strlen(prefix);
  return n > 0 && std::strncmp(text, prefix, n) == 0;
}

std::size_t Concatenate(const char* a, const char* b, char* out) {
  std::size_t n = Put(out, 0, a, std::strlen(a));
  return Put(out, n, b, std::strlen(b));
}

std::size_t ConcatenateTrimmed(const char* a, const char* b, char* out) {
  std::size_t length = std::strlen(a);
  std::size_t kept = length;
  while (kept > 0 && a[kept - 1] == ' ') --kept;
  std::size_t n = Put(out, 0, a, kept);
  n = Put(out, n, b, std::strlen(b));
  return Put(out, n, a + kept, length - kept);
}

std::size_t Repeat(const char* text, double count, char* out) {
  std::size_t length = std::strlen(text);
  std::size_t times = Count(count, kMax);
  std::size_t n = 0;
  for (std::size_t i = 0; i < times && length > 0 && n < kMax; ++i) n = Put(out, n, text, length);
  return n;
}

std::size_t Substring(const char* text, double start, double count, char* out) {
  std::size_t length = std::strlen(text);
  int64_t s = IntegerPart(start);
  if (s < 1 || static_cast<uint64_t>(s) > length) return 0;
  std::size_t from = static_cast<std::size_t>(s - 1);
  std::size_t n = std::min(Count(count, kMax), length - from);
  std::memcpy(out, text + from, n);
  return n;
}

std::size_t Stuff(const char* text, double start, double count, const char* insert, char* out) {
  std::size_t length = std::strlen(text);
  int64_t s = std::clamp<int64_t>(IntegerPart(start), 1, static_cast<int64_t>(length) + 1);
  std::size_t at = static_cast<std::size_t>(s - 1);
  std::size_t removed = std::min(Count(count, kMax), length - at);
  std::size_t n = Put(out, 0, text, at);
  n = Put(out, n, insert, std::strlen(insert));
  return Put(out, n, text + at + removed, length - at - removed);
}

std::size_t Soundex(const char* text, char* out) {
  // Codes of A to Z; 0 for the vowels and for H, W and Y.
  static constexpr char kCodes[] = "01230120022455012623010202";
  std::memcpy(out, "0000", 4);
  std::size_t length = std::min<std::size_t>(std::strlen(text), 100);
  if (length == 0) return 4;
  auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
  auto code = [](char c) { return c >= 'A' && c <= 'Z' ? kCodes[c - 'A'] : '0'; };
  out[0] = upper(text[0]);
  char previous = code(out[0]);
  std::size_t filled = 1;
  for (std::size_t i = 1; i < length && filled < 4; ++i) {
    char c = upper(text[i]);
    if (c < 'A' || c > 'Z') continue;
    char current = code(c);
    if (current != previous && current != '0') out[filled++] = current;
    previous = current;
  }
  return 4;
}

std::size_t FormatStr(double n, double width, double decimals, char* out) {
  std::size_t w = Count(width, kMax);
  // More decimals than the widest result could show always give asterisks.
  int places = static_cast<int>(Count(decimals, kMax + 1));
  // Rounded as stored numbers are, ties away from zero: STR(0.125, 5, 2) is " 0.13".
  char text[640];  // 309 digits, a carry, a sign, a point and kMax + 1 decimals
  std::size_t length = engine::FixedText(n, places, text, sizeof text);
  if (length == 0 || length > w) return Fill('*', w, out);
  std::size_t pad = w - length;
  std::memset(out, ' ', pad);
  std::memcpy(out + pad, text, length);
  return w;
}

void KeepLeft(char* text, double count) {
  std::size_t n = Count(count, kMax);
  if (n < std::strlen(text)) text[n] = 0;
}

void KeepRight(char* text, double count) {
  std::size_t length = std::strlen(text);
  std::size_t n = Count(count, kMax);
  if (n < length) std::memmove(text, text + length - n, n + 1);
}

void Lower(char* text) { platform::TextLower(text, std::strlen(text)); }
void Upper(char* text) { platform::TextUpper(text, std::strlen(text)); }

void TrimLeft(char* text) {
  std::size_t blanks = std::strspn(text, " ");
  if (blanks > 0) std::memmove(text, text + blanks, std::strlen(text + blanks) + 1);
}

void TrimRight(char* text) {
  std::size_t n = std::strlen(text);
  while (n > 0 && text[n - 1] == ' ') --n;
  text[n] = 0;
}

}  // namespace vornelle::expr
