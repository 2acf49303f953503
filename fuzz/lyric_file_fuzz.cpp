// Lyric text from outside: any bytes must read without fault into a sheet whose table matches
// its numbered lines, and following it at any position must stay within the list.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/lyric_sheet_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  varlo::LyricSheet sheet = varlo::ReadLyricText(text);
  varlo::fuzz::Check(!sheet.lines.empty());
  varlo::fuzz::CheckSheetAndFollow(std::move(sheet));
  return 0;
}
