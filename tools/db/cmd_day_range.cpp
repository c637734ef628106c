// vornelle-db day --from --to: a range of days' message panes, each theme read once.

#include <cstdio>

#include "app/core/day_lookup.h"
#include "app/core/day_range.h"
#include "platform/exception.h"
#include "platform/visible_text.h"
#include "tools/db/commands.h"
#include "tools/db/json.h"
#include "tools/db/output.h"
#include "tools/db/session.h"

namespace vornelle::tools {

namespace {

std::string Iso(const platform::CalendarDate& date) {
  char iso[16];
  std::snprintf(iso, sizeof iso, "%04d-%02d-%02d", date.year, date.month, date.day);
  return iso;
}

std::string JsonDay(const platform::CalendarDate& date, const std::vector<app::DisplayedTheme>& themes) {
  const std::string key = app::DayKey(date);
  std::string list = "[";
  for (std::size_t i = 0; i < themes.size(); ++i) {
    JsonObject theme;
    theme.String("file", themes[i].file);
    const std::string& description = themes[i].texts.description;
    description.empty() ? theme.Null("description") : theme.String("description", description);
    std::string lines = "[";
    const std::vector<std::string>* message = app::MessageOn(themes[i].texts, key);
    for (std::size_t l = 0; message && l < message->size(); ++l) lines += (l ? ", " : "") + JsonString((*message)[l]);
    message ? theme.Raw("lines", lines + "]") : theme.Null("lines");
    list += (i ? ", " : "") + theme.str();
  }
  return JsonObject().String("date", Iso(date)).String("key", key).Raw("themes", list + "]").str();
}

}  // namespace

int PrintDayRange(const platform::CalendarDate& from, const platform::CalendarDate& to,
                  const std::vector<std::string>& files, bool json, bool failed) {
  // Each theme is read once for the whole range; one that cannot be read is named and left out.
  std::vector<app::DisplayedTheme> themes;
  for (const std::string& file : files) {
    try {
      std::vector<app::DisplayedTheme> one = app::ReadDisplayedThemes({file});
      themes.push_back(std::move(one.front()));
    } catch (const engine::ETavrinError& e) {
      std::fprintf(stderr, "%s\n", EngineMessage(e).c_str());
      failed = true;
    } catch (const platform::Exception& e) {
      std::fprintf(stderr, "%s: %s\n", platform::VisibleText(app::ThemeName(file)).c_str(), e.what());
      failed = true;
    }
  }
  if (json) Write("[");
  bool first = true;
  for (const platform::CalendarDate& date : app::DaysFromTo(from, to)) {
    if (json) {
      Write((first ? "" : ",\n ") + JsonDay(date, themes));
    } else {
      // The day's date, then its pane as the calendar shows it; a blank line between days.
      std::string text = (first ? "" : "\n") + Iso(date) + "\n";
      std::vector<std::string> pane;
      const std::string key = app::DayKey(date);
      for (std::size_t i = 0; i < themes.size(); ++i) {
        const std::vector<std::string>* message = app::MessageOn(themes[i].texts, key);
        app::AppendToPane(pane, i, message ? *message : std::vector<std::string>());
      }
      for (const std::string& line : pane) text += platform::VisibleText(line) + "\n";
      Write(text);
    }
    first = false;
  }
  if (json) Write("]\n");
  return failed ? 1 : 0;
}

}  // namespace vornelle::tools
