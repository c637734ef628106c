// What a terminal or a box is given of text that came from a file: its controls shown, never
// obeyed.

#include "platform/visible_text.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace vornelle::platform {
namespace {

TEST(VisibleText, ControlsAreShownNotObeyed) {
  // (text, tabs as spaces, shown)
  const std::tuple<std::string, bool, std::string> cases[] = {
      {"plain \u00e9t\u00e9", false, "plain \u00e9t\u00e9"},
      {"\x1b[2Jclear", false, "^[[2Jclear"},
      {std::string("a\0b\x7f", 4), false, "a^@b^?"},
      {"line\rover\nnext", false, "line^Mover^Jnext"},
      {"col\tumn", false, "col\tumn"},
      {"col\tumn", true, "col umn"},
      {"\xc2\x9b" "31m C1", false, "\ufffd" "31m C1"},
      {"\xff\xc3", false, "\ufffd\ufffd"},
  };
  for (const auto& [text, spaces, shown] : cases)
    EXPECT_EQ(VisibleText(text, spaces ? Tabs::kAsSpace : Tabs::kKept), shown) << text;
}

TEST(VisibleText, LinesJoinedTheirControlsShown) {
  // (text, joiner, shown): LF and CR LF end lines; a lone CR inside a line is shown.
  const std::tuple<std::string, std::string, std::string> cases[] = {
      {"one\r\ntwo\nthree", " ", "one two three"},
      {"one\r\ntwo\n", "\n", "one\ntwo\n"},
      {"a\rb\r\n\x1b[0m", "|", "a^Mb|^[[0m"},
      {"", "\n", ""},
  };
  for (const auto& [text, joiner, shown] : cases) EXPECT_EQ(VisibleLines(text, joiner), shown) << text;
}

}  // namespace
}  // namespace vornelle::platform
