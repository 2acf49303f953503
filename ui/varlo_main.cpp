// The varlo program: builds the platform services, the main window's logic and its view.
#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDir>
#include <clocale>
#include <cstdlib>

#include "common/app_settings.h"
#include "common/command_line_items.h"
#include "common/paths.h"
#include "common/program_folder.h"
#include "common/settings_store.h"
#include "platform/qt/path_text.h"
#include "player/player_mode.h"
#include "player/playlist_prefetch.h"
#include "ui/app_icon.h"
#include "ui/font_warmup.h"
#include "ui/instance_socket.h"
#include "ui/mpris_service.h"
#include "ui/program.h"
#include "ui/web_browser_view.h"

namespace {

// Where the files shipped with the program are: $VARLO_DATA_DIR, else share/varlo beside
// the folder of the executable (the same in the build tree and in an installation).
std::string ShippedDataFolder() {
  const char* env = std::getenv("VARLO_DATA_DIR");
  if (env && *env) return env;
  return varlo::PathFromQt(QDir(QCoreApplication::applicationDirPath())
                               .absoluteFilePath(QStringLiteral("../share/varlo")));
}

// Hands `items` to a Varlo already running on the session bus with the same `key` (display and
// program folder); false when none runs (or there is no bus), so this start goes on by itself.
bool HandToRunningInstance(const std::vector<std::string>& items, const std::string& key) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected() || !bus.interface()) return false;
  const QString service = QString::fromLatin1(varlo::MprisService::kServiceName);
  const QString path = QString::fromLatin1(varlo::MprisService::kObjectPath);
  const QString own = QString::fromLatin1(varlo::MprisService::kOwnInterface);
  const QStringList names = bus.interface()->registeredServiceNames().value();
  for (const QString& name : names) {
    if (name != service && !name.startsWith(service + QLatin1Char('.'))) continue;
    // A running program answers at once; one that hangs is not waited for long.
    QDBusMessage get = QDBusMessage::createMethodCall(
        name, path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << own << QStringLiteral("InstanceKey");
    const QDBusMessage answer = bus.call(get, QDBus::Block, 3000);
    if (answer.type() != QDBusMessage::ReplyMessage || answer.arguments().isEmpty() ||
        answer.arguments()[0].value<QDBusVariant>().variant().toString().toStdString() != key)
      continue;
    QDBusMessage call =
        QDBusMessage::createMethodCall(name, path, own, QStringLiteral("OpenItems"));
    QStringList list;
    for (const std::string& item : items) list << varlo::PathToQt(item);
    call << list;
    return bus.call(call, QDBus::Block, 3000).type() == QDBusMessage::ReplyMessage;
  }
  return false;
}

// The program's arguments as bytes, without "--new-instance" (which `newInstance` tells).
std::vector<std::string> ProgramArguments(int argc, char** argv, bool& newInstance) {
  std::vector<std::string> args;
  newInstance = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg(argv[i]);
    if (arg == "--new-instance")
      newInstance = true;
    else
      args.push_back(arg);
  }
  return args;
}

}  // namespace

int main(int argc, char** argv) {
  varlo::UseOneHeap();
  const varlo::FontWarmup fonts;  // in parallel with the rest of the start
  // The playlist the start opens is read meanwhile too, unless a running program will likely
  // take this start's items. It is found from the arguments before the toolkit has taken out
  // its own options: a guess that such an option spoils costs only the read, since the playlist
  // takes the entries only from a read of the file it opens.
  varlo::SettingsStore store(varlo::DefaultSettingsPath());
  const std::string programFolder = varlo::ProgramFolder();
  varlo::PlaylistPrefetch startPlaylist;
  {
    bool ownProgram = false;
    const std::vector<std::string> args = ProgramArguments(argc, argv, ownProgram);
    if (ownProgram || !varlo::InstanceSocketPresent(programFolder)) {
      const varlo::AppSettings settings = varlo::ReadAppSettings(store);
      startPlaylist.Start(
          varlo::PlayerMode::StartPlaylist(varlo::CommandLineItems(args), settings, programFolder),
          settings.friendlyNames);
    }
  }
  // Whole scale factors only (1.5 becomes 2), so that every skin pixel is drawn as a whole block
  // of device pixels and the window's shape stays on the skin's pixel grid.
  QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
  varlo::PrepareWebEngine();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("varlo"));
  QApplication::setWindowIcon(varlo::VarloIcon());
  std::setlocale(LC_NUMERIC, "C");  // the media engine starts only in the C number locale

  // The arguments as bytes (QApplication has taken out its own options), so that names
  // that are not UTF-8 stay the files they name. "--new-instance" starts a program of its own
  // even while another runs.
  bool newInstance = false;
  const std::vector<std::string> items =
      varlo::CommandLineItems(ProgramArguments(argc, argv, newInstance));
  // Later starts hand over only to a program the user sees: same display, same program folder.
  const std::string instanceKey = varlo::InstanceKey(varlo::CurrentDisplay(), programFolder);
  const std::string socketPath = varlo::InstanceSocketPath(instanceKey);
  // Every program not started with --new-instance listens on the keyed socket once it shows, so
  // the socket alone finds it; the bus is asked only where no program can listen there.
  if (!newInstance &&
      (varlo::InstanceSocketUsable(socketPath) ? varlo::HandOverBySocket(socketPath, items)
                                               : HandToRunningInstance(items, instanceKey)))
    return 0;

  varlo::InstallMissingFiles(ShippedDataFolder(), programFolder);
  varlo::RemoveStaleProgramTemporaries(programFolder, varlo::DefaultSettingsPath());

  varlo::Program program(store, programFolder, &startPlaylist, instanceKey, socketPath,
                         !newInstance);
  if (!program.Start(items)) return 0;
  return QApplication::exec();
}
