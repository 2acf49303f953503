#include "player/display_name.h"

#include <gtest/gtest.h>

namespace varlo {

TEST(DisplayName, FriendlyNamesCleanTrackNumbersAndBlanks) {
  EXPECT_EQ(DisplayName("03-My_Song.mp3", 1), "My Song.mp3");
  EXPECT_EQ(DisplayName("03 - My_Song", 1), "My Song");
  EXPECT_EQ(DisplayName("/music/rock/01-Intro.mp3", 1), "Intro.mp3");
  // Dots before the extension become blanks; a four-letter extension keeps its dot.
  EXPECT_EQ(DisplayName("a.b.c.mpeg", 1), "a b c.mpeg");
  EXPECT_EQ(DisplayName("Mr.Big.mp3", 1), "Mr Big.mp3");
  // A leading zero is no track number.
  EXPECT_EQ(DisplayName("00-Hidden.mp3", 1), "00-Hidden.mp3");
  EXPECT_EQ(DisplayName("  spaced  ", 1), "spaced");
}

TEST(DisplayName, TrackNumbersOtherThanTwoDigitsAreReadAsNumbers) {
  EXPECT_EQ(DisplayName("7a-Song.mp3", 1), "Song.mp3");
  EXPECT_EQ(DisplayName("+3-Song.mp3", 1), "Song.mp3");
  EXPECT_EQ(DisplayName("-0-Song.mp3", 1), "-0-Song.mp3");
  EXPECT_EQ(DisplayName("ab-Song.mp3", 1), "ab-Song.mp3");
  EXPECT_EQ(DisplayName("00 - Intro", 1), "00 - Intro");
  EXPECT_EQ(DisplayName("10 - Outro", 1), "Outro");
  EXPECT_EQ(DisplayName("01-02 - Twice", 1), "Twice");  // both shapes, one after the other
}

TEST(DisplayName, PlainNamesWithoutFriendlyNames) {
  EXPECT_EQ(DisplayName("03-My_Song.mp3", 0), "03-My_Song.mp3");
  EXPECT_EQ(DisplayName("/m/Mr.Big.mp3", 0), "Mr.Big.mp3");
}

TEST(DisplayName, TrailingDurationIsCut) {
  EXPECT_EQ(DisplayName("Track 7 (03:25)", 1), "Track 7");
  EXPECT_EQ(DisplayName("Track 7 (03:25)", 0), "Track 7");
  // Only when the colon sits where a duration has it, and only on texts over 8 characters.
  EXPECT_EQ(DisplayName("Song (live)", 0), "Song (live)");
  EXPECT_EQ(DisplayName("(03:25)", 0), "(03:25)");
  EXPECT_EQ(DisplayName("", 1), "");
}

}  // namespace varlo
