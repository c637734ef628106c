#pragma once
// UTF-8 by its rules: what is a whole character, what is none.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vornelle::platform {

// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
bool IsUtf8(std::string_view s);
// The length of the sequence a lead byte starts, 0 for a byte that starts none.
std::size_t Utf8SequenceLength(unsigned char lead);
// The length of the character at the start of `text` (strictly UTF-8), 0 when it starts with
// none.
std::size_t Utf8CharLength(std::string_view text);
// The code point of one whole character.
uint32_t Utf8CodePoint(std::string_view character);
// Appends the code point's character.
void AppendUtf8(uint32_t code_point, std::string* out);

}  // namespace vornelle::platform
