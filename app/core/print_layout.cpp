#include "app/core/print_layout.h"

#include <algorithm>
#include <cmath>

namespace vornelle::app {

namespace {

// Heights are sums of font metrics: a rounding error must not push a line off a page it fits.
constexpr double kSlack = 1e-6;

double Height(const PrintParagraph& paragraph) { return paragraph.lines * paragraph.line_height; }

// The height from the first paragraph of the day that starts at `first` to the day's end.
double DayHeight(const std::vector<PrintParagraph>& paragraphs, std::size_t first) {
  double height = Height(paragraphs[first]);
  for (std::size_t i = first + 1; i < paragraphs.size() && paragraphs[i].day == paragraphs[first].day; ++i)
    height += paragraphs[i].space_before + Height(paragraphs[i]);
  return height;
}

// The height paragraph `i` needs on its page: itself, and the first line of what it keeps with.
double NeededHeight(const std::vector<PrintParagraph>& paragraphs, std::size_t i) {
  double height = Height(paragraphs[i]);
  for (std::size_t next = i + 1; paragraphs[next - 1].keep_with_next && next < paragraphs.size(); ++next) {
    const PrintParagraph& kept = paragraphs[next];
    height += kept.space_before + (kept.keep_with_next ? Height(kept) : kept.line_height);
    if (!kept.keep_with_next) break;
  }
  return height;
}

}  // namespace

std::vector<PrintedPage> LayOutPages(const std::vector<PrintParagraph>& paragraphs, double page_height) {
  std::vector<PrintedPage> pages(1);
  double y = 0;  // where the next paragraph's space begins on the last page
  const auto new_page = [&] {
    if (pages.back().empty()) return;
    pages.emplace_back();
    y = 0;
  };
  for (std::size_t i = 0; i < paragraphs.size(); ++i) {
    const PrintParagraph& paragraph = paragraphs[i];
    if ((i == 0 || paragraph.day != paragraphs[i - 1].day) &&
        y + paragraph.space_before + DayHeight(paragraphs, i) > page_height + kSlack)
      new_page();
    const double needed = NeededHeight(paragraphs, i);
    if (y + paragraph.space_before + needed > page_height + kSlack && needed <= page_height + kSlack) new_page();
    double space = y > 0 ? paragraph.space_before : 0;
    for (int first = 0; first < paragraph.lines;) {
      const double room = page_height - y - space + kSlack;
      int fit = paragraph.line_height > 0 ? static_cast<int>(std::floor(room / paragraph.line_height))
                                          : paragraph.lines;
      if (fit <= 0 && pages.back().empty()) fit = 1;  // a line taller than a page
      if (fit <= 0) {
        new_page();
        space = 0;
        continue;
      }
      const int count = std::min(fit, paragraph.lines - first);
      pages.back().push_back({i, first, count, y + space});
      y += space + count * paragraph.line_height;
      space = 0;
      first += count;
      if (first < paragraph.lines) new_page();
    }
  }
  return pages;
}

}  // namespace vornelle::app
