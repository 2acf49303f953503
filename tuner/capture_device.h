#pragma once
#include <string>

namespace halvern {

// The ALSA capture device that carries a radio's sound, as an ALSA device name
// ("plughw:CARD,DEVICE"), or empty when the radio has none. A USB receiver delivers its audio
// through a sound card on the same USB device; a TV card's radio through a sound card on the
// same PCI device. `radioNode` is the radio's device node (/dev/radio0, or a link to it);
// `sysRoot` is where sysfs is mounted ("/sys"; a fake tree in tests).
std::string CaptureDeviceOf(const std::string& radioNode, const std::string& sysRoot = "/sys");

}  // namespace halvern
