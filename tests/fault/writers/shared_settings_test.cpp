// The settings file shared by the main program and the screen saver. The saver's settings
// dialog stores "SSSkin", "SSPic" and "TimeFmt" while the main program runs, and the main
// program saves at its exit while a saver runs; each program's changes must survive the other's
// save, and neither may leave a half-written file, also when both save at the same moments.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <string>
#include <thread>

#include "common/app_settings.h"
#include "screensaver/saver_settings.h"
#include "tests/fault/fault_report.h"
#include "tests/fault/writers/fault_folder.h"
#include "tests/fault/writers/program_rig.h"
#include "tests/support/temp_dir.h"

namespace varlo::testing {
namespace {

constexpr int kRounds = 25;       // each one save by either program
constexpr int kRacingSaves = 25;  // by each program, at the same time

std::string Key(const std::string& path, const char* key) {
  return ReadSetting(SettingsStore(path), key, "<absent>");
}

// The saver's settings dialog: read at its start, `change` applied, saved at "&Done".
struct Saver {
  explicit Saver(const std::string& path) : store(path), settings(ReadSaverSettings(store)) {}
  WriteStatus Save() { return WriteSaverSettings(store, settings); }
  SettingsStore store;
  SaverSettings settings;
};

}  // namespace

TEST(SharedSettings, NeitherProgramsSaveThrowsTheOthersChangesAway) {
  TempDir base;
  const std::string skins = base.File("skins");
  WriteRigSkin(skins);
  const std::string prog = base.File("prog");
  const std::string ini = base.File("config/varlo.ini");
  base.Write("config/varlo.ini", "[config]\nSkin=" + skins + "/default.skin\n");

  int saves = 0, checks = 0, lost = 0;
  std::vector<std::string> failures;
  const auto expect = [&](int round, const char* key, const std::string& want) {
    ++checks;
    const std::string have = Key(ini, key);
    if (have == want) return;
    ++lost;
    failures.push_back("round " + std::to_string(round) + ": " + key + " is " + have + ", not " +
                       want);
  };

  for (int round = 1; round <= kRounds; ++round) {
    const std::string n = std::to_string(round);
    const std::string fmt = std::to_string(round % 2);
    ProgramRig varlo(prog, ini);
    AddRigSkinPictures(varlo, skins);
    if (round % 2 == 1) {
      // The saver's dialog stores its keys while the main program runs; the program exits.
      varlo.Start();
      Saver saver(ini);
      saver.settings.ssSkin = "/saver/" + n + ".skin";
      saver.settings.timeFmt = static_cast<std::int16_t>(round % 2);
      if (!saver.Save()) failures.push_back("round " + n + ": the saver could not save");
      varlo.Form().Settings().skinPath = "/skins/" + n;
      varlo.Stop();
      saves += 2;
      expect(round, "SSSkin", "/saver/" + n + ".skin");
      expect(round, "TimeFmt", fmt);
      expect(round, "SkinPath", "/skins/" + n);
    } else {
      // A saver runs across the main program's whole run and saves when it closes.
      Saver saver(ini);
      saver.settings.ssPic = "/saver/" + n + ".bmp";
      varlo.Start();
      varlo.Form().Settings().skinPath = "/skins/" + n;
      varlo.Form().Settings().timeFmt = static_cast<std::int16_t>(round % 2);  // in the prefs
      varlo.Stop();
      if (!saver.Save()) failures.push_back("round " + n + ": the saver could not save");
      saves += 2;
      expect(round, "SSPic", "/saver/" + n + ".bmp");
      expect(round, "SkinPath", "/skins/" + n);
      expect(round, "TimeFmt", fmt);
      expect(round, "SSSkin", "/saver/" + std::to_string(round - 1) + ".skin");
    }
    for (const std::string& m : varlo.dialogs.Texts())
      if (m.find("settings") != std::string::npos) failures.push_back("round " + n + ": " + m);
  }

  // Both programs saving at the same moments: each checks after every save of its own that
  // its keys are there; the other program's save must never bring back an older value.
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    int childLost = 0;
    // A few milliseconds apart at most, as a dialog's "&Done" could never come faster: the
    // saves meet the main program's at random moments without holding the file all the time.
    std::mt19937 random(static_cast<unsigned>(getpid()));
    std::uniform_int_distribution<int> pauseUs(0, 8000);
    for (int i = 1; i <= kRacingSaves; ++i) {
      std::this_thread::sleep_for(std::chrono::microseconds(pauseUs(random)));
      Saver saver(ini);
      saver.settings.ssSkin = "/racing/" + std::to_string(i) + ".skin";
      if (!saver.Save()) ++childLost;
      if (Key(ini, "SSSkin") != saver.settings.ssSkin) ++childLost;
    }
    _exit(childLost > 100 ? 100 : childLost);
  }
  int halfWritten = 0;
  for (int i = 1; i <= kRacingSaves; ++i) {
    ProgramRig varlo(prog, ini);
    AddRigSkinPictures(varlo, skins);
    varlo.Start();
    varlo.Form().Settings().skinPath = "/racing/" + std::to_string(i);
    varlo.Stop();
    ++checks;
    if (Key(ini, "SkinPath") != "/racing/" + std::to_string(i)) {
      ++lost;
      std::string said;
      for (const std::string& m : varlo.dialogs.Texts()) said += " [" + m + "]";
      failures.push_back("racing save " + std::to_string(i) + ": SkinPath lost" + said);
    }
    // A file read at any moment is whole: it ends as every save ends it.
    const std::string text = FileBytes(ini);
    if (text.rfind("[config]\n", 0) != 0 || text.size() < 2 ||
        text.substr(text.size() - 2) != "\n\n")
      ++halfWritten;
  }
  int status = 0;
  waitpid(child, &status, 0);
  const int childLost = WIFEXITED(status) ? WEXITSTATUS(status) : 100;
  lost += childLost;
  checks += kRacingSaves;
  saves += 2 * kRacingSaves;
  ++checks;
  if (Key(ini, "SSSkin") != "/racing/" + std::to_string(kRacingSaves) + ".skin") {
    ++lost;
    failures.push_back("the saver's last racing save was lost");
  }
  if (!TemporariesBelow(base.Path()).empty()) failures.push_back("temporaries left");

  const bool held = lost == 0 && halfWritten == 0 && failures.empty();
  const std::string line = "shared-settings: " + std::to_string(saves) +
                           " saves by both programs (" + std::to_string(2 * kRacingSaves) +
                           " at the same moments), " + std::to_string(lost) + " keys lost of " +
                           std::to_string(checks) + " checked, " + std::to_string(halfWritten) +
                           " half-written files";
  ReportFaultGroup("shared-settings", held, line);
  for (const std::string& f : failures) ADD_FAILURE() << f;
  EXPECT_TRUE(held) << line;
}

}  // namespace varlo::testing
