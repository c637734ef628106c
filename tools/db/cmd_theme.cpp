// vornelle-db theme export | import | check: themes as plain text (and made from calendar and
// fortune files), and what the calendar would make of a theme table.

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>

#include "themes/theme_source.h"
#include "themes/theme_text.h"
#include "platform/visible_text.h"
#include "engine/engine.h"
#include "platform/codepage.h"
#include "tools/db/cli.h"
#include "tools/db/commands.h"
#include "tools/db/output.h"
#include "tools/db/session.h"
#include "themes/icalendar_export.h"
#include "themes/theme_from_file.h"
#include "themes/theme_table.h"

namespace vornelle::tools {

namespace {

// A message line as the text form writes it: a "\" in front of a line that would otherwise
// read as a record, a comment or an escape.
std::string Escaped(const std::string& line) {
  if (!line.empty() && (line[0] == '@' || line[0] == '#' || line[0] == '\\')) return "\\" + line;
  return line;
}

int Export(const Args& args) {
  args.Expect(2, 2);
  const std::string& table = args.positional()[1];
  const std::string to = args.Option("--to", "text");
  if (to != "text" && to != "ics") throw UsageError("--to takes text or ics");
  const themes::ThemeTable read = themes::ReadThemeTable(table);
  // An export is a copy of the theme: one that would lose messages is none.
  if (!read.damage.empty()) {
    for (const std::string& damage : read.damage) std::fprintf(stderr, "%s: %s\n", table.c_str(), damage.c_str());
    std::fprintf(stderr, "%s: nothing exported\n", table.c_str());
    return 1;
  }
  if (to == "ics") {
    const themes::ICalendarExport calendar =
        themes::ThemeAsICalendar(std::filesystem::path(table).filename().string(), read.rows, std::time(nullptr));
    if (args.Has("--output"))
      WriteFile(args.Option("--output"), calendar.text);
    else
      Write(calendar.text);
    return 0;
  }
  std::ostringstream out;
  out << "# " << std::filesystem::path(table).filename().string() << ", as vornelle-db exported it\n";
  for (const themes::ThemeRow& row : read.rows) {
    if (row.deleted) continue;
    // Only four digits make a record line of the text form.
    if (row.key.size() != 4 || row.key.find_first_not_of("0123456789") != std::string::npos) {
      std::fprintf(stderr, "record %d: key \"%s\" is no day; left out\n", row.recno,
                   platform::VisibleText(platform::AnsiToUtf8(row.key)).c_str());
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

int Import(const Args& args) {
  args.Expect(3, 3);
  const std::string& source_path = args.positional()[1];
  const std::string& table = args.positional()[2];
  const uint8_t kind = MemoKindByName(args.Option("--kind", "dbase4"));
  if (kind == engine::kMemoLevel7) throw UsageError("--kind takes dbase3, dbase4 or foxpro");
  const std::string from = args.Option("--from", "text");
  if (from != "text" && from != "calendar" && from != "fortune" && from != "ics")
    throw UsageError("--from takes text, calendar, ics or fortune");
  const std::string start = args.Option("--start", "0101");
  if (args.Has("--start") && from != "fortune") throw UsageError("--start is for --from fortune");
  if (start == "9999" || !themes::IsThemeKey(start)) throw UsageError("--start takes a day, MMDD (0101 to 1231)");

  const std::optional<std::string> description =
      args.Has("--description") ? std::optional<std::string>(args.Option("--description")) : std::nullopt;
  const themes::ThemeFromFile theme = themes::ReadThemeFromFile(from, source_path, start, description);
  if (!theme.problems.empty()) {
    for (const std::string& problem : theme.problems) std::fprintf(stderr, "%s\n", problem.c_str());
    std::fprintf(stderr, "%s: nothing written\n", table.c_str());
    return 1;
  }
  for (const std::string& warning : theme.warnings) std::fprintf(stderr, "%s\n", warning.c_str());
  themes::WriteThemeTable(table, kind, theme.rows, args.Flag("--force"));
  return 0;
}

// Programs that count a table's records by its header (as dBASE programs do) stop at that
// count: records past it are there for us and lost to them. Empty when the header counts all.
std::string UncountedRecords(const std::string& table) {
  std::ifstream in(platform::FullPath(engine::TableFileName(table)), std::ios::binary);
  unsigned char header[12] = {};
  if (!in.read(reinterpret_cast<char*>(header), sizeof header)) return {};
  in.seekg(0, std::ios::end);
  const int64_t size = in.tellg();
  const uint32_t counted = header[4] | (header[5] << 8) | (header[6] << 16) | (uint32_t{header[7]} << 24);
  const int64_t header_length = header[8] | (header[9] << 8), record_length = header[10] | (header[11] << 8);
  if (record_length == 0 || size < header_length) return {};
  const int64_t held = (size - header_length) / record_length;
  if (held <= counted) return {};
  return "the header counts " + std::to_string(counted) + " records, the file holds " + std::to_string(held) +
         ": programs that go by the header do not see the last " + std::to_string(held - counted);
}

int Check(const Args& args) {
  args.Expect(2, 2);
  const std::string& table = args.positional()[1];
  std::map<std::string, int32_t> shown;  // key -> the record the calendar shows
  std::string description;
  const themes::ThemeTable read = themes::ReadThemeTable(table);
  std::vector<std::string> problems = read.damage;
  if (std::string uncounted = UncountedRecords(table); !uncounted.empty()) problems.push_back(uncounted);
  for (const themes::ThemeRow& row : read.rows) {
    const std::string where = "record " + std::to_string(row.recno) + ": ";
    if (!themes::IsThemeKey(row.key)) {
      problems.push_back(where + "key \"" + platform::AnsiToUtf8(row.key) + "\" is no day of the year");
      continue;
    }
    if (auto [at, fresh] = shown.emplace(row.key, row.recno); !fresh) {
      problems.push_back(where + "a second record for " + row.key + "; the calendar shows record " +
                         std::to_string(at->second));
      continue;
    }
    if (row.deleted) problems.push_back(where + "deleted, but the calendar still shows it (" + row.key + ")");
    if (row.key == "9999") description = row.lines.empty() ? "" : row.lines.front();
    // A message that reads empty shows nothing, however it came to be.
    if (row.lines.empty() && !row.damaged)
      problems.push_back(where + (row.key == "9999" ? "the description is empty" : "the message for " + row.key + " is empty"));
  }
  if (!shown.count("9999")) problems.push_back("no description record (9999)");
  std::vector<std::string> missing;
  for (const std::string& key : themes::LeapYearDayKeys())
    if (!shown.count(key)) missing.push_back(key);
  if (!missing.empty()) {
    std::string list;
    for (const std::string& key : missing) list += " " + key;
    problems.push_back("no message for " + std::to_string(missing.size()) + " of the 366 days:" + list);
  }
  for (const std::string& problem : problems) Write(platform::VisibleText(table + ": " + problem) + "\n");
  if (problems.empty())
    Write(platform::VisibleText(table + ": \"" + description + "\", a message for each of the 366 days") + "\n");
  return problems.empty() ? 0 : 1;
}

}  // namespace

int ThemeCommand(const Arguments& argv) {
  const Args args(argv, {"--force"}, {"--output", "--kind", "--from", "--description", "--start", "--to"});
  if (args.positional().empty()) throw UsageError("theme takes export, import or check");
  const std::string& what = args.positional()[0];
  if (what == "export") return Export(args);
  if (what == "import") return Import(args);
  if (what == "check") return Check(args);
  throw UsageError("theme takes export, import or check, not " + what);
}

}  // namespace vornelle::tools
