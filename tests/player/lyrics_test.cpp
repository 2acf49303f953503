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

  std::string many;
  for (int i = 0; i < 20000; ++i) many += "x\n";
  const LyricSheet rows = ReadLyricText(many);
  EXPECT_EQ(rows.lines.size(), kMaxLyricLines);
  EXPECT_EQ(rows.times.size(), kMaxLyricLines + 1);
}

TEST(LyricFile, FilesBesideTheMedia) {
  testing::TempDir dir;
  EXPECT_EQ(LyricPathOf(dir.File("album.v2/song.mp3")), dir.File("album.v2/song.lyr"));
  EXPECT_EQ(LyricPathOf(dir.File("album.v2/song")), dir.File("album.v2/song.lyr"));

  const std::string path = dir.Write("a.d/song.lyr", "; TITLE\r\n; CD\r\n000000150  two s\r\n");
  const LyricSheet sheet = LoadLyricFile(path);
  EXPECT_EQ(sheet.lines, (Lines{"  two s"}));
  EXPECT_EQ(sheet.times, (Times{1, 2000}));

  // No file, or a folder by that name: the list stays empty.
  EXPECT_TRUE(LoadLyricFile(dir.File("missing.lyr")).lines.empty());
  EXPECT_TRUE(LoadLyricFile(dir.File("a.d")).lines.empty());
  EXPECT_EQ(LoadLyricFile(dir.Write("empty.lyr", "")).lines, (Lines{"No Lyrics"}));
}

TEST(LyricFollower, AdvancesLineByLineAndReportsOnlyChanges) {
  LyricFollower follow(Timed({1000, 2000, 3000, 4000}));

  LyricChange c = follow.Tick(0);  // before the first line: only the next one shows
  EXPECT_EQ(c.next, "line 1");
  EXPECT_FALSE(c.selectedRow || c.current || c.previous);
  EXPECT_EQ(follow.Current(), 0);
  EXPECT_TRUE(follow.Tick(500).Empty());

  c = follow.Tick(1000);
  EXPECT_EQ(c.selectedRow, 0);
  EXPECT_EQ(c.current, "line 1");
  EXPECT_EQ(c.next, "line 2");
  EXPECT_FALSE(c.previous);
  EXPECT_TRUE(follow.Tick(1900).Empty());

  c = follow.Tick(2050);
  EXPECT_EQ(c.selectedRow, 1);
  EXPECT_EQ(c.current, "line 2");
  EXPECT_EQ(c.next, "line 3");
  EXPECT_EQ(c.previous, "line 1");
  EXPECT_EQ(follow.Current(), 2);
}

TEST(LyricFollower, SeeksBackwardsAndFarAheadResynchroniseOnTheNextTick) {
  LyricFollower follow(Timed({1000, 2000, 3000, 4000, 5000, 6000}));
  follow.Tick(1000);
  follow.Tick(2000);
  follow.Tick(3000);
  ASSERT_EQ(follow.Current(), 3);

  LyricChange c = follow.Tick(1500);  // back into line 1
  EXPECT_EQ(follow.Current(), 1);
  EXPECT_EQ(c.selectedRow, 0);
  EXPECT_EQ(c.current, "line 1");
  EXPECT_EQ(c.next, "line 2");
  EXPECT_EQ(c.previous, "");  // line 1 has none: the label is emptied

  c = follow.Tick(5500);  // far ahead, into line 5
  EXPECT_EQ(follow.Current(), 5);
  EXPECT_EQ(c.selectedRow, 4);
  EXPECT_EQ(c.current, "line 5");
  EXPECT_EQ(c.next, "line 6");
  EXPECT_EQ(c.previous, "line 4");

  follow.Tick(200);  // back before the first line
  EXPECT_EQ(follow.Current(), 0);
}

TEST(LyricFollower, EndOfTheListEndsTheFollowing) {
  LyricFollower follow(Timed({1000, 2000, 3000}));
  follow.Tick(1000);
  follow.Tick(2000);
  // Within the last-but-one line with nothing two ahead: re-found each tick, nothing new.
  EXPECT_TRUE(follow.Tick(2500).Empty());
  EXPECT_EQ(follow.Current(), 2);

  LyricChange c = follow.Tick(3000);
  EXPECT_EQ(c.current, "line 3");
  EXPECT_EQ(c.previous, "line 2");
  EXPECT_EQ(c.next, "");  // the last line has no next one

  c = follow.Tick(3100);  // past the last line: what shows stays
  EXPECT_EQ(follow.Current(), 4);
  EXPECT_TRUE(c.Empty());

  EXPECT_TRUE(follow.Tick(9000).Empty());
  EXPECT_TRUE(follow.Tick(1000).Empty());
  EXPECT_EQ(follow.Current(), 4);
}

TEST(LyricFollower, UntimedLineStopsUntilATimedRowIsChosen) {
  LyricSheet sheet = Timed({1000, 2000, 0, 4000});
  sheet.lines[2] = "chorus";
  LyricFollower follow(std::move(sheet));
  follow.Tick(1000);
  // Nothing is due two lines on, so the search lands on the untimed line before line 4.
  LyricChange c = follow.Tick(2000);
  EXPECT_EQ(follow.Current(), 3);
  EXPECT_EQ(c.current, "chorus");
  EXPECT_TRUE(follow.Tick(4000).Empty());
  EXPECT_TRUE(follow.Tick(100).Empty());

  EXPECT_FALSE(follow.SeekLine(2));  // no time
  EXPECT_FALSE(follow.SeekLine(-1));
  EXPECT_FALSE(follow.SeekLine(4));
  EXPECT_EQ(follow.Current(), 3);

  const auto seek = follow.SeekLine(1);
  ASSERT_TRUE(seek);
  EXPECT_EQ(seek->fromMs, 2000);
  EXPECT_EQ(follow.Current(), 2);
  EXPECT_EQ(seek->change.selectedRow, 1);
  EXPECT_EQ(seek->change.current, "line 2");
  EXPECT_EQ(seek->change.next, "chorus");
  EXPECT_EQ(seek->change.previous, "line 1");
  // An untimed next line is not waited for: it becomes current on the next tick.
  EXPECT_EQ(follow.Tick(2000).current, "chorus");
}

TEST(LyricFollower, SheetsWithoutLinesNeverSelect) {
  for (LyricSheet sheet : {LyricSheet{}, ReadLyricText("; TITLE\n")}) {
    LyricFollower follow(std::move(sheet));
    for (const std::int32_t ms : {0, 100, -5, std::numeric_limits<std::int32_t>::max()}) {
      const LyricChange c = follow.Tick(ms);
      EXPECT_FALSE(c.selectedRow || c.current || c.next);
    }
    EXPECT_FALSE(follow.SeekLine(0));
  }
}

TEST(TagLyrics, LrcTextFollowsInTimeOrderWithItsOffset) {
  const LyricSheet sheet = LyricSheetOfTagText(
      "\xEF\xBB\xBF[ti:Song]\r\n[ar:Band]\r\n[offset:+250]\r\n[00:03.50][01:10.25]Chorus "
      "<00:03.80>with <00:04.10>words\r\n[00:01.00]First line\r\nno time: left out\r\n"
      "[00:02]Second [live]\r\n[00:00.10]\r\n[0:05.5]<b>kept</b>\r\n");
  EXPECT_TRUE(sheet.synced);
  EXPECT_EQ(sheet.lines, (Lines{"", "First line", "Second [live]", "Chorus with words",
                                "<b>kept</b>", "Chorus with words"}));
  // 250 ms sooner than written; a time at or before the start is the first moment (0 would
  // mean no time).
  EXPECT_EQ(sheet.times, (Times{1, 1, 750, 1750, 3250, 5250, 70000}));

  // A line at 0 ms is followed like any other.
  LyricFollower follow(LyricSheetOfTagText("[00:00.00]Start\n[00:02.00]Next\n"));
  EXPECT_EQ(follow.Tick(100).current, "Start");
  EXPECT_EQ(follow.Tick(2100).current, "Next");
}

TEST(TagLyrics, PlainTextStandsStillAndSynchronisedLinesAreOrdered) {
  const LyricSheet plain =
      LyricSheetOfTagText("Just words\r\n[Chorus]\r\n\r\nsecond verse\r\n\n\n");
  EXPECT_FALSE(plain.synced);
  EXPECT_EQ(plain.lines, (Lines{"Just words", "[Chorus]", "", "second verse"}));
  EXPECT_EQ(plain.times, (Times{1, 0, 0, 0, 0}));
  // "VARLO LYRIC" in a tag is text like any other.
  EXPECT_FALSE(LyricSheetOfTagText("VARLO LYRIC\n:000001000: one\n").synced);
  EXPECT_TRUE(LyricSheetOfTagText(" \r\n\t").lines.empty());
  // Malformed times are no times: seconds above 59, a fraction of four digits, "m:s:f:x".
  EXPECT_FALSE(LyricSheetOfTagText("[00:60.00]a\n[00:07.1234]b\n[1:2:3:4]c\n").synced);

  const LyricSheet timed =
      LyricSheetOfTimes({{3000, "three"}, {1000, "one"}, {-20, "before"}, {1000, "one again"}});
  EXPECT_TRUE(timed.synced);
  EXPECT_EQ(timed.lines, (Lines{"before", "one", "one again", "three"}));
  EXPECT_EQ(timed.times, (Times{1, 1, 1000, 1000, 3000}));
  EXPECT_FALSE(LyricSheetOfTimes({}).synced);

  // As bounded as lyric files: rows and their texts.
  std::string lrc = "[00:00]" + std::string(2000, 'x') + "\n";
  for (std::size_t i = 0; i < kMaxLyricLines + 10; ++i) lrc += "[00:01]x\n";
  const LyricSheet big = LyricSheetOfTagText(lrc);
  EXPECT_EQ(big.lines.size(), kMaxLyricLines);
  EXPECT_EQ(big.lines[0].size(), kMaxLyricLineBytes);
}

}  // namespace varlo
