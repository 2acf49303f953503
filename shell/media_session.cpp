#include "shell/media_session.h"

#include <algorithm>
#include <cmath>

#include "player/device_choice.h"
#include "shell/frm_tarnix.h"

namespace varlo {
namespace {
// The commands of the player's transport, as the skin's buttons send them.
constexpr int kStopCode = 10;
constexpr int kPauseCode = 11;
constexpr int kPlayCode = 12;
constexpr int kPreviousCode = 14;
constexpr int kNextCode = 15;
constexpr int kRepeatCode = 27;
constexpr int kShuffleCode = 28;
constexpr int kPlayPauseCode = 36;
}  // namespace

std::vector<std::string> ChangedProperties(const SessionState& a, const SessionState& b) {
  std::vector<std::string> names;
  auto check = [&names](bool changed, const char* name) {
    if (changed) names.emplace_back(name);
  };
  check(a.status != b.status, "PlaybackStatus");
  check(a.titles != b.titles || a.trackId != b.trackId || a.url != b.url ||
            a.coverPath != b.coverPath || a.lengthUs != b.lengthUs,
        "Metadata");
  check(a.volume != b.volume, "Volume");
  check(a.repeat != b.repeat, "LoopStatus");
  check(a.shuffle != b.shuffle, "Shuffle");
  check(a.canGoNext != b.canGoNext, "CanGoNext");
  check(a.canGoPrevious != b.canGoPrevious, "CanGoPrevious");
  check(a.canPlay != b.canPlay, "CanPlay");
  check(a.canPause != b.canPause, "CanPause");
  check(a.canSeek != b.canSeek, "CanSeek");
  return names;
}

bool MediaSession::Playing() const {
  return frm_.Player().State().playing;
}

SessionState MediaSession::State() const {
  SessionState s;
  if (external_) {
    if (const auto other = external_()) {
      s.status = other->paused ? SessionState::Status::Paused : SessionState::Status::Playing;
      s.titles = other->titles;
      s.url = other->url;
      s.trackId = "/org/varlo/stream";
      s.volume = frm_.Player().State().mute ? 0.0 : frm_.Player().State().volume;
      s.canPause = true;
      s.canPlay = true;
      return s;
    }
  }
  const PlayerState& player = frm_.Player().State();
  const int count = frm_.Player().List().Count();
  if (player.playing) {
    s.status = player.paused ? SessionState::Status::Paused : SessionState::Status::Playing;
    s.titles = frm_.Player().Engine().Titles();
    s.trackId = "/org/varlo/track/" + std::to_string(player.tNum);
    if (!player.cdMode) s.url = player.songPath;
    s.coverPath = player.coverPath;
    s.lengthUs = static_cast<std::int64_t>(player.songLenMs) * 1000;
  } else {
    s.trackId = kNoTrackId;
  }
  s.volume = player.mute ? 0.0 : player.volume;
  s.repeat = player.repeat;
  s.shuffle = player.shuffle;
  s.canGoNext = count > 0;
  s.canGoPrevious = count > 0;
  s.canPlay = count > 0;
  s.canPause = player.playing;
  s.canSeek = player.playing && player.songLenMs > 0 && player.dev != kDelayDevice;
  return s;
}

std::int64_t MediaSession::PositionUs() const {
  const PlayerState& player = frm_.Player().State();
  return player.playing ? static_cast<std::int64_t>(player.elapsedMs) * 1000 : 0;
}

void MediaSession::Play() {
  const PlayerState& player = frm_.Player().State();
  if (!player.playing) {
    frm_.DoIt(kPlayCode);
  } else if (player.paused) {
    frm_.DoIt(kPauseCode);
  }
}

void MediaSession::Pause() {
  const PlayerState& player = frm_.Player().State();
  if (player.playing && !player.paused) frm_.DoIt(kPauseCode);
}

void MediaSession::PlayPause() {
  frm_.DoIt(kPlayPauseCode);
}

void MediaSession::Stop() {
  frm_.DoIt(kStopCode);
}

void MediaSession::Next() {
  frm_.DoIt(kNextCode);
}

void MediaSession::Previous() {
  frm_.DoIt(kPreviousCode);
}

void MediaSession::Seek(std::int64_t offsetUs) {
  if (!State().canSeek) return;
  const PlayerState& player = frm_.Player().State();
  const std::int64_t target = PositionUs() + offsetUs;
  if (target >= static_cast<std::int64_t>(player.songLenMs) * 1000) return Next();
  const auto ms = static_cast<std::int32_t>(std::max<std::int64_t>(0, target / 1000));
  frm_.Player().Engine().SeekTo(ms);
}

void MediaSession::SetPosition(const std::string& trackId, std::int64_t positionUs) {
  const SessionState s = State();
  if (!s.canSeek || trackId != s.trackId || positionUs < 0 || positionUs > s.lengthUs) return;
  frm_.Player().Engine().SeekTo(static_cast<std::int32_t>(positionUs / 1000));
}

void MediaSession::OpenFile(const std::string& path) {
  if (path.empty()) return;
  frm_.Player().AppendAndPlay(path);
}

void MediaSession::SetVolume(double volume) {
  if (!std::isfinite(volume)) return;
  const PlayerState& player = frm_.Player().State();
  const long target = std::lround(std::clamp(volume, 0.0, 1.0) * 100.0);
  const long now = player.mute ? 0 : std::lround(player.volume * 100.0);
  if (target == now) return;
  frm_.Player().Engine().VolStep(
      static_cast<int>(target - (player.mute ? player.mutedPercent : now)));
}

void MediaSession::SetRepeat(bool repeat) {
  if (frm_.Player().State().repeat != repeat) frm_.DoIt(kRepeatCode);
}

void MediaSession::SetShuffle(bool shuffle) {
  if (frm_.Player().State().shuffle != shuffle) frm_.DoIt(kShuffleCode);
}

void MediaSession::Raise() {
  frm_.Raise();
}

void MediaSession::Quit() {
  frm_.Quit();
}

}  // namespace varlo
