// vornelle-db themes: a folder's theme catalogue as the calendar scans it.

#include <cstdio>
#include <set>

#include "app/core/day_lookup.h"
#include "app/core/program.h"
#include "app/core/theme_catalogue.h"
#include "themes/theme_source.h"
#include "platform/visible_text.h"
#include "tools/db/cli.h"
#include "tools/db/commands.h"
#include "tools/db/json.h"
#include "tools/db/output.h"
#include "tools/db/session.h"
#include "themes/theme_folders.h"
#include "themes/theme_table.h"
#include "tools/db/theme_folder.h"

namespace vornelle::tools {

int ThemesCommand(const Arguments& argv) {
  const Args args(argv, {"--json", "--user-folder"}, {"--folder"});
  args.Expect(0, 0);
  EnterThemeFolder(args);
  app::Program program;
  int status = 0;
  std::string json = "[";
  std::vector<std::string> lines;
  for (const themes::OfferedTheme& offered : themes::OfferedThemes()) {
    const std::string& file = offered.name;
    const std::string path = offered.shared ? offered.folder + "/" + file : file;
    std::optional<std::string> description;
    int days = 0;
    try {
      if (app::ReadDayMessage(program.joketbl, file, app::kDescriptionKey, lines))
        description = lines.empty() ? std::string() : lines.front();
      program.joketbl.Close();
      std::set<std::string> keys;
      for (const themes::ThemeRow& row : themes::ReadThemeTable(path).rows)
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
      // A folder given keeps its output as it was; the user folder mode tells where each is.
      if (args.Flag("--user-folder")) offered.shared ? theme.String("system", offered.folder) : theme.Null("system");
      json += (json.size() > 1 ? ", " : "") + theme.str();
      continue;
    }
    const std::string shown = description ? *description : "No Description on File for This .db: " + file;
    Print("%-20s %3d/366  ", platform::VisibleText(file).c_str(), days);
    // A theme of the system's is read-only, and another folder's file: where it is.
    Write(platform::VisibleText(offered.shared ? shown + "  [" + offered.folder + "]" : shown) + "\n");
  }
  if (args.Flag("--json")) Write(json + "]\n");
  return status;
}

}  // namespace vornelle::tools
