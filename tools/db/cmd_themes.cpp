// vornelle-db themes: a folder's theme catalogue as the calendar scans it.

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <set>

#include "app/core/day_lookup.h"
#include "app/core/program.h"
#include "app/core/theme_catalogue.h"
#include "themes/theme_source.h"
#include "platform/visible_text.h"
#include "platform/directory.h"
#include "tools/db/cli.h"
#include "tools/db/commands.h"
#include "tools/db/json.h"
#include "tools/db/output.h"
#include "tools/db/session.h"
#include "themes/theme_table.h"

namespace vornelle::tools {

int ThemesCommand(const Arguments& argv) {
  const Args args(argv, {"--json"}, {"--folder"});
  args.Expect(0, 0);
  if (args.Has("--folder") && chdir(args.Option("--folder").c_str()) != 0)
    throw ToolError(args.Option("--folder") + ": " + std::strerror(errno));
  app::Program program;
  int status = 0;
  std::string json = "[";
  std::vector<std::string> lines;
  for (const std::string& file : platform::FindFiles(".", ".dbf")) {
    std::optional<std::string> description;
    int days = 0;
    try {
      if (app::ReadDayMessage(program.joketbl, file, app::kDescriptionKey, lines))
        description = lines.empty() ? std::string() : lines.front();
      program.joketbl.Close();
      std::set<std::string> keys;
      for (const themes::ThemeRow& row : themes::ReadThemeTable(file).rows)
        if (row.key != app::kDescriptionKey && themes::IsThemeKey(row.key)) keys.insert(row.key);
      days = static_cast<int>(keys.size());
    } catch (const engine::ETavrinError& e) {
      std::fprintf(stderr, "%s\n", EngineMessage(e).c_str());
      status = 1;
      continue;
    } catch (const std::exception& e) {
      std::fprintf(stderr, "%s: %s\n", file.c_str(), e.what());
      status = 1;
      continue;
    }
    if (!description) status = 1;
    if (args.Flag("--json")) {
      JsonObject theme;
      theme.String("file", file);
      description ? theme.String("description", *description) : theme.Null("description");
      theme.Number("days", days);
      json += (json.size() > 1 ? ", " : "") + theme.str();
      continue;
    }
    const std::string shown = description ? *description : "No Description on File for This .db: " + file;
    Print("%-20s %3d/366  ", platform::VisibleText(file).c_str(), days);
    Write(platform::VisibleText(shown) + "\n");
  }
  if (args.Flag("--json")) Write(json + "]\n");
  return status;
}

}  // namespace vornelle::tools
