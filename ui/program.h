#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/settings_store.h"
#include "fm/captured_tuner.h"
#include "platform/cdio/lazy_cd_drive.h"
#include "platform/halvern/halvern_tuner.h"
#include "platform/mpv/mpv_media_device.h"
#include "platform/mpv/mpv_stream_player.h"
#include "platform/qt/lazy_http_getter.h"
#include "platform/qt/lazy_printer.h"
#include "platform/qt/lazy_serial_port.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_embedded_media_reader.h"
#include "platform/qt/qt_events.h"
#include "platform/qt/qt_launcher.h"
#include "platform/qt/qt_link_opener.h"
#include "platform/qt/qt_picture_loader.h"
#include "platform/qt/qt_screen.h"
#include "player/midi_media_device.h"
#include "player/playlist_prefetch.h"
#include "shell/frm_tarnix.h"
#include "shell/media_session.h"
#include "ui/instance_socket.h"
#include "ui/main_window_view.h"
#include "ui/mpris_service.h"
#include "ui/settings_windows_view.h"
#include "ui/side_windows_view.h"
#include "ui/tray_view.h"
#include "ui/video_window.h"
#include "ui/web_browser_view.h"

namespace varlo {

// Lets every thread allocate from the one heap. The media engines start threads of their own
// for every file they open, each taking some megabytes for a moment; with a heap per thread,
// the allocator kept them in ten-megabyte steps for good (30-40 MB over a few hundred short
// tracks). Called first thing in main(), before any thread starts.
void UseOneHeap();

// The varlo program once the application object exists: the platform services, the main
// window's logic and its view, the side windows, the desktop's media controls and the door for
// later starts, wired together. main() builds one; so can a test that runs the whole program
// in its own process. Lives on the GUI thread; the application object must outlive it.
class Program {
 public:
  // `store` must outlive the program; `startPlaylist`, when given, may hold the start's
  // playlist read early. Later starts with the same `instanceKey` find this one on the socket
  // `socketPath`, on which it listens once it shows unless `listen` is false.
  Program(SettingsStore& store, std::string programFolder, PlaylistPrefetch* startPlaylist,
          std::string instanceKey, std::string socketPath, bool listen);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Loads the main window with the command line's `items` and shows it; the media engine, the
  // bus and the socket start once it is painted. False when a quit signal during the load has
  // closed the window already.
  bool Start(const std::vector<std::string>& items);

  FrmTarnix& Frm() { return frm_; }
  MainWindowView& View() { return view_; }
  // Present once Start has run.
  MprisService* Mpris() { return mpris_.get(); }

 private:
  void WireVideo();

  std::string instanceKey_;
  std::string socketPath_;
  bool listen_;

  QtScreen screen_;
  QtDialogs dialogs_;
  QtPictureLoader pictures_;
  // Covers and lyrics inside media files, read on a thread of its own.
  QtEmbeddedMediaReader embedded_;
  QtEvents events_;
  QtClock clock_;
  QtLauncher launcher_;
  ViewCloser closer_;
  // Declared before the devices so that it is destroyed after them: until a device is
  // destroyed its engine may still draw into the window.
  std::unique_ptr<VideoWindow> videoWindow_;
  // The CD drive (or $VARLO_CDROM's image), loaded when CD mode first asks for it: the second
  // device plays the disc through its stream.
  LazyCdDrive drive_;
  // Both devices play MIDI files rendered by the synthesiser; the second also plays the disc.
  MpvMediaDevice unit0_, unit1_;
  MidiMediaDevice midi0_, midi1_;

  SideWindowsView sideWindows_;
  // A USB FM receiver's sound arrives on a capture device, played on an engine of its own
  // while the radio is on.
  HalvernTuner card_;
  MpvStreamPlayer radioCapture_;
  StreamRadioAudio radioAudio_;
  CapturedTuner tuner_;
  // Printing, the serial port and HTTP load their libraries on first use.
  LazyHttpGetter http_;
  LazyPrinter printer_;
  // Internet radio plays on an engine of its own; the browser's web engine starts only when a
  // skin first shows the browser.
  MpvStreamPlayer stream_;
  WebBrowserView web_;
  QtLinkOpener linkOpener_;
  TrayView tray_;
  LazySerialPort serial_;
  SettingsWindowsView settingsWindows_;
  FrmTarnix frm_;
  MainWindowView view_;
  bool skinHasVideo_ = false;
  // With overlapping tracks both devices play for a moment: the window shows while either has
  // video.
  std::array<bool, 2> playsVideo_{};

  // Made once the form is loaded.
  std::unique_ptr<MediaSession> session_;
  std::unique_ptr<MprisService> mpris_;
  std::unique_ptr<InstanceSocketServer> instanceSocket_;
};

}  // namespace varlo
