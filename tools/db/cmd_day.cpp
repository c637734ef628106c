// vornelle-db day: the day's message pane as the calendar builds it, through the calendar's own
// lookup, printed to the terminal.

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "app/core/program.h"
#include "platform/codepage.h"
#include "platform/locale.h"
#include "tools/db/cli.h"
#include "tools/db/commands.h"

namespace vornelle::tools {

namespace {

// The pane is standard output, one line per pane line.
class PrintedPane : public app::MessagePane {
 public:
  void Clear() override {}
  void SetLines(const std::vector<std::string>& lines) override {
    for (const std::string& line : lines) std::printf("%s\n", line.c_str());
  }
};

// The calendar's boxes become lines on standard error.
class PrintedBoxes : public app::MessageBoxService {
 public:
  void Confirm(const std::string& text, app::ScreenPoint) override {
    std::fprintf(stderr, "%s\n", text.c_str());
  }
  bool AskYesNo(const std::string&) override { return false; }
  void Error(const std::string&, const std::string& text) override {
    std::fprintf(stderr, "%s\n", text.c_str());
  }
  void Inform(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
};

class GivenDate : public app::SelectedDate {
 public:
  explicit GivenDate(platform::CalendarDate date) : date_(date) {}
  platform::CalendarDate Date() const override { return date_; }

 private:
  platform::CalendarDate date_;
};

platform::CalendarDate ParseDate(const std::string& text) {
  platform::CalendarDate date;
  char rest = 0;
  if (std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &date.year, &date.month, &date.day, &rest) != 3 ||
      date.month < 1 || date.month > 12 || date.day < 1 || date.day > 31)
    throw UsageError("--date takes YYYY-MM-DD, not " + text);
  return date;
}

}  // namespace

int DayCommand(const Arguments& argv) {
  const Args args(argv, {}, {"--date", "--folder"});
  const platform::CalendarDate date =
      args.Has("--date") ? ParseDate(args.Option("--date")) : platform::Today();
  if (args.Has("--folder") && chdir(args.Option("--folder").c_str()) != 0)
    throw ToolError(args.Option("--folder") + ": " + std::strerror(errno));

  app::Program program;
  // The terminal only reads: a theme that is not there is an error, not a new empty table.
  program.joketbl.SetCreateIfNotFound(false);
  app::Settings settings;
  app::LoadSettings(program.settings_path, settings, program.themes);
  if (!args.positional().empty()) program.themes.SelTheme = args.positional();
  PrintedPane pane;
  PrintedBoxes boxes;
  program.ShowDay(GivenDate(date), pane, boxes, {-1, -1, 0, 0});
  return 0;
}

}  // namespace vornelle::tools
