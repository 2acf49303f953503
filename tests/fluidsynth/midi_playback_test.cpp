// MIDI files written by the tests, rendered by FluidSynth and played through libmpv to the
// null output: length, position, seeking and the end, like any other entry.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <vector>

#include "platform/fluidsynth/midi_stream.h"
#include "player/midi_media_device.h"
#include "tests/mpv/test_audio.h"
#include "tests/support/midi_writer.h"
#include "tests/support/temp_dir.h"

namespace varlo {
namespace {

using testing::MidiWriter;

// Eight quarter notes at 120 bpm, then a tempo twice as fast for four more: 4 s + 1 s.
std::string Tune() {
  MidiWriter w;
  w.Track().Tempo(0, 500000).Tempo(3840, 250000).End();
  w.Track().Program(0, 0);
  for (int i = 0; i < 12; ++i) w.Note(0, 480, static_cast<std::uint8_t>(60 + i));
  w.End();
  return w.Smf();
}

TEST(MidiPlaybackTest, TheRenderedStreamHasTheFilesLengthAndSound) {
  ASSERT_EQ(MidiMissingText(), "") << "the build's test set-up installs FluidSynth and a SoundFont";
  testing::TempDir dir;
  const auto started = std::chrono::steady_clock::now();
  std::unique_ptr<ByteStream> stream = OpenMidiStream(dir.Write("tune.mid", Tune()));
  const auto openMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                          std::chrono::steady_clock::now() - started)
                          .count();
  std::fprintf(stderr, "opening the MIDI stream (SoundFont loaded) took %lld ms\n",
               static_cast<long long>(openMs));
  ASSERT_TRUE(stream);
  EXPECT_EQ(stream->Size(), 44 + 5 * 44100 * 4);

  // Half a second from the start holds sound; so does a stretch after a seek.
  std::vector<char> buffer(44 + 22050 * 4);
  std::int64_t got = 0;
  while (got < static_cast<std::int64_t>(buffer.size())) {
    const std::int64_t n =
        stream->Read(buffer.data() + got, buffer.size() - static_cast<std::size_t>(got));
    ASSERT_GT(n, 0);
    got += n;
  }
  EXPECT_EQ(std::string(buffer.data(), 4), "RIFF");
  auto loud = [&](std::size_t from) {
    int peak = 0;
    for (std::size_t i = from; i + 1 < buffer.size(); i += 2)
      peak = std::max(peak, std::abs(static_cast<int>(static_cast<std::int16_t>(
                                static_cast<std::uint8_t>(buffer[i]) |
                                static_cast<std::uint8_t>(buffer[i + 1]) << 8))));
    return peak;
  };
  EXPECT_GT(loud(44), 500);
  ASSERT_EQ(stream->Seek(44 + 3 * 44100 * 4), 44 + 3 * 44100 * 4);
  ASSERT_GT(stream->Read(buffer.data(), buffer.size()), 0);
  EXPECT_GT(loud(0), 500);

  // Odd offsets read through single frames without losing bytes.
  ASSERT_EQ(stream->Seek(45), 45);
  char three[3];
  EXPECT_EQ(stream->Read(three, 3), 3);
  EXPECT_EQ(stream->Seek(stream->Size() + 1), -1);

  // The next stream takes the synthesiser the last one left, SoundFont loaded.
  stream.reset();
  const auto again = std::chrono::steady_clock::now();
  stream = OpenMidiStream(dir.File("tune.mid"));
  std::fprintf(stderr, "opening it again took %lld ms\n",
               static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                          std::chrono::steady_clock::now() - again)
                                          .count()));
  ASSERT_TRUE(stream);
  EXPECT_EQ(stream->Size(), 44 + 5 * 44100 * 4);

  EXPECT_FALSE(OpenMidiStream(dir.Write("not.mid", "MThd but not really")));
  EXPECT_FALSE(OpenMidiStream(dir.File("gone.mid")));
}

TEST(MidiPlaybackTest, AMidiEntryPlaysSeeksAndEndsOnTheMediaDevice) {
  testing::TempDir dir;
  MpvOptions options = testing::NullOutputs();
  options.protocols.push_back(MidiProtocol());
  MpvMediaDevice mpv(options);
  testing::EventPump pump(mpv);
  std::vector<MediaEnd> ends;
  mpv.SetEndCallback([&](MediaEnd end) { ends.push_back(end); });
  MidiMediaDevice device(mpv, &MidiMissingText);

  device.SetDeviceType("MPEGVideo");
  device.SetFileName(dir.Write("tune.MID", Tune()));
  device.SetWait(true);
  device.Command("open");
  ASSERT_EQ(device.Error(), 0) << device.ErrorMessage();
  EXPECT_NEAR(device.Length(), 5000, 50);

  device.SetFrom(0);
  device.Command("play");
  EXPECT_TRUE(pump.Until([&] { return device.Position() > 300; }));
  device.Command("stop");
  pump.UntilStill(device);
  device.SetFrom(4500);
  device.Command("seek");
  pump.Until([&] { return std::abs(device.Position() - 4500) <= 30; }, 3000);
  EXPECT_NEAR(device.Position(), 4500, 30);
  device.Command("play");
  EXPECT_TRUE(pump.Until([&] { return !ends.empty(); }));
  EXPECT_EQ(ends.front(), MediaEnd::Finished);
}

}  // namespace
}  // namespace varlo
