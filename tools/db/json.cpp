#include "tools/db/json.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <utility>

namespace vornelle::tools {

namespace {

// What a byte turns into inside a JSON string: nothing for the bytes that stand for themselves.
struct EscapeTable {
  std::array<std::array<char, 7>, 256> text{};  // NUL-terminated escape, empty for none
  EscapeTable() {
    for (int c = 0; c < 0x20; ++c) std::snprintf(text[c].data(), text[c].size(), "\\u%04x", c);
    std::snprintf(text[0x7F].data(), text[0x7F].size(), "\\u%04x", 0x7F);
    const std::pair<char, const char*> named[] = {
        {'"', "\\\""}, {'\\', "\\\\"}, {'\n', "\\n"}, {'\r', "\\r"}, {'\t', "\\t"}};
    for (auto [c, escape] : named) std::snprintf(text[static_cast<unsigned char>(c)].data(), 7, "%s", escape);
  }
};

const EscapeTable& Escapes() {
  static const EscapeTable table;
  return table;
}

}  // namespace

std::string JsonString(std::string_view utf8) {
  const EscapeTable& escapes = Escapes();
  std::string out;
  out.reserve(utf8.size() + 2);
  out += '"';
  // Runs of plain bytes are copied whole; most text has no byte to escape at all.
  std::size_t plain = 0;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const char* escape = escapes.text[static_cast<unsigned char>(utf8[i])].data();
    if (escape[0] == '\0') continue;
    out.append(utf8.data() + plain, i - plain);
    out += escape;
    plain = i + 1;
  }
  out.append(utf8.data() + plain, utf8.size() - plain);
  out += '"';
  return out;
}

std::string JsonNumber(double value) {
  if (!std::isfinite(value)) return "null";
  char text[64];
  auto [end, ec] = std::to_chars(text, text + sizeof text, value);
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
