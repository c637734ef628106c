#include "framework/value_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "platform/codepage.h"
#include "platform/trim.h"

namespace vornelle::framework {

bool ParseInteger(std::string_view text, int32_t* out) {
  text = platform::TrimBlanksAndTabs(text);
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    // from_chars would take the "-" of "+-5" as the sign.
    if (!text.empty() && text.front() == '-') return false;
  }
  if (text.empty()) return false;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), *out);
  return ec == std::errc() && end == text.data() + text.size();
}

bool ParseFloat(std::string_view text, double* out) {
  text = platform::TrimBlanksAndTabs(text);
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && text.front() == '-') return false;
  }
  if (text.empty()) return false;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), *out);
  return ec == std::errc() && end == text.data() + text.size() && std::isfinite(*out);
}

bool ParseBoolean(std::string_view text, bool* out) {
  const std::string upper = platform::AnsiUpper(platform::TrimBlanksAndTabs(text));
  if (upper == "T" || upper == "Y" || upper == "TRUE" || upper == "YES") return *out = true, true;
  if (upper == "F" || upper == "N" || upper == "FALSE" || upper == "NO") return *out = false, true;
  return false;
}

std::string FloatText(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.15g", value);
  return text;
}

bool RoundToInt32(double value, int32_t* out) {
  const double rounded = std::round(value);
  if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) return false;
  *out = static_cast<int32_t>(rounded);
  return true;
}

}  // namespace vornelle::framework
