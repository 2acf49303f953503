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

TEST(PlaylistFile, ExtendedM3uNamesEntriesByTheirExtinfTitles) {
  TempDir dir;
  const std::string pl = dir.Write("list.m3u",
                                   "\xEF\xBB\xBF#EXTM3U\r\n#EXTINF:215,Band - Song\r\n"
                                   "01-First.mp3\r\n#EXTINF:-1,Radio\r\n  sub\\Second.mp3  \r\n"
                                   "/abs/03-Third.MP3\n");
  const Playlist list = Read(pl);
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.names, (std::vector<std::string>{"Band - Song", "Radio", "Third.MP3"}));
  EXPECT_EQ(list.paths[0], dir.Path() + "/01-First.mp3");
  EXPECT_EQ(list.paths[1], dir.Path() + "/sub/Second.mp3");
  EXPECT_EQ(list.paths[2], "/abs/03-Third.MP3");

  // Without friendly names the file names show, as they are.
  Playlist plain;
  ReadPlaylistFile(pl, 0, plain);
  EXPECT_EQ(plain.names, (std::vector<std::string>{"01-First.mp3", "Second.mp3", "03-Third.MP3"}));
}

TEST(PlaylistFile, ExtinfTitlesAsPlayersAndTagToolsWriteThem) {
  // A title holds commas; IPTV attributes hold quoted commas; other "#EXT" lines between a
  // title and its entry keep it; a title is used once; an empty title names nothing.
  const std::string text =
      "#EXTM3U\n"
      "#EXTINF:187,Crosby, Stills & Nash - Suite: Judy Blue Eyes, Part 1\n"
      "a.mp3\n"
      "#EXTINF:-1 tvg-id=\"one\" tvg-name=\"Radio, One\" group-title=\"News\",Radio One FM\n"
      "#EXTVLCOPT:network-caching=1000\n"
      "http://radio.example/live\n"
      "b.mp3\n"
      "#extinf:12,   \n"
      "c_file.mp3\n"
      "#EXTINF:12\n"
      "d.mp3\n";
  Playlist list;
  ASSERT_EQ(ReadPlaylistText(text, PlaylistFormat::M3U, "/l/", 1, list), 5);
  EXPECT_EQ(list.names,
            (std::vector<std::string>{"Crosby, Stills & Nash - Suite: Judy Blue Eyes, Part 1",
                                      "Radio One FM", "b.mp3", "c file.mp3", "d.mp3"}));
  EXPECT_EQ(list.paths[1], "http://radio.example/live");

  // A title as long as a hostile file makes it is cut.
  Playlist longer;
  ReadPlaylistText("#EXTINF:1," + std::string(100000, 'x') + "\na.mp3\n", PlaylistFormat::M3U,
                   "/l/", 1, longer);
  ASSERT_EQ(longer.Count(), 1);
  EXPECT_EQ(longer.names[0].size(), 1024u);
}

TEST(PlaylistFile, BlankLinesAreNoEntriesAndPicturesAreMarked) {
  TempDir dir;
  const std::string pl = dir.Write("list.M3U", "a.mp3\r\n\r\n   \r\n\ncover.JPG\rlast.gif\n\n");
  const Playlist list = Read(pl);
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.paths[0], dir.Path() + "/a.mp3");
  EXPECT_EQ(list.names[1], "cover.JPG (picture)");
  EXPECT_EQ(list.names[2], "last.gif (picture)");
}

TEST(PlaylistFile, M3u8ListsWithFileUris) {
  // As desktop players and file managers write them: UTF-8 with a byte-order mark, file URIs
  // with "%20" and escaped UTF-8, "localhost" as the host.
  TempDir dir;
  const std::string pl = dir.Write("Mix.m3u8",
                                   "\xEF\xBB\xBF#EXTM3U\r\n"
                                   "file:///srv/music/Two%20Words.mp3\r\n"
                                   "#EXTINF:200,Bj\xC3\xB6rk - J\xC3\xB3ga\r\n"
                                   "file:///srv/music/Bj%C3%B6rk/J%C3%B3ga.flac\r\n"
                                   "FILE://localhost/srv/music/100%25%20pure.ogg\r\n"
                                   "file://otherhost/srv/music/x.mp3\r\n"
                                   "file:///srv/music/bad%zz%4.mp3\r\n"
                                   "file:///srv/music/nul%00.mp3\r\n"
                                   "file:///C:/Music/win.mp3\r\n"
                                   "relative/b%20c.mp3\r\n");
  const Playlist list = Read(pl);
  ASSERT_EQ(list.Count(), 8);
  EXPECT_EQ(list.paths[0], "/srv/music/Two Words.mp3");
  EXPECT_EQ(list.names[0], "Two Words.mp3");
  EXPECT_EQ(list.paths[1], "/srv/music/Bj\xC3\xB6rk/J\xC3\xB3ga.flac");
  EXPECT_EQ(list.names[1], "Bj\xC3\xB6rk - J\xC3\xB3ga");
  EXPECT_EQ(list.paths[2], "/srv/music/100% pure.ogg");
  // Another machine's file and a zero byte are not local paths: kept as the addresses they are.
  EXPECT_EQ(list.paths[3], "file://otherhost/srv/music/x.mp3");
  EXPECT_EQ(list.paths[4], "/srv/music/bad%zz%4.mp3");  // broken escapes stay as written
  EXPECT_EQ(list.paths[5], "file:///srv/music/nul%00.mp3");
  EXPECT_EQ(list.paths[6], "C:/Music/win.mp3");
  // Only URIs are decoded: a plain name with "%20" is a name with "%20".
  EXPECT_EQ(list.paths[7], dir.Path() + "/relative/b%20c.mp3");
  EXPECT_EQ(PlaylistFormatOf("/a/Mix.M3U8"), PlaylistFormat::M3U);
}

TEST(PlaylistFile, PlsKeysInAnyCaseAndTitlesByNumber) {
  TempDir dir;
  const std::string pl = dir.Write("radio.pls",
                                   "[playlist]\nNumberOfEntries=5\nFile12=C:\\a.mp3\n"
                                   "file1=x.mp3\nTitle1=Station X\nFile2 no equals\n"
                                   "FILE3=\\music\\b.mp3\nfile4=rel\\c.mp3\ntitle4=  \n"
                                   "File5=http://host/stream\nLength5=-1\nFile6=\n"
                                   "TITLE05=Jazz, Blues & More\nTitle12=Drive A\nVersion=2\n");
  const Playlist list = Read(pl);
  ASSERT_EQ(list.Count(), 5);
  EXPECT_EQ(list.paths[0], "C:/a.mp3");  // a drive path stays as it is
  EXPECT_EQ(list.paths[1], dir.Path() + "/x.mp3");
  EXPECT_EQ(list.paths[2], "/music/b.mp3");  // rooted: from the file system root
  EXPECT_EQ(list.paths[3], dir.Path() + "/rel/c.mp3");
  EXPECT_EQ(list.paths[4], "http://host/stream");
  EXPECT_EQ(list.names, (std::vector<std::string>{"Drive A", "Station X", "b.mp3", "c.mp3",
                                                  "Jazz, Blues & More"}));
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
