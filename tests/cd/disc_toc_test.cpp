#include "cd/disc_toc.h"

#include <gtest/gtest.h>

#include "cd/nrg_layout.h"

namespace varlo {
namespace {

// A table of contents from sector addresses of audio tracks.
DiscToc Toc(std::vector<std::int32_t> starts, std::int32_t leadOut) {
  DiscToc toc;
  for (std::int32_t lba : starts) toc.tracks.push_back({lba, true});
  toc.leadOutLba = leadOut;
  return toc;
}

// Sector address of a drive position given as minutes, seconds and frames (lead-in included).
std::int32_t Lba(int m, int s, int f) {
  return (m * 60 + s) * 75 + f - 150;
}

TEST(DiscToc, ThreeTrackDiscGivesBothIdentifiersAsComputedByHand) {
  // Starts 00:02:00, 04:10:35, 08:00:00, lead-out 12:00:00 (720 s).
  const TrackTable table =
      MakeTrackTable(Toc({Lba(0, 2, 0), Lba(4, 10, 35), Lba(8, 0, 0)}, Lba(12, 0, 0)));
  ASSERT_EQ(table.Count(), 3);
  EXPECT_EQ(table.Track(2)->minutes, 4);
  EXPECT_EQ(table.Track(2)->seconds, 10);
  EXPECT_EQ(table.Track(2)->frames, 35);
  EXPECT_EQ(table.Track(2)->frameCount, 18785);
  // Digit sums 2 + 7 + 12 = 21 = 0x15; 720 - 2 = 718 s = 0x2ce; 3 tracks.
  EXPECT_EQ(CddbDiscId(table), "1502ce03");
  // 512 + 264739 + 524288 = 789539.
  EXPECT_EQ(CdpDiscId(table), "C0C23");
  EXPECT_EQ(CddbOffsets(table), (std::vector<std::int32_t>{150, 18785, 36000}));
  EXPECT_EQ(table.totLenSeconds, 720);
}

TEST(DiscToc, PublishedExampleAndMixedModeDisc) {
  // Offsets 150, 450, 675, lead-out 1050: n = 2 + 6 + 9, t = 14 - 2.
  EXPECT_EQ(CddbDiscId(MakeTrackTable(Toc({0, 300, 525}, 900))), "11000c03");

  // A data track first, then audio at 15150 frames (202 s); lead-out at 30150 (402 s):
  // n = 2 + 4, t = 400 = 0x190. The data track counts in both identifiers.
  DiscToc mixed;
  mixed.tracks = {{0, false}, {15000, true}};
  mixed.leadOutLba = 30000;
  const TrackTable table = MakeTrackTable(mixed);
  ASSERT_EQ(table.Count(), 2);
  EXPECT_FALSE(table.Track(1)->audio);
  EXPECT_TRUE(table.Track(2)->audio);
  EXPECT_EQ(CddbDiscId(table), "06019002");
  // 00:02:00 + 03:22:00 = 0x200 + 0x31600.
  EXPECT_EQ(CdpDiscId(table), "31800");
}

TEST(DiscToc, NinetyNineTracksAndNoMore) {
  // Tracks every 10 s from 00:02:00: the digit sums of 2, 12, ..., 982 add up to 1080
  // (1080 mod 255 = 60); lead-out at 992 s, so t = 990 = 0x3de.
  std::vector<std::int32_t> starts;
  for (int i = 0; i < 99; ++i) starts.push_back(i * 750);
  const TrackTable table = MakeTrackTable(Toc(starts, 99 * 750));
  ASSERT_EQ(table.Count(), 99);
  EXPECT_EQ(CddbDiscId(table), "3c03de63");
  EXPECT_EQ(table.Track(99)->lengthMs, 10000);

  // A drive that claims a hundredth track: the table keeps 99.
  starts.push_back(99 * 750);
  EXPECT_EQ(MakeTrackTable(Toc(starts, 100 * 750)).Count(), 99);
  EXPECT_EQ(table.Track(100), nullptr);
  EXPECT_EQ(table.Track(0), nullptr);
}

TEST(DiscToc, TrackTimesAndBrokenTables) {
  const TrackTable table = MakeTrackTable(Toc({0, 750, 2250}, 3000));
  EXPECT_EQ(table.Track(1)->startMs, 0);
  EXPECT_EQ(table.Track(1)->lengthMs, 10000);
  EXPECT_EQ(table.Track(1)->endMs, 9999);
  EXPECT_EQ(table.Track(2)->startMs, 10000);
  EXPECT_EQ(table.Track(3)->lengthMs, 10000);
  EXPECT_EQ(table.discMs, 40000);

  // Out of order, past the lead-out, or no lead-out: nothing beyond the last sound track.
  EXPECT_EQ(MakeTrackTable(Toc({0, 750, 500}, 3000)).Count(), 2);
  EXPECT_EQ(MakeTrackTable(Toc({0, 3000}, 3000)).Count(), 1);
  EXPECT_EQ(MakeTrackTable(Toc({0}, 0)).Count(), 0);
  EXPECT_EQ(MakeTrackTable(Toc({-5}, 100)).Count(), 0);
  EXPECT_EQ(CddbDiscId(TrackTable{}), "0");
}

TEST(DiscToc, TheLastAudioTrackOfAnEnhancedCdEndsWhereTheSessionGapBegins) {
  // Audio at 0 and 300 sectors, then the data session's track 11 400 sectors after the audio
  // ends: the second track is 4 s long, not 4 s and the gap's 2.5 minutes.
  DiscToc enhanced;
  enhanced.tracks = {{0, true}, {300, true}, {12000, false}};
  enhanced.leadOutLba = 12300;
  enhanced.lastSessionLba = 12000;
  const TrackTable table = MakeTrackTable(enhanced);
  ASSERT_EQ(table.Count(), 3);
  EXPECT_EQ(table.Track(2)->lengthMs, 4000);
  EXPECT_EQ(table.Track(2)->endMs, 7999);
  EXPECT_EQ(table.Track(3)->startMs, 160000);
  EXPECT_EQ(table.Track(3)->lengthMs, 4000);
  // The gap falls in no track: a position in it belongs to the next one.
  EXPECT_EQ(FindTrack(table, 8000), 3);
  EXPECT_EQ(SessionGap(enhanced).first, 600);
  EXPECT_EQ(SessionGap(enhanced).last, 12000);
  // The identifiers are those of the whole table, as the drive reports it.
  EXPECT_EQ(CddbOffsets(table), (std::vector<std::int32_t>{150, 450, 12150}));

  // One session, or a session start that is no track or leaves no room for a gap: nothing cut.
  for (std::int32_t start : {0, 11000, 300, 5000}) {
    enhanced.lastSessionLba = start;
    EXPECT_EQ(MakeTrackTable(enhanced).Track(2)->lengthMs, 156000) << start;
    EXPECT_FALSE(SessionGap(enhanced).Holds(5000)) << start;
  }
  DiscToc tight;
  tight.tracks = {{0, true}, {11000, false}};
  tight.leadOutLba = 11300;
  tight.lastSessionLba = 11000;
  EXPECT_EQ(MakeTrackTable(tight).Track(1)->lengthMs, 146666);
}

TEST(DiscToc, NeroImagesTellTheTracksOfEachSession) {
  auto be = [](std::uint64_t value, int bytes) {
    std::string out;
    for (int i = bytes - 1; i >= 0; --i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
    return out;
  };
  auto chunk = [&](const char* name, const std::string& body) {
    return std::string(name, 4) + be(body.size(), 4) + body;
  };
  const std::string chunks = chunk("ETN2", std::string(96, '\0')) + chunk("SINF", be(2, 4)) +
                             chunk("CDTX", "x") + chunk("SINF", be(1, 4)) + chunk("END!", "");
  const std::optional<NrgLayout> layout = ParseNrgChunks(chunks);
  ASSERT_TRUE(layout);
  EXPECT_EQ(layout->sessionTracks, (std::vector<int>{2, 1}));
  EXPECT_EQ(layout->trackAtOnceLists, 1);
  EXPECT_EQ(LastSessionFirstTrack(*layout), 3);
  EXPECT_EQ(LastSessionFirstTrack(*ParseNrgChunks(chunk("SINF", be(5, 4)))), 0);
  // Whatever follows the end marker is not read.
  EXPECT_TRUE(ParseNrgChunks(chunk("END!", "") + "\xff\xff\xff\xff\xff"));

  // Chunks running past the list, counts no disc can hold and oversized lists are refused.
  EXPECT_FALSE(ParseNrgChunks("SINF" + be(100, 4) + be(1, 4)));
  EXPECT_FALSE(ParseNrgChunks(chunk("SINF", be(100, 4))));
  EXPECT_FALSE(ParseNrgChunks(chunk("SINF", "ab")));
  EXPECT_FALSE(ParseNrgChunks(std::string(kMaxNrgChunkBytes + 1, '\0')));
  std::string many;
  for (int i = 0; i < 5000; ++i) many += chunk("CDTX", "");
  EXPECT_FALSE(ParseNrgChunks(many));

  // The footer: "NER5" with a 64-bit offset, "NERO" with a 32-bit one, inside the file.
  const std::optional<NrgChunkSpan> v2 = FindNrgChunks("NER5" + be(1000, 8), 1100);
  ASSERT_TRUE(v2);
  EXPECT_EQ(v2->offset, 1000u);
  EXPECT_EQ(v2->length, 88u);
  const std::optional<NrgChunkSpan> v1 = FindNrgChunks("xxxxNERO" + be(20, 4), 100);
  ASSERT_TRUE(v1);
  EXPECT_EQ(v1->length, 72u);
  EXPECT_FALSE(FindNrgChunks("NER5" + be(1095, 8), 1100));
  EXPECT_FALSE(FindNrgChunks("NER5" + be(~0ull, 8), 1100));
  EXPECT_FALSE(FindNrgChunks("NERO" + be(1, 4), 4)) << "a file shorter than its footer";
  EXPECT_FALSE(FindNrgChunks("RIFF....WAVE", 5000));
}

TEST(DiscToc, FindTrackStaysWithinTheTable) {
  const TrackTable table = MakeTrackTable(Toc({0, 750, 2250}, 3000));
  EXPECT_EQ(FindTrack(table, 0), 1);
  EXPECT_EQ(FindTrack(table, 9999), 1);
  EXPECT_EQ(FindTrack(table, 10000), 2);
  EXPECT_EQ(FindTrack(table, 39999), 3);
  // Played to the end and beyond: the last track, never one past it.
  EXPECT_EQ(FindTrack(table, 40000), 3);
  EXPECT_EQ(FindTrack(table, 1 << 30), 3);
  EXPECT_EQ(FindTrack(TrackTable{}, 0), 0);
}

TEST(DiscToc, TrackListLines) {
  EXPECT_EQ(MakeCDEntry(1, 205000, DefaultTrackTitle(1)), "01 - Track  1  (03:25)");
  EXPECT_EQ(MakeCDEntry(12, 61999, DefaultTrackTitle(12)), "12 - Track  12  (01:01)");
  // Titles are plain text: slashes stay, control characters go.
  EXPECT_EQ(MakeCDEntry(3, 5000, "AC/DC"), "03 - AC/DC  (00:05)");
  EXPECT_EQ(MakeCDEntry(3, 5000, "Line\r\none\x7f\tx"), "03 - Lineonex  (00:05)");
  EXPECT_EQ(MakeCDEntry(99, 6000000, "Long"), "99 - Long  (100:00)");
}

}  // namespace
}  // namespace varlo
