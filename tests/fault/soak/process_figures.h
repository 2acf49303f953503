#pragma once
#include <string>
#include <vector>

namespace varlo::testing {

// What the kernel tells of this process: resident memory, open descriptors and threads.
struct ProcessFigures {
  long residentKb = 0;
  long untrimmedKb = 0;  // before free memory kept by the allocator went back, where it did
  int fds = 0;
  int threads = 0;
  std::vector<std::string> fdTargets;  // what each descriptor is open on, sorted
};

// The entries of `now` that `before` lacks (both sorted): what was opened and left open.
std::vector<std::string> Added(const std::vector<std::string>& before,
                               const std::vector<std::string>& now);

// Reads /proc/self; a figure that cannot be read is -1.
ProcessFigures ReadProcessFigures();

// The figures once the thread count has held still for `steadyMs` (at most `limitMs` of
// waiting), with pending events run meanwhile: threads that finish their work have gone.
ProcessFigures SettledProcessFigures(int steadyMs, int limitMs);

// "12.3 MB" for a size in kilobytes, "+0.4 MB" with `sign`.
std::string Megabytes(long kb, bool sign = false);

}  // namespace varlo::testing
