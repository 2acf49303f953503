#pragma once
#include <string>
#include <vector>

#include "platform/printer.h"

namespace varlo::testing {

// A printer whose dialog answers `result`; the texts of the jobs it printed are recorded.
struct FakePrinter : IPrinter {
  PrintResult result = PrintResult::kPrinted;
  int dialogs = 0;
  std::vector<std::string> jobs;

  PrintResult PrintText(const std::string& text, const std::string&) override {
    ++dialogs;
    if (result == PrintResult::kPrinted) jobs.push_back(text);
    return result;
  }
};

}  // namespace varlo::testing
