#include "shell/web_radio_session.h"

#include "webradio/station_file.h"

namespace varlo {

std::optional<ExternalPlaying> WebRadioPlaying(const StreamStatus& status,
                                               std::string_view currentStation) {
  if (status.state != StreamState::Opening && status.state != StreamState::Playing &&
      status.state != StreamState::Paused)
    return std::nullopt;
  const WebStation station = SplitStation(currentStation);
  ExternalPlaying playing;
  const std::string& stationName = status.stationName.empty() ? station.name : status.stationName;
  playing.titles.title = status.title.empty() ? stationName : status.title;
  playing.titles.album = stationName;
  playing.url = station.address;
  playing.paused = status.state == StreamState::Paused;
  return playing;
}

}  // namespace varlo
