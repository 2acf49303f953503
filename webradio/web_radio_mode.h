#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "common/app_settings.h"
#include "common/write_status.h"
#include "platform/stream_player.h"
#include "shell/mode.h"
#include "skin/form_access.h"
#include "webradio/station_file.h"

namespace varlo {

// Internet radio as a mode of the main window: the stream player's states on labels 60-65
// (65: the seconds of audio held in the cache),
// the position on digit display 12, the ten quick presets ("RadioURL0"-"RadioURL9") with
// store mode, and the station list "webradio.txt" in the web-radio list area with its edit
// box (text entry 3). Commands 130-145, 147 and 148 come here.
class WebRadioMode final : public Mode {
 public:
  WebRadioMode(FormAccess& form, AppSettings& settings, std::string programFolder,
               IStreamPlayer& player);

  void Load() override;
  void Release() override;
  void SaveState() override;
  void DoIt(int code) override;
  void Timer1Step() override;
  void ListEvent(ListArea area, ListAction action, int value) override;
  bool EntryKey(int entry, int key) override;

  // Starts `station` (a station string), or the current station again when empty.
  void WRPlay(const std::string& station);
  void WRStop();
  // Stops the stream when one is open or opening (the clock's switch-off); else nothing.
  void SwitchOff();
  // The display refresh of each main-timer tick while a stream has been started.
  void WRUpdate();

  bool WRMode() const { return wrMode_; }
  int WRPreset() const { return wrPreset_; }
  const std::string& WRCurrent() const { return wrCurrent_; }
  const std::vector<WebStation>& Stations() const { return stations_; }

  // Label and light numbers of the mode.
  static constexpr int kNameLabel = 60, kTitleLabel = 61, kAuthorLabel = 62, kStateLabel = 63,
                       kRateLabel = 64, kCacheLabel = 65, kPresetLabel = 67;
  static constexpr int kStreamLight = 1;
  static constexpr int kPositionDisplay = 12, kPresetDisplay = 13;
  static constexpr int kEditEntry = 3;

 private:
  ListBox& List() { return form_.List(FormList::WrList); }
  int Selected();
  void QuickURL(int n);
  void DoPreset(int n);
  // Commands 140 and 141: the nearest filled preset before or after the current one.
  void StepPreset(int direction);
  void ShowPreset(int n);
  void NewStation();
  void DelStation();
  void MoveStation(int direction);
  void SetEdit();
  void DoEdit();
  void PlaySelected();
  void StationsChanged(int select);
  // Writes "webradio.txt"; a failure is told once.
  void SaveStations();
  void ShowMetadata(const StreamStatus& s);
  void ShowStreamLight(bool lit);

  FormAccess& form_;
  AppSettings& settings_;
  std::string programFolder_;
  IStreamPlayer& player_;

  std::vector<WebStation> stations_;
  WriteFailureNotice saveNotice_;
  std::string wrCurrent_;
  int wrPreset_ = -1;
  bool wrMode_ = false;
  // What the display last showed of the player, so each change is shown once.
  StreamState lastState_ = StreamState::Idle;
  bool lastBuffering_ = false;
  bool streamLight_ = false;
  std::uint64_t lastChanges_ = 0;
};

}  // namespace varlo
