#pragma once
#include <string>
#include <string_view>

namespace varlo {

// How an entry is played, chosen from its file extension.
enum class EntryKind {
  Mpeg,         // MPEG audio: stream header and tag are read first, then the default device
  Device,       // a named device (see DeviceChoice::device)
  Picture,      // shown as the cover for a fixed time
  NotPlayable,  // playback halts on the entry
  CdTrack,      // a CD track file, played like a disc track
  Default,      // the default device of the settings
};

struct DeviceChoice {
  EntryKind kind = EntryKind::Default;
  std::string device;  // the device type for Device and CdTrack; empty otherwise
};

// The handling of a file extension (without the "."; any case).
DeviceChoice ChooseDevice(std::string_view extension);

// The default device for the "MCIDevice" setting: "0" MPEGVideo, "1" MPEGVideo2, any other
// value ActiveMovie.
std::string DefaultDevice(std::string_view mciDevice);

// The device type name of a timed display that uses no device.
inline constexpr std::string_view kDelayDevice = "Delay";

}  // namespace varlo
