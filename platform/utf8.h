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

// `text` as a message shows it whole: its UTF-8 characters as they are, each control code and
// each byte that is no UTF-8 as \xNN, so that a NUL, a line break or a stray byte is seen, not
// obeyed. Past `most` bytes the rest is left out and "..." ends it.
std::string EscapedForMessage(std::string_view text, std::size_t most = std::string::npos);

}  // namespace vornelle::platform
