#include "platform/visible_text.h"

#include <cstdint>

namespace vornelle::platform {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// The length of the well-formed UTF-8 sequence at the start of `text` and its code point; 0
// when there is none.
std::size_t Sequence(std::string_view text, uint32_t* code) {
  const auto lead = static_cast<unsigned char>(text[0]);
  const std::size_t length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3
                                                                   : (lead & 0xF8) == 0xF0 ? 4 : 0;
  if (length == 0 || length > text.size()) return 0;
  uint32_t cp = length == 1 ? lead : lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[i]);
    if ((next & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (next & 0x3F);
  }
  static constexpr uint32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < kLeast[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  *code = cp;
  return length;
}

}  // namespace

std::string VisibleText(std::string_view text, Tabs tabs) {
  std::string shown;
  shown.reserve(text.size());
  while (!text.empty()) {
    uint32_t cp = 0;
    const std::size_t length = Sequence(text, &cp);
    if (length == 0 || (cp >= 0x80 && cp <= 0x9F)) {
      shown += kReplacement;
    } else if (cp == '\t') {
      shown += tabs == Tabs::kKept ? '\t' : ' ';
    } else if (cp < 0x20 || cp == 0x7F) {
      shown += '^';
      shown += static_cast<char>(cp == 0x7F ? '?' : cp + 0x40);
    } else {
      shown.append(text.substr(0, length));
    }
    text.remove_prefix(length == 0 ? 1 : length);
  }
  return shown;
}

std::string VisibleLines(std::string_view text, std::string_view joiner) {
  std::string shown;
  for (std::size_t start = 0; start <= text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    shown += VisibleText(line);
    if (end < text.size()) shown += joiner;
    start = end + 1;
  }
  return shown;
}

}  // namespace vornelle::platform
