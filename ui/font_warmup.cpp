#include "ui/font_warmup.h"

#include <fontconfig/fontconfig.h>

#include <cstdlib>

namespace varlo {

bool LoadFontConfiguration() {
  if (std::getenv("FC_DEBUG") != nullptr) return false;
  FcConfig* config = FcConfigCreate();
  if (config == nullptr) return false;
  // The same files FcInit reads: $FONTCONFIG_FILE, else fonts.conf and what it includes.
  bool loaded = FcConfigParseAndLoad(config, nullptr, FcTrue) == FcTrue;
  if (loaded) {
    FcStrList* caches = FcConfigGetCacheDirs(config);
    loaded = caches != nullptr && FcStrListNext(caches) != nullptr;
    if (caches != nullptr) FcStrListDone(caches);
  }
  // Made current with a reference of fontconfig's own; this one is given up either way. Should
  // another thread have made a configuration meanwhile, the two are alike and fontconfig's
  // reference counts keep the replaced one alive for whoever still uses it.
  loaded = loaded && FcConfigBuildFonts(config) == FcTrue && FcConfigSetCurrent(config) == FcTrue;
  FcConfigDestroy(config);
  return loaded;
}

FontWarmup::FontWarmup()
    : thread_([] {
        if (!LoadFontConfiguration()) FcInit();
      }) {}

FontWarmup::~FontWarmup() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace varlo
