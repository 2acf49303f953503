#include "platform/mpv/mpv_media_device.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

#include "platform/mpv/mpv_library.h"
#include "tests/mpv/test_audio.h"
#include "tests/support/temp_dir.h"

namespace varlo {
namespace {

using testing::EventPump;
using testing::NullOutputs;
using testing::SineWav;
using testing::TempDir;

class MpvMediaDeviceTest : public ::testing::Test {
 protected:
  MpvMediaDeviceTest() : device_(NullOutputs()), pump_(device_) {
    device_.SetEndCallback([this](MediaEnd end) { ends_.push_back(end); });
  }
  void Open(const std::string& path) {
    device_.SetDeviceType("MPEGVideo");
    device_.SetFileName(path);
    device_.SetWait(true);
    device_.Command("open");
  }
  std::string Sine(int ms, const std::string& name = "sine.wav", int channels = 2) {
    return dir_.Write(name, SineWav(ms, channels));
  }

  TempDir dir_;
  MpvMediaDevice device_;
  EventPump pump_;
  std::vector<MediaEnd> ends_;
};

TEST_F(MpvMediaDeviceTest, OpenGivesTheLengthAndWaitsPausedAtTheStart) {
  ASSERT_TRUE(device_.Available());
  Open(Sine(2000));
  ASSERT_EQ(device_.Error(), 0) << device_.ErrorMessage();
  EXPECT_EQ(device_.ErrorMessage(), "");
  EXPECT_NEAR(device_.Length(), 2000, 50);
  EXPECT_EQ(device_.DeviceType(), "MPEGVideo");
  pump_.For(300);
  EXPECT_EQ(device_.Position(), 0) << "an opened file must not start by itself";

  device_.Command("close");
  EXPECT_EQ(device_.Error(), 0);
  EXPECT_EQ(device_.Length(), 0);
  EXPECT_EQ(device_.Position(), 0);
}

TEST_F(MpvMediaDeviceTest, TheEngineStartsAtTheFirstOpenOrEarlierInTheBackground) {
  // Until an "open" nothing is started: the other commands find nothing open.
  device_.Command("close");
  EXPECT_EQ(device_.Error(), 0);
  device_.Command("play");
  EXPECT_EQ(device_.Error(), MciErrorNumber(MediaFailure::NotOpen));
  device_.SetVolume(1.0, 0.5);
  pump_.For(150);
  EXPECT_EQ(pump_.Wakeups(), 0) << "no engine should be running yet";

  // The default display window is asked for only when the engine starts, and once.
  int asked = 0;
  device_.SetDefaultDisplayWindow([&asked] {
    ++asked;
    return std::uint64_t{0};
  });
  device_.Command("close");
  EXPECT_EQ(asked, 0);

  // Started in the background, it runs (its first events arrive) and the next open uses it.
  device_.StartInBackground();
  device_.StartInBackground();
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(pump_.Until([this] { return pump_.Wakeups() > 0; }));
  Open(Sine(500));
  ASSERT_EQ(device_.Error(), 0) << device_.ErrorMessage();
  EXPECT_NEAR(device_.Length(), 500, 50);
  device_.SetFrom(0);
  device_.Command("play");
  EXPECT_TRUE(pump_.Until([this] { return !ends_.empty(); }));

  // A device ended while its engine is still starting waits for that start and stops it.
  for (int i = 0; i < 3; ++i) MpvMediaDevice(NullOutputs()).StartInBackground();
}

TEST_F(MpvMediaDeviceTest, PlayAdvancesStopKeepsThePositionAndPlayContinues) {
  Open(Sine(2000));
  device_.SetFrom(0);
  device_.Command("play");
  ASSERT_EQ(device_.Error(), 0);
  ASSERT_TRUE(pump_.Until([&] { return device_.Position() > 300; }));
  EXPECT_GT(pump_.Wakeups(), 0) << "events must arrive through the wakeup";

  device_.Command("stop");
  pump_.UntilStill(device_);
  const int kept = device_.Position();
  pump_.For(300);
  EXPECT_NEAR(device_.Position(), kept, 30) << "stop must hold the position";

  device_.Command("play");  // no From: continues
  ASSERT_TRUE(pump_.Until([&] { return device_.Position() > kept + 200; }));
  EXPECT_TRUE(ends_.empty());
}

TEST_F(MpvMediaDeviceTest, TheEndIsReportedOnceWithThePositionAtTheLength) {
  Open(Sine(2000));
  device_.SetFrom(1600);
  device_.Command("Play");
  ASSERT_TRUE(pump_.Until([&] { return !ends_.empty(); }));
  pump_.For(200);
  ASSERT_EQ(ends_.size(), 1U);
  EXPECT_EQ(ends_[0], MediaEnd::Finished);
  EXPECT_EQ(device_.Position(), device_.Length());

  // Rewound, the same media plays and ends again.
  device_.SetFrom(0);
  device_.Command("seek");
  EXPECT_EQ(device_.Position(), 0);
  device_.SetFrom(1700);
  device_.Command("play");
  ASSERT_TRUE(pump_.Until([&] { return ends_.size() == 2; }));
  EXPECT_EQ(ends_[1], MediaEnd::Finished);
}

TEST_F(MpvMediaDeviceTest, SeekMovesToFromAndLeavesTheDeviceStopped) {
  Open(Sine(2000));
  device_.SetFrom(1234);
  device_.Command("seek");
  ASSERT_EQ(device_.Error(), 0);
  EXPECT_EQ(device_.Position(), 1234) << "the target is reported at once";
  pump_.For(300);
  EXPECT_NEAR(device_.Position(), 1234, 30);

  // A seek past the end stays within the media.
  device_.SetFrom(5000);
  device_.Command("seek");
  pump_.For(100);
  EXPECT_LE(device_.Position(), device_.Length());
}

TEST_F(MpvMediaDeviceTest, OpenFailuresGiveTheOldErrorNumbers) {
  Open(dir_.File("missing.mp3"));
  EXPECT_EQ(device_.Error(), 275);
  EXPECT_FALSE(device_.ErrorMessage().empty());
  EXPECT_EQ(device_.Length(), 0);

  std::mt19937 random(7);
  std::string noise(64 * 1024, '\0');
  for (char& byte : noise) byte = static_cast<char>(random() & 0xFF);
  Open(dir_.Write("noise.mp3", noise));
  EXPECT_EQ(device_.Error(), 277) << device_.ErrorMessage();

  Open(dir_.Write("empty.wav", ""));
  EXPECT_EQ(device_.Error(), 277);

  Open(dir_.Path());
  EXPECT_EQ(device_.Error(), 277) << "a folder is not media";

  Open("");
  EXPECT_EQ(device_.Error(), 304);

  // A failed open leaves nothing open, and the device still opens good files afterwards.
  device_.Command("play");
  EXPECT_EQ(device_.Error(), 257);
  Open(Sine(1000));
  EXPECT_EQ(device_.Error(), 0);
  EXPECT_NEAR(device_.Length(), 1000, 50);
  device_.Command("rewind");
  EXPECT_EQ(device_.Error(), 261);
  device_.Command("stop");
  EXPECT_EQ(device_.Error(), 0) << "each command sets its own error";
  EXPECT_TRUE(ends_.empty());
}

TEST_F(MpvMediaDeviceTest, AnOpenGivenUpAfterItsTimeDoesNotDisturbTheNextOne) {
  device_.SetOpenTimeoutMs(0);
  Open(Sine(2000));
  EXPECT_EQ(device_.Error(), 276);
  EXPECT_EQ(device_.Length(), 0);

  // The abandoned load's events arrive while the next open waits; they must not decide it.
  device_.SetOpenTimeoutMs(5000);
  Open(Sine(1000, "second.wav"));
  ASSERT_EQ(device_.Error(), 0) << device_.ErrorMessage();
  EXPECT_NEAR(device_.Length(), 1000, 50);
  pump_.For(200);
  EXPECT_TRUE(ends_.empty());
}

TEST_F(MpvMediaDeviceTest, AnOpenThatDoesNotWaitLoadsFromWhereThePlayOrSeekPutsIt) {
  ASSERT_TRUE(device_.Available());
  const std::string sine = Sine(3000);
  device_.SetFileName(sine);
  device_.SetWait(false);
  device_.Command("open");
  ASSERT_EQ(device_.Error(), 0);
  EXPECT_EQ(device_.Length(), 0) << "not loaded yet";
  device_.SetFrom(1500);
  device_.Command("play");
  ASSERT_EQ(device_.Error(), 0);
  EXPECT_EQ(device_.Position(), 1500) << "where it will start, while it loads";
  ASSERT_TRUE(pump_.Until([&] { return device_.Length() > 0; }));
  EXPECT_NEAR(device_.Length(), 3000, 50);
  pump_.For(300);
  EXPECT_GE(device_.Position(), 1600) << "it started at 1.5 s, not at the beginning";
  EXPECT_LT(device_.Position(), 2900);

  // Stopped and moved while it loads: it waits where it was put.
  device_.Command("open");
  device_.SetFrom(500);
  device_.Command("play");
  device_.SetFrom(2000);
  device_.Command("seek");
  ASSERT_TRUE(pump_.Until([&] { return device_.Length() > 0; }));
  pump_.For(200);
  EXPECT_NEAR(device_.Position(), 2000, 30);

  // Closed while it loads: nothing ends and nothing stays open.
  device_.Command("open");
  device_.SetFrom(2500);
  device_.Command("play");
  device_.Command("close");
  pump_.For(200);
  EXPECT_EQ(device_.Position(), 0);
  EXPECT_EQ(device_.Length(), 0);

  // The next open that waits starts at its beginning again.
  device_.SetWait(true);
  device_.Command("open");
  ASSERT_EQ(device_.Error(), 0);
  device_.Command("play");
  ASSERT_TRUE(pump_.Until([&] { return device_.Position() > 100; }));
  EXPECT_LT(device_.Position(), 1400);
  EXPECT_TRUE(ends_.empty());

  // A load that fails says so afterwards, and ends the media.
  device_.SetFileName(dir_.Write("noise.wav", std::string(4096, '\x55')));
  device_.SetWait(false);
  device_.Command("open");
  EXPECT_EQ(device_.Error(), 0);
  device_.Command("play");
  ASSERT_TRUE(pump_.Until([&] { return device_.Error() != 0; }));
  EXPECT_EQ(device_.Error(), 277) << device_.ErrorMessage();
  EXPECT_EQ(ends_, std::vector<MediaEnd>{MediaEnd::Failed});
  EXPECT_EQ(device_.Position(), 0);
  device_.SetWait(true);
}

TEST_F(MpvMediaDeviceTest, OpeningAnotherFileReplacesThePlayingOneSilently) {
  Open(Sine(2000));
  device_.Command("play");
  ASSERT_TRUE(pump_.Until([&] { return device_.Position() > 200; }));
  Open(Sine(1000, "second.wav"));
  ASSERT_EQ(device_.Error(), 0);
  EXPECT_NEAR(device_.Length(), 1000, 50);
  pump_.For(200);
  EXPECT_EQ(device_.Position(), 0);
  EXPECT_TRUE(ends_.empty()) << "replacing a file is not its end";
}

TEST_F(MpvMediaDeviceTest, BalancedVolumePlaysMonoAndStereoToTheEnd) {
  device_.SetVolume(1.0, 0.25);
  for (int channels : {1, 2}) {
    ends_.clear();
    Open(Sine(600, "balance" + std::to_string(channels) + ".wav", channels));
    ASSERT_EQ(device_.Error(), 0) << channels;
    device_.SetFrom(0);
    device_.Command("play");
    ASSERT_TRUE(pump_.Until([&] { return !ends_.empty(); })) << channels;
    EXPECT_EQ(ends_[0], MediaEnd::Finished) << channels;
  }
  device_.SetVolume(0.5, 0.5);
  device_.SetVolume(0.0, 0.0);
}

TEST_F(MpvMediaDeviceTest, Mp3FromFfmpegHasTheRightLength) {
  if (std::system("command -v ffmpeg >/dev/null 2>&1") != 0) GTEST_SKIP() << "no ffmpeg";
  const std::string wav = Sine(2000);
  const std::string mp3 = dir_.File("sine.mp3");
  const std::string convert =
      "ffmpeg -loglevel error -y -i '" + wav + "' -codec:a libmp3lame -b:a 128k '" + mp3 + "'";
  if (std::system(convert.c_str()) != 0) GTEST_SKIP() << "ffmpeg cannot write MP3";
  Open(mp3);
  ASSERT_EQ(device_.Error(), 0) << device_.ErrorMessage();
  EXPECT_NEAR(device_.Length(), 2000, 50);
}

// Plays `path` once through a device writing its sound as 16-bit samples to a file, with
// `mode`; the peak and the RMS of what came out, as fractions of full scale.
struct Loudness {
  double peak = 0, rms = 0;
};
Loudness PlayedLoudness(const std::string& path, ReplayGain mode, const std::string& out) {
  MpvOptions options = NullOutputs();
  options.audioOutput = "pcm";
  options.extra = {{"ao-pcm-file", out}, {"ao-pcm-waveheader", "no"}, {"audio-format", "s16"}};
  MpvMediaDevice device(options);
  EventPump pump(device);
  bool ended = false;
  device.SetEndCallback([&](MediaEnd) { ended = true; });
  device.SetReplayGain(mode);
  device.SetDeviceType("MPEGVideo");
  device.SetFileName(path);
  device.Command("open");
  EXPECT_EQ(device.Error(), 0) << device.ErrorMessage();
  device.SetFrom(0);
  device.Command("play");
  EXPECT_TRUE(pump.Until([&] { return ended; }, 10000));
  device.Command("close");
  std::ifstream in(out, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  Loudness l;
  double sum = 0;
  const std::size_t n = bytes.size() / 2;
  for (std::size_t i = 0; i < n; ++i) {
    std::int16_t v = 0;
    std::memcpy(&v, &bytes[i * 2], 2);
    const double x = std::abs(v / 32768.0);
    l.peak = std::max(l.peak, x);
    sum += x * x;
  }
  l.rms = n > 0 ? std::sqrt(sum / static_cast<double>(n)) : 0;
  return l;
}

// With no output named in the options, $VARLO_AO picks the sound output; a value the engine
// cannot read is passed over for the desktop's outputs, and the entry still plays to its end.
TEST_F(MpvMediaDeviceTest, VarloAoPicksTheSoundOutput) {
  const std::string wav = Sine(300);
  const std::string out = dir_.File("played.raw");
  const auto play = [&](const char* outputs) {
    setenv("VARLO_AO", outputs, 1);
    MpvOptions options = NullOutputs();
    options.audioOutput.clear();
    options.extra = {{"ao-pcm-file", out}, {"ao-pcm-waveheader", "no"}};
    MpvMediaDevice device(options);
    EventPump pump(device);
    bool ended = false;
    device.SetEndCallback([&](MediaEnd) { ended = true; });
    device.SetDeviceType("MPEGVideo");
    device.SetFileName(wav);
    device.Command("open");
    device.Command("play");
    const bool played = pump.Until([&] { return ended; }, 10000);
    device.Command("close");
    unsetenv("VARLO_AO");
    return played;
  };
  ASSERT_TRUE(play("pcm"));
  std::ifstream pcm(out, std::ios::binary | std::ios::ate);
  EXPECT_GT(static_cast<long long>(pcm.tellg()), 300 * 44) << "no sound reached the named output";
  pcm.close();
  std::remove(out.c_str());
  EXPECT_TRUE(play("pcm,,null"));
  EXPECT_FALSE(std::ifstream(out).good()) << "the pcm output was used though not named";
  for (const char* list : {"alsa", "pulse,alsa", "null,", "pipe_wire-2"})
    EXPECT_TRUE(IsAudioOutputList(list)) << list;
  for (const char* list : {"", ",alsa", "pcm,,null", "pcm:file=x", "a b", "@label:alsa"})
    EXPECT_FALSE(IsAudioOutputList(list)) << list;
}

TEST_F(MpvMediaDeviceTest, ReplayGainLevelsByTheTagsWithoutClipping) {
  if (std::system("command -v ffmpeg >/dev/null 2>&1") != 0) GTEST_SKIP() << "no ffmpeg";
  const std::string wav = Sine(1000);  // peak 12000 of 32768
  const auto tagged = [&](const std::string& name, const std::string& trackGain,
                          const std::string& albumGain) {
    const std::string flac = dir_.File(name);
    const std::string make =
        "ffmpeg -loglevel error -y -i '" + wav + "' -metadata REPLAYGAIN_TRACK_GAIN='" + trackGain +
        "' -metadata REPLAYGAIN_TRACK_PEAK=0.366211"
        " -metadata REPLAYGAIN_ALBUM_GAIN='" +
        albumGain + "' -metadata REPLAYGAIN_ALBUM_PEAK=0.366211 '" + flac + "'";
    return std::system(make.c_str()) == 0 ? flac : std::string();
  };
  const std::string quiet = tagged("quiet.flac", "-12.00 dB", "-6.00 dB");
  const std::string loud = tagged("loud.flac", "+20.00 dB", "+20.00 dB");
  if (quiet.empty() || loud.empty()) GTEST_SKIP() << "ffmpeg cannot write FLAC";
  const std::string out = dir_.File("out.raw");

  const Loudness off = PlayedLoudness(quiet, ReplayGain::Off, out);
  EXPECT_NEAR(off.peak, 0.366, 0.01);
  EXPECT_NEAR(PlayedLoudness(quiet, ReplayGain::Track, out).peak, 0.366 * 0.251, 0.01);  // -12 dB
  EXPECT_NEAR(PlayedLoudness(quiet, ReplayGain::Album, out).peak, 0.366 * 0.501, 0.01);  // -6 dB
  // +20 dB would clip: the gain stops where the peak reaches full scale, and the tone keeps
  // the shape of a sine (RMS over peak 0.707) rather than the square a clipped one takes.
  const Loudness raised = PlayedLoudness(loud, ReplayGain::Track, out);
  EXPECT_GT(raised.peak, 0.9);
  EXPECT_NEAR(raised.rms / raised.peak, off.rms / off.peak, 0.03);
}

// Tagged files as people have them: ID3v2 without ID3v1, and FLAC with Vorbis comments (whose
// keys the engine reports in upper case).
TEST_F(MpvMediaDeviceTest, TagsComeFromId3v2AndVorbisCommentsAndGoAtClose) {
  if (std::system("command -v ffmpeg >/dev/null 2>&1") != 0) GTEST_SKIP() << "no ffmpeg";
  const std::string wav = Sine(500);
  const std::string mp3 = dir_.File("v2.mp3");
  const std::string flac = dir_.File("comments.flac");
  const std::string makeMp3 = "ffmpeg -loglevel error -y -i '" + wav +
                              "' -codec:a libmp3lame -id3v2_version 3 -write_id3v1 0 -metadata "
                              "'title=Grüne Wiese' -metadata artist=Odd -metadata album=First '" +
                              mp3 + "'";
  const std::string makeFlac = "ffmpeg -loglevel error -y -i '" + wav +
                               "' -metadata 'TITLE=Line one\nline two' -metadata ARTIST=Even '" +
                               flac + "'";
  if (std::system(makeMp3.c_str()) != 0) GTEST_SKIP() << "ffmpeg cannot write MP3";
  if (std::system(makeFlac.c_str()) != 0) GTEST_SKIP() << "ffmpeg cannot write FLAC";

  Open(mp3);
  ASSERT_EQ(device_.Error(), 0) << device_.ErrorMessage();
  EXPECT_EQ(device_.Tags(), (StreamTags{"Grüne Wiese", "Odd", "First"}));

  Open(flac);  // the next open replaces them
  ASSERT_EQ(device_.Error(), 0) << device_.ErrorMessage();
  const StreamTags flacTags = device_.Tags();
  EXPECT_EQ(flacTags.artist, "Even");
  EXPECT_EQ(flacTags.album, "");
  EXPECT_EQ(flacTags.title.find('\n'), std::string::npos) << "one line";
  EXPECT_EQ(flacTags.title.substr(0, 8), "Line one");

  device_.Command("close");
  EXPECT_TRUE(device_.Tags().Empty());
  Open(wav);  // no tags at all
  ASSERT_EQ(device_.Error(), 0) << device_.ErrorMessage();
  EXPECT_TRUE(device_.Tags().Empty());
}

TEST_F(MpvMediaDeviceTest, VideoOpensAndPlaysToItsEndWithoutADisplay) {
  if (std::system("command -v ffmpeg >/dev/null 2>&1") != 0) GTEST_SKIP() << "no ffmpeg";
  const std::string video = dir_.File("clip.avi");
  const std::string make =
      "ffmpeg -loglevel error -y -f lavfi -i testsrc=size=64x48:rate=25 -t 1 '" + video + "'";
  if (std::system(make.c_str()) != 0) GTEST_SKIP() << "ffmpeg cannot write the clip";
  device_.SetDisplayWindow(0);
  Open(video);
  ASSERT_EQ(device_.Error(), 0) << device_.ErrorMessage();
  EXPECT_NEAR(device_.Length(), 1000, 50);
  device_.SetFrom(500);
  device_.Command("play");
  ASSERT_TRUE(pump_.Until([&] { return !ends_.empty(); }));
  EXPECT_EQ(ends_[0], MediaEnd::Finished);
  EXPECT_EQ(device_.Position(), device_.Length());
}

TEST_F(MpvMediaDeviceTest, TheVideoCallbackSaysWhetherTheOpenMediaShowsVideo) {
  if (std::system("command -v ffmpeg >/dev/null 2>&1") != 0) GTEST_SKIP() << "no ffmpeg";
  const std::string video = dir_.File("clip.avi");
  const std::string make =
      "ffmpeg -loglevel error -y -f lavfi -i testsrc=size=64x48:rate=25 -t 1 '" + video + "'";
  if (std::system(make.c_str()) != 0) GTEST_SKIP() << "ffmpeg cannot write the clip";
  struct Report {
    bool video;
    int width, height;
  };
  std::vector<Report> reports;
  device_.SetVideoCallback([&reports](bool shown, int w, int h) {
    reports.push_back({shown, w, h});
  });

  Open(Sine(300));
  EXPECT_TRUE(reports.empty()) << "sound after nothing takes nothing down";
  Open(video);
  ASSERT_EQ(device_.Error(), 0) << device_.ErrorMessage();
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_TRUE(reports[0].video);
  EXPECT_EQ(reports[0].width, 64);
  EXPECT_EQ(reports[0].height, 48);
  device_.ReloadVideo();  // a new output for the same track, still video
  Open(video);
  ASSERT_EQ(reports.size(), 2u) << "a video after a video is told once, without a gap";
  EXPECT_TRUE(reports[1].video);
  Open(Sine(300, "after.wav"));
  ASSERT_EQ(reports.size(), 3u);
  EXPECT_FALSE(reports[2].video);
  Open(video);
  device_.Command("close");
  ASSERT_EQ(reports.size(), 5u);
  EXPECT_FALSE(reports[4].video);
  device_.Command("close");
  EXPECT_EQ(reports.size(), 5u);
}

}  // namespace
}  // namespace varlo
