#include "player/cover_search.h"

#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"

namespace varlo {
namespace {

using testing::TempDir;

}  // namespace

TEST(CoverSearch, TagCoverTriesDiscThenBandDiscAndTheLastFoundWins) {
  TempDir dir;
  const std::string folder = dir.Path();
  EXPECT_EQ(TagCoverPicture(folder, "Band", "Disc"), "");

  const std::string disc = dir.Write("Disc.jpg", "x");
  EXPECT_EQ(TagCoverPicture(folder, " Band ", "\tDisc "), disc);

  const std::string joined = dir.Write("Band-Disc.GIF", "x");
  EXPECT_EQ(TagCoverPicture(folder + "/", "Band", "Disc"), joined);

  const std::string spaced = dir.Write("Band - Disc.bmp", "x");
  EXPECT_EQ(TagCoverPicture(folder, "Band", "Disc"), spaced);

  // Without an artist only the album's own picture counts.
  EXPECT_EQ(TagCoverPicture(folder, "  ", "Disc"), disc);
  EXPECT_EQ(TagCoverPicture(folder, "", ""), "");
}

TEST(CoverSearch, LaterSpellingWinsOverAnEarlierOneAlone) {
  TempDir dir;
  dir.Write("Disc.BMP", "x");
  const std::string spaced = dir.Write("Band - Disc.JPG", "x");
  EXPECT_EQ(TagCoverPicture(dir.Path(), "Band", "Disc"), spaced);
  // An album-less tag still tries the artist spellings.
  const std::string artistOnly = dir.Write("Band-.gif", "x");
  EXPECT_EQ(TagCoverPicture(dir.Path(), "Band", ""), artistOnly);
}

TEST(CoverSearch, FallbacksAfterTheSearch) {
  EXPECT_EQ(CoverFallback("/m/Disc.jpg", "/lists/cover.bmp", "/prog"), "/m/Disc.jpg");
  EXPECT_EQ(CoverFallback("", "/lists/cover.bmp", "/prog"), "/lists/cover.bmp");
  EXPECT_EQ(CoverFallback("", "", "/prog"), "/prog/nocover.bmp");
  EXPECT_EQ(CoverFallback("", "", "/prog/"), "/prog/nocover.bmp");
}

TEST(CoverSearch, CoverFileTakesNamedFilesAndSearchesBaseNames) {
  TempDir dir;
  EXPECT_EQ(CoverFile(""), "");
  // A name with an extension is the file, whether it exists or not.
  EXPECT_EQ(CoverFile(dir.File("front.png")), dir.File("front.png"));
  // A dot in a folder name is no extension.
  const std::string gif = dir.Write("my.covers/front.GIF", "x");
  EXPECT_EQ(CoverFile(dir.File("my.covers/front")), gif);
  EXPECT_EQ(CoverFile(dir.File("my.covers/back")), "");
}

}  // namespace varlo
