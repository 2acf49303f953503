// The exported C functions of libhalvern.so: one process-wide tuner over the port access that
// HALVERN_PORT selects, created on first use.

#include "tuner/halvern.h"

#include "tuner/port_select.h"
#include "tuner/tuner.h"

namespace {

halvern::Tuner& TheTuner() {
  static halvern::DeferredPort port(halvern::SelectPortIoFromEnvironment);
  static halvern::Tuner tuner(port);
  return tuner;
}

}  // namespace

extern "C" {

void set_card_type(std::uint16_t type) {
  TheTuner().SetCardType(type);
}
void set_port(std::uint16_t port) {
  TheTuner().SetPort(port);
}
void set_frequency(std::int32_t hz) {
  TheTuner().SetFrequency(hz);
}
void radio_on() {
  TheTuner().RadioOn();
}
void radio_off() {
  TheTuner().RadioOff();
}
void volumeup() {
  TheTuner().VolumeUp();
}
void volumedown() {
  TheTuner().VolumeDown();
}
std::int32_t stereo_detect() {
  return TheTuner().StereoDetect();
}
std::int32_t signal_detect() {
  return TheTuner().SignalDetect();
}
void set_volume(std::uint8_t volume) {
  TheTuner().SetVolume(volume);
}
std::uint8_t get_volume() {
  return TheTuner().GetVolume();
}
std::int16_t dll_ver() {
  return halvern::kVersion;
}
std::int32_t read_card() {
  return TheTuner().ReadCard();
}

// On Windows NT this opened and closed the giveio driver's device, whose open grants the calling
// process I/O port access, and reported whether the open worked. Linux has no such device:
// access comes from ioperm or /dev/port, which the port layer obtains by itself on first use.
// So there is nothing to open, and the result is always 0, "device not opened".
std::int32_t init_NT() {
  return 0;
}

}  // extern "C"
