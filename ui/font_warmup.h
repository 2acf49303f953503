#pragma once
#include <thread>

namespace varlo {

// Loads the font configuration (fontconfig's configuration files and caches, several
// milliseconds) on a thread of its own while the program starts, so that the first label that
// needs a font finds it loaded. Qt's font database asks fontconfig for the current
// configuration and takes the loaded one. The destructor waits for the thread.
class FontWarmup {
 public:
  FontWarmup();
  ~FontWarmup();
  FontWarmup(const FontWarmup&) = delete;
  FontWarmup& operator=(const FontWarmup&) = delete;

 private:
  std::thread thread_;
};

// Makes fontconfig's current configuration from the user's configuration files and the font
// caches, as FcInit does, but without FcInit's second pass that parses every file of the
// templates folder (conf.avail) only to describe them to configuration tools: a third of its
// time, and nothing a program that draws text uses. False, with nothing made current, where the
// result could differ from FcInit's (FC_DEBUG set, a configuration that does not load, or one
// without a cache folder, for which fontconfig fills in defaults of its own); FcInit is the way
// then.
bool LoadFontConfiguration();

}  // namespace varlo
