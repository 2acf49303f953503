#pragma once
#include "platform/launcher.h"

namespace varlo {

// Starts programs with QProcess, detached and without a shell.
class QtLauncher final : public ILauncher {
 public:
  bool StartDetached(const std::string& program, const std::vector<std::string>& args) override;
};

}  // namespace varlo
