#pragma once
#include <optional>
#include <string_view>

#include "platform/stream_player.h"
#include "shell/media_session.h"

namespace varlo {

// What the desktop's media controls show while web radio plays: the stream's title (the
// station's name until the stream sends one), the station as the album, and its address.
// Nothing while no stream is open or after one failed.
std::optional<ExternalPlaying> WebRadioPlaying(const StreamStatus& status,
                                               std::string_view currentStation);

}  // namespace varlo
