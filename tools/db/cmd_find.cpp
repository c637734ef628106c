// vornelle-db find: the days whose message holds a text, found as the calendar's search finds
// them, with grep's exit status so that scripts can test it.

#include <cstdio>
#include <limits>
#include <optional>

#include "app/core/day_lookup.h"
#include "app/core/message_search.h"
#include "app/core/theme_catalogue.h"
#include "platform/visible_text.h"
#include "platform/exception.h"
#include "tools/db/cli.h"
#include "tools/db/commands.h"
#include "tools/db/json.h"
#include "tools/db/output.h"
#include "tools/db/session.h"
#include "tools/db/theme_folder.h"

namespace vornelle::tools {

int FindCommand(const Arguments& argv) {
  const Args args(argv, {"--all", "--json", "--word", "--case", "--user-folder"}, {"--folder"});
  args.Expect(1, std::numeric_limits<std::size_t>::max());
  const std::string& text = args.positional().front();
  // An empty text would be found nowhere: surely a script's unset variable, not a question.
  if (text.empty()) throw UsageError("TEXT is empty");
  std::vector<std::string> themes(args.positional().begin() + 1, args.positional().end());
  if (args.Flag("--all") && !themes.empty()) throw UsageError("--all takes no THEME");
  EnterThemeFolder(args);

  if (args.Flag("--all")) {
    themes = app::ThemeFiles();
    if (themes.empty()) {
      std::fprintf(stderr, "%s\n", app::kNoThemesText);
      return 2;
    }
  } else if (themes.empty()) {
    std::optional<std::vector<std::string>> displayed = DisplayedThemes();
    if (!displayed) return 2;
    themes = std::move(*displayed);
  }

  // A theme that cannot be read is named and the others are still searched, as grep goes on
  // past a file it cannot read; the status then says so.
  bool failed = false;
  std::vector<app::SearchHit> hits;
  const app::SearchOptions options{args.Flag("--word"), args.Flag("--case")};
  const std::optional<std::u32string> key = app::SearchKey(text, options);  // none: found nowhere
  app::MessageSearch search;
  for (const std::string& theme : themes) {
    try {
      if (key) search.FindInTheme(app::ThemeName(theme), *key, hits, options);
    } catch (const engine::ETavrinError& e) {
      std::fprintf(stderr, "%s\n", EngineMessage(e).c_str());
      failed = true;
    } catch (const platform::Exception& e) {
      std::fprintf(stderr, "vornelle-db find: %s\n", e.what());
      failed = true;
    }
  }

  if (args.Flag("--json")) {
    std::string list = "[";
    for (const app::SearchHit& hit : hits) {
      JsonObject found;
      found.String("key", hit.key).String("file", hit.theme).String("description", hit.description);
      list += (list.size() > 1 ? ", " : "") + found.String("line", hit.line).str();
    }
    Write(list + "]\n");
  } else {
    // A tab or an escape sequence of a message neither adds a column nor reaches the terminal.
    for (const app::SearchHit& hit : hits)
      Write(hit.key + "\t" + platform::VisibleText(hit.theme, platform::Tabs::kAsSpace) + "\t" +
            platform::VisibleText(hit.line, platform::Tabs::kAsSpace) + "\n");
  }
  if (failed) return 2;
  return hits.empty() ? 1 : 0;
}

}  // namespace vornelle::tools
