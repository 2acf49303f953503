#include "player/playlist_actions.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "player/auto_list.h"
#include "tests/support/fake_form.h"
#include "tests/support/fakes.h"
#include "tests/support/temp_dir.h"

namespace varlo {
namespace {

using testing::FakeDialogs;
using testing::FakeEvents;
using testing::FakeForm;
using testing::TempDir;

// The player around the playlist: records what the playlist asked of it.
struct HostRecorder final : PlaylistHost {
  PlayerState& player;
  std::string cover = "none";
  int coverRemoved = 0;
  std::vector<int> played;  // TNum at each PlayIt
  std::vector<std::string> stored;
  explicit HostRecorder(PlayerState& p) : player(p) {}
  void LoadCover(const std::string& path) override { cover = path; }
  void ClearCover() override { ++coverRemoved; }
  void PlayIt() override { played.push_back(player.tNum); }
  void StorePath(const std::string& folder) override { stored.push_back(folder); }
};

struct PlaylistFixture : ::testing::Test {
  TempDir dir;
  Playlist list;
  PlayerState player;
  AppSettings settings;
  FakeForm form;
  FakeDialogs& dialogs = form.dialogs;
  FakeEvents events;
  HostRecorder host{player};
  std::string& cover = host.cover;
  int& coverRemoved = host.coverRemoved;
  std::vector<int>& played = host.played;
  std::vector<std::string>& stored = host.stored;
  int changes = 0;
  PlaylistActions actions{list, player, settings, form, events, "/prog", host};

  const std::string& Name() { return form.captions[14]; }
  const std::string& Count() { return form.captions[16]; }
  void SetUp() override {
    list.onChanged = [this] { ++changes; };
  }
  void Fill(int n) {
    for (int i = 1; i <= n; ++i) list.Append("n" + std::to_string(i), "/p" + std::to_string(i));
  }
};

TEST_F(PlaylistFixture, LoadClearsFirstShowsNameAndCoverAndAutoPlays) {
  const std::string pl = dir.Write("Best_Of.m3u", "#EXTM3U\n01-a.mp3\nb.mp3\n");
  dir.Write("Best_Of.jpg", "x");
  Fill(2);
  settings.clearPLFirst = 1;
  settings.autoPlay = 1;
  player.tNum = 2;
  dialogs.fileAnswers.push_back(pl);
  actions.PlLoad();
  ASSERT_EQ(dialogs.fileRequests.size(), 1u);
  EXPECT_EQ(dialogs.fileRequests[0].title, "Load Playlist");
  EXPECT_EQ(dialogs.fileRequests[0].initialDir, "/prog/");
  EXPECT_EQ(list.names, (std::vector<std::string>{"a.mp3", "b.mp3"}));
  EXPECT_EQ(Name(), "Best Of.m3u");
  EXPECT_EQ(cover, dir.File("Best_Of.jpg"));
  EXPECT_EQ(actions.Cover(), dir.File("Best_Of.jpg"));
  EXPECT_EQ(settings.path, dir.Path() + "/");
  EXPECT_EQ(stored, std::vector<std::string>{dir.Path() + "/"});
  EXPECT_EQ(played, std::vector<int>{1});
  EXPECT_EQ(changes, 2);  // the clear and the read, not one per entry

  // Cancelling changes nothing; without ClearPLFirst entries are appended.
  actions.PlLoad();
  EXPECT_EQ(list.Count(), 2);
  settings.clearPLFirst = 0;
  settings.autoPlay = 0;
  dialogs.fileAnswers.push_back(pl);
  actions.PlLoad();
  EXPECT_EQ(list.Count(), 4);
  EXPECT_EQ(played.size(), 1u);
}

TEST_F(PlaylistFixture, SaveWritesTheChosenFileAndReportsFailures) {
  list.Append("a", dir.Path() + "/a.mp3");
  actions.PlSave();  // cancelled
  ASSERT_EQ(dialogs.fileRequests.size(), 1u);
  EXPECT_EQ(dialogs.fileRequests[0].title, "Save Playlist");
  EXPECT_EQ(dialogs.fileRequests[0].filter, "MP3 Playlists (*.M3U)|*.M3U");
  EXPECT_TRUE(stored.empty());

  const std::string saveAnswer = dir.File("My_List.m3u");
  dialogs.fileAnswers.push_back(saveAnswer);
  actions.PlSave();
  EXPECT_EQ(dir.Read("My_List.m3u"), "a.mp3\r\n");
  EXPECT_EQ(Name(), "My List.m3u");
  EXPECT_EQ(settings.path, dir.Path() + "/");
  EXPECT_TRUE(dialogs.messages.empty());

  ::chmod(saveAnswer.c_str(), 0444);
  list.Append("b", "/b.mp3");
  dialogs.fileAnswers.push_back(saveAnswer);
  actions.PlSave();
  EXPECT_EQ(dir.Read("My_List.m3u"), "a.mp3\r\n");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text,
            "Unable to write Playlist! Is the file read-only?\nPermission denied");
  EXPECT_EQ(dialogs.messages[0].buttons, MsgButtons::Ok);
}

TEST_F(PlaylistFixture, OpenMediaFileThenAddFilesPicturesPlaylistsAndFolders) {
  actions.OpenMediaFile();  // cancelled
  ASSERT_EQ(dialogs.fileRequests.size(), 1u);
  EXPECT_EQ(dialogs.fileRequests[0].title, "Open Media file");
  EXPECT_EQ(dialogs.fileRequests[0].filter.substr(0, 30), "MPEG Audio Files|*.MP?|ActiveM");
  EXPECT_EQ(dialogs.fileRequests[0].filterIndex, 0);
  actions.AddToPlaylist();
  EXPECT_EQ(list.Count(), 0);

  player.tNum = 0;
  dialogs.fileAnswers.push_back(dir.Write("in/02-Song_One.mp3", ""));
  actions.OpenMediaFile();
  EXPECT_EQ(actions.Add().name, "02-Song_One.mp3");
  EXPECT_EQ(actions.Add().title, "Song One.mp3");
  EXPECT_EQ(settings.path, dir.Path() + "/in/");
  actions.AddToPlaylist();
  EXPECT_EQ(list.paths, std::vector<std::string>{dir.File("in/02-Song_One.mp3")});
  EXPECT_EQ(player.tNum, 1);
  EXPECT_EQ(Count(), " 1");

  dir.Write("tree/x/one.wav", "");
  dir.Write("tree/skip.txt", "");
  dir.Write("pl.pls", "[playlist]\nFile1=rel.mp3\n");
  changes = 0;
  actions.DropFiles({dir.File("pic.JPG"), dir.File("tree"), dir.File("pl.pls")});
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list.names[1], "pic.JPG (picture)");
  EXPECT_EQ(list.paths[2], dir.File("tree/x/one.wav"));
  EXPECT_EQ(list.names[2], "one");
  EXPECT_EQ(list.paths[3], dir.File("rel.mp3"));
  EXPECT_EQ(Count(), " 4");
  EXPECT_EQ(changes, 1);  // one refresh for the whole drop
  EXPECT_TRUE(PlaylistActions::AcceptsDrag(true));
  EXPECT_FALSE(PlaylistActions::AcceptsDrag(false));
}

TEST_F(PlaylistFixture, AddFromDirAsksForAFolderAndRunsPendingEvents) {
  for (int i = 0; i < 300; ++i) dir.Write("big/f" + std::to_string(i) + ".mp3", "");
  actions.AddFromDir();
  EXPECT_EQ(dialogs.folderPrompts,
            std::vector<std::string>{"Select Directory containing Media Files:"});
  EXPECT_EQ(list.Count(), 0);
  dialogs.folderAnswer = dir.File("big");
  actions.AddFromDir();
  EXPECT_EQ(list.Count(), 300);
  EXPECT_GE(events.calls, 1);
  EXPECT_EQ(changes, 1);
  // The label went through the progress and ends at the playlist's count.
  actions.AddFromDir();
  EXPECT_EQ(list.Count(), 600);
  EXPECT_EQ(Count(), " 600");
}

TEST_F(PlaylistFixture, DeleteKeepsTheCurrentSong) {
  Fill(4);
  player.tNum = 3;  // "/p3"
  actions.PlDelete(0);
  EXPECT_EQ(list.paths[static_cast<std::size_t>(player.tNum - 1)], "/p3");
  EXPECT_EQ(form.digitNumbers[2], 2);
  EXPECT_EQ(list.selected, 0);
  // Removing the last entry, just after the current one, keeps TNum; the new last is
  // selected.
  actions.PlDelete(2);
  EXPECT_EQ(player.tNum, 2);
  EXPECT_EQ(list.selected, 1);
  EXPECT_EQ(Count(), " 2");
  actions.PlDelete(5);
  actions.PlDelete(-1);
  EXPECT_EQ(list.Count(), 2);
  player.cdMode = true;
  actions.PlDelete(0);
  EXPECT_EQ(list.Count(), 2);
  player.cdMode = false;

  list.selected = 0;
  actions.ListKeyDown(46);
  EXPECT_EQ(list.paths, std::vector<std::string>{"/p3"});
}

TEST_F(PlaylistFixture, MoveSwapsWithinBoundsOnly) {
  Fill(3);
  list.selected = 0;
  actions.PlMoveEntry(-1);
  EXPECT_EQ(list.paths, (std::vector<std::string>{"/p1", "/p2", "/p3"}));
  EXPECT_EQ(changes, 0);
  actions.PlMoveEntry(1);
  EXPECT_EQ(list.paths, (std::vector<std::string>{"/p2", "/p1", "/p3"}));
  EXPECT_EQ(list.names, (std::vector<std::string>{"n2", "n1", "n3"}));
  EXPECT_EQ(list.selected, 1);
  list.selected = 2;
  actions.PlMoveEntry(1);
  EXPECT_EQ(list.selected, 2);
  list.selected = -1;
  actions.PlMoveEntry(1);
  EXPECT_EQ(list.paths[0], "/p2");
  player.cdMode = true;
  list.selected = 1;
  actions.PlMoveEntry(-1);
  EXPECT_EQ(list.paths[0], "/p2");
}

TEST_F(PlaylistFixture, ClearAndListEvents) {
  Fill(3);
  list.selected = 2;
  actions.ListDoubleClick();
  actions.ListKeyDown(13);
  EXPECT_EQ(played, (std::vector<int>{3, 3}));
  actions.PlClear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.names.size(), 0u);
  EXPECT_EQ(player.tNum, 1);
  EXPECT_EQ(Name(), "untitled");
  EXPECT_EQ(Count(), " 0");
  EXPECT_EQ(coverRemoved, 1);
  EXPECT_EQ(actions.Cover(), "");
}

TEST(AutoList, ReadSkipsBlankLinesAndWriteRoundTrips) {
  TempDir dir;
  std::vector<std::string> list{"first"};
  ReadAutoList(dir.Path(), list);  // no file yet
  EXPECT_EQ(list.size(), 1u);
  dir.Write("autolist.txt", "  On 07:00 Mo  \r\n\r\n   \nOff 08:00\n");
  ReadAutoList(dir.Path(), list);
  EXPECT_EQ(list, (std::vector<std::string>{"first", "On 07:00 Mo", "Off 08:00"}));
  ASSERT_TRUE(WriteAutoList(dir.Path(), list));
  EXPECT_EQ(dir.Read("autolist.txt"), "first\r\nOn 07:00 Mo\r\nOff 08:00\r\n");
}

}  // namespace
}  // namespace varlo
