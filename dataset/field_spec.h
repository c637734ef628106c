#pragma once
// The field lines of DbfFields: "name, type, width, decimals" lines from which a
// missing table is created, and the corrections that make every field one other dBASE
// programs accept.

#include <optional>
#include <string>

#include "engine/table.h"

namespace vornelle::dataset {

struct TFieldSpecLine {
  std::string name;
  char type = 'C';
  int width = 0;
  int decimals = 0;
};

// Item k lies between the (k-1)th and the kth comma (item 4 is the rest), trimmed of codes
// below 33. Name cut to 10 characters; type the first character as written; width and
// decimals decimal integers (empty or negative: 0). Nothing for type X.
std::optional<TFieldSpecLine> ParseFieldSpec(const std::string& line);

// Corrects a field the way dBASE programs need it. Each rule looks at the values as written:
//   B, G, P become M; a type outside C D F L M N becomes C;
//   N or F: width at most 20, decimals at most 18, and at most width - 2 when there are any;
//   C: width at most 254.
// Returns the correction message for `component` when anything changed, else "".
std::string CorrectFieldDef(const std::string& component, TFieldSpecLine& spec);

// The line count of commas must be exactly three.
bool HasThreeCommas(const std::string& line);

}  // namespace vornelle::dataset
