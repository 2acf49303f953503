#pragma once
#include <string>
#include <vector>

namespace varlo::testing {

// A small tmpfs mounted over a folder for as long as this lives, so that a write there can
// run out of space. Mounting needs root (CI runs as root): Error() then says why it failed.
class SmallDisk {
 public:
  SmallDisk(std::string folder, const std::string& size);
  ~SmallDisk();
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  bool Mounted() const { return mounted_; }
  const std::string& Error() const { return error_; }
  // Fills what is left of it with one file, so that the next write that needs a block fails.
  bool Fill();

 private:
  std::string folder_;
  bool mounted_ = false;
  std::string error_;
};

// The temporaries an atomic write leaves ("<name>.tmpXXXXXX") anywhere below `root`.
std::vector<std::string> TemporariesBelow(const std::string& root);

// The whole content of a regular file; empty when it is not one.
std::string FileBytes(const std::string& path);

}  // namespace varlo::testing
