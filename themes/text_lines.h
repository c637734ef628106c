#pragma once
// Reading a text a line at a time, whatever its line ends (LF or CR LF).

#include <string_view>

namespace vornelle::themes {

// The first line of `text` without its line end; `text` is left with the lines after it.
inline std::string_view TakeLine(std::string_view& text) {
  const std::size_t end = text.find('\n');
  std::string_view line = text.substr(0, end);
  text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

}  // namespace vornelle::themes
