// Hostile sources in the playlist of the real program (front end, libmpv with null outputs):
// a playing file deleted, truncated or made unreadable while it plays; entries that are a
// folder, a FIFO, /dev/zero, a 4 GiB sparse file and names of 4000 bytes. Each is played or
// skipped with a message, none holds the player, and the GUI thread never waits 100 ms.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>

#include "tests/fault/fault_report.h"
#include "tests/fault/sources/file_modes.h"
#include "tests/fault/sources/player_harness.h"
#include "tests/mpv/test_audio.h"

namespace varlo {
namespace {

// What the harness does to an entry while it plays.
enum class WhilePlaying { Nothing, Delete, Truncate, Unreadable };

struct Hostile {
  std::string what;
  std::string path;
  int lengthMs = 0;  // 0: it cannot be played and must be skipped
  WhilePlaying action = WhilePlaying::Nothing;
};

// A path of `bytes` bytes that exists: folders of 200-byte names down to a short WAV file.
std::string DeepFile(const testing::TempDir& dir, std::size_t bytes, const std::string& content) {
  std::string path = dir.Path();
  const std::string part(200, 'd');
  while (path.size() + 1 + part.size() + 10 < bytes) path += "/" + part;
  std::filesystem::create_directories(path);
  path += "/" + std::string(bytes - path.size() - 5, 'f') + ".wav";
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (out) {
    std::fwrite(content.data(), 1, content.size(), out);
    std::fclose(out);
  }
  return path;
}

TEST(SourcesFault, HostileEntriesArePlayedOrSkippedAndNeverHoldThePlayer) {
  ASSERT_TRUE(testing::ObeyFileModes()) << "the kernel refused to drop the file-mode override";
  testing::TempDir media;
  std::vector<Hostile> entries;
  entries.push_back({"deleted while playing", media.Write("deleted.wav", testing::SineWav(2500)),
                     2500, WhilePlaying::Delete});
  entries.push_back({"truncated while playing",
                     media.Write("truncated.wav", testing::SineWav(6000)), 6000,
                     WhilePlaying::Truncate});
  const std::string unreadable = media.Write("unreadable.wav", testing::SineWav(2000));
  entries.push_back({"made unreadable while playing", unreadable, 2000, WhilePlaying::Unreadable});
  std::filesystem::create_directories(media.File("folder.mp3"));
  entries.push_back({"a folder", media.File("folder.mp3")});
  const std::string fifo = media.File("fifo.mp3");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
  entries.push_back({"a FIFO", fifo});
  entries.push_back({"/dev/zero", "/dev/zero"});
  const std::string sparse = media.File("sparse.mp3");
  {
    const int fd = ::open(sparse.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, off_t{4} << 30), 0);
    ::close(fd);
  }
  entries.push_back({"a 4 GiB sparse file", sparse});
  entries.push_back({"a path of 4000 bytes", DeepFile(media, 4000, testing::SineWav(1000)), 1000});
  entries.push_back(
      {"a name of 4000 bytes",
       media.Path() + "/" + std::string(4000 - media.Path().size() - 5, 'n') + ".wav"});
  entries.push_back({"unreadable", unreadable});
  entries.push_back(
      {"a good file after them", media.Write("last.wav", testing::SineWav(1000)), 1000});
  std::string m3u;
  for (const Hostile& entry : entries) m3u += entry.path + "\r\n";
  const std::string list = media.Write("hostile.m3u", m3u);

  testing::PlayerHarness player("ContPB=1\nAutoPlay=1\nScrollName=0\n");
  player.Start({list});
  ASSERT_EQ(player.List().Count(), static_cast<int>(entries.size()));

  // Follows the entries as they come: each must be left within its length and 5 s more (the
  // skip message shows 2 s), and the player must reach the end of the list.
  int current = 0;
  qint64 enteredMs = player.Probe().ElapsedMs();
  bool acted = false;
  int hangs = 0, played = 0, skipped = 0;
  std::map<int, std::string> outcome;
  const int count = static_cast<int>(entries.size());
  auto& state = player.State();
  const bool ended = player.RunUntil(
      [&] {
        const qint64 now = player.Probe().ElapsedMs();
        if (state.tNum != current) {
          current = state.tNum;
          enteredMs = now;
          acted = false;
        }
        if (current >= 1 && current <= count) {
          const Hostile& entry = entries[static_cast<std::size_t>(current - 1)];
          if (state.playing && state.elapsedMs >= 500 && !acted) {
            acted = true;
            ++played;
            outcome[current] = "played";
            if (entry.action == WhilePlaying::Delete) std::remove(entry.path.c_str());
            if (entry.action == WhilePlaying::Truncate) truncate(entry.path.c_str(), 44 + 4 * 4410);
            if (entry.action == WhilePlaying::Unreadable) chmod(entry.path.c_str(), 0);
          }
          if (player.Frm().Player().Engine().SkipPending() && outcome[current].empty()) {
            ++skipped;
            outcome[current] = state.songName;
          }
          if (now - enteredMs > entry.lengthMs + 5000) {
            ++hangs;
            ADD_FAILURE() << entry.what << " held the player";
            enteredMs = now;
          }
        }
        // Past the last entry the list wraps to the first and stops.
        return current == 1 && !state.playing && !outcome[count].empty() &&
               !player.Frm().Player().Engine().SkipPending();
      },
      60000);
  const qint64 longest = player.Probe().LongestMs();
  player.Close();

  for (int i = 1; i <= count; ++i) {
    const Hostile& entry = entries[static_cast<std::size_t>(i - 1)];
    SCOPED_TRACE(entry.what);
    if (entry.lengthMs > 0) {
      EXPECT_EQ(outcome[i], "played");
    } else {
      EXPECT_EQ(outcome[i].rfind("Skipped ", 0), 0u) << outcome[i];
    }
  }
  EXPECT_TRUE(ended) << "the player did not reach the end of the list";
  EXPECT_TRUE(player.Boxes().empty()) << player.Boxes()[0].text;
  const qint64 budget = testing::EventBudgetMs();
  EXPECT_LT(longest, budget);

  const bool held = ended && hangs == 0 && longest < budget && player.Boxes().empty() &&
                    !::testing::Test::HasFailure();
  char line[200];
  std::snprintf(line, sizeof line,
                "sources: %d hostile entries, %d played, %d skipped with a message, %d hangs, "
                "longest event %lld ms (limit %lld)",
                count - 1, played - 1, skipped, hangs, static_cast<long long>(longest),
                static_cast<long long>(budget));
  testing::ReportFaultGroup("sources", held, line);
}

}  // namespace
}  // namespace varlo
