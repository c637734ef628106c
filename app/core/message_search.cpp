#include "app/core/message_search.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "app/core/day_lookup.h"
#include "app/core/theme_catalogue.h"
#include "themes/theme_damage.h"
#include "themes/theme_source.h"
#include "engine/engine.h"
#include "engine/memo.h"
#include "engine/scoped_work_area.h"
#include "themes/theme_text.h"
#include "platform/search_fold.h"
#include "platform/exception.h"
#include "platform/file.h"

namespace vornelle::app {

ThemeTexts ReadThemeTexts(const std::string& theme) {
  ThemeTexts texts;
  // A theme that cannot be read is the caller's to name, never the end of the program.
  const engine::RaisingErrors raising;
  engine::ScopedWorkArea area;
  // Reading only, beside any writer, and a scan: records are read ahead, many to a read. They
  // are taken as stored, and the messages decoded from the theme's code page below.
  engine::Switches().oem = false;
  engine::Switches().open_mode_override = platform::mode::kReadOnly | platform::mode::kDenyNone;
  engine::UseTable(ThemeTablePath(theme), {false, "", /*sequential=*/true});
  if (!themes::HasThemeFields()) throw platform::Exception(theme + themes::kNoThemeTableText);
  // What the header promises and the file does not hold may be any day's message; the scan
  // would stop at the first record missing.
  if (const std::string missing = themes::MissingRecordsProblem(); !missing.empty())
    throw platform::Exception(theme + ": " + missing);
  const int date = engine::FieldNo("THEDATE");
  const int joke = engine::FieldNo("THEJOKE");
  platform::TextCodec& codec = themes::CurrentThemeCodec();
  std::string stored;
  std::array<bool, 10000> seen{};  // by key, so that only a day's first record is read
  for (engine::GoTop(); !engine::dEOF(); engine::Skip(1)) {
    const int32_t n = engine::RecNo();
    const char* field = engine::FieldAddress(date);
    std::string_view key(field + 1, static_cast<uint8_t>(field[0]));
    key = key.substr(0, key.find_last_not_of(' ') + 1);
    if (!themes::IsThemeKey(key)) continue;
    bool& read = seen[static_cast<std::size_t>((key[0] - '0') * 1000 + (key[1] - '0') * 100 +
                                               (key[2] - '0') * 10 + (key[3] - '0'))];
    if (read) continue;
    read = true;
    int32_t block = 0;
    std::memcpy(&block, engine::FieldAddress(joke), 4);
    std::vector<std::string> lines;
    if (block != 0) {
      if (!engine::ReadShownMemo(block, stored))
        throw platform::EInOutError(theme + ": record " + std::to_string(n) + ": the memo cannot be read", 100);
      lines = themes::ThemeLines(codec, stored);
    }
    if (key == kDescriptionKey)
      texts.description = lines.empty() ? std::string() : lines.front();
    else
      texts.days.push_back({std::string(key), std::move(lines)});
  }
  std::sort(texts.days.begin(), texts.days.end(),
            [](const ThemeTexts::Day& a, const ThemeTexts::Day& b) { return a.key < b.key; });
  return texts;
}

std::optional<std::u32string> SearchKey(std::string_view text_utf8, const SearchOptions& options) {
  if (text_utf8.empty()) return std::nullopt;
  return FoldedLine(text_utf8, options);
}

std::u32string FoldedLine(std::string_view line_utf8, const SearchOptions& options) {
  return platform::FoldedForSearch(line_utf8, options.match_case);
}

std::size_t FindKey(std::u32string_view line, std::u32string_view key, bool whole_words, std::size_t from) {
  if (key.empty()) return std::u32string_view::npos;
  // A side of the text that is no word character ("moon.") may touch a word.
  const bool word_before = whole_words && platform::IsWordCharacter(key.front());
  const bool word_after = whole_words && platform::IsWordCharacter(key.back());
  for (std::size_t at = line.find(key, from); at != std::u32string_view::npos; at = line.find(key, at + 1)) {
    const std::size_t end = at + key.size();
    if (word_before && at > 0 && platform::IsWordCharacter(line[at - 1])) continue;
    if (word_after && end < line.size() && platform::IsWordCharacter(line[end])) continue;
    return at;
  }
  return std::u32string_view::npos;
}

MessageSearch::Cached& MessageSearch::Load(const std::string& theme) {
  const std::string path = ThemeTablePath(theme);
  std::error_code error;
  const auto modified = std::filesystem::last_write_time(path, error);
  const auto size = std::filesystem::file_size(path, error);
  auto kept = cache_.find(path);
  if (kept != cache_.end() && !error && kept->second.modified == modified && kept->second.size == size)
    return kept->second;
  Cached cached{modified, size, ReadThemeTexts(theme), {}, {}};
  for (const ThemeTexts::Day& day : cached.texts.days) {
    std::vector<std::u32string>& folded = cached.folded.emplace_back();
    for (const std::string& line : day.lines) folded.push_back(platform::FoldedForSearch(line));
  }
  return cache_[path] = std::move(cached);
}

void MessageSearch::FindInTheme(const std::string& theme, const std::u32string& key, std::vector<SearchHit>& hits,
                                const SearchOptions& options) {
  Cached& cached = Load(theme);
  if (options.match_case && cached.cased.empty())
    for (const ThemeTexts::Day& day : cached.texts.days) {
      std::vector<std::u32string>& cased = cached.cased.emplace_back();
      for (const std::string& line : day.lines) cased.push_back(FoldedLine(line, options));
    }
  const auto& days = options.match_case ? cached.cased : cached.folded;
  for (std::size_t d = 0; d < days.size(); ++d) {
    const std::vector<std::u32string>& folded = days[d];
    for (std::size_t l = 0; l < folded.size(); ++l) {
      const std::size_t at = FindKey(folded[l], key, options.whole_words);
      if (at == std::u32string::npos) continue;
      // Folding keeps one code point for each character: the match's place in the line.
      const std::string& line = cached.texts.days[d].lines[l];
      const std::size_t begin = platform::ByteOffsetOfCharacter(line, at);
      const std::size_t end = platform::ByteOffsetOfCharacter(line, at + key.size());
      hits.push_back({theme, cached.texts.description, cached.texts.days[d].key, line, begin, end - begin});
      break;  // a day is found once, at its first line that holds the text
    }
  }
}

std::vector<SearchHit> MessageSearch::Find(const std::vector<std::string>& themes, std::string_view text_utf8,
                                           const SearchOptions& options) {
  std::vector<SearchHit> hits;
  const std::optional<std::u32string> key = SearchKey(text_utf8, options);
  if (!key) return hits;
  for (const std::string& theme : themes) FindInTheme(theme, *key, hits, options);
  return hits;
}

}  // namespace vornelle::app
