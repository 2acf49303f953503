#include "cd/disc_toc.h"

#include <gtest/gtest.h>

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
