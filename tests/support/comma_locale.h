#pragma once
#include <string>

namespace varlo::testing {

// Sets LC_NUMERIC to a German locale, whose decimal separator is ",", for as long as the
// object lives, so that a test can show a number conversion does not follow the locale.
// Uses de_DE.UTF-8 when the system has it, else builds it with localedef into the build
// tree (once for all test programs). Active() is false when neither works (the test then skips).
class CommaDecimalLocale {
 public:
  CommaDecimalLocale();
  ~CommaDecimalLocale();
  CommaDecimalLocale(const CommaDecimalLocale&) = delete;
  CommaDecimalLocale& operator=(const CommaDecimalLocale&) = delete;

  bool Active() const { return active_; }

 private:
  std::string previous_;
  bool active_ = false;
};

}  // namespace varlo::testing
