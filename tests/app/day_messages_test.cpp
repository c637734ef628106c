// The day's messages as a notification body: plain or with markup, each theme given a share of
// the limit; and text made visible for a terminal.

#include <gtest/gtest.h>

#include <tuple>

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
      {"a long first line is cut at a word, not left out", {{"D", {"one two three four"}}}, false, 12,
       "D\none two\u2026"},
      {"a short theme keeps all of it, a long one the rest", {{"A", {"x x x x x x x x x x"}}, {"B", {"b"}}}, false, 16,
       "A\nx x x x\u2026\n\nB\nb"},
      {"every theme keeps a share", two, false, 31, "Almanac\u2026\n\nGarden\nSow\u2026"},
      {"characters, not bytes", {{"D", {cafe + cafe}}}, false, 12, "D\nCaf\u00e9 Caf\u00e9 "},
      {"NUL and escapes shown, not obeyed", {{"A", {std::string("one\0two", 7)}}, {"B", {"\x1b[2J"}}}, false, 1000,
       "A\none^@two\n\nB\n^[[2J"},
      {"cut before escaping: never half an escape", {{"A & B", {}}}, true, 4, "<b>A &amp;\u2026</b>"},
  };
  for (const BodyCase& c : cases) EXPECT_EQ(NotificationBody(c.messages, c.markup, c.limit), c.body) << c.name;
}

}  // namespace
}  // namespace vornelle::app
