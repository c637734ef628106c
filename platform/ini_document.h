#pragma once
// A settings file parsed once: values looked up by section and key, and values set, giving
// the file's new bytes with every untouched line as it was.
//
// Lines are "[section]", "key=value", comments starting with ';' or '#', and anything else,
// which is kept but ignored. Names and values are trimmed of blanks; section and key names
// match without regard to ASCII case, and only the first section of a name, and the first
// key of a name in it, count.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/ini_text.h"

namespace vornelle::platform {

class IniDocument {
 public:
  explicit IniDocument(std::string bytes = {}, bool complete = true);

  // The value as the file holds it, without one enclosing pair of double or single quotes;
  // nothing when the section or the key is missing. Values set since do not show here.
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;

  // Why the names and the value cannot be stored (a phrase naming the fault), or "" when they
  // can: empty names, line breaks, '=' in the key or a key that would read as a comment or
  // section, ']' in the section, invalid UTF-8.
  static std::string Refusal(std::string_view section, std::string_view key, std::string_view value);

  // Sets a value (one that Refusal accepts), in the key's line when the section has the key,
  // after the section's last key when it has not, and in a new section at the end of the file
  // when the file has no such section. A value that would lose blanks or quotes on reading is
  // written in double quotes.
  void Set(std::string_view section, std::string_view key, std::string_view value);

  // The file with every value set, in its own encoding and line ends.
  std::string Bytes() const;

 private:
  struct Section {
    std::string name;
    std::optional<std::size_t> header;  // none: the section is new
    std::size_t last_line = 0;          // new keys go after it: its last key, or its header
    std::unordered_map<std::string, std::size_t> keys;  // folded name -> line
    std::vector<std::pair<std::string, std::string>> added;  // new keys and their values
    std::unordered_map<std::string, std::size_t> added_at;   // folded name -> index in added
  };
  struct Line {
    std::string key;  // a key line of a section that counts: its key name, else empty
    std::string value;
    bool blank = false;
  };

  const Section* FindSection(std::string_view name) const;
  void AppendLine(std::string_view utf8, std::string* out) const;

  IniText text_;
  std::vector<Line> lines_;
  std::vector<Section> sections_;
  std::unordered_map<std::string, std::size_t> section_at_;  // folded name -> sections_ index
  std::unordered_map<std::size_t, std::string> replaced_;     // line -> its new value
};

}  // namespace vornelle::platform
