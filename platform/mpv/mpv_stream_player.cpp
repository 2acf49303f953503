#include "platform/mpv/mpv_stream_player.h"

#include <algorithm>
#include <chrono>
#include <cstring>

#include "common/utf8_text.h"
#include "platform/mpv/mpv_library.h"

namespace varlo {
namespace {

// Reply numbers of the observed properties.
enum Observed : std::uint64_t {
  kPause = 1,
  kPausedForCache,
  kCacheDuration,
  kTimePos,
  kBitRate,
  kIcyName,
  kIcyTitle,
  kIdle,
};

double DoubleOf(const mpv_event_property& p) {
  return p.format == MPV_FORMAT_DOUBLE ? *static_cast<const double*>(p.data) : 0.0;
}
bool FlagOf(const mpv_event_property& p) {
  return p.format == MPV_FORMAT_FLAG && *static_cast<const int*>(p.data) != 0;
}
EntryEnd EndOf(int reason) {
  switch (reason) {
    case MPV_END_FILE_REASON_ERROR:
      return EntryEnd::Failed;
    case MPV_END_FILE_REASON_EOF:
      return EntryEnd::Ended;
    case MPV_END_FILE_REASON_REDIRECT:
      return EntryEnd::Redirected;
    default:
      return EntryEnd::Stopped;
  }
}

// A station's name and title as the server sent them, which need not be UTF-8 (older servers
// send Latin-1, broken ones anything): as bounded UTF-8.
std::string TextOf(const mpv_event_property& p) {
  if (p.format != MPV_FORMAT_STRING) return {};
  const char* text = *static_cast<char* const*>(p.data);
  if (text == nullptr) return {};
  constexpr std::size_t kMaxText = 1024;
  const std::string utf8 = TextAsUtf8(std::string_view(text, strnlen(text, kMaxText)));
  return utf8.substr(0, Utf8PrefixLength(utf8, kMaxText));
}

}  // namespace

MpvStreamPlayer::MpvStreamPlayer(MpvStreamOptions options) : options_(std::move(options)) {}

MpvStreamPlayer::~MpvStreamPlayer() {
  quit_ = true;
  if (worker_.joinable()) worker_.join();
}

void MpvStreamPlayer::Play(const std::string& address) {
  std::lock_guard lock(mutex_);
  requests_.push_back({true, address});
  status_.state = StreamState::Opening;
  status_.buffering = false;
  status_.positionSeconds = 0;
  status_.cacheSeconds = 0;
  status_.bitRate = 0;
  status_.title.clear();
  status_.stationName.clear();
  status_.error.clear();
  ++status_.changes;
  if (engineFailed_) {
    status_.state = StreamState::Failed;
    status_.error = "The media engine is not available";
    return;
  }
  // The engine starts with the first stream, off the calling thread.
  if (!worker_.joinable()) worker_ = std::thread([this] { Run(); });
}

void MpvStreamPlayer::Stop() {
  std::lock_guard lock(mutex_);
  if (!worker_.joinable()) return;
  requests_.push_back({false, {}});
  status_.state = StreamState::Idle;
  status_.buffering = false;
}

StreamStatus MpvStreamPlayer::Status() const {
  std::lock_guard lock(mutex_);
  return status_;
}

bool MpvStreamPlayer::Start() {
  mpv_ = LoadMpvLibrary();
  if (mpv_ == nullptr) return false;
  handle_ = mpv_->create();
  if (handle_ == nullptr) return false;
  auto set = [this](const char* name, const std::string& value) {
    mpv_->setOptionString(handle_, name, value.c_str());
  };
  // No user configuration, scripts, or the video-site hook: only the stream given is opened.
  set("config", "no");
  set("terminal", "no");
  set("load-scripts", "no");
  set("ytdl", "no");
  set("osc", "no");
  set("load-stats-overlay", "no");
  set("load-osd-console", "no");
  set("load-auto-profiles", "no");
  set("input-default-bindings", "no");
  set("input-terminal", "no");
  set("idle", "yes");
  set("video", "no");
  set("audio-display", "no");
  set("vo", "null");
  set("cache", options_.capture ? "no" : "yes");
  if (options_.capture) {
    set("demuxer-lavf-analyzeduration", "0.1");
    set("demuxer-lavf-probe-info", "nostreams");
    set("audio-buffer", "0.1");
  }
  set("audio-fallback-to-null", "yes");
  set("network-timeout", std::to_string(options_.networkTimeoutSeconds));
  // A playlist fetched from the network may not lead to local files.
  set("load-unsafe-playlists", "no");
  SetAudioOutput(*mpv_, handle_, options_.audioOutput);
  if (mpv_->initialize(handle_) < 0) {
    mpv_->terminateDestroy(handle_);
    handle_ = nullptr;
    return false;
  }
  mpv_->observeProperty(handle_, kPause, "pause", MPV_FORMAT_FLAG);
  mpv_->observeProperty(handle_, kPausedForCache, "paused-for-cache", MPV_FORMAT_FLAG);
  mpv_->observeProperty(handle_, kCacheDuration, "demuxer-cache-duration", MPV_FORMAT_DOUBLE);
  mpv_->observeProperty(handle_, kTimePos, "time-pos", MPV_FORMAT_DOUBLE);
  mpv_->observeProperty(handle_, kBitRate, "audio-bitrate", MPV_FORMAT_DOUBLE);
  mpv_->observeProperty(handle_, kIcyName, "metadata/by-key/icy-name", MPV_FORMAT_STRING);
  mpv_->observeProperty(handle_, kIcyTitle, "metadata/by-key/icy-title", MPV_FORMAT_STRING);
  mpv_->observeProperty(handle_, kIdle, "idle-active", MPV_FORMAT_FLAG);
  return true;
}

void MpvStreamPlayer::Run() {
  if (!Start()) {
    std::lock_guard lock(mutex_);
    engineFailed_ = true;
    status_.state = StreamState::Failed;
    status_.error = "The media engine is not available";
    requests_.clear();
    return;
  }
  while (!quit_) {
    std::deque<Request> requests;
    {
      std::lock_guard lock(mutex_);
      requests.swap(requests_);
    }
    for (const Request& r : requests) Send(r);
    GiveUpOpening();
    // Short waits, so that new requests and the end are seen soon.
    for (;;) {
      mpv_event* event = mpv_->waitEvent(handle_, requests.empty() ? 0.05 : 0.0);
      if (event->event_id == MPV_EVENT_NONE) break;
      Handle(*event);
    }
  }
  mpv_->terminateDestroy(handle_);
  handle_ = nullptr;
}

void MpvStreamPlayer::GiveUpOpening() {
  if (!opening_) return;
  const auto limit = std::chrono::seconds(std::max(1, options_.networkTimeoutSeconds));
  if (std::chrono::steady_clock::now() - openedAt_ < limit) return;
  opening_ = false;
  {
    std::lock_guard lock(mutex_);
    // A newer request decides, and a stream that started is no business of this.
    if (!requests_.empty() || status_.state != StreamState::Opening) return;
  }
  // A server whose bytes trickle in, or whose answer never ends, keeps the engine reading the
  // stream's start without ever tripping its time-out on silence: it is given up after the
  // same time.
  const char* args[] = {"stop", nullptr};
  mpv_->command(handle_, args);
  std::lock_guard lock(mutex_);
  entries_.Stopped();
  if (!requests_.empty()) return;
  status_.state = StreamState::Failed;
  status_.error = "The stream did not start";
}

void MpvStreamPlayer::Send(const Request& request) {
  opening_ = request.play;
  openedAt_ = std::chrono::steady_clock::now();
  if (!request.play) {
    const char* args[] = {"stop", nullptr};
    mpv_->command(handle_, args);
    std::lock_guard lock(mutex_);
    entries_.Stopped();
    return;
  }
  const char* args[] = {"loadfile", request.address.c_str(), "replace", nullptr};
  mpv_node reply{};
  const bool loaded = mpv_->commandRet(handle_, args, &reply) >= 0;
  std::int64_t entry = loaded ? MpvEntryId(reply) : -1;
  if (loaded) mpv_->freeNodeContents(&reply);
  // An engine that does not say: the playlist it was given holds only this entry.
  if (loaded && entry <= 0) mpv_->getProperty(handle_, "playlist/0/id", MPV_FORMAT_INT64, &entry);
  {
    std::lock_guard lock(mutex_);
    entries_.Loaded(loaded ? entry : 0);
    if (!loaded) {
      status_.state = StreamState::Failed;
      status_.error = "The stream could not be opened";
      return;
    }
  }
  mpv_->setPropertyString(handle_, "pause", "no");
}

void MpvStreamPlayer::Handle(const mpv_event& event) {
  std::lock_guard lock(mutex_);
  // Nothing the engine reports while a newer request waits may undo it; the entries tell the
  // rest apart.
  if (!requests_.empty()) return;
  switch (event.event_id) {
    case MPV_EVENT_START_FILE:
      entries_.Started(static_cast<const mpv_event_start_file*>(event.data)->playlist_entry_id,
                       status_);
      break;
    case MPV_EVENT_PLAYBACK_RESTART:
      entries_.Restarted(paused_, status_);
      break;
    case MPV_EVENT_END_FILE: {
      const auto* end = static_cast<const mpv_event_end_file*>(event.data);
      entries_.Ended(end->playlist_entry_id, EndOf(end->reason), status_);
      break;
    }
    case MPV_EVENT_PROPERTY_CHANGE: {
      const auto& p = *static_cast<const mpv_event_property*>(event.data);
      if (event.reply_userdata == kPause) paused_ = FlagOf(p);
      if (event.reply_userdata == kIdle) entries_.Idle(FlagOf(p), status_);
      // What a replaced stream still says of itself is not the new one's.
      if (!entries_.Current()) break;
      switch (event.reply_userdata) {
        case kPause:
          if (entries_.Playing() &&
              (status_.state == StreamState::Playing || status_.state == StreamState::Paused))
            status_.state = paused_ ? StreamState::Paused : StreamState::Playing;
          break;
        case kPausedForCache:
          status_.buffering = FlagOf(p);
          break;
        case kCacheDuration:
          status_.cacheSeconds = DoubleOf(p);
          break;
        case kTimePos:
          status_.positionSeconds = DoubleOf(p);
          break;
        case kBitRate:
          status_.bitRate = DoubleOf(p);
          break;
        case kIcyName:
          status_.stationName = TextOf(p);
          ++status_.changes;
          break;
        case kIcyTitle:
          status_.title = TextOf(p);
          ++status_.changes;
          break;
        default:
          break;
      }
      break;
    }
    default:
      break;
  }
}

}  // namespace varlo
