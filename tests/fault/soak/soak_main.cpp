// The soak: the whole program plays a long playlist of short generated tracks on the null
// sound output while every mode's skin, the tray menu, Track Info and the visual playlist
// selector come and go; at the end its memory, descriptors, threads and timers are checked.
//   varlo_soak [--tracks N] [--track-ms MS] [--switch-every N] [--baseline N] [--dwell MS]
//              [--growth-limit-mb N] [--browser | --no-browser]
// Prints the figures and reports the fault group "soak"; exits 1 when anything did not hold.
#include <QApplication>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/paths.h"
#include "common/program_folder.h"
#include "common/settings_store.h"
#include "tests/fault/fault_report.h"
#include "tests/fault/soak/soak_run.h"
#include "tests/fault/soak/soak_tracks.h"
#include "ui/instance_socket.h"
#include "ui/program.h"
#include "ui/web_browser_view.h"

namespace {

using varlo::testing::Megabytes;
using varlo::testing::SoakFigures;
using varlo::testing::SoakOptions;

// Tracks past the soak's own, so that the closing check still finds the player playing.
constexpr int kSpareTracks = 60;

bool ReadOptions(int argc, char** argv, SoakOptions& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--browser" || arg == "--no-browser") {
      options.browser = arg == "--browser";
      continue;
    }
    if (i + 1 >= argc) return false;
    const int value = std::atoi(argv[++i]);
    if (value <= 0) return false;
    if (arg == "--tracks")
      options.tracks = value;
    else if (arg == "--track-ms")
      options.trackMs = value;
    else if (arg == "--switch-every")
      options.switchEvery = value;
    else if (arg == "--baseline")
      options.baselineTrack = value;
    else if (arg == "--dwell")
      options.dwellMs = value;
    else if (arg == "--growth-limit-mb")
      options.growthLimitMb = value;
    else
      return false;
  }
  return options.baselineTrack < options.tracks;
}

// A home of the soak's own: program folder, settings, runtime folder and the tracks.
std::string MakeHome() {
  char name[] = "/tmp/varlo-soak-XXXXXX";
  const char* made = mkdtemp(name);
  if (!made) return {};
  const std::string home = made;
  for (const char* sub : {"/program", "/config/varlo", "/music"})
    std::filesystem::create_directories(home + sub);
  setenv("VARLO_HOME", (home + "/program").c_str(), 1);
  setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
  setenv("XDG_RUNTIME_DIR", home.c_str(), 1);
  // The browser's profile and caches too, away from the user's own.
  setenv("XDG_DATA_HOME", (home + "/data").c_str(), 1);
  setenv("XDG_CACHE_HOME", (home + "/cache").c_str(), 1);
  setenv("VARLO_AO", "null", 1);
  // The playlist plays by itself from the start, each track overlapping the next a little so
  // that both media engines take turns.
  std::ofstream(home + "/config/varlo/varlo.ini") << "[config]\nAutoPlay=1\nPBOverlap=50\n";
  return home;
}

std::string Line(const SoakOptions& options, const SoakFigures& f) {
  std::string line =
      "soak: " + std::to_string(f.played) + " tracks, " + std::to_string(f.skins) + " skins x " +
      std::to_string(f.rounds) + " switches, memory " +
      Megabytes(f.memoryAtEndKb - f.memoryAtBaselineKb, true) + " after track " +
      std::to_string(options.baselineTrack) + ", fds " + std::to_string(f.start.fds) + " -> " +
      std::to_string(f.end.fds) + ", threads " + std::to_string(f.start.threads) + " -> " +
      std::to_string(f.end.threads) + ", " + std::to_string(f.timersFiring) + " timers firing";
  if (!options.browser) line += " (browser left out)";
  if (!f.problems.empty()) line += "; " + f.problems.front();
  return line;
}

void PrintFigures(const SoakOptions& options, const SoakFigures& f) {
  std::printf("tracks played      %d of %d (%d ms each), %d rounds, %d switches\n", f.played,
              options.tracks, options.trackMs, f.rounds, f.switches);
  std::printf("memory             %s at track %d, %s at the end (%s)\n",
              Megabytes(f.memoryAtBaselineKb).c_str(), options.baselineTrack,
              Megabytes(f.memoryAtEndKb).c_str(),
              Megabytes(f.memoryAtEndKb - f.memoryAtBaselineKb, true).c_str());
  std::printf("  before trimming   %s at track %d, %s at the end\n",
              Megabytes(f.baselineUntrimmedKb).c_str(), options.baselineTrack,
              Megabytes(f.end.untrimmedKb).c_str());
  std::printf("memory by round   ");
  for (const long kb : f.roundMemoryKb) std::printf(" %.1f", static_cast<double>(kb) / 1024.0);
  std::printf(" MB\n");
  std::printf("descriptors        %d -> %d\n", f.start.fds, f.end.fds);
  // Named when more are open: the engines keep their last files open, which differ anyway.
  if (f.end.fds > f.start.fds)
    for (const std::string& target : varlo::testing::Added(f.start.fdTargets, f.end.fdTargets))
      std::printf("  open at the end only: %s\n", target.c_str());
  std::printf("threads            %d -> %d\n", f.start.threads, f.end.threads);
  std::printf("timers in %d ms   ", f.closingMs);
  for (const auto& [name, count] : f.timers) std::printf(" %s %d,", name.c_str(), count);
  std::printf(" tracks begun %d\n", f.closingTracks);
  std::printf("wall time          %.1f s\n", f.seconds);
  for (const std::string& problem : f.problems) std::printf("problem: %s\n", problem.c_str());
}

// Qt's offscreen platform says for every window that it cannot shape, raise or grab it.
void QuietOffscreen(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (text.startsWith(QStringLiteral("This plugin does not support"))) return;
  std::fprintf(stderr, "%s\n", qPrintable(text));
  if (type == QtFatalMsg) std::abort();
}

}  // namespace

int main(int argc, char** argv) {
  varlo::UseOneHeap();  // as the program does
  SoakOptions options;
  if (!ReadOptions(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: varlo_soak [--tracks N] [--track-ms MS] [--switch-every N] "
                 "[--baseline N] [--dwell MS] [--growth-limit-mb N] [--browser | --no-browser]\n");
    return 2;
  }
  const std::string home = MakeHome();
  if (home.empty()) return 2;
  const std::string playlist = varlo::testing::WriteSoakTracks(
      home + "/music", options.tracks + kSpareTracks, options.trackMs);
  SoakFigures figures;
  {
    qInstallMessageHandler(QuietOffscreen);
    varlo::PrepareWebEngine();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("varlo"));
    std::setlocale(LC_NUMERIC, "C");  // the media engine starts only in the C number locale
    varlo::SettingsStore store(varlo::DefaultSettingsPath());
    const std::string programFolder = varlo::ProgramFolder();
    varlo::InstallMissingFiles(VARLO_SOAK_DATA_DIR, programFolder);
    const std::string key = varlo::InstanceKey(varlo::CurrentDisplay(), programFolder);
    {
      varlo::Program program(store, programFolder, nullptr, key, varlo::InstanceSocketPath(key),
                             true);
      program.Start({playlist});
      figures = varlo::testing::SoakRun(program, options).Run();
      program.Frm().Quit();
      QApplication::processEvents();
    }
  }
  std::error_code ignored;
  std::filesystem::remove_all(home, ignored);

  if (playlist.empty()) figures.problems.insert(figures.problems.begin(), "tracks not written");
  if (figures.played < options.tracks)
    figures.problems.push_back("only " + std::to_string(figures.played) + " tracks played");
  const long growth = figures.memoryAtEndKb - figures.memoryAtBaselineKb;
  if (figures.memoryAtBaselineKb <= 0 || growth >= 1024L * options.growthLimitMb)
    figures.problems.push_back("memory grew by " + Megabytes(growth));
  // Fewer at the end is no leak: the web engine's pools let idle threads go in their own time.
  if (figures.end.fds > figures.start.fds) figures.problems.push_back("descriptors left open");
  if (figures.end.threads > figures.start.threads) figures.problems.push_back("threads left");
  PrintFigures(options, figures);
  const bool held = figures.problems.empty();
  const std::string line = Line(options, figures);
  std::printf("%s\n", line.c_str());
  varlo::testing::ReportFaultGroup("soak", held, line);
  return held ? 0 : 1;
}
