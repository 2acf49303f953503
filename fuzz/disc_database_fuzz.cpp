// A disc database from outside: any bytes must read without fault into a bounded section of
// plain titles, whichever identifier is looked for.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "cd/disc_database.h"
#include "cd/disc_toc.h"
#include "fuzz/fuzz_check.h"

using varlo::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  // The first line names the section looked for, so the fuzzer can find matches.
  const std::size_t end = text.find('\n');
  const std::string_view id = text.substr(0, end == std::string_view::npos ? 0 : end);
  for (std::string_view wanted : {id, std::string_view("C0C23")}) {
    const auto entry = varlo::FindDiscEntry(text, wanted);
    if (!entry) continue;
    Check(entry->titles.size() <= static_cast<std::size_t>(varlo::kMaxDiscTracks));
    for (const auto& [index, title] : entry->titles) {
      Check(index >= 0 && index < varlo::kMaxDiscTracks);
      Check(title == varlo::PlainTitle(title));
      Check(varlo::MakeCDEntry(index + 1, 1000, title).find('\n') == std::string::npos);
    }
  }
  return 0;
}
