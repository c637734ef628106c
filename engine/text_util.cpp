// Small text helpers of the engine: trimming, ASCII upper case, command options, extensions.

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "engine/internal.h"

namespace vornelle::engine {

std::string UpperAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

bool TakeOption(std::string& text, std::string_view option, std::string* mirror) {
  bool found = false;
  std::size_t from = 0;
  while (true) {
    std::size_t at = text.find(option, from);
    if (at == std::string::npos) return found;
    std::size_t after = at + option.size();
    unsigned char next = after < text.size() ? static_cast<unsigned char>(text[after]) : ' ';
    if (std::isalnum(next) || next == '\\' || next == '_') {
      from = at + 1;  // part of a longer word
      continue;
    }
    text.erase(at, option.size());
    if (mirror) mirror->erase(at, option.size());
    found = true;
    from = at;
  }
}

std::string WithDefaultExtension(const std::string& name, std::string_view ext) {
  std::filesystem::path p(name);
  if (p.has_extension()) return name;
  std::string base = p.filename().string();
  bool lower = std::any_of(base.begin(), base.end(), [](char c) { return c >= 'a' && c <= 'z'; });
  std::string e(ext);
  if (lower)
    for (char& c : e) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return name + "." + e;
}

}  // namespace vornelle::engine
