#pragma once
#include <string>

#include "fm/fm_links.h"
#include "player/media_info.h"

namespace varlo {

// The FM mode's station pictures, shown as the player's cover.
class StationCover final : public CoverDisplay {
 public:
  explicit StationCover(MediaInfo& media) : media_(media) {}
  void LoadCover(const std::string& path) override { media_.LoadCover(path); }

 private:
  MediaInfo& media_;
};

}  // namespace varlo
