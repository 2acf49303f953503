// The disc as a WAV stream: header, sector arithmetic, silence for data tracks and bad reads.
#include "cd/disc_audio_stream.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

namespace varlo {
namespace {

// Every byte of sector s is (s % 251) + 1, so a test can tell which sector a byte came from.
struct PatternSource final : SectorSource {
  std::set<std::int32_t> bad;  // sectors whose reads fail
  int calls = 0;
  bool ReadAudio(std::int32_t lsn, std::int32_t count, std::uint8_t* out) override {
    ++calls;
    for (std::int32_t i = 0; i < count; ++i)
      if (bad.count(lsn + i)) return false;
    for (std::int32_t i = 0; i < count; ++i)
      std::memset(out + static_cast<std::size_t>(i) * kBytesPerSector, (lsn + i) % 251 + 1,
                  kBytesPerSector);
    return true;
  }
};

std::uint8_t ByteAt(DiscAudioStream& stream, std::int64_t offset) {
  EXPECT_EQ(stream.Seek(offset), offset);
  char byte = 0;
  EXPECT_EQ(stream.Read(&byte, 1), 1);
  return static_cast<std::uint8_t>(byte);
}

DiscToc Toc(std::vector<TocTrack> tracks, std::int32_t leadOut) {
  DiscToc toc;
  toc.tracks = std::move(tracks);
  toc.leadOutLba = leadOut;
  return toc;
}

std::int64_t SectorOffset(std::int32_t lsn) {
  return kWaveHeaderBytes + static_cast<std::int64_t>(lsn) * kBytesPerSector;
}

TEST(DiscAudioStreamTest, TheHeaderDescribesCdAudioAndTheSizeCoversEverySector) {
  DiscToc toc = Toc({{0, true}, {1000, true}}, 2000);
  auto source = std::make_unique<PatternSource>();
  DiscAudioStream stream(toc, std::move(source));
  EXPECT_EQ(stream.Size(), 44 + 2000LL * 2352);

  char header[44];
  ASSERT_EQ(stream.Read(header, sizeof header), 44);
  EXPECT_EQ(std::string(header, 4), "RIFF");
  EXPECT_EQ(std::string(header + 8, 8), "WAVEfmt ");
  EXPECT_EQ(std::string(header + 36, 4), "data");
  auto le32 = [&](int at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<std::uint8_t>(header[at + i]);
    return v;
  };
  EXPECT_EQ(le32(24), 44100U);
  EXPECT_EQ(le32(28), 176400U);
  EXPECT_EQ(le32(40), 2000U * 2352);
  EXPECT_EQ(le32(4), 36 + 2000U * 2352);
  EXPECT_EQ(header[22], 2);  // stereo
  EXPECT_EQ(header[34], 16);
}

TEST(DiscAudioStreamTest, OffsetsMapToSectorsAcrossChunksAndTheEnd) {
  DiscToc toc = Toc({{0, true}}, 100);
  DiscAudioStream stream(toc, std::make_unique<PatternSource>());
  EXPECT_EQ(ByteAt(stream, SectorOffset(0)), 1);
  EXPECT_EQ(ByteAt(stream, SectorOffset(31) + 2351), 32);
  EXPECT_EQ(ByteAt(stream, SectorOffset(32)), 33);
  EXPECT_EQ(ByteAt(stream, SectorOffset(99) + 2351), 100);

  // A read running over the header into the data, and reads ending exactly at the end.
  ASSERT_EQ(stream.Seek(40), 40);
  char start[8];
  EXPECT_EQ(stream.Read(start, sizeof start), 8);
  EXPECT_EQ(start[4], 1);
  ASSERT_EQ(stream.Seek(stream.Size() - 3), stream.Size() - 3);
  char tail[16];
  EXPECT_EQ(stream.Read(tail, sizeof tail), 3);
  EXPECT_EQ(stream.Read(tail, sizeof tail), 0) << "the end reads as the end";

  EXPECT_EQ(stream.Seek(-1), -1);
  EXPECT_EQ(stream.Seek(stream.Size() + 1), -1);
  EXPECT_EQ(stream.Seek(stream.Size()), stream.Size());
}

TEST(DiscAudioStreamTest, ReadingTheWholeStreamGivesEveryByteOnce) {
  DiscToc toc = Toc({{0, true}}, 70);
  DiscAudioStream stream(toc, std::make_unique<PatternSource>());
  std::string all;
  char buffer[10000];
  for (std::int64_t n; (n = stream.Read(buffer, sizeof buffer)) > 0;)
    all.append(buffer, static_cast<std::size_t>(n));
  ASSERT_EQ(static_cast<std::int64_t>(all.size()), stream.Size());
  for (std::int32_t s = 0; s < 70; ++s)
    EXPECT_EQ(static_cast<std::uint8_t>(all[static_cast<std::size_t>(SectorOffset(s))]), s + 1);
}

TEST(DiscAudioStreamTest, DataTracksAndUnreadableSectorsPlayAsSilence) {
  // A mixed-mode disc: data first, audio from sector 40.
  DiscToc toc = Toc({{0, false}, {40, true}}, 80);
  auto source = std::make_unique<PatternSource>();
  source->bad = {50};
  PatternSource* raw = source.get();
  DiscAudioStream stream(toc, std::move(source));
  EXPECT_EQ(ByteAt(stream, SectorOffset(10)), 0);
  EXPECT_EQ(ByteAt(stream, SectorOffset(39) + 2000), 0);
  EXPECT_EQ(ByteAt(stream, SectorOffset(40)), 41);
  EXPECT_EQ(ByteAt(stream, SectorOffset(49)), 50);
  EXPECT_EQ(ByteAt(stream, SectorOffset(50)), 0) << "a bad sector is silent";
  EXPECT_EQ(ByteAt(stream, SectorOffset(51)), 52) << "its neighbours still play";
  EXPECT_GT(raw->calls, 0);
}

TEST(DiscAudioStreamTest, TheGapBeforeALaterSessionIsSilenceThatIsNeverRead) {
  DiscToc toc = Toc({{0, true}, {11500, false}}, 11600);
  toc.lastSessionLba = 11500;
  auto source = std::make_unique<PatternSource>();
  PatternSource* raw = source.get();
  DiscAudioStream stream(toc, std::move(source));
  EXPECT_EQ(ByteAt(stream, SectorOffset(99)), 100);
  const int calls = raw->calls;
  EXPECT_EQ(ByteAt(stream, SectorOffset(100)), 0);
  EXPECT_EQ(ByteAt(stream, SectorOffset(5000)), 0);
  EXPECT_EQ(ByteAt(stream, SectorOffset(11499)), 0);
  EXPECT_EQ(raw->calls, calls) << "the lead-out and lead-in between sessions are not read";
}

TEST(DiscAudioStreamTest, ACancelledStreamFailsItsReadsAndABadTableGivesAnEmptyStream) {
  DiscToc toc = Toc({{0, true}}, 10);
  DiscAudioStream stream(toc, std::make_unique<PatternSource>());
  stream.Cancel();
  char byte;
  EXPECT_EQ(stream.Read(&byte, 1), -1);
  EXPECT_EQ(stream.Seek(0), -1);

  DiscAudioStream negative(Toc({}, -5), std::make_unique<PatternSource>());
  EXPECT_EQ(negative.Size(), 44);
  DiscAudioStream huge(Toc({{0, true}}, 1 << 30), std::make_unique<PatternSource>());
  EXPECT_EQ(huge.Size(), 44 + 450000LL * 2352) << "longer than any disc is clamped";
}

}  // namespace
}  // namespace varlo
