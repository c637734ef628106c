#pragma once
// The settings file: an INI file (ini_document.h) read once for many values, and written one
// value or many values at a time.
//
// Only a regular file is read, and only its first kMaxProfileBytes: a link to a device or a
// FIFO reads as a missing file, and lines past the bound as missing lines. Text is UTF-8 or
// UTF-16 with a byte-order mark; lines end in CR LF, LF or CR (ini_text.h).

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ini_document.h"

namespace vornelle::platform {

inline constexpr std::size_t kMaxProfileBytes = std::size_t{1} << 20;

// The file read and parsed once; a file that cannot be read is read as empty.
class ProfileReader {
 public:
  explicit ProfileReader(const std::string& path);

  // The value of `key` in `[section]` as UTF-8, or `default_value` when the file, the section
  // or the key is missing. Blanks around the value and one enclosing pair of double or single
  // quotes are dropped. The result is cut to at most `max_length` bytes, never inside a
  // character; the default is cut the same way.
  std::string Get(std::string_view section, std::string_view key, std::string_view default_value,
                  std::size_t max_length = 2047) const;

 private:
  IniDocument document_;
};

// One value, read from a file of its own.
std::string GetProfileString(const std::string& path, std::string_view section,
                             std::string_view key, std::string_view default_value,
                             std::size_t max_length = 2047);

struct ProfileValue {
  std::string section, key, value;
};

// Sets every value (UTF-8), in order, creating keys, sections or the file as needed; every
// other line of the file is kept byte for byte, and new lines take the file's encoding and
// line ends. A value that would lose blanks or quotes on reading is written in double quotes,
// so it reads back as given.
//
// Every value is checked before anything is written: when one cannot be stored (see
// IniDocument::Refusal), nothing is written, errno is EINVAL and `*refused` (when given) is
// its index. The file is read, changed and replaced once (file_replace.h), under a lock on its
// folder that other writers of the file take too. A link is written through only when the
// file it ends in has the link's own name (ASCII case aside), as when a settings file kept
// elsewhere is linked in; any other link is refused (EPERM). Returns false with errno also
// when the file is read-only (EACCES), is no regular file (EISDIR, EINVAL), is or would grow
// larger than kMaxProfileBytes (EFBIG), or cannot be read or written.
bool WriteProfileStrings(const std::string& path, const std::vector<ProfileValue>& values,
                         std::size_t* refused = nullptr);

// One value, as WriteProfileStrings writes it.
bool WriteProfileString(const std::string& path, std::string_view section,
                        std::string_view key, std::string_view value);

}  // namespace vornelle::platform
