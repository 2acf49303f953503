// The cost of a running window: every 200 ms the position display changes and the play
// animation steps, and the window repaints what changed. Runs on Qt's offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <clocale>
#include <string>

#include "common/program_folder.h"
#include "platform/mpv/mpv_media_device.h"
#include "platform/null_dialogs.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_events.h"
#include "platform/qt/qt_launcher.h"
#include "platform/qt/qt_picture_loader.h"
#include "platform/qt/qt_screen.h"
#include "skin/animation.h"
#include "ui/main_window_view.h"

namespace {

void BM_TickAndRepaint(benchmark::State& state) {
  const std::string prog = "/tmp/varlo-paint-bench";
  varlo::InstallMissingFiles(VARLO_BENCH_DATA_DIR, prog);
  varlo::QtScreen screen;
  varlo::NullDialogs dialogs;
  varlo::QtPictureLoader pictures;
  varlo::QtEvents events;
  varlo::QtClock clock;
  varlo::ViewCloser closer;
  varlo::SettingsStore store("/tmp/varlo-paint-bench/bench.ini");
  varlo::QtLauncher launcher;
  varlo::MpvOptions quiet;
  quiet.audioOutput = quiet.videoOutput = "null";
  varlo::MpvMediaDevice unit0(quiet), unit1(quiet);
  varlo::NullSideWindows sideWindows;
  varlo::NullTuner tuner;
  varlo::NullCdDrive drive;
  varlo::NullHttpGetter http;
  varlo::NullStreamPlayer stream;
  varlo::NullWebView web;
  varlo::NullLinkOpener linkOpener;
  varlo::NullEmbeddedMediaReader embedded;
  varlo::NullPrinter printer;
  varlo::NullTrayIcon tray;
  varlo::NullSerialPort serial;
  varlo::NullSettingsWindows settingsWindows;
  varlo::FrmTarnix frm({screen, dialogs, pictures,        events, clock, closer,     launcher,
                        unit0,  unit1,   sideWindows,     tuner,  tray,  serial,     printer,
                        drive,  http,    settingsWindows, stream, web,   linkOpener, embedded},
                       store, prog);
  varlo::MainWindowView view(frm);
  frm.Form().onChange = [&](unsigned c) { view.OnFormChanged(c); };
  frm.Form_Load({});
  view.OnFormChanged(varlo::kChangeAll);
  view.show();
  QCoreApplication::processEvents();
  frm.Form().tables.anims[2].running = true;

  int second = 0;
  for (auto _ : state) {
    frm.Access().SetDD(1, ++second);
    varlo::AnimStep(frm.Form(), 2);
    QCoreApplication::processEvents();  // the repaint of what changed
  }
  view.hide();
}
BENCHMARK(BM_TickAndRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");  // the media engine starts only in the C number locale
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
