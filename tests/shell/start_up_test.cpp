#include <atomic>
#include <cstdio>

#include "player/playlist_file.h"
#include "player/playlist_prefetch.h"
#include "shell_fixture.h"

namespace varlo {

TEST_F(ShellTest, FirstRunWithAnEmptyStore) {
  form.reset();
  Start();
  const SkinForm& f = form->Form();
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(form->Settings().skin, prog.File("default.skin"));
  EXPECT_FALSE(form->Player().State().cdMode);
  EXPECT_EQ(form->Player().State().tNum, 1);
  EXPECT_EQ(f.lbl[23].caption, "0");
  EXPECT_EQ(f.lbl[26].caption, "Media");
  EXPECT_EQ(f.window.width, 3000);
  EXPECT_EQ(f.window.left, 0);  // where the window system put it
  EXPECT_EQ(f.mediaPlayer.left, -1000);
  EXPECT_TRUE(f.window.timer1Enabled);
  EXPECT_TRUE(f.window.timer2Enabled);
  EXPECT_FALSE(f.window.minimised);
  // Lights follow the state: stopped, media mode.
  EXPECT_TRUE(f.ind[2].visible);
  EXPECT_FALSE(f.ind[4].visible);
  EXPECT_TRUE(f.ind[19].visible);
}

TEST_F(ShellTest, StartModeFollowsTheLastExitOrTheSetting) {
  Preset("StartPMd=0\nLastPMd=-1\n");
  Start();
  EXPECT_TRUE(form->Player().State().cdMode);
  EXPECT_EQ(form->Player().State().playUnit, PlayUnit::CD);
  EXPECT_EQ(form->Form().lbl[26].caption, "CD");
  Stop();
  EXPECT_EQ(Stored("LastPMd"), "-1");

  Preset("StartPMd=0\nLastPMd=0\n");
  Start();
  EXPECT_FALSE(form->Player().State().cdMode);
  Stop();
  EXPECT_EQ(Stored("LastPMd"), "0");

  for (const auto& [value, cd] : {std::pair{"1", false}, {"2", true}, {"7", false}}) {
    Preset(std::string("StartPMd=") + value + "\nLastPMd=-1\n");
    Start();
    EXPECT_EQ(form->Player().State().cdMode, cd) << value;
    Stop();
  }
}

TEST_F(ShellTest, ADeletedSkinGivesExactlyOneMessageAndTheDefault) {
  Preset("Skin=" + prog.File("gone.skin") + "\n");
  Start();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text,
            "Previously selected skin not found (" + prog.File("gone.skin") + ")! Using default");
  EXPECT_EQ(form->Settings().skin, prog.File("default.skin"));
  Stop();
  EXPECT_EQ(Stored("Skin"), prog.File("default.skin"));
}

TEST_F(ShellTest, StoredNumbersOutOfRangeDoNotStopStartUp) {
  Preset("PBOverlap=123456\nY=abc\nFMFreq=1011\nStartMin=1\n");
  Start();
  EXPECT_EQ(form->Settings().pbOverlap, 32767);
  EXPECT_EQ(form->Form().window.top, 0);
  EXPECT_EQ(form->Settings().fmFreqText, "1011");
  EXPECT_TRUE(form->Form().window.minimised);
}

TEST_F(ShellTest, WindowPositionIsRestoredFromTheStore) {
  // The test skin leaves the window where it is (placement 0), so the stored place holds.
  Preset("X=1500\nY=300\n");
  Start();
  EXPECT_EQ(form->Form().window.left, 1500);
  EXPECT_EQ(form->Form().window.top, 300);
  Stop();
  Preset("X=40000\nY=20\n");  // beyond 16 bits on a wide screen
  screen.width = 3840;
  Start();
  EXPECT_EQ(form->Form().window.left, 40000);
}

TEST_F(ShellTest, WebLinksAndRadioAddressesAreRead) {
  Preset("URL0=Home\nURL9=News\nRadioURL4=http://r4\nFavSkin2=/s/calc.skin\n");
  Start();
  EXPECT_EQ(form->Form().lbl[50].caption, "Home");
  EXPECT_EQ(form->Form().lbl[59].caption, "News");
  EXPECT_EQ(form->Settings().radioURL[4], "http://r4");
  EXPECT_EQ(form->Settings().favSkin[2], "/s/calc.skin");
}

}  // namespace varlo

namespace varlo {

// The playlist a start opens, read before the window is made, is the one the start then shows:
// the last session's with its entry playing, or the command line's after the items before it.
TEST_F(ShellTest, TheStartTakesItsPlaylistFromTheReadBegunEarly) {
  std::atomic<int> reads = 0;
  PlaylistPrefetch early([&reads](const std::string& path, int names, Playlist& list) {
    ++reads;
    return ReadPlaylistFile(path, names, list);
  });
  prefetch = &early;
  const auto begin = [&](const std::vector<std::string>& items) {
    const SettingsStore settings(SettingsPath());
    early.Start(PlayerMode::StartPlaylist(items, ReadAppSettings(settings), prog.Path()), 1);
  };
  for (const char* song : {"a.mp3", "b.mp3", "c.mp3"}) prog.Write(song, "x");
  prog.Write("playlist.m3u", "a.mp3\r\nb.mp3\r\nc.mp3\r\n");
  Preset("StartMd=1\nLastTrack=2\nAutoPlay=1\n");
  begin({});
  Start();
  EXPECT_EQ(reads, 1);
  EXPECT_FALSE(early.Pending());
  EXPECT_EQ(form->Player().List().paths,
            (std::vector<std::string>{prog.File("a.mp3"), prog.File("b.mp3"), prog.File("c.mp3")}));
  EXPECT_EQ(form->Player().State().songPath, prog.File("b.mp3"));
  Stop();

  const std::vector<std::string> items{prog.Write("1.mp3", "x"),
                                       prog.Write("list.m3u8", "#EXTINF:9,Two\n2.mp3\n")};
  begin(items);
  Start(items);
  EXPECT_EQ(reads, 2);
  EXPECT_EQ(form->Player().List().names, (std::vector<std::string>{"1.mp3", "Two"}));
  Stop();

  // A read begun for a start that opens another list is given up, and the list read anew: the
  // last session's, as the start before left it.
  early.Start(prog.File("list.m3u8"), 1);
  Start();
  EXPECT_FALSE(early.Pending());
  EXPECT_EQ(form->Player().List().paths,
            (std::vector<std::string>{prog.File("1.mp3"), prog.File("2.mp3")}));
  Stop();
  prefetch = nullptr;
}

TEST_F(ShellTest, TheCommandLineWinsOverTheStartPlaylist) {
  prog.Write("playlist.m3u", "a.mp3\r\n");
  Preset("StartMd=1\nLastTrack=3\nLastCover=/covers/x.jpg\n");
  Start();
  EXPECT_EQ(form->Player().State().tNum, 3);  // the last playlist was restored
  EXPECT_EQ(form->Player().State().coverPath, "/covers/x.jpg");
  Stop();
  Start("/music/song.mp3");
  EXPECT_EQ(form->Player().State().tNum, 1);
  EXPECT_EQ(form->Player().State().coverPath, "");
  Stop();
  // Several items (files, a playlist, a folder) are added in order and the first one plays.
  prog.Write("album/3.ogg", "x");
  prog.Write("list.m3u8", "#EXTM3U\n#EXTINF:9,Two\n2.mp3\n");
  Preset("StartMd=1\nAutoPlay=1\n");
  Start(std::vector<std::string>{prog.Write("1.mp3", "x"), prog.File("list.m3u8"),
                                 prog.File("album")});
  ASSERT_EQ(form->Player().List().Count(), 3);
  EXPECT_EQ(form->Player().List().paths[1], prog.File("2.mp3"));
  EXPECT_EQ(form->Player().List().names[1], "Two");
  EXPECT_EQ(form->Player().List().paths[2], prog.File("album/3.ogg"));
  EXPECT_TRUE(form->Player().State().playing);
  EXPECT_EQ(form->Player().State().songPath, prog.File("1.mp3"));
  Stop();
  // Without "playlist.m3u" nothing is restored and nothing is said.
  std::remove(prog.File("playlist.m3u").c_str());
  Preset("StartMd=1\nLastTrack=3\n");
  Start();
  EXPECT_EQ(form->Player().State().tNum, 1);
  EXPECT_TRUE(dialogs.messages.empty());
}

}  // namespace varlo
