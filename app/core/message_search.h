#pragma once
// Finding messages: which days of which themes hold a text, as the calendar would show them.
// For each day a theme holds, only its first record counts (deleted or not), never the
// description or a second record for the day. Matching ignores case and accents ("cafe" finds
// "Café"), over the whole of each message as the theme's code page reads. A theme is read once, in a work
// area of its own, and again only after its table changed; searches then run over the texts
// held in memory.

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vornelle::app {

// One theme's texts as a search reads them, in UTF-8.
struct ThemeTexts {
  std::string description;  // the first line of the 9999 record
  struct Day {
    std::string key;                 // "MMDD"
    std::vector<std::string> lines;  // the day's first record's message, every line of it
  };
  std::vector<Day> days;  // in calendar order
};

// Reads the theme table `theme` (a file name as the calendar opens it). What the engine cannot
// read is raised to the caller, whatever the program's switches; a table without a character
// THEDATE and a memo THEJOKE, or one that holds fewer records than its header counts, raises
// platform::Exception.
ThemeTexts ReadThemeTexts(const std::string& theme);

struct SearchHit {
  std::string theme;        // as given
  std::string description;  // UTF-8
  std::string key;          // "MMDD"
  std::string line;         // UTF-8: the first line of the message that holds the text
  std::size_t match_begin = 0, match_length = 0;  // the match, in bytes of `line`
};

// How a text is matched: by default anywhere, in any case, accents ignored. Whole words: only
// where no letter or digit stands right before or after it (on a side where the text itself
// begins or ends with one). Match case: capitals only where the text has them, accents still
// ignored ("Cafe" finds "Café", not "café").
struct SearchOptions {
  bool whole_words = false;
  bool match_case = false;
  bool operator==(const SearchOptions&) const = default;
};

// What the text is searched as: folded as every message is (platform/search_fold.h); nothing
// when it is empty.
std::optional<std::u32string> SearchKey(std::string_view text_utf8, const SearchOptions& options = {});
// A line folded as SearchKey folds the text for `options`.
std::u32string FoldedLine(std::string_view line_utf8, const SearchOptions& options);
// Where `key` stands in the folded `line` at or after character `from`: a character offset, or
// npos.
std::size_t FindKey(std::u32string_view line, std::u32string_view key, bool whole_words, std::size_t from = 0);

class MessageSearch {
 public:
  // The hits of `text_utf8` in `themes`, in theme order and then calendar order.
  std::vector<SearchHit> Find(const std::vector<std::string>& themes, std::string_view text_utf8,
                              const SearchOptions& options = {});
  // One theme's hits for a key SearchKey made with the same `options`, added to `hits`: for a
  // caller that lets its window breathe between themes.
  void FindInTheme(const std::string& theme, const std::u32string& key, std::vector<SearchHit>& hits,
                   const SearchOptions& options = {});

 private:
  struct Cached {
    std::filesystem::file_time_type modified;
    std::uintmax_t size = 0;
    ThemeTexts texts;
    std::vector<std::vector<std::u32string>> folded;  // each day's lines, folded
    std::vector<std::vector<std::u32string>> cased;   // the same keeping case, when first asked for
  };
  Cached& Load(const std::string& theme);

  std::map<std::string, Cached> cache_;  // by the table's full path
};

}  // namespace vornelle::app
