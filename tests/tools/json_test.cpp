// The JSON the tool writes: numbers readers take for what they are, and strings escaped exactly
// where JSON requires it.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "tools/db/json.h"

namespace vornelle::tools {
namespace {

TEST(Json, WholeNumbersAreWrittenInDigits) {
  EXPECT_EQ(JsonNumber(100000), "100000");  // not 1e+05
  EXPECT_EQ(JsonNumber(1000000), "1000000");
  EXPECT_EQ(JsonNumber(-42), "-42");
  EXPECT_EQ(JsonNumber(0), "0");
  EXPECT_EQ(JsonNumber(12345678901234567890.0), "12345678901234567168");  // a 20-digit field
  EXPECT_EQ(JsonNumber(2.5), "2.5");
  EXPECT_EQ(JsonNumber(0.1), "0.1");
  EXPECT_EQ(JsonNumber(1e-7), "1e-07");
  EXPECT_EQ(JsonNumber(1e300), "1e+300");
  EXPECT_EQ(JsonNumber(std::nan("")), "null");
  EXPECT_EQ(JsonNumber(INFINITY), "null");
}

TEST(Json, StringsEscapeQuotesBackslashesAndControlBytes) {
  EXPECT_EQ(JsonString(""), "\"\"");
  EXPECT_EQ(JsonString("plain text, caf\xC3\xA9"), "\"plain text, caf\xC3\xA9\"");
  EXPECT_EQ(JsonString("a \"b\" \\ c"), R"("a \"b\" \\ c")");
  EXPECT_EQ(JsonString("line\r\nnext\ttab"), R"("line\r\nnext\ttab")");
  EXPECT_EQ(JsonString(std::string("\x01\x1F\x7F\0", 4)), R"("\u0001\u001f\u007f\u0000")");
  std::string long_run(10000, 'x');
  EXPECT_EQ(JsonString(long_run + "\"" + long_run), "\"" + long_run + "\\\"" + long_run + "\"");
  EXPECT_EQ(JsonObject().Number("_recno", 100000).String("A", "b").Bool("_deleted", false).str(),
            R"({"_recno": 100000, "A": "b", "_deleted": false})");
}

// The plain run the escaping copies whole ends exactly at the first byte that is not plain,
// wherever that falls among the sixteen-byte looks (the first, a later one, the last look
// that overlaps the one before) and in strings too short for one.
TEST(Json, PlainRunsEndAtTheFirstByteToEscape) {
  struct Case {
    char byte;
    bool ascii_only;
    bool plain;
  };
  const Case cases[] = {{'a', true, true},   {'~', true, true},    {'"', false, false},
                        {'\\', false, false}, {'\x1F', false, false}, {'\x7F', false, false},
                        {'\0', true, false},  {'\xC3', false, true}, {'\xC3', true, false},
                        {'\x80', true, false}, {'\xFF', false, true}, {' ', true, true}};
  for (const Case& c : cases) {
    for (std::size_t size : {1, 5, 15, 16, 17, 31, 33, 40}) {
      for (std::size_t at = 0; at < size; ++at) {
        std::string text(size, 'x');
        text[at] = c.byte;
        EXPECT_EQ(JsonPlainPrefix(text, c.ascii_only), c.plain ? size : at)
            << "byte " << int(static_cast<unsigned char>(c.byte)) << ", size " << size << ", at " << at;
      }
    }
  }
  EXPECT_EQ(JsonPlainPrefix("", true), 0u);
  EXPECT_EQ(JsonPlainPrefix(std::string(20, 'x') + "\n" + std::string(12, '"'), false), 20u);
}

}  // namespace
}  // namespace vornelle::tools
