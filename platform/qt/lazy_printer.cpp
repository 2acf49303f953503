#include "platform/qt/lazy_printer.h"

namespace varlo {

LazyPrinter::LazyPrinter(AskPrinterUser ask, std::string plugin)
    : ask_(std::move(ask)),
      printer_(plugin.empty() ? kVarloPrintPlugin : std::move(plugin), kVarloMakePrinter,
               "printing") {}

PrintResult LazyPrinter::PrintText(const std::string& text, const std::string& title) {
  PicturePrinter* printer = Printer();
  return printer ? printer->PrintText(text, title) : PrintResult::kFailed;
}

PrintResult LazyPrinter::PrintImage(const QImage& image, const std::string& title) {
  PicturePrinter* printer = Printer();
  return printer ? printer->PrintImage(image, title) : PrintResult::kFailed;
}

}  // namespace varlo
