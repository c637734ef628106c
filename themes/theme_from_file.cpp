#include "themes/theme_from_file.h"

#include <algorithm>
#include <filesystem>
#include <map>

#include "themes/calendar_source.h"
#include "themes/fortune_source.h"
#include "themes/icalendar_source.h"
#include "themes/source_files.h"
#include "themes/theme_source.h"
#include "themes/theme_text.h"
#include "themes/theme_files.h"
#include "engine/errors.h"
#include "engine/memo_types.h"
#include "platform/ascii_case.h"
#include "themes/theme_error.h"

namespace vornelle::themes {

namespace {

constexpr const char* kCannotHold = "a character the tables' code page (DOS 437) cannot hold: ";

std::string ReadText(const std::string& path) {
  SourceFiles files;
  const CalendarFiles::Found found = files.Locate(path, "");
  std::string problem = found.outcome == CalendarFiles::Found::kMissing ? "no such file" : found.problem;
  std::optional<std::string> text;
  if (found.outcome == CalendarFiles::Found::kFound) text = files.Read(found.file, problem);
  if (!text) throw ThemeError(path + ": cannot be read: " + problem);
  return std::move(*text);
}

// Names the line `number` of `file` when the tables' code page cannot hold its text.
void CheckLine(const std::string& text, const std::string& file, int number, ThemeFromFile& theme) {
  if (const std::string missing = CharacterThePageLacks(NewThemeCodec(), text); !missing.empty())
    theme.problems.push_back(file + ": line " + std::to_string(number) + ": " + kCannotHold + missing);
}

ThemeFromFile FromText(const std::string& path) {
  const ThemeSource source = ParseThemeSource(ReadText(path));
  ThemeFromFile theme;
  for (const std::string& error : source.errors) theme.problems.push_back(path + ": " + error);
  std::map<std::string, int> first_line;
  for (const ThemeSourceRecord& record : source.records) {
    if (auto [at, fresh] = first_line.emplace(record.key, record.line_number); !fresh)
      theme.problems.push_back(path + ": line " + std::to_string(record.line_number) + ": a second record for " +
                               record.key + " (the first is on line " + std::to_string(at->second) + ")");
    for (std::size_t i = 0; i < record.lines.size(); ++i)
      CheckLine(record.lines[i], path, record.line_number + 1 + static_cast<int>(i), theme);
    theme.rows.push_back({0, record.key, record.lines, false});
  }
  return theme;
}

// One record a day in calendar order, each event of the day a paragraph, in file order.
void AddDays(const std::vector<CalendarEvent>& events, const std::vector<std::string>& files, ThemeFromFile& theme) {
  std::map<std::string, std::vector<std::string>> days;
  for (const CalendarEvent& event : events) {
    std::vector<std::string>& lines = days[event.key];
    if (!lines.empty()) lines.emplace_back();
    for (const CalendarLine& line : event.lines) {
      CheckLine(line.text, files[event.file], line.number, theme);
      lines.push_back(line.text);
    }
  }
  for (auto& [key, lines] : days) theme.rows.push_back({0, key, std::move(lines), false});
}

// "N things were left out (why)" for a count that is not 0.
void LeftOut(const std::string& path, int count, const char* one, const char* many, const char* why,
             ThemeFromFile& theme) {
  if (count > 0)
    theme.warnings.push_back(path + ": " + std::to_string(count) + " " + (count == 1 ? one : many) + " left out (" +
                             why + ")");
}

ThemeFromFile FromCalendar(const std::string& path) {
  SourceFiles files;
  const CalendarSource source = ParseCalendar(path, files);
  ThemeFromFile theme;
  theme.problems = source.errors;
  AddDays(source.events, source.files, theme);
  LeftOut(path, source.unfixed, "date a fixed day cannot hold was", "dates a fixed day cannot hold were",
          "weekday rules, Easter, \"*\"", theme);
  if (theme.rows.empty() && source.errors.empty()) theme.problems.push_back(path + ": no event on a fixed day");
  return theme;
}

// The calendar's events on their days; its name, when it has one, describes the theme.
ThemeFromFile FromICalendar(const std::string& path) {
  const ICalendarSource source = ParseICalendar(ReadText(path));
  ThemeFromFile theme;
  for (const std::string& error : source.errors) theme.problems.push_back(path + ": " + error);
  AddDays(source.events, {path}, theme);
  if (!source.name.empty()) {
    CheckLine(source.name, path, source.name_line, theme);
    theme.rows.insert(theme.rows.begin(), {0, kDescriptionKey, {source.name}, false});
  }
  LeftOut(path, source.undated, "event without a date was", "events without a date were", "no DTSTART", theme);
  LeftOut(path, source.textless, "event without text was", "events without text were", "no SUMMARY or DESCRIPTION",
          theme);
  LeftOut(path, source.unfixed, "yearly event on no fixed day was", "yearly events on no fixed day were",
          "weekday rules", theme);
  LeftOut(path, source.overrides, "change to one occurrence was", "changes to one occurrence were",
          "RECURRENCE-ID", theme);
  if (source.events.empty() && source.errors.empty()) theme.problems.push_back(path + ": no event with a date");
  return theme;
}

// The sayings on the days from `start` on, 0229 included.
ThemeFromFile FromFortunes(const std::string& path, const std::string& start) {
  const std::vector<Saying> sayings = ParseFortunes(ReadText(path));
  const std::vector<std::string> keys = LeapYearDayKeys();
  std::size_t day = static_cast<std::size_t>(std::find(keys.begin(), keys.end(), start) - keys.begin());
  ThemeFromFile theme;
  for (const Saying& saying : sayings) {
    for (std::size_t i = 0; i < saying.lines.size(); ++i)
      CheckLine(saying.lines[i], path, saying.line_number + static_cast<int>(i), theme);
    if (day < keys.size()) theme.rows.push_back({0, keys[day++], saying.lines, false});
  }
  if (sayings.size() > theme.rows.size()) {
    const std::size_t left = sayings.size() - theme.rows.size();
    theme.warnings.push_back(path + ": " + std::to_string(left) + (left == 1 ? " saying" : " sayings") +
                             " past 1231 left out");
  }
  if (sayings.empty()) theme.problems.push_back(path + ": no sayings");
  return theme;
}

}  // namespace

ThemeFromFile ReadThemeFromFile(const std::string& from, const std::string& source, const std::string& start,
                                const std::optional<std::string>& description) {
  ThemeFromFile theme = from == "calendar" ? FromCalendar(source)
                        : from == "ics"     ? FromICalendar(source)
                        : from == "fortune" ? FromFortunes(source, start)
                                            : FromText(source);
  const auto own = std::find_if(theme.rows.begin(), theme.rows.end(),
                                [](const ThemeRow& row) { return row.key == "9999"; });
  if (description || (own == theme.rows.end() && from != "text")) {
    const std::string text = description.value_or(std::filesystem::path(source).filename().string());
    if (const std::string missing = CharacterThePageLacks(NewThemeCodec(), text); !missing.empty())
      theme.problems.push_back((description ? std::string("--description") : source + ": its name") + ": " +
                               kCannotHold + missing);
    if (own != theme.rows.end())
      own->lines = {text};
    else
      theme.rows.insert(theme.rows.begin(), {0, "9999", {text}, false});
  } else if (own == theme.rows.end()) {
    theme.problems.push_back(source + ": no description record (@9999)");
  }
  return theme;
}

NewTheme MakeNewTheme(const std::string& file, const std::string& description, const std::string& source,
                      const std::string& from, const std::string& start) {
  NewTheme made;
  made.file = NewThemeFile(file);
  if (const std::string problem = NewThemeNameProblem(file); !problem.empty())
    made.problems.push_back("\"" + file + "\": " + problem);
  else if (std::filesystem::exists(ThemeTablePath(made.file)))
    made.problems.push_back(made.file + ": a theme of that name exists; choose another name");
  ThemeFromFile theme;
  if (source.empty()) {
    theme.rows.push_back({0, kDescriptionKey, {description}, false});
    if (const std::string missing = CharacterThePageLacks(NewThemeCodec(), description); !missing.empty())
      theme.problems.push_back(std::string("the description: ") + kCannotHold + missing);
  } else {
    theme = ReadThemeFromFile(from, source, start,
                              description.empty() ? std::nullopt : std::optional<std::string>(description));
  }
  made.problems.insert(made.problems.end(), theme.problems.begin(), theme.problems.end());
  made.warnings = std::move(theme.warnings);
  if (!made.problems.empty()) return made;
  // The editor calls this with the calendar's switches: a failure is the caller's to show.
  const engine::RaisingErrors raising;
  for (const ThemeRow& row : theme.rows)
    if (row.key == kDescriptionKey && !row.lines.empty()) made.description = row.lines.front();
  WriteThemeTable(made.file, engine::kMemoDbase4, theme.rows, /*replace=*/false);
  return made;
}

}  // namespace vornelle::themes
