#pragma once
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace varlo::bench {

// A folder under /tmp made for one benchmark program and removed with everything in it
// when the program ends.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& name) {
    std::string pattern = "/tmp/varlo-" + name + "-XXXXXX";
    root_ = mkdtemp(pattern.data());
  }
  ~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& Root() const { return root_; }

 private:
  std::string root_;
};

}  // namespace varlo::bench
