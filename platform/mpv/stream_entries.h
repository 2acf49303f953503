#pragma once
#include <cstdint>
#include <string>

#include "platform/stream_player.h"

namespace varlo {

// How the engine reports that one of its playlist entries ended.
enum class EntryEnd {
  Stopped,     // asked to: stopped, or replaced by a newer stream
  Ended,       // the server closed the stream
  Failed,      // it could not be opened or broke off
  Redirected,  // it was a playlist, whose entries follow
};

// Follows the engine's playlist entries for the stream asked for last and keeps the player's
// state from them. A station's playlist (.pls, .m3u) becomes several entries, and the engine
// skips an entry that fails for the next one: the stream has failed only when the engine goes
// idle after its last entry ended. Reports about the entries of a replaced or stopped stream
// (ids below the stream's first: the engine counts ids up) are dropped, and so are reports of
// the stream's properties until its first entry started. Worker thread of the player only.
class StreamEntries {
 public:
  // A stream was loaded as entry `firstId`; its playlist's entries come after it.
  void Loaded(std::int64_t firstId);
  // Nothing plays: no entry is the stream's.
  void Stopped();
  // Whether the engine's property reports (title, position, pause) are the stream's.
  bool Current() const { return started_; }
  // Whether the entry playing has started playback.
  bool Playing() const { return playing_; }

  void Started(std::int64_t id, StreamStatus& status);
  void Restarted(bool paused, StreamStatus& status);
  void Ended(std::int64_t id, EntryEnd end, StreamStatus& status);
  void Idle(bool idle, StreamStatus& status);

 private:
  bool Ours(std::int64_t id) const { return first_ > 0 && id >= first_; }

  std::int64_t first_ = 0;  // 0: no stream
  bool started_ = false;
  bool playing_ = false;
  std::string
      failure_;  // why the last entry ended, until the next one starts; empty while one plays
};

}  // namespace varlo
