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
        dialog.setWindowTitle(QStringLiteral("Print ") + printer.docName());
        return dialog.exec() == QDialog::Accepted;
      }) {}

PrintResult QtPrinter::Print(
    const std::string& title, int pages,
    const std::function<void(QPrinter&, QPainter&, int, const QRectF&)>& paint,
    const std::function<int(QPrinter&)>& countPages) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(PathToQt(title));
  printer.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
  if (!askUser_(printer)) return PrintResult::kCancelled;
  if (!printer.isValid()) return PrintResult::kFailed;
  // A printer driver makes the copies of one job itself; PDF output has no such thing, so
  // there the job holds the pages of every copy.
  const int copies = printer.outputFormat() == QPrinter::PdfFormat ? printer.copyCount() : 1;
  if (copies > 1) printer.setCopyCount(1);

  QPainter painter;
  if (!painter.begin(&printer)) return PrintResult::kFailed;
  const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
  if (countPages) pages = countPages(printer);
  bool first = true;
  for (int copy = 0; copy < copies; ++copy) {
    for (int n = 0; n < pages; ++n) {
      if (!first && !printer.newPage()) return PrintResult::kFailed;
      first = false;
      painter.save();
      paint(printer, painter, n, page);
      painter.restore();
    }
  }
  if (!painter.end()) return PrintResult::kFailed;
  return printer.printerState() == QPrinter::Error || printer.printerState() == QPrinter::Aborted
             ? PrintResult::kFailed
             : PrintResult::kPrinted;
}

PrintResult QtPrinter::PrintText(const std::string& text, const std::string& title) {
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
  return Print(
      title, 0,
      [&doc](QPrinter&, QPainter& painter, int n, const QRectF& page) {
        const QRectF slice(0, n * page.height(), page.width(), page.height());
        painter.translate(0, -slice.top());
        doc.drawContents(&painter, slice);
      },
      [&doc](QPrinter& printer) {
        doc.documentLayout()->setPaintDevice(&printer);
        doc.setPageSize(printer.pageLayout().paintRectPixels(printer.resolution()).size());
        return doc.pageCount();
      });
}

PrintResult QtPrinter::PrintImage(const QImage& image, const std::string& title) {
  if (image.isNull()) return PrintResult::kFailed;
  return Print(title, 1,
               [&image](QPrinter&, QPainter& painter, int, const QRectF& page) {
                 const QSize size = image.size().scaled(page.size().toSize(), Qt::KeepAspectRatio);
                 painter.setRenderHint(QPainter::SmoothPixmapTransform);
                 painter.drawImage(QRectF(QPointF(0, 0), QSizeF(size)), image);
               },
               {});
}

}  // namespace varlo
