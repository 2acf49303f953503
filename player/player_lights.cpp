#include "player/player_lights.h"

namespace varlo {

void ShowLights(FormAccess& form, const PlayerState& p) {
  const bool media = !p.cdMode;
  const LightSet lit = {
      false,        // 0 unused
      false,        // 1 never
      !p.playing,   // 2
      p.paused,     // 3
      p.playing,    // 4
      p.intro,      // 5
      p.stp,        // 6
      p.repeat,     // 7
      p.rptB >= 1,  // 8
      p.random,     // 9
      p.shuffle,    // 10
      !p.intro,     // 11
      !p.stp,       // 12
      !p.repeat,    // 13
      p.rptB == 0,  // 14
      !p.random,    // 15
      !p.shuffle,   // 16
      p.mute,       // 17
      !p.mute,      // 18
      media,        // 19
      !media,       // 20
      !media,       // 21
      media,        // 22
  };
  form.SetLights(lit);
  form.SetCaption(26, p.cdMode ? "CD" : "Media");
}

}  // namespace varlo
