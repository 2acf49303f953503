#pragma once
#include <cstdlib>

namespace varlo::fuzz {

// Ends the run at once when a property of the input's result does not hold, so the fuzzer
// keeps the input that shows it.
inline void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace varlo::fuzz
