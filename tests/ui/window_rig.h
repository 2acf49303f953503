#pragma once
// The real main window on Qt's offscreen platform over fake and null services, with its
// program and settings folders in temporary folders.
#include <QApplication>

#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_events.h"
#include "platform/qt/qt_picture_loader.h"
#include "platform/qt/qt_screen.h"
#include "shell/frm_tarnix.h"
#include "tests/support/fake_media_device.h"
#include "tests/support/fakes.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/test_app.h"
#include "tests/webradio/web_fakes.h"
#include "ui/main_window_view.h"

namespace varlo::testing {

struct WindowRig {
  // Wires the form to the view and loads the main window, as the program's start does.
  void Load() {
    frm.Form().onChange = [this](unsigned c) { view.OnFormChanged(c); };
    closer.SetView(&view);
    frm.Form_Load({});
  }

  QApplication& app = TestApp();  // first: every widget below needs it
  TempDir prog, config;
  QtScreen screen;
  FakeDialogs dialogs;
  QtPictureLoader pictures;
  QtEvents events;
  QtClock clock;
  ViewCloser closer;
  SettingsStore store{config.File("varlo.ini")};
  FakeLauncher launcher;
  FakeMediaDevice unit0, unit1;
  NullSideWindows sideWindows;
  NullTuner tuner;
  NullCdDrive drive;
  NullHttpGetter http;
  NullStreamPlayer stream;
  FakeWebView web;
  NullLinkOpener linkOpener;
  NullEmbeddedMediaReader embedded;
  NullTrayIcon tray;
  NullSerialPort serial;
  NullPrinter printer;
  NullSettingsWindows settingsWindows;
  FrmTarnix frm{{screen, dialogs, pictures,        events, clock, closer,     launcher,
                 unit0,  unit1,   sideWindows,     tuner,  tray,  serial,     printer,
                 drive,  http,    settingsWindows, stream, web,   linkOpener, embedded},
                store,
                prog.Path()};
  MainWindowView view{frm};
};

}  // namespace varlo::testing
