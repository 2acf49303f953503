// The player's commands of the main window, carried out by the playback engine.
#include <algorithm>
#include <cmath>

#include "common/numtext.h"
#include "shell/frm_tarnix.h"
#include "skin/slider_place.h"

namespace varlo {
namespace {
// The output level is kept between sessions in thousandths, since our devices own it.
constexpr const char* kLevelKey = "WaveVolume";
}  // namespace

void FrmTarnix::PlayIt() {
  engine_->PlayIt();
}
void FrmTarnix::StopIt() {
  engine_->StopIt();
}
void FrmTarnix::PauseIt() {
  engine_->PauseIt();
}
void FrmTarnix::PlayPause() {
  engine_->PlayPause();
}
void FrmTarnix::PrevTrack() {
  engine_->PrevTrack();
}
void FrmTarnix::NextTrack() {
  engine_->NextTrack();
}
void FrmTarnix::Reverse() {
  engine_->Reverse();
}
void FrmTarnix::Forward() {
  engine_->Forward();
}
void FrmTarnix::JumpTo() {
  const std::string typed = form_.lbl[23].caption;
  engine_->JumpTo(typed);
}
void FrmTarnix::UpdatePosition() {
  engine_->UpdatePosition();
}
void FrmTarnix::VolStep(int percent) {
  engine_->VolStep(percent);
}
void FrmTarnix::ToggleMute() {
  engine_->ToggleMute();
}
void FrmTarnix::ShowMixer() {
  engine_->ShowMixer();
}

void FrmTarnix::PlayFromFraction(double fraction) {
  if (!player_.playing) return;
  engine_->PlayFrom(static_cast<std::int32_t>(fraction * player_.songLenMs));
}

void FrmTarnix::ApplyVolume(double level) {
  player_.volume = std::clamp(level, 0.0, 1.0);
  engine_->ApplyVolume();
}

void FrmTarnix::SetBalance(double balance) {
  engine_->SetBalance(static_cast<float>(balance));
}

double FrmTarnix::WaveVolume() const {
  return player_.volume;
}

void FrmTarnix::InitVolumeAndBalance() {
  const int thousandths = ReadSettingNum(store_, kLevelKey, "1000");
  player_.volume = std::clamp(thousandths, 0, 1000) / 1000.0;
  player_.balance = 0.5;
  engine_->ApplyVolume();
  PlaceSlider(form_, 2, player_.volume);
  PlaceSlider(form_, 3, 0.5);
}

void FrmTarnix::CloseMediaDevices() {
  services_.unit0.Command("close");
  services_.unit1.Command("close");
}

void FrmTarnix::SaveVolume() {
  // A muted player starts at the level it had before muting.
  const double level = player_.mute ? player_.mutedPercent / 100.0 : player_.volume;
  WriteSetting(store_, kLevelKey, IntToText(std::lround(level * 1000)));
}

}  // namespace varlo
