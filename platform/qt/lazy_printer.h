#pragma once
#include <string>

#include "platform/backend_plugin.h"
#include "platform/qt/picture_printer.h"

namespace varlo {

// The printer of the printing plugin (Qt Print Support and, through it, CUPS), loaded the first
// time something is printed. Without the plugin every print fails, with a line on standard
// error.
class LazyPrinter final : public PicturePrinter {
 public:
  // `ask` as the plugin's printer takes it: empty for the system's print dialog. `plugin` is
  // the plugin's path, empty for the one in the program's plugin folder.
  explicit LazyPrinter(AskPrinterUser ask = {}, std::string plugin = {});

  PrintResult PrintText(const std::string& text, const std::string& title) override;
  PrintResult PrintImage(const QImage& image, const std::string& title) override;

 private:
  PicturePrinter* Printer() { return printer_.Get<VarloMakePrinter>(ask_); }

  AskPrinterUser ask_;
  PluginBackend<PicturePrinter> printer_;
};

}  // namespace varlo
