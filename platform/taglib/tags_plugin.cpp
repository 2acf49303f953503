// libvarlo_tags.so: the program's reader of media files' tags, over TagLib.
#include "platform/taglib/embedded_tags.h"

extern "C" __attribute__((visibility("default"))) bool varlo_read_embedded_tags(
    const char* path, varlo::EmbeddedTags* out) {
  if (path == nullptr || out == nullptr) return false;
  // Nothing TagLib throws may leave the plugin.
  try {
    return varlo::ReadEmbeddedTags(path, *out);
  } catch (...) {
    *out = varlo::EmbeddedTags{};
    return false;
  }
}
