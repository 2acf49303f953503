#pragma once
#include <string>

namespace varlo::testing {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& Path() const { return path_; }
  // Full path of `name` inside the folder.
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  // Writes `content` to `name` (creating folders) and returns its full path.
  std::string Write(const std::string& name, const std::string& content) const;
  std::string Read(const std::string& name) const;

 private:
  std::string path_;
};

}  // namespace varlo::testing
