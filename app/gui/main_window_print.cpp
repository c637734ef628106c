// The main window's printing: File > Print... (the print dialog's preview, with the day, the
// week or the month of the selected day) and File > Export as PDF... (the same pages in a file).

#include <QComboBox>
#include <QCalendarWidget>
#include <QFileDialog>
#include <QInputDialog>
#include <QLocale>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QSaveFile>
#include <QToolBar>

#include "app/core/day_lookup.h"
#include "app/core/product.h"
#include "app/gui/main_window.h"
#include "app/gui/print_pages.h"

namespace vornelle::app {

namespace {

// The spans as the user chooses them, in PrintSpan's order.
QStringList SpanNames() {
  return {TForm1::tr("Selected Day"), TForm1::tr("Its Week"), TForm1::tr("Its Month")};
}

}  // namespace

std::vector<PrintedDay> TForm1::DaysToPrint(PrintSpan span) const {
  std::vector<std::string> files;
  for (const std::string& entry : program_.themes.SelTheme) files.push_back(ThemeName(entry));
  const auto [first, last] = SpanDays(span, calendar_->selectedDate(), QLocale().firstDayOfWeek());
  return ReadPrintedDays(files, first, last);
}

void TForm1::PrintClick() {
  Guarded([this] {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString::fromStdString(ApplicationTitle()));
    QPrintPreviewDialog preview(&printer, this);
    preview.setObjectName("PrintPreview");
    // What to print, chosen in the preview's own toolbar; the pages follow at once.
    auto* span = new QComboBox(&preview);
    span->setObjectName("PrintSpan");
    span->setAccessibleName(tr("Days to print"));
    span->addItems(SpanNames());
    // First in the toolbar, where a narrow dialog does not hide it.
    if (QToolBar* toolbar = preview.findChild<QToolBar*>()) {
      QAction* first = toolbar->actions().value(0);
      toolbar->insertWidget(first, span);
      toolbar->insertSeparator(first);
    }
    connect(span, &QComboBox::currentIndexChanged, &preview, [&preview] {
      if (auto* pages = preview.findChild<QPrintPreviewWidget*>()) pages->updatePreview();
    });
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this, span](QPrinter* device) {
      Guarded([&] { PaintDays(*device, DaysToPrint(PrintSpan(span->currentIndex())), pane_->font()); });
    });
    if (show_print_preview)
      show_print_preview(preview);
    else
      preview.exec();
  });
}

void TForm1::ExportPdfClick() {
  std::optional<std::pair<PrintSpan, QString>> asked;
  if (ask_pdf) {
    asked = ask_pdf();
  } else {
    bool chosen = false;
    const QStringList names = SpanNames();
    const QString name = QInputDialog::getItem(this, tr("Export as PDF"), tr("&Days to export:"), names, 0, false, &chosen);
    if (!chosen) return;
    const QString path = QFileDialog::getSaveFileName(this, tr("Export as PDF"), QString(), tr("PDF files (*.pdf)"));
    if (path.isEmpty()) return;
    asked.emplace(PrintSpan(names.indexOf(name)), path);
  }
  if (asked) ExportPdf(asked->first, asked->second);
}

bool TForm1::ExportPdf(PrintSpan span, const QString& path) {
  bool written = false;
  Guarded([&] {
    const std::vector<PrintedDay> days = DaysToPrint(span);
    // Written beside and put in place whole: a failure leaves the old file as it was.
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
      {
        QPdfWriter pdf(&file);
        pdf.setTitle(QString::fromStdString(ApplicationTitle()));
        pdf.setCreator(QString::fromStdString(ApplicationTitle()));
        pdf.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        PaintDays(pdf, days, pane_->font());
      }
      written = file.commit();
    }
    if (!written)
      boxes_.Error(ApplicationTitle(),
                   tr("The PDF file %1 could not be written: %2").arg(path, file.errorString()).toStdString());
  });
  return written;
}

}  // namespace vornelle::app
