// MIDI file timing (tempo maps, divisions, RMI, broken files) and the device that sends MIDI
// files to the synthesiser's stream.
#include <gtest/gtest.h>

#include "player/media_errors.h"
#include "player/midi_media_device.h"
#include "player/midi_timing.h"
#include "tests/support/fake_media_device.h"
#include "tests/support/midi_writer.h"
#include "tests/support/temp_dir.h"

namespace varlo {
namespace {

using testing::MidiWriter;

TEST(MidiTimingTest, TempoChangesAcrossTracksGiveLengthAndTicks) {
  // 120 bpm by default: four quarters of 480 ticks are two seconds.
  MidiWriter plain;
  plain.Track().Note(0, 480).Note(0, 480).Note(0, 480).Note(0, 480, 62, true).End();
  auto timing = MidiTiming::Read(plain.Smf());
  ASSERT_TRUE(timing);
  EXPECT_EQ(timing->EndTick(), 1920);
  EXPECT_EQ(timing->LengthMs(), 2000);

  // Format 1: the tempo track doubles the speed after two quarters; the notes run longer
  // than the tempo track.
  MidiWriter two;
  two.Track().Tempo(0, 500000).Tempo(960, 250000).End();
  two.Track().Program(0, 5).Note(0, 960).Note(0, 960).End(0);
  timing = MidiTiming::Read(two.Smf());
  ASSERT_TRUE(timing);
  EXPECT_EQ(timing->LengthMs(), 1500);
  EXPECT_EQ(timing->MsAtTick(960), 1000);
  EXPECT_EQ(timing->TickAtMs(1000), 960);
  EXPECT_EQ(timing->TickAtMs(1250), 1440);
  EXPECT_EQ(timing->TickAtMs(500), 480);
  EXPECT_EQ(timing->TickAtMs(99999), 1920) << "past the end is the end";
  EXPECT_EQ(timing->TickAtMs(-5), 0);

  // The same inside an RMI file.
  timing = MidiTiming::Read(two.Rmi());
  ASSERT_TRUE(timing);
  EXPECT_EQ(timing->LengthMs(), 1500);
}

TEST(MidiTimingTest, TimeCodeDivisionCountsTicksInSeconds) {
  // 25 frames of 40 ticks: 1000 ticks a second, whatever the tempo says.
  MidiWriter smpte((0x100 - 25) << 8 | 40);
  smpte.Track().Tempo(0, 250000).Note(0, 3000).End();
  const auto timing = MidiTiming::Read(smpte.Smf());
  ASSERT_TRUE(timing);
  EXPECT_EQ(timing->LengthMs(), 3000);
  EXPECT_EQ(timing->TickAtMs(1500), 1500);
}

TEST(MidiTimingTest, BrokenAndForeignFilesNeverReadPastTheirBytes) {
  EXPECT_FALSE(MidiTiming::Read(""));
  EXPECT_FALSE(MidiTiming::Read("RIFF\x04\x00\x00\x00WAVE"));
  EXPECT_FALSE(MidiTiming::Read("MThd\x00\x00\x00\x06\x00\x00\x00\x01\x00\x00")) << "division 0";
  MidiWriter song;
  song.Track().Note(0, 480).Note(0, 480).End();
  const std::string smf = song.Smf();
  // Cut anywhere: a header without tracks is not a file; a cut track ends where it broke.
  for (std::size_t cut = 0; cut < smf.size(); ++cut) {
    const auto timing = MidiTiming::Read(smf.substr(0, cut));
    if (timing) {
      EXPECT_LE(timing->EndTick(), 960);
    }
  }
  // A delta that never ends, data with no status, and a huge claimed track length.
  MidiWriter odd;
  odd.Track().Event(0, {0x90, 60, 100}).Event(0, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
  EXPECT_TRUE(MidiTiming::Read(odd.Smf()));
  MidiWriter headless;
  headless.Track().Event(10, {60, 100});
  ASSERT_TRUE(MidiTiming::Read(headless.Smf()));
  EXPECT_EQ(MidiTiming::Read(headless.Smf())->EndTick(), 0);
  std::string longTrack = smf;
  longTrack[18] = '\x7F';
  EXPECT_TRUE(MidiTiming::Read(longTrack));
  EXPECT_FALSE(MidiTiming::Read(std::string(MidiTiming::kMaxBytes + 1, 'M')));
}

TEST(MidiMediaDeviceTest, MidiFilesOpenTheSynthesisersStreamAndOthersPassThrough) {
  testing::TempDir dir;
  testing::FakeMediaDevice inner;
  std::string missing;
  MidiMediaDevice device(inner, [&] { return missing; });
  const std::string song = dir.Write("Song.MID", MidiWriter().Track().End().Smf());
  inner.lengths[std::string(kMidiScheme) + song] = 1234;

  device.SetFileName(song);
  device.Command("open");
  EXPECT_EQ(device.Error(), 0);
  EXPECT_EQ(inner.FileName(), std::string(kMidiScheme) + song);
  EXPECT_EQ(device.FileName(), song) << "messages name the file, not the stream";
  EXPECT_EQ(device.Length(), 1234);

  // Without a synthesiser the open fails with the advice, and the next command clears it.
  missing = "Install fluid-soundfont-gm.";
  device.Command("Open");
  EXPECT_EQ(device.Error(), mci_error::kInternal);
  EXPECT_EQ(device.ErrorMessage(), "Install fluid-soundfont-gm.");
  EXPECT_EQ(device.Length(), 0);
  device.Command("close");
  EXPECT_EQ(device.Error(), 0);

  // Other files, missing MIDI files and addresses go to the device as they are.
  const std::string wav = dir.Write("a.wav", "x");
  inner.lengths[wav] = 10;
  device.SetFileName(wav);
  device.Command("open");
  EXPECT_EQ(inner.FileName(), wav);
  device.SetFileName(dir.File("gone.mid"));
  device.Command("open");
  EXPECT_EQ(inner.FileName(), dir.File("gone.mid"));
  EXPECT_TRUE(IsMidiFile("x.rmi"));
  EXPECT_TRUE(IsMidiFile("x.Midi"));
  EXPECT_FALSE(IsMidiFile("x.mid/y"));
  EXPECT_FALSE(IsMidiFile("mid"));
}

}  // namespace
}  // namespace varlo
