// The playback engine on two real libmpv devices, on audio the tests write.
#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <random>
#include <thread>

#include "player/playback_engine.h"
#include "tests/mpv/test_audio.h"
#include "tests/support/fake_form.h"
#include "tests/support/fakes.h"
#include "tests/support/temp_dir.h"

namespace varlo {
namespace {

class EngineOnMpvTest : public ::testing::Test {
 protected:
  testing::TempDir dir;
  PlayerState state;
  Playlist list;
  AppSettings settings;
  MpvMediaDevice unit0{testing::NullOutputs()};
  MpvMediaDevice unit1{testing::NullOutputs()};
  testing::FakeClock clock;
  testing::FakeForm form;
  testing::FakeDialogs& dialogs = form.dialogs;
  std::map<int, std::string>& labels = form.captions;
  NullNowPlaying media;
  testing::NullPlayerLinks links;
  PlaybackEngine engine{state, list, settings, unit0, unit1, clock, form, links.With(media)};
  // Runs the main timer's position tick (every 20 ms here) until `done` or `timeoutMs`.
  bool RunUntil(const std::function<bool()>& done, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < deadline) {
      unit0.ProcessEvents();
      unit1.ProcessEvents();
      engine.UpdatePosition();
      if (done()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return done();
  }
};

TEST_F(EngineOnMpvTest, PlaysTheListThroughAndStartsEachEntryAtTheEnd) {
  ASSERT_TRUE(unit0.Available());
  list.Append("first", dir.Write("first.wav", testing::SineWav(700)));
  list.Append("second", dir.Write("second.wav", testing::SineWav(1200)));
  engine.PlayIt();
  ASSERT_TRUE(dialogs.messages.empty()) << dialogs.messages[0].text;
  EXPECT_NEAR(state.songLenMs, 700, 50);
  EXPECT_EQ(labels[13], "0:00");

  ASSERT_TRUE(RunUntil([&] { return state.elapsedMs >= 300; }, 3000)) << "position must advance";
  ASSERT_TRUE(RunUntil([&] { return state.tNum == 2; }, 3000));
  EXPECT_NEAR(state.songLenMs, 1200, 50);
  EXPECT_EQ(unit0.FileName(), list.paths[1]);
  EXPECT_TRUE(state.playing);
  ASSERT_TRUE(RunUntil([&] { return state.elapsedMs >= 200; }, 3000));

  // Past the last entry the list wraps to the first and stops there.
  ASSERT_TRUE(RunUntil([&] { return !state.playing; }, 4000));
  EXPECT_EQ(state.tNum, 1);
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(EngineOnMpvTest, OverlapStartsTheNextEntryOnTheSecondDevice) {
  settings.pbOverlap = 400;
  list.Append("first", dir.Write("first.wav", testing::SineWav(1000)));
  list.Append("second", dir.Write("second.wav", testing::SineWav(1000)));
  engine.PlayIt();
  ASSERT_TRUE(RunUntil([&] { return state.tNum == 2; }, 4000));
  EXPECT_EQ(state.playUnit, PlayUnit::CD);
  EXPECT_EQ(unit1.FileName(), list.paths[1]);
  EXPECT_GE(unit0.Position(), 500);  // the first was cut 400 ms before its end
  ASSERT_TRUE(RunUntil([&] { return unit1.Position() >= 200; }, 3000));
}

TEST_F(EngineOnMpvTest, ACorruptFileGivesTheErrorBoxAndStopsNothingElse) {
  std::mt19937 random(11);
  std::string noise(32 * 1024, '\0');
  for (char& byte : noise) byte = static_cast<char>(random() & 0xFF);
  list.Append("noise", dir.Write("noise.mp3", noise));
  engine.PlayIt();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  const std::string& text = dialogs.messages[0].text;
  EXPECT_EQ(text.rfind("MCI Device: MPEGVideo\rFilename: " + list.paths[0], 0), 0u) << text;
  EXPECT_NE(text.find("It may be an unknown format, corrupt"), std::string::npos) << text;
  EXPECT_FALSE(engine.PositionTimerOn());
  EXPECT_EQ(state.dev, "");
}

}  // namespace
}  // namespace varlo
