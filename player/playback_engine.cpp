#include "player/playback_engine.h"

#include <algorithm>
#include <cmath>

#include "common/numtext.h"
#include "common/paths.h"
#include "common/utf8_text.h"
#include "player/device_choice.h"
#include "player/display_name.h"
#include "player/media_errors.h"
#include "player/player_lights.h"

namespace varlo {
namespace {

constexpr char kCr = '\r';
constexpr std::string_view kNotFound = "[FILE NOT FOUND]";

// Length text of label 13: whole minutes, ":", two-digit seconds.
std::string LengthText(std::int32_t ms) {
  const std::int32_t seconds = ms < 0 ? 0 : ms / 1000;
  return IntToText(seconds / 60) + ":" + FormatFixed(seconds % 60, 2, 0);
}

// A 16-bit channel value of the wave-out volume.
std::uint32_t Channel(double value) {
  const double v = std::clamp(RoundHalfEven(value), 0.0, 65535.0);
  return static_cast<std::uint32_t>(v);
}

}  // namespace

PlaybackEngine::PlaybackEngine(PlayerState& state, Playlist& playlist, const AppSettings& settings,
                               IMediaDevice& unit0, IMediaDevice& unit1, const IClock& clock,
                               FormAccess& form, PlayerLinks links)
    : state_(state),
      list_(playlist),
      settings_(settings),
      unit0_(unit0),
      unit1_(unit1),
      clock_(clock),
      form_(form),
      links_(links),
      random_(static_cast<std::mt19937::result_type>(clock.SteadyMs())) {}

void PlaybackEngine::Label(int n, const std::string& text) const {
  form_.SetCaption(n, text);
}

void PlaybackEngine::Lights() const {
  ShowLights(form_, state_);
}

void PlaybackEngine::SelectEntry(int index) {
  list_.selected = index;
  if (list_.onSelected) list_.onSelected();
}

int PlaybackEngine::RandomTrack() {
  std::uniform_int_distribution<int> pick(1, list_.Count());
  return pick(random_);
}

void PlaybackEngine::PlayIt() {
  // A file that is not in the list yet is added first, so it can play into an empty list.
  if (list_.Count() == 0 && state_.tNum != -99) return;
  if (state_.tNum == -99) {
    list_.Append(DisplayName(GetFileName(state_.songPath), settings_.friendlyNames),
                 state_.songPath);
    list_.Changed();
    state_.tNum = list_.Count();
  }
  if (state_.tNum < 1) state_.tNum = list_.Count();
  if (state_.tNum > list_.Count()) {
    state_.tNum = 1;
    StopIt();
    return;
  }
  const auto index = static_cast<std::size_t>(state_.tNum - 1);
  // A start asked for anew (not a skip past a failed entry) gives every entry another try.
  if (!skipping_) ForgetFailures();
  skipPending_ = false;

  timerOn_ = false;
  for (int label : {10, 11, 12, 69}) Label(label, "");
  state_.rptA = 0;
  state_.rptB = 0;
  state_.dev.clear();
  streamTags_ = StreamTags{};

  if (state_.cdMode) {
    state_.dev = "cdaudio";
    state_.playUnit = PlayUnit::CD;
  } else {
    state_.songPath = list_.paths[index];
    const std::string& path = state_.songPath;
    if (path.size() >= 5 && path[4] == ':') {
      form_.Dialogs().MsgBox("Internet file!", MsgButtons::Ok, "Varlo");
    } else if (!FileExists(path)) {
      std::string& name = list_.names[index];
      if (name.find(kNotFound) == std::string::npos) name += " " + std::string(kNotFound);
      list_.paths[index].clear();
      list_.Changed();
      state_.dev.clear();
      EntryFailed("", MciErrorShortText(mci_error::kFileNotFound));
      return;
    }

    const DeviceChoice choice = ChooseDevice(GetExt(path));
    if (choice.kind != EntryKind::Mpeg) links_.media.ClearTag();
    switch (choice.kind) {
      case EntryKind::Mpeg:
        links_.media.GetMP3Info(path);
        links_.media.LoadEntryCover(path, settings_.useTagCover == 1);
        break;
      case EntryKind::Device:
      case EntryKind::CdTrack:
        state_.dev = choice.device;
        break;
      case EntryKind::Picture:
        state_.dev = kDelayDevice;
        state_.songLenMs = kPictureMs;
        state_.trkStart = 0;
        state_.trkEnd = kPictureMs;
        state_.elapsedMs = 0;
        links_.media.LoadCover(path);
        SelectEntry(state_.tNum - 1);
        timerOn_ = true;
        lastTickMs_ = clock_.SteadyMs();
        break;
      case EntryKind::NotPlayable:
        // Playback halts here without a message: the position timer stays off.
        state_.dev = kDelayDevice;
        timerOn_ = false;
        return;
      case EntryKind::Default:
        links_.media.LoadEntryCover(path, false);
        break;
    }
  }

  if (state_.dev.empty()) state_.dev = DefaultDevice(settings_.mciDevice);

  if (form_.SliderUsable(1)) {
    form_.PlaceSlider(1, 0.0);
    form_.SetSliderVisible(1, true);
  }
  IMediaDevice& device = Unit();
  device.Command("close");
  device.SetDeviceType(state_.dev);

  if (state_.dev != kDelayDevice) {
    const bool cd = state_.dev == "cdaudio";
    device.SetFileName(cd ? std::string() : state_.songPath);
    // The disc's table is known already: its stream opens in the background, so a drive
    // spinning up never holds the window. A failure then shows at a later tick.
    device.SetWait(!cd);
    device.Command("open");
    if (device.Error() != mci_error::kNone) {
      const std::string text =
          OpenErrorText(state_.dev, device.FileName(), device.Error(), device.ErrorMessage());
      const std::string reason = MciErrorShortText(device.Error());
      state_.dev.clear();
      EntryFailed(text, reason);
      return;
    }
    openingInBackground_ = cd;
    if (cd) {
      const auto [start, length] = links_.disc.Track(state_.tNum);
      device.SetFrom(start);
      state_.songLenMs = length;
      state_.trkStart = start;
      state_.trkEnd = start + length;
    } else {
      device.SetFrom(0);
      state_.songLenMs = device.Length();
      state_.trkStart = 0;
      state_.trkEnd = state_.songLenMs;
      streamTags_ = device.Tags();
      links_.media.LoadLyrics(state_.songPath);
    }
    state_.elapsedMs = 0;
  }

  state_.paused = false;
  state_.playing = true;
  form_.SetAnimationRunning(2, true);
  ShowTitles();
  Lights();
  form_.Repaint();
  if (state_.dev != kDelayDevice) device.Command("play");
  // This entry plays, so the next failure begins a new round of tries.
  if (!openingInBackground_) ForgetFailures();
  // An old module driver needed its window activated and a keystroke sent once playback had
  // begun; every device here starts by itself, so nothing is sent anywhere.
  timerOn_ = true;
}

std::string PlaybackEngine::OpenErrorText(const std::string& dev, const std::string& fileName,
                                          int error, const std::string& errorMessage) {
  std::string advice;
  switch (error) {
    case mci_error::kInvalidDeviceName:
      advice = std::string("MCI driver is NOT installed.") + kCr + "See Varlo documentation!";
      break;
    case mci_error::kOutOfMemory:
      advice = fileName.size() > 98 ? "The filename and path must be 98 characters or less!"
                                    : "Out of memory.";
      break;
    case mci_error::kUnsupportedFunction:
      if (dev == "MPEGVideo") {
        advice = std::string("Make sure you are using the Microsoft MPEGVideo driver!") + kCr +
                 "MPEG Video may have been re-assigned to a DVD drive or card." + kCr +
                 "You may need to use the ActiveMovie driver (see docs)!";
      } else {
        advice = "Try installing the latest MS MediaPlayer (formerly ActiveMovie).";
      }
      break;
    case mci_error::kInternal:
      advice = std::string("The File could not be opened.") + kCr +
               "It may be an unknown format, corrupt, or an un-supported variation of a known "
               "format.";
      break;
    default:
      advice = std::string("Unhandled Varlo error") + kCr + "Filename: " + fileName;
      break;
  }
  return "MCI Device: " + dev + kCr + "Filename: " + fileName + kCr + kCr +
         "Error: " + errorMessage + kCr + kCr + advice;
}

bool PlaybackEngine::OpenedInBackground() {
  IMediaDevice& device = Unit();
  if (device.Error() == mci_error::kNone) {
    if (device.Length() > 0) openingInBackground_ = false;
    return true;
  }
  // The open that did not wait failed: said as a failed open would have said it at once.
  openingInBackground_ = false;
  const std::string text =
      OpenErrorText(state_.dev, device.FileName(), device.Error(), device.ErrorMessage());
  const std::string reason = MciErrorShortText(device.Error());
  StopIt();
  state_.dev.clear();
  EntryFailed(text, reason);
  return false;
}

void PlaybackEngine::ForgetFailures() {
  failed_.clear();
  firstFailure_.clear();
}

void PlaybackEngine::FitFailuresToList() {
  // A list that changed since the last failure is tried anew.
  const auto count = static_cast<std::size_t>(list_.Count());
  if (failed_.size() == count) return;
  ForgetFailures();
  failed_.resize(count);
}

int PlaybackEngine::FailedCount() const {
  return static_cast<int>(std::count(failed_.begin(), failed_.end(), true));
}

void PlaybackEngine::EntryFailed(const std::string& boxText, const std::string& reason) {
  timerOn_ = false;
  if (settings_.contPB != 1 || list_.Count() == 0) {
    if (!boxText.empty()) form_.Dialogs().MsgBox(boxText, MsgButtons::Ok, "Varlo");
    return;
  }
  const int count = list_.Count();
  FitFailuresToList();
  const auto index = static_cast<std::size_t>(std::clamp(state_.tNum, 1, count) - 1);
  failed_[index] = true;
  const int failedCount = FailedCount();
  // The entry's own name, without the mark a missing file gets.
  std::string name = list_.names[index];
  if (const auto mark = name.find(" " + std::string(kNotFound)); mark != std::string::npos)
    name.erase(mark);
  // The title line is short: it gives the reason, and the list shows the entry selected. The
  // name display and the tray tip say it whole.
  std::string text = "Skipped " + name + ": " + reason;
  if (failedCount == 1) {
    firstFailure_ = text;
    Label(2, "Skipped: " + reason);
  } else {
    text += " (" + IntToText(failedCount) + " skipped)";
    Label(2, IntToText(failedCount) + " skipped: " + reason);
  }
  state_.songName = text;
  form_.SetDD(6, text);
  SelectEntry(static_cast<int>(index));
  trayTip_ = "Varlo - " + text;
  trayTip_.resize(Utf8PrefixLength(trayTip_, kTrayTipMax));
  links_.tray.SetTrayTip(trayTip_);
  state_.playing = false;
  state_.paused = false;
  form_.SetAnimationRunning(2, false);
  Lights();

  if (failedCount >= count) {
    // Every entry was tried once and none plays: playback stops, with one message.
    StopIt();
    const std::string message =
        (count == 1 ? std::string("The playlist's only entry")
                    : "None of the " + IntToText(count) + " entries of the playlist") +
        " could be played." + kCr + kCr + firstFailure_;
    ForgetFailures();
    form_.Dialogs().MsgBox(message, MsgButtons::Ok, "Varlo");
    return;
  }
  // The first failure stays on the display a moment; later ones in a row go on at once.
  skipPending_ = true;
  skipAtMs_ = clock_.SteadyMs() + (failedCount == 1 ? kSkipShownMs : 0);
}

void PlaybackEngine::SkipFailedEntry() {
  skipPending_ = false;
  const int count = list_.Count();
  if (count == 0) return;
  FitFailuresToList();
  if (state_.shuffle) {
    // A random entry among those not tried yet.
    std::uniform_int_distribution<int> pick(1, std::max(1, count - FailedCount()));
    int nth = pick(random_);
    for (int i = 0; i < count; ++i) {
      if (failed_[static_cast<std::size_t>(i)]) continue;
      if (--nth == 0) {
        state_.tNum = i + 1;
        break;
      }
    }
  } else {
    ++state_.tNum;
  }
  skipping_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{skipping_};
  PlayIt();
}

void PlaybackEngine::StopIt() {
  skipPending_ = false;
  for (int unit : {0, 1}) {
    IMediaDevice& device = Device(unit);
    device.SetFrom(0);
    device.Command("seek");
    device.Command("stop");
  }
  form_.SetSliderVisible(1, false);
  Label(1, "");
  shownPosition_.clear();
  state_.paused = false;
  state_.playing = false;
  form_.SetAnimationRunning(2, false);
  Lights();
  links_.titles.ExDevOut("Varlo stopped");
}

void PlaybackEngine::ResetPosition() {
  state_.elapsedMs = 0;
  state_.timeDisp = 0;
  shownPosition_.clear();
  form_.SetDD(1, 0);
  form_.PlaceSlider(1, 0.0);
}

void PlaybackEngine::PauseIt() {
  if (!state_.playing) return;
  if (!state_.paused) {
    Unit().Command("stop");
    links_.titles.ExDevOut("paused...");
  } else {
    Unit().Command("play");
  }
  state_.paused = !state_.paused;
  Lights();
}

void PlaybackEngine::PlayPause() {
  if (state_.playing) {
    PauseIt();
  } else {
    PlayIt();
  }
}

void PlaybackEngine::PlayFrom(std::int32_t positionMs) {
  if (positionMs < 0) positionMs = 0;
  if (positionMs > state_.songLenMs) positionMs = state_.songLenMs - 1000;
  IMediaDevice& device = Unit();
  device.Command("stop");
  device.SetFrom(positionMs + state_.trkStart);
  device.Command("Play");
}

void PlaybackEngine::SeekTo(std::int32_t positionMs) {
  if (!state_.playing || state_.dev == kDelayDevice) return;
  PlayFrom(positionMs);
  state_.paused = false;
  Lights();
}

void PlaybackEngine::Reverse() {
  if (!state_.playing) return;
  PlayFrom(state_.elapsedMs - kSkipMs);
  state_.paused = false;
  Lights();
}

void PlaybackEngine::Forward() {
  if (!state_.playing) return;
  PlayFrom(state_.elapsedMs + kSkipMs);
  state_.paused = false;
  Lights();
}

void PlaybackEngine::NextTrack() {
  if (list_.Count() == 0) return;
  if (state_.shuffle) {
    RndTrack();
  } else {
    ++state_.tNum;
  }
  PlayIt();
}

void PlaybackEngine::PrevTrack() {
  if (list_.Count() == 0) return;
  if (state_.shuffle) {
    RndTrack();
  } else {
    --state_.tNum;
  }
  PlayIt();
}

void PlaybackEngine::RndTrack() {
  if (list_.Count() < 1) return;
  state_.tNum = RandomTrack();
}

void PlaybackEngine::JumpTo(std::string_view typed) {
  const double number = LeadingNumber(typed);
  if (number > 0 && number <= list_.Count()) {
    state_.tNum = static_cast<int>(RoundHalfEven(number));
    PlayIt();
  }
  Label(23, "");
}

void PlaybackEngine::AdvanceTrack() {
  if (!state_.cdMode && settings_.pbOverlap >= 1) {
    state_.playUnit = state_.playUnit == PlayUnit::Media ? PlayUnit::CD : PlayUnit::Media;
  }
  if (!state_.repeat) {
    if (state_.shuffle) {
      RndTrack();
    } else {
      ++state_.tNum;
    }
  }
  PlayIt();
  if (state_.stp) StopIt();
}

void PlaybackEngine::UpdatePosition() {
  if (skipPending_) {
    if (clock_.SteadyMs() >= skipAtMs_) SkipFailedEntry();
    return;
  }
  if (!timerOn_ || !state_.playing || state_.songLenMs == 0) return;
  if (openingInBackground_ && !OpenedInBackground()) return;

  if (state_.dev != kDelayDevice) {
    state_.elapsedMs = Unit().Position() - (state_.cdMode ? state_.trkStart : 0);
  } else {
    // A timed display counts real time between ticks, and nothing while paused.
    const std::int64_t now = clock_.SteadyMs();
    if (!state_.paused) state_.elapsedMs += static_cast<std::int32_t>(now - lastTickMs_);
    lastTickMs_ = now;
  }

  state_.timeDisp = state_.timeRemaining ? state_.songLenMs - state_.elapsedMs : state_.elapsedMs;
  std::string text = TimeText(state_.timeDisp / 1000);
  if (state_.timeRemaining) text = "-" + text;

  if (!form_.SliderHeld(1)) {
    if (text != shownPosition_) {
      shownPosition_ = text;
      Label(1, text);
      const std::int32_t seconds = state_.timeDisp / 1000;
      form_.SetDD(1, state_.timeRemaining ? -seconds : seconds);
    }
    if (form_.SliderVisible(1)) {
      form_.PlaceSlider(1, static_cast<double>(state_.elapsedMs) / state_.songLenMs);
    }
  }

  if (links_.media.LyricsSynchronised()) links_.media.PlayLyrics();

  // After an advance the next entry is playing; the rest of this tick belongs to the old one.
  if (state_.intro && state_.elapsedMs > kIntroMs) {
    AdvanceTrack();
    return;
  }
  if (state_.rptB > 0 && state_.elapsedMs >= state_.rptB) PlayFrom(state_.rptA);
  if (!state_.cdMode && state_.elapsedMs >= state_.songLenMs - settings_.pbOverlap) {
    AdvanceTrack();
  }
}

void PlaybackEngine::ShowTitles() {
  if (list_.Count() == 0) return;
  const bool inRange = state_.tNum >= 1 && state_.tNum <= list_.Count();
  if (!inRange) {
    state_.songLenMs = 0;
    state_.songName.clear();
    links_.media.ClearTagTitle();
  } else {
    state_.songName = list_.names[static_cast<std::size_t>(state_.tNum - 1)];
    SelectEntry(state_.tNum - 1);
  }

  if (state_.cdMode) {
    // Track titles are shown as they are: "AC/DC" is no path.
    Label(69, "CDA");
  } else {
    Label(69, GetExt(state_.songPath));
  }
  Label(2, state_.songName);
  Label(4, NumToText(state_.tNum));
  form_.SetDD(2, state_.tNum);
  form_.SetDD(6, state_.songName);
  Label(13, LengthText(state_.songLenMs));

  // The ID3v1 title comes first; without one the stream's own tags (ID3v2, Vorbis comments
  // ...) name the entry.
  std::string title = links_.media.TagTitle();
  std::string artist = links_.media.TagArtist();
  if (TrimBlanks(title).empty() && !state_.cdMode) {
    title = streamTags_.title;
    artist = streamTags_.artist;
  }
  if (!TrimBlanks(title).empty()) {
    if (!state_.cdMode && inRange) {
      std::string& entry = list_.names[static_cast<std::size_t>(state_.tNum - 1)];
      if (title.size() > entry.size()) {
        entry = title;
        list_.Changed();
      }
    }
    trayTip_ =
        "Varlo - [" + std::string(TrimBlanks(artist)) + "] - " + std::string(TrimBlanks(title));
  } else if (inRange) {
    trayTip_ = "Varlo - " + list_.names[static_cast<std::size_t>(state_.tNum - 1)];
  }
  // The tip is cut on a character boundary so it stays valid UTF-8.
  trayTip_.resize(Utf8PrefixLength(trayTip_, kTrayTipMax));
  links_.tray.SetTrayTip(trayTip_);

  links_.titles.ExDevOut(state_.songName);
}

StreamTags PlaybackEngine::Titles() const {
  StreamTags titles;
  const std::string tagTitle(TrimBlanks(links_.media.TagTitle()));
  if (!tagTitle.empty()) {
    titles.title = tagTitle;
    titles.artist = TrimBlanks(links_.media.TagArtist());
    titles.album = TrimBlanks(links_.media.TagAlbum());
  } else if (!state_.cdMode) {
    titles = streamTags_;
  }
  if (titles.title.empty()) titles.title = state_.songName;
  return titles;
}

void PlaybackEngine::ShowMixer() {
  links_.mixer.ShowMixer();
}

void PlaybackEngine::VolStep(int stepPercent) {
  if (state_.mute) ToggleMute();
  state_.volume = std::clamp(state_.volume + stepPercent / 100.0, 0.0, 1.0);
  ApplyVolume();
  form_.PlaceSlider(2, state_.volume);
}

void PlaybackEngine::ToggleMute() {
  if (!state_.mute) {
    state_.mutedPercent = static_cast<int>(std::floor(state_.volume * 100.0 + 1e-9));
    VolStep(-100);
    state_.mute = true;
  } else {
    state_.mute = false;
    VolStep(state_.mutedPercent);
  }
  Lights();
}

void PlaybackEngine::SetBalance(float balance) {
  state_.balance = static_cast<double>(balance);
  const double b = state_.balance;
  if (b >= 0.45 && b <= 0.55) {
    Label(25, "Centre");
  } else if (b > 0.55) {
    Label(25, FormatFixed((b - 0.5) * 200.0, 1, 0) + "% right");
  } else {
    Label(25, FormatFixed((0.5 - b) * 200.0, 1, 0) + "% left");
  }
  ApplyVolume();
}

void PlaybackEngine::ApplyVolume() {
  const double b = state_.balance;
  const double leftFactor = b > 0.55 ? 1.0 - 2.0 * (b - 0.5) : 1.0;
  const double rightFactor = b < 0.45 ? 1.0 - 2.0 * (0.5 - b) : 1.0;
  const std::uint32_t left = Channel(state_.volume * 65535.0 * leftFactor);
  const std::uint32_t right = Channel(state_.volume * 65535.0 * rightFactor);
  waveOut_ = left | (right << 16);
  const double l = left / 65535.0;
  const double r = right / 65535.0;
  unit0_.SetVolume(l, r);
  unit1_.SetVolume(l, r);
}

void PlaybackEngine::ApplyReplayGain() {
  const ReplayGain mode = settings_.replayGain == 1   ? ReplayGain::Track
                          : settings_.replayGain == 2 ? ReplayGain::Album
                                                      : ReplayGain::Off;
  unit0_.SetReplayGain(mode);
  unit1_.SetReplayGain(mode);
}

void PlaybackEngine::ToggleIntro() {
  state_.intro = !state_.intro;
  Lights();
}

void PlaybackEngine::ToggleStopAfter() {
  state_.stp = !state_.stp;
  Lights();
}

void PlaybackEngine::ToggleShuffle() {
  state_.random = !state_.random;
  state_.shuffle = !state_.shuffle;
  Lights();
}

void PlaybackEngine::ToggleRepeat() {
  state_.repeat = !state_.repeat;
  Lights();
}

void PlaybackEngine::SetRepeatA() {
  const bool separateB = form_.ButtonVisible(31);
  if (separateB || state_.rptA <= 0) {
    state_.rptA = state_.elapsedMs;
    state_.rptB = 0;
  } else if (state_.rptB == 0) {
    SetRepeatB();
    return;
  } else {
    state_.rptA = 0;
    state_.rptB = 0;
  }
  Lights();
}

void PlaybackEngine::SetRepeatB() {
  state_.rptB = state_.elapsedMs;
  Lights();
}

}  // namespace varlo
