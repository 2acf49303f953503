#include "webradio/web_radio_mode.h"

#include <algorithm>
#include <cmath>

#include "common/numtext.h"
#include "common/paths.h"
#include "webradio/web_address.h"

namespace varlo {
namespace {

constexpr const char* kUnavailable = "Un-available!";

std::string WholeNumber(double value) {
  return IntToText(std::llround(std::isfinite(value) ? value : 0.0));
}

}  // namespace

WebRadioMode::WebRadioMode(FormAccess& form, AppSettings& settings, std::string programFolder,
                           IStreamPlayer& player)
    : form_(form), settings_(settings), programFolder_(std::move(programFolder)), player_(player) {}

void WebRadioMode::Load() {
  stations_ = LoadWebStations(programFolder_);
  ListBox& list = List();
  list.rows.clear();
  for (const WebStation& s : stations_)
    list.rows.push_back(s.name.empty() ? kUnnamedStation : s.name);
  list.selected = -1;
  list.Changed();
}

void WebRadioMode::Release() {
  if (wrMode_) player_.Stop();
}

void WebRadioMode::SaveState() {
  SaveStations();
}

void WebRadioMode::SaveStations() {
  const WriteStatus saved = SaveWebStations(programFolder_, stations_);
  if (saveNotice_.ShouldTell(saved))
    form_.Dialogs().MsgBox(WithReason("Unable to write the station list " +
                                          AddSlash(programFolder_) + kWebRadioFile + "!",
                                      saved),
                           MsgButtons::Ok, "Varlo");
}

int WebRadioMode::Selected() {
  const int n = List().selected;
  return n >= 0 && n < static_cast<int>(stations_.size()) ? n : -1;
}

void WebRadioMode::DoIt(int code) {
  if (code >= 130 && code <= 139) return QuickURL(code - 130);
  switch (code) {
    case 140:
      return StepPreset(-1);
    case 141:
      return StepPreset(+1);
    case 142:
      return NewStation();
    case 143:
      return DelStation();
    case 144:
      return MoveStation(+1);
    case 145:
      return MoveStation(-1);
    case 147:
      return WRPlay("");
    case 148:
      return WRStop();
    default:
      return;
  }
}

void WebRadioMode::WRPlay(const std::string& station) {
  if (!station.empty()) wrCurrent_ = station;
  const WebStation current = SplitStation(wrCurrent_);
  form_.SetCaption(kStateLabel, "Contacting...");
  ShowStreamLight(false);
  form_.SetCaption(kCacheLabel, "");
  form_.SetCaption(kNameLabel, current.name);
  form_.Repaint();
  // Only web streams are played: a station pointing at a local file or another scheme
  // never reaches the engine.
  if (!IsStreamAddress(current.address)) {
    form_.SetCaption(kStateLabel, kUnavailable);
    wrMode_ = false;
    return;
  }
  player_.Play(current.address);
  wrMode_ = true;
  lastState_ = StreamState::Opening;
  lastBuffering_ = false;
  lastChanges_ = player_.Status().changes;
}

void WebRadioMode::WRStop() {
  player_.Stop();
  form_.Repaint();
  ShowStreamLight(false);
  form_.SetCaption(kStateLabel, "Stopped");
  lastState_ = StreamState::Idle;
  lastBuffering_ = false;
}

void WebRadioMode::SwitchOff() {
  const StreamState state = player_.Status().state;
  if (state == StreamState::Opening || state == StreamState::Playing ||
      state == StreamState::Paused)
    WRStop();
}

void WebRadioMode::Timer1Step() {
  if (wrMode_) WRUpdate();
}

void WebRadioMode::ShowMetadata(const StreamStatus& s) {
  form_.SetCaption(kTitleLabel, s.title);
  form_.SetCaption(kAuthorLabel, s.stationName);
  lastChanges_ = s.changes;
}

void WebRadioMode::WRUpdate() {
  const StreamStatus s = player_.Status();
  if (s.state == StreamState::Failed) {
    // The failure arrived: the display stops until the next start.
    form_.SetCaption(kStateLabel, kUnavailable);
    ShowStreamLight(false);
    wrMode_ = false;
    lastState_ = s.state;
    return;
  }
  if (s.state != lastState_) {
    lastState_ = s.state;
    switch (s.state) {
      case StreamState::Idle:
        form_.SetCaption(kStateLabel, "Stopped");
        break;
      case StreamState::Playing:
        form_.SetCaption(kStateLabel, "Playing");
        break;
      case StreamState::Paused:
        form_.SetCaption(kStateLabel, "Paused");
        break;
      default:
        break;
    }
  }
  if (s.buffering != lastBuffering_ && s.state == StreamState::Playing) {
    lastBuffering_ = s.buffering;
    if (s.buffering) {
      form_.SetCaption(kStateLabel, "Buffering...");
    } else {
      form_.SetCaption(kStateLabel, "Playing...");
      form_.SetCaption(kCacheLabel, WholeNumber(s.cacheSeconds));
      ShowMetadata(s);
    }
  }
  if (s.changes != lastChanges_) ShowMetadata(s);
  // The browser's activity light is the same light: the tick sets it only when the stream's
  // state changes, never over what a page load shows between changes.
  const bool playing = s.state == StreamState::Playing && !s.buffering;
  if (playing != streamLight_) ShowStreamLight(playing);
  if (s.state == StreamState::Playing) {
    form_.SetDD(kPositionDisplay, std::floor(std::max(0.0, s.positionSeconds)));
    if (!s.buffering) form_.SetCaption(kCacheLabel, WholeNumber(s.cacheSeconds));
  }
  form_.SetCaption(kRateLabel, WholeNumber(s.bitRate / 1000.0));
}

void WebRadioMode::ShowStreamLight(bool lit) {
  streamLight_ = lit;
  form_.SetLight(kStreamLight, lit);
}

void WebRadioMode::QuickURL(int n) {
  if (form_.StoreArmed(StoreMode::WebRadio)) {
    settings_.radioURL[static_cast<std::size_t>(n)] = wrCurrent_;
    form_.SetStoreArmed(StoreMode::WebRadio, false);
    return;
  }
  DoPreset(n);
}

void WebRadioMode::DoPreset(int n) {
  n = std::clamp(n, 0, 9);
  const std::string& preset = settings_.radioURL[static_cast<std::size_t>(n)];
  if (TrimBlanks(preset).empty()) {
    // An empty preset leaves what plays and the preset shown as they are.
    form_.SetCaption(kStateLabel, "Preset " + IntToText(n + 1) + " is empty");
    return;
  }
  WRPlay(preset);
  ShowPreset(n);
}

void WebRadioMode::StepPreset(int direction) {
  int n = wrPreset_ + direction;
  while (n >= 0 && n <= 9 && TrimBlanks(settings_.radioURL[static_cast<std::size_t>(n)]).empty())
    n += direction;
  // Nothing filled further that way: the current preset plays again, as at the ends.
  if (n < 0 || n > 9) n = wrPreset_;
  DoPreset(n);
}

void WebRadioMode::ShowPreset(int n) {
  wrPreset_ = n;
  form_.SetDD(kPresetDisplay, n + 1);
  form_.SetCaption(kPresetLabel, IntToText(n + 1));
}

void WebRadioMode::StationsChanged(int select) {
  ListBox& list = List();
  list.rows.clear();
  for (const WebStation& s : stations_)
    list.rows.push_back(s.name.empty() ? kUnnamedStation : s.name);
  list.selected = std::min(select, static_cast<int>(stations_.size()) - 1);
  list.Changed();
  SaveStations();
}

void WebRadioMode::NewStation() {
  if (stations_.size() >= kMaxWebStations) return;
  stations_.push_back({"Station", "http://"});
  StationsChanged(static_cast<int>(stations_.size()) - 1);
}

void WebRadioMode::DelStation() {
  const int n = Selected();
  if (n < 0) {
    form_.Dialogs().MsgBox("No station selected!", MsgButtons::Ok, "Varlo");
    return;
  }
  stations_.erase(stations_.begin() + n);
  form_.SetEntryText(kEditEntry, "");
  StationsChanged(n);
}

void WebRadioMode::MoveStation(int direction) {
  const int n = Selected();
  const int to = n + direction;
  if (n < 0 || to < 0 || to >= static_cast<int>(stations_.size())) return;
  std::swap(stations_[static_cast<std::size_t>(n)], stations_[static_cast<std::size_t>(to)]);
  StationsChanged(to);
}

void WebRadioMode::SetEdit() {
  const int n = Selected();
  if (n < 0) return;
  form_.SetEntryText(kEditEntry, StationString(stations_[static_cast<std::size_t>(n)]));
}

void WebRadioMode::DoEdit() {
  const int n = Selected();
  if (n < 0) return;
  stations_[static_cast<std::size_t>(n)] = SplitStation(form_.EntryText(kEditEntry));
  StationsChanged(n);
}

void WebRadioMode::PlaySelected() {
  const int n = Selected();
  if (n < 0) return;
  SetEdit();
  WRPlay(StationString(stations_[static_cast<std::size_t>(n)]));
  ShowPreset(-1);
}

void WebRadioMode::ListEvent(ListArea area, ListAction action, int value) {
  if (area != ListArea::WrList || action == ListAction::Key) return;
  ListBox& list = List();
  if (value < 0 || value >= static_cast<int>(stations_.size())) return;
  if (list.selected != value) {
    list.selected = value;
    list.Selected();
  }
  if (action == ListAction::DoubleClick)
    PlaySelected();
  else
    SetEdit();
}

bool WebRadioMode::EntryKey(int entry, int key) {
  if (entry != kEditEntry || key != 13) return false;
  DoEdit();
  return true;
}

}  // namespace varlo
