#include "player/midi_media_device.h"

#include <sys/stat.h>

#include <cctype>

#include "player/media_errors.h"

namespace varlo {

bool IsMidiFile(std::string_view path) {
  const std::size_t dot = path.find_last_of('.');
  if (dot == std::string_view::npos || path.find('/', dot) != std::string_view::npos) return false;
  std::string ext;
  for (char c : path.substr(dot + 1))
    ext += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext == "mid" || ext == "midi" || ext == "rmi";
}

void MidiMediaDevice::Command(std::string_view word) {
  error_ = 0;
  std::string lower;
  for (char c : word) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (lower != "open") return inner_.Command(word);

  struct stat info {};
  const bool midi = IsMidiFile(fileName_) && fileName_.find("://") == std::string::npos &&
                    ::stat(fileName_.c_str(), &info) == 0 && S_ISREG(info.st_mode);
  if (midi) {
    const std::string missing = missing_ ? missing_() : std::string("MIDI cannot play here.");
    if (!missing.empty()) {
      inner_.Command("close");
      error_ = MciErrorNumber(MediaFailure::UnknownFormat);
      message_ = missing;
      return;
    }
    inner_.SetFileName(std::string(kMidiScheme) + fileName_);
  } else {
    inner_.SetFileName(fileName_);
  }
  inner_.Command(word);
}

}  // namespace varlo
