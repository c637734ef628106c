// libFuzzer target of the readers of theme material people are given: calendar(1) files with
// their #include lines, fortune files, the plain text form, iCalendar files, and what the day's text becomes on a
// terminal and in a notification. The first byte chooses the reader; for a calendar the rest is
// a set of files separated by NUL bytes, /f/0 the one read first, the others found by the
// includes that name them (a file /f/r... is refused, a file /f/u... cannot be read). Nothing
// touches the disk.

#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "themes/calendar_source.h"
#include "app/core/day_messages.h"
#include "themes/fortune_source.h"
#include "themes/icalendar_source.h"
#include "themes/theme_source.h"
#include "platform/utf8.h"
#include "platform/visible_text.h"

namespace {

using namespace vornelle::app;
using namespace vornelle::platform;
using namespace vornelle::themes;

class MemoryFiles : public CalendarFiles {
 public:
  explicit MemoryFiles(std::map<std::string, std::string> files) : files_(std::move(files)) {}

  Found Locate(const std::string& path, const std::string&) override {
    if (path.rfind("/f/r", 0) == 0) return {Found::kRefused, {}, "a link leads out of /f"};
    if (path.rfind("/f/u", 0) == 0) return {Found::kUnreadable, {}, "not a regular file"};
    return files_.count(path) ? Found{Found::kFound, path, {}} : Found{};
  }
  std::optional<std::string> Read(const std::string& file, std::string&) override { return files_.at(file); }

 private:
  std::map<std::string, std::string> files_;
};

// Text a terminal or a notification is given holds no control character but tab and line end.
void CheckVisible(std::string_view text, bool line_ends) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte < 0x20 && c != '\t' && !(line_ends && c == '\n')) || byte == 0x7F) abort();
  }
}

void Calendar(std::string_view data) {
  std::map<std::string, std::string> files;
  for (int n = 0; !data.empty() && n < 16; ++n) {
    const std::size_t end = data.find('\0');
    files["/f/" + std::to_string(n)] = std::string(data.substr(0, end));
    data.remove_prefix(end == std::string_view::npos ? data.size() : end + 1);
  }
  // Every line taken for an include's name: the places it may be read stay in their folders.
  std::string_view lines = files["/f/0"];
  for (int n = 0; !lines.empty() && n < 64; ++n) {
    const std::size_t end = lines.find('\n');
    for (const IncludePlace& place : IncludePlaces(lines.substr(0, end), "/f/0")) {
      if (place.path.rfind(place.folder + "/", 0) != 0 || place.path.find("/../") != std::string::npos ||
          place.path.find('\0') != std::string::npos)
        abort();
    }
    lines.remove_prefix(end == std::string_view::npos ? lines.size() : end + 1);
  }
  MemoryFiles memory(std::move(files));
  const CalendarSource source = ParseCalendar("/f/0", memory);
  for (const CalendarEvent& event : source.events) {
    if (event.file >= source.files.size() || event.lines.empty() || !IsThemeKey(event.key)) abort();
  }
}

void Fortunes(std::string_view data) {
  std::vector<ThemeMessage> messages;
  for (const Saying& saying : ParseFortunes(data)) {
    if (saying.lines.empty()) abort();
    messages.push_back({saying.lines.front(), saying.lines});
  }
  // What the sayings would make as a notification, at a limit the data chooses.
  const std::size_t limit = data.empty() ? 0 : static_cast<unsigned char>(data.back()) * 4;
  for (const bool markup : {false, true}) CheckVisible(NotificationBody(messages, markup, limit), true);
}

void ThemeText(std::string_view data) {
  const ThemeSource source = ParseThemeSource(data);
  for (const ThemeSourceRecord& record : source.records)
    for (const std::string& line : record.lines) CheckVisible(VisibleText(line, Tabs::kAsSpace), false);
}

// Every event the iCalendar reader keeps is on a day, with text of whole UTF-8 lines.
void ICalendar(std::string_view data) {
  const ICalendarSource source = ParseICalendar(data);
  if (source.errors.size() > kMaxICalendarProblems) abort();
  for (const CalendarEvent& event : source.events) {
    if (event.lines.empty() || !IsThemeKey(event.key) || event.key == "9999") abort();
    for (const CalendarLine& line : event.lines)
      if (line.text.find('\n') != std::string::npos || !IsUtf8(line.text)) abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view data(reinterpret_cast<const char*>(bytes) + 1, size - 1);
  switch (bytes[0] % 4) {
    case 0: Calendar(data); break;
    case 1: Fortunes(data); break;
    case 3: ICalendar(data); break;
    default: ThemeText(data); break;
  }
  return 0;
}
