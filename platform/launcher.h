#pragma once
#include <string>
#include <vector>

namespace varlo {

// Starts other programs of the desktop, never through a shell.
class ILauncher {
 public:
  virtual ~ILauncher() = default;
  // Starts `program` (a full path) with `args`, detached from this process. False when it
  // could not be started.
  virtual bool StartDetached(const std::string& program, const std::vector<std::string>& args) = 0;
};

}  // namespace varlo
