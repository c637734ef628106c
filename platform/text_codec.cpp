#include "platform/text_codec.h"

#include <locale.h>
#include <wctype.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/exception.h"
#include "platform/utf8.h"

namespace vornelle::platform {

namespace {

constexpr CodePage kPages[] = {
    {"cp437", "CP437"},   {"cp737", "CP737"},   {"cp850", "CP850"},   {"cp852", "CP852"},
    {"cp857", "CP857"},   {"cp860", "CP860"},   {"cp861", "CP861"},   {"cp863", "CP863"},
    {"cp865", "CP865"},   {"cp866", "CP866"},   {"cp874", "CP874"},   {"cp1250", "CP1250"},
    {"cp1251", "CP1251"}, {"cp1252", "CP1252"}, {"cp1253", "CP1253"}, {"cp1254", "CP1254"},
    {"cp1255", "CP1255"}, {"cp1256", "CP1256"}, {"mac-roman", "MACINTOSH"},
    {"mac-cyrillic", "MAC-CYRILLIC"}, {"mac-latin2", "MAC-CENTRALEUROPE"},
};

const CodePage& Page(std::string_view name) {
  for (const CodePage& page : kPages)
    if (name == page.name) return page;
  throw std::logic_error("no code page " + std::string(name));
}

// The language drivers of dBASE, FoxPro and shapefile writers that name a single-byte page.
// The first byte listed for a page is the one a new table gets.
struct Driver {
  uint8_t byte;
  const char* page;
};
constexpr Driver kDrivers[] = {
    {0x01, "cp437"},  {0x02, "cp850"},  {0x03, "cp1252"}, {0x04, "mac-roman"}, {0x64, "cp852"},
    {0x65, "cp866"},  {0x66, "cp865"},  {0x67, "cp861"},  {0x6A, "cp737"},     {0x6B, "cp857"},
    {0xC8, "cp1250"}, {0xC9, "cp1251"}, {0xCA, "cp1254"}, {0xCB, "cp1253"},    {0x7D, "cp1255"},
    {0x7E, "cp1256"}, {0x7C, "cp874"},  {0x24, "cp860"},  {0x1C, "cp863"},     {0x96, "mac-cyrillic"},
    {0x97, "mac-latin2"},
    // The same pages under the drivers of national dBASE versions and shapefile writers.
    {0x08, "cp865"},  {0x09, "cp437"},  {0x0A, "cp850"},  {0x0B, "cp437"},     {0x0D, "cp437"},
    {0x0E, "cp850"},  {0x0F, "cp437"},  {0x10, "cp850"},  {0x11, "cp437"},     {0x12, "cp850"},
    {0x14, "cp850"},  {0x15, "cp437"},  {0x16, "cp850"},  {0x17, "cp865"},     {0x18, "cp437"},
    {0x19, "cp437"},  {0x1A, "cp850"},  {0x1B, "cp437"},  {0x1D, "cp850"},     {0x1F, "cp852"},
    {0x22, "cp852"},  {0x23, "cp852"},  {0x25, "cp850"},  {0x26, "cp866"},     {0x37, "cp850"},
    {0x40, "cp852"},  {0x50, "cp874"},  {0x57, "cp1252"}, {0x58, "cp1252"},    {0x59, "cp1252"},
    {0x6C, "cp863"},  {0x86, "cp737"},  {0x87, "cp852"},  {0x88, "cp857"},
};

std::string Lowered(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

iconv_t OpenConverter(const char* to, const char* from, const CodePage& page) {
  iconv_t converter = iconv_open(to, from);
  if (converter == reinterpret_cast<iconv_t>(-1))
    throw Exception(std::string("the C library cannot convert the code page ") + page.name + ": " +
                    std::strerror(errno));
  return converter;
}

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

}  // namespace

const CodePage& Cp437() { return Page("cp437"); }
const CodePage& Cp1252() { return Page("cp1252"); }

const CodePage* CodePageOfDriver(uint8_t driver) {
  for (const Driver& d : kDrivers)
    if (d.byte == driver) return &Page(d.page);
  return nullptr;
}

uint8_t DriverOfCodePage(const CodePage& page) {
  for (const Driver& d : kDrivers)
    if (page.name == std::string_view(d.page)) return d.byte;
  return 0;
}

const CodePage* CodePageByName(std::string_view name) {
  const std::string wanted = Lowered(name);
  for (const CodePage& page : kPages) {
    const std::string_view own = page.name;
    if (wanted == own || wanted == Lowered(page.iconv_name)) return &page;
    if (own.starts_with("cp") && (wanted == own.substr(2) || wanted == "windows-" + std::string(own.substr(2)) ||
                                  wanted == "ibm" + std::string(own.substr(2))))
      return &page;
  }
  return nullptr;
}

std::string KnownCodePageNames() {
  std::string names;
  for (const CodePage& page : kPages) names += (names.empty() ? "" : ", ") + std::string(page.name);
  return names;
}

TextCodec::TextCodec(const CodePage& page)
    : page_(page),
      decoder_(OpenConverter("UTF-8", page.iconv_name, page)),
      encoder_(OpenConverter(page.iconv_name, "UTF-8", page)) {
  BuildCases();
  BuildByteTexts();
}

void TextCodec::BuildByteTexts() {
  for (int b = 0; b < 256; ++b) {
    char byte = static_cast<char>(b);
    char* in = &byte;
    std::size_t in_left = 1;
    char out[8];
    char* to = out;
    std::size_t to_left = sizeof out;
    iconv(decoder_, nullptr, nullptr, nullptr, nullptr);
    const std::size_t done = iconv(decoder_, &in, &in_left, &to, &to_left);
    std::size_t length = static_cast<std::size_t>(to - out);
    if (done == static_cast<std::size_t>(-1) && errno == EILSEQ) {  // undefined in the page
      std::copy(kReplacement.begin(), kReplacement.end(), out);
      length = kReplacement.size();
    } else if (done == static_cast<std::size_t>(-1) || length == 0 || length > 3) {
      iconv(decoder_, nullptr, nullptr, nullptr, nullptr);
      return;  // held back, or more than one character: decoded whole
    }
    ByteText& text = byte_texts_[static_cast<std::size_t>(b)];
    if (length == 1 && out[0] == byte) continue;
    std::copy(out, out + length, text.utf8);
    text.length = static_cast<uint8_t>(length);
  }
  iconv(decoder_, nullptr, nullptr, nullptr, nullptr);
  bytewise_ = true;
  ascii_plain_ = std::all_of(byte_texts_.begin(), byte_texts_.begin() + 0x80,
                             [](const ByteText& text) { return text.length == 0; });
}

TextCodec::~TextCodec() {
  iconv_close(decoder_);
  iconv_close(encoder_);
}

std::string TextCodec::Decode(std::string_view stored) {
  std::string out;
  DecodeInto(stored, out);
  return out;
}

void TextCodec::DecodeInto(std::string_view stored, std::string& out) {
  if (!bytewise_) {
    out += DecodeWhole(stored);
    return;
  }
  out.reserve(out.size() + stored.size() + stored.size() / 4);
  std::size_t plain = 0, i = 0;  // bytes that stand for themselves are copied in runs
  while (i < stored.size()) {
    if (ascii_plain_ && i + 8 <= stored.size()) {
      uint64_t eight;
      std::memcpy(&eight, stored.data() + i, 8);
      if ((eight & 0x8080808080808080) == 0) {
        i += 8;
        continue;
      }
    }
    const ByteText& text = byte_texts_[static_cast<unsigned char>(stored[i])];
    if (text.length != 0) {
      out.append(stored.data() + plain, i - plain);
      out.append(text.utf8, text.length);
      plain = i + 1;
    }
    ++i;
  }
  out.append(stored.data() + plain, stored.size() - plain);
}

std::string TextCodec::DecodeWhole(std::string_view stored) {
  std::string out;
  out.reserve(stored.size() + stored.size() / 2);
  char* in = const_cast<char*>(stored.data());  // iconv's signature; it only reads
  std::size_t in_left = stored.size();
  char buffer[1024];
  iconv(decoder_, nullptr, nullptr, nullptr, nullptr);
  for (bool flushing = false;;) {
    char* to = buffer;
    std::size_t to_left = sizeof buffer;
    // Once the input is used up, pages that hold back a character give it up.
    const std::size_t done = flushing ? iconv(decoder_, nullptr, nullptr, &to, &to_left)
                                      : iconv(decoder_, &in, &in_left, &to, &to_left);
    out.append(buffer, static_cast<std::size_t>(to - buffer));
    if (done == static_cast<std::size_t>(-1) && errno == E2BIG) continue;
    if (done == static_cast<std::size_t>(-1) && !flushing) {  // a byte the page leaves undefined
      out += kReplacement;
      ++in;
      --in_left;
      continue;
    }
    if (flushing) break;
    flushing = true;
  }
  return out;
}

bool TextCodec::Encode(std::string_view utf8, std::string& stored, std::string& missing) {
  stored.assign(utf8.size() + 16, '\0');  // a single-byte page needs no more than UTF-8 does
  char* in = const_cast<char*>(utf8.data());
  std::size_t in_left = utf8.size();
  char* to = stored.data();
  std::size_t to_left = stored.size();
  iconv(encoder_, nullptr, nullptr, nullptr, nullptr);
  if (iconv(encoder_, &in, &in_left, &to, &to_left) == static_cast<std::size_t>(-1) ||
      iconv(encoder_, nullptr, nullptr, &to, &to_left) == static_cast<std::size_t>(-1)) {
    const std::string_view rest(in, in_left);
    missing = rest.empty() ? std::string() : std::string(rest.substr(0, std::max<std::size_t>(1, Utf8CharLength(rest))));
    stored.clear();
    return false;
  }
  stored.resize(stored.size() - to_left);
  return true;
}

void TextCodec::BuildCases() {
  for (unsigned b = 0; b < 256; ++b) cases_.upper[b] = cases_.lower[b] = static_cast<uint8_t>(b);
  locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
  iconv_t to_wide = OpenConverter("WCHAR_T", page_.iconv_name, page_);
  iconv_t from_wide = OpenConverter(page_.iconv_name, "WCHAR_T", page_);
  auto to_char = [](iconv_t converter, char* in, std::size_t in_size, char* out, std::size_t out_size) {
    std::size_t in_left = in_size, out_left = out_size;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    if (iconv(converter, &in, &in_left, &out, &out_left) == static_cast<std::size_t>(-1) ||
        iconv(converter, nullptr, nullptr, &out, &out_left) == static_cast<std::size_t>(-1))
      return false;
    return out_size - out_left == (out_size == 1 ? 1u : sizeof(wchar_t));
  };
  for (unsigned b = 0; b < 256; ++b) {
    char byte = static_cast<char>(b);
    wchar_t wide = 0;
    if (!to_char(to_wide, &byte, 1, reinterpret_cast<char*>(&wide), sizeof wide)) continue;
    const wint_t upper = unicode ? towupper_l(static_cast<wint_t>(wide), unicode)
                                 : (wide >= L'a' && wide <= L'z' ? wide - 32 : wide);
    const wint_t lower = unicode ? towlower_l(static_cast<wint_t>(wide), unicode)
                                 : (wide >= L'A' && wide <= L'Z' ? wide + 32 : wide);
    for (auto [partner, table] : {std::pair{upper, &cases_.upper}, std::pair{lower, &cases_.lower}}) {
      wchar_t other = static_cast<wchar_t>(partner);
      char stored = 0;
      if (other != wide && to_char(from_wide, reinterpret_cast<char*>(&other), sizeof other, &stored, 1))
        (*table)[b] = static_cast<uint8_t>(stored);
    }
  }
  iconv_close(to_wide);
  iconv_close(from_wide);
  if (unicode) freelocale(unicode);
}

}  // namespace vornelle::platform
