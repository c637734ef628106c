#include "themes/icalendar_export.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <set>

#include "platform/ascii_case.h"
#include "themes/theme_files.h"
#include "themes/theme_source.h"

namespace vornelle::themes {

namespace {

// Every day starts in 2000, a leap year, so that 29 February has a first occurrence.
constexpr int kFirstYear = 2000;
constexpr int kDaysIn[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

std::string Date(int year, int month, int day) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d%02d%02d", year, month, day);
  return text;
}

// The day after MMDD, in the first year (or the year after, for 1231).
std::string DayAfter(int month, int day) {
  if (day < kDaysIn[month - 1]) return Date(kFirstYear, month, day + 1);
  return month == 12 ? Date(kFirstYear + 1, 1, 1) : Date(kFirstYear, month + 1, 1);
}

// The theme's name as a UID takes it: lower case, and anything but letters, digits, '.', '-'
// and '_' as %XX.
std::string UidName(const std::string& theme) {
  std::string name;
  for (const char c : platform::AsciiLowered(std::filesystem::path(theme).stem().string())) {
    const auto byte = static_cast<unsigned char>(c);
    if (std::isalnum(byte) || c == '.' || c == '-' || c == '_') {
      name += c;
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
      name += escaped;
    }
  }
  return name;
}

// The first line that shows something.
std::string Summary(const std::vector<std::string>& lines) {
  for (const std::string& line : lines)
    if (line.find_first_not_of(" \t") != std::string::npos) return line;
  return {};
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) text += (i ? "\n" : "") + lines[i];
  return text;
}

}  // namespace

std::string ICalendarText(const std::string& text) {
  std::string escaped;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\\' || c == ';' || c == ',') {
      escaped += '\\';
      escaped += c;
    } else if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      escaped += "\\n";
    } else {
      escaped += c;
    }
  }
  return escaped;
}

std::string FoldedLine(const std::string& line) {
  std::string folded;
  std::size_t start = 0, room = 75;
  while (line.size() - start > room) {
    std::size_t end = start + room;
    // Back to the start of the UTF-8 character the cut would split.
    while (end > start && (static_cast<unsigned char>(line[end]) & 0xC0) == 0x80) --end;
    folded.append(line, start, end - start).append("\r\n ");
    start = end;
    room = 74;  // the space that begins a continuation counts
  }
  return folded.append(line, start, std::string::npos).append("\r\n");
}

ICalendarExport ThemeAsICalendar(const std::string& theme, const std::vector<ThemeRow>& rows, std::time_t stamp) {
  std::tm utc{};
  gmtime_r(&stamp, &utc);
  char dtstamp[32];
  std::strftime(dtstamp, sizeof dtstamp, "%Y%m%dT%H%M%SZ", &utc);

  ICalendarExport out;
  std::string description;
  std::string events;
  const std::string uid_name = UidName(theme);
  std::set<std::string> seen;
  for (const ThemeRow& row : rows) {
    // The calendar shows a day's first record, whatever follows it.
    if (!seen.insert(row.key).second) continue;
    if (row.key == kDescriptionKey) {
      if (!row.lines.empty()) description = row.lines.front();
      continue;
    }
    const std::string summary = Summary(row.lines);
    if (!IsThemeKey(row.key) || summary.empty()) continue;
    const int month = std::stoi(row.key.substr(0, 2)), day = std::stoi(row.key.substr(2, 2));
    for (const std::string& line :
         {std::string("BEGIN:VEVENT"), "UID:" + row.key + "." + uid_name + "@vornelle",
          std::string("DTSTAMP:") + dtstamp, "DTSTART;VALUE=DATE:" + Date(kFirstYear, month, day),
          "DTEND;VALUE=DATE:" + DayAfter(month, day), std::string("RRULE:FREQ=YEARLY"),
          "SUMMARY:" + ICalendarText(summary), "DESCRIPTION:" + ICalendarText(Joined(row.lines)),
          std::string("TRANSP:TRANSPARENT"), std::string("END:VEVENT")})
      events += FoldedLine(line);
    ++out.days;
  }
  std::string head;
  for (const std::string& line : {std::string("BEGIN:VCALENDAR"), std::string("VERSION:2.0"),
                                  std::string("PRODID:-//Vornelle//Vornelle themes//EN"),
                                  std::string("CALSCALE:GREGORIAN"), std::string("METHOD:PUBLISH")})
    head += FoldedLine(line);
  const std::string name = ICalendarText(description.empty() ? std::filesystem::path(theme).stem().string() : description);
  head += FoldedLine("X-WR-CALNAME:" + name) + FoldedLine("NAME:" + name);
  out.text = head + events + FoldedLine("END:VCALENDAR");
  return out;
}

}  // namespace vornelle::themes
