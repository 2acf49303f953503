#include "platform/qt/qt_printer.h"

#include <QApplication>
#include <QFont>
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
  // QTextDocument::print fits the document to the printer's page, paginates it, and repeats
  // the pages itself for the copies when the printer cannot make them.
  doc.print(&printer);
  return printer.printerState() == QPrinter::Error || printer.printerState() == QPrinter::Aborted
             ? PrintResult::kFailed
             : PrintResult::kPrinted;
}

}  // namespace varlo
