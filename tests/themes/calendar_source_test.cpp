// Calendar files as theme material.

#include <gtest/gtest.h>

#include <map>

#include "themes/calendar_source.h"

namespace vornelle::themes {
namespace {

TEST(CalendarSource, DatesAsTheUtilityReadsThem) {
  // The keys the calendar utility was seen to give these dates; "" where it shows no fixed day.
  const std::pair<const char*, const char*> cases[] = {
      {"01/01", "0101"}, {"01/01*", "0101"}, {"Jan 5", "0105"},  {"5 Jan", "0105"},
      {"January 7", "0107"}, {"Jun. 15", "0615"}, {"jan/03", "0103"}, {"13/01", "0113"},
      {"6 15", "0615"},  {"7-4", "0704"},   {"9/0", "0901"},    {"June", "0601"},
      {"Feb 29", "0229"}, {"01/01/2024", "0101"}, {"2/30", ""},  {"0/5", ""},
      {"15 *", ""},      {"* 11", ""},      {"May Sun+2", ""},  {"07/FriLast", ""},
      {"Easter-2", ""},  {"Friday", ""},    {"15", ""},         {"", ""}};
  for (const auto& [date, key] : cases)
    EXPECT_EQ(CalendarDateKey(date).value_or(""), key) << date;
}

// Files in memory, each found under its own name only.
class MemoryFiles : public CalendarFiles {
 public:
  explicit MemoryFiles(std::map<std::string, std::string> files) : files_(std::move(files)) {}
  Found Locate(const std::string& path, const std::string&) override {
    return files_.count(path) ? Found{Found::kFound, path, {}} : Found{};
  }
  std::optional<std::string> Read(const std::string& file, std::string&) override { return files_.at(file); }

 private:
  std::map<std::string, std::string> files_;
};

TEST(CalendarSource, EventsCommentsContinuationsAndIncludes) {
  MemoryFiles files({{"/c/top", "/* a comment\n01/01\tnot an event */\n#ifndef _top_\nLANG=C\n"
                                "#include <shared>\n01/02\t  First  \n\n\tgoes on\n05/SunLast\tmoves\n\tdropped\n"
                                "03/03 no tab\n\tdropped too\n#include \"shared\"\n#include <missing>\n"},
                     {"/c/shared", "01/02\tShared\n"}});
  const CalendarSource source = ParseCalendar("/c/top", files);
  ASSERT_EQ(source.events.size(), 2u);  // the shared file once, before the event after it
  EXPECT_EQ(source.files[source.events[0].file], "/c/shared");
  EXPECT_EQ(source.events[1].key, "0102");
  ASSERT_EQ(source.events[1].lines.size(), 2u);
  EXPECT_EQ(source.events[1].lines[0].text, "First");
  EXPECT_EQ(source.events[1].lines[1].text, "goes on");
  EXPECT_EQ(source.events[1].lines[1].number, 8);
  EXPECT_EQ(source.unfixed, 1);
  ASSERT_EQ(source.errors.size(), 1u);
  EXPECT_EQ(source.errors[0].rfind("/c/top: line 14: #include missing: no such file", 0), 0u) << source.errors[0];
}

TEST(CalendarSource, AFileIncludingItselfIsReadOnce) {
  MemoryFiles files(std::map<std::string, std::string>{{"/c/self", "#include \"self\"\n12/31\tEnd\n"}});
  const CalendarSource source = ParseCalendar("/c/self", files);
  EXPECT_EQ(source.events.size(), 1u);
  EXPECT_TRUE(source.errors.empty());
}

TEST(CalendarSource, IncludesAreLookedForOnlyBesideAndInTheSharedFolders) {
  // (name, the places it is looked for, each "path in folder"); none: refused
  const std::pair<const char*, std::vector<std::string>> cases[] = {
      {"calendar.all", {"/d/calendar.all in /d", "/etc/calendar/calendar.all in /etc/calendar",
                        "/usr/share/calendar/calendar.all in /usr/share/calendar"}},
      {"de_DE/./x/../calendar.all", {"/d/de_DE/calendar.all in /d", "/etc/calendar/de_DE/calendar.all in /etc/calendar",
                                     "/usr/share/calendar/de_DE/calendar.all in /usr/share/calendar"}},
      {"/usr/share/calendar/calendar.lotr", {"/usr/share/calendar/calendar.lotr in /usr/share/calendar"}},
      {"/etc/calendar/../passwd", {}},
      {"/home/user/.calendar/calendar", {}},
      {"/usr/share/calendarx", {}},
      {"../../home/user/.ssh/id_rsa", {}},
      {"x/../../y", {}},
      {"", {}},
      {"..", {}},
  };
  for (const auto& [name, expected] : cases) {
    std::vector<std::string> places;
    for (const IncludePlace& place : IncludePlaces(name, "/d/top.cal")) places.push_back(place.path + " in " + place.folder);
    EXPECT_EQ(places, expected) << name;
  }
}

}  // namespace
}  // namespace vornelle::themes
