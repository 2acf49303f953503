#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "player/stream_tags.h"

namespace varlo {

class FrmTarnix;

// What the desktop's media controls (lock screen, media keys, panel widgets) see of the
// program at one moment. Times are microseconds, as the desktop counts them.
struct SessionState {
  enum class Status { Stopped, Playing, Paused };
  Status status = Status::Stopped;
  StreamTags titles;      // title, artist, album of what plays
  std::string trackId;    // an object path naming the entry; NoTrack when nothing is current
  std::string url;        // the file playing, empty for none
  std::string coverPath;  // the cover picture file shown, empty for none
  std::int64_t lengthUs = 0;
  double volume = 1.0;  // 0 to 1; 0 while muted
  bool repeat = false;  // the playlist starts over at its end
  bool shuffle = false;
  bool canGoNext = false;
  bool canGoPrevious = false;
  bool canPlay = false;
  bool canPause = false;
  bool canSeek = false;

  friend bool operator==(const SessionState&, const SessionState&) = default;
};

inline constexpr const char* kNoTrackId = "/org/mpris/MediaPlayer2/TrackList/NoTrack";

// The properties of the player interface that differ between two states, by their desktop
// names ("PlaybackStatus", "Metadata", "Volume", "LoopStatus", "Shuffle", "CanGoNext" ...).
std::vector<std::string> ChangedProperties(const SessionState& before, const SessionState& after);

// A mode that plays what the player's engine does not (web radio) names what it plays here
// while it is active; it returns nothing while it is not.
struct ExternalPlaying {
  StreamTags titles;
  std::string url;
  bool paused = false;
};
using ExternalSource = std::function<std::optional<ExternalPlaying>()>;

// The program as a media session: its state for the desktop, and the desktop's requests
// carried out as the user's own commands would be. GUI thread only.
class MediaSession {
 public:
  explicit MediaSession(FrmTarnix& frm) : frm_(frm) {}

  SessionState State() const;
  // Elapsed play of the current entry.
  std::int64_t PositionUs() const;

  void Play();
  void Pause();
  void PlayPause();
  void Stop();
  void Next();
  void Previous();
  // Moves by `offsetUs` from the position; past the end goes to the next entry, before the
  // start to the start.
  void Seek(std::int64_t offsetUs);
  // Moves to `positionUs` of the entry `trackId` names; nothing when that is not the current
  // entry or the position is outside it.
  void SetPosition(const std::string& trackId, std::int64_t positionUs);
  // Adds the local file `path` to the playlist and plays it.
  void OpenFile(const std::string& path);
  void SetVolume(double volume);
  void SetRepeat(bool repeat);
  void SetShuffle(bool shuffle);
  void Raise();
  void Quit();

  // Web radio (or any other mode that plays outside the engine) reports here.
  void SetExternalSource(ExternalSource source) { external_ = std::move(source); }

 private:
  bool Playing() const;
  FrmTarnix& frm_;
  ExternalSource external_;
};

}  // namespace varlo
