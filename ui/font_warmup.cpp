#include "ui/font_warmup.h"

#include <fontconfig/fontconfig.h>

namespace varlo {

FontWarmup::FontWarmup() : thread_([] { FcInit(); }) {}

FontWarmup::~FontWarmup() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace varlo
