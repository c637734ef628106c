// vornelle-db day: the day's message pane as the calendar builds it, through the calendar's own
// lookup, printed to the terminal.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

#include "app/core/day_lookup.h"
#include "app/core/program.h"
#include "app/core/theme_catalogue.h"
#include "platform/datetime.h"
#include "platform/locale.h"
#include "tools/db/cli.h"
#include "tools/db/commands.h"
#include "tools/db/json.h"
#include "tools/db/once_a_day.h"
#include "tools/db/output.h"
#include "tools/db/session.h"
#include "tools/db/theme_folder.h"

namespace vornelle::tools {

namespace {

// One theme's part of the day: its message, and for --json its description.
struct ThemeDay {
  std::string file;
  std::optional<std::string> description;
  std::optional<std::vector<std::string>> lines;
};

platform::CalendarDate ParseDate(const std::string& text) {
  platform::CalendarDate date;
  char rest = 0;
  platform::TDateTime ignored = 0;
  if (std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &date.year, &date.month, &date.day, &rest) != 3 ||
      !platform::TryEncodeDate(date.year, date.month, date.day, &ignored))
    throw UsageError("--date takes a date as YYYY-MM-DD, not " + text);
  return date;
}

std::string JsonLines(const std::vector<std::string>& lines) {
  std::string out = "[";
  for (std::size_t i = 0; i < lines.size(); ++i) out += (i ? ", " : "") + JsonString(lines[i]);
  return out + "]";
}

// With --once the day counts as shown only once the messages have left the process.
int Shown(std::optional<OnceADay>& once) {
  if (!once) return 0;
  errno = 0;
  if (std::fflush(stdout) != 0 || std::ferror(stdout))
    throw OutputError(std::string("cannot write the output: ") +
                      std::strerror(errno ? errno : EIO));
  once->MarkShown();
  return 0;
}

}  // namespace

int DayCommand(const Arguments& argv) {
  const Args args(argv, {"--json", "--once"}, {"--date", "--folder"});
  const platform::CalendarDate date =
      args.Has("--date") ? ParseDate(args.Option("--date")) : platform::Today();
  char iso[16];
  std::snprintf(iso, sizeof iso, "%04d-%02d-%02d", date.year, date.month, date.day);
  EnterThemeFolder(args);
  std::optional<OnceADay> once;
  if (args.Flag("--once") && once.emplace(iso).Shown()) return 0;

  app::Program program;  // its table component never creates a theme table
  std::vector<std::string> themes = args.positional();
  if (themes.empty()) {
    std::optional<std::vector<std::string>> displayed = DisplayedThemes();
    if (!displayed) return 1;
    themes = std::move(*displayed);
  }

  const std::string key = app::DayKey(date);
  std::vector<std::string> pane;
  std::vector<ThemeDay> days;
  for (std::size_t i = 0; i < themes.size(); ++i) {
    ThemeDay day{app::ThemeName(themes[i]), std::nullopt, std::nullopt};
    std::vector<std::string> lines;
    // A failure ends the lookup, as in the window, and no part of the pane is printed.
    try {
      if (app::ReadDayMessage(program.joketbl, day.file, key, lines))
        day.lines = lines;
      else
        std::fprintf(stderr, "%s%s\n", app::kNoMessageText, day.file.c_str());
      if (args.Flag("--json") && app::ReadDayMessage(program.joketbl, day.file, app::kDescriptionKey, lines))
        day.description = lines.empty() ? std::string() : lines.front();
    } catch (const engine::ETavrinError& e) {
      std::fprintf(stderr, "%s\n", EngineMessage(e).c_str());
      return 1;
    } catch (const platform::Exception& e) {
      std::fprintf(stderr, "%s: %s\n", day.file.c_str(), e.what());
      return 1;
    }
    // A theme without a message keeps its separator block, as in the window.
    app::AppendToPane(pane, i, day.lines.value_or(std::vector<std::string>()));
    days.push_back(std::move(day));
  }

  if (!args.Flag("--json")) {
    for (const std::string& line : pane) Write(line + "\n");
    return Shown(once);
  }
  std::string list = "[";
  for (std::size_t i = 0; i < days.size(); ++i) {
    JsonObject theme;
    theme.String("file", days[i].file);
    days[i].description ? theme.String("description", *days[i].description) : theme.Null("description");
    days[i].lines ? theme.Raw("lines", JsonLines(*days[i].lines)) : theme.Null("lines");
    list += (i ? ", " : "") + theme.str();
  }
  Write(JsonObject().String("date", iso).String("key", key).Raw("themes", list + "]").str() + "\n");
  return Shown(once);
}

}  // namespace vornelle::tools
