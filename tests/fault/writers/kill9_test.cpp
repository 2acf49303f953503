// Writes cut by kill -9: a child process runs the program's writers over every file in a loop,
// one generation after another, and is killed at a random moment. Each file must then hold one
// generation complete, byte for byte, and after the start's clean-up of stale temporaries none
// is left anywhere, the folders outside the program folder included.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <set>
#include <thread>

#include "common/atomic_file.h"
#include "common/pending_writes.h"
#include "common/program_folder.h"
#include "common/settings_store.h"
#include "desk/notepad.h"
#include "fm/station_list.h"
#include "player/auto_list.h"
#include "player/id3v1_tag.h"
#include "player/playlist_actions.h"
#include "player/track_info_form.h"
#include "tests/fault/fault_report.h"
#include "tests/fault/writers/fault_folder.h"
#include "tests/support/fake_form.h"
#include "tests/support/fake_printer.h"
#include "tests/support/temp_dir.h"
#include "webradio/station_file.h"
#include "webradio/url_history.h"

namespace varlo::testing {
namespace {

namespace fs = std::filesystem;

constexpr int kTrials = 200;
constexpr auto kTimeBound = std::chrono::seconds(60);
constexpr int kEntries = 60;  // per list: enough bytes that a kill often lands inside a write

struct Tree {
  std::string prog, config, user;
  std::string Settings() const { return config + "/varlo.ini"; }
  std::string Song() const { return user + "/song.mp3"; }
};

// Each generation's texts carry "G<n>-" first, which tells the generation a file holds.
std::string Mark(int g) {
  return "G" + std::to_string(g) + "-";
}

std::vector<std::string> Lines(int g, const std::string& stem) {
  std::vector<std::string> lines;
  for (int i = 0; i < kEntries; ++i)
    lines.push_back(Mark(g) + stem + std::to_string(i) +
                    std::string(40, static_cast<char>('a' + i % 26)));
  return lines;
}

std::vector<std::string> StationLines(int g) {
  std::vector<std::string> lines;
  for (int i = 0; i < kEntries; ++i)
    lines.push_back(std::to_string(87 + i % 20) + ".5 " + Mark(g) + "Station " + std::to_string(i));
  return lines;
}

std::vector<WebStation> WebLines(int g) {
  std::vector<WebStation> stations;
  for (int i = 0; i < kEntries; ++i)
    stations.push_back({Mark(g) + "Radio " + std::to_string(i),
                        "http://radio" + std::to_string(i) + ".example/stream"});
  return stations;
}

Playlist PlaylistOf(int g) {
  Playlist list;
  for (const std::string& line : Lines(g, "song")) list.Append(line, "/music/" + line + ".mp3");
  return list;
}

std::string NoteOf(int g) {
  std::string note;
  for (const std::string& line : Lines(g, "note")) note += line + "\n";
  return note;
}

TagRecord TagOf(int g) {
  return BuildTag(Mark(g) + "Title", "Artist", "Album", "1999", "comment", "01", 0);
}

std::string Audio() {
  return std::string(64 * 1024, 'a');
}

void SetSettings(SettingsStore& store, int g) {
  WriteSetting(store, "Mark", Mark(g));
  int n = 0;
  for (const std::string& line : Lines(g, "key"))
    WriteSetting(store, "Key" + std::to_string(n++), line);
}

// The program's writers, each as the program calls it, with what it writes per generation.
struct File {
  std::string path;
  std::function<std::string(int)> expected;
};

std::vector<File> Files(const Tree& t) {
  std::vector<File> files;
  files.push_back({t.Settings(), [](int g) {
                     // Only this writer writes the file, so it holds exactly these keys.
                     SettingsStore store("");
                     SetSettings(store, g);
                     return store.Serialise();
                   }});
  const auto m3u = [](int g) {
    std::string text;
    for (const std::string& p : PlaylistOf(g).paths) text += p + "\r\n";
    return text;
  };
  files.push_back({t.prog + "/playlist.m3u", m3u});
  files.push_back({t.user + "/saved.m3u", m3u});
  files.push_back({t.prog + "/stations.txt", [](int g) { return StationsText(StationLines(g)); }});
  files.push_back({t.prog + "/webradio.txt", [](int g) { return WebStationsText(WebLines(g)); }});
  files.push_back({t.prog + "/url-list.txt", [](int g) { return UrlListText(Lines(g, "http")); }});
  files.push_back({t.prog + "/autolist.txt", [](int g) {
                     std::string text;
                     for (const std::string& line : Lines(g, "auto")) text += line + "\r\n";
                     return text;
                   }});
  files.push_back({t.user + "/note.txt", NoteOf});
  files.push_back({t.Song(), [](int g) { return Audio() + FormatTagBlock(TagOf(g)); }});
  return files;
}

// The writers' loop, run in the child until it is killed: every file, generation after
// generation, through the program's own writers. Step n writes generation n / 9 of file n % 9.
[[noreturn]] void WriteForever(const Tree& t, int first) {
  FakeForm form;
  AppSettings settings;
  PlayerState player;
  FakeEvents events;
  NullPlaylistHost host;
  FakePrinter printer;
  Playlist list;
  PlaylistActions playlists(list, player, settings, form, events, t.prog, host);
  Notepad notepad(form, settings, t.prog, printer);
  TagRecord shown;
  Mp3StreamInfo stream;
  TrackInfoForm info(shown, stream, player, settings, form.dialogs, t.prog);
  const std::vector<std::function<void(int)>> writers = {
      [&](int g) {
        SettingsStore store(t.Settings());
        SetSettings(store, g);
        store.Save();
      },
      [&](int g) {
        list = PlaylistOf(g);
        playlists.WritePL(t.prog + "/playlist.m3u");
      },
      [&](int g) {
        list = PlaylistOf(g);
        playlists.WritePL(t.user + "/saved.m3u");
      },
      [&](int g) { SaveStations(t.prog, StationLines(g)); },
      [&](int g) { SaveWebStations(t.prog, WebLines(g)); },
      [&](int g) { SaveUrlList(t.prog, Lines(g, "http")); },
      [&](int g) { WriteAutoList(t.prog, Lines(g, "auto")); },
      [&](int g) {
        form.SetNoteText(NoteOf(g));
        form.dialogs.fileAnswers.assign(1, t.user + "/note.txt");
        notepad.NoteSave();
      },
      [&](int g) {
        info.Fields().fileName = t.Song();
        info.Fields().title = Mark(g) + "Title";
        info.Fields().artist = "Artist";
        info.Fields().album = "Album";
        info.Fields().year = "1999";
        info.Fields().comment = "comment";
        info.Fields().track = "01";
        info.Fields().genre = 0;
        info.cmdSave_Click();
        form.dialogs.messages.clear();
      }};
  // Each child begins with another writer, so that the first moments, where most kills
  // land, fall on every one of them.
  for (std::size_t n = static_cast<std::size_t>(first);; ++n)
    writers[n % writers.size()](static_cast<int>(n / writers.size()));
}

// The generation a file's bytes claim; -1 when they claim none.
int GenerationIn(const std::string& bytes) {
  const auto at = bytes.find('G');
  if (at == std::string::npos) return -1;
  const auto dash = bytes.find('-', at);
  if (dash == std::string::npos || dash == at + 1 || dash - at > 10) return -1;
  int g = 0;
  for (std::size_t i = at + 1; i < dash; ++i) {
    if (bytes[i] < '0' || bytes[i] > '9') return -1;
    g = g * 10 + (bytes[i] - '0');
  }
  return g;
}

}  // namespace

TEST(KillNine, EveryFileIsWholeAfterAKillAtARandomMoment) {
  TempDir base;
  const Tree tree{base.File("prog"), base.File("config"), base.File("user")};
  for (const std::string& f : {tree.prog, tree.config, tree.user}) fs::create_directories(f);
  const std::vector<File> files = Files(tree);
  // Generation 0, as the program last left every file.
  for (const File& f : files) WriteFileAtomic(f.path, f.expected(0));

  std::mt19937 random(20261210);
  std::uniform_int_distribution<int> delayUs(0, 40000);
  const auto began = std::chrono::steady_clock::now();
  int trials = 0, damaged = 0, temporaries = 0, cleaned = 0;
  std::set<std::string> cutFiles;  // the files a kill caught in the middle of a write
  std::vector<std::string> failures;
  while (trials < kTrials && std::chrono::steady_clock::now() - began < kTimeBound) {
    // Generations go on from trial to trial; each child starts at the next writer.
    const int first = (trials + 1) * 9000 + trials % 9;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) WriteForever(tree, first);
    std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    ++trials;

    for (const File& f : files) {
      const std::string bytes = FileBytes(f.path);
      const int g = GenerationIn(
          f.path == tree.Song() && bytes.size() > 128 ? bytes.substr(bytes.size() - 125) : bytes);
      if (g < 0 || f.expected(g) != bytes) {
        ++damaged;
        failures.push_back("trial " + std::to_string(trials) + ": " + f.path + " is damaged (" +
                           std::to_string(bytes.size()) + " bytes)");
      }
    }
    // The next start's clean-up, then nothing may be left.
    for (const std::string& cut : TemporariesBelow(base.Path()))
      for (const File& f : files)
        if (IsTemporaryOf(fs::path(cut).filename().string(), fs::path(f.path).filename().string()))
          cutFiles.insert(f.path);
    cleaned += RemoveStaleProgramTemporaries(tree.prog, tree.Settings());
    const std::vector<std::string> left = TemporariesBelow(base.Path());
    temporaries += static_cast<int>(left.size());
    for (const std::string& l : left)
      failures.push_back("trial " + std::to_string(trials) + ": left " + l);
    if (fs::exists(tree.prog + "/" + kPendingWritesFile)) {
      ++temporaries;
      failures.push_back("trial " + std::to_string(trials) + ": the pending list stayed");
    }
  }
  const auto seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
  const bool held = trials >= kTrials && damaged == 0 && temporaries == 0;
  char took[32];
  std::snprintf(took, sizeof took, "%.1f", seconds);
  const std::string line = "kill-9: " + std::to_string(trials) + " trials, " +
                           std::to_string(damaged) + " damaged, " + std::to_string(temporaries) +
                           " temporaries left after the clean-up (" + std::to_string(cleaned) +
                           " removed, writes of " + std::to_string(cutFiles.size()) + " of " +
                           std::to_string(files.size()) + " files cut), " + took + " s";
  ReportFaultGroup("kill-9", held, line);
  for (std::size_t i = 0; i < failures.size() && i < 20; ++i) ADD_FAILURE() << failures[i];
  EXPECT_TRUE(held) << line;
}

}  // namespace varlo::testing
