// vornelle-db theme export | import | check: themes as plain text (and made from calendar and
// fortune files), and what the calendar would make of a theme table.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>

#include "app/core/calendar_source.h"
#include "app/core/fortune_source.h"
#include "app/core/theme_source.h"
#include "engine/engine.h"
#include "platform/codepage.h"
#include "tools/db/cli.h"
#include "tools/db/commands.h"
#include "tools/db/output.h"
#include "tools/db/session.h"
#include "tools/db/theme_table.h"

namespace vornelle::tools {

namespace {

// The 366 day keys of a leap year.
std::vector<std::string> DayKeys() {
  std::vector<std::string> keys;
  for (int m = 1; m <= 12; ++m)
    for (int d = 1; d <= 31; ++d) {
      char key[8];
      std::snprintf(key, sizeof key, "%02d%02d", m, d);
      if (app::IsThemeKey(key)) keys.push_back(key);
    }
  return keys;
}

// A message line as the text form writes it: a "\" in front of a line that would otherwise
// read as a record, a comment or an escape.
std::string Escaped(const std::string& line) {
  if (!line.empty() && (line[0] == '@' || line[0] == '#' || line[0] == '\\')) return "\\" + line;
  return line;
}

// Text the tables' code page can hold without change.
bool FitsTheTables(const std::string& utf8) {
  const std::string ansi = platform::Utf8ToAnsi(utf8);
  return platform::AnsiToUtf8(ansi) == utf8 && platform::OemToAnsi(platform::AnsiToOem(ansi)) == ansi;
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw ToolError(path + ": cannot be read");
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

int Export(const Args& args) {
  args.Expect(2, 2);
  const std::string& table = args.positional()[1];
  std::ostringstream out;
  out << "# " << std::filesystem::path(table).filename().string() << ", as vornelle-db exported it\n";
  for (const ThemeRow& row : ReadThemeTable(table)) {
    if (row.deleted) continue;
    // Only four digits make a record line of the text form.
    if (row.key.size() != 4 || row.key.find_first_not_of("0123456789") != std::string::npos) {
      std::fprintf(stderr, "record %d: key \"%s\" is no day; left out\n", row.recno, row.key.c_str());
      continue;
    }
    out << "@" << row.key << "\n";
    for (const std::string& line : row.lines) out << Escaped(line) << "\n";
  }
  if (args.Has("--output"))
    WriteFile(args.Option("--output"), out.str());
  else
    Write(out.str());
  return 0;
}

// A theme made from a source file: its records, what a table cannot hold ("FILE: line N: ..."),
// and what was left out of it.
struct Theme {
  std::vector<ThemeRow> rows;
  std::vector<std::string> problems;
  std::vector<std::string> warnings;
};

// Names the line `number` of `file` when the tables' code page cannot hold its text.
void CheckLine(const std::string& text, const std::string& file, int number, Theme& theme) {
  if (!FitsTheTables(text))
    theme.problems.push_back(file + ": line " + std::to_string(number) +
                             ": a character the tables' code page (DOS 437) cannot hold");
}

Theme FromText(const std::string& path) {
  const app::ThemeSource source = app::ParseThemeSource(ReadText(path));
  Theme theme;
  for (const std::string& error : source.errors) theme.problems.push_back(path + ": " + error);
  std::map<std::string, int> first_line;
  for (const app::ThemeSourceRecord& record : source.records) {
    if (auto [at, fresh] = first_line.emplace(record.key, record.line_number); !fresh)
      theme.problems.push_back(path + ": line " + std::to_string(record.line_number) + ": a second record for " +
                               record.key + " (the first is on line " + std::to_string(at->second) + ")");
    for (std::size_t i = 0; i < record.lines.size(); ++i)
      CheckLine(record.lines[i], path, record.line_number + 1 + static_cast<int>(i), theme);
    theme.rows.push_back({0, record.key, record.lines, false});
  }
  return theme;
}

// One record a day in calendar order, each event of the day a paragraph.
Theme FromCalendar(const std::string& path) {
  const app::CalendarSource source = app::ParseCalendar(path, [](const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in || std::filesystem::is_directory(file)) return std::optional<std::string>();
    std::stringstream text;
    text << in.rdbuf();
    return std::optional<std::string>(text.str());
  });
  Theme theme;
  theme.problems = source.errors;
  std::map<std::string, std::vector<std::string>> days;
  for (const app::CalendarEvent& event : source.events) {
    std::vector<std::string>& lines = days[event.key];
    if (!lines.empty()) lines.emplace_back();
    for (const app::CalendarLine& line : event.lines) {
      CheckLine(line.text, event.file, line.number, theme);
      lines.push_back(line.text);
    }
  }
  for (auto& [key, lines] : days) theme.rows.push_back({0, key, std::move(lines), false});
  if (source.unfixed > 0)
    theme.warnings.push_back(path + ": " + std::to_string(source.unfixed) +
                             (source.unfixed == 1 ? " date a fixed day cannot hold was" : " dates a fixed day cannot hold were") +
                             " left out (weekday rules, Easter, \"*\")");
  if (days.empty() && source.errors.empty()) theme.problems.push_back(path + ": no event on a fixed day");
  return theme;
}

// The sayings on the days from `start` on, 0229 included.
Theme FromFortunes(const std::string& path, const std::string& start) {
  const std::vector<app::Saying> sayings = app::ParseFortunes(ReadText(path));
  const std::vector<std::string> keys = DayKeys();
  std::size_t day = static_cast<std::size_t>(std::find(keys.begin(), keys.end(), start) - keys.begin());
  Theme theme;
  for (const app::Saying& saying : sayings) {
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

int Import(const Args& args) {
  args.Expect(3, 3);
  const std::string& source_path = args.positional()[1];
  const std::string& table = args.positional()[2];
  const uint8_t kind = MemoKindByName(args.Option("--kind", "dbase4"));
  if (kind == engine::kMemoLevel7) throw UsageError("--kind takes dbase3, dbase4 or foxpro");
  const std::string from = args.Option("--from", "text");
  if (from != "text" && from != "calendar" && from != "fortune")
    throw UsageError("--from takes text, calendar or fortune");
  const std::string start = args.Option("--start", "0101");
  if (args.Has("--start") && from != "fortune") throw UsageError("--start is for --from fortune");
  if (start == "9999" || !app::IsThemeKey(start)) throw UsageError("--start takes a day, MMDD (0101 to 1231)");

  Theme theme = from == "calendar" ? FromCalendar(source_path)
                : from == "fortune" ? FromFortunes(source_path, start)
                                    : FromText(source_path);
  // The description: --description's, else the text's own record, else the file's name.
  const auto description = std::find_if(theme.rows.begin(), theme.rows.end(),
                                        [](const ThemeRow& row) { return row.key == "9999"; });
  if (args.Has("--description") || (description == theme.rows.end() && from != "text")) {
    const std::string text = args.Option("--description", std::filesystem::path(source_path).filename().string());
    if (!FitsTheTables(text))
      theme.problems.push_back((args.Has("--description") ? std::string("--description") : source_path + ": its name") +
                               ": a character the tables' code page (DOS 437) cannot hold");
    if (description != theme.rows.end())
      description->lines = {text};
    else
      theme.rows.insert(theme.rows.begin(), {0, "9999", {text}, false});
  } else if (description == theme.rows.end()) {
    theme.problems.push_back(source_path + ": no description record (@9999)");
  }
  if (!theme.problems.empty()) {
    for (const std::string& problem : theme.problems) std::fprintf(stderr, "%s\n", problem.c_str());
    std::fprintf(stderr, "%s: nothing written\n", table.c_str());
    return 1;
  }
  for (const std::string& warning : theme.warnings) std::fprintf(stderr, "%s\n", warning.c_str());
  WriteThemeTable(table, kind, theme.rows, args.Flag("--force"));
  return 0;
}

int Check(const Args& args) {
  args.Expect(2, 2);
  const std::string& table = args.positional()[1];
  std::vector<std::string> problems;
  std::map<std::string, int32_t> shown;  // key -> the record the calendar shows
  std::string description;
  for (const ThemeRow& row : ReadThemeTable(table)) {
    const std::string where = "record " + std::to_string(row.recno) + ": ";
    if (!app::IsThemeKey(row.key)) {
      problems.push_back(where + "key \"" + row.key + "\" is no day of the year");
      continue;
    }
    if (auto [at, fresh] = shown.emplace(row.key, row.recno); !fresh) {
      problems.push_back(where + "a second record for " + row.key + "; the calendar shows record " +
                         std::to_string(at->second));
      continue;
    }
    if (row.deleted) problems.push_back(where + "deleted, but the calendar still shows it (" + row.key + ")");
    if (row.key == "9999") description = row.lines.empty() ? "" : row.lines.front();
  }
  if (!shown.count("9999")) problems.push_back("no description record (9999)");
  std::vector<std::string> missing;
  for (const std::string& key : DayKeys())
    if (!shown.count(key)) missing.push_back(key);
  if (!missing.empty()) {
    std::string list;
    for (const std::string& key : missing) list += " " + key;
    problems.push_back("no message for " + std::to_string(missing.size()) + " of the 366 days:" + list);
  }
  for (const std::string& problem : problems) Write(table + ": " + problem + "\n");
  if (problems.empty()) Write(table + ": \"" + description + "\", a message for each of the 366 days\n");
  return problems.empty() ? 0 : 1;
}

}  // namespace

int ThemeCommand(const Arguments& argv) {
  const Args args(argv, {"--force"}, {"--output", "--kind", "--from", "--description", "--start"});
  if (args.positional().empty()) throw UsageError("theme takes export, import or check");
  const std::string& what = args.positional()[0];
  if (what == "export") return Export(args);
  if (what == "import") return Import(args);
  if (what == "check") return Check(args);
  throw UsageError("theme takes export, import or check, not " + what);
}

}  // namespace vornelle::tools
