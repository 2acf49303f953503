#pragma once
#include <thread>

namespace varlo {

// Loads the font configuration (fontconfig's configuration files and caches, several
// milliseconds) on a thread of its own while the program starts, so that the first label that
// needs a font finds it loaded. Qt's font database asks fontconfig for the same configuration
// and takes the loaded one. The destructor waits for the thread.
class FontWarmup {
 public:
  FontWarmup();
  ~FontWarmup();
  FontWarmup(const FontWarmup&) = delete;
  FontWarmup& operator=(const FontWarmup&) = delete;

 private:
  std::thread thread_;
};

}  // namespace varlo
