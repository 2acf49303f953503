#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "player/lyric_file.h"
#include "player/lyric_follower.h"
#include "player/tag_lyrics.h"
#include "tests/support/temp_dir.h"
#include "tests/support/time_budget.h"

namespace varlo {
namespace {

using Times = std::vector<std::int32_t>;
using Lines = std::vector<std::string>;

LyricSheet Timed(const Times& ms) {
  LyricSheet sheet;
  for (std::size_t i = 0; i < ms.size(); ++i) {
    sheet.lines.push_back("line " + std::to_string(i + 1));
    sheet.times.push_back(ms[i]);
  }
  sheet.count = static_cast<int>(ms.size());
  sheet.synced = true;
  return sheet;
}

}  // namespace

TEST(LyricFile, ColumnsInTenthsWithCommentsAndUntimedLines) {
  const LyricSheet sheet = ReadLyricText(
      "; TITLE Song\n; by Band\n0000050  word\n; a comment\n0000100  word two\n"
      "  notime here\n12345\n000040000 long\n");
  EXPECT_EQ(sheet.lines, (Lines{"word", "word two", "  notime here", "", " long"}));
  EXPECT_EQ(sheet.times, (Times{1, 5000, 10000, 0, 1234500, 4000000}));
  EXPECT_EQ(sheet.count, 5);
  EXPECT_TRUE(sheet.synced);
}

TEST(LyricFile, ColumnsInCdFramesRoundAndClampWithCrLf) {
  const LyricSheet cd = ReadLyricText(
      "; title\r\n; cd frames\r\n000000075x\r\n000000001y\r\n  0000002z\r\n999999999max\r\n");
  EXPECT_EQ(cd.lines, (Lines{"x", "y", "z", "max"}));
  EXPECT_EQ(cd.times, (Times{1, 1000, 13, 27, std::numeric_limits<std::int32_t>::max()}));

  // Tenths with the largest field the columns hold pass 32 bits too.
  const LyricSheet tenths = ReadLyricText("; TITLE\n\n999999999a\n-00000050b\n000005.9 c");
  EXPECT_EQ(tenths.lines, (Lines{"a", "-00000050b", "c"}));
  EXPECT_EQ(tenths.times, (Times{1, std::numeric_limits<std::int32_t>::max(), 0, 500}));
}

TEST(LyricFile, MillisecondLayoutNumbersOnlyTimedColonLines) {
  const LyricSheet sheet = ReadLyricText(
      "Varlo Lyric 1.0\n:000012000: two words\n:no time here\nnot a lyric\n"
      ":000013000: next\n:000000000: zero\n:000014000:x\n");
  EXPECT_EQ(sheet.lines, (Lines{"two words", ":no time here", "next", "zero", ":000014000:x"}));
  EXPECT_EQ(sheet.times, (Times{1, 12000, 13000, 0}));
  EXPECT_EQ(sheet.count, 3);
  EXPECT_TRUE(sheet.synced);

  EXPECT_FALSE(ReadLyricText("VARLO LYRIC\n:000000000: zero\n").synced);
}

TEST(LyricFile, OtherTextIsListedWholeWithItsFirstLine) {
  const LyricSheet sheet = ReadLyricText(
      "\xEF\xBB\xBF"
      "First line\r\n\r\n; Third\rFourth");
  EXPECT_EQ(sheet.lines, (Lines{"First line", "", "; Third", "Fourth"}));
  EXPECT_EQ(sheet.times, (Times{1, 0, 0, 0, 0}));
  EXPECT_FALSE(sheet.synced);

  EXPECT_EQ(ReadLyricText("a\r\r\nb\n\nc\n").lines, (Lines{"a", "", "b", "", "c"}));

  // A byte-order mark does not hide a header.
  EXPECT_EQ(ReadLyricText("\xEF\xBB\xBF; TITLE\n; CD\n000000075x").times, (Times{1, 1000}));
}

TEST(LyricFile, NoNumberedLineListsNoLyrics) {
  for (const char* text : {"", "; TITLE\n", "; TITLE\n; CD\n; only comments\n", "VARLO LYRIC\r\n",
                           "VARLO LYRIC\n:untimed\n:also untimed\n"}) {
    const LyricSheet sheet = ReadLyricText(text);
    EXPECT_EQ(sheet.lines, (Lines{"No Lyrics"})) << text;
    EXPECT_EQ(sheet.times, (Times{1})) << text;
    EXPECT_EQ(sheet.count, 0) << text;
    EXPECT_FALSE(sheet.synced) << text;
  }
}

TEST(LyricFile, TableGrowsPastFiveHundredLines) {
  std::string text = "VARLO LYRIC\n";
  for (int i = 1; i <= 2000; ++i) {
    const std::string ms = std::to_string(i * 1000);
    text += ":" + std::string(9 - ms.size(), '0') + ms + ": line " + std::to_string(i) + "\n";
  }
  const LyricSheet sheet = ReadLyricText(text);
  ASSERT_EQ(sheet.count, 2000);
  EXPECT_EQ(sheet.TimeOf(501), 501000);
  EXPECT_EQ(sheet.TimeOf(2000), 2000000);
  EXPECT_EQ(sheet.TimeOf(2001), 0);
  EXPECT_EQ(sheet.TimeOf(-1), 0);
  EXPECT_EQ(sheet.lines[1999], "line 2000");
}

TEST(LyricFile, HostileSizesAreBounded) {
  // A 10 MB line: only the start is read and the listed text is cut.
  const auto start = std::chrono::steady_clock::now();
  const LyricSheet huge = ReadLyricText(std::string(10'000'000, 'a'));
  EXPECT_LT(std::chrono::steady_clock::now() - start, testing::TimeBudget(std::chrono::seconds(1)));
  ASSERT_EQ(huge.lines.size(), 1u);
  EXPECT_EQ(huge.lines[0].size(), kMaxLyricLineBytes);

  // Cutting never splits a UTF-8 character.
  const LyricSheet utf8 = ReadLyricText(std::string(kMaxLyricLineBytes - 1, 'a') + "\xC3\xA9z");
  EXPECT_EQ(utf8.lines[0], std::string(kMaxLyricLineBytes - 1, 'a'));

  // Millions of lone CRs, none of them listed, read in one pass.
  std::string crs = "; TITLE\n";
  for (int i = 0; i < 2'000'000; ++i) crs += ";\r";
  const auto crStart = std::chrono::steady_clock::now();
  EXPECT_EQ(ReadLyricText(crs).lines, (Lines{"No Lyrics"}));
  EXPECT_LT(std::chrono::steady_clock::now() - crStart,
            testing::TimeBudget(std::chrono::seconds(1)));

  std::string many = "[00:00]" + std::string(2000, 'x') + "\n";
  for (std::size_t i = 0; i < kMaxLyricLines + 10; ++i) many += "[00:01]x\n";
  const LyricSheet big = LyricSheetOfTagText(many);
  EXPECT_EQ(big.lines.size(), kMaxLyricLines);
  EXPECT_EQ(big.lines[0].size(), kMaxLyricLineBytes);
}

}  // namespace varlo
