#pragma once
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "common/app_settings.h"
#include "common/settings_store.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/launcher.h"
#include "platform/main_window.h"
#include "platform/pictures.h"
#include "platform/screen.h"
#include "player/id3v1_tag.h"
#include "player/lyric_follower.h"
#include "player/media_device.h"
#include "player/playback_engine.h"
#include "player/player_state.h"
#include "player/playlist.h"
#include "player/playlist_actions.h"
#include "shell/now_playing_views.h"
#include "shell/track_info_form.h"
#include "skin/button_state.h"
#include "skin/digit_display.h"
#include "skin/skin_form.h"
#include "skin/skin_loader.h"
#include "skin/slider_drag.h"

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
};

// The main window's logic: it composes the subsystems, reads the settings at start and
// writes them back at the end. The Qt view draws `Form()` and forwards user input.
class FrmTarnix : public ISkinHost {
 public:
  FrmTarnix(ShellServices services, SettingsStore& store, std::string programFolder);
  ~FrmTarnix() override;

  // The start of the program. `commandLine` is the item given on the command line, if any.
  void Form_Load(const std::string& commandLine);
  // Runs once whenever the main window closes, however the close was asked for.
  void Form_Unload();
  // Ends the program by closing the main window.
  void Quit();

  void SaveLastState();
  void RestoreLastState();

  // Performs the user command `code`. An error inside a command ends that command only.
  void DoIt(int code);
  // A typed character; returns true when the window consumed it.
  bool Form_KeyPress(int key);
  // Mouse on the window background, in pixels within the window; button 1 left, 2 right.
  void Form_MouseDown(int button, int x, int y);
  void Form_MouseMove(int button, int x, int y);
  void Form_MouseUp(int button, int x, int y);
  // The window became the active window.
  void Form_Activate();
  // The two periodic timers: Timer1 every 100 ms, Timer2 every 200 ms.
  void Timer1_Timer();
  void Timer2_Timer();
  // Skin buttons: pressed, moved over (with the held mouse button), released; a release
  // over the pressed image releases the button it belongs to.
  void Btn_MouseDown(int i);
  void Btn_MouseMove(int i, HeldButton held);
  void Btn_MouseUp(int i);
  void TmpBtn_MouseUp();
  // Labels and digit displays: a right-button press opens the popup menu at the window
  // point (x, y); a click on a label does what its number says.
  void Lbl_MouseDown(int n, int button, int x, int y);
  void Dig_MouseDown(int n, int button, int x, int y);
  void Lbl_Click(int n);
  // Slider knobs dragged with the left button; (x, y) in window pixels.
  void iSlider_MouseDown(int n, int x, int y);
  void iSlider_MouseMove(int x, int y);
  void iSlider_MouseUp();
  // Store mode: the next preset or link button stores instead of recalls.
  bool MemFlag() const { return memFlag_; }
  bool MemWRFlag() const { return memWRFlag_; }
  // Each command, as DoIt receives it; lets a front end or a test follow what runs.
  std::function<void(int)> onCommand;
  // Shows a number, time or text on digit display n.
  void SetDD(int n, const DigitValue& value);
  // Redraws the digit displays from the current state.
  void FormPaint() override;

  // Starts the pressed-image counter (the pointer went onto a button with the right button
  // held); Timer2 hides the pressed image a few seconds later.
  void StartPressedImageCounter() { pressedCounter_ = 1; }
  // Whether a text entry of the window has the keyboard focus.
  void SetInFlag(bool focused) { inFlag_ = focused; }
  bool InFlag() const { return inFlag_; }
  int HFlag() const { return hFlag_; }
  int Small() const { return small_; }

  SkinForm& Form() { return form_; }
  const SkinForm& Form() const { return form_; }
  AppSettings& Settings() { return settings_; }
  PlayerState& Player() { return player_; }
  SkinLoader& Skins() { return *skinLoader_; }
  Playlist& PlaylistModel() { return playlist_; }
  PlaylistActions& Playlists() { return *playlistActions_; }
  PlaybackEngine& Engine() { return *engine_; }
  std::vector<std::string>& AutoList() { return autoList_; }
  // The tag of the MPEG entry playing, the cover pictures, the lyric list.
  const TagRecord& Tag() const { return tag_; }
  CoverPictures& Covers() { return covers_; }
  LyricList& LyricsModel() { return lyricList_; }
  TrackInfoForm& TrackInfo() { return *trackInfo_; }
  // The front end shows the track-information window and the cover window on these.
  std::function<void()> onShowTrackInfo;
  std::function<void()> onShowCoverWindow;

  // Reads the stream header and tag of an MPEG audio file into labels 10-12 and the tag.
  void GetMP3Info(const std::string& path);
  // Shows the picture `path` (a file, or a base name tried as .BMP, .GIF, .JPG) as the cover.
  void LoadCover(const std::string& path);
  // Shows the cover found for a tagged file's artist and album, or a fallback.
  void LoadTagCover(const std::string& folder, const std::string& artist, const std::string& album);
  // Lists the lyric file `path` and starts following it.
  void LoadLyrics(const std::string& path);
  // Follows the lyrics on the position tick.
  void PlayLyrics();
  // A double-click on lyric row `row` (0-based) plays from its time.
  void Lyrics_DblClick(int row);
  // A double-click on the cover asks for a picture to show.
  void iCover_DblClick();
  std::int32_t FMFreq() const { return fmFreq_; }
  const std::array<std::string, 10>& RadioURLs() const { return radioURL_; }
  bool Unloaded() const { return unloaded_; }

  // Twips per pixel of the screen, read at start-up.
  int TwipX() const override { return twipX_; }
  int TwipY() const override { return twipY_; }
  void ShowLights() override;

 private:
  void ResetWindowSizeState() override;

  void PrepareWidgets();
  PlaylistHooks MakePlaylistHooks();
  PlaybackHooks MakePlaybackHooks();
  // Starts the desktop's volume mixer, the first one found on the search path.
  void StartMixer();
  // Opens `path` as the playlist's next item: a file, a folder tree or a playlist file.
  void AddToPlaylist(const std::string& name, const std::string& path, const std::string& title);
  void ChooseStartMode();
  void RunCommand(int code);
  void SizeWindow(int size);
  void ToggleMediaMode();
  void ButtonsAppearance(int key);

  // The player's transport, volume and position tick, carried out by the playback engine.
  void PlayIt();
  void StopIt();
  void PauseIt();
  void PlayPause();
  void PrevTrack();
  void NextTrack();
  void Reverse();
  void Forward();
  void JumpTo();
  void UpdatePosition();
  void PlayFromFraction(double fraction);
  void VolStep(int percent);
  void ToggleMute();
  void ShowMixer();
  void ApplyVolume(double level);
  void SetBalance(double balance);
  double WaveVolume() const;
  void InitVolumeAndBalance();
  void SaveVolume();
  void CloseMediaDevices();

  void ClearInf();
  // Sets a label's caption; a change repaints the captions only.
  void SetCaption(int label, const std::string& caption);
  void ApplyLyricChange(const LyricChange& change);

  // Procedures of subsystems that are not part of the program yet; each does nothing.
  void ExDevOut(const std::string& text);
  void LoadStationList();
  void LoadWebRadioList();
  void SetTunerCard(int cardType, int cardPort);
  void radio_on();
  void radio_off();
  int get_volume();
  void FMFindStation();
  void LoadConversionFile(const std::string& path);
  void MakeDayStr();
  void TimerFn(int fn);
  void LoadTrayIcon();
  void UnloadTrayIcon();
  bool SerialIsOpen() const;
  void SerialClose();
  void WriteURLList();

  // Work of the timers that belongs to subsystems the program does not contain yet.
  void FMStatusUpdate();
  void CDPositionUpdate();
  bool InWebRadioMode() const;
  void WRUpdate();
  void ScrollNameStep();
  void PaintModeDisplays();
  void EditTimerTable(int label);
  void SliderValueChanged(int n, double value);
  void ShowStorePointer();
  void FMSetFreq();
  void MinuteWork();
  void ShowTimerDisplay();

  // Commands of subsystems the program does not contain yet; each does nothing.
  void ShowPrefs();
  void SelectSkin();
  void CDEject();
  void ShowTrackInfo();
  void ShowCoverWindow();
  void ShowVisSelect();
  void ShowMenu(int x, int y);
  void AddDigit(char digit);
  void CalcKey(int key);
  void CvtLoadWithDialog();
  void NoteLoad();
  void NoteSave();
  void NoteClear();
  void NotePrint();
  void FMSetScan(int direction);
  void FMTuneStep(int direction);
  void FMPrevPreset();
  void FMNextPreset();
  void FMAddPreset();
  void FMRemovePreset();
  void FMMovePreset(int step);
  void FMStorePreset();
  void FMPresetButton(int index);
  void BrowserCommand(int command);
  void WebLinkButton(int index);
  void WRQuickURL(int index);
  void WRStepPreset(int step);
  void WRAddStation();
  void WRDelStation();
  void WRMoveStation(int step);
  void WRPlay(const std::string& address);
  void WRStop();
  void ShowQuickFind();
  void WebLink(const std::string& address);
  void FMJump(double number);
  void TimerFnCommand(int fn);

  ShellServices services_;
  SettingsStore& store_;
  std::string programFolder_;
  SkinForm form_;
  AppSettings settings_;
  PlayerState player_;
  std::unique_ptr<SkinLoader> skinLoader_;
  Playlist playlist_;
  std::vector<std::string> autoList_;  // the weekly on/off schedule entries
  std::unique_ptr<PlaylistActions> playlistActions_;
  std::unique_ptr<PlaybackEngine> engine_;
  TagRecord tag_;
  CoverPictures covers_;
  LyricList lyricList_;
  LyricFollower lyricFollower_;
  std::unique_ptr<TrackInfoForm> trackInfo_;

  int twipX_ = 15;
  int twipY_ = 15;
  int hFlag_ = 0;
  int small_ = 0;
  std::int32_t fmFreq_ = 870;
  std::array<std::string, 10> radioURL_{};
  std::mt19937 random_;
  bool unloaded_ = false;
  bool inFlag_ = false;
  int pressedCounter_ = 0;
  ButtonHover hover_;
  SliderDrag sliderDrag_;
  bool memFlag_ = false;
  bool memWRFlag_ = false;
  int lastSecond_ = -1;
  bool dragFlag_ = false;
  int dragX_ = 0, dragY_ = 0;  // where the drag began, in twips
};

}  // namespace varlo
