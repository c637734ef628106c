#include "themes/theme_text.h"

#include <cstdio>
#include <map>
#include <memory>

#include "themes/theme_source.h"
#include "engine/engine.h"
#include "platform/ascii_case.h"
#include "platform/utf8.h"

namespace vornelle::themes {

const platform::CodePage& ThemePage(uint8_t language_driver) {
  const platform::CodePage* page = platform::CodePageOfDriver(language_driver);
  return page ? *page : platform::Cp437();
}

platform::TextCodec& CodecFor(const platform::CodePage& page) {
  static std::map<const platform::CodePage*, std::unique_ptr<platform::TextCodec>> codecs;
  std::unique_ptr<platform::TextCodec>& codec = codecs[&page];
  if (!codec) codec = std::make_unique<platform::TextCodec>(page);
  return *codec;
}

platform::TextCodec& CurrentThemeCodec() {
  const engine::WorkArea* wa = engine::Current();
  // dBASE II headers hold no language driver.
  return CodecFor(ThemePage(wa && !wa->IsDbase2() ? wa->header[29] : 0));
}

platform::TextCodec& NewThemeCodec() { return CodecFor(platform::Cp437()); }

std::vector<std::string> ThemeLines(platform::TextCodec& codec, std::string stored) {
  engine::RemoveSoftReturns(stored);
  const std::string text = codec.Decode(stored);
  std::vector<std::string> lines;
  if (text.empty()) return lines;
  lines.emplace_back();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      lines.emplace_back();
    } else {
      lines.back() += text[i];
    }
  }
  return lines;
}

std::string CharacterThePageLacks(platform::TextCodec& codec, std::string_view text) {
  std::string stored, missing;
  if (codec.Encode(text, stored, missing)) return {};
  if (missing.empty() || platform::Utf8CharLength(missing) != missing.size()) {
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\x%02X", missing.empty() ? 0u : static_cast<unsigned char>(missing[0]));
    return escaped;
  }
  char point[16];
  std::snprintf(point, sizeof point, " (U+%04X)", static_cast<unsigned>(platform::Utf8CodePoint(missing)));
  return missing + point;
}

std::string DayKeyProblem(std::string_view key) {
  if (IsThemeKey(key)) return {};
  const bool digits = key.size() == 4 && key.find_first_not_of("0123456789") == std::string_view::npos;
  if (digits && key.substr(0, 2) >= "01" && key.substr(0, 2) <= "12" && key.substr(2) >= "01" && key.substr(2) <= "31")
    return kNoSuchDayText + std::string(key);
  return kDayKeyText;
}

namespace {

std::string_view TrimmedName(std::string_view name) {
  const std::size_t first = name.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return name.substr(first, name.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::string NewThemeNameProblem(std::string_view typed) {
  const std::string_view name = TrimmedName(typed);
  if (name.empty()) return "A theme needs a name";
  if (name.find_first_of(std::string_view("/\0", 2)) != std::string_view::npos)
    return "A theme is a file of this folder: its name holds no \"/\"";
  if (name.front() == '.') return "A name that starts with \".\" is hidden: the calendar would not list the theme";
  return {};
}

std::string NewThemeFile(std::string_view typed) {
  std::string name(TrimmedName(typed));
  if (name.size() < 4 || !platform::EqualIgnoringAsciiCase(std::string_view(name).substr(name.size() - 4), ".dbf"))
    name += ".dbf";
  return name;
}

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

}  // namespace vornelle::themes
