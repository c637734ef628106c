#include "platform/codepage.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace vp = vornelle::platform;

namespace {

// OEM 437 bytes 0x80-0xFF as printed in the usual code chart, written out in UTF-8; the last
// character is the no-break space.
constexpr const char* kOemChart =
    "ÇüéâäàåçêëèïîìÄÅÉæÆôöòûùÿÖÜ¢£¥₧ƒáíóúñÑªº¿⌐¬½¼¡«»░▒▓│┤╡╢╖╕╣║╗╝╜╛┐"
    "└┴┬├─┼╞╟╚╔╩╦╠═╬╧╨╤╥╙╘╒╓╫╪┘┌█▄▌▐▀αßΓπΣσµτΦΘΩδ∞φε∩≡±≥≤⌠⌡÷≈°∙·√ⁿ²■\u00A0";

}  // namespace

TEST(CodePageOem, KnownCharactersConvertBothWays) {
  const std::pair<int, int> pairs[] = {{0x81, 0xFC}, {0x82, 0xE9}, {0x9C, 0xA3}, {0xE1, 0xDF},
                                       {0xE6, 0xB5}, {0xF8, 0xB0}, {0xFD, 0xB2}, {0xFF, 0xA0},
                                       {0x9F, 0x83}, {0xFA, 0xB7}};
  for (auto [oem, ansi] : pairs) {
    EXPECT_EQ(vp::OemToAnsi(uint8_t(oem)), ansi) << std::hex << oem;
    EXPECT_EQ(vp::AnsiToOem(uint8_t(ansi)), oem) << std::hex << ansi;
  }
  for (int b = 0; b < 0x80; ++b) {  // ASCII and control codes pass through untouched
    EXPECT_EQ(vp::OemToAnsi(uint8_t(b)), b);
    EXPECT_EQ(vp::AnsiToOem(uint8_t(b)), b);
  }
}

// Walks the chart; wherever 1252 has the same character, both directions must agree with it
// exactly. Everything else must not round-trip, so no two characters collide by accident.
TEST(CodePageOem, SharedCharactersRoundTrip) {
  std::string_view chart = kOemChart;
  int shared = 0;
  for (int oem = 0x80; oem <= 0xFF; ++oem) {
    const auto lead = static_cast<uint8_t>(chart[0]);
    const std::size_t len = lead < 0xE0 ? 2 : 3;
    const std::string ansi = vp::Utf8ToAnsi(chart.substr(0, len));
    chart.remove_prefix(len);
    ASSERT_EQ(ansi.size(), 1u);
    if (ansi != "?") {
      ++shared;
      EXPECT_EQ(vp::OemToAnsi(uint8_t(oem)), uint8_t(ansi[0])) << std::hex << oem;
      EXPECT_EQ(vp::AnsiToOem(uint8_t(ansi[0])), oem) << std::hex << oem;
    }
  }
  EXPECT_TRUE(chart.empty());
  EXPECT_EQ(shared, 54);
  int round_trips = 0;
  for (int b = 0x80; b <= 0xFF; ++b) {
    round_trips += vp::OemToAnsi(vp::AnsiToOem(uint8_t(b))) == b;
  }
  EXPECT_EQ(round_trips, shared);
}

TEST(CodePageOem, BestFitToAnsi) {
  // Boxes: single, double and mixed lines.
  EXPECT_EQ(vp::OemToAnsi("\xDA\xC4\xBF\xB3\xC5\xC9\xCD\xBB\xBA\xD8"), "+-+|++=+|+");
  // Greek letters and signs.
  EXPECT_EQ(vp::OemToAnsi("\xE0\xE2\xE3\xE4\xE5\xE7\xE8\xE9\xEA\xEB\xED\xEE"
                          "\xEC\xEF\xF0\xF2\xF3\xF4\xF5\xF7\xFB\xFC\x9E"),
            "aGpSstFTOdfe8n===()~vnP");
  EXPECT_EQ(vp::OemToAnsi(uint8_t(0xF9)), 0xB7);  // ∙
  EXPECT_EQ(vp::OemToAnsi(uint8_t(0xA9)), 0xAC);  // ⌐
  EXPECT_EQ(vp::OemToAnsi(uint8_t(0xFE)), 0xA6);  // ■
  // Every OEM character has some stand-in: nothing turns into '?' or a control code.
  for (int b = 0x80; b <= 0xFF; ++b) {
    const uint8_t a = vp::OemToAnsi(uint8_t(b));
    EXPECT_TRUE(a != '?' && a >= 0x20 && a != 0x7F) << std::hex << b;
  }
}

TEST(CodePageOem, BestFitToOem) {
  EXPECT_EQ(vp::AnsiToOem("\xC0\xC3\xD5\xE3\xF5\xC8\xDD\x8A\x9E\x8C"), "AAOaoEYSzO");
  EXPECT_EQ(vp::AnsiToOem("\x91\x92\x93\x94\x84\x96\x97\x85\x99\xA9\xAE\x80\x8B\x9B"),
            "''\"\"\"--.TcrE<>");
  EXPECT_EQ(vp::AnsiToOem(uint8_t(0x95)), 0xFA);  // • to the middle dot
  for (int undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
    EXPECT_EQ(vp::AnsiToOem(uint8_t(undefined)), '?');
  }
}

TEST(CodePageOem, BufferAndStringFormsKeepLength) {
  using namespace std::string_literals;
  std::string text = "\x81" "ber\0\x9C" "5"s;  // the embedded NUL is converted like any byte
  vp::OemToAnsi(text.data(), text.size());
  EXPECT_EQ(text, "\xFC" "ber\0\xA3" "5"s);
  vp::AnsiToOem(text.data(), text.size());
  EXPECT_EQ(text, "\x81" "ber\0\x9C" "5"s);
  vp::OemToAnsi(nullptr, 0);
  EXPECT_EQ(vp::AnsiToOem("\xC9t\xE9\x85"), "\x90t\x82.");
  EXPECT_EQ(vp::OemToAnsi(std::string_view()), "");
}

TEST(CodePageUtf8, AllAnsiBytesRoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(vp::Utf8ToAnsi(vp::AnsiToUtf8(all)), all);
  EXPECT_EQ(vp::AnsiToUtf8("\x80"), "€");
  EXPECT_EQ(vp::AnsiToUtf8("\x9F\x8A\x99\xFC"), "ŸŠ™ü");
  EXPECT_EQ(vp::AnsiToUtf8("\x81\x8D\x8F\x90\x9D"), "\u0081\u008D\u008F\u0090\u009D");
  EXPECT_EQ(vp::AnsiToUtf8(std::string("a\0\xA0", 3)), std::string("a\0\xC2\xA0", 4));
}

TEST(CodePageUtf8, UnrepresentableAndMalformedBecomeQuestionMarks) {
  EXPECT_EQ(vp::Utf8ToAnsi("Ω≈π 😀!"), "??? ?!");  // one '?' per character
  EXPECT_EQ(vp::Utf8ToAnsi("\u0080x"), "?x");       // the C1 control 0x80 is not €
  EXPECT_EQ(vp::Utf8ToAnsi("\x80\xBF"), "??");      // stray continuation bytes
  EXPECT_EQ(vp::Utf8ToAnsi("\xC3" "A"), "?A");      // missing continuation
  EXPECT_EQ(vp::Utf8ToAnsi("ab\xE2\x82"), "ab??");  // truncated at the end
  EXPECT_EQ(vp::Utf8ToAnsi("\xC0\xAF"), "??");      // overlong '/'
  EXPECT_EQ(vp::Utf8ToAnsi("\xE0\x80\xAF"), "???");
  EXPECT_EQ(vp::Utf8ToAnsi("\xED\xA0\x80"), "???");      // surrogate
  EXPECT_EQ(vp::Utf8ToAnsi("\xF4\x90\x80\x80"), "????");  // past U+10FFFF
  EXPECT_EQ(vp::Utf8ToAnsi("\xF8\xFF\xFE"), "???");
  EXPECT_EQ(vp::Utf8ToAnsi("\xF4\x8F\xBF\xBF" "é"), "?\xE9");  // valid but unrepresentable
}

TEST(CodePageCase, MapsAnsiLetters) {
  const char* small = "abz\xE0\xE9\xFE\xF0\x9A\x9C\x9E\xFF";    // à é þ ð š œ ž ÿ
  const char* capital = "ABZ\xC0\xC9\xDE\xD0\x8A\x8C\x8E\x9F";  // À É Þ Ð Š Œ Ž Ÿ
  EXPECT_EQ(vp::AnsiUpper(small), capital);
  EXPECT_EQ(vp::AnsiLower(capital), small);
  // ß µ ª º × ÷ and non-letters are left alone both ways.
  for (uint8_t c : {0xDF, 0xB5, 0xAA, 0xBA, 0xD7, 0xF7, 0x40, 0x5B, 0x60, 0x7B, 0x83}) {
    EXPECT_EQ(vp::AnsiUpper(c), c) << int(c);
    EXPECT_EQ(vp::AnsiLower(c), c) << int(c);
  }
  // The mappings are inverse on the 26 + 34 case pairs and leave everything else alone.
  int pairs = 0;
  for (int b = 0; b < 256; ++b) {
    const uint8_t c = uint8_t(b);
    if (vp::AnsiUpper(c) != c) {
      ++pairs;
      EXPECT_EQ(vp::AnsiLower(vp::AnsiUpper(c)), c) << b;
      EXPECT_EQ(vp::AnsiLower(c), c) << b;
    }
    if (vp::AnsiLower(c) != c) {
      EXPECT_EQ(vp::AnsiUpper(vp::AnsiLower(c)), c) << b;
    }
  }
  EXPECT_EQ(pairs, 60);
  char buf[] = "stra\xDF" "e";
  vp::AnsiUpper(buf, sizeof buf - 1);
  EXPECT_STREQ(buf, "STRA\xDF" "E");
}
