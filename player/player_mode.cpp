#include "player/player_mode.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "common/numtext.h"
#include "common/paths.h"
#include "player/display_name.h"
#include "player/player_lights.h"
#include "player/playlist_file.h"

namespace varlo {
namespace {
// The output level is kept between sessions in thousandths, since our devices own it.
constexpr const char* kLevelKey = "WaveVolume";
constexpr int kNameDigits = 6;

std::string LastPlaylistPath(const std::string& programFolder) {
  return AddSlash(programFolder) + "playlist.m3u";
}
}  // namespace

PlayerMode::PlayerMode(FormAccess& form, AppSettings& settings, SettingsStore& store,
                       std::string programFolder, PlayerServices services, PlayerModeLinks links,
                       PlaylistPrefetch* prefetch)
    : form_(form),
      settings_(settings),
      store_(store),
      programFolder_(std::move(programFolder)),
      services_(services),
      links_(links),
      mixer_(services.launcher, form.Dialogs()),
      media_(form, state_, settings, services.pictures, services.embedded, links.sideWindows,
             programFolder_),
      engine_(state_, list_, settings, services.unit0, services.unit1, services.clock, form,
              PlayerLinks{media_, links.titles, links.tray, links.disc, mixer_}),
      playlists_(list_, state_, settings, form, services.events, programFolder_, *this, prefetch),
      trackInfo_(media_.Tag(), media_.Stream(), state_, settings, form.Dialogs(), programFolder_) {}

PlayerMode::~PlayerMode() = default;

void PlayerMode::ChooseStartMode() {
  state_.tNum = 1;
  state_.playing = state_.paused = state_.repeat = state_.intro = false;
  switch (settings_.startPMd) {
    case 0:
      state_.cdMode = settings_.lastPMd != 0;
      break;
    case 2:
      state_.cdMode = true;
      break;
    default:
      state_.cdMode = false;
      break;
  }
  if (state_.cdMode) state_.playUnit = PlayUnit::CD;
}

void PlayerMode::InitVolumeAndBalance() {
  const int thousandths = ReadSettingNum(store_, kLevelKey, "1000");
  state_.volume = std::clamp(thousandths, 0, 1000) / 1000.0;
  state_.balance = 0.5;
  engine_.ApplyVolume();
  engine_.ApplyReplayGain();
  form_.PlaceSlider(2, state_.volume);
  form_.PlaceSlider(3, 0.5);
}

void PlayerMode::AddToPlaylist(const std::string& name, const std::string& path,
                               const std::string& title) {
  playlists_.Add() = {name, path, title};
  playlists_.AddToPlaylist();
}

void PlayerMode::AddCommandLineItems(const std::vector<std::string>& items) {
  const Playlist::Batch batch(list_);
  for (const std::string& item : items)
    if (!item.empty())
      AddToPlaylist("Commandline", item, DisplayName(item, settings_.friendlyNames));
}

void PlayerMode::StartWith(const std::vector<std::string>& items) {
  if (!items.empty()) {
    AddCommandLineItems(items);
    state_.tNum = 1;
  } else if (settings_.startMd == 1) {
    RestoreLastState();
  } else if (settings_.startMd == 2) {
    AddToPlaylist(settings_.startFile, settings_.startFile, "");
  }
}

std::string PlayerMode::StartPlaylist(const std::vector<std::string>& items,
                                      const AppSettings& settings,
                                      const std::string& programFolder) {
  for (const std::string& item : items)
    if (PlaylistFormatOf(item) != PlaylistFormat::None) return item;
  if (!items.empty()) return {};
  if (settings.startMd == 2 && PlaylistFormatOf(settings.startFile) != PlaylistFormat::None)
    return settings.startFile;
  if (settings.startMd != 1) return {};
  const std::string last = LastPlaylistPath(programFolder);
  return FileExists(last) ? last : std::string();
}

void PlayerMode::OpenHandedItems(const std::vector<std::string>& items) {
  const int before = list_.Count();
  AddCommandLineItems(items);
  if (settings_.autoPlay == 1 && list_.Count() > before) PlayEntry(before);
}

void PlayerMode::AutoPlay() {
  if (settings_.autoPlay == 1) engine_.PlayIt();
}

void PlayerMode::RestoreLastState() {
  const std::string path = LastPlaylistPath(programFolder_);
  if (FileExists(path)) {
    playlists_.PlClear();
    playlists_.PlRead(path);
    state_.tNum = ReadSettingNum(store_, "LastTrack", "0");
  }
  const std::string cover = ReadSetting(store_, "LastCover", "");
  if (!cover.empty()) {
    media_.LoadCover(cover);
    state_.coverPath = cover;
  }
}

void PlayerMode::SaveLastState() {
  // In CD mode the list holds the disc's tracks: the user's playlist stays as it was saved
  // when CD mode began.
  if (state_.cdMode) return;
  WriteSetting(store_, "LastCover", state_.coverPath);
  WriteSetting(store_, "LastTrack", IntToText(state_.tNum));
  playlists_.WritePL(LastPlaylistPath(programFolder_));
}

void PlayerMode::StorePath(const std::string& folder) {
  WriteSetting(store_, "Path", folder);  // written the moment a dialog is confirmed
  store_.Save();
}

void PlayerMode::Release() {
  if (!state_.cdMode) engine_.StopIt();
  services_.unit0.Command("close");
  services_.unit1.Command("close");
}

void PlayerMode::SaveVolume() {
  // A muted player starts at the level it had before muting.
  const double level = state_.mute ? state_.mutedPercent / 100.0 : state_.volume;
  WriteSetting(store_, kLevelKey, IntToText(std::lround(level * 1000)));
}

void PlayerMode::SaveState() {
  settings_.lastPMd = state_.cdMode ? -1 : 0;
  SaveVolume();
  SaveLastState();
}

void PlayerMode::ToggleMediaMode() {
  engine_.StopIt();
  if (state_.cdMode) {
    // The disc's tracks go; the user's playlist comes back, or an empty list without one.
    state_.cdMode = false;
    playlists_.PlClear();
    RestoreLastState();
  } else {
    SaveLastState();
    state_.cdMode = true;
  }
  state_.playUnit = state_.cdMode ? PlayUnit::CD : PlayUnit::Media;
  links_.disc.CdModeChanged(state_.cdMode);
  ShowLights(form_, state_);
}

void PlayerMode::ShowTrackInfo() {
  trackInfo_.Form_Load();
  links_.sideWindows.ShowTrackInfo();
}

void PlayerMode::DoIt(int code) {
  switch (code) {
    case 7:
      return engine_.VolStep(-5);
    case 8:
      return engine_.VolStep(5);
    case 9:
      return engine_.ToggleMute();
    case 10:
      return engine_.StopIt();
    case 11:
      return engine_.PauseIt();
    case 12:
      return engine_.PlayIt();
    case 14:
      return engine_.PrevTrack();
    case 15:
      return engine_.NextTrack();
    case 16:
      return ShowTrackInfo();
    case 17:
      return playlists_.ListDoubleClick();
    case 18:
      return playlists_.PlMoveEntry(1);
    case 19:
      return playlists_.PlMoveEntry(-1);
    case 20:
      return playlists_.PlClear();
    case 21:
      return playlists_.PlLoad();
    case 22:
      return playlists_.PlSave();
    case 23:
      playlists_.OpenMediaFile();
      return playlists_.AddToPlaylist();
    case 24:
      return playlists_.AddFromDir();
    case 25:
      return engine_.ToggleIntro();
    case 26:
      return engine_.ToggleStopAfter();
    case 27:
      return engine_.ToggleRepeat();
    case 28:
      return engine_.ToggleShuffle();
    case 29:
      return engine_.ShowMixer();
    case 30:
      return engine_.SetRepeatA();
    case 31:
      return engine_.SetRepeatB();
    case 32:
      return engine_.Reverse();
    case 33:
      return engine_.Forward();
    case 34:
      return links_.sideWindows.ShowCoverWindow();
    case 35:
      return links_.sideWindows.ShowVisualSelector();
    case 150:
      finder_.Open(list_);
      return links_.sideWindows.ShowQuickFind();
    case 36:
      return engine_.PlayPause();
    case 37:
      return ToggleMediaMode();
    case 39:
      return engine_.JumpTo(form_.Caption(23));
    default:
      return;
  }
}

void PlayerMode::Timer1Step() {
  // The position, lyrics and the end-of-entry rules; or the move past an entry that failed.
  if ((state_.playing && state_.songLenMs != 0) || engine_.SkipPending()) engine_.UpdatePosition();
}

void PlayerMode::Timer2Step() {
  if (settings_.scrollName == 1 && !(nameTaken_ && nameTaken_())) {
    const int cells = form_.DisplayCells(kNameDigits);
    if (cells > 0) form_.SetDD(kNameDigits, scrollName_.Step(state_.songName, cells));
  }
  form_.PlaceSlider(2, state_.volume);
}

void PlayerMode::Paint() {
  form_.SetDD(1, state_.elapsedMs / 1000);
  form_.SetDD(2, state_.tNum);
  form_.SetDD(3, 0);
  form_.SetDD(4, form_.Caption(10));
  form_.SetDD(5, form_.Caption(11));
}

void PlayerMode::LabelClicked(int label) {
  if (label == 1) {
    state_.timeRemaining = !state_.timeRemaining;
  } else if (label == 2 && !state_.songPath.empty()) {
    ShowTrackInfo();
  }
}

void PlayerMode::ListEvent(ListArea area, ListAction action, int value) {
  if (area == ListArea::Playlist) {
    if (action == ListAction::Click) {
      list_.selected = value;
    } else if (action == ListAction::DoubleClick) {
      list_.selected = value;
      playlists_.ListDoubleClick();
    } else {
      playlists_.ListKeyDown(value);
    }
  } else if (area == ListArea::Lyrics && action == ListAction::DoubleClick) {
    const std::int32_t from = media_.Lyrics_DblClick(value);
    if (from >= 0) engine_.PlayFrom(from);
  }
}

void PlayerMode::LoadAndPlay(const std::string& path) {
  playlists_.PlClear();
  playlists_.PlRead(path);
  engine_.PlayIt();
}

void PlayerMode::AppendAndPlay(const std::string& path) {
  state_.songPath = path;
  state_.tNum = -99;  // the engine appends the file and plays it
  engine_.PlayIt();
}

void PlayerMode::PlayEntry(int index) {
  if (index < 0 || index >= list_.Count()) return;
  state_.tNum = index + 1;
  engine_.PlayIt();
}

void PlayerMode::FilesDropped(const std::vector<std::string>& files) {
  playlists_.DropFiles(files);
}

void PlayerMode::SliderMoved(int slider, double value) {
  if (slider == 1) {  // the time the song would continue from
    const auto target = static_cast<long long>(value * state_.songLenMs / 1000.0);
    const auto len = static_cast<long long>(state_.songLenMs / 1000);
    form_.SetCaption(1, state_.timeRemaining ? "-" + TimeText(len - target) : TimeText(target));
  } else if (slider == 2) {
    state_.volume = std::clamp(value, 0.0, 1.0);
    engine_.ApplyVolume();
    // 0.57 is 57%, not 56.
    form_.SetCaption(18, IntToText(static_cast<long long>(std::floor(value * 100 + 1e-9))) + "%");
    form_.PlaceSlider(4, value);
  } else if (slider == 3) {
    engine_.SetBalance(static_cast<float>(value));
  }
}

void PlayerMode::SliderReleased(int slider) {
  if (slider != 1 || !state_.playing) return;
  engine_.PlayFrom(static_cast<std::int32_t>(form_.SliderValue(1) * state_.songLenMs));
}

}  // namespace varlo
