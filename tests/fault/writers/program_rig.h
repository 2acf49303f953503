#pragma once
#include <memory>
#include <string>
#include <vector>

#include "shell/frm_tarnix.h"
#include "tests/cd/cd_fakes.h"
#include "tests/shell/shell_fixture.h"
#include "tests/support/fake_media_device.h"
#include "tests/support/fake_printer.h"
#include "tests/support/fake_tray.h"
#include "tests/support/fake_tuner.h"
#include "tests/support/fakes.h"
#include "tests/webradio/web_fakes.h"

namespace varlo::testing {

// The main program over the test fakes, with its program folder at `programFolder` and its
// settings file at `settingsPath`. Message boxes are recorded in `dialogs`.
class ProgramRig {
 public:
  ProgramRig(std::string programFolder, std::string settingsPath);
  ~ProgramRig();
  ProgramRig(const ProgramRig&) = delete;
  ProgramRig& operator=(const ProgramRig&) = delete;

  // Form_Load with an empty command line.
  void Start();
  // Form_Unload, as at every close of the main window.
  void Stop();
  FrmTarnix& Form() { return *form_; }
  // Gives the picture loader a bitmap for `path`, as a skin's bitmaps need.
  void AddPicture(const std::string& path, int width, int height);

  FakeDialogs dialogs;

 private:
  std::string programFolder_;
  std::string settingsPath_;
  FakeScreen screen_;
  FakePictureLoader pictures_;
  FakeEmbeddedMediaReader embedded_;
  FakeEvents events_;
  FakeClock clock_;
  FakeMainWindow window_;
  FakeLauncher launcher_;
  FakeMediaDevice unit0_, unit1_;
  RecordingSideWindows sideWindows_;
  FakeTuner tuner_;
  FakeDrive drive_;
  FakeHttp http_;
  FakeStreamPlayer stream_;
  FakeWebView web_;
  FakeLinkOpener links_;
  FakePrinter printer_;
  FakeTray tray_;
  FakeSerialPort serial_;
  RecordingSettingsWindows settingsWindows_;
  std::unique_ptr<SettingsStore> store_;
  std::unique_ptr<FrmTarnix> form_;
};

// A minimal player skin in `folder` ("default.skin" and its two bitmaps), given to `rig`'s
// picture loader; returns the skin's path.
std::string WriteRigSkin(const std::string& folder);
void AddRigSkinPictures(ProgramRig& rig, const std::string& folder);

}  // namespace varlo::testing
