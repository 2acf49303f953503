// The printing plugin: QtPrinter behind the picture printer the program loads it as.
#include <QImage>
#include <type_traits>

#include "platform/backend_plugin.h"
#include "platform/qt/picture_printer.h"
#include "platform/qt/qt_printer.h"

namespace varlo {
namespace {

class PluginPrinter final : public PicturePrinter {
 public:
  explicit PluginPrinter(AskPrinterUser ask)
      : printer_(ask ? QtPrinter(std::move(ask)) : QtPrinter()) {}
  PrintResult PrintText(const std::string& text, const std::string& title) override {
    return printer_.PrintText(text, title);
  }
  PrintResult PrintImage(const QImage& image, const std::string& title) override {
    return printer_.PrintImage(image, title);
  }

 private:
  QtPrinter printer_;
};

}  // namespace
}  // namespace varlo

VARLO_PLUGIN_EXPORT varlo::PicturePrinter* varlo_make_printer(varlo::AskPrinterUser ask) {
  return new varlo::PluginPrinter(std::move(ask));
}
static_assert(std::is_same_v<decltype(&varlo_make_printer), VarloMakePrinter>);
