#include "player/visual_selector.h"

#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"

namespace varlo {
namespace {

TEST(VisualSelector, ScansPlaylistsOfATreeWithWholeExtensions) {
  testing::TempDir dir;
  for (int i = 0; i < 15; ++i) dir.Write("lists/a/" + std::to_string(10 + i) + ".m3u", "x.mp3\n");
  dir.Write("lists/b/Rock.PLS", "[playlist]\nFile1=x.mp3\n");
  dir.Write("lists/b/Jazz.m3u", "");
  dir.Write("lists/b/odd.3u", "");  // not a playlist though "3U" is in "M3U"
  dir.Write("lists/b/song.mp3", "");
  const std::vector<std::string> found = ScanPlaylists(dir.File("lists"));
  ASSERT_EQ(found.size(), 17u);
  EXPECT_EQ(found.front(), dir.File("lists/a/10.m3u"));
  EXPECT_EQ(LastPage(17), 1);
  EXPECT_EQ(PageStatus(1, 17), "Page 2 of 2.  Total Playlists: 17");
  EXPECT_EQ(PageStatus(0, 16), "Page 1 of 1.  Total Playlists: 16");
  EXPECT_EQ(LastPage(0), 0);
  EXPECT_TRUE(ScanPlaylists(dir.File("missing")).empty());

  // A walk that is stopped keeps what it found.
  std::atomic<bool> stop{true};
  EXPECT_TRUE(ScanPlaylists(dir.File("lists"), {}, &stop).empty());
}

TEST(VisualSelector, FolderEntriesStandForFolders) {
  testing::TempDir dir;
  dir.Write("top/Rock.DIR", "");
  dir.Write("top/Pop.dir", "");
  dir.Write("top/mix.m3u", "");
  dir.Write("top/Rock/best.m3u", "");
  const std::vector<std::string> found = ScanPlaylists(dir.File("top"));
  EXPECT_EQ(found, (std::vector<std::string>{dir.File("top/Pop.dir"), dir.File("top/Rock.DIR")}));
  EXPECT_TRUE(IsFolderEntry(found[1]));
  EXPECT_EQ(FolderOfEntry(found[1]), dir.File("top/Rock"));
  EXPECT_EQ(ScanPlaylists(FolderOfEntry(found[1])),
            std::vector<std::string>{dir.File("top/Rock/best.m3u")});
  const PlaylistContents contents = ReadPlaylistContents(found[1]);
  EXPECT_EQ(contents.lines,
            std::vector<std::string>{"This is a directory. Double-click to enter!"});
  EXPECT_TRUE(contents.paths.empty());
}

TEST(VisualSelector, ContentsAndPictures) {
  testing::TempDir dir;
  const std::string m3u = dir.Write("lists/Mix.m3u",
                                    "#EXTM3U\r\n#EXTINF:123,Artist - One\r\none.mp3\r\n"
                                    "/elsewhere/Two.ogg\r\n");
  const std::string pls = dir.Write(
      "lists/Radio.pls", "[playlist]\nNumberOfEntries=1\nFile1=sub\\Three.mp3\nTitle1=T\n");
  const PlaylistContents mix = ReadPlaylistContents(m3u);
  EXPECT_EQ(mix.lines, (std::vector<std::string>{"one.mp3", "Two.ogg"}));
  EXPECT_EQ(mix.paths, (std::vector<std::string>{dir.File("lists/one.mp3"), "/elsewhere/Two.ogg"}));
  EXPECT_EQ(ReadPlaylistContents(pls).lines, std::vector<std::string>{"Three.mp3"});
  EXPECT_EQ(ReadPlaylistContents(pls).paths,
            std::vector<std::string>{dir.File("lists/sub/Three.mp3")});

  EXPECT_EQ(PlaylistPicture(m3u, "/prog/nocover.bmp"), "/prog/nocover.bmp");
  const std::string own = dir.Write("lists/Mix.JPG", "j");
  EXPECT_EQ(PlaylistPicture(m3u, "/prog/nocover.bmp"), own);
  EXPECT_EQ(PlaylistPicture(pls, ""), "");
}

}  // namespace
}  // namespace varlo
