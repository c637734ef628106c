// The day's messages as a notification body: plain or with markup, and cut near the limit at a
// whole line.

#include <gtest/gtest.h>

#include "app/core/day_messages.h"

namespace vornelle::app {
namespace {

struct BodyCase {
  const char* name;
  std::vector<ThemeMessage> messages;
  bool markup;
  std::size_t limit;
  std::string body;
};

TEST(NotificationBody, PlainMarkupAndCut) {
  const std::vector<ThemeMessage> two = {{"Almanac", {"Fireworks.", "Second line."}}, {"Garden", {"Sow <early> & late."}}};
  const std::string cafe = "Caf\u00e9 ";  // two bytes, one character
  const BodyCase cases[] = {
      {"plain", two, false, 1000, "Almanac\nFireworks.\nSecond line.\n\nGarden\nSow <early> & late."},
      {"markup", two, true, 1000,
       "<b>Almanac</b>\nFireworks.\nSecond line.\n\n<b>Garden</b>\nSow &lt;early&gt; &amp; late."},
      {"cut at the last whole line", two, false, 31, "Almanac\nFireworks.\nSecond line.\n..."},
      {"characters, not bytes", {{"D", {cafe + cafe}}}, false, 12, "D\nCaf\u00e9 Caf\u00e9 "},
      {"one line too long", {{"Almanac", {}}}, false, 4, "Alma\n..."},
      {"never half an escape or tag", {{"A&B", {}}}, true, 8, "<b>A</b>\n..."},
  };
  for (const BodyCase& c : cases) EXPECT_EQ(NotificationBody(c.messages, c.markup, c.limit), c.body) << c.name;
}

}  // namespace
}  // namespace vornelle::app
