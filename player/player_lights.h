#pragma once
#include "player/player_state.h"
#include "skin/form_access.h"

namespace varlo {

// Shows or hides every indicator light from the player's flags and sets label 26 to the
// mode ("CD" or "Media").
void ShowLights(FormAccess& form, const PlayerState& player);

}  // namespace varlo
