#pragma once
#include <string>

namespace varlo {

// Where the FM mode shows a station's picture: the cover of the main window. An empty path
// clears it.
class CoverDisplay {
 public:
  virtual ~CoverDisplay() = default;
  virtual void LoadCover(const std::string& path) = 0;
};
class NullCoverDisplay final : public CoverDisplay {
 public:
  void LoadCover(const std::string&) override {}
};

}  // namespace varlo
