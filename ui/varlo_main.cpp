// The varlo program: builds the platform services, the main window's logic and its view.
#include <QApplication>
#include <QDir>
#include <QStringList>

#include "common/program_folder.h"
#include "common/settings_store.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_events.h"
#include "platform/qt/qt_picture_loader.h"
#include "platform/qt/qt_screen.h"
#include "shell/frm_tarnix.h"
#include "ui/main_window_view.h"
#include "ui/quit_signals.h"

namespace {

// Where the files shipped with the program are: $VARLO_DATA_DIR, else share/varlo beside
// the folder of the executable (the same in the build tree and in an installation).
QString ShippedDataFolder() {
  const QByteArray env = qgetenv("VARLO_DATA_DIR");
  if (!env.isEmpty()) return QString::fromLocal8Bit(env);
  return QDir(QCoreApplication::applicationDirPath())
      .absoluteFilePath(QStringLiteral("../share/varlo"));
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("varlo"));

  const std::string programFolder = varlo::ProgramFolder();
  varlo::InstallMissingFiles(ShippedDataFolder().toStdString(), programFolder);

  varlo::QtScreen screen;
  varlo::QtDialogs dialogs;
  varlo::QtPictureLoader pictures;
  varlo::QtEvents events;
  varlo::QtClock clock;
  varlo::ViewCloser closer;
  varlo::SettingsStore store(varlo::DefaultSettingsPath());

  varlo::FrmTarnix frm({screen, dialogs, pictures, events, clock, closer}, store, programFolder);
  varlo::MainWindowView view(frm);
  closer.SetView(&view);
  varlo::CloseOnQuitSignals(&view);
  screen.SetWindow(&view);
  dialogs.SetParent(&view);
  frm.Form().onChange = [&view](unsigned changes) { view.OnFormChanged(changes); };

  QStringList args = QCoreApplication::arguments();
  args.removeFirst();
  frm.Form_Load(args.join(QChar(' ')).toStdString());
  view.OnFormChanged(varlo::kChangeAll);
  if (frm.Form().window.minimised)
    view.showMinimized();
  else
    view.show();
  return QApplication::exec();
}
