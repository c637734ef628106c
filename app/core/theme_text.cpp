#include "app/core/theme_text.h"

#include <cstdio>

#include "app/core/theme_source.h"
#include "platform/codepage.h"

namespace vornelle::app {

namespace {

// The length of the UTF-8 sequence `lead` starts; 0 for a byte that starts none.
std::size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

bool CharacterFits(std::string_view character) {
  const std::string ansi = platform::Utf8ToAnsi(character);
  return platform::AnsiToUtf8(ansi) == character && platform::OemToAnsi(platform::AnsiToOem(ansi)) == ansi;
}

}  // namespace

std::string FirstCharacterThemesCannotHold(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size()) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) {  // ASCII, the common case, always fits
      ++at;
      continue;
    }
    std::size_t length = SequenceLength(lead);
    for (std::size_t i = 1; i < length; ++i)
      if (at + i >= text.size() || (static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) length = 0;
    if (length == 0) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", lead);
      return escaped;
    }
    const std::string_view character = text.substr(at, length);
    if (!CharacterFits(character)) return std::string(character);
    at += length;
  }
  return {};
}

std::string DayKeyProblem(std::string_view key) { return IsThemeKey(key) ? std::string() : kDayKeyText; }

std::vector<std::string> LeapYearDayKeys() {
  std::vector<std::string> keys;
  for (int month = 1; month <= 12; ++month)
    for (int day = 1; day <= 31; ++day) {
      char key[8];
      std::snprintf(key, sizeof key, "%02d%02d", month, day);
      if (IsThemeKey(key) && std::string_view(key) != "9999") keys.push_back(key);
    }
  return keys;
}

}  // namespace vornelle::app
