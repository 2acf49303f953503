// A playlist of damaged files played at start-up ("AutoPlay") by the real program: the window
// shows first; with continuous playback the display names each damaged entry and the next one
// plays, without it the error box stops playback, and a list of only damaged entries is tried
// once and ends with one message.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/fault/fault_report.h"
#include "tests/fault/sources/player_harness.h"
#include "tests/mpv/test_audio.h"

namespace varlo {
namespace {

// A FLAC file whose STREAMINFO block says nothing possible: no sample rate, no channels'
// worth of bits, a block size of 0; frames of noise follow.
std::string BadFlac() {
  std::string out = "fLaC";
  out += std::string("\x80\x00\x00\x22", 4);  // the last block: STREAMINFO, 34 bytes
  out += std::string(34, '\0');
  for (int i = 0; i < 4000; ++i) out.push_back(static_cast<char>((i * 7919) & 0xFF));
  return out;
}

struct Damaged {
  testing::TempDir dir;
  std::vector<std::string> paths{dir.Write("broken.flac", BadFlac()),
                                 dir.Write("short.mp3", std::string("\xFF\xFB\x90\x64\x00", 5)),
                                 dir.Write("empty.ogg", "")};
  std::string good = dir.Write("good.wav", testing::SineWav(1500));

  std::string List(bool withGood) const {
    std::string m3u;
    for (const std::string& path : paths) m3u += path + "\r\n";
    if (withGood) m3u += good + "\r\n";
    return dir.Write(withGood ? "mixed.m3u" : "bad.m3u", m3u);
  }
};

constexpr const char* kStart = "AutoPlay=1\nScrollName=0\n";

TEST(DamagedPlaylistFault, ShowsTheWindowFirstThenSkipsOrStopsAsContinuousPlaybackSays) {
  Damaged files;
  const int damaged = static_cast<int>(files.paths.size());

  // Continuous playback: each damaged entry named on the display, then the good one plays.
  int skipped = 0;
  bool shownFirst = true, goodPlayed = false;
  std::size_t continuousBoxes = 0;
  {
    testing::PlayerHarness player(std::string(kStart) + "ContPB=1\n");
    player.Start({files.List(true)});
    std::string last;
    goodPlayed = player.RunUntil(
        [&] {
          // The name display says which entry was skipped and why.
          const std::string& title = player.State().songName;
          if (title != last && title.rfind("Skipped ", 0) == 0) {
            ++skipped;
            shownFirst = shownFirst && player.View().isVisible();
          }
          last = title;
          return player.State().playing && player.State().songPath == files.good &&
                 player.State().elapsedMs >= 300;
        },
        20000);
    continuousBoxes = player.Boxes().size();
    EXPECT_TRUE(goodPlayed);
    EXPECT_EQ(skipped, damaged);
    EXPECT_EQ(continuousBoxes, 0u) << player.Boxes()[0].text;
  }

  // Without it: the box of the first damaged entry, over the window, and nothing after it.
  std::size_t plainBoxes = 0, plainOpens = 0;
  bool plainStopped = false;
  {
    testing::PlayerHarness player(std::string(kStart) + "ContPB=0\n");
    player.Start({files.List(true)});
    player.RunUntil([&] { return !player.Boxes().empty(); }, 10000);
    player.RunUntil([] { return false; }, 3000);
    plainBoxes = player.Boxes().size();
    plainOpens = player.Opened().size();
    plainStopped = !player.State().playing;
    ASSERT_EQ(plainBoxes, 1u);
    EXPECT_EQ(player.Boxes()[0].text.rfind("MCI Device: ", 0), 0u) << player.Boxes()[0].text;
    shownFirst = shownFirst && player.Boxes()[0].windowShown;
    EXPECT_EQ(plainOpens, 1u);
    EXPECT_TRUE(plainStopped);
  }

  // Only damaged entries: each tried once, one message, then nothing more.
  std::size_t onlyBadBoxes = 0, onlyBadOpens = 0;
  {
    testing::PlayerHarness player(std::string(kStart) + "ContPB=1\n");
    player.Start({files.List(false)});
    player.RunUntil([&] { return !player.Boxes().empty(); }, 20000);
    player.RunUntil([] { return false; }, 3000);
    onlyBadBoxes = player.Boxes().size();
    onlyBadOpens = player.Opened().size();
    ASSERT_EQ(onlyBadBoxes, 1u);
    EXPECT_EQ(
        player.Boxes()[0].text.rfind("None of the 3 entries of the playlist could be played.", 0),
        0u)
        << player.Boxes()[0].text;
    shownFirst = shownFirst && player.Boxes()[0].windowShown;
    EXPECT_EQ(onlyBadOpens, files.paths.size());
    EXPECT_FALSE(player.State().playing);
  }
  EXPECT_TRUE(shownFirst) << "a message came before the main window";

  const bool held = !::testing::Test::HasFailure();
  char line[300];
  std::snprintf(line, sizeof line,
                "damaged-playlist: %d damaged files, window shown first: %s; ContPB=1: %d named "
                "on the display, next entry %s, %zu boxes; ContPB=0: %zu box, %zu opened, %s; "
                "only damaged: %zu tries, %zu message",
                damaged, shownFirst ? "yes" : "no", skipped, goodPlayed ? "played" : "NOT played",
                continuousBoxes, plainBoxes, plainOpens, plainStopped ? "stopped" : "NOT stopped",
                onlyBadOpens, onlyBadBoxes);
  testing::ReportFaultGroup("damaged-playlist", held, line);
}

}  // namespace
}  // namespace varlo
