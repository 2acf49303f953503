#include "cd/disc_database.h"

#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"

namespace varlo {
namespace {

using testing::TempDir;

TEST(DiscDatabase, FindsTheSectionWhateverTheCaseAndReadsOnlyItsKnownKeys) {
  const std::string text =
      "[1234]\r\n0=Elsewhere\r\n"
      "[c0c23]\r\n"
      "EntryType=1\r\n"
      "artist=Band\r\n"
      "title=Album\r\n"
      "numtracks=3\r\n"
      "numplay=7\r\n"
      "order=0 1 2\r\n"
      "0=AC/DC\r\n"
      " 2 = Third \r\n"
      "x=not a track\r\n"
      "-1=negative\r\n"
      "1.5=fraction\r\n"
      "\r\n"
      "[C0C24]\r\n1=Next disc\r\n";
  const auto entry = FindDiscEntry(text, "C0C23");
  ASSERT_TRUE(entry);
  EXPECT_EQ(entry->numTracks, "3");
  EXPECT_EQ(entry->titles, (std::map<int, std::string>{{0, "AC/DC"}, {2, "Third"}}));
  EXPECT_FALSE(FindDiscEntry(text, "C0C2"));
}

TEST(DiscDatabase, BoundsAndLineEnds) {
  // LF-only lines, track indexes of 99 and more are dropped, a title keeps no control bytes.
  const auto entry = FindDiscEntry("[AB]\n98=Last\n99=Past\n1000=Far\n5=Ti\x01tle\n", "ab");
  ASSERT_TRUE(entry);
  EXPECT_EQ(entry->titles, (std::map<int, std::string>{{5, "Title"}, {98, "Last"}}));
  EXPECT_FALSE(entry->numTracks);
  // A header alone at the very end is still the disc's section.
  EXPECT_TRUE(FindDiscEntry("[A]\n0=x\n[B]", "B"));
  EXPECT_FALSE(FindDiscEntry("", "B"));
}

TEST(DiscDatabase, ReadsTheProgramFoldersFileOrNothing) {
  TempDir dir;
  EXPECT_FALSE(LoadDiscEntry(dir.Path(), "A1"));
  dir.Write("cdplayer.ini", "[A1]\r\nnumtracks=2\r\n1=Second\r\n");
  const auto entry = LoadDiscEntry(dir.Path(), "A1");
  ASSERT_TRUE(entry);
  EXPECT_EQ(entry->titles.at(1), "Second");

  // Files in the old single-byte code page read as Latin-1; UTF-8 titles stay as they are.
  dir.Write("cdplayer.ini",
            "[A1]\r\n0=Caf\xe9 M\xfcller\r\n1=Stra\xc3\x9f"
            "e\r\n");
  const auto mixed = LoadDiscEntry(dir.Path(), "A1");
  ASSERT_TRUE(mixed);
  EXPECT_EQ(mixed->titles.at(0), "Caf\xc3\xa9 M\xc3\xbcller");
  EXPECT_EQ(mixed->titles.at(1),
            "Stra\xc3\x9f"
            "e");
  EXPECT_EQ(TrackCountMismatchText(12, "10"), "Number of Tracks do not match! ( 12 10)");
}

}  // namespace
}  // namespace varlo
