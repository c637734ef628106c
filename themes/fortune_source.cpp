#include "themes/fortune_source.h"

#include "themes/text_lines.h"

namespace vornelle::themes {

std::vector<Saying> ParseFortunes(std::string_view text) {
  std::vector<Saying> sayings;
  Saying saying;
  auto finish = [&] {
    while (!saying.lines.empty() && saying.lines.back().empty()) saying.lines.pop_back();
    if (!saying.lines.empty()) sayings.push_back(std::move(saying));
    saying = {};
  };
  int number = 0;
  while (!text.empty()) {
    const std::string_view line = TakeLine(text);
    ++number;
    if (line == "%") {
      finish();
      continue;
    }
    if (saying.lines.empty() && line.find_first_not_of(" \t") == std::string_view::npos) continue;
    if (saying.lines.empty()) saying.line_number = number;
    saying.lines.emplace_back(line);
  }
  finish();
  return sayings;
}

}  // namespace vornelle::themes
