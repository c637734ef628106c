#pragma once
// Where printed days go on their pages. What is printed comes as paragraphs (a day's date, a
// theme's description, each line of a message), already wrapped to the page's width, so that
// only their heights matter here:
//  - a day starts on a new page when it does not fit in what is left of the page;
//  - a paragraph that does not fit goes whole to the next page, unless it is taller than a page:
//    then its lines go on from page to page;
//  - a page never ends after a date or a description (they keep with what follows);
//  - a line is never cut, and the space before a paragraph is dropped at the top of a page.

#include <cstddef>
#include <vector>

namespace vornelle::app {

struct PrintParagraph {
  int day = 0;                 // the days in order; a new number starts a new day
  int lines = 1;               // its lines, once wrapped
  double line_height = 0;      // each line's
  double space_before = 0;     // between it and the paragraph before it on the page
  bool keep_with_next = false; // its page holds the first line of the paragraph after it too
};

// A paragraph's lines on one page.
struct PagePiece {
  std::size_t paragraph = 0;
  int first_line = 0;
  int line_count = 0;
  double top = 0;  // of its first line, from the top of the page's printed area
};
using PrintedPage = std::vector<PagePiece>;

// The pages of `paragraphs` on pages `page_height` high: at least one page, empty when there
// is nothing to print. A line taller than a page has a page of its own.
std::vector<PrintedPage> LayOutPages(const std::vector<PrintParagraph>& paragraphs, double page_height);

}  // namespace vornelle::app
