#include "fm/captured_tuner.h"

namespace varlo {

void CapturedTuner::SetCardType(std::uint16_t type) {
  // Another card has its own audio path; the old card's capture must not keep playing. The
  // same card chosen again (a new port) keeps playing as it did.
  if (type != cardType_) StopCapture();
  cardType_ = type;
  card_.SetCardType(type);
}

void CapturedTuner::RadioOn() {
  card_.RadioOn();
  // Retuning switches the card on again while the capture plays; it goes on playing.
  if (!playing_.empty()) return;
  // Asked at every switch-on from off: a receiver may have been plugged in, or moved to
  // another card number, since the last one.
  const std::string device = card_.CaptureDevice();
  if (device.empty()) return;
  audio_.Play(device);
  playing_ = device;
}

void CapturedTuner::RadioOff() {
  card_.RadioOff();
  StopCapture();
}

void CapturedTuner::StopCapture() {
  if (playing_.empty()) return;
  audio_.Stop();
  playing_.clear();
}

}  // namespace varlo
