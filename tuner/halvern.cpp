// The exported C functions of libhalvern.so: one process-wide tuner over the port access that
// HALVERN_PORT selects, created on first use.

#include "tuner/halvern.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "tuner/port_select.h"
#include "tuner/tuner.h"

namespace {

halvern::Tuner& TheTuner() {
  static halvern::DeferredPort port(halvern::SelectPortIoFromEnvironment);
  static const std::unique_ptr<halvern::RadioDevice> radio = halvern::SystemRadioDevice();
  static halvern::Tuner tuner(port, radio.get());
  return tuner;
}

std::int32_t CopyOut(const std::string& text, char* buffer, std::int32_t size) {
  if (buffer == nullptr || size <= 0) return 0;
  const auto length = static_cast<std::int32_t>(
      std::min<std::size_t>(text.size(), static_cast<std::size_t>(size) - 1));
  std::memcpy(buffer, text.data(), static_cast<std::size_t>(length));
  buffer[length] = '\0';
  return length;
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

std::int32_t rds_station_name(char* buffer, std::int32_t size) {
  return CopyOut(TheTuner().StationName(), buffer, size);
}
std::int32_t rds_radio_text(char* buffer, std::int32_t size) {
  return CopyOut(TheTuner().RadioText(), buffer, size);
}
std::int32_t radio_capture_device(char* buffer, std::int32_t size) {
  return CopyOut(TheTuner().CaptureDevice(), buffer, size);
}

}  // extern "C"
