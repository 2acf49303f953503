// CD mode while the disc goes bad under it: an image cut short or removed while a track
// plays, through the real drive backend and a real libmpv, and a drive that disappears mid-track.
// Each must end with the disc treated as ejected ("No Disc", playback stopped) or a message,
// soon, and no step of the GUI thread may take 100 ms or more.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "cd/cd_audio_device.h"
#include "platform/cdio/lazy_cd_drive.h"
#include "platform/mpv/mpv_media_device.h"
#include "tests/cd/cd_fakes.h"
#include "tests/cd/cd_rig.h"
#include "tests/cdio/disc_image.h"
#include "tests/cdio/gui_queue.h"
#include "tests/fault/fault_report.h"
#include "tests/mpv/test_audio.h"
#include "tests/support/time_budget.h"

namespace varlo {
namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

constexpr int kSectorBytes = 2352;
// The program looks at its drive every 100 ms; so do the drives here.
constexpr int kPollMs = 100;
// From the fault to the disc taken for ejected.
constexpr double kOutcomeSeconds = 3.0;

// What one fault came to.
struct Outcome {
  bool ended = false;    // "No Disc" with playback stopped, or a message
  double seconds = 0;    // from the fault to that end
  double longestMs = 0;  // the longest single step of the GUI thread, fault to end
  std::string status;    // label 15, or the message
};

// Runs GUI steps until the disc is taken for ejected or `seconds` pass; each step is one
// event of the window (posted answers, engine events, the main timer's CD step) and is timed.
Outcome RunUntilEjected(const std::vector<std::function<void()>>& steps, testing::FakeForm& form,
                        const PlayerState& state, const CdPlayer& cd) {
  Outcome outcome;
  const auto start = Clock::now();
  while (Clock::now() - start < std::chrono::duration<double>(kOutcomeSeconds)) {
    for (const auto& step : steps) {
      const auto before = Clock::now();
      step();
      outcome.longestMs =
          std::max(outcome.longestMs,
                   std::chrono::duration<double, std::milli>(Clock::now() - before).count());
    }
    if (!form.dialogs.messages.empty()) {
      outcome.ended = true;
      outcome.status = form.dialogs.messages.front().text;
      break;
    }
    if (form.Caption(CdPlayer::kStatusLabel) == "No Disc" && !state.playing && !cd.DiscKnown()) {
      outcome.ended = true;
      outcome.status = "No Disc";
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  outcome.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  return outcome;
}

// A two-track image (3 s and 4 s of tone) in CD mode on the real drive backend and libmpv,
// playing track 1; `fault` is then done to its files.
Outcome FaultWhilePlaying(
    const std::function<void(const std::string& cue, const std::string& bin)>& fault,
    const std::function<void(const std::string& cue, const std::string& bin)>& after = {}) {
  testing::TempDir dir;
  const std::string cue = testing::WriteCueBin(dir, "disc", {{225, true}, {300, true}}, true);
  const std::string bin = dir.File("disc.bin");
  testing::GuiQueue gui;
  LazyCdDrive drive(cue, gui.Poster(), kPollMs);
  MpvOptions options = testing::NullOutputs();
  options.protocols.push_back(drive.Protocol());
  MpvMediaDevice mpv(options);
  CdAudioDevice unit1(mpv, drive);
  NullHttpGetter http;
  testing::CdRig rig(unit1, drive, http, dir.Path());
  rig.settings.useCDP = 0;
  rig.settings.useCDDB = 0;
  rig.cd.Load();
  const std::vector<std::function<void()>> steps = {
      [&] { gui.RunPosted(); }, [&] { mpv.ProcessEvents(); }, [&] { rig.cd.Timer1Step(); },
      [&] { rig.engine.UpdatePosition(); }};
  auto ticksUntil = [&](const std::function<bool()>& done, int ms) {
    return gui.Until(
        [&] {
          for (const auto& step : steps) step();
          return done();
        },
        ms);
  };
  Outcome outcome;
  if (!ticksUntil([&] { return rig.cd.DiscKnown(); }, 5000)) {
    outcome.status = "the disc was never read";
    return outcome;
  }
  rig.state.tNum = 1;
  rig.engine.PlayIt();
  if (!ticksUntil([&] { return unit1.Position() > 500; }, 5000)) {
    outcome.status = "the disc never played";
    return outcome;
  }
  fault(cue, bin);
  outcome = RunUntilEjected(steps, rig.form, rig.state, rig.cd);
  if (outcome.ended && after) {
    // The disc put back is found and read again.
    after(cue, bin);
    if (!ticksUntil([&] { return rig.cd.DiscKnown() && rig.list.Count() == 2; }, 5000)) {
      outcome.ended = false;
      outcome.status += ", and the disc put back was never read again";
    }
  }
  return outcome;
}

// The same rig on a drive of the tests' whose device goes away under a playing track: the
// drive first fails to answer (the descriptor of an unplugged drive), then is not there.
Outcome DriveGoneWhilePlaying() {
  testing::FakeDrive drive;
  testing::FakeMediaDevice inner1;
  inner1.lengths["cd-test://disc"] = 30000;
  CdAudioDevice unit1(inner1, drive);
  testing::FakeHttp http;
  testing::CdRig rig(unit1, drive, http, ".");
  rig.settings.useCDP = 0;
  rig.settings.useCDDB = 0;
  rig.cd.Load();
  rig.cd.Timer1Step();
  DiscToc toc;
  toc.tracks = {{0, true}, {750, true}};
  toc.leadOutLba = 2250;
  drive.Answer(toc);
  rig.state.tNum = 1;
  rig.engine.PlayIt();
  inner1.SetPosition(4000);
  rig.cd.Timer1Step();
  Outcome outcome;
  if (!rig.state.playing || !rig.cd.DiscKnown()) {
    outcome.status = "the disc never played";
    return outcome;
  }
  drive.state = DriveState::Unknown;
  int steps = 0;
  outcome = RunUntilEjected({[&] {
                              if (++steps == 3) drive.state = DriveState::NoDisc;
                              rig.cd.Timer1Step();
                              rig.engine.UpdatePosition();
                            }},
                            rig.form, rig.state, rig.cd);
  return outcome;
}

void TruncateTo(const std::string& path, std::uintmax_t sectors) {
  fs::resize_file(path, sectors * kSectorBytes);
}

TEST(CdImageFaults, EndInTimeWithoutAHangOrAStall) {
  struct Case {
    const char* name;
    std::function<Outcome()> run;
  };
  // Track 1 plays from sector 0; at the fault its position is past 500 ms (38 sectors).
  const std::vector<Case> cases = {
      {"bin cut behind the play position",
       [] { return FaultWhilePlaying([](auto&, auto& bin) { TruncateTo(bin, 10); }); }},
      {"bin cut ahead of the play position, in the next track",
       [] { return FaultWhilePlaying([](auto&, auto& bin) { TruncateTo(bin, 300); }); }},
      {"bin emptied",
       [] { return FaultWhilePlaying([](auto&, auto& bin) { TruncateTo(bin, 0); }); }},
      {"bin removed, then put back",
       [] {
         return FaultWhilePlaying([](auto&, auto& bin) { fs::rename(bin, bin + ".away"); },
                                  [](auto&, auto& bin) { fs::rename(bin + ".away", bin); });
       }},
      {"cue removed", [] { return FaultWhilePlaying([](auto& cue, auto&) { fs::remove(cue); }); }},
      {"drive gone", [] { return DriveGoneWhilePlaying(); }},
  };
  const double stepLimitMs =
      std::chrono::duration<double, std::milli>(testing::TimeBudget(std::chrono::milliseconds(100)))
          .count();
  int ended = 0;
  double slowest = 0, longestStep = 0;
  for (const Case& c : cases) {
    const Outcome outcome = c.run();
    std::printf("%-55s %-40s after %.2f s, longest step %.1f ms\n", c.name, outcome.status.c_str(),
                outcome.seconds, outcome.longestMs);
    EXPECT_TRUE(outcome.ended) << c.name << ": " << outcome.status;
    EXPECT_LT(outcome.longestMs, stepLimitMs) << c.name;
    if (outcome.ended && outcome.longestMs < stepLimitMs) ++ended;
    slowest = std::max(slowest, outcome.seconds);
    longestStep = std::max(longestStep, outcome.longestMs);
  }
  char line[200];
  std::snprintf(line, sizeof line,
                "cd-image: %d of %zu faults (image cut, emptied, removed; drive gone) ended as "
                "ejected within %.1f s, longest GUI step %.0f ms",
                ended, cases.size(), slowest, longestStep);
  testing::ReportFaultGroup("cd-image", ended == static_cast<int>(cases.size()), line);
}

}  // namespace
}  // namespace varlo
