#include "ui/program.h"

#include <malloc.h>

#include <QApplication>
#include <QMetaObject>
#include <utility>

#include "platform/fluidsynth/midi_stream.h"
#include "shell/web_radio_session.h"
#include "ui/after_first_paint.h"
#include "ui/quit_signals.h"

namespace varlo {
namespace {

// Hands the engine's events over to the GUI thread, where the device handles them.
void PumpOnGuiThread(MpvMediaDevice& device, QObject* context) {
  device.SetWakeup([&device, context] {
    QMetaObject::invokeMethod(
        context, [&device] { device.ProcessEvents(); }, Qt::QueuedConnection);
  });
}

MpvOptions Unit0Options() {
  MpvOptions options;
  options.protocols.push_back(MidiProtocol());
  return options;
}

MpvOptions Unit1Options(LazyCdDrive& drive) {
  MpvOptions options;
  options.protocols = {MidiProtocol(), drive.Protocol()};
  return options;
}

MpvStreamOptions CaptureOptions() {
  MpvStreamOptions options;
  options.capture = true;
  return options;
}

}  // namespace

void UseOneHeap() {
  mallopt(M_ARENA_MAX, 1);
}

Program::Program(SettingsStore& store, std::string programFolder, PlaylistPrefetch* startPlaylist,
                 std::string instanceKey, std::string socketPath, bool listen)
    : instanceKey_(std::move(instanceKey)),
      socketPath_(std::move(socketPath)),
      listen_(listen),
      drive_(std::nullopt,
             [](std::function<void()> call) {
               QMetaObject::invokeMethod(qApp, std::move(call), Qt::QueuedConnection);
             }),
      unit0_(Unit0Options()),
      unit1_(Unit1Options(drive_)),
      midi0_(unit0_, &MidiMissingText),
      midi1_(unit1_, &MidiMissingText),
      radioCapture_(CaptureOptions()),
      radioAudio_(radioCapture_),
      tuner_(card_, radioAudio_),
      frm_({screen_, dialogs_, pictures_,        events_, clock_, closer_,     launcher_,
            midi0_,  midi1_,   sideWindows_,     tuner_,  tray_,  serial_,     printer_,
            drive_,  http_,    settingsWindows_, stream_, web_,   linkOpener_, embedded_},
           store, programFolder, startPlaylist),
      view_(frm_) {
  sideWindows_.Attach(frm_.Player(), frm_.Gate(), frm_.Settings(), programFolder, &printer_);
  settingsWindows_.Attach(frm_.SettingsLink(), frm_.Gate());
  sideWindows_.SetOwner(&view_);
  sideWindows_.SetMainWindow(frm_.SettingsLink());
  settingsWindows_.SetOwner(&view_);
  web_.SetParent(&view_);
  view_.onBrowserArea = [this](const SkinWidget& area) { web_.Sync(area); };
  PumpOnGuiThread(unit0_, &view_);
  PumpOnGuiThread(unit1_, &view_);
  // While a device waits for a file to open (a damaged one may keep the engine probing for
  // seconds) the window's events go on; user input meanwhile waits in the input gate.
  for (MpvMediaDevice* unit : {&unit0_, &unit1_}) unit->SetWaitPump([this] { events_.DoEvents(); });
  WireVideo();
  // The side windows and the video window close with the main window.
  view_.onClosed = [this] {
    sideWindows_.CloseAll();
    settingsWindows_.CloseAll();
    if (videoWindow_) videoWindow_->hide();
  };
  closer_.SetView(&view_);
  // A quit signal closes the window as command 1 does, through the window's input gate, once
  // any open box or dialog has been ended; none opens after that.
  CloseOnQuitSignals(&view_, [this] {
    dialogs_.EndAll();
    frm_.DoIt(1);
  });
  screen_.SetWindow(&view_);
  dialogs_.SetParent(&view_);
  frm_.Form().onChange = [this](unsigned changes) { view_.OnFormChanged(changes); };

  // The cover window follows the main window's cover while it is open.
  CoverPictures& covers = frm_.Player().Media().Covers();
  auto mainCoverChanged = covers.onChanged;
  covers.onChanged = [this, mainCoverChanged] {
    if (mainCoverChanged) mainCoverChanged();
    sideWindows_.CoverChanged();
  };
}

Program::~Program() {
  // The engines' events have nowhere to go once the program ends.
  unit0_.SetWakeup({});
  unit1_.SetWakeup({});
}

void Program::WireVideo() {
  // Video plays in the skin's video area, or else in a window of the program's own, which shows
  // while a device plays video.
  videoWindow_ = std::make_unique<VideoWindow>(&view_);
  // Until a skin names its video area, video goes to the program's window, whose native window
  // is made only when an engine starts.
  for (MpvMediaDevice* unit : {&unit0_, &unit1_})
    unit->SetDefaultDisplayWindow([this] { return videoWindow_->NativeId(); });
  view_.onVideoWindow = [this](std::uint64_t windowId) {
    skinHasVideo_ = windowId != 0;
    const std::uint64_t target = skinHasVideo_ ? windowId : videoWindow_->NativeId();
    unit0_.SetDisplayWindow(target);
    unit1_.SetDisplayWindow(target);
    if (skinHasVideo_) videoWindow_->hide();
  };
  for (std::size_t i = 0; i < playsVideo_.size(); ++i) {
    MpvMediaDevice* unit = i == 0 ? &unit0_ : &unit1_;
    unit->SetVideoCallback([this, i, unit](bool video, int width, int height) {
      playsVideo_[i] = video;
      if (video && !skinHasVideo_)
        videoWindow_->ShowVideo(unit->FileName(), width, height, [unit] { unit->ReloadVideo(); });
      else if (!playsVideo_[0] && !playsVideo_[1])
        videoWindow_->hide();
    });
  }
}

bool Program::Start(const std::vector<std::string>& items) {
  frm_.Form_Load(items);
  // A quit signal during the start (a box of its own open) has closed the window already.
  if (frm_.Unloaded()) return false;
  view_.OnFormChanged(kChangeAll);
  // The desktop's media controls, and the door for later starts' command lines.
  session_ = std::make_unique<MediaSession>(frm_);
  session_->SetExternalSource(
      [this] { return WebRadioPlaying(stream_.Status(), frm_.WebRadio().WRCurrent()); });
  mpris_ = std::make_unique<MprisService>(*session_, QDBusConnection::sessionBus());
  mpris_->SetInstanceKey(instanceKey_);
  const auto handedOver = [this](const std::vector<std::string>& handed) {
    if (handed.empty())
      frm_.Raise();
    else
      frm_.OpenHandedItems(handed);
  };
  mpris_->onItemsHandedOver = handedOver;
  // Later starts come through the local socket, or over the bus where it cannot be made.
  instanceSocket_ = std::make_unique<InstanceSocketServer>(socketPath_, handedOver);
  // Both doors open once the window is on the screen: a start is not kept waiting for the bus.
  AfterFirstPaint(&view_, 1000, [this] {
    mpris_->Register();
    if (listen_) instanceSocket_->Listen();
  });
  if (frm_.Form().window.minimised)
    view_.showMinimized();
  else
    view_.show();
  // The media engine starts once the window is up, so the first "play" finds it (nearly) ready.
  // The second device, used only for overlapping tracks, starts when it first opens a file.
  // "AutoPlay" plays then too: what the first entry has to say shows over the window, never
  // before it.
  AfterFirstPaint(&view_, 1000, [this] {
    unit0_.StartInBackground();
    frm_.Form_Shown();
  });
  return true;
}

}  // namespace varlo
