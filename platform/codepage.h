#pragma once
// Code page conversions for table text.
//
// Character fields are stored in OEM code page 437 and shown in ANSI code page 1252 or, on
// terminals and in windows, in UTF-8. Everything here is a pure function over constant tables:
// no locale, no global state, and the buffer forms never allocate.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vornelle::platform {

// OEM 437 <-> ANSI 1252, byte for byte (the result has the same length as the input).
//
// Bytes 0x00-0x7F are left alone; control codes are not turned into glyphs. A character that
// the target page lacks becomes a best-fit look-alike (box drawing to + - | =, Greek letters
// to Latin ones, accented capitals to their base letter, curly quotes to straight ones ...),
// or '?' when there is nothing alike. Round trips are exact for every character both pages
// share (54 of them, e.g. ü é £ ß µ ° ² and the no-break space); best-fit substitutes do not
// convert back to the original.
uint8_t OemToAnsi(uint8_t c);
uint8_t AnsiToOem(uint8_t c);
void OemToAnsi(char* buf, std::size_t n);  // in place
void AnsiToOem(char* buf, std::size_t n);  // in place
std::string OemToAnsi(std::string_view s);
std::string AnsiToOem(std::string_view s);

// ANSI 1252 <-> UTF-8. The five bytes 1252 leaves undefined (0x81 0x8D 0x8F 0x90 0x9D) map
// to the C1 controls U+0081 U+008D U+008F U+0090 U+009D and back, so every byte string
// survives AnsiToUtf8 followed by Utf8ToAnsi.
std::string AnsiToUtf8(std::string_view s);
// A character 1252 cannot hold becomes one '?'; malformed UTF-8 (stray or missing
// continuation bytes, overlong forms, surrogates, values past U+10FFFF) becomes one '?' per
// byte that cannot start a valid sequence.
std::string Utf8ToAnsi(std::string_view s);

// ANSI 1252 case mapping: a-z and the accented letters of 1252, including š œ ž and ÿ/Ÿ.
// ß, µ, ª, º and the signs × and ÷ have no counterpart and stay as they are.
uint8_t AnsiUpper(uint8_t c);
uint8_t AnsiLower(uint8_t c);
void AnsiUpper(char* buf, std::size_t n);  // in place
void AnsiLower(char* buf, std::size_t n);  // in place
std::string AnsiUpper(std::string_view s);
std::string AnsiLower(std::string_view s);

// The case mapping of the text the engine compares: its searches and the expression functions
// UPPER and LOWER use it. It is ANSI 1252's (the Ansi forms above) unless a program that hands
// the engine text in another single-byte code page installs that page's mapping; the table
// installed must outlive its use.
struct CaseTable {
  std::array<uint8_t, 256> upper;
  std::array<uint8_t, 256> lower;
};
const CaseTable& AnsiCaseTable();
void SetTextCaseTable(const CaseTable* table);  // null: ANSI 1252's again
void TextUpper(char* buf, std::size_t n);       // in place
void TextLower(char* buf, std::size_t n);       // in place

}  // namespace vornelle::platform
