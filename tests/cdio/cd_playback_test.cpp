// The disc played through libmpv: the "cdaudio" device opens the drive's stream, reports the
// disc's length and positions in its own time base, and plays from a track's table offset.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "cd/cd_audio_device.h"
#include "platform/cdio/lazy_cd_drive.h"
#include "tests/cd/cd_rig.h"
#include "tests/cdio/disc_image.h"
#include "tests/cdio/gui_queue.h"
#include "tests/mpv/test_audio.h"
#include "tests/support/time_budget.h"

namespace varlo {
namespace {

using testing::GuiQueue;
using testing::TempDir;
using testing::WriteCueBin;

TEST(CdPlaybackTest, AnImagePlaysSeeksAndPausesInTheDiscsTimeBase) {
  TempDir dir;
  // Track 1: 2 s, track 2 from 150 sectors (2000 ms) for 4 s.
  const std::string cue = WriteCueBin(dir, "disc", {{150, true}, {300, true}}, true);
  GuiQueue gui;
  LazyCdDrive drive(cue, gui.Poster(), 10);
  MpvOptions options = testing::NullOutputs();
  options.protocols.push_back(drive.Protocol());
  MpvMediaDevice mpv(options);
  testing::EventPump pump(mpv);
  CdAudioDevice device(mpv, drive);

  device.SetDeviceType("cdaudio");
  device.SetWait(true);
  device.Command("open");
  ASSERT_EQ(device.Error(), 0) << device.ErrorMessage();
  EXPECT_EQ(device.FileName(), "varlocd://disc");
  EXPECT_NEAR(device.Length(), 6000, 30);

  // Track 2 from its table offset: the position starts there and moves on.
  device.SetFrom(2000);
  device.Command("play");
  ASSERT_EQ(device.Error(), 0);
  EXPECT_TRUE(pump.Until([&] { return device.Position() > 2300; }));
  EXPECT_LT(device.Position(), 5000);

  device.Command("stop");
  pump.UntilStill(device);
  const int kept = device.Position();
  pump.For(200);
  EXPECT_NEAR(device.Position(), kept, 30) << "stop pauses the disc";

  device.SetFrom(500);
  device.Command("seek");
  pump.Until([&] { return std::abs(device.Position() - 500) <= 30; }, 3000);
  EXPECT_NEAR(device.Position(), 500, 30);

  // To the end: the position stops at the lead-out.
  device.SetFrom(5500);
  device.Command("play");
  EXPECT_TRUE(pump.Until([&] { return device.Position() >= device.Length() - 50; }));
  device.Command("close");
  EXPECT_EQ(device.Length(), 0);
}

// CD mode end to end: the drive, the player's engine on a real libmpv, and a disc whose
// stream takes `openDelay` to open (a drive spinning up), or fails to open.
struct SlowDiscTest : ::testing::Test {
  TempDir dir;
  GuiQueue gui;
  // Track 1: 2 s, track 2 from 150 sectors (2000 ms) for 4 s.
  LazyCdDrive drive{WriteCueBin(dir, "disc", {{150, true}, {300, true}}, true), gui.Poster(), 10};
  std::chrono::nanoseconds openDelay = testing::TimeBudget(std::chrono::milliseconds(300));
  std::atomic<bool> openFails{false};
  MpvMediaDevice mpv{Options()};
  CdAudioDevice unit1{mpv, drive};
  NullHttpGetter http;
  testing::CdRig rig{unit1, drive, http, dir.Path()};
  PlayerState& state = rig.state;
  Playlist& list = rig.list;
  testing::FakeForm& form = rig.form;
  PlaybackEngine& engine = rig.engine;
  CdPlayer& cd = rig.cd;

  MpvOptions Options() {
    MpvOptions options = testing::NullOutputs();
    StreamProtocol slow = drive.Protocol();
    slow.open = [this, open = slow.open](const std::string& address) {
      std::this_thread::sleep_for(openDelay);
      return openFails ? nullptr : open(address);
    };
    options.protocols.push_back(slow);
    return options;
  }
  void SetUp() override {
    rig.settings.useCDP = 0;
    rig.settings.useCDDB = 0;
    cd.Load();
  }
  // The main timer's CD and position steps, with the drive's and the engine's events, until
  // `done` or `timeoutMs`.
  bool TicksUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
    return gui.Until(
        [&] {
          mpv.ProcessEvents();
          cd.Timer1Step();
          engine.UpdatePosition();
          return done();
        },
        timeoutMs);
  }
  // How long PlayIt on track `track` takes.
  std::chrono::nanoseconds PlayTrack(int track) {
    state.tNum = track;
    const auto start = std::chrono::steady_clock::now();
    engine.PlayIt();
    return std::chrono::steady_clock::now() - start;
  }
};

TEST_F(SlowDiscTest, PlayingADiscWhoseOpenTakes300MsReturnsAtOnceAndPlaysTheTrack) {
  ASSERT_TRUE(mpv.Available());
  ASSERT_TRUE(TicksUntil([&] { return cd.DiscKnown(); }));
  ASSERT_EQ(list.Count(), 2);

  EXPECT_LT(PlayTrack(2), testing::TimeBudget(std::chrono::milliseconds(50)));
  EXPECT_TRUE(state.playing);
  EXPECT_TRUE(form.dialogs.messages.empty());
  // While the disc opens the player stands at the track's start, not at the disc's.
  EXPECT_EQ(unit1.Position(), 2000);
  cd.Timer1Step();
  EXPECT_EQ(cd.CurrentTrack(), 2);

  // Opened, it plays from there.
  ASSERT_TRUE(TicksUntil([&] { return unit1.Length() > 0 && unit1.Position() > 2300; }));
  EXPECT_NEAR(unit1.Length(), 6000, 30);
  EXPECT_LT(unit1.Position(), 5000);
  EXPECT_EQ(cd.CurrentTrack(), 2);
  EXPECT_GT(state.elapsedMs, 0);
  EXPECT_TRUE(form.dialogs.messages.empty());
}

TEST_F(SlowDiscTest, ADiscStreamThatFailsToOpenIsToldAtALaterTickAndPlaybackStops) {
  ASSERT_TRUE(mpv.Available());
  ASSERT_TRUE(TicksUntil([&] { return cd.DiscKnown(); }));
  openFails = true;
  EXPECT_LT(PlayTrack(1), testing::TimeBudget(std::chrono::milliseconds(50)));
  ASSERT_TRUE(TicksUntil([&] { return !form.dialogs.messages.empty(); }));
  EXPECT_FALSE(state.playing);
  EXPECT_EQ(form.dialogs.messages[0].text.substr(0, 19), "MCI Device: cdaudio");
  EXPECT_EQ(form.dialogs.messages.size(), 1u);
  TicksUntil([] { return false; }, 300);
  EXPECT_EQ(form.dialogs.messages.size(), 1u) << "said once";

  // The next open that works plays.
  openFails = false;
  PlayTrack(1);
  ASSERT_TRUE(TicksUntil([&] { return unit1.Position() > 300; }));
  EXPECT_EQ(form.dialogs.messages.size(), 1u);
}

TEST(CdPlaybackTest, ADiscThatIsNotThereFailsToOpenAndFilesStillPlayOnTheSameDevice) {
  TempDir dir;
  GuiQueue gui;
  LazyCdDrive drive(dir.File("none.cue"), gui.Poster(), 10);
  MpvOptions options = testing::NullOutputs();
  options.protocols.push_back(drive.Protocol());
  MpvMediaDevice mpv(options);
  CdAudioDevice device(mpv, drive);
  device.SetDeviceType("cdaudio");
  device.SetWait(true);
  device.Command("open");
  EXPECT_NE(device.Error(), 0);
  EXPECT_EQ(device.Length(), 0);

  device.SetDeviceType("MPEGVideo");
  device.SetFileName(dir.Write("a.wav", testing::SineWav(500)));
  device.Command("open");
  EXPECT_EQ(device.Error(), 0) << device.ErrorMessage();
  EXPECT_NEAR(device.Length(), 500, 50);
}

}  // namespace
}  // namespace varlo
