#include "themes/calendar_source.h"

#include <cctype>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>

#include "themes/text_lines.h"
#include "themes/theme_source.h"
#include "platform/trim.h"

namespace vornelle::themes {

namespace {

constexpr int kMaxDepth = 8;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

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
  std::set<std::string> read;  // the files read already, as CalendarFiles::Locate found them
  CalendarSource source;
  // The event continuation lines go on: none after a line the utility shows nothing of.
  std::size_t event = kNoEvent;
  static constexpr std::size_t kNoEvent = static_cast<std::size_t>(-1);
};

// `name` as a path below a folder, or nothing when it names no file there: a ".." climbing
// above the folder, a NUL (the system would read the name only up to it).
std::optional<std::filesystem::path> Below(std::string_view name) {
  if (name.find('\0') != std::string_view::npos) return std::nullopt;
  std::filesystem::path below;
  int depth = 0;
  while (!name.empty()) {
    const std::size_t slash = name.find('/');
    const std::string_view part = name.substr(0, slash);
    name.remove_prefix(slash == std::string_view::npos ? name.size() : slash + 1);
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (--depth < 0) return std::nullopt;
      below = below.parent_path();
      continue;
    }
    ++depth;
    below /= std::string(part);
  }
  if (below.empty()) return std::nullopt;
  return below;
}

void ReadFile(const std::string& path, std::string_view text, int depth, CalendarFiles& files, ParseState& state);

// "#include <name>" or "#include "name"": the file read in place of the line.
void Include(std::string_view directive, const std::string& path, const std::string& where, int depth,
             CalendarFiles& files, ParseState& state) {
  const std::size_t open = directive.find_first_of("<\"");
  const std::size_t close = open == std::string_view::npos ? open : directive.find_first_of(">\"", open + 1);
  if (close == std::string_view::npos) {
    state.source.errors.push_back(where + "an #include names no file");
    return;
  }
  const std::string name(directive.substr(open + 1, close - open - 1));
  const std::string include = where + "#include " + name + ": ";
  const std::vector<IncludePlace> places = IncludePlaces(name, path);
  // Said the same whether or not such a file exists: that is none of the file's business.
  if (places.empty()) {
    state.source.errors.push_back(include + "refused: only files beside " + path + ", in " + kSharedCalendarFolders[0] +
                                  " or in " + kSharedCalendarFolders[1] + " are read");
    return;
  }
  if (depth + 1 >= kMaxDepth) {
    state.source.errors.push_back(include + "files included more than " + std::to_string(kMaxDepth) + " deep");
    return;
  }
  for (const IncludePlace& place : places) {
    const CalendarFiles::Found found = files.Locate(place.path, place.folder);
    if (found.outcome == CalendarFiles::Found::kMissing) continue;
    if (found.outcome == CalendarFiles::Found::kRefused) {
      state.source.errors.push_back(include + "refused: " + found.problem);
      return;
    }
    std::string problem = found.problem;
    if (found.outcome == CalendarFiles::Found::kFound) {
      if (!state.read.insert(found.file).second) return;  // read already
      if (const std::optional<std::string> text = files.Read(found.file, problem)) {
        ReadFile(place.path, *text, depth + 1, files, state);
        return;
      }
    }
    state.source.errors.push_back(include + place.path + ": " + problem);
    return;
  }
  state.source.errors.push_back(include + "no such file beside it, in " + kSharedCalendarFolders[0] + " or in " +
                                kSharedCalendarFolders[1]);
}

void ReadFile(const std::string& path, std::string_view text, int depth, CalendarFiles& files, ParseState& state) {
  const std::size_t file = state.source.files.size();
  state.source.files.push_back(path);
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
    const std::string_view start = platform::TrimControls(line);
    if (start.front() == '#') {
      std::string_view directive = platform::TrimControls(start.substr(1));
      if (directive.substr(0, 7) == "include") Include(directive.substr(7), path, where, depth, files, state);
      continue;
    }
    if (line.compare(0, 5, "LANG=") == 0 || line.compare(0, 9, "CALENDAR=") == 0) continue;
    if (line.front() == '\t') {
      if (state.event != ParseState::kNoEvent)
        state.source.events[state.event].lines.push_back({std::string(platform::TrimControls(line)), number});
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
    state.source.events.push_back({*key, file, {{std::string(platform::TrimControls(std::string_view(line).substr(tab))), number}}});
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

std::vector<IncludePlace> IncludePlaces(std::string_view name, const std::string& from) {
  namespace fs = std::filesystem;
  std::vector<IncludePlace> places;
  if (!name.empty() && name.front() == '/') {
    for (const std::string_view folder : kSharedCalendarFolders) {
      if (name.size() <= folder.size() || name.substr(0, folder.size()) != folder || name[folder.size()] != '/')
        continue;
      if (const std::optional<fs::path> below = Below(name.substr(folder.size() + 1)))
        places.push_back({(fs::path(folder) / *below).string(), std::string(folder)});
    }
    return places;
  }
  const std::optional<fs::path> below = Below(name);
  if (!below) return places;
  std::string beside = fs::path(from).parent_path().string();
  if (beside.empty()) beside = ".";
  places.push_back({(fs::path(beside) / *below).string(), beside});
  for (const char* folder : kSharedCalendarFolders) places.push_back({(fs::path(folder) / *below).string(), folder});
  return places;
}

CalendarSource ParseCalendar(const std::string& path, CalendarFiles& files) {
  ParseState state;
  const CalendarFiles::Found found = files.Locate(path, "");
  std::string problem = found.outcome == CalendarFiles::Found::kMissing ? "no such file" : found.problem;
  std::optional<std::string> text;
  if (found.outcome == CalendarFiles::Found::kFound) text = files.Read(found.file, problem);
  if (!text) {
    state.source.errors.push_back(path + ": " + problem);
    return state.source;
  }
  state.read.insert(found.file);
  ReadFile(path, *text, 0, files, state);
  return std::move(state.source);
}

}  // namespace vornelle::themes
