#pragma once
// The computations behind the operators and functions of the expression language. Character
// results are written to a caller's buffer of kMaxText + 1 bytes and never exceed kMaxText
// characters; the length is returned. Nothing here allocates.

#include <cstddef>
#include <cstdint>

namespace vornelle::expr {

// The integer part (truncation toward zero) as a 64-bit integer; NaN gives 0 and values beyond
// the range the nearest end of it.
int64_t IntegerPart(double value);

double Power(double base, double exponent);
// MOD: integer part of a modulo integer part of b, the sign following a.
double Modulo(double a, double b);
// ROUND: n cut (not rounded) after `places` decimals.
double CutDecimals(double n, double places);
// VAL: the number at the start of the text, after blanks; 0 when there is none.
double Val(const char* text);
// AT: position (from 1) of the first occurrence of `needle` in `haystack`; 0 if none or empty.
double Position(const char* needle, const char* haystack);

// C = C: `prefix` is a non-empty prefix of `text`.
bool StartsWith(const char* text, const char* prefix);

std::size_t Concatenate(const char* a, const char* b, char* out);
// C - C: a without its trailing blanks, then b, then a's trailing blanks.
std::size_t ConcatenateTrimmed(const char* a, const char* b, char* out);
std::size_t Repeat(const char* text, double count, char* out);
std::size_t Substring(const char* text, double start, double count, char* out);
std::size_t Stuff(const char* text, double start, double count, const char* insert, char* out);
std::size_t Soundex(const char* text, char* out);
// STR: fixed-point text with `decimals` places (ties away from zero, as stored numbers) right-
// aligned in `width` characters (at most kMaxText); asterisks when it does not fit.
std::size_t FormatStr(double n, double width, double decimals, char* out);

// In place: the string keeps its start.
void KeepLeft(char* text, double count);
void KeepRight(char* text, double count);
void Lower(char* text);
void Upper(char* text);
void TrimLeft(char* text);
void TrimRight(char* text);

}  // namespace vornelle::expr
