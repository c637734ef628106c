#include "platform/ini_text.h"

#include <cstdint>

#include "platform/codepage.h"
#include "platform/utf8.h"

namespace vornelle::platform {

IniText::IniText(std::string bytes, bool complete) : bytes_(std::move(bytes)) {
  const std::string_view all = bytes_;
  if (all.substr(0, 3) == "\xEF\xBB\xBF") {
    prefix_ = 3;
  } else if (all.substr(0, 2) == "\xFF\xFE") {
    encoding_ = Encoding::kUtf16LE, prefix_ = 2;
  } else if (all.substr(0, 2) == "\xFE\xFF") {
    encoding_ = Encoding::kUtf16BE, prefix_ = 2;
  }
  const std::size_t width = Width();
  std::size_t end = all.size();
  if ((end - prefix_) % width != 0) {
    --end;
    if (complete) suffix_ = all.substr(end);
  }

  for (std::size_t at = prefix_; at < end;) {
    std::size_t stop = at;
    while (stop < end && Unit(stop) != u'\r' && Unit(stop) != u'\n') stop += width;
    if (stop == end) {
      if (complete) lines_.push_back({at, end - at, 0});
      break;
    }
    const bool crlf = Unit(stop) == u'\r' && stop + width < end && Unit(stop + width) == u'\n';
    const std::size_t eol = crlf ? 2 * width : width;
    lines_.push_back({at, stop - at, eol});
    at = stop + eol;
  }
  eol_ = !lines_.empty() && lines_[0].eol_length > 0 ? std::string(RawEol(lines_[0])) : Encode("\n");
}

char16_t IniText::Unit(std::size_t at) const {
  const auto byte = [this](std::size_t i) { return static_cast<char16_t>(static_cast<unsigned char>(bytes_[i])); };
  switch (encoding_) {
    case Encoding::kUtf16LE: return static_cast<char16_t>(byte(at) | byte(at + 1) << 8);
    case Encoding::kUtf16BE: return static_cast<char16_t>(byte(at) << 8 | byte(at + 1));
    case Encoding::kUtf8: break;
  }
  return byte(at);
}

std::string IniText::Decode(const Line& line) const {
  const std::string_view raw = Raw(line);
  if (encoding_ == Encoding::kUtf8) return IsUtf8(raw) ? std::string(raw) : AnsiToUtf8(raw);
  std::string out;
  for (std::size_t at = line.start; at < line.start + line.length; at += 2) {
    uint32_t cp = Unit(at);
    if (cp >= 0xD800 && cp <= 0xDBFF && at + 2 < line.start + line.length) {
      const char16_t low = Unit(at + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
        at += 2;
      }
    }
    AppendUtf8(cp >= 0xD800 && cp <= 0xDFFF ? 0xFFFD : cp, &out);  // a lone surrogate
  }
  return out;
}

std::string IniText::Encode(std::string_view utf8) const {
  if (encoding_ == Encoding::kUtf8) return std::string(utf8);
  std::string out;
  const auto put = [&](uint32_t unit) {
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    out += encoding_ == Encoding::kUtf16LE ? low : high;
    out += encoding_ == Encoding::kUtf16LE ? high : low;
  };
  for (std::size_t i = 0; i < utf8.size();) {
    // A byte that starts no character stands for itself, as the old 8-bit files meant it.
    const std::size_t len = Utf8CharLength(utf8.substr(i));
    const uint32_t cp = len == 0 ? static_cast<unsigned char>(utf8[i]) : Utf8CodePoint(utf8.substr(i, len));
    i += len == 0 ? 1 : len;
    if (cp >= 0x10000) {
      put(0xD800 + ((cp - 0x10000) >> 10));
      put(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      put(cp);
    }
  }
  return out;
}

}  // namespace vornelle::platform
