// A disc database from outside: any bytes must read without fault into a bounded section of
// plain UTF-8 titles, whichever identifier is looked for.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "cd/disc_database.h"
#include "cd/disc_toc.h"
#include "common/utf8_text.h"
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
      // Whatever the file's code page, a title is well-formed UTF-8.
      for (std::string_view rest = title; !rest.empty();) {
        char32_t code = 0;
        const std::size_t length = varlo::Utf8Decode(rest, code);
        Check(length > 0);
        rest.remove_prefix(length);
      }
      Check(varlo::MakeCDEntry(index + 1, 1000, title).find('\n') == std::string::npos);
    }
  }
  return 0;
}
