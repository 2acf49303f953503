#pragma once
#include <QObject>
#include <QTimer>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "tests/fault/soak/process_figures.h"
#include "tests/fault/soak/timer_counts.h"
#include "ui/program.h"

namespace varlo::testing {

struct SoakOptions {
  int tracks = 400;         // tracks to play through
  int trackMs = 200;        // length of each
  int switchEvery = 50;     // a round of skin switches and side windows every so many tracks
  int baselineTrack = 200;  // memory growth is counted from the round at this track
  bool browser = false;     // the browser's skin (and web engine) joins the rounds
  int dwellMs = 250;        // how long each skin and side window stays up
  int growthLimitMb = 2;    // memory may grow by less than this from the baseline to the end
};

struct SoakFigures {
  int played = 0;  // track starts seen
  int rounds = 0;
  int skins = 0;     // skins shown in each round (CD mode counted as one)
  int switches = 0;  // skin and mode switches made in all
  long memoryAtBaselineKb = 0;
  long memoryAtEndKb = 0;
  long baselineUntrimmedKb = 0;
  std::vector<long> roundMemoryKb;  // before each round after the first
  ProcessFigures start, end;        // after the first round, and after the last track; both stopped
  std::map<std::string, int> timers;  // time-outs in the closing window of `closingMs`
  int closingMs = 0;
  int closingTracks = 0;  // tracks that began in that window
  int timersFiring = 0;
  std::vector<std::string> problems;
  double seconds = 0;
};

// Plays a long playlist through the whole program while switching every mode's skin, opening
// and closing the tray menu, Track Info and the visual playlist selector at every round.
class SoakRun {
 public:
  SoakRun(Program& program, SoakOptions options);
  // Runs the soak; the playlist is already open and playing (or about to).
  SoakFigures Run();

 private:
  struct Skin {
    const char* caption;  // of the favourite-skin menu
    const char* file;
  };

  void Round();
  void SwitchSkin(const Skin& skin);
  void ToggleCdMode();
  void ShowTrackInfo();
  void ShowSelector();
  // Opens the popup menu as the right mouse button does, chooses the item reached through the
  // captions `path` and closes the menu; false (with a problem noted) when any step fails.
  bool ChooseFromMenu(std::initializer_list<const char*> path);
  void KeepPlaying();
  ProcessFigures StoppedFigures();
  void CloseWindowTitled(const char* title);

  void RunFor(int ms);
  bool WaitUntil(const std::function<bool()>& done, int limitMs);
  void Problem(const std::string& text);
  void PollTrack();

  Program& program_;
  FrmTarnix& frm_;
  SoakOptions options_;
  std::vector<Skin> skins_;
  SoakFigures figures_;
  TimerCounts timers_;
  QTimer poll_;
  int lastTrack_ = 0;
};

}  // namespace varlo::testing
