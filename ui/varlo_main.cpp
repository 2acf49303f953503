// The varlo program: builds the platform services, the main window's logic and its view.
#include <QApplication>
#include <QDir>
#include <QMetaObject>
#include <clocale>
#include <cstdlib>

#include "common/program_folder.h"
#include "common/settings_store.h"
#include "platform/mpv/mpv_media_device.h"
#include "platform/qt/path_text.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_events.h"
#include "platform/qt/qt_launcher.h"
#include "platform/qt/qt_picture_loader.h"
#include "platform/qt/qt_screen.h"
#include "shell/frm_tarnix.h"
#include "ui/main_window_view.h"
#include "ui/quit_signals.h"
#include "ui/side_windows_view.h"

namespace {

// Where the files shipped with the program are: $VARLO_DATA_DIR, else share/varlo beside
// the folder of the executable (the same in the build tree and in an installation).
std::string ShippedDataFolder() {
  const char* env = std::getenv("VARLO_DATA_DIR");
  if (env && *env) return env;
  return varlo::PathFromQt(QDir(QCoreApplication::applicationDirPath())
                               .absoluteFilePath(QStringLiteral("../share/varlo")));
}

// Hands the engine's events over to the GUI thread, where the device handles them.
void PumpOnGuiThread(varlo::MpvMediaDevice& device, QObject* context) {
  device.SetWakeup([&device, context] {
    QMetaObject::invokeMethod(
        context, [&device] { device.ProcessEvents(); }, Qt::QueuedConnection);
  });
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("varlo"));
  std::setlocale(LC_NUMERIC, "C");  // the media engine starts only in the C number locale

  const std::string programFolder = varlo::ProgramFolder();
  varlo::InstallMissingFiles(ShippedDataFolder(), programFolder);
  varlo::RemoveStaleProgramTemporaries(programFolder, varlo::DefaultSettingsPath());

  varlo::QtScreen screen;
  varlo::QtDialogs dialogs;
  varlo::QtPictureLoader pictures;
  varlo::QtEvents events;
  varlo::QtClock clock;
  varlo::QtLauncher launcher;
  varlo::ViewCloser closer;
  varlo::SettingsStore store(varlo::DefaultSettingsPath());
  varlo::MpvMediaDevice unit0, unit1;

  varlo::SideWindowsView sideWindows;
  varlo::FrmTarnix frm(
      {screen, dialogs, pictures, events, clock, closer, launcher, unit0, unit1, sideWindows},
      store, programFolder);
  sideWindows.Attach(frm.Player());
  varlo::MainWindowView view(frm);
  PumpOnGuiThread(unit0, &view);
  PumpOnGuiThread(unit1, &view);
  view.onVideoWindow = [&unit0, &unit1](std::uint64_t windowId) {
    unit0.SetDisplayWindow(windowId);
    unit1.SetDisplayWindow(windowId);
  };
  view.onClosed = [&sideWindows] { sideWindows.CloseAll(); };
  closer.SetView(&view);
  varlo::CloseOnQuitSignals(&view);
  screen.SetWindow(&view);
  dialogs.SetParent(&view);
  frm.Form().onChange = [&view](unsigned changes) { view.OnFormChanged(changes); };

  // The cover window follows the main window's cover while it is open.
  varlo::CoverPictures& covers = frm.Player().Media().Covers();
  auto mainCoverChanged = covers.onChanged;
  covers.onChanged = [&sideWindows, mainCoverChanged] {
    if (mainCoverChanged) mainCoverChanged();
    sideWindows.CoverChanged();
  };

  // The arguments as bytes (QApplication has taken out its own options), so that names
  // that are not UTF-8 stay the files they name.
  std::string commandLine;
  for (int i = 1; i < argc; ++i) commandLine += (i > 1 ? " " : "") + std::string(argv[i]);
  frm.Form_Load(commandLine);
  view.OnFormChanged(varlo::kChangeAll);
  if (frm.Form().window.minimised)
    view.showMinimized();
  else
    view.show();
  const int status = QApplication::exec();
  unit0.SetWakeup({});
  unit1.SetWakeup({});
  return status;
}
