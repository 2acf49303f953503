// The chunk list and footer of a Nero image from outside: any bytes must read without fault
// into a bounded layout, and a footer may only point inside the file.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "cd/disc_toc.h"
#include "cd/nrg_layout.h"
#include "fuzz/fuzz_check.h"

using varlo::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (const auto layout = varlo::ParseNrgChunks(bytes)) {
    for (int tracks : layout->sessionTracks) Check(tracks >= 0 && tracks <= varlo::kMaxDiscTracks);
    const int first = varlo::LastSessionFirstTrack(*layout);
    Check(first == 0 || (first >= 2 && first <= varlo::kMaxDiscTracks));
  }
  // The input as a whole image: its footer is its last bytes.
  const std::size_t tail = size < varlo::kNrgFooterBytes ? size : varlo::kNrgFooterBytes;
  if (const auto span = varlo::FindNrgChunks(bytes.substr(size - tail), size)) {
    Check(span->offset + span->length + 8 <= size);
    if (span->length <= varlo::kMaxNrgChunkBytes)
      varlo::ParseNrgChunks(bytes.substr(static_cast<std::size_t>(span->offset),
                                         static_cast<std::size_t>(span->length)));
  }
  return 0;
}
