#include "platform/codepage.h"

#include <array>

namespace vornelle::platform {
namespace {

// ---------------------------------------------------------------------------------------------
// Source tables: the Unicode character behind every byte of the two pages. Bytes 0x00-0x7F are
// ASCII (and the C0 controls) in both pages, so only the upper halves are listed.
// ---------------------------------------------------------------------------------------------

// OEM 437, bytes 0x80-0xFF.
constexpr std::array<char32_t, 128> kOem437High = {
    // 0x80  Ç ü é â ä à å ç ê ë è ï î ì Ä Å
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,
    // 0x90  É æ Æ ô ö ò û ù ÿ Ö Ü ¢ £ ¥ ₧ ƒ
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192,
    // 0xA0  á í ó ú ñ Ñ ª º ¿ ⌐ ¬ ½ ¼ ¡ « »
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,
    0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    // 0xB0  ░ ▒ ▓ │ ┤ ╡ ╢ ╖ ╕ ╣ ║ ╗ ╝ ╜ ╛ ┐
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,
    // 0xC0  └ ┴ ┬ ├ ─ ┼ ╞ ╟ ╚ ╔ ╩ ╦ ╠ ═ ╬ ╧
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,
    // 0xD0  ╨ ╤ ╥ ╙ ╘ ╒ ╓ ╫ ╪ ┘ ┌ █ ▄ ▌ ▐ ▀
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    // 0xE0  α ß Γ π Σ σ µ τ Φ Θ Ω δ ∞ φ ε ∩
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229,
    // 0xF0  ≡ ± ≥ ≤ ⌠ ⌡ ÷ ≈ ° ∙ · √ ⁿ ² ■ (no-break space)
    0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,
};

// ANSI 1252, bytes 0x80-0x9F; 0xA0-0xFF are Latin-1 and map to U+00A0-U+00FF unchanged.
// The five bytes the page leaves undefined keep their C1 control code point.
constexpr std::array<char32_t, 32> kAnsi1252C1 = {
    // 0x80  € (81) ‚ ƒ „ … † ‡ ˆ ‰ Š ‹ Œ (8D) Ž (8F)
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    // 0x90  (90) ‘ ’ “ ” • – — ˜ ™ š › œ (9D) ž Ÿ
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Best-fit substitutes for characters only one of the two pages has. The substitute must
// exist in the other page (checked below); characters missing here become '?'.
struct BestFit {
  char32_t from;
  char32_t to;
};

constexpr BestFit kBestFit[] = {
    // --- OEM 437 only ---------------------------------------------------------------------
    // Peseta sign, reversed not sign.
    {0x20A7, 'P'}, {0x2310, 0x00AC},
    // Shades and blocks; the upper half block becomes the macron, the small square the
    // broken bar.
    {0x2591, '#'}, {0x2592, '#'}, {0x2593, '#'}, {0x2588, '#'},
    {0x2584, '_'}, {0x2580, 0x00AF}, {0x258C, '|'}, {0x2590, '|'}, {0x25A0, 0x00A6},
    // Single box drawing: lines to - and |, every corner and junction to +.
    {0x2500, '-'}, {0x2502, '|'},
    {0x250C, '+'}, {0x2510, '+'}, {0x2514, '+'}, {0x2518, '+'},
    {0x251C, '+'}, {0x2524, '+'}, {0x252C, '+'}, {0x2534, '+'}, {0x253C, '+'},
    // Double and mixed box drawing (U+2552-U+256C are all corners and junctions).
    {0x2550, '='}, {0x2551, '|'},
    {0x2552, '+'}, {0x2553, '+'}, {0x2554, '+'}, {0x2555, '+'}, {0x2556, '+'},
    {0x2557, '+'}, {0x2558, '+'}, {0x2559, '+'}, {0x255A, '+'}, {0x255B, '+'},
    {0x255C, '+'}, {0x255D, '+'}, {0x255E, '+'}, {0x255F, '+'}, {0x2560, '+'},
    {0x2561, '+'}, {0x2562, '+'}, {0x2563, '+'}, {0x2564, '+'}, {0x2565, '+'},
    {0x2566, '+'}, {0x2567, '+'}, {0x2568, '+'}, {0x2569, '+'}, {0x256A, '+'},
    {0x256B, '+'}, {0x256C, '+'},
    // Greek letters to their Latin look-alikes.
    {0x03B1, 'a'}, {0x0393, 'G'}, {0x03C0, 'p'}, {0x03A3, 'S'}, {0x03C3, 's'},
    {0x03C4, 't'}, {0x03A6, 'F'}, {0x0398, 'T'}, {0x03A9, 'O'}, {0x03B4, 'd'},
    {0x03C6, 'f'}, {0x03B5, 'e'},
    // Mathematical signs.
    {0x221E, '8'}, {0x2229, 'n'}, {0x2261, '='}, {0x2265, '='}, {0x2264, '='},
    {0x2320, '('}, {0x2321, ')'}, {0x2248, '~'}, {0x2219, 0x00B7}, {0x221A, 'v'},
    {0x207F, 'n'},

    // --- ANSI 1252 only -------------------------------------------------------------------
    // Punctuation and signs of 0x80-0x9F.
    {0x20AC, 'E'}, {0x201A, ','}, {0x201E, '"'}, {0x2026, '.'}, {0x2020, '+'},
    {0x2021, '+'}, {0x02C6, '^'}, {0x2030, '%'}, {0x2039, '<'}, {0x203A, '>'},
    {0x2018, '\''}, {0x2019, '\''}, {0x201C, '"'}, {0x201D, '"'}, {0x2022, 0x00B7},
    {0x2013, '-'}, {0x2014, '-'}, {0x02DC, '~'}, {0x2122, 'T'},
    // Letters of 0x80-0x9F.
    {0x0160, 'S'}, {0x0161, 's'}, {0x0152, 'O'}, {0x0153, 'o'}, {0x017D, 'Z'},
    {0x017E, 'z'}, {0x0178, 'Y'},
    // Latin-1 signs (¤ ¶ ¾ have no look-alike).
    {0x00A6, '|'}, {0x00A7, 'S'}, {0x00A8, '"'}, {0x00A9, 'c'}, {0x00AD, '-'},
    {0x00AE, 'r'}, {0x00AF, '-'}, {0x00B3, '3'}, {0x00B4, '\''}, {0x00B8, ','},
    {0x00B9, '1'}, {0x00D7, 'x'},
    // Accented letters to the base letter (Þ and þ have none).
    {0x00C0, 'A'}, {0x00C1, 'A'}, {0x00C2, 'A'}, {0x00C3, 'A'},
    {0x00C8, 'E'}, {0x00CA, 'E'}, {0x00CB, 'E'},
    {0x00CC, 'I'}, {0x00CD, 'I'}, {0x00CE, 'I'}, {0x00CF, 'I'},
    {0x00D0, 'D'}, {0x00D2, 'O'}, {0x00D3, 'O'}, {0x00D4, 'O'}, {0x00D5, 'O'},
    {0x00D8, 'O'}, {0x00D9, 'U'}, {0x00DA, 'U'}, {0x00DB, 'U'}, {0x00DD, 'Y'},
    {0x00E3, 'a'}, {0x00F0, 'd'}, {0x00F5, 'o'}, {0x00F8, 'o'}, {0x00FD, 'y'},
};

// ---------------------------------------------------------------------------------------------
// Derived byte tables, computed at compile time.
// ---------------------------------------------------------------------------------------------

enum class Page { kOem437, kAnsi1252 };

constexpr char32_t CharOf(Page page, unsigned b) {
  if (b < 0x80) return b;
  if (page == Page::kOem437) return kOem437High[b - 0x80];
  return b < 0xA0 ? kAnsi1252C1[b - 0x80] : char32_t(b);
}

// The byte holding `u` in `page`, or -1.
constexpr int ByteOf(Page page, char32_t u) {
  for (unsigned b = 0; b < 256; ++b) {
    if (CharOf(page, b) == u) return int(b);
  }
  return -1;
}

consteval std::array<uint8_t, 256> BuildConversion(Page from, Page to) {
  std::array<uint8_t, 256> table{};
  for (unsigned b = 0; b < 256; ++b) {
    const char32_t u = CharOf(from, b);
    int target = b < 0x80 ? int(b) : ByteOf(to, u);
    for (const BestFit& fit : kBestFit) {
      if (target < 0 && fit.from == u) target = ByteOf(to, fit.to);
    }
    table[b] = uint8_t(target < 0 ? '?' : target);
  }
  return table;
}

// Every best-fit entry must be for a character exactly one page has, name it once, and offer
// a substitute the other page has; otherwise the entry would be dead or silently become '?'.
consteval bool BestFitIsSound() {
  for (std::size_t i = 0; i < std::size(kBestFit); ++i) {
    const BestFit& fit = kBestFit[i];
    const bool in_oem = ByteOf(Page::kOem437, fit.from) >= 0;
    const bool in_ansi = ByteOf(Page::kAnsi1252, fit.from) >= 0;
    if (in_oem == in_ansi) return false;
    if (ByteOf(in_oem ? Page::kAnsi1252 : Page::kOem437, fit.to) < 0) return false;
    for (std::size_t j = 0; j < i; ++j) {
      if (kBestFit[j].from == fit.from) return false;
    }
  }
  return true;
}
static_assert(BestFitIsSound());

constexpr std::array<uint8_t, 256> kOemToAnsi = BuildConversion(Page::kOem437, Page::kAnsi1252);
constexpr std::array<uint8_t, 256> kAnsiToOem = BuildConversion(Page::kAnsi1252, Page::kOem437);

static_assert(kOemToAnsi[0x81] == 0xFC && kAnsiToOem[0xFC] == 0x81);

// 1252 case pairs: ASCII letters, the Latin-1 letters 0xC0-0xDE / 0xE0-0xFE (except the signs
// × and ÷ at 0xD7 / 0xF7), and Š/š Œ/œ Ž/ž Ÿ/ÿ, which 1252 puts in 0x80-0x9F. ß has no
// single-byte capital, and µ, ª, º have none at all.
consteval std::array<uint8_t, 256> BuildCase(bool upper) {
  std::array<uint8_t, 256> table{};
  for (unsigned b = 0; b < 256; ++b) table[b] = uint8_t(b);
  auto pair = [&](unsigned capital, unsigned small) {
    if (upper) table[small] = uint8_t(capital);
    else table[capital] = uint8_t(small);
  };
  for (unsigned c = 'A'; c <= 'Z'; ++c) pair(c, c + 0x20);
  for (unsigned c = 0xC0; c <= 0xDE; ++c) {
    if (c != 0xD7) pair(c, c + 0x20);
  }
  pair(0x8A, 0x9A);  // Š š
  pair(0x8C, 0x9C);  // Œ œ
  pair(0x8E, 0x9E);  // Ž ž
  pair(0x9F, 0xFF);  // Ÿ ÿ
  return table;
}

constexpr std::array<uint8_t, 256> kAnsiUpper = BuildCase(true);
constexpr std::array<uint8_t, 256> kAnsiLower = BuildCase(false);

void Translate(const std::array<uint8_t, 256>& table, char* buf, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    buf[i] = static_cast<char>(table[static_cast<uint8_t>(buf[i])]);
  }
}

std::string Translated(const std::array<uint8_t, 256>& table, std::string_view s) {
  std::string out(s);
  Translate(table, out.data(), out.size());
  return out;
}

// The 1252 byte for a Unicode character, or '?'.
char UnicodeToAnsi(char32_t u) {
  if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return static_cast<char>(u);
  for (std::size_t i = 0; i < kAnsi1252C1.size(); ++i) {
    if (kAnsi1252C1[i] == u) return static_cast<char>(0x80 + i);
  }
  return '?';
}

// Appends the UTF-8 form of `u`; every character of 1252 lies in the basic multilingual plane.
void AppendUtf8(std::string& out, char32_t u) {
  if (u < 0x80) {
    out += static_cast<char>(u);
  } else if (u < 0x800) {
    out += static_cast<char>(0xC0 | (u >> 6));
    out += static_cast<char>(0x80 | (u & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (u >> 12));
    out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (u & 0x3F));
  }
}

// Decodes the UTF-8 sequence starting at s[i]. Returns its length, or 0 when no valid
// sequence starts there (stray continuation byte, invalid lead byte, missing continuation,
// overlong form, surrogate, or a value past U+10FFFF).
std::size_t DecodeUtf8(std::string_view s, std::size_t i, char32_t& u) {
  const uint8_t lead = static_cast<uint8_t>(s[i]);
  std::size_t len;
  char32_t min;
  if (lead >= 0xC2 && lead <= 0xDF) {
    len = 2, min = 0x80, u = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    len = 3, min = 0x800, u = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    len = 4, min = 0x10000, u = lead & 0x07;
  } else {
    return 0;
  }
  if (s.size() - i < len) return 0;
  for (std::size_t k = 1; k < len; ++k) {
    const uint8_t c = static_cast<uint8_t>(s[i + k]);
    if ((c & 0xC0) != 0x80) return 0;
    u = (u << 6) | (c & 0x3F);
  }
  if (u < min || u > 0x10FFFF || (u >= 0xD800 && u <= 0xDFFF)) return 0;
  return len;
}

}  // namespace

uint8_t OemToAnsi(uint8_t c) { return kOemToAnsi[c]; }
uint8_t AnsiToOem(uint8_t c) { return kAnsiToOem[c]; }
void OemToAnsi(char* buf, std::size_t n) { Translate(kOemToAnsi, buf, n); }
void AnsiToOem(char* buf, std::size_t n) { Translate(kAnsiToOem, buf, n); }
std::string OemToAnsi(std::string_view s) { return Translated(kOemToAnsi, s); }
std::string AnsiToOem(std::string_view s) { return Translated(kAnsiToOem, s); }

std::string AnsiToUtf8(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (char c : s) AppendUtf8(out, CharOf(Page::kAnsi1252, static_cast<uint8_t>(c)));
  return out;
}

std::string Utf8ToAnsi(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  std::size_t i = 0;
  while (i < s.size()) {
    if (static_cast<uint8_t>(s[i]) < 0x80) {
      out += s[i++];
      continue;
    }
    char32_t u = 0;
    const std::size_t len = DecodeUtf8(s, i, u);
    if (len == 0) {
      out += '?';  // one per byte that cannot start a character; resynchronise on the next
      ++i;
    } else {
      out += UnicodeToAnsi(u);
      i += len;
    }
  }
  return out;
}

uint8_t AnsiUpper(uint8_t c) { return kAnsiUpper[c]; }
uint8_t AnsiLower(uint8_t c) { return kAnsiLower[c]; }
void AnsiUpper(char* buf, std::size_t n) { Translate(kAnsiUpper, buf, n); }
void AnsiLower(char* buf, std::size_t n) { Translate(kAnsiLower, buf, n); }
std::string AnsiUpper(std::string_view s) { return Translated(kAnsiUpper, s); }
std::string AnsiLower(std::string_view s) { return Translated(kAnsiLower, s); }

namespace {
constexpr CaseTable kAnsiCases{kAnsiUpper, kAnsiLower};
const CaseTable* text_cases = &kAnsiCases;
}  // namespace

const CaseTable& AnsiCaseTable() { return kAnsiCases; }
void SetTextCaseTable(const CaseTable* table) { text_cases = table ? table : &kAnsiCases; }
void TextUpper(char* buf, std::size_t n) { Translate(text_cases->upper, buf, n); }
void TextLower(char* buf, std::size_t n) { Translate(text_cases->lower, buf, n); }

}  // namespace vornelle::platform
