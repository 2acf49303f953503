#pragma once
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <string_view>
#include <utility>

#include "common/app_settings.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "player/media_device.h"
#include "player/player_state.h"
#include "player/playlist.h"

namespace varlo {

// Everything the engine reaches outside itself. Every hook may be left empty; an empty hook
// does nothing and an empty query answers false, 0 or the empty text.
struct PlaybackHooks {
  // Skin labels by number (1 position, 2 title, 4 track, 10-12 stream info, 13 length,
  // 23 typed number, 25 balance, 69 entry type).
  std::function<void(int label, const std::string& caption)> setLabel;
  // The digit displays: the position in whole seconds (negative for the remaining time), the
  // track number and the song name.
  std::function<void(std::int32_t seconds)> setPositionDigits;
  std::function<void(int track)> setTrackDigits;
  std::function<void(const std::string& name)> setNameDigits;
  std::function<void()> showLights;
  // The visible playlist's selected row changed (playlist.selected holds it).
  std::function<void()> selectionChanged;
  std::function<void()> repaint;
  // The running flag of the play animation (skin animation slot 2).
  std::function<void(bool running)> setPlayAnimation;

  // Sliders by number (1 position, 2 volume). `sliderUsable`: the skin gives it a size.
  std::function<bool(int slider)> sliderUsable;
  std::function<bool(int slider)> sliderVisible;
  std::function<void(int slider, bool visible)> setSliderVisible;
  // Places the thumb at a fraction from 0 (start) to 1 (end).
  std::function<void(int slider, double fraction)> placeSlider;
  // True while the user drags the position slider.
  std::function<bool()> positionSliderDragged;

  // Stream header and tag of an MPEG audio file, and the tag's fields once read.
  std::function<void(const std::string& path)> getMp3Info;
  std::function<std::string()> tagTitle;
  std::function<std::string()> tagArtist;
  std::function<void()> clearTagTitle;
  // Forgets the tag of the previous entry when one that has none starts.
  std::function<void()> clearTag;
  // Covers and lyrics.
  std::function<void()> loadTagCover;
  std::function<void(const std::string& path)> loadCover;
  std::function<void(const std::string& path)> loadLyrics;
  std::function<bool()> lyricsSynchronised;
  std::function<void()> playLyrics;

  // The external serial display.
  std::function<void(const std::string& text)> exDevOut;
  // The tray icon's tip (at most 63 characters).
  std::function<void(const std::string& tip)> setTrayTip;
  // Starts the desktop's volume mixer.
  std::function<void()> showMixer;

  // The A-B second button (button 31) is shown by the skin.
  std::function<bool()> repeatBButtonVisible;
  // FM mode (the preset list is visible) and the number typed there for the tuner.
  std::function<bool()> fmMode;
  std::function<void(double number)> fmJump;
  // Start and length in ms of disc track n (1-based) for CD mode.
  std::function<std::pair<std::int32_t, std::int32_t>(int track)> cdTrack;
};

// Plays the playlist's entries through two media devices (unit 0 and unit 1), keeps the
// position and decides what follows when an entry ends. All calls run on the GUI thread;
// `UpdatePosition` is called by the 100 ms main timer.
class PlaybackEngine {
 public:
  static constexpr std::int32_t kTickMs = 100;
  static constexpr std::int32_t kPictureMs = 5000;
  static constexpr std::int32_t kIntroMs = 10000;
  static constexpr std::int32_t kSkipMs = 10000;
  static constexpr std::size_t kTrayTipMax = 63;

  PlaybackEngine(PlayerState& state, Playlist& playlist, const AppSettings& settings,
                 IMediaDevice& unit0, IMediaDevice& unit1, IDialogs& dialogs, const IClock& clock,
                 PlaybackHooks hooks);

  // Transport.
  void PlayIt();
  void StopIt();
  void PauseIt();
  void PlayPause();
  void PlayFrom(std::int32_t positionMs);
  void Reverse();
  void Forward();

  // Choosing a track.
  void NextTrack();
  void PrevTrack();
  void RndTrack();
  // `typed` is the number typed into label 23.
  void JumpTo(std::string_view typed);
  void AdvanceTrack();

  // The position tick.
  void UpdatePosition();
  // Whether the position part of the main timer runs.
  bool PositionTimerOn() const { return timerOn_; }

  void ShowTitles();
  void ShowMixer();

  // Volume and balance.
  void VolStep(int stepPercent);
  void ToggleMute();
  void SetBalance(float balance);
  // Applies the level and balance to both devices.
  void ApplyVolume();
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

  PlayerState& state_;
  Playlist& list_;
  const AppSettings& settings_;
  IMediaDevice& unit0_;
  IMediaDevice& unit1_;
  IDialogs& dialogs_;
  const IClock& clock_;
  PlaybackHooks hooks_;

  bool timerOn_ = false;
  std::int64_t lastTickMs_ = 0;  // steady time of the last tick of a timed display
  std::string shownPosition_;    // the position text shown last
  std::string trayTip_;
  std::uint32_t waveOut_ = 0xFFFFFFFFu;
  std::mt19937 random_;
};

}  // namespace varlo
