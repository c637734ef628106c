#pragma once
// The settings file: an INI file read and written one value per call.
//
// Lines are "[section]", "key=value", comments starting with ';' or '#', and anything else,
// which is kept but ignored. Section and key names match without regard to ASCII case; the
// first matching section, and the first matching key in it, is the one that counts. Lines end
// in LF or CR LF. Text is UTF-8; a line that is not valid UTF-8 was written by the old
// platform and is read as code page 1252. A UTF-8 byte-order mark at the start is skipped.

#include <cstddef>
#include <string>
#include <string_view>

namespace vornelle::platform {

// The value of `key` in `[section]` as UTF-8, or `default_value` when the file, the section
// or the key is missing. Blanks around the value and one enclosing pair of double or single
// quotes are dropped. The result is cut to at most `max_length` bytes, never inside a
// character; the default is cut the same way.
std::string GetProfileString(const std::string& path, std::string_view section,
                             std::string_view key, std::string_view default_value,
                             std::size_t max_length = 2047);

// Sets `key` in `[section]` to `value` (UTF-8), creating the key, the section or the file as
// needed; every other line of the file is kept byte for byte. A value that would lose
// blanks or quotes on reading is written in double quotes, so it reads back as given.
//
// The file is replaced as a whole (new content beside it, synced, then renamed over it), so
// a failed write leaves the old file as it was. Returns false with errno set when the file
// is read-only (EACCES), cannot be read or written, or the names or value cannot be stored:
// empty names, line breaks, '=' in the key or a key that would read as a comment or section,
// ']' in the section, invalid UTF-8 (EINVAL).
bool WriteProfileString(const std::string& path, std::string_view section,
                        std::string_view key, std::string_view value);

}  // namespace vornelle::platform
