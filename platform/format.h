#pragma once
// Format: printf-style formatting into a std::string, for the texts built from a pattern with
// %s and %d. Strings are passed as C strings.

#include <cstdio>
#include <string>

namespace vornelle::platform {

template <typename... Args>
std::string Format(const char* pattern, Args... args) {
  const int size = std::snprintf(nullptr, 0, pattern, args...);
  if (size <= 0) return {};
  std::string out(static_cast<std::size_t>(size), '\0');
  std::snprintf(out.data(), out.size() + 1, pattern, args...);
  return out;
}

}  // namespace vornelle::platform
