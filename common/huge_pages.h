#pragma once
#include <cstddef>

namespace varlo {

// Asks the kernel to back the untouched pages of a large buffer with huge pages, so that
// filling it the first time costs a few page faults rather than one per 4 KiB page: for the
// largest skin bitmap (64 MiB) that is the difference between a third of a second and a few
// hundredths on a virtual machine. Buffers under 4 MiB, and systems without the feature, are
// left as they are; the buffer works the same either way.
void AdviseHugePages(void* data, std::size_t bytes);

}  // namespace varlo
