#pragma once
// Small text helpers of the component.

#include <string>

namespace vornelle::dataset {

// Blanks and control characters (codes below 33) removed on both sides.
inline std::string TrimControls(const std::string& text) {
  std::size_t first = 0, last = text.size();
  while (first < last && static_cast<unsigned char>(text[first]) < 33) ++first;
  while (last > first && static_cast<unsigned char>(text[last - 1]) < 33) --last;
  return text.substr(first, last - first);
}

// Trailing blanks removed.
inline std::string TrimRight(std::string text) {
  const auto last = text.find_last_not_of(' ');
  text.erase(last == std::string::npos ? 0 : last + 1);
  return text;
}

}  // namespace vornelle::dataset
