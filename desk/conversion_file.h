#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace varlo {

// Conversion files (".ccf") are text, one conversion a line: a name, a factor and an
// optional offset separated by commas ("C to F,1.8,32"). Forward conversion is
// value x factor + offset, back conversion (value - offset) / factor.
inline constexpr std::size_t kMaxConversionFileBytes = 1024 * 1024;

// One line taken apart. A line without a comma converts with factor 1 and offset 0.
struct Conversion {
  std::string name;
  double factor = 1;
  double offset = 0;
};

// The name (the text before the first comma, or the whole line), the factor (the leading
// number after the first comma) and the offset (the leading number after the second).
Conversion ParseConversion(std::string_view line);

// The lines of a conversion file's content worth listing: every line that is not blank,
// as it stands, its line end (LF or CR LF) taken off.
std::vector<std::string> ConversionLines(std::string_view content);

enum class ConversionRead { kOk, kMissing, kTooLarge, kFailed };

struct ConversionFile {
  ConversionRead status = ConversionRead::kFailed;
  std::vector<std::string> lines;
};

// Reads the conversion file at `path`, of at most kMaxConversionFileBytes; a name whose
// case differs from the file's is found too.
ConversionFile ReadConversionFile(const std::string& path);

}  // namespace varlo
