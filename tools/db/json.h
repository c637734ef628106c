#pragma once
// The small amount of JSON and CSV the tool writes. Strings are UTF-8.

#include <cstdint>
#include <string>
#include <string_view>

namespace vornelle::tools {

// A JSON string literal, quotes included.
std::string JsonString(std::string_view utf8);
// For eight bytes read little-endian: a high bit set in each byte a JSON string must escape
// (below 0x20, a quote, a backslash or 0x7F; the usual test for a byte below n, or a zero byte
// after an exclusive or, eight at a time). A borrow may flag bytes above the first flagged one;
// the lowest is exact. Zero: none of the eight.
inline uint64_t JsonToEscape(uint64_t bytes) {
  constexpr uint64_t kOnes = 0x0101010101010101, kHighs = 0x8080808080808080;
  auto zero_in = [](uint64_t v) { return (v - kOnes) & ~v & kHighs; };
  return ((bytes - kOnes * 0x20) & ~bytes & kHighs) | zero_in(bytes ^ (kOnes * '"')) |
         zero_in(bytes ^ (kOnes * '\\')) | zero_in(bytes ^ (kOnes * 0x7F));
}
// The same, with every byte that is not ASCII flagged too.
inline uint64_t JsonNotPlain(uint64_t bytes) { return (bytes & 0x8080808080808080) | JsonToEscape(bytes); }
// The same appended to `out`.
void AppendJsonString(std::string& out, std::string_view utf8);
// A JSON number: whole numbers in plain digits, others the shortest text that reads back as the
// same double; null when not finite.
std::string JsonNumber(double value);

// Builds one JSON object, keys in the order they are added.
class JsonObject {
 public:
  JsonObject& Raw(std::string_view key, std::string_view json_value);
  JsonObject& String(std::string_view key, std::string_view utf8) {
    return Raw(key, JsonString(utf8));
  }
  JsonObject& Number(std::string_view key, double value) { return Raw(key, JsonNumber(value)); }
  JsonObject& Bool(std::string_view key, bool value) { return Raw(key, value ? "true" : "false"); }
  JsonObject& Null(std::string_view key) { return Raw(key, "null"); }
  std::string str() const { return text_ + "}"; }

 private:
  std::string text_ = "{";
};

// A CSV field (RFC 4180): quoted when it holds a comma, a quote or a line end.
std::string CsvField(std::string_view utf8);

}  // namespace vornelle::tools
