#include "platform/ini_document.h"

#include "platform/ascii_case.h"
#include "platform/trim.h"

namespace vornelle::platform {

namespace {

bool IsQuoted(std::string_view v) {
  return v.size() >= 2 && v.front() == v.back() && (v.front() == '"' || v.front() == '\'');
}

// Quotes only what reading would otherwise strip, so every value reads back as written.
std::string KeyLine(std::string_view key, std::string_view value) {
  const bool quote = !value.empty() && (TrimBlanksAndTabs(value).size() != value.size() || IsQuoted(value));
  return std::string(key) + "=" + (quote ? "\"" + std::string(value) + "\"" : std::string(value));
}

}  // namespace

IniDocument::IniDocument(std::string bytes, bool complete) : text_(std::move(bytes), complete) {
  std::size_t current = std::string::npos;  // the section whose keys count, if any
  for (std::size_t i = 0; i < text_.lines().size(); ++i) {
    const std::string decoded = text_.Decode(text_.lines()[i]);
    const std::string_view line = TrimBlanksAndTabs(decoded);
    Line& entry = lines_.emplace_back();
    entry.blank = line.empty();
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;
    if (line.front() == '[') {
      const std::string_view name = TrimBlanksAndTabs(line.substr(1, line.find(']') - 1));
      const auto [at, fresh] = section_at_.emplace(AsciiLowered(name), sections_.size());
      // Only the first section of a name counts; the keys of a later one are not its own.
      current = fresh ? at->second : std::string::npos;
      if (fresh) sections_.push_back({std::string(name), i, i, {}, {}, {}});
      continue;
    }
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos || current == std::string::npos) continue;
    Section& section = sections_[current];
    section.last_line = i;
    const std::string_view key = TrimBlanksAndTabs(line.substr(0, eq));
    if (section.keys.emplace(AsciiLowered(key), i).second) {
      entry.key = key;
      entry.value = TrimBlanksAndTabs(line.substr(eq + 1));
    }
  }
}

const IniDocument::Section* IniDocument::FindSection(std::string_view name) const {
  const auto at = section_at_.find(AsciiLowered(TrimBlanksAndTabs(name)));
  return at == section_at_.end() ? nullptr : &sections_[at->second];
}

std::optional<std::string> IniDocument::Find(std::string_view section, std::string_view key) const {
  const Section* s = FindSection(section);
  if (s == nullptr || !s->header) return std::nullopt;
  const auto at = s->keys.find(AsciiLowered(TrimBlanksAndTabs(key)));
  if (at == s->keys.end()) return std::nullopt;
  const std::string_view value = lines_[at->second].value;
  return std::string(IsQuoted(value) ? value.substr(1, value.size() - 2) : value);
}

std::string IniDocument::Refusal(std::string_view section, std::string_view key, std::string_view value) {
  section = TrimBlanksAndTabs(section);
  key = TrimBlanksAndTabs(key);
  if (section.empty()) return "the section name is empty";
  if (key.empty()) return "the key name is empty";
  if (section.find_first_of("]\r\n") != std::string_view::npos) return "the section name holds ']' or a line break";
  if (key.find_first_of("=\r\n") != std::string_view::npos) return "the key name holds '=' or a line break";
  if (key.front() == ';' || key.front() == '#' || key.front() == '[') {
    return "the key name starts with ';', '#' or '['";
  }
  if (!IsUtf8(section) || !IsUtf8(key)) return "a name is not UTF-8 text";
  if (value.find_first_of("\r\n") != std::string_view::npos) return "the value holds a line break";
  if (!IsUtf8(value)) return "the value is not UTF-8 text";
  return {};
}

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  section = TrimBlanksAndTabs(section);
  key = TrimBlanksAndTabs(key);
  const auto [at, fresh] = section_at_.emplace(AsciiLowered(section), sections_.size());
  if (fresh) sections_.push_back({std::string(section), std::nullopt, 0, {}, {}, {}});
  Section& s = sections_[at->second];
  const std::string folded = AsciiLowered(key);
  if (const auto line = s.keys.find(folded); line != s.keys.end()) {
    replaced_[line->second] = value;
    return;
  }
  const auto [added, new_key] = s.added_at.emplace(folded, s.added.size());
  if (new_key) {
    s.added.emplace_back(key, value);
  } else {
    s.added[added->second].second = value;
  }
}

void IniDocument::AppendLine(std::string_view utf8, std::string* out) const {
  out->append(text_.Encode(utf8)).append(text_.eol());
}

std::string IniDocument::Bytes() const {
  std::unordered_map<std::size_t, const Section*> added_after;
  bool new_sections = false;
  for (const Section& s : sections_) {
    if (!s.header) new_sections = true;
    if (s.header && !s.added.empty()) added_after[s.last_line] = &s;
  }

  std::string out(text_.prefix());
  const auto& lines = text_.lines();
  bool last_blank = true;  // the last line written, or none yet
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const auto replaced = replaced_.find(i);
    out.append(replaced == replaced_.end() ? text_.Raw(lines[i])
                                           : text_.Encode(KeyLine(lines_[i].key, replaced->second)));
    const auto added = added_after.find(i);
    const bool followed = added != added_after.end() || (i + 1 == lines.size() && new_sections);
    // A last line without a line end gets one when a line follows it now.
    out.append(lines[i].eol_length == 0 && followed ? text_.eol() : text_.RawEol(lines[i]));
    last_blank = lines_[i].blank && replaced == replaced_.end();
    if (added == added_after.end()) continue;
    for (const auto& [key, value] : added->second->added) AppendLine(KeyLine(key, value), &out);
    last_blank = false;
  }
  for (const Section& s : sections_) {
    if (s.header) continue;
    if (!last_blank) out.append(text_.eol());  // a blank line before a new section
    AppendLine("[" + s.name + "]", &out);
    for (const auto& [key, value] : s.added) AppendLine(KeyLine(key, value), &out);
    last_blank = false;
  }
  return out.append(text_.suffix());
}

}  // namespace vornelle::platform
