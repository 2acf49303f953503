// The drive backend on generated .cue/.bin images: state, tables, identifiers, eject. The
// backend is the program's: the CD plugin, loaded at the first call.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <thread>

#include "cd/disc_toc.h"
#include "platform/cdio/lazy_cd_drive.h"
#include "tests/cdio/disc_image.h"
#include "tests/cdio/gui_queue.h"

namespace varlo {
namespace {

using testing::GuiQueue;
using testing::ImageTrack;
using testing::TempDir;
using testing::WriteCueBin;

// Reads the table through the drive, as CD mode does.
std::optional<DiscToc> ReadThrough(CdDrive& drive, GuiQueue& gui) {
  bool answered = false;
  std::optional<DiscToc> toc;
  drive.ReadDisc([&](std::optional<DiscToc> got) {
    answered = true;
    toc = std::move(got);
  });
  EXPECT_FALSE(answered) << "the answer never comes inside the call";
  EXPECT_TRUE(gui.Until([&] { return answered; }));
  return toc;
}

// The table of `source`, read through a drive of its own.
std::optional<DiscToc> TocOf(const std::string& source) {
  GuiQueue gui;
  LazyCdDrive drive(source, gui.Poster(), 10);
  return ReadThrough(drive, gui);
}

// The disc in `source` as the media engine opens it.
std::unique_ptr<ByteStream> DiscStream(const std::string& source) {
  GuiQueue gui;
  const LazyCdDrive drive(source, gui.Poster(), 10);
  return drive.Protocol().open(drive.StreamAddress());
}

// Whether `source` is taken for an image: an eject takes an image out, even a missing one,
// while a missing device has no tray to open.
bool EjectsLikeAnImage(const std::string& source) {
  GuiQueue gui;
  LazyCdDrive drive(source, gui.Poster(), 10);
  drive.Eject();
  return gui.Until([&] { return drive.State() == DriveState::TrayOpen; }, 500);
}

TEST(CdioDriveTest, AnImageIsADiscWhoseTableAndIdentifiersMatchTheHandComputedOnes) {
  TempDir dir;
  const std::string cue = WriteCueBin(dir, "two", {{1000, true}, {1000, true}});
  GuiQueue gui;
  LazyCdDrive drive(cue, gui.Poster(), 10);
  ASSERT_TRUE(gui.Until([&] { return drive.State() == DriveState::Ready; }));

  const std::optional<DiscToc> toc = ReadThrough(drive, gui);
  ASSERT_TRUE(toc);
  ASSERT_EQ(toc->tracks.size(), 2U);
  EXPECT_EQ(toc->tracks[0].lba, 0);
  EXPECT_EQ(toc->tracks[1].lba, 1000);
  EXPECT_TRUE(toc->tracks[1].audio);
  EXPECT_EQ(toc->leadOutLba, 2000);

  // By hand: starts at 2 s and 15 s (1150 / 75), digit sums 2 + 6 = 8; play time 2150 / 75 - 2 =
  // 26 s = 0x1a; two tracks. Local: 0:02:00 and 0:15:25 give 0x200 + 0xF19.
  const TrackTable table = MakeTrackTable(*toc);
  EXPECT_EQ(CddbDiscId(table), "08001a02");
  EXPECT_EQ(CdpDiscId(table), "1119");
  EXPECT_EQ(drive.StreamAddress(), "varlocd://disc");
}

TEST(CdioDriveTest, AMixedModeDiscMarksItsDataTrackAndA99TrackDiscReadsWhole) {
  TempDir dir;
  const std::string mixed = WriteCueBin(dir, "mixed", {{3000, false}, {1500, true}, {1500, true}});
  std::optional<DiscToc> toc = TocOf(mixed);
  ASSERT_TRUE(toc);
  ASSERT_EQ(toc->tracks.size(), 3U);
  EXPECT_FALSE(toc->tracks[0].audio);
  EXPECT_TRUE(toc->tracks[1].audio);
  EXPECT_EQ(toc->tracks[2].lba, 4500);
  EXPECT_EQ(toc->leadOutLba, 6000);
  // By hand: starts 2 s, 42 s, 62 s: digit sums 2 + 6 + 8 = 16 = 0x10; 6150 / 75 - 2 = 80 s.
  EXPECT_EQ(CddbDiscId(MakeTrackTable(*toc)), "10005003");

  std::vector<ImageTrack> many(99, ImageTrack{150, true});
  toc = TocOf(WriteCueBin(dir, "many", many));
  ASSERT_TRUE(toc);
  ASSERT_EQ(toc->tracks.size(), 99U);
  EXPECT_EQ(toc->tracks[98].lba, 98 * 150);
  EXPECT_EQ(toc->leadOutLba, 99 * 150);
  EXPECT_EQ(MakeTrackTable(*toc).Count(), 99);
}

TEST(CdioDriveTest, ACueSheetsCdTextGivesArtistAlbumAndTitles) {
  TempDir dir;
  WriteCueBin(dir, "text", {{300, true}, {300, true}, {300, true}});
  const std::string cue = dir.Write("text.cue",
                                    "PERFORMER \"Varlo Ensemble\"\n"
                                    "TITLE \"Harbour Lights\"\n"
                                    "FILE \"text.bin\" BINARY\n"
                                    "  TRACK 01 AUDIO\n    TITLE \"Morning Tide\"\n"
                                    "    INDEX 01 00:00:00\n"
                                    "  TRACK 02 AUDIO\n    INDEX 01 00:04:00\n"
                                    "  TRACK 03 AUDIO\n    TITLE \"Caf\xc3\xa9 AC/DC\"\n"
                                    "    INDEX 01 00:08:00\n");
  std::optional<DiscToc> toc = TocOf(cue);
  ASSERT_TRUE(toc);
  ASSERT_EQ(toc->tracks.size(), 3U);
  EXPECT_EQ(toc->text.artist, "Varlo Ensemble");
  EXPECT_EQ(toc->text.album, "Harbour Lights");
  ASSERT_EQ(toc->text.titles.size(), 3U);
  EXPECT_EQ(toc->text.titles[0], "Morning Tide");
  EXPECT_EQ(toc->text.titles[1], "");
  EXPECT_EQ(toc->text.titles[2], "Caf\xc3\xa9 AC/DC");
  EXPECT_TRUE(toc->text.HasTitles());

  // A sheet without CD-Text gives none.
  toc = TocOf(WriteCueBin(dir, "plain", {{300, true}}));
  ASSERT_TRUE(toc);
  EXPECT_FALSE(toc->text.HasTitles());
  EXPECT_EQ(toc->text.album, "");
}

TEST(CdioDriveTest, AnEnhancedCdImageEndsItsLastAudioTrackBeforeTheDataSession) {
  // Two audio tracks in the first session, a data track in the second, 11 400 sectors after
  // the audio: the addresses a drive reports for such a disc.
  TempDir dir;
  const std::vector<testing::NrgTrack> tracks = {
      {0, 300, true}, {300, 300, true}, {12000, 300, false}};
  const std::string nrg = testing::WriteNrg(dir, "enhanced", tracks, {2, 1});
  GuiQueue gui;
  LazyCdDrive drive(nrg, gui.Poster(), 10);
  const std::optional<DiscToc> toc = ReadThrough(drive, gui);
  ASSERT_TRUE(toc);
  ASSERT_EQ(toc->tracks.size(), 3u);
  EXPECT_EQ(toc->tracks[2].lba, 12000);
  EXPECT_FALSE(toc->tracks[2].audio);
  EXPECT_EQ(toc->lastSessionLba, 12000);
  const TrackTable table = MakeTrackTable(*toc);
  EXPECT_EQ(table.Track(2)->lengthMs, 4000) << "not the session gap's 2.5 minutes of silence";

  // The same tracks in a single session keep their lengths.
  const std::optional<DiscToc> single = TocOf(testing::WriteNrg(dir, "single", tracks, {3}));
  ASSERT_TRUE(single);
  EXPECT_EQ(single->lastSessionLba, 0);
  EXPECT_EQ(MakeTrackTable(*single).Track(2)->lengthMs, 156000);

  // An image with a track list per session stops the CD library (a failed assertion): it is
  // refused, and the program goes on.
  const std::string perSession = testing::WriteNrg(dir, "lists", tracks, {2, 1}, true);
  EXPECT_FALSE(TocOf(perSession));
  EXPECT_FALSE(DiscStream(perSession));
}

// A one-track image in a drive that has looked at it.
struct OneTrackDisc : ::testing::Test {
  TempDir dir;
  GuiQueue gui;
  LazyCdDrive drive{WriteCueBin(dir, "disc", {{750, true}}), gui.Poster(), 10};
  void SetUp() override {
    ASSERT_TRUE(gui.Until([&] { return drive.State() == DriveState::Ready; }));
  }
};

TEST_F(OneTrackDisc, EjectTakesTheImageOutAndPutsItBack) {
  drive.Eject();
  ASSERT_TRUE(gui.Until([&] { return drive.State() == DriveState::TrayOpen; }));
  EXPECT_FALSE(ReadThrough(drive, gui)) << "no table while the disc is out";
  drive.Eject();
  ASSERT_TRUE(gui.Until([&] { return drive.State() == DriveState::Ready; }));
  EXPECT_TRUE(ReadThrough(drive, gui));
}

TEST(CdioDriveTest, MissingAndBrokenSourcesAreNoDiscWithoutAnAnswerEverHanging) {
  TempDir dir;
  GuiQueue gui;
  {
    LazyCdDrive drive(dir.File("gone.cue"), gui.Poster(), 10);
    ASSERT_TRUE(gui.Until([&] { return drive.State() == DriveState::NoDisc; }));
    EXPECT_FALSE(ReadThrough(drive, gui));
  }
  {
    // A .cue whose .bin is missing, and one that is not a cue sheet at all.
    const std::string orphan = dir.Write("orphan.cue",
                                         "FILE \"none.bin\" BINARY\n  TRACK 01 AUDIO\n"
                                         "    INDEX 01 00:00:00\n");
    LazyCdDrive drive(orphan, gui.Poster(), 10);
    EXPECT_FALSE(ReadThrough(drive, gui));
    EXPECT_FALSE(DiscStream(orphan));
    EXPECT_FALSE(DiscStream(dir.Write("junk.cue", std::string(5000, '\x01'))));
  }
  {
    LazyCdDrive drive(dir.File("no-such-device"), gui.Poster(), 10);
    ASSERT_TRUE(gui.Until([&] { return drive.State() == DriveState::NoDisc; }));
  }
  LazyCdDrive none("", gui.Poster(), 10);
  ASSERT_TRUE(gui.Until([&] { return none.State() == DriveState::NoDisc; }));
}

TEST(CdioDriveTest, ReadsAskedWhileOneRunsShareItsAnswerAndAGoneDriveAnswersNothing) {
  TempDir dir;
  const std::string cue = WriteCueBin(dir, "disc", {{750, true}});
  GuiQueue gui;
  int answers = 0;
  {
    LazyCdDrive drive(cue, gui.Poster(), 10);
    drive.ReadDisc([&](std::optional<DiscToc> toc) { answers += toc ? 1 : 100; });
    drive.ReadDisc([&](std::optional<DiscToc> toc) { answers += toc ? 1 : 100; });
    ASSERT_TRUE(gui.Until([&] { return answers == 2; }));

    drive.ReadDisc([&](std::optional<DiscToc>) { answers += 1000; });
    // Let the drive thread post its answer, then destroy the drive before it runs.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  gui.RunPosted();
  EXPECT_EQ(answers, 2);
}

// Sectors that go from under a disc once read: the disc is out until its file is whole again,
// and a disc read afresh after an eject is taken as it is then.
TEST_F(OneTrackDisc, AnImageWhoseSectorsShrinkOrGoHasNoDiscUntilWhole) {
  const std::string bin = dir.File("disc.bin");
  ASSERT_TRUE(ReadThrough(drive, gui));
  std::filesystem::resize_file(bin, 100 * 2352);
  ASSERT_TRUE(gui.Until([&] { return drive.State() == DriveState::NoDisc; }));
  std::filesystem::resize_file(bin, 750 * 2352);
  ASSERT_TRUE(gui.Until([&] { return drive.State() == DriveState::Ready; }));
  std::filesystem::rename(bin, bin + ".away");
  ASSERT_TRUE(gui.Until([&] { return drive.State() == DriveState::NoDisc; }));
  std::filesystem::rename(bin + ".away", bin);
  ASSERT_TRUE(gui.Until([&] { return drive.State() == DriveState::Ready; }));

  std::filesystem::resize_file(bin, 100 * 2352);
  ASSERT_TRUE(gui.Until([&] { return drive.State() == DriveState::NoDisc; }));
  drive.Eject();
  ASSERT_TRUE(gui.Until([&] { return drive.State() == DriveState::TrayOpen; }));
  drive.Eject();
  ASSERT_TRUE(gui.Until([&] { return drive.State() == DriveState::Ready; }));
  const std::optional<DiscToc> shorter = ReadThrough(drive, gui);
  ASSERT_TRUE(shorter);
  EXPECT_EQ(shorter->leadOutLba, 100);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(drive.State(), DriveState::Ready);
}

TEST_F(OneTrackDisc, AReadAskedAfterAnEjectNeverTakesTheAnswerOfAReadBeforeIt) {
  std::optional<DiscToc> before, after;
  bool beforeAnswered = false, afterAnswered = false;
  drive.ReadDisc([&](std::optional<DiscToc> toc) {
    before = std::move(toc);
    beforeAnswered = true;
  });
  // The drive thread reads the table and posts its answer, which the GUI has not run yet
  // when the user ejects and the next tick asks again.
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  drive.Eject();
  drive.ReadDisc([&](std::optional<DiscToc> toc) {
    after = std::move(toc);
    afterAnswered = true;
  });
  ASSERT_TRUE(gui.Until([&] { return beforeAnswered && afterAnswered; }));
  EXPECT_TRUE(before) << "the read before the eject found the disc";
  EXPECT_FALSE(after) << "the read after it finds the tray open";
  EXPECT_EQ(drive.State(), DriveState::TrayOpen);
}

TEST(CdioDriveTest, ADeviceThatGoesAwayIsOpenedAgain) {
  // A file stands in for the device node: it opens, and the drive calls fail on it as they
  // fail on a drive that was unplugged.
  TempDir dir;
  const std::string node = dir.Write("sr9", "");
  GuiQueue gui;
  LazyCdDrive drive(node, gui.Poster(), 10);
  ASSERT_TRUE(gui.Until([&] { return drive.State() == DriveState::Unknown; }, 1000));
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  std::filesystem::remove(node);
  EXPECT_TRUE(gui.Until([&] { return drive.State() == DriveState::NoDisc; }, 2000))
      << "a descriptor kept from before would still say unknown";
  dir.Write("sr9", "");
  EXPECT_TRUE(gui.Until([&] { return drive.State() == DriveState::Unknown; }, 2000));
}

TEST(CdioDiscTest, TheStreamOfAnImageCarriesItsSectorsAfterTheWaveHeader) {
  TempDir dir;
  const std::string cue = WriteCueBin(dir, "tone", {{75, true}, {75, false}}, true);
  EXPECT_TRUE(EjectsLikeAnImage(cue));
  EXPECT_TRUE(EjectsLikeAnImage("/x/DISC.BIN"));
  EXPECT_TRUE(EjectsLikeAnImage("a.Nrg"));
  EXPECT_FALSE(EjectsLikeAnImage("/x/no-such-sr0"));
  EXPECT_FALSE(EjectsLikeAnImage("/x.cue/sr0"));

  std::unique_ptr<ByteStream> stream = DiscStream(cue);
  ASSERT_TRUE(stream);
  EXPECT_EQ(stream->Size(), 44 + 150 * 2352);
  std::string bytes(static_cast<std::size_t>(stream->Size()), '\0');
  std::int64_t got = 0;
  for (std::int64_t n; (n = stream->Read(&bytes[static_cast<std::size_t>(got)],
                                         bytes.size() - static_cast<std::size_t>(got))) > 0;)
    got += n;
  ASSERT_EQ(got, stream->Size());
  EXPECT_EQ(bytes.substr(0, 4), "RIFF");
  // The tone of track 1 is in the stream; the data track reads as silence, not its bytes.
  bool sound = false;
  for (std::size_t i = 44; i < 44 + 75 * 2352; ++i) sound |= bytes[i] != 0;
  EXPECT_TRUE(sound);
  EXPECT_EQ(bytes.find_first_not_of('\0', 44 + 75 * 2352), std::string::npos);
}

}  // namespace
}  // namespace varlo
