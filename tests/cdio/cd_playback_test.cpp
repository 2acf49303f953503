// The disc played through libmpv: the "cdaudio" device opens the drive's stream, reports the
// disc's length and positions in its own time base, and plays from a track's table offset.
#include <gtest/gtest.h>

#include "cd/cd_audio_device.h"
#include "platform/cdio/lazy_cd_drive.h"
#include "tests/cdio/disc_image.h"
#include "tests/cdio/gui_queue.h"
#include "tests/mpv/test_audio.h"

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
