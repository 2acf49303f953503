// Entries that cannot be played, with continuous playback ("ContPB") on and off: the error box
// or the display's message, going on with the next entry, and no endless round over a list
// whose entries all fail.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "player/media_errors.h"
#include "player/playback_engine.h"
#include "tests/support/fake_form.h"
#include "tests/support/fake_media_device.h"
#include "tests/support/fakes.h"
#include "tests/support/temp_dir.h"

namespace varlo {
namespace {

struct ContinuousPlaybackTest : ::testing::Test {
  testing::TempDir dir;
  PlayerState state;
  Playlist list;
  AppSettings settings;
  testing::FakeMediaDevice unit0, unit1;
  testing::FakeClock clock;
  testing::FakeForm form;
  testing::FakeDialogs& dialogs = form.dialogs;
  NullNowPlaying media;
  testing::NullPlayerLinks links;
  PlaybackEngine engine{state, list, settings, unit0, unit1, clock, form, links.With(media)};

  // A file that opens, one whose open fails as a damaged file does, or one that is missing.
  void Good(const std::string& name) { list.Append(name, dir.Write(name, "x")); }
  void Damaged(const std::string& name) {
    const std::string path = dir.Write(name, "x");
    unit0.openErrors[path] = {mci_error::kInternal, MciErrorText(mci_error::kInternal)};
    list.Append(name, path);
  }
  void Missing(const std::string& name) { list.Append(name, dir.File(name)); }

  // Runs 100 ms ticks for `ms`; returns the files opened meanwhile, in order.
  std::vector<std::string> Run(int ms) {
    const std::size_t before = unit0.calls.size();
    for (int t = 0; t < ms; t += 100) {
      clock.steady += 100;
      unit0.Advance(100);
      engine.UpdatePosition();
    }
    std::vector<std::string> opened;
    for (std::size_t i = before; i < unit0.calls.size(); ++i)
      if (unit0.calls[i].word == "open") opened.push_back(unit0.calls[i].fileName);
    return opened;
  }
};

TEST_F(ContinuousPlaybackTest, WithoutItTheFirstDamagedEntryStopsBehindTheBox) {
  Damaged("bad.flac");
  Good("good.mp3");
  engine.PlayIt();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text.rfind("MCI Device: MPEGVideo\rFilename: ", 0), 0u);
  EXPECT_TRUE(Run(3000).empty()) << "nothing plays after the box";
  EXPECT_FALSE(engine.SkipPending());
  // A missing file is marked and nothing is said, as before.
  state.tNum = 1;
  list.paths[0] = dir.File("gone.mp3");
  engine.PlayIt();
  EXPECT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(list.names[0], "bad.flac [FILE NOT FOUND]");
  EXPECT_TRUE(Run(3000).empty());
}

TEST_F(ContinuousPlaybackTest, WithItTheDisplaySaysSoAndTheNextEntryPlays) {
  settings.contPB = 1;
  Damaged("bad.flac");
  Missing("gone.mp3");
  Good("good.mp3");
  engine.PlayIt();
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(form.captions[2], "Skipped: damaged");
  EXPECT_EQ(form.digits[6], "Skipped bad.flac: damaged");
  EXPECT_EQ(list.selected, 0);
  EXPECT_EQ(engine.TrayTip(), "Varlo - Skipped bad.flac: damaged");
  EXPECT_FALSE(state.playing);
  EXPECT_TRUE(engine.SkipPending());
  // The message stays a moment; the missing entry after it goes at the next tick, then the
  // good one plays.
  EXPECT_TRUE(Run(1900).empty());
  EXPECT_EQ(Run(100), std::vector<std::string>{});
  EXPECT_EQ(form.captions[2], "2 skipped: not found");
  EXPECT_EQ(form.digits[6], "Skipped gone.mp3: not found (2 skipped)");
  EXPECT_EQ(Run(100), std::vector<std::string>{list.paths[2]});
  EXPECT_TRUE(state.playing);
  EXPECT_EQ(state.tNum, 3);
  EXPECT_EQ(form.captions[2], "good.mp3");
  EXPECT_EQ(list.names[1], "gone.mp3 [FILE NOT FOUND]");
  EXPECT_TRUE(dialogs.messages.empty());

  // Repeat does not hold a failed entry, and the user's Stop ends a pending skip.
  settings.contPB = 1;
  state.repeat = true;
  state.tNum = 1;
  engine.PlayIt();
  EXPECT_TRUE(engine.SkipPending());
  engine.StopIt();
  EXPECT_FALSE(engine.SkipPending());
  EXPECT_TRUE(Run(3000).empty());
}

TEST_F(ContinuousPlaybackTest, AListOfOnlyBadEntriesIsTriedOnceThenStopsWithOneMessage) {
  settings.contPB = 1;
  for (bool repeat : {false, true}) {
    for (bool shuffle : {false, true}) {
      SCOPED_TRACE(std::to_string(repeat) + std::to_string(shuffle));
      list.names.clear();
      list.paths.clear();
      unit0.openErrors.clear();
      unit0.calls.clear();
      dialogs.messages.clear();
      Damaged("one.flac");
      Damaged("two.mp3");
      Missing("three.mp3");
      Damaged("four.wav");
      state.repeat = repeat;
      state.shuffle = shuffle;
      state.tNum = 1;
      engine.PlayIt();
      Run(20000);
      // Each damaged file is opened once (the missing one never), then it all stops.
      std::multiset<std::string> opened;
      for (const auto& call : unit0.calls)
        if (call.word == "open") opened.insert(call.fileName);
      EXPECT_EQ(opened.size(), 3u);
      for (const std::string& path : {list.paths[0], list.paths[1], list.paths[3]})
        EXPECT_EQ(opened.count(path), 1u) << path;
      EXPECT_EQ(list.paths[2], "");
      ASSERT_EQ(dialogs.messages.size(), 1u);
      EXPECT_EQ(dialogs.messages[0].text.rfind("None of the 4 entries of the playlist could be "
                                               "played.",
                                               0),
                0u);
      EXPECT_FALSE(state.playing);
      EXPECT_FALSE(engine.SkipPending());
      EXPECT_TRUE(Run(5000).empty()) << "nothing is tried again";
      EXPECT_EQ(dialogs.messages.size(), 1u);
    }
  }
}

TEST_F(ContinuousPlaybackTest, AnEntryThatPlaysStartsANewRoundOfTries) {
  settings.contPB = 1;
  Good("a.mp3");
  Damaged("b.flac");
  Good("c.mp3");
  unit0.defaultLength = 1000;
  engine.PlayIt();
  // a plays out, b fails and is skipped, c plays, and past the end of the list it stops as
  // a list that plays through stops: no message.
  const std::vector<std::string> opened = Run(8000);
  EXPECT_EQ(opened, (std::vector<std::string>{list.paths[1], list.paths[2]}));
  EXPECT_FALSE(state.playing);
  EXPECT_EQ(state.tNum, 1);
  EXPECT_TRUE(dialogs.messages.empty());
  // A second round from the start tries the damaged entry again.
  engine.PlayIt();
  EXPECT_EQ(Run(8000).size(), 2u);
  EXPECT_TRUE(dialogs.messages.empty());
}

}  // namespace
}  // namespace varlo
