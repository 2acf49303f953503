#pragma once
#include "platform/dialogs.h"
#include "platform/launcher.h"
#include "player/player_links.h"

namespace varlo {

// Starts the desktop's volume mixer, the first one found on the search path; says so in a
// message box when there is none.
class DesktopMixer final : public VolumeMixer {
 public:
  DesktopMixer(ILauncher& launcher, IDialogs& dialogs) : launcher_(launcher), dialogs_(dialogs) {}
  void ShowMixer() override;

 private:
  ILauncher& launcher_;
  IDialogs& dialogs_;
};

}  // namespace varlo
