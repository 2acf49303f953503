#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "common/paths.h"
#include "player/cover_search.h"
#include "player/id3v1_tag.h"
#include "player/lyric_file.h"
#include "player/mp3_header.h"
#include "player/playlist.h"
#include "player/playlist_file.h"
#include "tools/demogen/score.h"
#include "tools/demogen/synth.h"

namespace demogen {
namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

std::uint32_t Le(const std::string& bytes, std::size_t at, int n) {
  std::uint32_t v = 0;
  for (int i = n - 1; i >= 0; --i)
    v = v << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  return v;
}

double Loudest(const std::vector<float>& s, std::size_t from, std::size_t to) {
  double m = 0;
  for (std::size_t i = from; i < to && i < s.size(); ++i)
    m = std::max(m, std::abs(static_cast<double>(s[i])));
  return m;
}

int RisingCrossings(const std::vector<float>& s, std::size_t from, std::size_t to) {
  int n = 0;
  for (std::size_t i = from + 1; i < to; ++i)
    if (s[i - 1] < 0 && s[i] >= 0) ++n;
  return n;
}

TEST(DemoSynthTest, ANoteSoundsAtItsPitchFromItsStartAndTheMixIsScaledToThePeak) {
  const Note a4{500, 1000, 69, 1.0, Voice::Melody};
  const Stereo s = Render({a4}, kSampleRate, 0.5);
  const std::size_t start = kSampleRate / 2;
  ASSERT_EQ(s.left.size(),
            static_cast<std::size_t>((1500 + ReleaseMs(Voice::Melody)) * kSampleRate / 1000));
  ASSERT_EQ(s.right.size(), s.left.size());

  EXPECT_EQ(Loudest(s.left, 0, start), 0.0);
  EXPECT_EQ(Loudest(s.right, 0, start), 0.0);
  EXPECT_GT(Loudest(s.right, start, start + 441), 0.05);  // within 10 ms
  EXPECT_NEAR(std::max(Loudest(s.left, 0, s.left.size()), Loudest(s.right, 0, s.right.size())), 0.5,
              1e-6);

  // 440 Hz over 0.8 s while the note is held, echo and vibrato included.
  EXPECT_NEAR(RisingCrossings(s.right, start + 4410, start + 4410 + 35280), 352, 4);
  EXPECT_DOUBLE_EQ(NoteHz(69), 440.0);
  EXPECT_NEAR(NoteHz(60), 261.626, 0.001);
}

TEST(DemoSynthTest, TheWavFileIsSixteenBitStereoPcmAndClipsBeyondFullScale) {
  const Stereo s{{0.5f, 2.0f}, {-1.0f, -0.25f}};
  const std::string wav = WavBytes(s, 22050);
  ASSERT_EQ(wav.size(), 44u + 8u);
  EXPECT_EQ(wav.substr(0, 4), "RIFF");
  EXPECT_EQ(Le(wav, 4, 4), 36u + 8u);
  EXPECT_EQ(wav.substr(8, 8), "WAVEfmt ");
  EXPECT_EQ(Le(wav, 20, 2), 1u);  // PCM
  EXPECT_EQ(Le(wav, 22, 2), 2u);
  EXPECT_EQ(Le(wav, 24, 4), 22050u);
  EXPECT_EQ(Le(wav, 28, 4), 22050u * 4);
  EXPECT_EQ(Le(wav, 32, 2), 4u);
  EXPECT_EQ(Le(wav, 34, 2), 16u);
  EXPECT_EQ(wav.substr(36, 4), "data");
  EXPECT_EQ(Le(wav, 40, 4), 8u);
  auto sample = [&wav](std::size_t i) { return static_cast<std::int16_t>(Le(wav, 44 + 2 * i, 2)); };
  EXPECT_EQ(sample(0), 16384);  // left, right, left, right
  EXPECT_EQ(sample(1), -32767);
  EXPECT_EQ(sample(2), 32767);
  EXPECT_EQ(sample(3), -8192);
}

// The lyric file is written by hand against the score: every timed line must start with a
// sung phrase, or the words run ahead of the tune.
TEST(DemoScoreTest, TheLyricLinesStartWithTheSungPhrases) {
  const std::vector<Note> notes = FirstLight();
  const int length = LengthMs(notes);
  EXPECT_GE(length, 35000);
  EXPECT_LE(length, 45000);

  const std::vector<int> phrases = PhraseStartsMs();
  const varlo::LyricSheet sheet = varlo::LoadLyricFile(VARLO_DEMO_LYRICS);
  ASSERT_TRUE(sheet.synced);
  ASSERT_EQ(sheet.count, static_cast<int>(phrases.size()));
  EXPECT_GE(sheet.count, 8);
  EXPECT_LE(sheet.count, 12);
  for (int n = 1; n <= sheet.count; ++n) {
    const int t = sheet.TimeOf(n);
    EXPECT_EQ(t, phrases[static_cast<std::size_t>(n - 1)]) << "line " << n;
    EXPECT_TRUE(
        std::any_of(notes.begin(), notes.end(),
                    [t](const Note& x) { return x.voice == Voice::Melody && x.startMs == t; }))
        << "no melody note starts line " << n;
    if (n > 1) {
      EXPECT_GE(t - sheet.TimeOf(n - 1), 2000) << "line " << n << " follows too soon";
    }
  }
  EXPECT_LT(sheet.TimeOf(sheet.count) + kBarMs, length);

  // The sound fills the phrases: no sung bar is silent.
  const Stereo s = Render(notes);
  for (int t : phrases) {
    const auto at = static_cast<std::size_t>(t) * kSampleRate / 1000;
    EXPECT_GT(Loudest(s.left, at, at + kSampleRate), 0.2) << "at " << t << " ms";
  }
}

#if VARLO_DEMO_BUILT
// The album as the build ships it, read with the player's own readers.
TEST(DemoAlbumTest, TheBuiltAlbumPlaysWithItsTagsCoverLyricsAndPlaylist) {
  namespace fs = std::filesystem;
  const std::string dir = VARLO_DEMO_DIR;
  const std::string mp3 = dir + "/First Light.mp3";
  ASSERT_TRUE(fs::exists(mp3));

  const varlo::Mp3StreamInfo info = varlo::ReadMp3StreamInfo(mp3);
  ASSERT_TRUE(info.found);
  EXPECT_EQ(info.bitRate, "192");
  EXPECT_EQ(info.sampleRate, "44");
  EXPECT_TRUE(info.mode == "stereo" || info.mode == "jstereo") << info.mode;
  EXPECT_GT(varlo::Id3v2TagSize(ReadAll(mp3).substr(0, 10)), 0u);
  // 192 kbit/s is 24000 bytes a second.
  const double seconds = static_cast<double>(fs::file_size(mp3)) / 24000.0;
  EXPECT_NEAR(seconds, LengthMs(FirstLight()) / 1000.0, 1.0);

  const varlo::TagRecord tag = varlo::ReadTag(mp3);
  EXPECT_EQ(tag.title, kTitle);
  EXPECT_EQ(tag.artist, kArtist);
  EXPECT_EQ(tag.album, kAlbum);
  EXPECT_EQ(tag.track, 1);
  EXPECT_EQ(varlo::kGenreNames[static_cast<std::size_t>(varlo::GenreIndexFromByte(tag.genre))],
            "Ambient");

  EXPECT_EQ(ReadAll(varlo::LyricPathOf(mp3)), ReadAll(VARLO_DEMO_LYRICS));

  // The tag's album finds the cover, and so does the playlist's own name.
  const std::string cover = dir + "/Varlo Demo.bmp";
  EXPECT_EQ(varlo::TagCoverPicture(dir, tag.artist, tag.album), cover);
  EXPECT_EQ(varlo::FindPicture(dir + "/Varlo Demo"), cover);
  const std::string bmp = ReadAll(cover);
  ASSERT_GE(bmp.size(), 54u);
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  EXPECT_EQ(Le(bmp, 18, 4), 300u);
  EXPECT_EQ(Le(bmp, 22, 4), 300u);
  EXPECT_EQ(Le(bmp, 28, 2), 24u);

  const std::string m3u = dir + "/Varlo Demo.m3u";
  EXPECT_EQ(ReadAll(m3u), "First Light.mp3\r\n");
  varlo::Playlist list;
  ASSERT_EQ(varlo::ReadPlaylistFile(m3u, 0, list), 1);
  EXPECT_EQ(list.paths[0], mp3);
}
#endif

}  // namespace
}  // namespace demogen
