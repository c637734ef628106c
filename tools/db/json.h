#pragma once
// The small amount of JSON and CSV the tool writes. Strings are UTF-8.

#include <cstdint>
#include <string>
#include <string_view>

namespace vornelle::tools {

// A JSON string literal, quotes included.
std::string JsonString(std::string_view utf8);
// How many bytes at the start of `bytes` a JSON string holds as they are: none below 0x20, no
// quote, backslash or 0x7F, and with `ascii_only` nothing above 0x7F either (a byte of a code page
// that turns into more than itself). Sixteen bytes at a time where the processor can.
std::size_t JsonPlainPrefix(std::string_view bytes, bool ascii_only);
// Appends `utf8` to `out` as a JSON string literal, quotes included.
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
