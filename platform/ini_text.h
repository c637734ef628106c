#pragma once
// The bytes of a settings file as lines of text: its encoding and its line ends, so that lines
// read as UTF-8 and new lines are written the way the file writes its own.
//
// A file is UTF-8, or UTF-16 (little or big endian) when it starts with that byte-order mark; a
// UTF-8 mark is kept too. Lines end in CR LF, LF or CR alone. A UTF-8 line that is not valid
// UTF-8 was written by the old platform and reads as code page 1252.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/utf8.h"

namespace vornelle::platform {

class IniText {
 public:
  // A line as offsets into the file's bytes: its text, then its own line end (none for a last
  // line without one).
  struct Line {
    std::size_t start = 0, length = 0, eol_length = 0;
  };

  // `complete` is false when the bytes are only the start of a longer file: the last line is
  // then cut, and is dropped.
  explicit IniText(std::string bytes, bool complete = true);

  const std::vector<Line>& lines() const { return lines_; }
  std::string_view Raw(const Line& line) const { return {bytes_.data() + line.start, line.length}; }
  std::string_view RawEol(const Line& line) const {
    return {bytes_.data() + line.start + line.length, line.eol_length};
  }
  // A line's text as UTF-8.
  std::string Decode(const Line& line) const;
  // UTF-8 text (valid) as the file stores it.
  std::string Encode(std::string_view utf8) const;
  // What stands before the first line (a byte-order mark) and after the last (the odd byte of
  // a UTF-16 file), kept as they are.
  std::string_view prefix() const { return std::string_view(bytes_).substr(0, prefix_); }
  std::string_view suffix() const { return suffix_; }
  // The end of a new line: the first line's own, LF when the file has none.
  const std::string& eol() const { return eol_; }

 private:
  enum class Encoding { kUtf8, kUtf16LE, kUtf16BE };
  std::size_t Width() const { return encoding_ == Encoding::kUtf8 ? 1 : 2; }
  char16_t Unit(std::size_t at) const;

  std::string bytes_;
  Encoding encoding_ = Encoding::kUtf8;
  std::size_t prefix_ = 0;
  std::string suffix_;
  std::vector<Line> lines_;
  std::string eol_;
};

}  // namespace vornelle::platform
