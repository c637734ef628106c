#pragma once
// Small text helpers of the component.

#include <string>

#include "platform/trim.h"

namespace vornelle::dataset {

// Blanks and control characters (codes below 33) removed on both sides.
inline std::string TrimControls(const std::string& text) { return std::string(platform::TrimControls(text)); }

// Trailing blanks removed.
inline std::string TrimRight(std::string text) {
  const auto last = text.find_last_not_of(' ');
  text.erase(last == std::string::npos ? 0 : last + 1);
  return text;
}

}  // namespace vornelle::dataset
