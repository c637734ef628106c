#include "platform/utf8.h"

namespace vornelle::platform {

std::size_t Utf8SequenceLength(unsigned char c) {
  return c < 0x80 ? 1 : c >= 0xC2 && c <= 0xDF ? 2 : (c & 0xF0) == 0xE0 ? 3 : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
}

std::size_t Utf8CharLength(std::string_view text) {
  if (text.empty()) return 0;
  const std::size_t length = Utf8SequenceLength(static_cast<unsigned char>(text[0]));
  return length != 0 && length <= text.size() && IsUtf8(text.substr(0, length)) ? length : 0;
}

uint32_t Utf8CodePoint(std::string_view character) {
  const auto lead = static_cast<unsigned char>(character[0]);
  uint32_t point = character.size() == 1 ? lead : lead & (0x7F >> character.size());
  for (std::size_t i = 1; i < character.size(); ++i) point = (point << 6) | (character[i] & 0x3F);
  return point;
}

bool IsUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    const std::size_t len = Utf8SequenceLength(c);
    if (len == 0 || i + len > s.size()) return false;
    uint32_t cp = len == 1 ? c : c & (0x7F >> len);
    for (std::size_t k = 1; k < len; ++k) {
      const auto cc = static_cast<unsigned char>(s[i + k]);
      if ((cc & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (cc & 0x3F);
    }
    if ((len == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
        (len == 4 && (cp < 0x10000 || cp > 0x10FFFF))) {
      return false;
    }
    i += len;
  }
  return true;
}

std::string EscapedForMessage(std::string_view text, std::size_t most) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ) {
    if (out.size() >= most) return out + "...";
    const auto c = static_cast<unsigned char>(text[i]);
    const std::size_t length = Utf8CharLength(text.substr(i));
    if (c >= 0x20 && c != 0x7F && length > 0) {
      out.append(text.substr(i, length));
      i += length;
      continue;
    }
    static constexpr char kHex[] = "0123456789ABCDEF";
    out.append("\\x").append(1, kHex[c >> 4]).append(1, kHex[c & 15]);
    ++i;
  }
  return out;
}

void AppendUtf8(uint32_t cp, std::string* out) {
  if (cp < 0x80) {
    *out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    *out += static_cast<char>(0xC0 | (cp >> 6));
    *out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    *out += static_cast<char>(0xE0 | (cp >> 12));
    *out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    *out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    *out += static_cast<char>(0xF0 | (cp >> 18));
    *out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    *out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    *out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace vornelle::platform
