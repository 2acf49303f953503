#pragma once
#include <chrono>

namespace varlo::testing {

// Time limits in tests catch work that grows out of proportion (a pass per line, a copy per
// character); they are set for the optimised build. Unoptimised and sanitizer builds run the
// same work several times slower, so there a limit is stretched, still far below what a
// runaway would take.
#if defined(__SANITIZE_ADDRESS__) || !defined(__OPTIMIZE__)
inline constexpr int kTimeBudgetFactor = 10;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr int kTimeBudgetFactor = 10;
#else
inline constexpr int kTimeBudgetFactor = 1;
#endif
#else
inline constexpr int kTimeBudgetFactor = 1;
#endif

// `limit` as it holds for this build.
constexpr std::chrono::nanoseconds TimeBudget(std::chrono::nanoseconds limit) {
  return limit * kTimeBudgetFactor;
}

}  // namespace varlo::testing
