#include "player/playlist_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <vector>

#include "player/auto_list.h"
#include "player/lyric_file.h"
#include "tests/support/temp_dir.h"

namespace varlo {
namespace {

using testing::TempDir;

Playlist Read(const std::string& path) {
  Playlist list;
  ReadPlaylistFile(path, 1, list);
  return list;
}

}  // namespace

TEST(PlaylistFile, ExtendedM3uKeepsOnlyPathLines) {
  TempDir dir;
  const std::string pl = dir.Write("list.m3u",
                                   "\xEF\xBB\xBF#EXTM3U\r\n#EXTINF:215,Band - Song\r\n"
                                   "01-First.mp3\r\n#EXTINF:-1,Radio\r\n  sub\\Second.mp3  \r\n"
                                   "/abs/Third.MP3\n");
  const Playlist list = Read(pl);
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.names, (std::vector<std::string>{"First.mp3", "Second.mp3", "Third.MP3"}));
  EXPECT_EQ(list.paths[0], dir.Path() + "/01-First.mp3");
  EXPECT_EQ(list.paths[1], dir.Path() + "/sub/Second.mp3");
  EXPECT_EQ(list.paths[2], "/abs/Third.MP3");
}

TEST(PlaylistFile, BlankM3uLineIsTheFolderAndPicturesAreMarked) {
  TempDir dir;
  const std::string pl = dir.Write("list.M3U", "a.mp3\r\n\r\ncover.JPG\rlast.gif");
  const Playlist list = Read(pl);
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list.names[1], "");
  EXPECT_EQ(list.paths[1], dir.Path() + "/");
  EXPECT_EQ(list.names[2], "cover.JPG (picture)");
  EXPECT_EQ(list.names[3], "last.gif (picture)");
}

TEST(PlaylistFile, PlsTakesOnlyFileKeysInFileOrder) {
  TempDir dir;
  const std::string pl = dir.Write("radio.pls",
                                   "[playlist]\nNumberOfEntries=3\nFile12=C:\\a.mp3\n"
                                   "file1=x.mp3\nTitle1=Ignored\nFile2 no equals\n"
                                   "File1=\\music\\b.mp3\nFile3=rel\\c.mp3\n"
                                   "File4=http://host/stream\nVersion=2\n");
  const Playlist list = Read(pl);
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list.paths[0], "C:/a.mp3");      // a drive path stays as it is
  EXPECT_EQ(list.paths[1], "/music/b.mp3");  // rooted: from the file system root
  EXPECT_EQ(list.paths[2], dir.Path() + "/rel/c.mp3");
  EXPECT_EQ(list.paths[3], "http://host/stream");
  EXPECT_EQ(list.names[1], "b.mp3");
}

TEST(PlaylistFile, OtherExtensionsAndMissingFilesReadNothing) {
  TempDir dir;
  Playlist list;
  EXPECT_EQ(ReadPlaylistFile(dir.Write("list.txt", "a.mp3\n"), 1, list), 0);
  EXPECT_EQ(ReadPlaylistFile(dir.File("none.m3u"), 1, list), 0);
  EXPECT_EQ(list.Count(), 0);
}

TEST(PlaylistFile, PipesNamedLikeProgramFilesReadAsNothingAtOnce) {
  TempDir dir;
  for (const char* name : {"autolist.txt", "playlist.m3u", "song.lyr"})
    ASSERT_EQ(::mkfifo(dir.File(name).c_str(), 0600), 0);
  auto reads = std::async(std::launch::async, [&] {
    std::vector<std::string> autoList;
    ReadAutoList(dir.Path(), autoList);
    Playlist list;
    const int added = ReadPlaylistFile(dir.File("playlist.m3u"), 1, list);
    return autoList.empty() && added == 0 && LoadLyricFile(dir.File("song.lyr")).lines.empty();
  });
  if (reads.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
    // Lets a blocked reader see the end of its pipe, so that the test can end.
    for (const char* name : {"autolist.txt", "playlist.m3u", "song.lyr"}) {
      const int writer = ::open(dir.File(name).c_str(), O_WRONLY | O_NONBLOCK);
      if (writer >= 0) ::close(writer);
    }
    FAIL() << "reading a pipe blocked";
  }
  EXPECT_TRUE(reads.get());
}

TEST(PlaylistFile, ReadingStopsAtTheEntryLimit) {
  TempDir dir;
  std::string text;
  for (int i = 0; i < 40000; ++i) text += "f.mp3\n";
  Playlist list;
  list.Append("already", "/x.mp3");
  EXPECT_EQ(ReadPlaylistFile(dir.Write("big.m3u", text), 1, list),
            static_cast<int>(kMaxPlaylistEntries) - 1);
  EXPECT_EQ(list.paths.size(), kMaxPlaylistEntries);
  EXPECT_EQ(list.names.size(), kMaxPlaylistEntries);
}

TEST(PlaylistFile, WrittenM3uIsRelativeCrLfAndReadsBackTheSame) {
  TempDir dir;
  const std::string pl = dir.File("lists/mine.m3u");
  Playlist list;
  list.Append("a", dir.Path() + "/lists/a.mp3");
  list.Append("b", dir.Path() + "/lists/sub/b.mp3");
  list.Append("gone", "");
  list.Append("cd", "**cd track");
  list.Append("c", dir.Path() + "/elsewhere/c.mp3");
  list.Append("d", dir.Path() + "/Lists/d.mp3");  // the folder compares with case
  ASSERT_TRUE(WritePlaylistFile(pl, list));
  EXPECT_EQ(dir.Read("lists/mine.m3u"), "a.mp3\r\nsub/b.mp3\r\n" + dir.Path() +
                                            "/elsewhere/c.mp3\r\n" + dir.Path() +
                                            "/Lists/d.mp3\r\n");
  const Playlist back = Read(pl);
  EXPECT_EQ(back.paths,
            (std::vector<std::string>{list.paths[0], list.paths[1], list.paths[4], list.paths[5]}));
}

TEST(PlaylistFile, FailedWriteKeepsThePreviousFile) {
  TempDir dir;
  Playlist list;
  list.Append("a", "/new.mp3");
  const std::string ro = dir.Write("ro.m3u", "/old.mp3\r\n");
  ::chmod(ro.c_str(), 0444);
  EXPECT_FALSE(WritePlaylistFile(ro, list));
  EXPECT_EQ(dir.Read("ro.m3u"), "/old.mp3\r\n");

  // The folder's mode bits decide, for the super-user as for anyone.
  const std::string locked = dir.Write("locked/list.m3u", "/old.mp3\r\n");
  ::chmod(dir.File("locked").c_str(), 0555);
  EXPECT_FALSE(WritePlaylistFile(locked, list));
  ::chmod(dir.File("locked").c_str(), 0755);
  EXPECT_EQ(dir.Read("locked/list.m3u"), "/old.mp3\r\n");
}

}  // namespace varlo
