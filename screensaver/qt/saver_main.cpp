// VarloSS: the skinned clock screen saver. Started plainly or with "/s" it fills the screen;
// "/c" shows its settings; inside xscreensaver (XSCREENSAVER_WINDOW, "-window-id ID" or
// "-root") it draws into the given window and ends on SIGTERM; anything else ends at once.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QSocketNotifier>
#include <QWindow>
#include <csignal>
#include <cstdlib>
#include <string>

#include "common/program_folder.h"
#include "common/settings_store.h"
#include "platform/qt/path_text.h"
#include "screensaver/qt/foreign_window.h"
#include "screensaver/qt/saver_session.h"
#include "screensaver/qt/settings_dialog.h"

namespace {

int g_pipe[2] = {-1, -1};

void OnSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t n = write(g_pipe[1], &byte, 1);
}

// SIGTERM (how xscreensaver ends a hack), SIGINT and SIGHUP end the saver at once.
void QuitOnSignals(QApplication& app) {
  if (socketpair(AF_UNIX, SOCK_STREAM, 0, g_pipe) != 0) return;
  fcntl(g_pipe[1], F_SETFL, O_NONBLOCK);
  auto* notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, &app);
  // exit, not quit: quit first asks every window to close, and the foreign window the saver
  // draws into is not the saver's to close.
  QObject::connect(notifier, &QSocketNotifier::activated, &app, [] { QCoreApplication::exit(0); });
  struct sigaction sa {};
  sa.sa_handler = OnSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  for (int sig : {SIGTERM, SIGINT, SIGHUP}) sigaction(sig, &sa, nullptr);
}

// One full-screen saver at a time: a lock held for the life of the process.
bool FirstInstance() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  const std::string folder = runtime && *runtime ? runtime : "/tmp";
  const std::string path = folder + "/varloss-" + std::to_string(getuid()) + ".lock";
  const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  return fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) == 0;  // the descriptor stays open
}

// The root window of the display's first screen.
WId RootWindow(QApplication& app) {
  auto* x11 = app.nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr || x11->connection() == nullptr) return 0;
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(x11->connection())).data;
  return screen ? screen->root : 0;
}

// Where the files shipped with the program are: $VARLO_DATA_DIR, else share/varlo beside the
// folder of the executable, as for varlo itself.
std::string ShippedDataFolder() {
  if (const char* data = std::getenv("VARLO_DATA_DIR"); data && *data) return data;
  return varlo::PathFromQt(QDir(QCoreApplication::applicationDirPath())
                               .absoluteFilePath(QStringLiteral("../share/varlo")));
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // Qt has taken its own options out of argv.
  const varlo::SaverCommand command = varlo::ParseSaverCommand(
      argc - 1, const_cast<const char* const*>(argv + 1), std::getenv("XSCREENSAVER_WINDOW"));
  if (command.action == varlo::SaverAction::End) return 0;

  varlo::SettingsStore store(varlo::DefaultSettingsPath());
  const std::string programFolder = varlo::ProgramFolder();
  // The program folder is shared with varlo: a saver started before varlo ever ran still finds
  // its skin there.
  varlo::InstallMissingFiles(ShippedDataFolder(), programFolder);
  if (command.action == varlo::SaverAction::Settings) {
    varlo::SaverSettings settings = varlo::ReadSaverSettings(store);
    varlo::RunSaverSettings(settings, store, programFolder, nullptr);
    return 0;
  }

  QuitOnSignals(app);
  const bool embedded = command.action == varlo::SaverAction::Embedded;
  if (!embedded && !FirstInstance()) return 0;

  varlo::QtSaverPrompts prompts;
  varlo::SaverSession session(store, programFolder, ShippedDataFolder() + "/VarloSS.skin", embedded,
                              prompts);
  if (!session.LoadSkin()) return 0;  // no skin, and none chosen
  if (!embedded) {
    session.ShowFullScreen();
    return QApplication::exec();
  }
  auto* x11 = app.nativeInterface<QNativeInterface::QX11Application>();
  const WId target = command.window != 0 ? static_cast<WId>(command.window) : RootWindow(app);
  QWindow* foreign = target != 0 ? QWindow::fromWinId(target) : nullptr;
  if (foreign == nullptr || x11 == nullptr || x11->connection() == nullptr) return 1;
  varlo::SaverView* view = session.ShowEmbedded(foreign, app.primaryScreen()->size());
  // The window's own size, and every later one: a preview resized, a monitor changed.
  varlo::ForeignWindowSize follow(x11->connection(), static_cast<xcb_window_t>(target),
                                  [view](QSize size) { view->setGeometry(QRect(QPoint(), size)); });
  return QApplication::exec();
}
