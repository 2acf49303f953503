#include "player/desktop_mixer.h"

#include <cstdlib>
#include <string>

#include "common/find_program.h"

namespace varlo {

void DesktopMixer::ShowMixer() {
  const char* path = std::getenv("PATH");
  const std::string searchPath = path ? path : "/usr/local/bin:/usr/bin:/bin";
  // The PulseAudio/PipeWire mixer first, then those of the common desktops.
  static const char* const kMixers[] = {"pavucontrol", "pavucontrol-qt", "mate-volume-control",
                                        "xfce4-mixer", "kmix"};
  for (const char* mixer : kMixers) {
    const std::string program = FindOnPath(mixer, searchPath);
    if (!program.empty() && launcher_.StartDetached(program, {})) return;
  }
  dialogs_.MsgBox("No volume mixer found (install pavucontrol).", MsgButtons::Ok, "Varlo");
}

}  // namespace varlo
