#include "common/huge_pages.h"

#include <sys/mman.h>

#include <cstdint>

namespace varlo {

void AdviseHugePages(void* data, std::size_t bytes) {
#ifdef MADV_HUGEPAGE
  constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
  if (data == nullptr || bytes < 2 * kHugePage) return;
  // Only the whole huge pages inside the buffer.
  const auto start = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t first = (start + kHugePage - 1) & ~(kHugePage - 1);
  const std::uintptr_t last = (start + bytes) & ~(kHugePage - 1);
  if (last > first)
    ::madvise(reinterpret_cast<void*>(first), static_cast<std::size_t>(last - first),
              MADV_HUGEPAGE);
#else
  (void)data;
  (void)bytes;
#endif
}

}  // namespace varlo
