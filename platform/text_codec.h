#pragma once
// The code pages of tables' text: which page a table's language driver byte (header offset 29)
// names, and text between UTF-8 and that page through the C library's iconv. The engine sees
// the bytes as stored; only what the user reads and types is converted, by vornelle-db and by
// the calendar alike.

#include <iconv.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/codepage.h"
#include "platform/utf8.h"

namespace vornelle::platform {

// A single-byte code page a table's text may be kept in.
struct CodePage {
  const char* name;        // as the user names it: "cp850"
  const char* iconv_name;  // as iconv knows it: "CP850"
};

const CodePage& Cp437();
const CodePage& Cp1252();

// The page a language driver byte names; nullptr for 0 and for bytes naming no page this tool
// reads (multi-byte pages among them), which are read as OEM 437.
const CodePage* CodePageOfDriver(uint8_t driver);
// The byte a new table in `page` is given.
uint8_t DriverOfCodePage(const CodePage& page);
// "cp850", "850", "CP850", "windows-1252" ...; nullptr when unknown.
const CodePage* CodePageByName(std::string_view name);
// The names CodePageByName knows, for an error message.
std::string KnownCodePageNames();

// Text between UTF-8 and one code page.
class TextCodec {
 public:
  // Exception when the C library cannot convert the page.
  explicit TextCodec(const CodePage& page);
  ~TextCodec();
  TextCodec(const TextCodec&) = delete;
  TextCodec& operator=(const TextCodec&) = delete;

  const CodePage& page() const { return page_; }
  // Stored bytes as UTF-8. Never fails: a byte the page leaves undefined becomes U+FFFD.
  std::string Decode(std::string_view stored);
  // The same appended to `out`.
  void DecodeInto(std::string_view stored, std::string& out);
  // The same through iconv over the whole text: what Decode does for pages it cannot decode
  // byte by byte, and what it must agree with for the others.
  std::string DecodeWhole(std::string_view stored);
  // UTF-8 as stored bytes. False, with the first character the page cannot hold (or the first
  // byte that is not UTF-8) in `missing`, when the text cannot be stored unchanged.
  bool Encode(std::string_view utf8, std::string& stored, std::string& missing);
  // The page's upper and lower case letters, as iconv and the C library's Unicode tables pair
  // them; a letter whose partner the page lacks stays as it is.
  const CaseTable& cases() const { return cases_; }
  // Whether bytes below 0x80 stand for themselves: then ASCII text needs no decoding.
  bool ascii_plain() const { return bytewise_ && ascii_plain_; }

 private:
  void BuildCases();
  void BuildByteTexts();

  const CodePage& page_;
  iconv_t decoder_;
  iconv_t encoder_;
  CaseTable cases_{};
  // Each byte's UTF-8, learnt from iconv once, so that decoding is a table lookup per byte.
  // Only for pages that give every byte's character at once: a page that holds a letter back to
  // join it with an accent that follows is decoded whole by iconv.
  struct ByteText {
    char utf8[3];
    uint8_t length;  // 0 = the byte stands for itself
  };
  std::array<ByteText, 256> byte_texts_{};
  bool bytewise_ = false;
  bool ascii_plain_ = false;  // bytes below 0x80 stand for themselves
};

}  // namespace vornelle::platform
