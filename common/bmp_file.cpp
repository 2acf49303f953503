#include "common/bmp_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

namespace varlo {
namespace {

constexpr std::size_t kFileHeader = 14;
constexpr std::size_t kCoreHeader = 12;  // OS/2 1.x: 16-bit sizes, 3-byte palette entries
constexpr std::size_t kInfoHeader = 40;
constexpr std::size_t kLargestHeader = 124;  // BITMAPV5HEADER
constexpr std::uint32_t kUncompressed = 0;
// The headers and the largest palette (256 entries of 4 bytes) fit in this many bytes.
constexpr std::size_t kHeadBytes = kFileHeader + kLargestHeader + 256 * 4;
// A file's rows are read in pieces of about this size into one buffer.
constexpr std::size_t kChunkBytes = 64 * 1024;

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

// Where a bitmap's pixels are and how they are coded.
struct Layout {
  std::size_t width = 0, height = 0;
  std::uint32_t bits = 0;
  std::size_t stride = 0;  // bytes a row, padded to whole 32-bit words
  std::size_t dataAt = 0;  // of the first row in the file
  bool topDown = false;
  std::vector<PixelWord> palette;
};

// The layout of a bitmap file of `fileSize` bytes from its first bytes `head` (all of them, or
// at least kHeadBytes), when it is one decoded here and all its rows are in the file.
std::optional<Layout> ParseLayout(std::string_view head, std::size_t fileSize,
                                  std::int64_t maxPixels) {
  if (head.size() < kFileHeader + kCoreHeader || head.substr(0, 2) != "BM") return std::nullopt;
  const std::uint32_t dataAt = U32(head, 10);
  const std::uint32_t headerSize = U32(head, kFileHeader);
  const bool core = headerSize == kCoreHeader;
  if (!core && (headerSize < kInfoHeader || headerSize > kLargestHeader)) return std::nullopt;
  if (head.size() < kFileHeader + headerSize) return std::nullopt;

  std::int64_t width = 0;
  std::int64_t height = 0;
  std::uint32_t planes = 0;
  Layout layout;
  std::uint32_t compression = kUncompressed;
  std::uint32_t colours = 0;
  if (core) {
    width = U16(head, 18);
    height = U16(head, 20);
    planes = U16(head, 22);
    layout.bits = U16(head, 24);
  } else {
    width = static_cast<std::int32_t>(U32(head, 18));
    height = static_cast<std::int32_t>(U32(head, 22));
    planes = U16(head, 26);
    layout.bits = U16(head, 28);
    compression = U32(head, 30);
    colours = U32(head, 46);
  }
  const std::uint32_t bits = layout.bits;
  layout.topDown = height < 0;
  if (layout.topDown) height = -height;
  if (planes != 1 || compression != kUncompressed || width <= 0 || height <= 0 ||
      width * height > maxPixels)
    return std::nullopt;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return std::nullopt;

  // The palette follows the info header; a palette picture's indices past its end are black.
  if (bits <= 8) {
    const std::size_t most = std::size_t{1} << bits;
    const std::size_t count = colours == 0 || colours > most ? most : colours;
    const std::size_t entry = core ? 3 : 4;
    const std::size_t at = kFileHeader + headerSize;
    if (at + count * entry > head.size()) return std::nullopt;
    layout.palette.assign(most, Word(0, 0, 0));
    for (std::size_t i = 0; i < count; ++i) {
      const std::size_t e = at + i * entry;
      layout.palette[i] = Word(Byte(head, e + 2), Byte(head, e + 1), Byte(head, e));
    }
  }

  // Every row must be in the file.
  layout.width = static_cast<std::size_t>(width);
  layout.height = static_cast<std::size_t>(height);
  layout.stride = (layout.width * bits + 31) / 32 * 4;
  layout.dataAt = dataAt;
  if (dataAt < kFileHeader + headerSize || dataAt > fileSize ||
      (fileSize - dataAt) / layout.stride < layout.height)
    return std::nullopt;
  return layout;
}

// The pixel whose blue, green and red bytes start at `p`, from four bytes read at once: in
// little-endian order they are the pixel's word but for its top byte.
PixelWord WordAt(const char* p) {
  std::uint32_t v = 0;
  std::memcpy(&v, p, 4);
  if constexpr (std::endian::native == std::endian::big) v = __builtin_bswap32(v);
  return 0xFF000000u | (v & 0x00FFFFFFu);
}

// Decodes one row of `layout.stride` bytes into `out`.
void DecodeRow(const Layout& layout, std::string_view row, PixelWord* out) {
  const std::size_t w = layout.width;
  switch (layout.bits) {
    case 32:
      for (std::size_t x = 0; x < w; ++x) out[x] = WordAt(row.data() + x * 4);
      break;
    case 24: {
      // Four bytes are read for each pixel's three: the last one's fourth may lie past the row.
      for (std::size_t x = 0; x + 1 < w; ++x) out[x] = WordAt(row.data() + x * 3);
      const std::size_t p = (w - 1) * 3;
      out[w - 1] = Word(Byte(row, p + 2), Byte(row, p + 1), Byte(row, p));
      break;
    }
    default: {
      // 1, 4 or 8 bits an index, the leftmost pixel in the highest bits of its byte.
      const std::uint32_t bits = layout.bits;
      const std::uint32_t perByte = 8 / bits;
      const std::uint32_t mask = (1u << bits) - 1;
      for (std::size_t x = 0; x < w; ++x) {
        const std::uint8_t b = Byte(row, x / perByte);
        const auto shift = static_cast<std::uint32_t>(8 - bits * (x % perByte + 1));
        out[x] = layout.palette[(b >> shift) & mask];
      }
      break;
    }
  }
}

// The picture row that the `k`th row of the file holds.
int PictureRow(const Layout& layout, std::size_t k) {
  return static_cast<int>(layout.topDown ? k : layout.height - 1 - k);
}

// Reads `size` bytes at `offset` of `fd` into `into`; false when the file ends before.
bool ReadAt(int fd, char* into, std::size_t size, std::size_t offset) {
  while (size > 0) {
    const ssize_t n = ::pread(fd, into, size, static_cast<off_t>(offset));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    into += n;
    size -= static_cast<std::size_t>(n);
    offset += static_cast<std::size_t>(n);
  }
  return true;
}

std::optional<Picture> ReadBmp(int fd, std::size_t fileSize, std::int64_t maxPixels) {
  std::string head(std::min(fileSize, kHeadBytes), '\0');
  if (!ReadAt(fd, head.data(), head.size(), 0)) return std::nullopt;
  const std::optional<Layout> layout = ParseLayout(head, fileSize, maxPixels);
  if (!layout) return std::nullopt;
  Picture picture(static_cast<int>(layout->width), static_cast<int>(layout->height));
  // Whole rows at a time, in file order, through one buffer.
  const std::size_t rowsAtOnce = std::max<std::size_t>(1, kChunkBytes / layout->stride);
  std::string chunk(std::min(rowsAtOnce, layout->height) * layout->stride, '\0');
  for (std::size_t k = 0; k < layout->height; k += rowsAtOnce) {
    const std::size_t rows = std::min(rowsAtOnce, layout->height - k);
    if (!ReadAt(fd, chunk.data(), rows * layout->stride, layout->dataAt + k * layout->stride))
      return std::nullopt;  // cut short since it was measured
    const std::string_view bytes(chunk);
    for (std::size_t r = 0; r < rows; ++r)
      DecodeRow(*layout, bytes.substr(r * layout->stride, layout->stride),
                picture.Row(PictureRow(*layout, k + r)));
  }
  return picture;
}

}  // namespace

std::optional<Picture> DecodeBmp(std::string_view bytes, std::int64_t maxPixels) {
  const std::optional<Layout> layout = ParseLayout(bytes, bytes.size(), maxPixels);
  if (!layout) return std::nullopt;
  Picture picture(static_cast<int>(layout->width), static_cast<int>(layout->height));
  for (std::size_t k = 0; k < layout->height; ++k)
    DecodeRow(*layout, bytes.substr(layout->dataAt + k * layout->stride, layout->stride),
              picture.Row(PictureRow(*layout, k)));
  return picture;
}

std::optional<Picture> ReadBmpFile(const std::string& path, std::int64_t maxPixels) {
  // Only regular files are opened: opening a device (a serial line, a tape) could act on it.
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::optional<Picture> picture;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0)
    picture = ReadBmp(fd, static_cast<std::size_t>(st.st_size), maxPixels);
  ::close(fd);
  return picture;
}

}  // namespace varlo
