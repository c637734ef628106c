#pragma once
// A range of days, as printing and the terminal read it: each displayed theme is read once, in
// one pass of its table (message_search.h), and the days of the range are looked up in what was
// read. What a day shows is what the pane shows: each theme's first record for the day, deleted
// or not.

#include <string>
#include <vector>

#include "app/core/day_messages.h"
#include "app/core/message_search.h"
#include "platform/locale.h"

namespace vornelle::app {

struct DisplayedTheme {
  std::string file;  // as the calendar opens it
  ThemeTexts texts;
};

// Reads each theme of `files` (entries of SelTheme, trimmed as the lookup trims them). What
// cannot be read is raised, as ReadThemeTexts raises it.
std::vector<DisplayedTheme> ReadDisplayedThemes(const std::vector<std::string>& files);

// The message `texts` holds for the day `key` ("MMDD"), every line of it; nullptr when none.
const std::vector<std::string>* MessageOn(const ThemeTexts& texts, const std::string& key);

// The themes with a message for `date`, in order: each with its description (its file name when
// it has none) and its message, as Copy gives them.
std::vector<ThemeMessage> MessagesOn(const std::vector<DisplayedTheme>& themes, const platform::CalendarDate& date);

// The days from `from` to `to`, both included, in order; none when `from` comes after `to`.
std::vector<platform::CalendarDate> DaysFromTo(const platform::CalendarDate& from, const platform::CalendarDate& to);

}  // namespace vornelle::app
