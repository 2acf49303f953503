// Bitmaps from outside (skins, covers, station pictures): any bytes give a whole opaque picture
// of no more than the allowed pixels, or none; read from a file a piece at a time they give the
// same picture as decoded whole.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>

#include "common/bmp_file.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_folder.h"

using varlo::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  constexpr std::int64_t kMaxPixels = 1 << 20;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::optional<varlo::Picture> picture = varlo::DecodeBmp(bytes, kMaxPixels);
  const std::string file = varlo::fuzz::FuzzFolder("bmp_file") + "/input.bmp";
  std::ofstream(file, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(size));
  const std::optional<varlo::Picture> read = varlo::ReadBmpFile(file, kMaxPixels);
  Check(picture.has_value() == read.has_value());
  if (!picture) return 0;
  Check(read->width == picture->width && read->height == picture->height);
  Check(read->words == picture->words);
  Check(picture->width > 0 && picture->height > 0);
  Check(std::int64_t{picture->width} * picture->height <= kMaxPixels);
  Check(picture->words.size() ==
        static_cast<std::size_t>(picture->width) * static_cast<std::size_t>(picture->height));
  for (const varlo::PixelWord word : picture->words) Check((word >> 24) == 0xFF);
  return 0;
}
