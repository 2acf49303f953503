#include "common/bmp_file.h"

#include <cstddef>
#include <vector>

namespace varlo {
namespace {

constexpr std::size_t kFileHeader = 14;
constexpr std::size_t kCoreHeader = 12;  // OS/2 1.x: 16-bit sizes, 3-byte palette entries
constexpr std::size_t kInfoHeader = 40;
constexpr std::size_t kLargestHeader = 124;  // BITMAPV5HEADER
constexpr std::uint32_t kUncompressed = 0;

std::uint32_t U16(std::string_view b, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8;
}
std::uint32_t U32(std::string_view b, std::size_t at) {
  return U16(b, at) | U16(b, at + 2) << 16;
}
std::uint8_t Byte(std::string_view b, std::size_t at) {
  return static_cast<std::uint8_t>(b[at]);
}
PixelWord Word(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return 0xFF000000u | static_cast<PixelWord>(red) << 16 | static_cast<PixelWord>(green) << 8 |
         blue;
}

}  // namespace

std::optional<Picture> DecodeBmp(std::string_view bytes, std::int64_t maxPixels) {
  if (bytes.size() < kFileHeader + kCoreHeader || bytes.substr(0, 2) != "BM") return std::nullopt;
  const std::uint32_t dataAt = U32(bytes, 10);
  const std::uint32_t headerSize = U32(bytes, kFileHeader);
  const bool core = headerSize == kCoreHeader;
  if (!core && (headerSize < kInfoHeader || headerSize > kLargestHeader)) return std::nullopt;
  if (bytes.size() < kFileHeader + headerSize) return std::nullopt;

  std::int64_t width = 0;
  std::int64_t height = 0;
  std::uint32_t planes = 0;
  std::uint32_t bits = 0;
  std::uint32_t compression = kUncompressed;
  std::uint32_t colours = 0;
  if (core) {
    width = U16(bytes, 18);
    height = U16(bytes, 20);
    planes = U16(bytes, 22);
    bits = U16(bytes, 24);
  } else {
    width = static_cast<std::int32_t>(U32(bytes, 18));
    height = static_cast<std::int32_t>(U32(bytes, 22));
    planes = U16(bytes, 26);
    bits = U16(bytes, 28);
    compression = U32(bytes, 30);
    colours = U32(bytes, 46);
  }
  const bool topDown = height < 0;
  if (topDown) height = -height;
  if (planes != 1 || compression != kUncompressed || width <= 0 || height <= 0 ||
      width * height > maxPixels)
    return std::nullopt;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return std::nullopt;

  // The palette follows the info header; a palette picture's indices past its end are black.
  std::vector<PixelWord> palette;
  if (bits <= 8) {
    const std::size_t most = std::size_t{1} << bits;
    const std::size_t count = colours == 0 || colours > most ? most : colours;
    const std::size_t entry = core ? 3 : 4;
    const std::size_t at = kFileHeader + headerSize;
    if (at + count * entry > bytes.size()) return std::nullopt;
    palette.assign(most, Word(0, 0, 0));
    for (std::size_t i = 0; i < count; ++i) {
      const std::size_t e = at + i * entry;
      palette[i] = Word(Byte(bytes, e + 2), Byte(bytes, e + 1), Byte(bytes, e));
    }
  }

  // Rows are padded to whole 32-bit words; every row must be in the file.
  const auto w = static_cast<std::size_t>(width);
  const auto h = static_cast<std::size_t>(height);
  const std::size_t stride = (w * bits + 31) / 32 * 4;
  if (dataAt < kFileHeader + headerSize || dataAt > bytes.size() ||
      (bytes.size() - dataAt) / stride < h)
    return std::nullopt;

  Picture picture(static_cast<int>(width), static_cast<int>(height));
  for (std::size_t y = 0; y < h; ++y) {
    const std::size_t row = dataAt + (topDown ? y : h - 1 - y) * stride;
    PixelWord* out = picture.Row(static_cast<int>(y));
    switch (bits) {
      case 32:
        for (std::size_t x = 0; x < w; ++x) {
          const std::size_t p = row + x * 4;
          out[x] = Word(Byte(bytes, p + 2), Byte(bytes, p + 1), Byte(bytes, p));
        }
        break;
      case 24:
        for (std::size_t x = 0; x < w; ++x) {
          const std::size_t p = row + x * 3;
          out[x] = Word(Byte(bytes, p + 2), Byte(bytes, p + 1), Byte(bytes, p));
        }
        break;
      default: {
        // 1, 4 or 8 bits an index, the leftmost pixel in the highest bits of its byte.
        const std::uint32_t perByte = 8 / bits;
        const std::uint32_t mask = (1u << bits) - 1;
        for (std::size_t x = 0; x < w; ++x) {
          const std::uint8_t b = Byte(bytes, row + x / perByte);
          const auto shift = static_cast<std::uint32_t>(8 - bits * (x % perByte + 1));
          out[x] = palette[(b >> shift) & mask];
        }
        break;
      }
    }
  }
  return picture;
}

}  // namespace varlo
