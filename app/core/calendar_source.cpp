#include "app/core/calendar_source.h"

#include <cctype>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>

#include "app/core/text_lines.h"
#include "app/core/theme_source.h"

namespace vornelle::app {

namespace {

constexpr int kMaxDepth = 8;
const char* const kSharedFolders[] = {"/etc/calendar", "/usr/share/calendar"};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// 1 to 12 for a word the utility takes for a month (its first three letters name one, in any
// case: "Jun", "June", "jun."), 0 otherwise.
int MonthOf(std::string_view word) {
  static const char* const kMonths[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                        "jul", "aug", "sep", "oct", "nov", "dec"};
  if (word.size() < 3) return 0;
  for (int m = 0; m < 12; ++m) {
    bool same = true;
    for (int i = 0; i < 3; ++i)
      same = same && std::tolower(static_cast<unsigned char>(word[i])) == kMonths[m][i];
    if (same) return m + 1;
  }
  return 0;
}

// A field of a date: a number, a word (with a "+2" or "-1" after it, as weekday rules have),
// or "*".
struct Field {
  enum Kind { kNumber, kWord, kStar } kind;
  int number = 0;
  std::string_view word;
};

std::vector<Field> Fields(std::string_view date) {
  std::vector<Field> fields;
  std::size_t i = 0;
  const auto digit = [&] { return i < date.size() && std::isdigit(static_cast<unsigned char>(date[i])); };
  const auto letter = [&] { return i < date.size() && std::isalpha(static_cast<unsigned char>(date[i])); };
  while (i < date.size()) {
    const std::size_t start = i;
    if (date[i] == '*') {
      fields.push_back({Field::kStar, 0, {}});
      ++i;
    } else if (digit()) {
      int number = 0;
      while (digit()) number = std::min(number * 10 + (date[i++] - '0'), 1000);
      fields.push_back({Field::kNumber, number, {}});
    } else if (letter()) {
      while (letter()) ++i;
      if (i < date.size() && (date[i] == '+' || date[i] == '-')) {
        ++i;
        while (digit()) ++i;
      }
      fields.push_back({Field::kWord, 0, date.substr(start, i - start)});
    } else {
      ++i;
    }
  }
  return fields;
}

struct ParseState {
  std::set<std::string> read;  // files read already
  CalendarSource source;
  // The event continuation lines go on: none after a line the utility shows nothing of.
  std::size_t event = kNoEvent;
  static constexpr std::size_t kNoEvent = static_cast<std::size_t>(-1);

  // True the first time a file is met, by whatever path it is named.
  bool FirstRead(const std::string& path) {
    std::error_code ignored;
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(path, ignored);
    return read.insert(canonical.empty() ? path : canonical.string()).second;
  }
};

std::optional<std::string> FindInclude(const std::string& name, const std::string& from,
                                       const FileReader& read, std::string* found) {
  std::vector<std::filesystem::path> candidates;
  if (std::filesystem::path(name).is_absolute()) {
    candidates.push_back(name);
  } else {
    candidates.push_back(std::filesystem::path(from).parent_path() / name);
    for (const char* folder : kSharedFolders) candidates.push_back(std::filesystem::path(folder) / name);
  }
  for (const std::filesystem::path& candidate : candidates)
    if (std::optional<std::string> text = read(candidate.string())) {
      *found = candidate.string();
      return text;
    }
  return std::nullopt;
}

void ReadFile(const std::string& path, std::string_view text, int depth, const FileReader& read,
              ParseState& state);

// "#include <name>" or "#include "name"": the file read in place of the line.
void Include(std::string_view directive, const std::string& path, const std::string& where, int depth,
             const FileReader& read, ParseState& state) {
  const std::size_t open = directive.find_first_of("<\"");
  const std::size_t close = open == std::string_view::npos ? open : directive.find_first_of(">\"", open + 1);
  if (close == std::string_view::npos) {
    state.source.errors.push_back(where + "an #include names no file");
    return;
  }
  const std::string name(directive.substr(open + 1, close - open - 1));
  std::string found;
  const std::optional<std::string> included = FindInclude(name, path, read, &found);
  if (!included) {
    state.source.errors.push_back(where + "#include " + name + ": no such file beside it, in " +
                                  kSharedFolders[0] + " or in " + kSharedFolders[1]);
    return;
  }
  if (depth + 1 >= kMaxDepth) {
    state.source.errors.push_back(where + "#include " + name + ": files included more than " +
                                  std::to_string(kMaxDepth) + " deep");
    return;
  }
  if (state.FirstRead(found))
    ReadFile(found, *included, depth + 1, read, state);
}

void ReadFile(const std::string& path, std::string_view text, int depth, const FileReader& read,
              ParseState& state) {
  bool in_comment = false;
  int number = 0;
  while (!text.empty()) {
    const std::string_view raw = TakeLine(text);
    ++number;
    const std::string where = path + ": line " + std::to_string(number) + ": ";

    // C comments, wherever they start and end, go as the preprocessor takes them away.
    std::string line;
    for (std::size_t i = 0; i < raw.size(); ++i) {
      if (in_comment) {
        if (raw.compare(i, 2, "*/") == 0) in_comment = false, ++i;
      } else if (raw.compare(i, 2, "/*") == 0) {
        in_comment = true, ++i;
      } else {
        line += raw[i];
      }
    }
    while (!line.empty() && IsBlank(line.back())) line.pop_back();
    if (line.empty()) continue;
    const std::string_view start = Trimmed(line);
    if (start.front() == '#') {
      std::string_view directive = Trimmed(start.substr(1));
      if (directive.substr(0, 7) == "include") Include(directive.substr(7), path, where, depth, read, state);
      continue;
    }
    if (line.compare(0, 5, "LANG=") == 0 || line.compare(0, 9, "CALENDAR=") == 0) continue;
    if (line.front() == '\t') {
      if (state.event != ParseState::kNoEvent)
        state.source.events[state.event].lines.push_back({std::string(Trimmed(line)), number});
      continue;
    }
    const std::size_t tab = line.find('\t');
    state.event = ParseState::kNoEvent;
    if (tab == std::string::npos) continue;  // the utility shows no line without a tab
    const std::optional<std::string> key = CalendarDateKey(std::string_view(line).substr(0, tab));
    if (!key) {
      ++state.source.unfixed;
      continue;
    }
    state.source.events.push_back({*key, path, {{std::string(Trimmed(std::string_view(line).substr(tab))), number}}});
    state.event = state.source.events.size() - 1;
  }
}

}  // namespace

std::optional<std::string> CalendarDateKey(std::string_view date) {
  const std::vector<Field> fields = Fields(date);
  if (fields.empty()) return std::nullopt;
  const Field& first = fields[0];
  const Field* second = fields.size() > 1 ? &fields[1] : nullptr;
  const auto month_word = [](const Field* f) { return f && f->kind == Field::kWord ? MonthOf(f->word) : 0; };
  int month = 0, day = 0;
  if (month_word(&first)) {
    // A month alone is its first day; so is a day 0, as the utility has it.
    if (second && second->kind != Field::kNumber) return std::nullopt;
    month = month_word(&first);
    day = second && second->number ? second->number : 1;
  } else if (first.kind == Field::kNumber && month_word(second)) {
    month = month_word(second);
    day = first.number;
  } else if (first.kind == Field::kNumber && second && second->kind == Field::kNumber) {
    // Two numbers are month and day, unless the first cannot be a month.
    month = first.number > 12 ? second->number : first.number;
    day = first.number > 12 ? first.number : (second->number ? second->number : 1);
  } else {
    return std::nullopt;
  }
  if (month < 1 || month > 12 || day < 1 || day > 31) return std::nullopt;
  char key[8];
  std::snprintf(key, sizeof key, "%02d%02d", month, day);
  if (!IsThemeKey(key)) return std::nullopt;
  return std::string(key);
}

CalendarSource ParseCalendar(const std::string& path, const FileReader& read) {
  ParseState state;
  const std::optional<std::string> text = read(path);
  if (!text) {
    state.source.errors.push_back(path + ": cannot be read");
    return state.source;
  }
  state.FirstRead(path);
  ReadFile(path, *text, 0, read, state);
  return std::move(state.source);
}

}  // namespace vornelle::app
