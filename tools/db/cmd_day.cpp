// vornelle-db day: the day's message pane as the calendar builds it, through the calendar's own
// lookup, printed to the terminal.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <tuple>

#include "app/core/day_lookup.h"
#include "app/core/day_range.h"
#include "app/core/program.h"
#include "app/core/theme_catalogue.h"
#include "themes/theme_damage.h"
#include "platform/visible_text.h"
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

platform::CalendarDate ParseDate(const Args& args, const std::string& option) {
  const std::string text = args.Option(option);
  platform::CalendarDate date;
  char rest = 0;
  platform::TDateTime ignored = 0;
  if (std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &date.year, &date.month, &date.day, &rest) != 3 ||
      !platform::TryEncodeDate(date.year, date.month, date.day, &ignored))
    throw UsageError(option + " takes a date as YYYY-MM-DD, not " + text);
  return date;
}

// --from and --to, checked: both or neither, in order, without --date or --once.
std::optional<std::pair<platform::CalendarDate, platform::CalendarDate>> Range(const Args& args) {
  if (!args.Has("--from") && !args.Has("--to")) return std::nullopt;
  if (!args.Has("--from") || !args.Has("--to")) throw UsageError("--from and --to go together");
  if (args.Has("--date") || args.Flag("--once")) throw UsageError("--from and --to take neither --date nor --once");
  const platform::CalendarDate from = ParseDate(args, "--from"), to = ParseDate(args, "--to");
  if (std::tie(from.year, from.month, from.day) > std::tie(to.year, to.month, to.day))
    throw UsageError("--from comes after --to");
  return std::make_pair(from, to);
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
  const Args args(argv, {"--json", "--once", "--user-folder"}, {"--date", "--folder", "--from", "--to"});
  const auto range = Range(args);
  const platform::CalendarDate date = args.Has("--date") ? ParseDate(args, "--date") : platform::Today();
  char iso[16];
  std::snprintf(iso, sizeof iso, "%04d-%02d-%02d", date.year, date.month, date.day);
  EnterThemeFolder(args);
  const platform::CalendarDate today = platform::Today();
  char today_iso[16];
  std::snprintf(today_iso, sizeof today_iso, "%04d-%02d-%02d", today.year, today.month, today.day);
  std::optional<OnceADay> once;
  if (args.Flag("--once") && once.emplace(iso, today_iso).Shown()) return 0;

  app::Program program;  // its table component never creates a theme table
  std::vector<std::string> themes = args.positional();
  // A theme that cannot be read is named and left out, as cat goes on past a file it cannot
  // read and the window's start-up leaves a missing theme out: the others are still printed,
  // and the exit status says that something was not.
  bool failed = false;
  if (themes.empty()) {
    std::optional<std::vector<std::string>> displayed = DisplayedThemes();
    if (!displayed) return 1;
    themes = std::move(*displayed);
  } else {
    app::ThemeLists named;
    named.SelTheme = themes;
    for (const std::string& name : app::LeaveOutMissingThemes(named)) {
      std::fprintf(stderr, "%s%s\n", app::kMissingThemeText, name.c_str());
      failed = true;
    }
    themes = std::move(named.SelTheme);
  }

  if (range) return PrintDayRange(range->first, range->second, themes, args.Flag("--json"), failed);

  const std::string key = app::DayKey(date);
  std::vector<std::string> pane;
  std::vector<ThemeDay> days;
  for (const std::string& theme : themes) {
    ThemeDay day{app::ThemeName(theme), std::nullopt, std::nullopt};
    const std::string shown_name = platform::VisibleText(day.file);
    std::vector<std::string> lines;
    try {
      if (app::ReadDayMessage(program.joketbl, day.file, key, lines))
        day.lines = lines;
      else
        std::fprintf(stderr, "%s%s\n", app::kNoMessageText, shown_name.c_str());
      if (args.Flag("--json") && app::ReadDayMessage(program.joketbl, day.file, app::kDescriptionKey, lines))
        day.description = lines.empty() ? std::string() : lines.front();
      // Records the header promises and the file does not hold: the day's may be among them.
      const engine::CurrentAreaScope in_table(program.joketbl.WorkArea());
      if (const std::string missing = themes::MissingRecordsProblem(); !missing.empty()) {
        std::fprintf(stderr, "%s: %s\n", shown_name.c_str(), missing.c_str());
        failed = true;
      }
    } catch (const engine::ETavrinError& e) {
      std::fprintf(stderr, "%s\n", EngineMessage(e).c_str());
      failed = true;
      continue;
    } catch (const platform::Exception& e) {
      std::fprintf(stderr, "%s: %s\n", shown_name.c_str(), e.what());
      failed = true;
      continue;
    }
    // A theme without a message keeps its separator block, as in the window.
    app::AppendToPane(pane, days.size(), day.lines.value_or(std::vector<std::string>()));
    days.push_back(std::move(day));
  }

  if (!args.Flag("--json")) {
    for (const std::string& line : pane) Write(platform::VisibleText(line) + "\n");
    return failed ? 1 : Shown(once);
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
  return failed ? 1 : Shown(once);
}

}  // namespace vornelle::tools
