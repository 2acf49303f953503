#include "tuner/v4l2_radio.h"

#include <linux/videodev2.h>

#include <algorithm>
#include <cstring>

#include "tuner/capture_device.h"

namespace halvern {
namespace {

// Below a quarter of the strength scale a station is noise to the scan.
constexpr std::int32_t kSignalThreshold = 0x4000;

}  // namespace

bool V4l2Radio::Ready() {
  return device_.Open();
}

std::string V4l2Radio::CaptureDevice(const std::string& sysRoot) {
  return Ready() ? CaptureDeviceOf(device_.Path(), sysRoot) : std::string();
}

bool V4l2Radio::TunerState(std::uint32_t& capability, std::uint32_t& subchannels,
                           std::int32_t& signal) {
  if (!Ready()) return false;
  v4l2_tuner tuner{};
  tuner.index = 0;
  if (device_.Ioctl(VIDIOC_G_TUNER, &tuner) != 0) return false;
  capability = tuner.capability;
  subchannels = tuner.rxsubchans;
  signal = tuner.signal;
  return true;
}

void V4l2Radio::Tune(std::int32_t hz) {
  std::uint32_t capability = 0, subchannels = 0;
  std::int32_t signal = 0;
  if (hz <= 0 || !TunerState(capability, subchannels, signal)) return;
  v4l2_frequency frequency{};
  frequency.tuner = 0;
  frequency.type = V4L2_TUNER_RADIO;
  // Radio tuners count in 62.5 Hz steps when they say so, else in 62.5 kHz steps.
  const std::int64_t wide = hz;
  frequency.frequency = static_cast<std::uint32_t>(
      (capability & V4L2_TUNER_CAP_LOW) != 0 ? wide * 2 / 125 : wide * 2 / 125000);
  if (device_.Ioctl(VIDIOC_S_FREQUENCY, &frequency) == 0) rds_.Reset();
}

void V4l2Radio::SetMuted(bool muted) {
  if (!Ready()) return;
  v4l2_control control{};
  control.id = V4L2_CID_AUDIO_MUTE;
  control.value = muted ? 1 : 0;
  device_.Ioctl(VIDIOC_S_CTRL, &control);
}

void V4l2Radio::StepVolume(int direction) {
  if (!Ready()) return;
  v4l2_queryctrl query{};
  query.id = V4L2_CID_AUDIO_VOLUME;
  if (device_.Ioctl(VIDIOC_QUERYCTRL, &query) != 0 || (query.flags & V4L2_CTRL_FLAG_DISABLED))
    return SetMuted(direction < 0);  // a receiver without volume: down mutes, up plays
  v4l2_control control{};
  control.id = V4L2_CID_AUDIO_VOLUME;
  if (device_.Ioctl(VIDIOC_G_CTRL, &control) != 0) return;
  const std::int32_t step = std::max<std::int32_t>(query.step, (query.maximum - query.minimum) / 8);
  control.value =
      std::clamp(control.value + direction * std::max(step, 1), query.minimum, query.maximum);
  device_.Ioctl(VIDIOC_S_CTRL, &control);
  if (direction > 0) SetMuted(false);
}

bool V4l2Radio::Stereo() {
  std::uint32_t capability = 0, subchannels = 0;
  std::int32_t signal = 0;
  PollRds();
  return TunerState(capability, subchannels, signal) && (subchannels & V4L2_TUNER_SUB_STEREO);
}

bool V4l2Radio::Signal() {
  std::uint32_t capability = 0, subchannels = 0;
  std::int32_t signal = 0;
  PollRds();
  return TunerState(capability, subchannels, signal) && signal >= kSignalThreshold;
}

void V4l2Radio::PollRds() {
  if (!Ready()) return;
  // A bounded number of reads: a device that never runs dry cannot hold the caller.
  v4l2_rds_data blocks[64];
  for (int round = 0; round < 4; ++round) {
    const long got = device_.Read(blocks, sizeof blocks);
    if (got <= 0) return;
    const auto count = static_cast<std::size_t>(got) / sizeof(v4l2_rds_data);
    for (std::size_t i = 0; i < count; ++i)
      rds_.Feed(blocks[i].lsb, blocks[i].msb, blocks[i].block);
    if (count < std::size(blocks)) return;
  }
}

}  // namespace halvern
