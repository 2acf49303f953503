// The varlo program: builds the platform services, the main window's logic and its view.
#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDir>
#include <QMetaObject>
#include <array>
#include <clocale>
#include <cstdlib>
#include <memory>
#include <optional>

#include "common/app_settings.h"
#include "common/command_line_items.h"
#include "common/paths.h"
#include "common/program_folder.h"
#include "common/settings_store.h"
#include "fm/captured_tuner.h"
#include "platform/cdio/lazy_cd_drive.h"
#include "platform/fluidsynth/midi_stream.h"
#include "platform/halvern/halvern_tuner.h"
#include "platform/mpv/mpv_media_device.h"
#include "platform/mpv/mpv_stream_player.h"
#include "platform/qt/lazy_http_getter.h"
#include "platform/qt/lazy_printer.h"
#include "platform/qt/lazy_serial_port.h"
#include "platform/qt/path_text.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_embedded_media_reader.h"
#include "platform/qt/qt_events.h"
#include "platform/qt/qt_launcher.h"
#include "platform/qt/qt_link_opener.h"
#include "platform/qt/qt_picture_loader.h"
#include "platform/qt/qt_screen.h"
#include "player/midi_media_device.h"
#include "player/player_mode.h"
#include "player/playlist_prefetch.h"
#include "shell/frm_tarnix.h"
#include "shell/media_session.h"
#include "shell/web_radio_session.h"
#include "ui/after_first_paint.h"
#include "ui/app_icon.h"
#include "ui/font_warmup.h"
#include "ui/instance_socket.h"
#include "ui/main_window_view.h"
#include "ui/mpris_service.h"
#include "ui/quit_signals.h"
#include "ui/settings_windows_view.h"
#include "ui/side_windows_view.h"
#include "ui/tray_view.h"
#include "ui/video_window.h"
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

// Hands the engine's events over to the GUI thread, where the device handles them.
void PumpOnGuiThread(varlo::MpvMediaDevice& device, QObject* context) {
  device.SetWakeup([&device, context] {
    QMetaObject::invokeMethod(
        context, [&device] { device.ProcessEvents(); }, Qt::QueuedConnection);
  });
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

  varlo::QtScreen screen;
  varlo::QtDialogs dialogs;
  varlo::QtPictureLoader pictures;
  // Covers and lyrics inside media files, read on a thread of its own.
  varlo::QtEmbeddedMediaReader embedded;
  varlo::QtEvents events;
  varlo::QtClock clock;
  varlo::QtLauncher launcher;
  varlo::ViewCloser closer;
  // Declared before the devices so that it is destroyed after them: until a device is
  // destroyed its engine may still draw into the window.
  std::unique_ptr<varlo::VideoWindow> videoWindow;
  // The CD drive (or $VARLO_CDROM's image), loaded when CD mode first asks for it: the second
  // device plays the disc through its stream.
  varlo::LazyCdDrive drive(std::nullopt, [](std::function<void()> call) {
    QMetaObject::invokeMethod(qApp, std::move(call), Qt::QueuedConnection);
  });
  // Both devices play MIDI files rendered by the synthesiser; the second also plays the disc.
  varlo::MpvOptions unit0Options, unit1Options;
  unit0Options.protocols.push_back(varlo::MidiProtocol());
  unit1Options.protocols = {varlo::MidiProtocol(), drive.Protocol()};
  varlo::MpvMediaDevice unit0(unit0Options), unit1(unit1Options);
  varlo::MidiMediaDevice midi0(unit0, &varlo::MidiMissingText),
      midi1(unit1, &varlo::MidiMissingText);

  varlo::SideWindowsView sideWindows;
  // A USB FM receiver's sound arrives on a capture device, played on an engine of its own
  // while the radio is on.
  varlo::HalvernTuner card;
  varlo::MpvStreamOptions captureOptions;
  captureOptions.capture = true;
  varlo::MpvStreamPlayer radioCapture(captureOptions);
  varlo::StreamRadioAudio radioAudio(radioCapture);
  varlo::CapturedTuner tuner(card, radioAudio);
  // Printing, the serial port and HTTP load their libraries on first use.
  varlo::LazyHttpGetter http;
  varlo::LazyPrinter printer;
  // Internet radio plays on an engine of its own; the browser's web engine starts only when a
  // skin first shows the browser.
  varlo::MpvStreamPlayer stream;
  varlo::WebBrowserView web;
  varlo::QtLinkOpener linkOpener;
  varlo::TrayView tray;
  varlo::LazySerialPort serial;
  varlo::SettingsWindowsView settingsWindows;
  varlo::FrmTarnix frm({screen, dialogs, pictures,        events, clock, closer,     launcher,
                        midi0,  midi1,   sideWindows,     tuner,  tray,  serial,     printer,
                        drive,  http,    settingsWindows, stream, web,   linkOpener, embedded},
                       store, programFolder, &startPlaylist);
  sideWindows.Attach(frm.Player(), frm.Gate(), frm.Settings(), programFolder, &printer);
  settingsWindows.Attach(frm.SettingsLink(), frm.Gate());
  varlo::MainWindowView view(frm);
  sideWindows.SetOwner(&view);
  sideWindows.SetMainWindow(frm.SettingsLink());
  settingsWindows.SetOwner(&view);
  web.SetParent(&view);
  view.onBrowserArea = [&web](const varlo::SkinWidget& area) { web.Sync(area); };
  PumpOnGuiThread(unit0, &view);
  PumpOnGuiThread(unit1, &view);
  // While a device waits for a file to open (a damaged one may keep the engine probing for
  // seconds) the window's events go on; user input meanwhile waits in the input gate.
  for (varlo::MpvMediaDevice* unit : {&unit0, &unit1})
    unit->SetWaitPump([&events] { events.DoEvents(); });
  // Video plays in the skin's video area, or else in a window of the program's own, which shows
  // while a device plays video.
  videoWindow = std::make_unique<varlo::VideoWindow>(&view);
  // Until a skin names its video area, video goes to the program's window, whose native window
  // is made only when an engine starts.
  for (varlo::MpvMediaDevice* unit : {&unit0, &unit1})
    unit->SetDefaultDisplayWindow([&videoWindow] { return videoWindow->NativeId(); });
  bool skinHasVideo = false;
  view.onVideoWindow = [&](std::uint64_t windowId) {
    skinHasVideo = windowId != 0;
    const std::uint64_t target = skinHasVideo ? windowId : videoWindow->NativeId();
    unit0.SetDisplayWindow(target);
    unit1.SetDisplayWindow(target);
    if (skinHasVideo) videoWindow->hide();
  };
  // With overlapping tracks both devices play for a moment: the window shows while either has
  // video.
  std::array<bool, 2> playsVideo{};
  for (std::size_t i = 0; i < playsVideo.size(); ++i) {
    varlo::MpvMediaDevice* unit = i == 0 ? &unit0 : &unit1;
    unit->SetVideoCallback([&, i, unit](bool video, int width, int height) {
      playsVideo[i] = video;
      if (video && !skinHasVideo)
        videoWindow->ShowVideo(unit->FileName(), width, height, [unit] { unit->ReloadVideo(); });
      else if (!playsVideo[0] && !playsVideo[1])
        videoWindow->hide();
    });
  }
  // The side windows and the video window close with the main window.
  view.onClosed = [&sideWindows, &settingsWindows, &videoWindow] {
    sideWindows.CloseAll();
    settingsWindows.CloseAll();
    if (videoWindow) videoWindow->hide();
  };
  closer.SetView(&view);
  // A quit signal closes the window as command 1 does, through the window's input gate, once
  // any open box or dialog has been ended; none opens after that.
  varlo::CloseOnQuitSignals(&view, [&frm, &dialogs] {
    dialogs.EndAll();
    frm.DoIt(1);
  });
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

  frm.Form_Load(items);
  // A quit signal during the start (a box of its own open) has closed the window already.
  if (frm.Unloaded()) {
    unit0.SetWakeup({});
    unit1.SetWakeup({});
    return 0;
  }
  view.OnFormChanged(varlo::kChangeAll);
  // The desktop's media controls, and the door for later starts' command lines.
  varlo::MediaSession session(frm);
  session.SetExternalSource(
      [&] { return varlo::WebRadioPlaying(stream.Status(), frm.WebRadio().WRCurrent()); });
  varlo::MprisService mpris(session, QDBusConnection::sessionBus());
  mpris.SetInstanceKey(instanceKey);
  mpris.onItemsHandedOver = [&frm](const std::vector<std::string>& handed) {
    if (handed.empty())
      frm.Raise();
    else
      frm.OpenHandedItems(handed);
  };
  // Later starts come through the local socket, or over the bus where it cannot be made.
  varlo::InstanceSocketServer instanceSocket(socketPath,
                                             [&frm](const std::vector<std::string>& handed) {
                                               if (handed.empty())
                                                 frm.Raise();
                                               else
                                                 frm.OpenHandedItems(handed);
                                             });
  // Both doors open once the window is on the screen: a start is not kept waiting for the bus.
  varlo::AfterFirstPaint(&view, 1000, [&] {
    mpris.Register();
    if (!newInstance) instanceSocket.Listen();
  });
  // The media engine starts once the window is up, so the first "play" finds it (nearly) ready.
  // The second device, used only for overlapping tracks, starts when it first opens a file.
  // "AutoPlay" plays then too: what the first entry has to say shows over the window, never
  // before it.
  varlo::AfterFirstPaint(&view, 1000, [&unit0, &frm] {
    unit0.StartInBackground();
    frm.Form_Shown();
  });
  if (frm.Form().window.minimised)
    view.showMinimized();
  else
    view.show();
  const int status = QApplication::exec();
  unit0.SetWakeup({});
  unit1.SetWakeup({});
  return status;
}
