// The start's playlist read early: what is taken is what reading the file then gives, and the
// early read is taken only for the same file, names and unchanged contents.
#include "player/playlist_prefetch.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "player/player_mode.h"
#include "tests/support/temp_dir.h"

namespace varlo {
namespace {

using testing::TempDir;

// A playlist of `count` entries "<tag> i".
std::string M3u(int count, const std::string& tag) {
  std::string text = "#EXTM3U\n";
  for (int i = 0; i < count; ++i)
    text += "#EXTINF:10," + tag + " " + std::to_string(i) + "\n/music/" + tag + "_" +
            std::to_string(i) + ".mp3\n";
  return text;
}

Playlist Direct(const std::string& path, int friendlyNames, Playlist list = {}) {
  ReadPlaylistFile(path, friendlyNames, list);
  return list;
}

void WaitUntilReady(const PlaylistPrefetch& prefetch) {
  for (int i = 0; i < 5000 && !prefetch.Ready(); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  ASSERT_TRUE(prefetch.Ready());
}

// Counts the reads of files, early or not.
struct CountingReader {
  std::atomic<int> reads = 0;
  PlaylistPrefetch::Reader Reader() {
    return [this](const std::string& path, int names, Playlist& list) {
      ++reads;
      return ReadPlaylistFile(path, names, list);
    };
  }
};

TEST(PlaylistPrefetch, TheEarlyReadIsTakenForTheSameFileAndNamesOnly) {
  TempDir dir;
  const std::string path = dir.Write("big.m3u", M3u(500, "Song"));
  CountingReader counter;
  PlaylistPrefetch prefetch(counter.Reader());

  prefetch.Start(path, 1);
  EXPECT_TRUE(prefetch.Pending());
  Playlist list;
  EXPECT_EQ(prefetch.Read(path, 1, list), 500);
  EXPECT_EQ(list.names, Direct(path, 1).names);
  EXPECT_EQ(list.paths, Direct(path, 1).paths);
  EXPECT_EQ(counter.reads, 1) << "the file was read again";
  EXPECT_FALSE(prefetch.Pending());

  // Taken once: a later read of the file reads it.
  Playlist again;
  EXPECT_EQ(prefetch.Read(path, 1, again), 500);
  EXPECT_EQ(counter.reads, 2);

  // Other display names, or another file, read anew; the early read is left for its own.
  prefetch.Start(path, 1);
  Playlist plain;
  EXPECT_EQ(prefetch.Read(path, 0, plain), 500);
  EXPECT_EQ(plain.names, Direct(path, 0).names);
  const std::string other = dir.Write("other.m3u", M3u(3, "Other"));
  Playlist others;
  EXPECT_EQ(prefetch.Read(other, 1, others), 3);
  EXPECT_TRUE(prefetch.Pending());
  prefetch.Drop();
  EXPECT_FALSE(prefetch.Pending());
  EXPECT_EQ(counter.reads, 5);
}

TEST(PlaylistPrefetch, AListWithEntriesTakesAsManyAsTheReadWouldHaveAdded) {
  TempDir dir;
  const std::string path = dir.Write("list.pls",
                                     "[playlist]\nFile1=/a.mp3\nTitle1=A\nFile2=/b.mp3\n"
                                     "File3=/c.mp3\nNumberOfEntries=3\n");
  Playlist nearlyFull;
  for (std::size_t i = 0; i + 2 < kMaxPlaylistEntries; ++i) nearlyFull.Append("x", "/x.mp3");
  const Playlist expected = Direct(path, 1, nearlyFull);
  PlaylistPrefetch prefetch;
  prefetch.Start(path, 1);
  Playlist list = nearlyFull;
  EXPECT_EQ(prefetch.Read(path, 1, list), 2);
  EXPECT_EQ(list.names, expected.names);
  EXPECT_EQ(list.paths, expected.paths);

  Playlist one;
  one.Append("first", "/first.mp3");
  prefetch.Start(path, 1);
  EXPECT_EQ(prefetch.Read(path, 1, one), 3);
  EXPECT_EQ(one.names, (std::vector<std::string>{"first", "A", "b.mp3", "c.mp3"}));
}

TEST(PlaylistPrefetch, AFileChangedOrMadeSinceTheEarlyReadIsReadAgain) {
  TempDir dir;
  const std::string path = dir.Write("list.m3u", M3u(4, "Old"));
  PlaylistPrefetch prefetch;
  prefetch.Start(path, 1);
  WaitUntilReady(prefetch);
  dir.Write("list.m3u", M3u(4, "Newer"));  // written in place
  Playlist list;
  EXPECT_EQ(prefetch.Read(path, 1, list), 4);
  EXPECT_EQ(list.names.front(), "Newer 0");

  // Replaced by another file of the same name.
  prefetch.Start(path, 1);
  WaitUntilReady(prefetch);
  const std::string moved = dir.Write("next.m3u", M3u(2, "Next"));
  std::filesystem::rename(moved, path);
  Playlist replaced;
  EXPECT_EQ(prefetch.Read(path, 1, replaced), 2);
  EXPECT_EQ(replaced.names.front(), "Next 0");

  // Missing when the read began, there when it is wanted.
  const std::string later = dir.File("later.m3u");
  prefetch.Start(later, 1);
  WaitUntilReady(prefetch);
  dir.Write("later.m3u", M3u(1, "Later"));
  Playlist made;
  EXPECT_EQ(prefetch.Read(later, 1, made), 1);
  EXPECT_EQ(made.names.front(), "Later 0");
}

TEST(PlaylistPrefetch, TheStartsPlaylistIsTheOneTheStartReadsFirst) {
  TempDir dir;
  AppSettings settings;
  settings.startMd = 1;
  EXPECT_EQ(PlayerMode::StartPlaylist({}, settings, dir.Path()), "") << "no last playlist yet";
  const std::string last = dir.Write("playlist.m3u", M3u(1, "Last"));
  EXPECT_EQ(PlayerMode::StartPlaylist({}, settings, dir.Path()), last);
  EXPECT_EQ(
      PlayerMode::StartPlaylist({"/m/song.mp3", "/m/b.PLS", "/m/c.m3u"}, settings, dir.Path()),
      "/m/b.PLS");
  EXPECT_EQ(PlayerMode::StartPlaylist({"/m/song.mp3"}, settings, dir.Path()), "");
  settings.startMd = 2;
  settings.startFile = "/m/start.m3u8";
  EXPECT_EQ(PlayerMode::StartPlaylist({}, settings, dir.Path()), "/m/start.m3u8");
  settings.startFile = "/m/start.mp3";
  EXPECT_EQ(PlayerMode::StartPlaylist({}, settings, dir.Path()), "");
  settings.startMd = 0;
  EXPECT_EQ(PlayerMode::StartPlaylist({}, settings, dir.Path()), "");
}

}  // namespace
}  // namespace varlo
