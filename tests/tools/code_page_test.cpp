// The code pages of tables' text: language driver bytes, page names, conversion through iconv,
// and the case mapping built from it.

#include <gtest/gtest.h>

#include <sstream>

#include "tools/db/code_page.h"

namespace vornelle::tools {
namespace {

std::vector<std::string> KnownNames() {
  std::vector<std::string> names;
  std::stringstream list(KnownCodePageNames());
  for (std::string name; std::getline(list >> std::ws, name, ',');) names.push_back(name);
  return names;
}

TEST(CodePage, DriverBytesAndNames) {
  EXPECT_STREQ(CodePageOfDriver(0x57)->name, "cp1252");  // shapefile writers
  EXPECT_STREQ(CodePageOfDriver(0x03)->name, "cp1252");
  EXPECT_STREQ(CodePageOfDriver(0x26)->name, "cp866");
  EXPECT_STREQ(CodePageOfDriver(0xC8)->name, "cp1250");
  EXPECT_EQ(CodePageOfDriver(0x00), nullptr);
  EXPECT_EQ(CodePageOfDriver(0x7B), nullptr);  // Japanese: a multi-byte page
  EXPECT_EQ(CodePageOfDriver(0xEE), nullptr);
  EXPECT_EQ(DriverOfCodePage(Cp1252()), 0x03);
  EXPECT_EQ(DriverOfCodePage(*CodePageByName("cp866")), 0x65);
  for (const char* name : {"cp850", "850", "CP850", "ibm850"}) EXPECT_STREQ(CodePageByName(name)->name, "cp850");
  EXPECT_STREQ(CodePageByName("Windows-1251")->name, "cp1251");
  EXPECT_EQ(CodePageByName("cp65001"), nullptr);
  EXPECT_EQ(CodePageByName(""), nullptr);
  // Every page a driver names is one the user can name, and back.
  for (unsigned byte = 0; byte < 256; ++byte) {
    if (const CodePage* page = CodePageOfDriver(static_cast<uint8_t>(byte))) {
      EXPECT_EQ(CodePageOfDriver(DriverOfCodePage(*page)), page) << page->name;
    }
  }
}

TEST(CodePage, EveryPageRoundTripsTheBytesItDefines) {
  for (const std::string& name : KnownNames()) {
    TextCodec codec(*CodePageByName(name));
    int defined = 0;
    for (unsigned byte = 1; byte < 256; ++byte) {
      const std::string stored(1, static_cast<char>(byte));
      const std::string text = codec.Decode(stored);
      if (text == "\xEF\xBF\xBD") continue;
      ++defined;
      std::string back, missing;
      ASSERT_TRUE(codec.Encode(text, back, missing)) << name << " byte " << byte;
      EXPECT_EQ(back, stored) << name << " byte " << byte;
    }
    EXPECT_GE(defined, 220) << name;  // the Greek and Hebrew pages leave the most undefined
  }
}

// Decoding looks each byte up in a table learnt from iconv; it must say exactly what iconv says
// of the whole text, also where a page joins a letter with the accent after it.
TEST(CodePage, DecodingByTableAgreesWithIconv) {
  std::string every_byte, pairs;
  for (unsigned byte = 0; byte < 256; ++byte) every_byte += static_cast<char>(byte);
  for (unsigned first = 0x20; first < 256; first += 3)
    for (unsigned second = 0x80; second < 256; second += 5) pairs += {static_cast<char>(first), static_cast<char>(second)};
  for (const std::string& name : KnownNames()) {
    TextCodec codec(*CodePageByName(name));
    for (const std::string& stored : {every_byte, pairs, std::string("plain ASCII, \"quoted\"\r\n")})
      EXPECT_EQ(codec.Decode(stored), codec.DecodeWhole(stored)) << name;
  }
}

TEST(CodePage, UndefinedBytesAndForeignCharacters) {
  TextCodec ansi(Cp1252());
  EXPECT_EQ(ansi.Decode("a\x81z\x80"), "a\xEF\xBF\xBDz\xE2\x82\xAC");  // undefined, then the euro
  std::string stored, missing;
  EXPECT_TRUE(ansi.Encode("Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC", stored, missing));
  EXPECT_EQ(stored, "Gr\xFC\xDF" "e \x80");
  EXPECT_FALSE(ansi.Encode("ab\xD0\x96" "c", stored, missing));  // Cyrillic Zhe
  EXPECT_EQ(missing, "\xD0\x96");
  EXPECT_TRUE(stored.empty());
  EXPECT_FALSE(ansi.Encode("ab\xC3", stored, missing));  // cut short: not UTF-8, named by its byte
  EXPECT_EQ(missing, "\xC3");
  EXPECT_FALSE(ansi.Encode("\xED\xA0\x80", stored, missing));  // a surrogate
  EXPECT_FALSE(IsUtf8("\xC3"));
  EXPECT_TRUE(IsUtf8("Gr\xC3\xBC\xC3\x9F" "e"));

  TextCodec oem(Cp437());
  EXPECT_EQ(oem.Decode("\xC4\xBF\xE0"), "\xE2\x94\x80\xE2\x94\x90\xCE\xB1");  // ─┐α
  EXPECT_EQ(oem.Decode(std::string(3000, '\x81')).size(), 6000u);  // past one buffer of iconv's
}

TEST(CodePage, CaseOfEachPagesLetters) {
  // The engine's own ANSI mapping and the one built from iconv and Unicode agree.
  TextCodec ansi(Cp1252());
  const platform::CaseTable& built = ansi.cases();
  const platform::CaseTable& engine = platform::AnsiCaseTable();
  for (unsigned byte = 0; byte < 256; ++byte) {
    EXPECT_EQ(built.upper[byte], engine.upper[byte]) << "upper of " << byte;
    EXPECT_EQ(built.lower[byte], engine.lower[byte]) << "lower of " << byte;
  }
  TextCodec cyrillic(*CodePageByName("cp1251"));
  EXPECT_EQ(cyrillic.cases().upper[0xE6], 0xC6);  // ж Ж
  EXPECT_EQ(cyrillic.cases().lower[0xA8], 0xB8);  // Ё ё
  TextCodec dos_cyrillic(*CodePageByName("cp866"));
  EXPECT_EQ(dos_cyrillic.cases().upper[0xA6], 0x86);  // ж Ж
  TextCodec oem(Cp437());
  EXPECT_EQ(oem.cases().upper[0x81], 0x9A);  // ü Ü
  EXPECT_EQ(oem.cases().upper[0xE1], 0xE1);  // ß has no capital of its own
}

}  // namespace
}  // namespace vornelle::tools
