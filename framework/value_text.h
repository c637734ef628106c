#pragma once
// Text forms of field values, shared by the field classes: blanks around a value are ignored,
// numbers are written and read in C notation.

#include <cstdint>
#include <string>
#include <string_view>

namespace vornelle::framework {

// Whole text an integer of 32 bits (optional sign, digits).
bool ParseInteger(std::string_view text, int32_t* out);
// Whole text a finite number.
bool ParseFloat(std::string_view text, double* out);
// T, Y, TRUE, YES and F, N, FALSE, NO in any case.
bool ParseBoolean(std::string_view text, bool* out);
// 15 significant digits, no trailing zeros.
std::string FloatText(double value);
// The nearest 32-bit integer; false beyond that range or for a value that is not a number.
bool RoundToInt32(double value, int32_t* out);

}  // namespace vornelle::framework
