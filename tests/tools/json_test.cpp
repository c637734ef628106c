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

}  // namespace
}  // namespace vornelle::tools
