#include "common/bmp_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

namespace varlo {
namespace {

constexpr std::int64_t kMax = 1 << 20;

void Put16(std::string& s, std::size_t at, std::uint32_t v) {
  s[at] = static_cast<char>(v & 0xFF);
  s[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& s, std::size_t at, std::uint32_t v) {
  Put16(s, at, v & 0xFFFF);
  Put16(s, at + 2, v >> 16);
}

// A bitmap with a 40-byte info header: `palette` as B, G, R, 0 entries, then `rows` as they
// lie in the file (each padded by the caller).
std::string Bmp(int width, int height, int bits, const std::vector<std::uint32_t>& palette,
                const std::string& rows, std::uint32_t compression = 0) {
  std::string s(54 + palette.size() * 4, '\0');
  s[0] = 'B';
  s[1] = 'M';
  Put32(s, 10, static_cast<std::uint32_t>(s.size()));
  Put32(s, 14, 40);
  Put32(s, 18, static_cast<std::uint32_t>(width));
  Put32(s, 22, static_cast<std::uint32_t>(height));
  Put16(s, 26, 1);
  Put16(s, 28, static_cast<std::uint32_t>(bits));
  Put32(s, 30, compression);
  Put32(s, 46, static_cast<std::uint32_t>(palette.size()));
  for (std::size_t i = 0; i < palette.size(); ++i) Put32(s, 54 + i * 4, palette[i]);
  s += rows;
  Put32(s, 2, static_cast<std::uint32_t>(s.size()));
  return s;
}

TEST(BmpFile, TrueColourRowsBottomUpAndTopDownKeepTheirColours) {
  // 3 x 2, 24-bit: rows of 9 bytes padded to 12; the first row in the file is the bottom one.
  std::string rows;
  rows += std::string("\x01\x02\x03\x04\x05\x06\x07\x08\x09", 9) + std::string(3, '\x7f');
  rows += std::string("\xff\x00\x00\x00\xff\x00\x00\x00\xff", 9) + std::string(3, '\x7f');
  const std::optional<Picture> p = DecodeBmp(Bmp(3, 2, 24, {}, rows), kMax);
  ASSERT_TRUE(p);
  ASSERT_EQ(p->width, 3);
  ASSERT_EQ(p->height, 2);
  EXPECT_EQ(p->words, (std::vector<PixelWord>{0xFF0000FF, 0xFF00FF00, 0xFFFF0000, 0xFF030201,
                                              0xFF060504, 0xFF090807}));
  // Four 24-bit pixels fill their row without padding: the last one ends the file.
  const std::optional<Picture> four = DecodeBmp(
      Bmp(4, 1, 24, {}, std::string("\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0a\x0b\x0c", 12)), kMax);
  ASSERT_TRUE(four);
  EXPECT_EQ(four->words, (std::vector<PixelWord>{0xFF030201, 0xFF060504, 0xFF090807, 0xFF0C0B0A}));
  // 32-bit, top-down (negative height): the fourth byte is not alpha, every pixel opaque.
  const std::string top = std::string("\x10\x20\x30\x00\x40\x50\x60\x80", 8);
  const std::optional<Picture> t = DecodeBmp(Bmp(1, -2, 32, {}, top), kMax);
  ASSERT_TRUE(t);
  EXPECT_EQ(t->words, (std::vector<PixelWord>{0xFF302010, 0xFF605040}));
}

TEST(BmpFile, PaletteIndicesOfEveryDepthAndOnesPastTheirPaletteAreBlack) {
  const std::vector<std::uint32_t> two = {0x00112233, 0x00445566};
  // 1-bit, 10 wide: the leftmost pixel is the highest bit; rows padded to 4 bytes.
  const std::optional<Picture> mono =
      DecodeBmp(Bmp(10, 1, 1, two, std::string("\xA5\xC0\x00\x00", 4)), kMax);
  ASSERT_TRUE(mono);
  const PixelWord a = 0xFF112233, b = 0xFF445566;
  EXPECT_EQ(mono->words, (std::vector<PixelWord>{b, a, b, a, a, b, a, b, b, b}));
  // 4-bit, 3 wide, a palette of two: index 7 is past it.
  const std::optional<Picture> nibble =
      DecodeBmp(Bmp(3, 1, 4, two, std::string("\x10\x70\x00\x00", 4)), kMax);
  ASSERT_TRUE(nibble);
  EXPECT_EQ(nibble->words, (std::vector<PixelWord>{b, a, 0xFF000000}));
  // 8-bit.
  const std::optional<Picture> byte =
      DecodeBmp(Bmp(2, 1, 8, two, std::string("\x01\xFF\x00\x00", 4)), kMax);
  ASSERT_TRUE(byte);
  EXPECT_EQ(byte->words, (std::vector<PixelWord>{b, 0xFF000000}));

  // An OS/2 bitmap: a 12-byte header with 16-bit sizes and 3-byte palette entries.
  std::string os2(26, '\0');
  os2[0] = 'B';
  os2[1] = 'M';
  Put32(os2, 10, 26 + 2 * 3);
  Put32(os2, 14, 12);
  Put16(os2, 18, 2);
  Put16(os2, 20, 1);
  Put16(os2, 22, 1);
  Put16(os2, 24, 1);
  os2 += std::string("\x01\x02\x03\x0a\x0b\x0c", 6) + std::string("\x40\x00\x00\x00", 4);
  const std::optional<Picture> o = DecodeBmp(os2, kMax);
  ASSERT_TRUE(o);
  EXPECT_EQ(o->words, (std::vector<PixelWord>{0xFF030201, 0xFF0C0B0A}));
}

TEST(BmpFile, WhatItDoesNotDecodeOrWhatIsBrokenIsLeftToTheGeneralReader) {
  const std::string row(4, '\0');
  EXPECT_TRUE(DecodeBmp(Bmp(1, 1, 24, {}, row), kMax));
  EXPECT_FALSE(DecodeBmp(Bmp(1, 1, 8, {0}, row, 1), kMax)) << "run-length coded";
  EXPECT_FALSE(DecodeBmp(Bmp(1, 1, 32, {}, row, 3), kMax)) << "bit fields";
  EXPECT_FALSE(DecodeBmp(Bmp(1, 1, 16, {}, row), kMax)) << "16-bit";
  EXPECT_FALSE(DecodeBmp(Bmp(0, 1, 24, {}, row), kMax));
  EXPECT_FALSE(DecodeBmp(Bmp(-1, 1, 24, {}, row), kMax));
  EXPECT_FALSE(DecodeBmp(Bmp(2, 2, 24, {}, std::string(15, '\0')), kMax)) << "cut short";
  EXPECT_FALSE(DecodeBmp(Bmp(1025, 1024, 24, {}, row), kMax)) << "too many pixels";
  // Sizes whose product or row length would overflow a narrower type.
  EXPECT_FALSE(DecodeBmp(Bmp(0x7fffffff, 0x7fffffff, 32, {}, row), INT64_MAX));
  EXPECT_FALSE(DecodeBmp(Bmp(0x7fffffff, -0x7fffffff, 1, {}, row), INT64_MAX));
  std::string bad = Bmp(1, 1, 24, {}, row);
  Put32(bad, 10, 0x7fffffff);
  EXPECT_FALSE(DecodeBmp(bad, kMax)) << "pixels past the end";
  Put32(bad, 10, 20);
  EXPECT_FALSE(DecodeBmp(bad, kMax)) << "pixels inside the header";
  bad = Bmp(1, 1, 24, {}, row);
  Put32(bad, 14, 200);
  EXPECT_FALSE(DecodeBmp(bad, kMax)) << "an unknown header";
  bad = Bmp(1, 1, 8, {}, row);
  Put32(bad, 46, 200);
  EXPECT_FALSE(DecodeBmp(bad, kMax)) << "a palette past the end";
  EXPECT_FALSE(DecodeBmp("BM", kMax));
  EXPECT_FALSE(DecodeBmp(std::string(60, 'x'), kMax));
}

}  // namespace
// The file is read a piece of rows at a time: whatever the depth, the row order, where the rows
// begin and how many pieces they take, the picture is the one the whole file decodes to.
TEST(BmpFile, AFileReadInPiecesIsThePictureOfItsBytes) {
  testing::TempDir dir;
  std::string big;  // 300 x 500, 24-bit: 900-byte rows, several pieces
  for (int y = 0; y < 500; ++y)
    for (int x = 0; x < 900; ++x) big += static_cast<char>((x * 7 + y * 13) & 0xFF);
  std::string gap = Bmp(3, 1, 8, {0x00102030, 0x00405060}, std::string("\x01\x00\x01\x00", 4));
  gap.insert(62, 100, '\x55');  // 100 bytes between the palette and the rows
  Put32(gap, 10, 62 + 100);
  const std::vector<std::string> bitmaps = {
      Bmp(300, 500, 24, {}, big), Bmp(300, -500, 24, {}, big),
      Bmp(150, 3000, 1, {0x00FFFFFF, 0}, std::string(3000 * 20, '\x3c')), gap,
      Bmp(1, -2, 32, {}, std::string("\x10\x20\x30\x00\x40\x50\x60\x80", 8))};
  for (std::size_t i = 0; i < bitmaps.size(); ++i) {
    const std::optional<Picture> whole = DecodeBmp(bitmaps[i], kMax);
    ASSERT_TRUE(whole) << i;
    const std::optional<Picture> read = ReadBmpFile(dir.Write("b.bmp", bitmaps[i]), kMax);
    ASSERT_TRUE(read) << i;
    EXPECT_EQ(read->width, whole->width) << i;
    EXPECT_EQ(read->height, whole->height) << i;
    EXPECT_TRUE(read->words == whole->words) << i;
  }
  // Cut short, empty, no bitmap, missing, or no regular file: nothing.
  EXPECT_FALSE(
      ReadBmpFile(dir.Write("cut.bmp", bitmaps[0].substr(0, bitmaps[0].size() - 1)), kMax));
  EXPECT_FALSE(ReadBmpFile(dir.Write("empty.bmp", ""), kMax));
  EXPECT_FALSE(ReadBmpFile(dir.Write("text.bmp", "not a bitmap at all"), kMax));
  EXPECT_FALSE(ReadBmpFile(dir.File("missing.bmp"), kMax));
  EXPECT_FALSE(ReadBmpFile(dir.Path(), kMax));
  EXPECT_FALSE(ReadBmpFile(dir.Write("huge.bmp", bitmaps[0]), 300 * 499)) << "too many pixels";
}

}  // namespace varlo
