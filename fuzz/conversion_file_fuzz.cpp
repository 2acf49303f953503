// A conversion file from outside: any bytes must split into lines without fault, every line
// a non-blank part of the input without its line end, and every line must give a name and
// finite factor and offset, the name being the line's text before its first comma.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "common/numtext.h"
#include "desk/conversion_file.h"
#include "fuzz/fuzz_check.h"

using varlo::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::size_t bytes = 0;
  for (const std::string& line : varlo::ConversionLines(text)) {
    Check(line.find('\n') == std::string::npos);
    Check(!varlo::TrimBlanks(line).empty());
    Check(text.find(line) != std::string_view::npos);
    bytes += line.size();
    const varlo::Conversion c = varlo::ParseConversion(line);
    Check(std::isfinite(c.factor) && std::isfinite(c.offset));
    Check(line.compare(0, c.name.size(), c.name) == 0);
    Check(c.name.find(',') == std::string::npos);
  }
  Check(bytes <= size);
  return 0;
}
