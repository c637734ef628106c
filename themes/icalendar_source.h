#pragma once
// iCalendar files (RFC 5545) as theme material: each event of the calendar on its month and
// day, as a calendar program or a phone exports them.
//
// The content lines are unfolded and read as NAME;PARAM=VALUE:VALUE within their BEGIN and END.
// An event (VEVENT) is its DTSTART's month and day, whether a date or a date and time (as the
// file writes it, without a change of time zone), and whether it repeats yearly or not at all;
// its text is its SUMMARY, then its DESCRIPTION's lines (the DESCRIPTION alone when its first
// line is the summary, as the calendar's own export writes them). Left out and counted: events
// without a DTSTART or without text, yearly rules on no fixed day (a weekday of a month, a week
// of the year) and changes to one occurrence of a repeating event (RECURRENCE-ID). What is not
// iCalendar is refused, naming the line.

#include <string>
#include <string_view>
#include <vector>

#include "themes/calendar_source.h"

namespace vornelle::themes {

struct ICalendarSource {
  std::string name;  // the calendar's name (NAME, else X-WR-CALNAME); empty when it has none
  int name_line = 0;
  std::vector<CalendarEvent> events;  // in file order, `file` 0
  int undated = 0;    // events without a DTSTART
  int textless = 0;   // events without a SUMMARY or a DESCRIPTION
  int unfixed = 0;    // yearly rules that no fixed day holds
  int overrides = 0;  // changes to one occurrence of a repeating event
  std::vector<std::string> errors;  // "line N: ...", empty when the file reads as iCalendar
};

// `text` is the file's content, UTF-8 as the rules have it (a byte-order mark is skipped). After
// kMaxICalendarProblems problems the reading stops: a file that far from iCalendar is no
// calendar, and its problems would fill a screen.
inline constexpr std::size_t kMaxICalendarProblems = 20;
ICalendarSource ParseICalendar(std::string_view text);

}  // namespace vornelle::themes
