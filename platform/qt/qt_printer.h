#pragma once
#include <QPrinter>
#include <functional>
#include <string>

#include "platform/printer.h"

namespace varlo {

// Prints with Qt Print Support. The print dialog (or, in tests, `askUser`) sets up the
// printer, copies included; the text is laid out as plain text, wrapped to the page and
// paginated, and goes out as one job: a printer that makes copies itself is asked for
// them, otherwise the pages of every copy are in the job.
class QtPrinter final : public IPrinter {
 public:
  // Asks the user about `printer` and returns false when the dialog was cancelled.
  using AskUser = std::function<bool(QPrinter& printer)>;

  QtPrinter();
  explicit QtPrinter(AskUser askUser) : askUser_(std::move(askUser)) {}

  PrintResult PrintText(const std::string& text, const std::string& title) override;
  // Prints a picture of a window, as large as the page allows, in the same way.
  PrintResult PrintImage(const QImage& image, const std::string& title);

 private:
  // Asks, then paints `pages` pages (each copy's pages when PDF keeps the copies) through
  // `paint`, which gets the page number and the page's paint rectangle.
  PrintResult Print(const std::string& title, int pages,
                    const std::function<void(QPrinter&, QPainter&, int, const QRectF&)>& paint,
                    const std::function<int(QPrinter&)>& countPages);

  AskUser askUser_;
};

}  // namespace varlo
