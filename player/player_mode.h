#pragma once
#include <functional>
#include <string>
#include <vector>

#include "common/app_settings.h"
#include "common/settings_store.h"
#include "platform/clock.h"
#include "platform/embedded_media.h"
#include "platform/events.h"
#include "platform/launcher.h"
#include "platform/pictures.h"
#include "player/desktop_mixer.h"
#include "player/media_device.h"
#include "player/media_info.h"
#include "player/playback_engine.h"
#include "player/player_links.h"
#include "player/player_state.h"
#include "player/playlist.h"
#include "player/playlist_actions.h"
#include "player/quick_find.h"
#include "player/track_info_form.h"
#include "shell/mode.h"
#include "skin/form_access.h"
#include "skin/scroll_name.h"

namespace varlo {

// The platform services the player plays and shows through.
struct PlayerServices {
  // The two media devices the player alternates between (units 0 and 1).
  IMediaDevice& unit0;
  IMediaDevice& unit1;
  const IClock& clock;
  IEvents& events;
  IPictureLoader& pictures;
  ILauncher& launcher;
  // The pictures and lyrics inside media files.
  IEmbeddedMediaReader& embedded;
};

// The subsystems around the player it reports to.
struct PlayerModeLinks {
  TitleDisplay& titles;
  TrayTip& tray;
  DiscTracks& disc;
  SideWindows& sideWindows;
};

// The media player as a mode of the main window: its state, the playlist, the playback
// engine, what it shows about the entry playing and the track-information window's logic.
// Commands 7-12, 14-37, 39 and 150, labels 1 and 2, the playlist and lyric lists, dropped
// files and sliders 1-3 come here.
class PlayerMode final : public Mode, private PlaylistHost {
 public:
  // `prefetch`, when given, holds the playlist file a start began to read early.
  PlayerMode(FormAccess& form, AppSettings& settings, SettingsStore& store,
             std::string programFolder, PlayerServices services, PlayerModeLinks links,
             PlaylistPrefetch* prefetch = nullptr);
  ~PlayerMode() override;

  // Start-up: the player mode the settings ask for, the output level kept from the last
  // session, and what the playlist starts with (`items` are those given to the program,
  // already absolute paths, in order).
  void ChooseStartMode();
  void InitVolumeAndBalance();
  void StartWith(const std::vector<std::string>& items);
  // The playlist file StartWith(items) reads first with `settings`: the first playlist among the
  // items, or without items the start file of "StartMd=2" or with "StartMd=1" the last
  // session's; empty for none. A start
  // may begin reading it early (PlaylistPrefetch).
  static std::string StartPlaylist(const std::vector<std::string>& items,
                                   const AppSettings& settings, const std::string& programFolder);
  void AutoPlay();

  // The playlist and cover of the last session ("playlist.m3u", "LastTrack", "LastCover").
  void RestoreLastState();
  void SaveLastState();

  void Release() override;
  void SaveState() override;
  void DoIt(int code) override;
  void Timer1Step() override;
  void Timer2Step() override;
  void Paint() override;
  void LabelClicked(int label) override;
  void ListEvent(ListArea area, ListAction action, int value) override;
  void FilesDropped(const std::vector<std::string>& files) override;
  void SliderMoved(int slider, double value) override;
  void SliderReleased(int slider) override;

  // Plays playlist entry `index` (0-based), as quick find does.
  void PlayEntry(int index);
  // Replaces the playlist by the playlist file `path` and plays it; appends the file `path`
  // to the playlist and plays it (the visual selector's load and its contents list).
  void LoadAndPlay(const std::string& path);
  void AppendAndPlay(const std::string& path);
  // Adds the items a second start of the program handed over (files, folders or playlists, as
  // on the command line) and, with "AutoPlay" on, plays the first entry they added.
  void OpenHandedItems(const std::vector<std::string>& items);
  AppSettings& Settings() { return settings_; }
  // The quick-find window's logic.
  QuickFind& Finder() { return finder_; }
  // While `taken` holds another mode shows its own text on the song name display.
  void YieldNameDisplayWhile(std::function<bool()> taken) { nameTaken_ = std::move(taken); }

  // A double-click on the cover asks for a picture to show.
  void iCover_DblClick() { media_.iCover_DblClick(); }

  PlayerState& State() { return state_; }
  const PlayerState& State() const { return state_; }
  Playlist& List() { return list_; }
  PlaylistActions& Playlists() { return playlists_; }
  PlaybackEngine& Engine() { return engine_; }
  MediaInfo& Media() { return media_; }
  TrackInfoForm& TrackInfo() { return trackInfo_; }

 private:
  // PlaylistHost.
  void LoadCover(const std::string& path) override { media_.LoadCover(path); }
  void ClearCover() override { media_.ClearCover(); }
  void PlayIt() override { engine_.PlayIt(); }
  void StorePath(const std::string& folder) override;

  void ToggleMediaMode();
  void ShowTrackInfo();
  void SaveVolume();
  void AddToPlaylist(const std::string& name, const std::string& path, const std::string& title);
  // Adds command-line items one by one, as a drop of several files does.
  void AddCommandLineItems(const std::vector<std::string>& items);

  FormAccess& form_;
  AppSettings& settings_;
  SettingsStore& store_;
  std::string programFolder_;
  PlayerServices services_;
  PlayerModeLinks links_;
  PlayerState state_;
  Playlist list_;
  DesktopMixer mixer_;
  MediaInfo media_;
  PlaybackEngine engine_;
  PlaylistActions playlists_;
  TrackInfoForm trackInfo_;
  ScrollName scrollName_;
  std::function<bool()> nameTaken_;
  QuickFind finder_;
};

}  // namespace varlo
