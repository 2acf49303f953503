// The CD mode as the window runs it: the toggle, the eject code, the poll on the main timer
// and what the user's playlist file goes through meanwhile.
#include "tests/shell/shell_fixture.h"

namespace varlo {
namespace {

DiscToc TwoTracks() {
  DiscToc toc;
  toc.tracks = {{0, true}, {1500, true}};
  toc.leadOutLba = 3000;
  return toc;
}

TEST_F(ShellTest, CdModeNeverWritesTheDiscOverTheUsersPlaylist) {
  prog.Write("a.mp3", "x");
  const std::string playlist = "#EXTM3U\r\n" + prog.File("a.mp3") + "\r\n";
  prog.Write("playlist.m3u", playlist);
  Preset("StartMd=1\nLastTrack=1\nUseCDDB=0\n");
  Start();
  ASSERT_EQ(form->Player().List().Count(), 1);

  form->DoIt(37);  // into CD mode: the list is saved, then given to the disc
  EXPECT_TRUE(form->Player().List().names.empty());
  EXPECT_TRUE(form->Player().List().paths.empty());
  const std::string saved = prog.Read("playlist.m3u");
  form->Timer1_Timer();
  ASSERT_EQ(drive.reads, 1);
  drive.Answer(TwoTracks());
  EXPECT_EQ(form->Player().List().names,
            (std::vector<std::string>{"01 - Track  1  (00:20)", "02 - Track  2  (00:20)"}));
  form->Timer1_Timer();
  EXPECT_EQ(form->Form().lbl[15].caption, "Stopped");
  EXPECT_EQ(form->Form().lbl[26].caption, "CD");

  // Quitting in CD mode leaves the playlist file as it was.
  Stop();
  EXPECT_EQ(prog.Read("playlist.m3u"), saved);
  EXPECT_EQ(Stored("LastPMd"), "-1");

  // Started again in CD mode; leaving it brings the user's list back.
  Start();
  EXPECT_TRUE(form->Player().State().cdMode);
  form->Timer1_Timer();
  drive.Answer(TwoTracks());
  form->DoIt(37);
  EXPECT_FALSE(form->Player().State().cdMode);
  ASSERT_EQ(form->Player().List().Count(), 1);
  EXPECT_EQ(form->Player().List().paths[0], prog.File("a.mp3"));
  EXPECT_EQ(form->Form().lbl[26].caption, "Media");
}

TEST_F(ShellTest, EjectCodeGoesToTheCdPlayerInCdModeOnly) {
  Preset("UseCDDB=0\n");
  Start();
  form->DoIt(13);
  EXPECT_EQ(drive.ejects, 0);
  form->DoIt(37);
  form->Timer1_Timer();
  drive.Answer(TwoTracks());
  ASSERT_EQ(form->Player().List().Count(), 2);
  form->DoIt(13);
  EXPECT_EQ(drive.ejects, 1);
  EXPECT_EQ(form->Player().List().Count(), 0);
  form->Timer1_Timer();
  EXPECT_EQ(form->Form().lbl[15].caption, "Ready");
}

// The sleep timer's switch-off leaves nothing playing: the disc and an internet stream stop.
TEST_F(ShellTest, TheSleepTimerStopsADiscAndTheInternetRadio) {
  Preset(
      "UseCDDB=0\nSnooze=1\nSnoozeMode=1\nSnoozeTime=07:01\n"
      "RadioURL0=Loop FM @http://127.0.0.1:8000/live\n");
  clock.now.hour = 7;
  clock.now.minute = 0;
  clock.now.second = 58;
  Start();
  form->DoIt(37);
  form->Timer1_Timer();
  drive.Answer(TwoTracks());
  form->DoIt(12);
  ASSERT_TRUE(form->Player().State().playing);
  form->DoIt(130);
  stream.status.state = StreamState::Playing;
  form->Timer1_Timer();

  clock.now.minute = 1;
  clock.now.second = 0;
  clock.utc += 2;
  form->Timer2_Timer();
  EXPECT_EQ(form->Settings().snooze, 0);
  EXPECT_FALSE(form->Player().State().playing);
  EXPECT_EQ(stream.stops, 1);
  EXPECT_EQ(form->Form().lbl[63].caption, "Stopped");
}

}  // namespace
}  // namespace varlo
