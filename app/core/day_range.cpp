#include "app/core/day_range.h"

#include <algorithm>

#include "app/core/day_lookup.h"
#include "platform/datetime.h"

namespace vornelle::app {

std::vector<DisplayedTheme> ReadDisplayedThemes(const std::vector<std::string>& files) {
  std::vector<DisplayedTheme> themes;
  for (const std::string& entry : files) {
    const std::string file = ThemeName(entry);
    themes.push_back({file, ReadThemeTexts(file)});
  }
  return themes;
}

const std::vector<std::string>* MessageOn(const ThemeTexts& texts, const std::string& key) {
  // The days come in calendar order.
  const auto found = std::lower_bound(texts.days.begin(), texts.days.end(), key,
                                      [](const ThemeTexts::Day& day, const std::string& wanted) { return day.key < wanted; });
  return found != texts.days.end() && found->key == key ? &found->lines : nullptr;
}

std::vector<ThemeMessage> MessagesOn(const std::vector<DisplayedTheme>& themes, const platform::CalendarDate& date) {
  std::vector<ThemeMessage> messages;
  const std::string key = DayKey(date);
  for (const DisplayedTheme& theme : themes)
    if (const std::vector<std::string>* lines = MessageOn(theme.texts, key))
      messages.push_back({theme.texts.description.empty() ? theme.file : theme.texts.description, *lines});
  return messages;
}

std::vector<platform::CalendarDate> DaysFromTo(const platform::CalendarDate& from, const platform::CalendarDate& to) {
  std::vector<platform::CalendarDate> days;
  platform::TDateTime first = 0, last = 0;
  if (!platform::TryEncodeDate(from.year, from.month, from.day, &first) ||
      !platform::TryEncodeDate(to.year, to.month, to.day, &last))
    return days;
  for (platform::TDateTime day = first; day <= last; day += 1) days.push_back(platform::DecodeDate(day));
  return days;
}

}  // namespace vornelle::app
