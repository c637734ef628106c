#include "platform/trim.h"

namespace vornelle::platform {

namespace {

template <typename Trimmed>
std::string_view TrimWhile(std::string_view text, Trimmed trimmed) {
  while (!text.empty() && trimmed(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && trimmed(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
  return TrimWhile(text, [](unsigned char c) { return c == ' '; });
}

std::string_view TrimBlanksAndTabs(std::string_view text) {
  return TrimWhile(text, [](unsigned char c) { return c == ' ' || c == '\t'; });
}

std::string_view TrimControls(std::string_view text) {
  return TrimWhile(text, [](unsigned char c) { return c <= ' '; });
}

}  // namespace vornelle::platform
