// A skin file from outside as the skin checker and the skin browser read it: any bytes must
// give findings with lines inside the file and a header that agrees with the loader's test.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "skin/skin_catalog.h"
#include "skin/skin_check.h"

using varlo::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto header = varlo::ParseSkinHeader(text.substr(0, varlo::kSkinHeadBytes));
  if (header) {
    Check(header->description.find_first_of("\r\n") == std::string_view::npos);
    // A kind the header names is found again as a whole word.
    const std::string_view kinds = header->kinds;
    const std::size_t end = kinds.find_first_of(" \t");
    const std::string_view first = kinds.substr(0, end);
    if (!first.empty()) Check(varlo::HasKind(kinds, first));
  }
  const varlo::PictureSizer sizes = [](const std::string&) {
    return std::optional<varlo::PictureSize>(varlo::PictureSize{64, 32});
  };
  const auto findings = varlo::CheckSkin(text, "/nonexistent-varlo-fuzz/", sizes);
  const long lines = 1 + std::count(text.begin(), text.end(), '\n');
  int last = 0;
  for (const varlo::SkinFinding& f : findings) {
    Check(f.line >= 0 && f.line <= lines + 1);
    Check(f.line >= last);  // in line order
    last = f.line;
    Check(!f.why.empty());
  }
  // Without a skin header the checker reports at least that.
  if (!header) Check(!findings.empty());
  return 0;
}
