#include "tests/fault/soak/soak_run.h"

#include <malloc.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMenu>
#include <QThreadPool>
#include <QWidget>
#include <utility>

namespace varlo::testing {
namespace {

constexpr int kTrackInfoCode = 16;
constexpr int kPlayCode = 12;
constexpr int kStopCode = 10;
// Each timer's least count in the closing window of kClosingMs: half of what its interval gives.
constexpr int kClosingMs = 2000;
struct TimerFloor {
  const char* name;
  int least;
};
constexpr TimerFloor kTimerFloors[] = {
    {"Timer1", kClosingMs / 100 / 2},
    {"Timer2", kClosingMs / 200 / 2},
    {"MPRIS poll", kClosingMs / 200 / 2},
    {"Track Info timer", kClosingMs / 500 / 2},
};

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

QWidget* VisibleWindowTitled(const char* title) {
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window->isVisible() && window->windowTitle() == QString::fromLatin1(title)) return window;
  return nullptr;
}

}  // namespace

SoakRun::SoakRun(Program& program, SoakOptions options)
    : program_(program), frm_(program.Frm()), options_(options) {
  skins_ = {{"&Calculator", "calculator.skin"},
            {"&Notepad", "notepad.skin"},
            {"Cloc&k", "clock.skin"},
            {"&FM Tuner", "fm.skin"},
            {"Web &Radio", "webradio.skin"}};
  if (options_.browser) skins_.push_back({"Web Browser", "browser.skin"});
  skins_.push_back({"&Player", "default.skin"});
  figures_.skins = static_cast<int>(skins_.size()) + 1;  // and CD mode in the player's skin
  poll_.setInterval(10);
  QObject::connect(&poll_, &QTimer::timeout, [this] { PollTrack(); });
}

void SoakRun::Problem(const std::string& text) {
  if (figures_.problems.size() < 20) figures_.problems.push_back(text);
}

void SoakRun::PollTrack() {
  // A track counts when it begins: the current entry moves on while the player plays.
  const PlayerState& state = frm_.Player().State();
  if (state.playing && !state.cdMode && state.tNum != lastTrack_) {
    lastTrack_ = state.tNum;
    ++figures_.played;
  }
}

void SoakRun::RunFor(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

bool SoakRun::WaitUntil(const std::function<bool()>& done, int limitMs) {
  QElapsedTimer waited;
  waited.start();
  while (!done()) {
    if (waited.elapsed() > limitMs) return false;
    RunFor(10);
  }
  return true;
}

bool SoakRun::ChooseFromMenu(std::initializer_list<const char*> path) {
  // The window's background takes the right button; the menu opens at the pointer.
  frm_.Form_MouseDown(2, 4, 4);
  frm_.Form_MouseUp(2, 4, 4);
  if (!WaitUntil([] { return QApplication::activePopupWidget() != nullptr; }, 2000)) {
    Problem("the popup menu did not open");
    return false;
  }
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  QAction* chosen = nullptr;
  for (const char* caption : path) {
    chosen = nullptr;
    for (QAction* action : menu ? menu->actions() : QList<QAction*>{})
      if (action->text() == QString::fromLatin1(caption)) chosen = action;
    if (!chosen || !chosen->isEnabled()) {
      Problem(std::string("no enabled menu item ") + caption);
      break;
    }
    if (chosen->menu()) menu = chosen->menu();
  }
  const bool found = chosen && chosen->isEnabled() && !chosen->menu();
  if (found) chosen->trigger();
  // The menu closes as a chosen item closes it, or as a click elsewhere does.
  if (QWidget* open = QApplication::activePopupWidget()) open->close();
  if (!WaitUntil([] { return QApplication::activePopupWidget() == nullptr; }, 2000))
    Problem("the popup menu did not close");
  return found;
}

void SoakRun::SwitchSkin(const Skin& skin) {
  if (!ChooseFromMenu({"&Favorite Skin", skin.caption})) return;
  ++figures_.switches;
  RunFor(options_.dwellMs);
  if (!EndsWith(frm_.Settings().skin, std::string("/") + skin.file))
    Problem(std::string(skin.file) + " did not load (" + frm_.Settings().skin + " shows)");
}

void SoakRun::ToggleCdMode() {
  for (const bool cd : {true, false}) {
    if (!ChooseFromMenu({"&Player", "&Toggle Media/CD Mode"})) return;
    RunFor(options_.dwellMs);
    if (frm_.Player().State().cdMode != cd)
      Problem(cd ? "CD mode did not come on" : "CD mode did not go off");
  }
  ++figures_.switches;
}

void SoakRun::CloseWindowTitled(const char* title) {
  QWidget* window = VisibleWindowTitled(title);
  if (!window) return Problem(std::string(title) + " did not show");
  window->close();
  RunFor(20);
  if (VisibleWindowTitled(title)) Problem(std::string(title) + " did not close");
}

void SoakRun::ShowTrackInfo() {
  frm_.DoIt(kTrackInfoCode);
  RunFor(options_.dwellMs);
  if (QWidget* window = VisibleWindowTitled("Track Info"))
    timers_.Watch("Track Info timer", window, "Timer1");
  CloseWindowTitled("Track Info");
}

void SoakRun::ShowSelector() {
  if (!ChooseFromMenu({"&Player", "&Visual Playlist Selector..."})) return;
  RunFor(options_.dwellMs);
  CloseWindowTitled("Visual Playlist Selector");
}

void SoakRun::KeepPlaying() {
  // Switching to CD mode and back stops the player: play goes on from the current entry.
  if (!frm_.Player().State().playing) frm_.DoIt(kPlayCode);
}

void SoakRun::Round() {
  ShowSelector();
  ShowTrackInfo();
  for (const Skin& skin : skins_) SwitchSkin(skin);
  ToggleCdMode();
  KeepPlaying();
  ++figures_.rounds;
}

ProcessFigures SoakRun::StoppedFigures() {
  frm_.DoIt(kStopCode);
  // The shared pool's idle workers (the selector's, the covers') would linger for half a
  // minute: they are let go, as they would be by then, so that only threads kept count.
  QThreadPool::globalInstance()->waitForDone(5000);
  ProcessFigures figures = SettledProcessFigures(1000, 8000);
  // Freed memory the allocator still keeps in its arenas goes back to the system first: the
  // engines' threads each free some megabytes while opening a file, which an arena may keep
  // for good or not, ten megabytes either way. Only memory still allocated is compared.
  figures.untrimmedKb = figures.residentKb;
  malloc_trim(0);
  figures.residentKb = ReadProcessFigures().residentKb;
  return figures;
}

SoakFigures SoakRun::Run() {
  QElapsedTimer clock;
  clock.start();
  poll_.start();
  timers_.Watch("Timer1", &program_.View(), "Timer1");
  timers_.Watch("Timer2", &program_.View(), "Timer2");
  const int trackLimitMs = 20000;
  if (!WaitUntil([this] { return figures_.played >= 1; }, trackLimitMs)) {
    Problem("the playlist did not start playing");
    figures_.seconds = static_cast<double>(clock.elapsed()) / 1000.0;
    return figures_;
  }

  // The first round loads what the program loads once (the CD drive, the second engine, the
  // skins' bitmaps): the counts to come back to are taken after it.
  Round();
  figures_.start = StoppedFigures();
  KeepPlaying();
  if (program_.Mpris()) timers_.Watch("MPRIS poll", program_.Mpris(), "Poll");

  int nextRound = options_.switchEvery;
  const int roundLimitMs = options_.switchEvery * (options_.trackMs + 400) + 20000;
  for (;;) {
    // A round that outlasted its share of tracks moves the next one on.
    while (nextRound <= figures_.played) nextRound += options_.switchEvery;
    const int target = std::min(nextRound, options_.tracks);
    if (!WaitUntil([this, target] { return figures_.played >= target; }, roundLimitMs)) {
      Problem("playback stalled at track " + std::to_string(figures_.played) + " (entry " +
              std::to_string(frm_.Player().State().tNum) + ")");
      break;
    }
    if (figures_.played >= options_.tracks) break;
    const long resident = ReadProcessFigures().residentKb;
    figures_.roundMemoryKb.push_back(resident);
    if (figures_.memoryAtBaselineKb == 0 && figures_.played >= options_.baselineTrack) {
      // Measured with the player stopped, as at the end: while tracks change, each opening
      // holds some megabytes of the engine's for a moment, which a reading may or may not catch.
      const ProcessFigures baseline = StoppedFigures();
      figures_.memoryAtBaselineKb = baseline.residentKb;
      figures_.baselineUntrimmedKb = baseline.untrimmedKb;
      KeepPlaying();
    }
    Round();
  }

  // Every timer still fires: counted over a closing window, with Track Info open and the
  // playlist still playing (the tracks going on are Timer1's work).
  frm_.DoIt(kTrackInfoCode);
  RunFor(50);
  if (QWidget* window = VisibleWindowTitled("Track Info"))
    timers_.Watch("Track Info timer", window, "Timer1");
  timers_.Reset();
  const int playedBefore = figures_.played;
  RunFor(kClosingMs);
  figures_.closingMs = kClosingMs;
  figures_.closingTracks = figures_.played - playedBefore;
  figures_.played = playedBefore;  // the soak's own; the closing window's are counted apart
  for (const TimerFloor& floor : kTimerFloors) {
    figures_.timers[floor.name] = timers_.Count(floor.name);
    if (!timers_.Watched(floor.name))
      Problem(std::string(floor.name) + " was not found");
    else if (timers_.Count(floor.name) < floor.least)
      Problem(std::string(floor.name) + " fired " + std::to_string(timers_.Count(floor.name)) +
              " times in " + std::to_string(kClosingMs) + " ms");
    else
      ++figures_.timersFiring;
  }
  if (figures_.closingTracks < 2) Problem("the tracks stopped advancing at the end");
  CloseWindowTitled("Track Info");

  poll_.stop();
  figures_.end = StoppedFigures();
  figures_.memoryAtEndKb = figures_.end.residentKb;
  figures_.seconds = static_cast<double>(clock.elapsed()) / 1000.0;
  return figures_;
}

}  // namespace varlo::testing
