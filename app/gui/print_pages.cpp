#include "app/gui/print_pages.h"

#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextLayout>
#include <memory>

#include "app/core/day_range.h"
#include "app/core/print_layout.h"
#include "app/gui/calendar_dates.h"

namespace vornelle::app {

namespace {

// A paragraph to print, wrapped to the page's width.
struct Block {
  std::unique_ptr<QTextLayout> layout;
  qreal line_height = 0;
};

class PageBuilder {
 public:
  PageBuilder(const QFont& font, const QPaintDevice* device, qreal width)
      : device_(device), plain_(font, device), bold_(plain_), width_(width) {
    bold_.setBold(true);
    title_ = bold_;
    title_.setPointSizeF(bold_.pointSizeF() * 1.25);
  }

  void AddDays(const std::vector<PrintedDay>& days) {
    for (std::size_t d = 0; d < days.size(); ++d) {
      const int day = int(d);
      const qreal spacing = QFontMetricsF(plain_, device_).lineSpacing();
      Add(day, days[d].title, title_, d > 0 ? 1.5 * spacing : 0, !days[d].messages.empty());
      for (const ThemeMessage& message : days[d].messages) {
        Add(day, QString::fromStdString(message.description), bold_, 0.5 * spacing, true);
        // The description keeps with the message's first line; a line keeps with nothing.
        for (const std::string& line : message.lines) Add(day, QString::fromStdString(line), plain_, 0, false);
      }
    }
  }

  const std::vector<PrintParagraph>& Paragraphs() const { return paragraphs_; }
  const Block& BlockAt(std::size_t i) const { return blocks_[i]; }

 private:
  void Add(int day, const QString& text, const QFont& font, qreal space_before, bool keep_with_next) {
    Block block;
    block.layout = std::make_unique<QTextLayout>(text, font, device_);
    block.line_height = QFontMetricsF(font, device_).lineSpacing();
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    block.layout->setTextOption(option);
    block.layout->beginLayout();
    int lines = 0;
    for (QTextLine line = block.layout->createLine(); line.isValid(); line = block.layout->createLine()) {
      line.setLineWidth(width_);
      line.setPosition(QPointF(0, lines * block.line_height));
      ++lines;
    }
    block.layout->endLayout();
    paragraphs_.push_back({day, std::max(lines, 1), block.line_height, space_before, keep_with_next});
    blocks_.push_back(std::move(block));
  }

  const QPaintDevice* device_;
  QFont plain_, bold_, title_;
  qreal width_;
  std::vector<PrintParagraph> paragraphs_;
  std::vector<Block> blocks_;
};

}  // namespace

std::pair<QDate, QDate> SpanDays(PrintSpan span, const QDate& day, Qt::DayOfWeek first_day_of_week) {
  switch (span) {
    case PrintSpan::kDay: return {day, day};
    case PrintSpan::kWeek: {
      const QDate first = day.addDays(-((day.dayOfWeek() - first_day_of_week + 7) % 7));
      return {first, first.addDays(6)};
    }
    case PrintSpan::kMonth: break;
  }
  const QDate first(day.year(), day.month(), 1);
  return {first, first.addDays(first.daysInMonth() - 1)};
}

std::vector<PrintedDay> ReadPrintedDays(const std::vector<std::string>& files, const QDate& first, const QDate& last) {
  const std::vector<DisplayedTheme> themes = ReadDisplayedThemes(files);
  std::vector<PrintedDay> days;
  const QLocale locale;
  for (QDate day = first; day.isValid() && day <= last; day = day.addDays(1))
    days.push_back({locale.toString(day, QLocale::LongFormat), MessagesOn(themes, FromQDate(day))});
  return days;
}

int PaintDays(QPagedPaintDevice& device, const std::vector<PrintedDay>& days, const QFont& font) {
  QPainter painter(&device);
  // The painter's window is the page's printable area, in device pixels.
  const QRectF area = painter.viewport();
  PageBuilder builder(font, &device, area.width());
  builder.AddDays(days);
  // Each page ends in its number, "2 / 5", under a line's space of its own.
  const QFont footer_font(font, &device);
  const qreal footer = 2 * QFontMetricsF(footer_font, &device).lineSpacing();
  const std::vector<PrintedPage> pages = LayOutPages(builder.Paragraphs(), area.height() - footer);
  painter.setPen(Qt::black);
  for (std::size_t p = 0; p < pages.size(); ++p) {
    if (p > 0) device.newPage();
    painter.setFont(footer_font);
    painter.drawText(QRectF(0, area.height() - footer, area.width(), footer), Qt::AlignHCenter | Qt::AlignBottom,
                     QString("%1 / %2").arg(p + 1).arg(pages.size()));
    for (const PagePiece& piece : pages[p]) {
      const Block& block = builder.BlockAt(piece.paragraph);
      for (int i = 0; i < piece.line_count; ++i) {
        const QTextLine line = block.layout->lineAt(piece.first_line + i);
        if (!line.isValid()) continue;  // an empty paragraph: its line is blank
        line.draw(&painter, QPointF(0, piece.top + i * block.line_height - line.y()));
      }
    }
  }
  return int(pages.size());
}

}  // namespace vornelle::app
