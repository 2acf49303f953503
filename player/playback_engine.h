#pragma once
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "common/app_settings.h"
#include "platform/clock.h"
#include "player/media_device.h"
#include "player/player_links.h"
#include "player/player_state.h"
#include "player/playlist.h"
#include "skin/form_access.h"

namespace varlo {

// Plays the playlist's entries through two media devices (unit 0 and unit 1), keeps the
// position and decides what follows when an entry ends. It shows what it plays through the
// form (labels 1, 2, 4, 10-13, 23, 25, 69; displays 1, 2, 6; sliders 1 and 2; animation 2;
// the lights). All calls run on the GUI thread; `UpdatePosition` is called by the 100 ms
// main timer.
class PlaybackEngine {
 public:
  static constexpr std::int32_t kTickMs = 100;
  static constexpr std::int32_t kPictureMs = 5000;
  static constexpr std::int32_t kIntroMs = 10000;
  static constexpr std::int32_t kSkipMs = 10000;
  static constexpr std::size_t kTrayTipMax = 63;
  // How long the display says that an entry is skipped before the next one starts.
  static constexpr std::int32_t kSkipShownMs = 2000;

  PlaybackEngine(PlayerState& state, Playlist& playlist, const AppSettings& settings,
                 IMediaDevice& unit0, IMediaDevice& unit1, const IClock& clock, FormAccess& form,
                 PlayerLinks links);

  // Transport.
  void PlayIt();
  void StopIt();
  void PauseIt();
  void PlayPause();
  void PlayFrom(std::int32_t positionMs);
  // Plays on from `positionMs` of the entry playing, also when it was paused.
  void SeekTo(std::int32_t positionMs);
  void Reverse();
  void Forward();

  // Choosing a track.
  void NextTrack();
  void PrevTrack();
  void RndTrack();
  // `typed` is the number typed into label 23.
  void JumpTo(std::string_view typed);
  void AdvanceTrack();

  // The position tick. With continuous playback it also goes on past an entry that could not be
  // played (see EntryFailed).
  void UpdatePosition();
  // An entry failed and the next tick moves on to the next one.
  bool SkipPending() const { return skipPending_; }
  // Whether the position part of the main timer runs.
  bool PositionTimerOn() const { return timerOn_; }

  void ShowTitles();
  void ShowMixer();
  // The time display and the position slider back at the start: what played is gone (a disc
  // taken out).
  void ResetPosition();

  // Volume and balance.
  void VolStep(int stepPercent);
  void ToggleMute();
  void SetBalance(float balance);
  // Applies the level and balance to both devices.
  void ApplyVolume();
  // Levels both devices by the loudness tags as "ReplayGain" says (1 track, 2 album, else off).
  void ApplyReplayGain();
  // The last volume as the packed wave-out value: left in the low 16 bits, right in the high.
  std::uint32_t WaveOutVolume() const { return waveOut_; }

  // Mode toggles, each followed by ShowLights.
  void ToggleIntro();
  void ToggleStopAfter();
  void ToggleShuffle();
  void ToggleRepeat();
  void SetRepeatA();
  void SetRepeatB();

  const std::string& TrayTip() const { return trayTip_; }
  // Title, artist and album of the entry playing: its ID3v1 tag when that has a title, else the
  // tags the media device read from the stream; a title missing from both is the entry's name.
  StreamTags Titles() const;
  IMediaDevice& Unit() { return Device(static_cast<int>(state_.playUnit)); }

  // The text of the error box after a failed open.
  static std::string OpenErrorText(const std::string& dev, const std::string& fileName, int error,
                                   const std::string& errorMessage);

 private:
  IMediaDevice& Device(int unit) { return unit == 0 ? unit0_ : unit1_; }
  int RandomTrack();
  void Label(int n, const std::string& text) const;
  void Lights() const;
  void SelectEntry(int index);
  // Whether the media opened without waiting is still on its way or open; false (the player
  // stopped and the failure shown) once its open failed.
  bool OpenedInBackground();
  // Entry `tNum` cannot be played for `reason`. Without continuous playback ("ContPB") the box
  // `boxText` says so (nothing when empty) and playback ends there. With it the display says
  // so and the next tick goes on with the next entry; each entry is tried once until one plays,
  // and when every entry of the list has failed playback stops with one message.
  void EntryFailed(const std::string& boxText, const std::string& reason);
  // Plays the entry after a failed one: the next in order, or with shuffle a random one not
  // tried yet. Repeat does not hold a failed entry.
  void SkipFailedEntry();
  void ForgetFailures();
  // Sizes the failures to the list, forgetting them when the list changed since.
  void FitFailuresToList();
  int FailedCount() const;

  PlayerState& state_;
  Playlist& list_;
  const AppSettings& settings_;
  IMediaDevice& unit0_;
  IMediaDevice& unit1_;
  const IClock& clock_;
  FormAccess& form_;
  PlayerLinks links_;

  bool timerOn_ = false;
  bool openingInBackground_ = false;  // the entry playing was opened without waiting
  std::int64_t lastTickMs_ = 0;       // steady time of the last tick of a timed display
  std::string shownPosition_;         // the position text shown last
  std::string trayTip_;
  StreamTags streamTags_;  // what the device read from the entry playing
  std::uint32_t waveOut_ = 0xFFFFFFFFu;
  std::mt19937 random_;
  // Continuous playback past failed entries.
  bool skipPending_ = false;
  bool skipping_ = false;      // PlayIt runs for a skip: the failures stay counted
  std::int64_t skipAtMs_ = 0;  // steady time the skip waits for, so the message is read
  std::vector<bool> failed_;   // entries that failed since one last played
  std::string firstFailure_;   // the first of them, as the display says it
};

}  // namespace varlo
