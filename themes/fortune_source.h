#pragma once
// Fortune files as theme material: sayings separated by lines holding only "%".

#include <string>
#include <string_view>
#include <vector>

namespace vornelle::themes {

struct Saying {
  std::vector<std::string> lines;  // UTF-8, blank lines around it removed
  int line_number = 0;             // where its first line stands
};

// The sayings in file order; empty ones (two "%" lines in a row) are no sayings.
std::vector<Saying> ParseFortunes(std::string_view text);

}  // namespace vornelle::themes
