#pragma once
// A theme as an iCalendar file (RFC 5545) that calendar programs and phones subscribe to: one
// all-day event a day that repeats every year, its summary the message's first line and its
// description the whole message. 29 February starts in a leap year, so it falls in leap years
// only (a yearly rule skips the dates a year lacks). The events' UIDs are made of the theme's
// name and the day, so a calendar that subscribed updates its events on a new export rather
// than adding them twice.

#include <ctime>
#include <string>
#include <vector>

#include "themes/theme_table.h"

namespace vornelle::themes {

struct ICalendarExport {
  std::string text;  // the whole file: UTF-8, CR LF line ends, lines folded at 75 octets
  int days = 0;      // the events written
};

// `theme` is the table's file name (it names the UIDs); `rows` the table's records, of which
// each day's first one is written, as the calendar shows it; days without text are left out,
// and so are keys that are no day. The description record names the calendar. `stamp` is
// the time of the export, for each event's DTSTAMP.
ICalendarExport ThemeAsICalendar(const std::string& theme, const std::vector<ThemeRow>& rows, std::time_t stamp);

// A TEXT value escaped (\\, \;, \, and \n for a line end) and a content line folded: CR LF
// after at most 75 octets, each continuation begun with a space, never inside a UTF-8
// character.
std::string ICalendarText(const std::string& text);
std::string FoldedLine(const std::string& line);

}  // namespace vornelle::themes
