#pragma once
// The standard decimal conversion of the expression language, independent of the process's
// locale and free of allocation.

#include <string_view>

namespace vornelle::expr {

// The longest number at the start of `text`: an optional sign, digits with an optional
// fraction (a number may start with the point), and an optional exponent (E, an optional sign,
// digits). 0 when the text does not start with one; a number beyond the range of a double
// gives an infinity of its sign, one too small gives 0.
double ParseDecimalPrefix(std::string_view text);

}  // namespace vornelle::expr
