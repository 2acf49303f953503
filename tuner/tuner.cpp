#include "tuner/tuner.h"

#include "tuner/aztech.h"
#include "tuner/radiotrack.h"
#include "tuner/radiotrack2.h"

namespace halvern {

void Tuner::SetFrequency(std::int32_t hz) {
  if (V4l2Radio* radio = Radio()) return radio->Tune(hz);
  CardBus bus = Bus();
  switch (card_type_) {
    case kAztech:
      aztech::Tune(bus, hz);
      break;
    case kRadioTrack:
      radiotrack::Tune(bus, hz);
      break;
    case kRadioTrack2:
      radiotrack2::Tune(bus, hz);
      break;
    default:
      break;
  }
}

void Tuner::RadioOn() {
  if (V4l2Radio* radio = Radio()) return radio->SetMuted(false);
  CardBus bus = Bus();
  switch (card_type_) {
    case kAztech:
      aztech::On(bus, volume_);
      break;
    case kRadioTrack2:
      radiotrack2::Unmute(bus);
      break;
    default:
      break;  // The RadioTrack plays as soon as it is tuned.
  }
}

void Tuner::RadioOff() {
  if (V4l2Radio* radio = Radio()) return radio->SetMuted(true);
  CardBus bus = Bus();
  switch (card_type_) {
    case kAztech:
      aztech::Off(bus);
      break;
    case kRadioTrack:
      radiotrack::Off(bus);
      break;
    case kRadioTrack2:
      radiotrack2::Mute(bus);
      break;
    default:
      break;
  }
}

void Tuner::VolumeUp() {
  if (V4l2Radio* radio = Radio()) return radio->StepVolume(1);
  CardBus bus = Bus();
  switch (card_type_) {
    case kAztech:
      aztech::VolumeUp(bus, volume_);
      break;
    case kRadioTrack:
      radiotrack::VolumeUp(bus);
      break;
    case kRadioTrack2:
      radiotrack2::Unmute(bus);
      break;
    default:
      break;
  }
}

void Tuner::VolumeDown() {
  if (V4l2Radio* radio = Radio()) return radio->StepVolume(-1);
  CardBus bus = Bus();
  switch (card_type_) {
    case kAztech:
      aztech::VolumeDown(bus, volume_);
      break;
    case kRadioTrack:
      radiotrack::VolumeDown(bus);
      break;
    case kRadioTrack2:
      radiotrack2::Mute(bus);
      break;
    default:
      break;
  }
}

std::int32_t Tuner::StereoDetect() {
  if (V4l2Radio* radio = Radio()) return radio->Stereo() ? 1 : 0;
  CardBus bus = Bus();
  switch (card_type_) {
    case kAztech:
      return aztech::Stereo(bus) ? 1 : 0;
    case kRadioTrack:
      return 1;  // No status line: always reported present.
    case kRadioTrack2:
      return radiotrack2::Signal(bus) ? 1 : 0;
    default:
      return 0;
  }
}

std::int32_t Tuner::SignalDetect() {
  if (V4l2Radio* radio = Radio()) return radio->Signal() ? 1 : 0;
  CardBus bus = Bus();
  switch (card_type_) {
    case kAztech:
      return aztech::Signal(bus) ? 1 : 0;
    case kRadioTrack:
      return 1;
    case kRadioTrack2:
      return radiotrack2::Signal(bus) ? 1 : 0;
    default:
      return 0;
  }
}

void Tuner::SetVolume(std::uint8_t volume) {
  volume_ = volume;
  if (card_type_ == kAztech) RadioOn();
}

std::string Tuner::StationName() {
  V4l2Radio* radio = Radio();
  if (radio == nullptr) return {};
  radio->PollRds();
  return radio->Rds().StationName();
}

std::string Tuner::RadioText() {
  V4l2Radio* radio = Radio();
  if (radio == nullptr) return {};
  radio->PollRds();
  return radio->Rds().RadioText();
}

std::string Tuner::CaptureDevice(const std::string& sysRoot) {
  V4l2Radio* radio = Radio();
  return radio == nullptr ? std::string() : radio->CaptureDevice(sysRoot);
}

std::int32_t Tuner::ReadCard() {
  return Bus().Read();
}

}  // namespace halvern
