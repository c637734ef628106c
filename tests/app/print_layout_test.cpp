// Where printed days go on their pages: whole days on a page where they fit, a date or a
// description never last on a page, lines never cut.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/core/print_layout.h"

using vornelle::app::LayOutPages;
using vornelle::app::PrintParagraph;

namespace {

// "paragraph:first+count@top" for each piece, pages separated by " | ".
std::string Shown(const std::vector<vornelle::app::PrintedPage>& pages) {
  std::string shown;
  for (std::size_t p = 0; p < pages.size(); ++p) {
    if (p > 0) shown += " | ";
    for (std::size_t i = 0; i < pages[p].size(); ++i) {
      const auto& piece = pages[p][i];
      shown += (i ? " " : "") + std::to_string(piece.paragraph) + ":" + std::to_string(piece.first_line) + "+" +
               std::to_string(piece.line_count) + "@" + std::to_string(int(piece.top));
    }
  }
  return shown;
}

// A day: its date (keeps with what follows, 5 of space before it), then paragraphs of `lines`.
void AddDay(std::vector<PrintParagraph>& paragraphs, int day, const std::vector<int>& lines) {
  paragraphs.push_back({day, 1, 10, 5, !lines.empty()});
  for (int count : lines) paragraphs.push_back({day, count, 10, 0, false});
}

}  // namespace

TEST(PrintLayout, BreaksBetweenDaysAndNeverInsideALine) {
  struct Case {
    const char* what;
    std::vector<std::vector<int>> days;  // each day's message paragraphs, by their lines
    double page_height;
    std::string pages;
  } cases[] = {
      {"nothing", {}, 100, ""},
      {"two days on a page; no space at the top", {{2}, {1}}, 100, "0:0+1@0 1:0+2@10 2:0+1@35 3:0+1@45"},
      {"the second day does not fit: a page of its own", {{3}, {3}}, 60, "0:0+1@0 1:0+3@10 | 2:0+1@0 3:0+3@10"},
      {"a paragraph that fits a page goes to the next whole", {{2, 4}}, 45, "0:0+1@0 1:0+2@10 | 2:0+4@0"},
      {"one taller than a page goes on from page to page", {{2, 6}}, 45,
       "0:0+1@0 1:0+2@10 2:0+1@30 | 2:1+4@0 | 2:5+1@0"},
      {"a date is never last on a page", {{3}, {1, 1}}, 50, "0:0+1@0 1:0+3@10 | 2:0+1@0 3:0+1@10 4:0+1@20"},
      {"a day with no message keeps with nothing", {{}, {}}, 12, "0:0+1@0 | 1:0+1@0"},
      {"a page shorter than a line holds a line all the same", {{2}}, 5, "0:0+1@0 | 1:0+1@0 | 1:1+1@0"},
  };
  for (const Case& c : cases) {
    std::vector<PrintParagraph> paragraphs;
    for (std::size_t d = 0; d < c.days.size(); ++d) AddDay(paragraphs, int(d), c.days[d]);
    EXPECT_EQ(Shown(LayOutPages(paragraphs, c.page_height)), c.pages) << c.what;
  }
}
