#include "fm/fm_mode.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "common/file_ignoring_case.h"
#include "common/numtext.h"
#include "common/paths.h"
#include "fm/station_list.h"

namespace varlo {
namespace {

constexpr int kFrequencyLabel = 41;
constexpr int kStatusLabel = 42;
const std::string kMarqueeIdle = "FM RADIO";
constexpr int kMarqueeDigits = 6;  // the scrolling song name, in the radio's header
constexpr int kPresetLabel = 43;
constexpr int kMuteLabel = 8;
constexpr int kFrequencyDisplay = 9;
constexpr int kPresetDisplay = 10;
constexpr int kStereoLight = 1;
constexpr int kTuningSlider = 6;
constexpr int kNameEntry = 1;

constexpr const char* kScanning = "Scanning...";
constexpr const char* kNoLibrary = "No tuner library";

// A typed or stored frequency in MHz, read with "." or a foreign "," as the decimal point.
bool ParseMhz(std::string_view text, double& mhz) {
  std::string number(TrimBlanks(text.substr(0, 32)));
  std::replace(number.begin(), number.end(), ',', '.');
  return !number.empty() && ParseWholeNumber(number, mhz);
}

}  // namespace

FmMode::FmMode(FormAccess& form, AppSettings& settings, SettingsStore& store,
               std::string programFolder, Tuner& tuner, CoverDisplay& cover)
    : form_(form),
      settings_(settings),
      store_(store),
      programFolder_(std::move(programFolder)),
      tuner_(tuner),
      cover_(cover) {}

void FmMode::Load() {
  ListBox& list = List();
  StationFile stations = LoadStations(programFolder_);
  list.rows = std::move(stations.entries);
  list.selected = -1;
  list.Changed();
  // A list that is not the whole file is written back only once the user changes it.
  listIsFile_ = stations.Whole();
  stationsNotice_ = stations.cut ? StationsCutText(list.rows.size()) : std::string();
  if (!stationsNotice_.empty()) form_.SetCaption(kStatusLabel, stationsNotice_);
  fmFreq_ = BandTenths(ToInt32(LeadingNumber(settings_.fmFreqText)));

  // The card is chosen whether or not FM is enabled; a missing library leaves FM silent.
  if (!tuner_.Loaded()) return ShowNoLibrary();
  SetTunerCard(tuner_, settings_.cardType, settings_.cardPort);
  if (!Enabled()) return;
  tuner_.RadioOn();
  ApplyStartTuning();
  FindStation();
}

void FmMode::ApplyStartTuning() {
  if (settings_.fmTuneMd == 1) {
    // The preset as the user numbers them, from 1.
    const int index = settings_.startPreset - 1;
    if (index >= 0 && index < Count()) ShowPreset(index);
  } else if (settings_.fmTuneMd == 2) {
    double mhz = 0;
    if (ParseMhz(settings_.startFreq, mhz)) fmFreq_ = BandTenths(ToInt32(mhz * 10.0));
  }
  // Keeping the last station means hearing it: the card is tuned in every case.
  SetFreq();
}

void FmMode::SaveState() {
  settings_.fmFreqText = IntToText(fmFreq_);
  if (tuner_.Loaded())
    WriteSetting(store_, "FMVolume", IntToText(muted_ ? volumeBeforeMute_ : tuner_.GetVolume()));
  if (listIsFile_) SaveStationList();
}

void FmMode::SaveStationList() {
  const WriteStatus saved = SaveStations(programFolder_, List().rows);
  if (saveNotice_.ShouldTell(saved))
    form_.Dialogs().MsgBox(WithReason("Unable to write the station list " +
                                          AddSlash(programFolder_) + kStationsFile + "!",
                                      saved),
                           MsgButtons::Ok, "Varlo");
}

void FmMode::Unload() {
  if (!Enabled() || !tuner_.Loaded()) return;
  if (settings_.exitMode == 1) {
    tuner_.RadioOff();
  } else if (settings_.exitMode == 2 &&
             form_.Dialogs().MsgBox("Mute FM Tuner Audio?", MsgButtons::YesNo, "Varlo") ==
                 MsgResult::Yes) {
    tuner_.RadioOff();
  }
}

void FmMode::DoIt(int code) {
  if (!tuner_.Loaded()) return ShowNoLibrary();
  if (code >= 91 && code <= 100) return SelectPreset(code - 91);
  switch (code) {
    case 7:
      return VolumeStep(false);
    case 8:
      return VolumeStep(true);
    case 9:
      return ToggleMute();
    case 80:
      return SetScan(-1);
    case 81:
      return SetScan(1);
    case 82:
      return Step(-1);
    case 83:
      return Step(1);
    case 84:
      return PrevPreset();
    case 85:
      return NextPreset();
    case 86:
      return AddPreset();
    case 87:
      return DeletePreset();
    case 88:
      return MovePreset(1);
    case 89:
      return MovePreset(-1);
    case 90:
      return StorePreset();
    default:
      return;
  }
}

void FmMode::SwitchOn(int preset) {
  if (!Enabled() || !tuner_.Loaded()) return;
  // A wake-up is meant to be heard: a muted radio is unmuted first.
  if (muted_) ToggleMute();
  SetScan(0);
  if (preset >= 1 && preset <= Count()) ShowPreset(preset - 1);
  SetFreq();
}

void FmMode::SwitchOff() {
  if (!Enabled() || !tuner_.Loaded()) return;
  SetScan(0);
  tuner_.RadioOff();
}

void FmMode::Timer1Step() {
  if (!Enabled() || !tuner_.Loaded()) return;
  ScanStep();
  if (++rdsTicks_ >= 10) {
    rdsTicks_ = 0;
    audioProblem_ = tuner_.AudioProblem();
    ShowRdsName();
  }
}

// A station without a preset name of its own ("FM") shows the name its RDS sends.
void FmMode::Timer2Step() {
  // The player's song name has the display whenever the radio's skin is not up.
  if (!Shown()) return;
  const std::string& text = !audioProblem_.empty()     ? audioProblem_
                            : !stationsNotice_.empty() ? stationsNotice_
                            : radioText_.empty()       ? kMarqueeIdle
                                                       : radioText_;
  const int cells = form_.DisplayCells(kMarqueeDigits);
  if (cells <= 0) return;
  // The notice about the stations file is no song name: it moves whatever the setting says,
  // so that it can be read whole.
  if (settings_.scrollName == 1 || &text == &stationsNotice_)
    form_.SetDD(kMarqueeDigits, marquee_.Step(text, cells));
  else
    form_.SetDD(kMarqueeDigits, text);
}

void FmMode::ShowRdsName() {
  if (scan_ != 0) return;
  radioText_ = tuner_.RdsRadioText();
  const std::string shown = form_.Caption(kStatusLabel);
  const bool showingRds = !rdsName_.empty() && shown == rdsName_;
  if (shown != "FM" && !shown.empty() && !showingRds) {
    rdsName_.clear();  // a preset's own name is shown
    return;
  }
  std::string name = tuner_.RdsStationName();
  if (name.empty()) {
    if (showingRds) form_.SetCaption(kStatusLabel, "FM");
    rdsName_.clear();
    return;
  }
  if (name != shown) form_.SetCaption(kStatusLabel, name);
  rdsName_ = std::move(name);
}

void FmMode::Paint() {
  if (!tuner_.Loaded()) return ShowNoLibrary();
  if (!Enabled()) return;
  // A new skin shows the frequency and preset the radio is on.
  ShowFrequency();
  if (pStation_ >= 0 && pStation_ < Count()) form_.SetDD(kPresetDisplay, pStation_ + 1);
}

void FmMode::ShowNoLibrary() {
  form_.SetCaption(kStatusLabel, kNoLibrary);
}

// Tunes the card to the current frequency and shows it.
void FmMode::SetFreq() {
  if (!Enabled()) return;
  fmFreq_ = std::clamp(fmFreq_, kBandLow, kBandHigh);
  tuner_.SetFrequency(fmFreq_ * 100000);
  radioText_.clear();  // the next station sends its own
  // Type 0 takes its volume byte back with radio_on (0 while muted); the other cards are
  // silenced by switching them off, so a muted radio stays muted when it is retuned.
  if (muted_ && settings_.cardType != 0)
    tuner_.RadioOff();
  else
    tuner_.RadioOn();
  ShowFrequency();
}

void FmMode::ShowFrequency() {
  form_.SetCaption(kFrequencyLabel, FormatFixed(fmFreq_ / 10.0, 1, 1));
  form_.SetDD(kFrequencyDisplay, fmFreq_ / 10.0);
  if (!form_.SliderHeld(kTuningSlider))
    form_.PlaceSlider(kTuningSlider,
                      (fmFreq_ - kBandLow) / static_cast<double>(kBandHigh - kBandLow));
}

void FmMode::SetScan(int direction) {
  scan_ = direction;
  form_.SetCaption(kStatusLabel, direction != 0 ? kScanning : "");
}

void FmMode::Step(int delta) {
  fmFreq_ += delta;
  SetScan(0);
  fmFreq_ = delta > 0 ? std::min(fmFreq_, kBandHigh) : std::max(fmFreq_, kBandLow);
  form_.SetCaption(kFrequencyLabel, "");
  SetFreq();
}

void FmMode::ScanStep() {
  if (scan_ != 0) {
    fmFreq_ += scan_;
    bool edge = false;
    if (fmFreq_ < kBandLow || fmFreq_ > kBandHigh) {
      fmFreq_ -= scan_;
      scan_ = 0;
      edge = true;
    }
    SetFreq();
    if (tuner_.SignalDetect()) {
      scan_ = 0;
      // A stopped scan no longer says it scans: a station without a preset shows as "FM".
      form_.SetCaption(kStatusLabel, "FM");
      FindStation();
    } else if (edge) {
      form_.SetCaption(kStatusLabel, "");
    }
  }
  // Light 1 is the stereo light only in the radio's skins; the web modes' skins use it too.
  if (Shown()) form_.SetLight(kStereoLight, tuner_.StereoDetect());
}

void FmMode::FindStation() {
  const std::vector<std::string>& rows = List().rows;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (StationTenths(rows[i]) == fmFreq_) return ShowPreset(static_cast<int>(i));
  }
}

void FmMode::ShowPreset(int index) {
  if (index < 0 || index >= Count()) return;
  const std::string entry = List().rows[static_cast<std::size_t>(index)];
  scan_ = 0;
  form_.SetCaption(kStatusLabel, StationName(entry));
  SelectRow(index);
  pStation_ = index;
  fmFreq_ = BandTenths(StationTenths(entry));
  form_.SetCaption(kPresetLabel, FormatFixed(index + 1, 3, 0));
  form_.SetDD(kPresetDisplay, index + 1);

  const std::string picture = StationPictureName(fmFreq_);
  for (const char* extension : {".BMP", ".GIF", ".JPG"}) {
    const std::string path = FindFileIgnoringCase(AddSlash(programFolder_), picture + extension);
    if (!path.empty()) return cover_.LoadCover(path);
  }
  cover_.LoadCover("");
}

void FmMode::SelectPreset(int index) {
  if (form_.StoreArmed(StoreMode::Presets)) {
    pStation_ = index;
    StorePreset();
    form_.SetStoreArmed(StoreMode::Presets, false);
  }
  ShowPreset(index);
  SetFreq();
}

void FmMode::PrevPreset() {
  if (pStation_ > 0) SelectPreset(--pStation_);
}

void FmMode::NextPreset() {
  if (pStation_ < Count()) SelectPreset(++pStation_);
}

void FmMode::StorePreset() {
  // Slots come from preset buttons and typed numbers: a slot before the list, or more than
  // one past its end, stores nothing (the list is never padded out to a far slot).
  if (pStation_ < 0 || pStation_ > Count() || static_cast<std::size_t>(pStation_) >= kMaxStations)
    return;
  std::vector<std::string>& rows = List().rows;
  if (pStation_ == Count())
    rows.push_back(StoredStation(fmFreq_));
  else
    rows[static_cast<std::size_t>(pStation_)] = StoredStation(fmFreq_);
  PresetsChanged();
}

void FmMode::AddPreset() {
  if (static_cast<std::size_t>(Count()) >= kMaxStations) return;
  List().rows.push_back(AddedStation(fmFreq_));
  lastPreset_ = Count() - 1;
  PresetsChanged();
  SelectRow(lastPreset_);
}

void FmMode::DeletePreset() {
  if (Count() == 0) return;
  lastPreset_ = std::clamp(lastPreset_, 0, Count() - 1);
  std::vector<std::string>& rows = List().rows;
  rows.erase(rows.begin() + lastPreset_);
  if (lastPreset_ >= Count()) --lastPreset_;
  PresetsChanged();
  SelectRow(lastPreset_);
}

void FmMode::MovePreset(int direction) {
  if (lastPreset_ < 0 || lastPreset_ >= Count()) return;
  const int other = lastPreset_ + direction;
  if (other < 0 || other >= Count()) return;
  std::vector<std::string>& rows = List().rows;
  std::swap(rows[static_cast<std::size_t>(lastPreset_)], rows[static_cast<std::size_t>(other)]);
  lastPreset_ = other;
  PresetsChanged();
  SelectRow(lastPreset_);
}

void FmMode::ListEvent(ListArea area, ListAction action, int value) {
  if (area != ListArea::FmPreset || value < 0 || value >= Count()) return;
  if (action == ListAction::Click) {
    ClickPreset(value);
  } else if (action == ListAction::DoubleClick && tuner_.Loaded()) {
    SelectPreset(value);
  }
}

void FmMode::ClickPreset(int index) {
  lastPreset_ = index;
  form_.SetEntryText(kNameEntry, StationName(List().rows[static_cast<std::size_t>(index)]));
}

bool FmMode::EntryKey(int entry, int key) {
  if (entry != kNameEntry) return false;
  switch (key) {
    case 38:
      if (lastPreset_ > 0 && lastPreset_ <= Count()) {
        SelectRow(lastPreset_ - 1);
        ClickPreset(lastPreset_ - 1);
      }
      return true;
    case 40:
      if (lastPreset_ + 1 < Count() && lastPreset_ >= -1) {
        SelectRow(lastPreset_ + 1);
        ClickPreset(lastPreset_ + 1);
      }
      return true;
    case 13:
      RenamePreset();
      return true;
    default:
      return false;
  }
}

void FmMode::RenamePreset() {
  if (lastPreset_ < 0 || lastPreset_ >= Count()) return;
  std::string& entry = List().rows[static_cast<std::size_t>(lastPreset_)];
  const std::string_view name(form_.EntryText(kNameEntry));
  entry = RenamedStation(entry, name).substr(0, kMaxStationBytes);
  // The station playing shows its new name at once.
  if (StationTenths(entry) == fmFreq_) form_.SetCaption(kStatusLabel, StationName(entry));
  PresetsChanged();
  SelectRow(lastPreset_);
}

void FmMode::SliderMoved(int slider, double value) {
  if (slider != kTuningSlider || !tuner_.Loaded()) return;
  // The whole tenths of 87 + 21 x value MHz; the small term keeps 0.5 from reading 97.499...
  fmFreq_ = BandTenths(static_cast<std::int32_t>(
      std::floor((87.0 + 21.0 * std::clamp(value, 0.0, 1.0)) * 10.0 + 1e-9)));
  SetFreq();
  FindStation();
}

bool FmMode::TakeTypedNumber(double value) {
  if (!Shown()) return false;
  if (!tuner_.Loaded()) {
    ShowNoLibrary();
    return true;
  }
  if (value < 88.0 || value > 108.0) {
    SelectPreset(ToInt32(value - 1.0));
  } else {
    fmFreq_ = ToInt32(value * 10.0);
    SetFreq();
  }
  FindStation();
  return true;
}

void FmMode::VolumeStep(bool up) {
  // A muted card comes back at its level before the step, as the player's volume does.
  if (muted_) ToggleMute();
  up ? tuner_.VolumeUp() : tuner_.VolumeDown();
}

void FmMode::ToggleMute() {
  if (!muted_) {
    volumeBeforeMute_ = tuner_.GetVolume();
    tuner_.SetVolume(0);
    // Only type 0 goes quiet with its volume byte; the others are switched off.
    if (settings_.cardType != 0) tuner_.RadioOff();
    muted_ = true;
    form_.SetCaption(kMuteLabel, "Mute");
  } else {
    tuner_.SetVolume(volumeBeforeMute_);
    tuner_.RadioOn();
    muted_ = false;
    form_.SetCaption(kMuteLabel, "");
  }
}

void FmMode::SelectRow(int index) {
  ListBox& list = List();
  list.selected = index >= 0 && index < Count() ? index : -1;
  list.Selected();
}

void FmMode::PresetsChanged() {
  List().Changed();
  // The user's edit replaces the file, whatever of it was left out.
  listIsFile_ = true;
  stationsNotice_.clear();
  SaveStationList();
}

}  // namespace varlo
