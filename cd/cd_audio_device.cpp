#include "cd/cd_audio_device.h"

#include "common/numtext.h"

namespace varlo {

void CdAudioDevice::Command(std::string_view word) {
  if (EqualsNoCase(word, "open") && EqualsNoCase(inner_.DeviceType(), "cdaudio"))
    inner_.SetFileName(drive_.StreamAddress());
  inner_.Command(word);
}

}  // namespace varlo
