#pragma once
#include <QApplication>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "common/settings_store.h"
#include "platform/mpv/mpv_media_device.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_events.h"
#include "platform/qt/qt_picture_loader.h"
#include "platform/qt/qt_screen.h"
#include "shell/frm_tarnix.h"
#include "tests/support/event_loop_probe.h"
#include "tests/support/fakes.h"
#include "tests/support/temp_dir.h"
#include "tests/webradio/web_fakes.h"
#include "ui/main_window_view.h"

namespace varlo::testing {

// The one application object of these tests, on Qt's offscreen platform; never destroyed.
QApplication& FaultApp();

// The longest the GUI thread may wait, in milliseconds: 100 in the optimised build, stretched
// as every time limit of the tests is where the same work runs several times slower.
qint64 EventBudgetMs();

// A message box the program showed, as the harness found and closed it.
struct SeenBox {
  std::string text;
  bool windowShown = false;  // the main window was on the screen when the box came up
};

// The program as varlo's entry point builds it, in a program folder and settings file of its
// own: the shipped skins, the real front end, real message boxes and two media devices on
// libmpv with null outputs. Every message box that comes up is noted and closed after
// `boxMs`, as a user would; the probe measures the GUI thread all along.
class PlayerHarness {
 public:
  // `ini` is the settings file's [config] section.
  explicit PlayerHarness(const std::string& ini, int boxMs = 300);
  ~PlayerHarness();

  // Starts as the program does: the start, the window shown, then "AutoPlay".
  void Start(const std::vector<std::string>& items = {});
  // Runs the event loop until `done` holds or `ms` pass; true when it held.
  bool RunUntil(const std::function<bool()>& done, int ms);
  // Closes the window as the user does; the settings and playlist are written.
  void Close();

  const std::string& Folder() const { return prog_.Path(); }
  FrmTarnix& Frm() { return frm_; }
  PlayerState& State() { return frm_.Player().State(); }
  Playlist& List() { return frm_.Player().List(); }
  MainWindowView& View() { return view_; }
  const std::vector<SeenBox>& Boxes() const { return boxes_; }
  EventLoopProbe& Probe() { return probe_; }
  // Files the devices opened, in order ("open" commands that reached a device).
  const std::vector<std::string>& Opened() const { return opened_; }

 private:
  void CloseBoxes();

  QApplication& app_ = FaultApp();
  TempDir prog_, config_;
  QtScreen screen_;
  QtDialogs dialogs_;
  QtPictureLoader pictures_;
  QtEvents events_;
  QtClock clock_;
  ViewCloser closer_;
  SettingsStore store_;
  FakeLauncher launcher_;
  MpvMediaDevice unit0_, unit1_;
  // Notes the files each "open" names before the device opens them.
  class OpenLog;
  std::unique_ptr<OpenLog> log0_, log1_;
  NullSideWindows sideWindows_;
  NullTuner tuner_;
  NullCdDrive drive_;
  NullHttpGetter http_;
  NullStreamPlayer stream_;
  FakeWebView web_;
  NullLinkOpener linkOpener_;
  NullEmbeddedMediaReader embedded_;
  NullTrayIcon tray_;
  NullSerialPort serial_;
  NullPrinter printer_;
  NullSettingsWindows settingsWindows_;
  std::unique_ptr<FrmTarnix> frmOwner_;
  FrmTarnix& frm_;
  MainWindowView view_;
  EventLoopProbe probe_;
  QTimer boxWatch_;
  int boxMs_;
  std::vector<SeenBox> boxes_;
  std::vector<std::string> opened_;
};

}  // namespace varlo::testing
