#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "shell/frm_tarnix.h"
#include "tests/cd/cd_fakes.h"
#include "tests/support/fake_media_device.h"
#include "tests/support/fake_printer.h"
#include "tests/support/fake_tray.h"
#include "tests/support/fake_tuner.h"
#include "tests/support/fakes.h"
#include "tests/support/temp_dir.h"
#include "tests/webradio/web_fakes.h"

namespace varlo {

// Counts the side windows the program asked to show.
struct RecordingSideWindows final : SideWindows {
  int trackInfo = 0, cover = 0, quickFind = 0, selector = 0;
  void ShowTrackInfo() override { ++trackInfo; }
  void ShowCoverWindow() override { ++cover; }
  void ShowQuickFind() override { ++quickFind; }
  void ShowVisualSelector() override { ++selector; }
};

// Counts the settings windows the program asked to show; `prefsShown` stands for an open
// preferences window.
struct RecordingSettingsWindows final : SettingsWindows {
  int prefs = 0, browser = 0;
  bool prefsShown = false;
  void ShowPrefs() override { ++prefs; }
  void ShowSkinBrowser() override { ++browser; }
  bool PrefsShown() const override { return prefsShown; }
};

// A program folder with a minimal default skin, a settings file and fakes.
class ShellTest : public ::testing::Test {
 protected:
  testing::TempDir prog;
  testing::TempDir config;
  testing::FakeScreen screen;
  testing::FakeDialogs dialogs;
  testing::FakePictureLoader pictures;
  testing::FakeEmbeddedMediaReader embedded;
  testing::FakeEvents events;
  testing::FakeClock clock;
  testing::FakeMainWindow window;
  testing::FakeLauncher launcher;
  testing::FakeMediaDevice unit0, unit1;
  RecordingSideWindows sideWindows;
  testing::FakeTuner tuner;
  testing::FakeDrive drive;
  testing::FakeHttp http;
  testing::FakeStreamPlayer stream;
  testing::FakeWebView web;
  testing::FakeLinkOpener linkOpener;
  testing::FakePrinter printer;
  testing::FakeTray tray;
  testing::FakeSerialPort serial;
  RecordingSettingsWindows settingsWindows;
  std::unique_ptr<SettingsStore> store;
  std::unique_ptr<FrmTarnix> form;
  // The start's playlist read early, when a test begins one.
  PlaylistPrefetch* prefetch = nullptr;

  std::string SettingsPath() const { return config.File("varlo.ini"); }

  void SetUp() override {
    prog.Write("default.skin",
               "Varlo Skin/Player, Default\n200,100,200,150,100,50\nmain.bmp,res.bmp\n"
               "0,1,0,0,0,0,0,0\nI4,1,1,4,4,0,255,0,3,t\nI2,1,1,4,4,255,0,0,0,t\n"
               "I19,1,1,4,4,0,0,255,0,t\nL26,1,1,30,10,0,0,0,8,Sans,t\nE\n");
    pictures.pictures[prog.Write("main.bmp", "p")] = Picture(200, 100);
    pictures.pictures[prog.Write("res.bmp", "p")] = Picture(50, 50);
  }

  // Starts the program with the settings file as it stands.
  void Start(const std::string& commandLine = "") {
    Start(commandLine.empty() ? std::vector<std::string>{} : std::vector<std::string>{commandLine});
  }
  void Start(const std::vector<std::string>& commandLine) {
    store = std::make_unique<SettingsStore>(SettingsPath());
    form = std::make_unique<FrmTarnix>(
        ShellServices{screen,      dialogs,         pictures, events, clock,      window,
                      launcher,    unit0,           unit1,

                      sideWindows, tuner,           tray,     serial, printer,    drive,
                      http,        settingsWindows, stream,   web,    linkOpener, embedded},
        *store, prog.Path(), prefetch);
    form->Form_Load(commandLine);
    form->Form_Shown();
  }
  // Closes the program; the settings file is then as the program left it.
  void Stop() {
    form->Form_Unload();
    form.reset();
    store.reset();
  }
  void Preset(const std::string& ini) { config.Write("varlo.ini", "[config]\n" + ini); }
  std::string Stored(const std::string& key) const {
    return ReadSetting(SettingsStore(SettingsPath()), key, "<absent>");
  }
};

}  // namespace varlo
