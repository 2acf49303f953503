#pragma once
#include "player/player_state.h"
#include "skin/skin_form.h"

namespace varlo {

// Shows or hides every indicator light from the player's flags and sets label 26 to the
// mode ("CD" or "Media"). Only lights the skin placed are ever shown.
void ShowLights(SkinForm& form, const PlayerState& player);

}  // namespace varlo
