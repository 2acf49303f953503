// Damaged covers and lyric files beside what plays, in the real program: a playlist's picture
// and an entry's lyric file that are truncated, 200 MB large (sparse) or a FIFO. The entry
// plays, the cover is a picture or none, the lyrics some lines or none, memory stays bounded
// and the GUI thread never waits 100 ms.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QImage>
#include <cstdio>
#include <fstream>

#include "tests/fault/fault_report.h"
#include "tests/fault/sources/player_harness.h"
#include "tests/mpv/test_audio.h"
#include "tests/support/time_budget.h"

namespace varlo {
namespace {

enum class Damage { Truncated, Huge, Fifo };

const char* Name(Damage damage) {
  switch (damage) {
    case Damage::Truncated:
      return "truncated";
    case Damage::Huge:
      return "200 MB";
    case Damage::Fifo:
      return "FIFO";
  }
  return "?";
}

std::string Jpeg() {
  QImage image(320, 240, QImage::Format_RGB32);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, qRgb(x, y, (x * y) & 0xFF));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "JPG");
  return bytes.toStdString();
}

// Writes `content` to `path` damaged as `damage` says.
void WriteDamaged(const std::string& path, const std::string& content, Damage damage) {
  std::remove(path.c_str());
  if (damage == Damage::Fifo) {
    mkfifo(path.c_str(), 0644);
    return;
  }
  std::ofstream(path, std::ios::binary)
      << (damage == Damage::Truncated ? content.substr(0, content.size() / 2) : content);
  if (damage == Damage::Huge) truncate(path.c_str(), off_t{200} << 20);
}

// The process's peak resident memory so far, in kilobytes.
long PeakKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
  return 0;
}

TEST(CoversLyricsFault, DamagedCoversAndLyricsNeitherHoldNorCrashThePlayer) {
  testing::TempDir media;
  const std::string jpeg = Jpeg();
  const std::string lyrics =
      "VARLO LYRIC\r\n:000000100: First line\r\n:000000600: Second line\r\n"
      ":000001100: Third line\r\n";
  const std::string song = media.Write("song.wav", testing::SineWav(1500));
  const std::string list = media.Write("album.m3u", "song.wav\r\n");

  testing::PlayerHarness player("ScrollName=0\n");
  player.Start();
  // Once with sound files, so that the engine has started and played before memory is taken.
  media.Write("album.jpg", jpeg);
  media.Write("song.lyr", lyrics);
  player.Frm().Gate().Submit([&] { player.Frm().Player().LoadAndPlay(list); });
  ASSERT_TRUE(player.RunUntil([&] { return player.State().elapsedMs >= 200; }, 10000));
  player.Frm().DoIt(10);
  const long peakBefore = PeakKb();
  int cases = 0, played = 0, covers = 0, lyricSheets = 0;
  for (Damage cover : {Damage::Truncated, Damage::Huge, Damage::Fifo}) {
    for (Damage lyric : {Damage::Truncated, Damage::Huge, Damage::Fifo}) {
      SCOPED_TRACE(std::string(Name(cover)) + " cover, " + Name(lyric) + " lyrics");
      ++cases;
      WriteDamaged(media.File("album.jpg"), jpeg, cover);
      WriteDamaged(media.File("song.lyr"), lyrics, lyric);
      // The playlist shows its picture; its entry loads the lyrics beside it.
      player.Frm().Gate().Submit([&] { player.Frm().Player().LoadAndPlay(list); });
      const qint64 asked = player.Probe().ElapsedMs();
      const bool plays = player.RunUntil(
          [&] { return player.State().playing && player.State().elapsedMs >= 200; }, 10000);
      EXPECT_TRUE(plays) << "after " << player.Probe().ElapsedMs() - asked << " ms";
      played += plays ? 1 : 0;
      const CoverPictures& shown = player.Frm().Player().Media().Covers();
      // A FIFO shows no cover; a cut picture, or one with 200 MB after its end, may show what
      // of it could be read.
      if (cover == Damage::Fifo) {
        EXPECT_EQ(shown.picture, "") << shown.picture;
      }
      covers += shown.picture.empty() ? 0 : 1;
      const std::vector<std::string>& rows = player.Frm().Access().List(FormList::Lyrics).rows;
      // A FIFO gives no lyrics; a cut file, or one with 200 MB after its lines, gives what of
      // it could be read within the reader's bound.
      if (lyric == Damage::Fifo) {
        EXPECT_TRUE(rows.empty()) << rows[0];
      }
      lyricSheets += rows.empty() ? 0 : 1;
      player.Frm().DoIt(10);
      player.RunUntil([&] { return !player.State().playing; }, 2000);
    }
  }
  const long grownMb = (PeakKb() - peakBefore) / 1024;
  const qint64 longest = player.Probe().LongestMs();
  player.Close();
  // The sanitizer's allocator keeps freed memory a while: there the bound is wider, still far
  // below the 200 MB file read whole (twice over, as the engine once did).
  const long memoryLimitMb = testing::kTimeBudgetFactor > 1 ? 384 : 64;
  const qint64 budget = testing::EventBudgetMs();
  EXPECT_LT(grownMb, memoryLimitMb) << "a damaged file was read whole";
  EXPECT_LT(longest, budget);
  EXPECT_TRUE(player.Boxes().empty()) << player.Boxes()[0].text;

  const bool held = !::testing::Test::HasFailure();
  char line[300];
  std::snprintf(line, sizeof line,
                "covers-lyrics: %d cover x lyric faults (truncated, 200 MB, FIFO), %d played, "
                "%d showed a cover, %d lyric sheets, peak memory +%ld MB (limit %ld), longest "
                "event %lld ms (limit %lld)",
                cases, played, covers, lyricSheets, grownMb, memoryLimitMb,
                static_cast<long long>(longest), static_cast<long long>(budget));
  testing::ReportFaultGroup("covers-lyrics", held, line);
}

}  // namespace
}  // namespace varlo
