#pragma once
// The small amount of JSON and CSV the tool writes. Strings are UTF-8.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vornelle::tools {

// A JSON string literal, quotes included.
std::string JsonString(std::string_view utf8);
#if defined(__SSE2__)
// A mask bit for each of the sixteen bytes of `v` that is not plain (see JsonPlainPrefix).
// Compared as signed, every byte above 0x7F is below 0x20 too; unsigned, min(v, 0x1F) == v finds
// the control bytes alone.
inline unsigned JsonFlags16(__m128i v, bool ascii_only) {
  const __m128i control = ascii_only ? _mm_cmplt_epi8(v, _mm_set1_epi8(0x20))
                                     : _mm_cmpeq_epi8(_mm_min_epu8(v, _mm_set1_epi8(0x1F)), v);
  const __m128i named = _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('"')),
                                     _mm_cmpeq_epi8(v, _mm_set1_epi8('\\')));
  const __m128i flags = _mm_or_si128(_mm_or_si128(control, named), _mm_cmpeq_epi8(v, _mm_set1_epi8(0x7F)));
  return static_cast<unsigned>(_mm_movemask_epi8(flags));
}
#endif

// How many bytes at the start of `bytes` a JSON string holds as they are: none below 0x20, no
// quote, backslash or 0x7F, and with `ascii_only` nothing above 0x7F either (a byte of a code page
// that turns into more than itself). Sixteen bytes at a time where the processor can.
inline std::size_t JsonPlainPrefix(std::string_view bytes, bool ascii_only) {
  const std::size_t size = bytes.size();
  const char* data = bytes.data();
#if defined(__SSE2__)
  if (size >= 16) {
    const auto flagged = [ascii_only](const char* at) {
      return JsonFlags16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at)), ascii_only);
    };
    std::size_t i = 0;
    for (; i + 16 <= size; i += 16)
      if (const unsigned mask = flagged(data + i)) return i + static_cast<std::size_t>(std::countr_zero(mask));
    if (i == size) return size;
    // The last bytes in one look that ends with them, without the bytes already seen.
    const unsigned mask = flagged(data + size - 16) >> (i - (size - 16));
    return mask ? i + static_cast<std::size_t>(std::countr_zero(mask)) : size;
  }
#endif
  for (std::size_t i = 0; i < size; ++i) {
    const auto c = static_cast<unsigned char>(data[i]);
    if (c < 0x20 || c == '"' || c == '\\' || c == 0x7F || (ascii_only && c > 0x7F)) return i;
  }
  return size;
}
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
