#include <sys/stat.h>

#include <cstdlib>

#include "shell_fixture.h"

namespace varlo {
namespace {

// Puts `PATH` to one folder for the life of the object.
class ScopedPath {
 public:
  explicit ScopedPath(const std::string& path) {
    const char* old = std::getenv("PATH");
    if (old) old_ = old;
    setenv("PATH", path.c_str(), 1);
  }
  ~ScopedPath() { setenv("PATH", old_.c_str(), 1); }
  ScopedPath(const ScopedPath&) = delete;
  ScopedPath& operator=(const ScopedPath&) = delete;

 private:
  std::string old_;
};

}  // namespace

TEST_F(ShellTest, PlayCommandPlaysAndTimerOneMovesToTheNextEntry) {
  Start();
  unit0.defaultLength = 3000;
  Playlist& list = form->Player().List();
  list.Append("one", prog.Write("one.mp3", "x"));
  list.Append("two", prog.Write("two.ogg", "x"));
  form->DoIt(12);
  EXPECT_TRUE(form->Player().State().playing);
  EXPECT_EQ(unit0.FileName(), list.paths[0]);
  EXPECT_EQ(form->Form().lbl[2].caption, "one");
  EXPECT_EQ(form->Form().lbl[13].caption, "0:03");

  unit0.Advance(1500);
  form->Timer1_Timer();
  EXPECT_EQ(form->Form().lbl[1].caption, "00:01");
  unit0.Advance(1500);
  form->Timer1_Timer();
  EXPECT_EQ(form->Player().State().tNum, 2);
  EXPECT_EQ(unit0.FileName(), list.paths[1]);

  form->DoIt(11);  // pause
  EXPECT_TRUE(form->Player().State().paused);
  form->DoIt(10);  // stop
  EXPECT_FALSE(form->Player().State().playing);
  form->DoIt(14);  // previous
  EXPECT_EQ(form->Player().State().tNum, 1);
}

TEST_F(ShellTest, ModeCommandsToggleTheEngineFlags) {
  Start();
  const PlayerState& p = form->Player().State();
  form->DoIt(25);
  form->DoIt(26);
  form->DoIt(27);
  form->DoIt(28);
  EXPECT_TRUE(p.intro && p.stp && p.repeat && p.shuffle);
  form->DoIt(25);
  form->DoIt(28);
  EXPECT_FALSE(p.intro || p.shuffle);
  form->Player().State().elapsedMs = 4000;
  form->DoIt(30);
  form->Player().State().elapsedMs = 9000;
  form->DoIt(31);
  EXPECT_EQ(p.rptA, 4000);
  EXPECT_EQ(p.rptB, 9000);
}

TEST_F(ShellTest, TheMixerIsStartedFromThePathOrItsAbsenceIsExplained) {
  testing::TempDir bin;
  Start();
  {
    ScopedPath path(bin.Path());
    form->DoIt(29);
  }
  EXPECT_TRUE(launcher.starts.empty());
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, "No volume mixer found (install pavucontrol).");

  const std::string mixer = bin.Write("pavucontrol", "#!/bin/sh\n");
  ASSERT_EQ(chmod(mixer.c_str(), 0755), 0);
  {
    ScopedPath path(bin.Path());
    form->DoIt(29);
  }
  ASSERT_EQ(launcher.starts.size(), 1u);
  EXPECT_EQ(launcher.starts[0].program, mixer);
  EXPECT_EQ(dialogs.messages.size(), 1u);

  launcher.refuse = true;  // found but would not start: the message again
  {
    ScopedPath path(bin.Path());
    form->DoIt(29);
  }
  EXPECT_EQ(dialogs.messages.size(), 2u);
}

TEST_F(ShellTest, TheLevelIsKeptBetweenSessionsAndAMutedPlayerKeepsItsLevel) {
  Preset("WaveVolume=400\n");
  Start();
  EXPECT_DOUBLE_EQ(form->Player().State().volume, 0.4);
  EXPECT_DOUBLE_EQ(unit0.left, 26214 / 65535.0);
  form->Player().Engine().VolStep(25);
  Stop();
  EXPECT_EQ(Stored("WaveVolume"), "650");

  Start();
  EXPECT_DOUBLE_EQ(form->Player().State().volume, 0.65);
  form->Player().Engine().ToggleMute();
  EXPECT_EQ(unit1.left, 0.0);
  Stop();
  EXPECT_EQ(Stored("WaveVolume"), "650");

  Preset("WaveVolume=5000\n");  // out of range: clamped, not refused
  Start();
  EXPECT_DOUBLE_EQ(form->Player().State().volume, 1.0);
  Stop();
}

}  // namespace varlo

namespace varlo {

TEST_F(ShellTest, QuickFindOpensOverThePlaylistAndPlaysTheChosenEntry) {
  Start();
  Playlist& list = form->Player().List();
  list.Append("Intro", prog.Write("a.mp3", "x"));
  list.Append("Song", prog.Write("b.mp3", "x"));
  list.Append("Intro", prog.Write("c.mp3", "x"));
  list.Changed();
  form->DoIt(150);
  EXPECT_EQ(sideWindows.quickFind, 1);
  QuickFind& find = form->Player().Finder();
  EXPECT_EQ(find.Names().size(), 3u);
  find.SetMode(FindMode::Anywhere);
  find.SetText("INTRO");
  find.Step(1);
  form->Player().PlayEntry(*find.EntryToPlay(list));
  EXPECT_EQ(form->Player().State().tNum, 3);
  EXPECT_EQ(unit0.FileName(), list.paths[2]);
  form->Player().PlayEntry(7);  // no such entry: playback goes on
  EXPECT_EQ(unit0.FileName(), list.paths[2]);
}

}  // namespace varlo
