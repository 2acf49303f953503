#include "platform/qt/qt_printer.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFont>
#include <QMarginsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QTextDocument>
#include <QTextOption>

#include "platform/qt/path_text.h"

namespace varlo {

QtPrinter::QtPrinter()
    : askUser_([](QPrinter& printer) {
        QPrintDialog dialog(&printer, QApplication::activeWindow());
        dialog.setWindowTitle(QStringLiteral("Print Note"));
        return dialog.exec() == QDialog::Accepted;
      }) {}

PrintResult QtPrinter::PrintText(const std::string& text, const std::string& title) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(PathToQt(title));
  printer.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
  if (!askUser_(printer)) return PrintResult::kCancelled;
  if (!printer.isValid()) return PrintResult::kFailed;

  // Plain text, never markup, in a fixed font so that columns typed in the note stay aligned.
  QTextDocument doc;
  QFont font(QStringLiteral("DejaVu Sans Mono"));
  font.setStyleHint(QFont::Monospace);
  font.setPointSize(10);
  doc.setDefaultFont(font);
  QTextOption option = doc.defaultTextOption();
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  doc.setDefaultTextOption(option);
  doc.setPlainText(PathToQt(text));
  // A printer driver makes the copies of one job itself; PDF output has no such thing, so
  // there the job holds the pages of every copy.
  const int copies = printer.outputFormat() == QPrinter::PdfFormat ? printer.copyCount() : 1;
  if (copies > 1) printer.setCopyCount(1);

  QPainter painter;
  if (!painter.begin(&printer)) return PrintResult::kFailed;
  doc.documentLayout()->setPaintDevice(&printer);
  const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
  doc.setPageSize(page.size());
  const int pages = doc.pageCount();
  bool first = true;
  for (int copy = 0; copy < copies; ++copy) {
    for (int n = 0; n < pages; ++n) {
      if (!first && !printer.newPage()) return PrintResult::kFailed;
      first = false;
      const QRectF slice(0, n * page.height(), page.width(), page.height());
      painter.save();
      painter.translate(0, -slice.top());
      doc.drawContents(&painter, slice);
      painter.restore();
    }
  }
  if (!painter.end()) return PrintResult::kFailed;
  return printer.printerState() == QPrinter::Error || printer.printerState() == QPrinter::Aborted
             ? PrintResult::kFailed
             : PrintResult::kPrinted;
}

}  // namespace varlo
