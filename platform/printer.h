#pragma once
#include <string>

namespace varlo {

enum class PrintResult { kPrinted, kCancelled, kFailed };

// The printer. PrintText shows the platform's print dialog and prints `text` (UTF-8; bytes
// that are not UTF-8 print as they are shown on screen) as one job of as many copies as the
// dialog asked for, wrapped to the page width and paginated. `title` names the job. Modal:
// runs on the GUI thread and returns when the job is handed over or the dialog cancelled.
class IPrinter {
 public:
  virtual ~IPrinter() = default;
  virtual PrintResult PrintText(const std::string& text, const std::string& title) = 0;
};

// No printer: every print is cancelled.
class NullPrinter final : public IPrinter {
 public:
  PrintResult PrintText(const std::string&, const std::string&) override {
    return PrintResult::kCancelled;
  }
};

}  // namespace varlo
