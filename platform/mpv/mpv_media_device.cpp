#include "platform/mpv/mpv_media_device.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <thread>

#include "platform/mpv/mpv_library.h"
#include "platform/mpv/mpv_stream_protocol.h"

namespace varlo {
namespace {

constexpr std::uint64_t kEofReachedId = 1;

// The string pairs of an engine node map (other value kinds are left out).
std::vector<std::pair<std::string, std::string>> StringPairs(const mpv_node& node) {
  std::vector<std::pair<std::string, std::string>> pairs;
  if (node.format != MPV_FORMAT_NODE_MAP || node.u.list == nullptr) return pairs;
  const mpv_node_list& map = *node.u.list;
  const int count = std::min(map.num, static_cast<int>(kMaxMetadataPairs));
  for (int i = 0; i < count; ++i) {
    const mpv_node& value = map.values[i];
    if (map.keys[i] == nullptr || value.format != MPV_FORMAT_STRING || value.u.string == nullptr) {
      continue;
    }
    pairs.emplace_back(map.keys[i], value.u.string);
  }
  return pairs;
}

MediaFailure FailureOf(int mpvError) {
  switch (mpvError) {
    case MPV_ERROR_NOMEM:
      return MediaFailure::OutOfMemory;
    case MPV_ERROR_AO_INIT_FAILED:
      return MediaFailure::AudioOutputBusy;
    case MPV_ERROR_VO_INIT_FAILED:
      return MediaFailure::VideoOutputFailed;
    case MPV_ERROR_NOTHING_TO_PLAY:
      return MediaFailure::NothingToPlay;
    case MPV_ERROR_UNKNOWN_FORMAT:
    case MPV_ERROR_LOADING_FAILED:
      return MediaFailure::UnknownFormat;
    default:
      return MediaFailure::Other;
  }
}

// "12.345" for 12345 with three decimals; written by hand so the process locale cannot turn the
// point into a comma (the engine parses numbers in the C locale).
std::string Fixed(std::int64_t scaled, int decimals) {
  std::int64_t unit = 1;
  for (int i = 0; i < decimals; ++i) unit *= 10;
  std::string whole = std::to_string(scaled / unit);
  std::string fraction = std::to_string(scaled % unit);
  fraction.insert(0, static_cast<std::size_t>(decimals) - fraction.size(), '0');
  return whole + "." + fraction;
}

std::string Lower(std::string_view word) {
  std::string out(word);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

bool IsAddress(const std::string& path) {
  return path.find("://") != std::string::npos;
}

}  // namespace

MpvMediaDevice::MpvMediaDevice(MpvOptions options) : options_(std::move(options)) {}

MpvMediaDevice::~MpvMediaDevice() {
  if (starter_.joinable()) starter_.join();
  if (handle_ == nullptr) return;
  mpv_->setWakeupCallback(handle_, nullptr, nullptr);
  mpv_->terminateDestroy(handle_);
}

void MpvMediaDevice::StartInBackground() {
  if (state_ != State::NotStarted) return;
  state_ = State::Starting;
  startDone_ = false;
  starter_ = std::thread([this, window = DisplayWindow()] {
    StartEngine(window);
    startDone_ = true;
  });
}

void MpvMediaDevice::Pump() {
  pumping_ = true;
  pump_();
  pumping_ = false;
}

void MpvMediaDevice::WaitForStart() {
  while (!startDone_) {
    Pump();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  starter_.join();
}

std::uint64_t MpvMediaDevice::DisplayWindow() {
  if (displayWindow_ == 0 && defaultWindow_) displayWindow_ = defaultWindow_();
  return displayWindow_;
}

bool MpvMediaDevice::Available() {
  EnsureStarted();
  return handle_ != nullptr;
}

void MpvMediaDevice::EnsureStarted() {
  if (state_ == State::Started) return;
  // With a pump the start never holds the window: it runs on its own thread meanwhile.
  if (pump_) StartInBackground();
  if (state_ == State::Starting && pump_)
    WaitForStart();
  else if (state_ == State::Starting)
    starter_.join();
  else
    StartEngine(DisplayWindow());
  state_ = State::Started;
  // What was set before the engine ran takes effect now.
  if (displayWindow_ != 0) SetDisplayWindow(displayWindow_);
  ApplyVolume();
  ApplyReplayGain();
}

void MpvMediaDevice::StartEngine(std::uint64_t displayWindow) {
  const MpvLibrary* mpv = LoadMpvLibrary();
  if (mpv == nullptr) return;
  mpv_handle* handle = mpv->create();
  if (handle == nullptr) return;
  auto set = [mpv, handle](const char* name, const std::string& value) {
    // Options that this build of the engine lacks (scripting ones) are simply skipped.
    mpv->setOptionString(handle, name, value.c_str());
  };
  set("config", "no");
  set("terminal", "no");
  set("idle", "yes");
  set("keep-open", "yes");  // stay on the last frame at the end so the position stays there
  set("pause", "yes");
  set("force-window", "no");
  set("audio-display", "no");  // cover art inside audio files is not shown as video
  // Nor are files beside the entry opened on the engine's own: it would take "album.jpg" for
  // cover art, "song.srt" for subtitles, "song.mka" for a sound track. Each is a file of its own
  // to open and read whole, with none of our checks: a FIFO of such a name would hold the
  // engine for good, a huge one its memory. The program shows covers and lyrics itself.
  set("cover-art-auto", "no");
  set("sub-auto", "no");
  set("audio-file-auto", "no");
  set("input-default-bindings", "no");
  set("input-vo-keyboard", "no");
  set("input-terminal", "no");
  // None of the engine's own scripts is used: each would start a script interpreter.
  set("osc", "no");
  set("load-scripts", "no");
  set("ytdl", "no");
  set("load-stats-overlay", "no");
  set("load-osd-console", "no");
  set("load-auto-profiles", "no");
  // Without a working sound device the entry still plays out silently, so the position moves,
  // the next entry follows and video still shows.
  set("audio-fallback-to-null", "yes");
  // Gain taken from the tags is lowered where the peaks it would reach clip. The engine (0.35,
  // Debian 12's) reads this option the other way round from its manual: "no" is the setting
  // that prevents clipping, as the device's test of a tone raised by 20 dB shows.
  set("replaygain-clip", "no");
  SetAudioOutput(*mpv, handle, options_.audioOutput);
  // By default only the video outputs that draw into a given window, so that video never opens a
  // window of the engine's own (its SDL output, for one, ignores the display window).
  set("vo",
      options_.videoOutput.empty() ? "gpu,gpu-next,vdpau,vaapi,xv,x11" : options_.videoOutput);
  // The engine takes its display window as a start option; set later, it reaches only the next
  // video output it makes.
  if (displayWindow != 0) set("wid", std::to_string(displayWindow));
  for (const auto& [name, value] : options_.extra) set(name.c_str(), value);
  if (mpv->initialize(handle) < 0) {
    mpv->terminateDestroy(handle);
    return;
  }
  for (const StreamProtocol& protocol : options_.protocols) {
    if (!AddStreamProtocol(*mpv, handle, protocol))
      std::fprintf(stderr, "varlo: the media engine refused addresses \"%s://\"\n",
                   protocol.name.c_str());
  }
  mpv->observeProperty(handle, kEofReachedId, "eof-reached", MPV_FORMAT_FLAG);
  mpv_ = mpv;
  handle_ = handle;
  mpv->setWakeupCallback(handle, &MpvMediaDevice::OnWakeup, this);
}

void MpvMediaDevice::OnWakeup(void* self) {
  auto* device = static_cast<MpvMediaDevice*>(self);
  std::lock_guard lock(device->wakeupMutex_);
  if (device->wakeup_) device->wakeup_();
}

void MpvMediaDevice::SetWakeup(std::function<void()> wakeup) {
  std::lock_guard lock(wakeupMutex_);
  wakeup_ = std::move(wakeup);
}

void MpvMediaDevice::ProcessEvents() {
  // A wakeup can come while the engine is still starting; its events wait for the first open.
  // While "open" waits it reads the events itself; what is left is handled once it is done.
  if (pumping_) {
    wakeupMissed_ = true;
    return;
  }
  if (!Ready()) return;
  for (;;) {
    mpv_event* event = mpv_->waitEvent(handle_, 0);
    if (event->event_id == MPV_EVENT_NONE) break;
    Handle(*event, true);
  }
}

void MpvMediaDevice::Handle(const mpv_event& event, bool notify) {
  std::optional<MediaEnd> ended;
  switch (event.event_id) {
    case MPV_EVENT_PROPERTY_CHANGE: {
      const auto* property = static_cast<const mpv_event_property*>(event.data);
      if (event.reply_userdata != kEofReachedId || loading_) break;
      bool eof = property->format == MPV_FORMAT_FLAG && *static_cast<int*>(property->data) != 0;
      if (!eof) {
        atEnd_ = false;
      } else if (open_ && !atEnd_) {
        atEnd_ = true;
        seekTarget_.reset();
        ended = MediaEnd::Finished;
      }
      break;
    }
    case MPV_EVENT_START_FILE: {
      // An engine that names no entry in its reply to the load: the one it starts is ours.
      const auto id = static_cast<const mpv_event_start_file*>(event.data)->playlist_entry_id;
      if (loading_ && loadIssued_ && entryId_ < 0) entryId_ = id;
      if (loading_ && loadIssued_ && id == entryId_) loadStarted_ = true;
      break;
    }
    case MPV_EVENT_FILE_LOADED:
      // The event names no entry; one loaded before ours started is an older one's.
      if (loading_ && loadStarted_) {
        Loaded();
        ReportVideo();
      }
      break;
    case MPV_EVENT_END_FILE: {
      const auto* end = static_cast<const mpv_event_end_file*>(event.data);
      if (!open_ || end->playlist_entry_id != entryId_) break;
      if (loading_) {
        // The load failed: nothing is open any more.
        Fail(end->reason == MPV_END_FILE_REASON_ERROR ? FailureOf(end->error)
                                                      : MediaFailure::UnknownFormat);
        open_ = loading_ = loadIssued_ = false;
        entryId_ = -1;
        seekTarget_.reset();
        seekAfterLoad_.reset();
        ended = MediaEnd::Failed;
        break;
      }
      if (end->reason == MPV_END_FILE_REASON_ERROR) {
        ended = MediaEnd::Failed;
      } else if (end->reason == MPV_END_FILE_REASON_EOF && !atEnd_) {
        ended = MediaEnd::Finished;
      } else {
        break;
      }
      atEnd_ = true;
      seekTarget_.reset();
      break;
    }
    case MPV_EVENT_PLAYBACK_RESTART:
      // Paused, the engine's time lags the target by what its output holds until play goes
      // on, so a paused device keeps reporting where it was put.
      seekLanded_ = true;
      if (!paused_) seekTarget_.reset();
      break;
    default:
      break;
  }
  if (ended && notify && endCallback_) endCallback_(*ended);
}

void MpvMediaDevice::Fail(MediaFailure failure) {
  error_ = MciErrorNumber(failure);
  errorMessage_ = MciErrorText(error_);
}

void MpvMediaDevice::Command(std::string_view word) {
  const std::string command = Lower(word);
  if (pumping_) {
    // A handler run by the pump while "open" waits: the open is not interrupted, but a close
    // gives it up once the pump returns.
    if (command == "close") openAbandoned_ = true;
    return;
  }
  error_ = 0;
  errorMessage_.clear();
  // Only "open" needs the engine; until then the device holds nothing, so it is not started
  // for the commands that find nothing open (a "close" at shut-down, for one).
  if (command == "open") {
    openAbandoned_ = false;
    EnsureStarted();
  }
  if (state_ == State::Started && handle_ == nullptr) return Fail(MediaFailure::EngineUnavailable);
  if (command == "open") {
    Open();
    // Events that came while the open waited are handled from the window's loop.
    if (wakeupMissed_) {
      wakeupMissed_ = false;
      OnWakeup(this);
    }
    return;
  }
  if (command == "close") return Close();
  if (command != "play" && command != "stop" && command != "pause" && command != "seek") {
    return Fail(MediaFailure::UnknownCommand);
  }
  if (!open_) {
    from_.reset();
    return Fail(MediaFailure::NotOpen);
  }
  if (loading_ && !loadIssued_ && (command == "play" || command == "seek")) {
    IssueLoad(from_.value_or(0), command == "seek");
    from_.reset();
    return;
  }
  if (command == "play") return Play();
  if (command == "seek") {
    SeekTo(from_.value_or(0));
    from_.reset();
  }
  Pause();
}

void MpvMediaDevice::IssueLoad(std::int32_t startMs, bool paused) {
  startMs = std::max(startMs, 0);
  // The start goes with the load, so the media never plays a moment from its beginning.
  const std::string start = Fixed(startMs, 3);
  mpv_->setPropertyString(handle_, "start", start.c_str());
  int pause = paused ? 1 : 0;
  mpv_->setProperty(handle_, "pause", MPV_FORMAT_FLAG, &pause);
  paused_ = paused;
  const char* load[] = {"loadfile", fileName_.c_str(), "replace", nullptr};
  mpv_node reply{};
  if (mpv_->commandRet(handle_, load, &reply) < 0) {
    open_ = loading_ = false;
    return Fail(MediaFailure::Other);
  }
  entryId_ = MpvEntryId(reply);
  mpv_->freeNodeContents(&reply);
  loadIssued_ = true;
  loadStarted_ = false;
  seekTarget_ = startMs;
  seekLanded_ = false;
}

void MpvMediaDevice::Loaded() {
  loading_ = false;
  atEnd_ = false;
  double duration = 0;
  if (mpv_->getProperty(handle_, "duration", MPV_FORMAT_DOUBLE, &duration) < 0) duration = 0;
  length_ = static_cast<std::int32_t>(std::lround(std::clamp(duration, 0.0, 2.0e6) * 1000.0));
  ReadTags();
  if (seekAfterLoad_) {
    SeekTo(*seekAfterLoad_);
    seekAfterLoad_.reset();
  }
}

void MpvMediaDevice::Open() {
  from_.reset();
  if (fileName_.empty()) return Fail(MediaFailure::NoFileName);
  if (!IsAddress(fileName_)) {
    struct stat info {};
    if (::stat(fileName_.c_str(), &info) != 0) return Fail(MediaFailure::FileNotFound);
    // A folder, FIFO or device is no media file: the engine would wait on a FIFO for a writer
    // and read a device without end.
    if (!S_ISREG(info.st_mode)) return Fail(MediaFailure::UnknownFormat);
    if (::access(fileName_.c_str(), R_OK) != 0) return Fail(MediaFailure::FileUnreadable);
  }
  // The video callback hears once, when this open has ended one way or the other, so a video
  // following a video keeps its window.
  Close(false);
  struct ReportAtEnd {
    MpvMediaDevice* device;
    ~ReportAtEnd() { device->ReportVideo(); }
  } reportAtEnd{this};
  if (!wait_) {
    open_ = loading_ = true;
    loadIssued_ = false;
    atEnd_ = false;
    return;
  }
  int yes = 1;
  mpv_->setProperty(handle_, "pause", MPV_FORMAT_FLAG, &yes);
  paused_ = true;
  // A load made without waiting left its start behind.
  mpv_->setPropertyString(handle_, "start", "none");
  const char* load[] = {"loadfile", fileName_.c_str(), "replace", nullptr};
  mpv_node reply{};
  if (mpv_->commandRet(handle_, load, &reply) < 0) return Fail(MediaFailure::Other);
  const std::int64_t entry = MpvEntryId(reply);
  mpv_->freeNodeContents(&reply);

  // Wait for this entry to load or to end in an error. Events of earlier entries (the one
  // closed above, or one given up after a time-out) are handled on the way without running
  // the end callback.
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(options_.openTimeoutMs);
  std::int64_t started = -1;
  for (;;) {
    const auto left = std::chrono::duration<double>(deadline - Clock::now()).count();
    if (left <= 0 || openAbandoned_) {
      const char* stop[] = {"stop", nullptr};
      mpv_->command(handle_, stop);
      return Fail(openAbandoned_ ? MediaFailure::Other : MediaFailure::Timeout);
    }
    // With a pump the window's events run between short waits.
    mpv_event* event = mpv_->waitEvent(handle_, pump_ ? std::min(left, 0.01) : left);
    if (event->event_id == MPV_EVENT_NONE && pump_) {
      Pump();
      continue;
    }
    if (event->event_id == MPV_EVENT_START_FILE) {
      const auto id = static_cast<const mpv_event_start_file*>(event->data)->playlist_entry_id;
      if (entry < 0 || id == entry) started = id;
    } else if (event->event_id == MPV_EVENT_END_FILE && started >= 0) {
      const auto* end = static_cast<const mpv_event_end_file*>(event->data);
      if (end->playlist_entry_id == started) {
        return Fail(end->reason == MPV_END_FILE_REASON_ERROR ? FailureOf(end->error)
                                                             : MediaFailure::UnknownFormat);
      }
    } else if (event->event_id == MPV_EVENT_FILE_LOADED && started >= 0) {
      break;
    } else {
      Handle(*event, false);
    }
  }
  entryId_ = started;
  open_ = true;
  Loaded();
}

void MpvMediaDevice::ReadTags() {
  tags_ = StreamTags{};
  mpv_node metadata{};
  if (mpv_->getProperty(handle_, "metadata", MPV_FORMAT_NODE, &metadata) < 0) return;
  tags_ = PickStreamTags(StringPairs(metadata));
  mpv_->freeNodeContents(&metadata);
}

void MpvMediaDevice::ReportVideo() {
  bool video = false;
  std::int64_t width = 0, height = 0;
  if (open_) {
    // "vid" reads as a track number while a video track is selected and fails as "no".
    std::int64_t track = 0;
    video = mpv_->getProperty(handle_, "vid", MPV_FORMAT_INT64, &track) >= 0 && track > 0;
    if (video) {
      if (mpv_->getProperty(handle_, "current-tracks/video/demux-w", MPV_FORMAT_INT64, &width) <
              0 ||
          mpv_->getProperty(handle_, "current-tracks/video/demux-h", MPV_FORMAT_INT64, &height) <
              0) {
        width = height = 0;
      }
    }
  }
  if (!video && !videoReported_) return;  // nothing shown before, nothing to take down
  videoReported_ = video;
  if (!videoCallback_) return;
  const auto side = [](std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, 0, 16384));
  };
  videoCallback_(video, side(width), side(height));
}

void MpvMediaDevice::Close(bool report) {
  from_.reset();
  if (open_ || entryId_ >= 0 || loadIssued_) {
    const char* stop[] = {"stop", nullptr};
    mpv_->command(handle_, stop);
  }
  open_ = loading_ = loadIssued_ = false;
  atEnd_ = false;
  length_ = 0;
  tags_ = StreamTags{};
  seekTarget_.reset();
  seekAfterLoad_.reset();
  entryId_ = -1;
  if (report) ReportVideo();
}

void MpvMediaDevice::ReloadVideo() {
  if (!open_ || !videoReported_) return;
  // Without a video track the output is taken down; selecting the track again makes a new one.
  std::int64_t track = 0;
  if (mpv_->getProperty(handle_, "vid", MPV_FORMAT_INT64, &track) < 0 || track <= 0) return;
  mpv_->setPropertyString(handle_, "vid", "no");
  mpv_->setProperty(handle_, "vid", MPV_FORMAT_INT64, &track);
}

void MpvMediaDevice::Play() {
  if (from_) {
    SeekTo(*from_);
    from_.reset();
  }
  if (loading_) {
    int no = 0;
    mpv_->setProperty(handle_, "pause", MPV_FORMAT_FLAG, &no);
    paused_ = false;
    return;
  }
  int no = 0;
  mpv_->setProperty(handle_, "pause", MPV_FORMAT_FLAG, &no);
  paused_ = false;
  if (seekLanded_) seekTarget_.reset();
}

void MpvMediaDevice::Pause() {
  int yes = 1;
  mpv_->setProperty(handle_, "pause", MPV_FORMAT_FLAG, &yes);
  paused_ = true;
}

void MpvMediaDevice::SeekTo(std::int32_t ms) {
  ms = std::max(ms, 0);
  if (loading_) {
    // The engine cannot seek in media still opening: the seek waits for the load.
    seekAfterLoad_ = ms;
    seekTarget_ = ms;
    seekLanded_ = false;
    return;
  }
  if (length_ > 0) ms = std::min(ms, length_);
  const std::string seconds = Fixed(ms, 3);
  const char* seek[] = {"seek", seconds.c_str(), "absolute+exact", nullptr};
  if (mpv_->command(handle_, seek) < 0) return;
  atEnd_ = false;
  seekTarget_ = ms;
  seekLanded_ = false;
}

std::int32_t MpvMediaDevice::Position() const {
  if (!open_) return 0;
  if (loading_) return seekTarget_.value_or(0);
  if (atEnd_) return length_;
  if (seekTarget_) return *seekTarget_;
  double seconds = 0;
  if (mpv_->getProperty(handle_, "time-pos", MPV_FORMAT_DOUBLE, &seconds) < 0) return 0;
  auto ms = static_cast<std::int32_t>(std::lround(std::clamp(seconds, 0.0, 2.0e6) * 1000.0));
  return length_ > 0 ? std::min(ms, length_) : ms;
}

void MpvMediaDevice::SetDisplayWindow(std::uint64_t windowId) {
  displayWindow_ = windowId;
  if (!Ready()) return;
  std::int64_t wid = windowId == 0 ? -1 : static_cast<std::int64_t>(windowId);
  mpv_->setProperty(handle_, "wid", MPV_FORMAT_INT64, &wid);
}

void MpvMediaDevice::SetVolume(double left, double right) {
  left_ = std::clamp(left, 0.0, 1.0);
  right_ = std::clamp(right, 0.0, 1.0);
  ApplyVolume();
}

void MpvMediaDevice::ApplyVolume() {
  if (!Ready()) return;
  // The engine's volume works on a cubic curve; its cube root gives a linear factor. The louder
  // side sets the volume and a pan filter lowers the other side.
  const double loud = std::max(left_, right_);
  double volume = 100.0 * std::cbrt(loud);
  mpv_->setProperty(handle_, "volume", MPV_FORMAT_DOUBLE, &volume);
  std::string filter;
  if (loud > 0 && std::fabs(left_ - right_) > 1e-4) {
    auto factor = [loud](double side) { return Fixed(std::lround(side / loud * 10000.0), 4); };
    // Upmix to stereo first so mono media can be panned as well.
    filter = "lavfi=[aformat=channel_layouts=stereo,pan=stereo|c0=" + factor(left_) +
             "*c0|c1=" + factor(right_) + "*c1]";
  }
  if (filter == balanceFilter_) return;
  balanceFilter_ = filter;
  mpv_->setPropertyString(handle_, "af", filter.c_str());
}

void MpvMediaDevice::SetReplayGain(ReplayGain mode) {
  replayGain_ = mode;
  ApplyReplayGain();
}

void MpvMediaDevice::ApplyReplayGain() {
  if (!Ready()) return;
  const char* value = replayGain_ == ReplayGain::Track   ? "track"
                      : replayGain_ == ReplayGain::Album ? "album"
                                                         : "no";
  // The engine recomputes the level of what plays when this changes.
  mpv_->setPropertyString(handle_, "replaygain", value);
}

}  // namespace varlo
