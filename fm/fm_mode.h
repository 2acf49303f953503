#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "common/app_settings.h"
#include "common/settings_store.h"
#include "common/write_status.h"
#include "fm/fm_links.h"
#include "fm/tuner.h"
#include "shell/mode.h"
#include "skin/form_access.h"
#include "skin/scroll_name.h"

namespace varlo {

// The FM radio as a mode of the main window: the frequency, stepping and scanning, the preset
// list kept in "stations.txt", store mode, station names and pictures, the stereo light and
// the card's volume. Commands 80-100 (and 7-9 while FM is shown), slider 6, the preset list
// and text entry 1 come here. The FM mode is shown when the skin shows the preset list.
class FmMode final : public Mode {
 public:
  FmMode(FormAccess& form, AppSettings& settings, SettingsStore& store, std::string programFolder,
         Tuner& tuner, CoverDisplay& cover);

  void Load() override;
  void SaveState() override;
  void Unload() override;
  void DoIt(int code) override;
  void Timer1Step() override;
  // Moves the radio text (or the mode's name) one step along the header's marquee.
  void Timer2Step() override;
  void Paint() override;
  void ListEvent(ListArea area, ListAction action, int value) override;
  bool EntryKey(int entry, int key) override;
  void SliderMoved(int slider, double value) override;
  bool TakeTypedNumber(double value) override;

  // The clock's schedule: the radio on at preset n (from 1; another number keeps the station),
  // or off. Nothing happens while FM is disabled or the library is missing.
  void SwitchOn(int preset);
  void SwitchOff();

  // Whether the window shows the FM mode (its skin shows the preset list).
  bool Shown() const { return form_.ListVisible(FormList::FmPreset); }

  std::int32_t Frequency() const { return fmFreq_; }
  int Scan() const { return scan_; }
  int PStation() const { return pStation_; }
  int LastPreset() const { return lastPreset_; }
  bool Muted() const { return muted_; }
  const std::vector<std::string>& Presets() const { return List().rows; }

 private:
  bool Enabled() const { return settings_.fmEnable == 1; }
  ListBox& List() { return form_.List(FormList::FmPreset); }
  const ListBox& List() const { return form_.List(FormList::FmPreset); }
  int Count() const { return static_cast<int>(List().rows.size()); }

  void ApplyStartTuning();
  void SetFreq();
  // Label 41, display 9 and the tuning knob show the frequency.
  void ShowFrequency();
  void SetScan(int direction);
  void Step(int delta);
  void ScanStep();
  void ShowRdsName();
  void FindStation();
  void ShowPreset(int index);
  void SelectPreset(int index);
  void PrevPreset();
  void NextPreset();
  void StorePreset();
  void AddPreset();
  void DeletePreset();
  void MovePreset(int direction);
  void ClickPreset(int index);
  void RenamePreset();
  void VolumeStep(bool up);
  void ToggleMute();
  void SelectRow(int index);
  void PresetsChanged();
  // Writes "stations.txt"; a failure is told once.
  void SaveStationList();
  void ShowNoLibrary();

  FormAccess& form_;
  AppSettings& settings_;
  SettingsStore& store_;
  std::string programFolder_;
  Tuner& tuner_;
  CoverDisplay& cover_;

  std::int32_t fmFreq_ = 870;   // tenths of a megahertz
  int scan_ = 0;                // -1 down, +1 up, 0 still
  int rdsTicks_ = 0;            // ticks until the RDS name is asked for again
  std::string rdsName_;         // the RDS name label 42 shows; empty when it shows none
  std::string radioText_;       // the RDS radio text; empty when there is none
  std::string audioProblem_;    // why the radio is not heard; shown instead of the radio text
  std::string stationsNotice_;  // that "stations.txt" was cut; shown instead of the radio text
  bool listIsFile_ = true;      // the preset list holds the whole of "stations.txt"
  WriteFailureNotice saveNotice_;
  ScrollName marquee_;
  int pStation_ = 0;    // the slot previous/next step from and store mode writes
  int lastPreset_ = 0;  // the entry rename, move and delete act on
  bool muted_ = false;
  std::uint8_t volumeBeforeMute_ = 0;
};

}  // namespace varlo
