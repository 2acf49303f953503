#include "platform/mpv/stream_entries.h"

namespace varlo {

void StreamEntries::Loaded(std::int64_t firstId) {
  first_ = firstId > 0 ? firstId : 0;
  started_ = playing_ = false;
  failure_.clear();
}

void StreamEntries::Stopped() {
  Loaded(0);
}

void StreamEntries::Started(std::int64_t id, StreamStatus& status) {
  if (!Ours(id)) return;
  started_ = true;
  playing_ = false;
  failure_.clear();
  // The next server of a station: contacting again, not failed.
  if (status.state != StreamState::Idle) status.state = StreamState::Opening;
  status.buffering = false;
}

void StreamEntries::Restarted(bool paused, StreamStatus& status) {
  if (!started_) return;
  playing_ = true;
  if (status.state == StreamState::Opening)
    status.state = paused ? StreamState::Paused : StreamState::Playing;
}

void StreamEntries::Ended(std::int64_t id, EntryEnd end, StreamStatus& status) {
  if (!Ours(id) || !started_ || end == EntryEnd::Stopped) return;
  playing_ = false;
  status.buffering = false;
  // A radio stream has no end of its own: a server that closes the stream, or falls silent
  // past the network time-out (which the engine reports as the end), has failed.
  failure_ = end == EntryEnd::Failed  ? "The stream is not available"
             : end == EntryEnd::Ended ? "The stream ended"
                                      : "The station's playlist names no stream";
}

void StreamEntries::Idle(bool idle, StreamStatus& status) {
  if (!idle || failure_.empty() || status.state == StreamState::Idle) return;
  // The last entry ended and the engine has none left to try.
  status.state = StreamState::Failed;
  status.error = failure_;
  started_ = false;
  failure_.clear();
}

}  // namespace varlo
