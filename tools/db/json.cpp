#include "tools/db/json.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <utility>

namespace vornelle::tools {

namespace {

// What a byte turns into inside a JSON string: nothing for the bytes that stand for themselves.
struct EscapeTable {
  std::array<std::array<char, 7>, 256> text{};  // NUL-terminated escape, empty for none
  std::array<uint8_t, 256> length{};
  EscapeTable() {
    for (int c = 0; c < 0x20; ++c) std::snprintf(text[c].data(), text[c].size(), "\\u%04x", c);
    std::snprintf(text[0x7F].data(), text[0x7F].size(), "\\u%04x", 0x7F);
    const std::pair<char, const char*> named[] = {
        {'"', "\\\""}, {'\\', "\\\\"}, {'\n', "\\n"}, {'\r', "\\r"}, {'\t', "\\t"}};
    for (auto [c, escape] : named) std::snprintf(text[static_cast<unsigned char>(c)].data(), 7, "%s", escape);
    for (int c = 0; c < 256; ++c) length[c] = static_cast<uint8_t>(std::strlen(text[c].data()));
  }
};

const EscapeTable& Escapes() {
  static const EscapeTable table;
  return table;
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view utf8) {
  const EscapeTable& escapes = Escapes();
  out += '"';
  while (!utf8.empty()) {
    const std::size_t plain = JsonPlainPrefix(utf8, false);
    out.append(utf8.data(), plain);
    if (plain == utf8.size()) break;
    const auto c = static_cast<unsigned char>(utf8[plain]);
    out.append(escapes.text[c].data(), escapes.length[c]);
    utf8.remove_prefix(plain + 1);
  }
  out += '"';
}

std::string JsonString(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size() + 2);
  AppendJsonString(out, utf8);
  return out;
}

std::string JsonNumber(double value) {
  if (!std::isfinite(value)) return "null";
  char text[64];
  // Whole numbers are written out in digits: the shortest form would make 100000 "1e+05",
  // which readers take for a fraction.
  const bool whole = std::trunc(value) == value && std::fabs(value) < 1e21;
  auto [end, ec] = whole ? std::to_chars(text, text + sizeof text, value, std::chars_format::fixed)
                         : std::to_chars(text, text + sizeof text, value);
  if (ec != std::errc()) return "null";
  return std::string(text, end);
}

JsonObject& JsonObject::Raw(std::string_view key, std::string_view json_value) {
  if (text_.size() > 1) text_ += ", ";
  text_ += JsonString(key);
  text_ += ": ";
  text_ += json_value;
  return *this;
}

std::string CsvField(std::string_view utf8) {
  if (utf8.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(utf8);
  std::string out = "\"";
  for (char c : utf8) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

}  // namespace vornelle::tools
