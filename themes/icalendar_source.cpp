#include "themes/icalendar_source.h"

#include <algorithm>
#include <optional>

#include "platform/utf8.h"

namespace vornelle::themes {

namespace {

// Far longer than any message: a content line past it is no calendar's.
constexpr std::size_t kMaxLineOctets = 1 << 20;
// VCALENDAR > VEVENT > VALARM is as deep as events go; time zones go one deeper.
constexpr std::size_t kMaxDepth = 8;
constexpr int kDaysIn[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// Names, parameters and component names are case-insensitive: kept in upper case.
std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return upper;
}

struct ContentLine {
  std::string name;  // upper case
  std::vector<std::pair<std::string, std::string>> params;  // names upper case
  std::string value;
  int number = 0;  // the first of its physical lines
};

// NAME *(";" PARAM "=" VALUE *("," VALUE)) ":" VALUE, a parameter's value quoted when it holds
// ":", ";" or ",". Nothing when the line is none.
std::optional<ContentLine> Split(std::string_view line, int number) {
  ContentLine content;
  content.number = number;
  std::size_t at = line.find_first_of(";:");
  if (at == std::string_view::npos || at == 0) return std::nullopt;
  content.name = Upper((line.substr(0, at)));
  while (line[at] == ';') {
    const std::size_t equals = line.find('=', at + 1);
    if (equals == std::string_view::npos) return std::nullopt;
    std::string param = Upper((line.substr(at + 1, equals - at - 1)));
    std::string value;
    at = equals + 1;
    while (at < line.size() && line[at] != ';' && line[at] != ':') {
      if (line[at] == '"') {
        const std::size_t close = line.find('"', at + 1);
        if (close == std::string_view::npos) return std::nullopt;
        value.append(line.substr(at + 1, close - at - 1));
        at = close + 1;
      } else {
        value += line[at++];
      }
    }
    if (at >= line.size()) return std::nullopt;
    content.params.emplace_back(std::move(param), std::move(value));
  }
  content.value = std::string(line.substr(at + 1));
  return content;
}

// A TEXT value: \\ \; \, and \n (or \N) stand for themselves and a line end; a backslash
// before anything else is dropped, as readers do.
std::string Unescaped(std::string_view value) {
  std::string text;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\\' || i + 1 == value.size()) {
      text += value[i];
      continue;
    }
    const char next = value[++i];
    text += next == 'n' || next == 'N' ? '\n' : next;
  }
  return text;
}

std::vector<CalendarLine> Lines(const std::string& text, int number) {
  std::vector<CalendarLine> lines;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find('\n', start);
    std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back({std::move(line), number});
    if (end == std::string::npos) break;
    start = end + 1;
  }
  while (!lines.empty() && lines.back().text.find_first_not_of(" \t") == std::string::npos) lines.pop_back();
  return lines;
}

int Digits(std::string_view text) {
  int n = 0;
  for (const char c : text) n = n * 10 + (c - '0');
  return n;
}

// "MMDD" of a DTSTART value (a date, or a date and time as written); empty when it is neither.
std::string DayKey(std::string_view value) {
  if (value.size() < 8 || value.find_first_not_of("0123456789") < 8) return {};
  if (value.size() > 8 && value[8] != 'T') return {};
  const int year = Digits(value.substr(0, 4)), month = Digits(value.substr(4, 2)), day = Digits(value.substr(6, 2));
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  if (month < 1 || month > 12 || day < 1 || day > kDaysIn[month - 1] || (month == 2 && day == 29 && !leap)) return {};
  return std::string(value.substr(4, 4));
}

// Whether a yearly rule falls on DTSTART's day only: no weekday, week, day of the year or
// position, and a month and day, when named, that are DTSTART's.
bool OnItsDay(std::string_view rule, const std::string& key) {
  bool yearly = false, fixed = true;
  std::size_t start = 0;
  while (start <= rule.size()) {
    const std::size_t end = std::min(rule.find(';', start), rule.size());
    const std::string part = Upper((rule.substr(start, end - start)));
    const std::size_t equals = part.find('=');
    const std::string name = part.substr(0, equals), value = equals == std::string::npos ? "" : part.substr(equals + 1);
    if (name == "FREQ") yearly = value == "YEARLY";
    if (name == "BYDAY" || name == "BYWEEKNO" || name == "BYYEARDAY" || name == "BYSETPOS") fixed = false;
    if (name == "BYMONTH" && value.find_first_not_of("0123456789") == std::string::npos &&
        Digits(value) != Digits(key.substr(0, 2)))
      fixed = false;
    if (name == "BYMONTH" && value.find_first_not_of("0123456789") != std::string::npos) fixed = false;
    if (name == "BYMONTHDAY" && value != key.substr(2) && value != std::to_string(Digits(key.substr(2))))
      fixed = false;
    start = end + 1;
  }
  return !yearly || fixed;
}

class Reader {
 public:
  explicit Reader(ICalendarSource& source) : source_(source) {}

  bool Problem(int number, const std::string& what) {
    source_.errors.push_back("line " + std::to_string(number) + ": " + what);
    return source_.errors.size() < kMaxICalendarProblems;
  }

  // One unfolded content line; false when reading stops.
  bool Take(std::string_view line, int number) {
    if (!platform::IsUtf8(line)) return Problem(number, "not UTF-8 text");
    std::optional<ContentLine> content = Split(line, number);
    if (!content) return Problem(number, "not an iCalendar content line (NAME:VALUE)");
    if (stack_.empty() && !(content->name == "BEGIN" && Upper(content->value) == "VCALENDAR")) {
      Problem(number, "not an iCalendar file: BEGIN:VCALENDAR expected");
      return false;
    }
    if (content->name == "BEGIN") {
      if (stack_.size() == kMaxDepth) {
        Problem(number, "components nested too deep");
        return false;
      }
      stack_.push_back({Upper(content->value), number});
      if (stack_.back().name == "VCALENDAR") seen_calendar_ = true;
      if (stack_.back().name == "VEVENT") event_ = Event{};
      return true;
    }
    if (content->name == "END") {
      if (Upper(content->value) != stack_.back().name) {
        Problem(number, "END:" + content->value + " does not end BEGIN:" + stack_.back().name + " (line " +
                            std::to_string(stack_.back().line) + ")");
        return false;
      }
      if (stack_.back().name == "VEVENT") EndEvent();
      stack_.pop_back();
      return true;
    }
    const std::string& in = stack_.back().name;
    if (in == "VCALENDAR" && (content->name == "NAME" || (content->name == "X-WR-CALNAME" && !own_name_))) {
      own_name_ = own_name_ || content->name == "NAME";
      source_.name = Unescaped(content->value);
      source_.name_line = number;
    }
    // An alarm's DESCRIPTION, a time zone's DTSTART, are not the event's.
    if (in != "VEVENT") return true;
    if (content->name == "DTSTART") {
      event_.key = DayKey(content->value);
      event_.dated = true;
      if (event_.key.empty()) return Problem(number, "DTSTART " + content->value + " is no date");
    } else if (content->name == "SUMMARY") {
      event_.summary = Lines(Unescaped(content->value), number);
    } else if (content->name == "DESCRIPTION") {
      event_.description = Lines(Unescaped(content->value), number);
    } else if (content->name == "RRULE") {
      event_.rule = content->value;
    } else if (content->name == "RECURRENCE-ID") {
      event_.override = true;
    }
    return true;
  }

  void Finish(int last) {
    if (!stack_.empty() && source_.errors.size() < kMaxICalendarProblems)
      Problem(last, "BEGIN:" + stack_.back().name + " (line " + std::to_string(stack_.back().line) + ") never ends");
    if (!seen_calendar_ && source_.errors.empty()) Problem(last, "not an iCalendar file: no BEGIN:VCALENDAR");
  }

 private:
  struct Open {
    std::string name;
    int line = 0;
  };
  struct Event {
    std::string key;
    bool dated = false, override = false;
    std::string rule;
    std::vector<CalendarLine> summary, description;
  };

  void EndEvent() {
    if (event_.override) {
      ++source_.overrides;
    } else if (!event_.dated) {
      ++source_.undated;
    } else if (event_.key.empty()) {
      // refused already
    } else if (!OnItsDay(event_.rule, event_.key)) {
      ++source_.unfixed;
    } else {
      CalendarEvent made{event_.key, 0, event_.summary};
      // The description repeats the summary when its first line that shows something is it.
      const auto shown = std::find_if(event_.description.begin(), event_.description.end(), [](const CalendarLine& l) {
        return l.text.find_first_not_of(" \t") != std::string::npos;
      });
      const bool repeated = shown != event_.description.end() && !event_.summary.empty() &&
                            shown->text == event_.summary.front().text;
      if (repeated) made.lines.clear();
      made.lines.insert(made.lines.end(), event_.description.begin(), event_.description.end());
      if (made.lines.empty())
        ++source_.textless;
      else
        source_.events.push_back(std::move(made));
    }
  }

  ICalendarSource& source_;
  std::vector<Open> stack_;
  Event event_;
  bool own_name_ = false, seen_calendar_ = false;
};

}  // namespace

ICalendarSource ParseICalendar(std::string_view text) {
  ICalendarSource source;
  Reader reader(source);
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  std::string logical;
  int logical_number = 0, number = 0;
  bool going = true;
  std::size_t start = 0;
  while (going && start < text.size()) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty() && (line.front() == ' ' || line.front() == '\t') && logical_number > 0) {
      if (logical.size() + line.size() > kMaxLineOctets) {
        going = reader.Problem(logical_number, "a content line longer than 1 MiB");
        logical_number = 0;
        logical.clear();
        continue;
      }
      logical.append(line.substr(1));
      continue;
    }
    if (logical_number > 0) going = reader.Take(logical, logical_number);
    logical.clear();
    logical_number = 0;
    if (line.find_first_not_of(" \t") == std::string_view::npos) continue;  // blank lines are let be
    if (line.size() > kMaxLineOctets) {
      going = going && reader.Problem(number, "a content line longer than 1 MiB");
      continue;
    }
    logical = line;
    logical_number = number;
  }
  if (going && logical_number > 0) going = reader.Take(logical, logical_number);
  if (going) reader.Finish(std::max(number, 1));
  return source;
}

}  // namespace vornelle::themes
