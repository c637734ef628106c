#include "expr/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace vornelle::expr {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

double ParseDecimalPrefix(std::string_view s) {
  const std::size_t n = s.size();
  std::size_t i = 0;
  bool negative = false;
  if (i < n && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  const std::size_t start = i;
  // Digits before and after the point, and where the first significant digit stands, so that
  // a number out of range can be told overflow or underflow.
  std::size_t digits = 0;
  int64_t magnitude = 0;  // decimal exponent of the first significant digit, before E
  bool significant = false;
  while (i < n && IsDigit(s[i])) {
    if (s[i] != '0') significant = true;
    if (significant) ++magnitude;
    ++i, ++digits;
  }
  if (significant) --magnitude;
  if (i < n && s[i] == '.') {
    ++i;
    int64_t zeros = 0;
    while (i < n && IsDigit(s[i])) {
      if (!significant) {
        if (s[i] == '0')
          ++zeros;
        else
          significant = true, magnitude = -(zeros + 1);
      }
      ++i, ++digits;
    }
  }
  if (digits == 0) return 0;
  std::size_t end = i;
  int64_t exponent = 0;
  if (i < n && (s[i] == 'E' || s[i] == 'e')) {
    std::size_t j = i + 1;
    bool exponent_negative = false;
    if (j < n && (s[j] == '+' || s[j] == '-')) exponent_negative = s[j++] == '-';
    std::size_t k = j;
    while (k < n && IsDigit(s[k])) {
      if (exponent < 100000) exponent = exponent * 10 + (s[k] - '0');
      ++k;
    }
    if (k > j) {
      end = k;
      if (exponent_negative) exponent = -exponent;
    }
  }
  double value = 0;
  auto [ptr, ec] = std::from_chars(s.data() + start, s.data() + end, value);
  (void)ptr;
  if (ec == std::errc::result_out_of_range)
    value = magnitude + exponent > 0 ? HUGE_VAL : 0.0;
  else if (ec != std::errc())
    value = 0;
  return negative ? -value : value;
}

}  // namespace vornelle::expr
