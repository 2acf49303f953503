#pragma once
#include <array>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "cd/cd_audio_device.h"
#include "cd/cd_drive.h"
#include "cd/cd_player.h"
#include "common/app_settings.h"
#include "common/settings_store.h"
#include "desk/calculator.h"
#include "desk/clock_mode.h"
#include "desk/notepad.h"
#include "desk/serial_display.h"
#include "fm/fm_mode.h"
#include "fm/tuner.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/embedded_media.h"
#include "platform/events.h"
#include "platform/http_get.h"
#include "platform/launcher.h"
#include "platform/main_window.h"
#include "platform/pictures.h"
#include "platform/printer.h"
#include "platform/screen.h"
#include "platform/serial_port.h"
#include "platform/stream_player.h"
#include "platform/tray_icon.h"
#include "platform/web_view.h"
#include "player/media_device.h"
#include "player/player_links.h"
#include "player/player_mode.h"
#include "shell/clock_switches.h"
#include "shell/command_routes.h"
#include "shell/input_gate.h"
#include "shell/main_form.h"
#include "shell/mode.h"
#include "shell/settings_host.h"
#include "shell/station_cover.h"
#include "shell/tray_mode.h"
#include "skin/button_state.h"
#include "skin/skin_form.h"
#include "skin/skin_loader.h"
#include "skin/slider_drag.h"
#include "webradio/browser_mode.h"
#include "webradio/web_radio_mode.h"

namespace varlo {

// The platform services the main window is built on. All references outlive the form.
struct ShellServices {
  IScreen& screen;
  IDialogs& dialogs;
  IPictureLoader& pictures;
  IEvents& events;
  IClock& clock;
  IMainWindow& window;
  ILauncher& launcher;
  // The two media devices the player alternates between (units 0 and 1).
  IMediaDevice& unit0;
  IMediaDevice& unit1;
  // The track-information and cover windows.
  SideWindows& sideWindows;
  // The FM tuner card.
  Tuner& tuner;
  // The notification-area icon and the port of the external display.
  ITrayIcon& tray;
  ISerialPort& serial;
  // The printer the notepad prints on.
  IPrinter& printer;
  // The CD drive and the HTTP requests of the disc look-up.
  CdDrive& drive;
  HttpGetter& http;
  // The preferences window and the skin browser.
  SettingsWindows& settingsWindows;
  // The internet-radio player, the browser area and the desktop's handler of web links.
  IStreamPlayer& stream;
  IWebView& web;
  ILinkOpener& links;
  // The pictures and lyrics inside media files.
  IEmbeddedMediaReader& embedded;
};

// The main window's logic. It composes the modes (one member per subsystem), routes command
// codes, timer steps, label, list and slider events to them by the routing table, and keeps
// only the window's own state: its sizes, position, drag, the skin and the settings. The Qt
// view draws `Form()` and forwards user input; user input arriving while other work runs is
// queued until that work ends.
class FrmTarnix : public ISkinHost, private TrayHost, private SettingsHost {
 public:
  // `prefetch`, when given, may hold the start's playlist file, read early (see
  // PlayerMode::StartPlaylist); what Form_Load does not take of it is given up.
  FrmTarnix(ShellServices services, SettingsStore& store, std::string programFolder,
            PlaylistPrefetch* prefetch = nullptr);
  ~FrmTarnix() override;

  // The start of the program. `items` are the items given on the command line, in order; a
  // relative path is taken from the current folder.
  void Form_Load(const std::vector<std::string>& items);
  // The main window is on the screen for the first time: the start's last step, "AutoPlay",
  // runs now, so that whatever playing the first entry says shows over the window. Once.
  void Form_Shown();
  // Runs once whenever the main window closes, however the close was asked for.
  void Form_Unload();
  // Ends the program by closing the main window.
  void Quit();

  // Performs the user command `code`, or queues it while other work of the window runs. An
  // error inside a command ends that command only.
  void DoIt(int code);
  // A typed character; returns true when the window consumed it.
  bool Form_KeyPress(int key);
  // Mouse on the window background, in pixels within the window; button 1 left, 2 right.
  void Form_MouseDown(int button, int x, int y);
  void Form_MouseMove(int button, int x, int y);
  void Form_MouseUp(int button, int x, int y);
  // The window became the active window.
  void Form_Activate();
  // The window system moved the window to (x, y) pixels, by the user or by its placement.
  void Form_Moved(int x, int y);
  // The window system minimised or restored the window.
  void Form_WindowState(bool minimised);
  // The two periodic timers: Timer1 every 100 ms, Timer2 every 200 ms. A tick that comes
  // while other work runs is skipped.
  void Timer1_Timer();
  void Timer2_Timer();
  // Skin buttons: pressed, moved over (with the held mouse button), released; a release
  // over the pressed image releases the button it belongs to.
  void Btn_MouseDown(int i);
  void Btn_MouseMove(int i, HeldButton held);
  void Btn_MouseUp(int i);
  void TmpBtn_MouseUp();
  // Labels and digit displays: a right-button press opens the popup menu at the window
  // point (x, y); a click on a label goes to the mode it belongs to.
  void Lbl_MouseDown(int n, int button, int x, int y);
  void Dig_MouseDown(int n, int button, int x, int y);
  void Lbl_Click(int n);
  // Slider knobs dragged with the left button; (x, y) in window pixels.
  void iSlider_MouseDown(int n, int x, int y);
  void iSlider_MouseMove(int x, int y);
  void iSlider_MouseUp();
  // An event of a list area (row 0-based, or the key code), and files dropped.
  void List_Event(ListArea area, ListAction action, int value);
  void FilesDropped(const std::vector<std::string>& files);
  // Text entry n: the user edited its text, or pressed key `key` (13 Enter, 38 Up, 40 Down)
  // in it; true when the key was swallowed (always while other work runs: it waits).
  void Entry_Changed(int entry, const std::string& text);
  bool Entry_KeyDown(int entry, int key);
  // An address chosen or typed and confirmed in the browser's address box.
  void Combo_Chosen(const std::string& text);
  // A double-click on the cover image.
  void iCover_DblClick();
  // Each command, as it runs; lets a front end or a test follow what runs.
  std::function<void(int)> onCommand;
  // Redraws the digit displays from the current state.
  void FormPaint() override;

  // Whether a text entry of the window has the keyboard focus.
  void SetInFlag(bool focused) { inFlag_ = focused; }
  bool InFlag() const { return inFlag_; }
  int HFlag() const { return hFlag_; }
  int Small() const { return small_; }

  SkinForm& Form() { return form_; }
  const SkinForm& Form() const { return form_; }
  // Puts `mode` into routing slot `slot` (not the window's own): the subsystems' members are
  // plugged in by the constructor, tests plug fakes. The mode must outlive the form.
  void Plug(ModeSlot slot, Mode& mode);
  // The form as the modes reach it.
  MainForm& Access() { return access_; }
  AppSettings& Settings() override { return settings_; }
  // What the preferences and the skin browser reach of the window; their calls must run
  // through Gate().
  SettingsHost& SettingsLink() { return *this; }
  // Command 6: the skin browser when "UseSkinBrowser" is set and the preferences are not
  // open, else the file dialog "Select Skin".
  void SelectSkin() override;
  SkinLoader& Skins() { return *skinLoader_; }
  PlayerMode& Player() { return *player_; }
  FmMode& Fm() { return *fm_; }
  TrayMode& Tray() { return tray_; }
  Calculator& Calc() { return *calculator_; }
  Notepad& Note() { return *notepad_; }
  ClockMode& Clock() { return *clock_; }
  CdPlayer& Cd() { return *cd_; }
  WebRadioMode& WebRadio() { return *webRadio_; }
  BrowserMode& Browser() { return *browser_; }
  std::vector<std::string>& AutoList() override { return autoList_; }
  InputGate& Gate() { return gate_; }
  bool Unloaded() const { return unloaded_; }

  // Twips per pixel of the screen, read at start-up.
  int TwipX() const override { return twipX_; }
  int TwipY() const override { return twipY_; }
  void ShowLights() override;
  // Brings the window into view and to the front, restored from the tray or minimised (a
  // request of the desktop or of a second start).
  void Raise();
  // The command line of a second start, handed over to this one: its items (absolute paths)
  // join the playlist and the window comes into view.
  void OpenHandedItems(const std::vector<std::string>& items);

 private:
  void ResetWindowSizeState() override;

  // TrayHost.
  void TrayCommand(int code) override { DoIt(code); }
  bool CommandAvailable(int code) override;
  void LoadFavouriteSkin(int slot) override;
  void RestoreWindow() override;
  // Shows the window restored and asks the view to bring it to the front.
  void ShowRestored();
  void ApplyOnTop() override;
  void ApplyReplayGain() override;
  void SetTrayPresent(bool present) override { form_.window.trayPresent = present; }
  void ScreenPoint(int& x, int& y) override;
  void ButtonCorner(int code, int& x, int& y) override;
  void PresetFavourites();

  // SettingsHost.
  const std::string& ProgramFolder() const override { return programFolder_; }
  IDialogs& Dialogs() override { return services_.dialogs; }
  void ResetTunerCard() override;
  void ChooseSnoozeMinutes(int minutes) override { clock_->ChooseSnoozeMinutes(minutes); }
  void SetSnoozeEnabled(bool enabled) override { clock_->SetSnoozeEnabled(enabled); }
  void LoadSkinFile(const std::string& path) override { LoadSkin(path, false); }
  void ApplyDisplaySettings() override { titles_.ApplySettings(); }
  std::string SkinInfo() const override { return skinLoader_->State().infoText; }

  // The mode of a routing slot; slots without a subsystem hold a null mode.
  Mode& ModeOf(ModeSlot slot) { return *modes_[static_cast<std::size_t>(slot)]; }
  template <typename Fn>
  void ForEachMode(Fn fn) {
    for (Mode* mode : distinctModes_) fn(*mode);
  }
  // Queues or runs user input; nothing runs once the window is unloaded.
  void UserInput(std::function<void()> input);
  void RunCommand(int code);
  void RunWindowCommand(int code);
  void LoadSkin(const std::string& path, bool firstLoad);
  void PrepareWidgets();
  void SizeWindow(int size);
  void ButtonsAppearance(int key);
  void Timer1Work();
  void Timer2Work();

  ShellServices services_;
  SettingsStore& store_;
  std::string programFolder_;
  PlaylistPrefetch* prefetch_;
  SkinForm form_;
  AppSettings settings_;
  SliderDrag sliderDrag_;
  MainForm access_;
  InputGate gate_;
  std::unique_ptr<SkinLoader> skinLoader_;

  // The external display and the tray, which the player reports to.
  SerialDisplay titles_;
  TrayMode tray_;
  // The CD player's track table, reached by the player's engine.
  DiscTracksRelay discTracks_;
  // The player's second unit, which also plays the disc.
  CdAudioDevice cdUnit_;
  // The modes, and the routing table's view of them.
  std::unique_ptr<PlayerMode> player_;
  std::unique_ptr<CdPlayer> cd_;
  std::unique_ptr<StationCover> stationCover_;
  std::unique_ptr<FmMode> fm_;
  std::unique_ptr<Calculator> calculator_;
  std::unique_ptr<Notepad> notepad_;
  std::unique_ptr<FormPresence> presence_;
  std::unique_ptr<FmRadioSwitch> radioSwitch_;
  std::unique_ptr<PlaylistSwitch> playerSwitch_;
  std::unique_ptr<WebRadioMode> webRadio_;
  std::unique_ptr<WebRadioSwitch> streamSwitch_;
  std::unique_ptr<ClockMode> clock_;
  std::unique_ptr<BrowserMode> browser_;
  NullMode absent_;
  std::array<Mode*, kModeSlots> modes_{};
  std::vector<Mode*> distinctModes_;

  std::vector<std::string> autoList_;  // the weekly on/off schedule entries
  int twipX_ = 15;
  int twipY_ = 15;
  int hFlag_ = 0;
  int small_ = 0;
  std::mt19937 random_;
  bool unloaded_ = false;
  bool autoPlayDue_ = false;  // set by the start until the window shows
  bool skinLoading_ = false;
  bool inFlag_ = false;
  bool placed_ = false;  // the window has a position of its own (stored or moved to)
  int pressedCounter_ = 0;
  ButtonHover hover_;
  int lastSecond_ = -1;
  bool dragFlag_ = false;
  int dragX_ = 0, dragY_ = 0;  // where the drag began, in twips
};

}  // namespace varlo
