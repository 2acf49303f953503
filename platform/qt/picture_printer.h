#pragma once
#include <functional>
#include <string>

#include "platform/printer.h"

class QImage;
class QPrinter;

namespace varlo {

// A printer that also prints pictures of windows.
class PicturePrinter : public IPrinter {
 public:
  // Prints `image` as large as the page allows, otherwise as PrintText does.
  virtual PrintResult PrintImage(const QImage& image, const std::string& title) = 0;
};

// Sets up `printer` for a job, copies included, as the print dialog does; false when the user
// cancelled. Tests answer for the user with one of these.
using AskPrinterUser = std::function<bool(QPrinter& printer)>;

}  // namespace varlo

// The printing plugin's one export: a printer that asks `ask`, or shows the system's print
// dialog when `ask` is empty. The caller owns the printer.
using VarloMakePrinter = varlo::PicturePrinter* (*)(varlo::AskPrinterUser ask);
inline constexpr const char* kVarloPrintPlugin = "libvarlo_print.so";
inline constexpr const char* kVarloMakePrinter = "varlo_make_printer";
