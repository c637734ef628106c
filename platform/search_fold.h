#pragma once
// Text as a search compares it: letters in lower case and without their accents, so that "cafe"
// finds "Café", "NOEL" finds "Noël" and "σ" finds "Σ", whatever the code page the text came from.

#include <cstddef>
#include <string>
#include <string_view>

namespace vornelle::platform {

// The UTF-8 `text` folded, one code point for each of its characters (a byte that is no UTF-8
// counts as one character, U+FFFD), so that a position in the folded text is a position in
// characters of the text. With `keep_case` capitals stay capitals, without their accents
// ("Café" folds to "Cafe"): a search that matches case still ignores accents.
std::u32string FoldedForSearch(std::string_view text, bool keep_case = false);

// Whether a character of folded text belongs to a word: a letter or a digit of any script.
bool IsWordCharacter(char32_t c);

// The byte offset in the UTF-8 `text` of its character number `characters`, counted as
// FoldedForSearch counts them.
std::size_t ByteOffsetOfCharacter(std::string_view text, std::size_t characters);

}  // namespace vornelle::platform
