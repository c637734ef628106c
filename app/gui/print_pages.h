#pragma once
// Printed days: the dates, each displayed theme's description and message, in the pane's font,
// on the pages of a printer or a PDF file. Pages break between days where a day fits on a page
// of its own, and never inside a line (app/core/print_layout.h places them).

#include <QDate>
#include <QFont>
#include <QString>
#include <utility>
#include <vector>

#include "app/core/day_messages.h"

class QPagedPaintDevice;

namespace vornelle::app {

// What is printed: the selected day, its week (from the locale's first day of the week) or its
// month.
enum class PrintSpan { kDay, kWeek, kMonth };

// The first and the last day `span` covers around `day`.
std::pair<QDate, QDate> SpanDays(PrintSpan span, const QDate& day, Qt::DayOfWeek first_day_of_week);

struct PrintedDay {
  QString title;                        // the date, as the locale writes it in full
  std::vector<ThemeMessage> messages;   // each displayed theme's that has one, in order
};

// The days from `first` to `last` of the theme `files`, each theme read once; what cannot be
// read is raised.
std::vector<PrintedDay> ReadPrintedDays(const std::vector<std::string>& files, const QDate& first, const QDate& last);

// Paints `days` on `device`, a page after another, with `font` for the messages (the dates and
// descriptions in its bold), each page's number at its foot. Returns the number of pages.
int PaintDays(QPagedPaintDevice& device, const std::vector<PrintedDay>& days, const QFont& font);

}  // namespace vornelle::app
