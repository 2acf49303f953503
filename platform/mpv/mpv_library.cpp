#include "platform/mpv/mpv_library.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace varlo {
namespace {

// Binds one function; false when the library lacks it.
template <typename Fn>
bool Bind(void* library, const char* name, Fn& fn) {
  void* symbol = dlsym(library, name);
  if (symbol == nullptr) {
    std::fprintf(stderr, "varlo: %s has no function %s\n", VARLO_LIBMPV_SONAME, name);
    return false;
  }
  fn = reinterpret_cast<Fn>(symbol);
  return true;
}

const MpvLibrary* Load() {
  // RTLD_LOCAL keeps the engine's many symbols out of the global scope that later loads search.
  void* library = dlopen(VARLO_LIBMPV_SONAME, RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    std::fprintf(stderr, "varlo: cannot load the media engine: %s\n", dlerror());
    return nullptr;
  }
  static MpvLibrary mpv;
  const bool bound = Bind(library, "mpv_create", mpv.create) &&
                     Bind(library, "mpv_initialize", mpv.initialize) &&
                     Bind(library, "mpv_terminate_destroy", mpv.terminateDestroy) &&
                     Bind(library, "mpv_set_option_string", mpv.setOptionString) &&
                     Bind(library, "mpv_set_property", mpv.setProperty) &&
                     Bind(library, "mpv_set_property_string", mpv.setPropertyString) &&
                     Bind(library, "mpv_get_property", mpv.getProperty) &&
                     Bind(library, "mpv_observe_property", mpv.observeProperty) &&
                     Bind(library, "mpv_command", mpv.command) &&
                     Bind(library, "mpv_command_ret", mpv.commandRet) &&
                     Bind(library, "mpv_free_node_contents", mpv.freeNodeContents) &&
                     Bind(library, "mpv_wait_event", mpv.waitEvent) &&
                     Bind(library, "mpv_set_wakeup_callback", mpv.setWakeupCallback) &&
                     Bind(library, "mpv_stream_cb_add_ro", mpv.streamCbAddRo);
  // The library stays loaded for the life of the process: engine threads may still run code
  // in it until the last handle is destroyed.
  return bound ? &mpv : nullptr;
}

}  // namespace

std::int64_t MpvEntryId(const mpv_node& reply) {
  if (reply.format != MPV_FORMAT_NODE_MAP) return -1;
  for (int i = 0; i < reply.u.list->num; ++i) {
    const mpv_node& value = reply.u.list->values[i];
    if (std::strcmp(reply.u.list->keys[i], "playlist_entry_id") == 0 &&
        value.format == MPV_FORMAT_INT64)
      return value.u.int64;
  }
  return -1;
}

bool IsAudioOutputList(std::string_view list) {
  // Names of letters, digits, '-' and '_' joined by single commas; a comma at the end lets the
  // engine go on with its own choice.
  if (list.empty() || list.front() == ',') return false;
  bool afterComma = false;
  for (const char c : list) {
    if (c == ',') {
      if (afterComma) return false;
      afterComma = true;
      continue;
    }
    const bool name = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                      c == '-' || c == '_';
    if (!name) return false;
    afterComma = false;
  }
  return true;
}

void SetAudioOutput(const MpvLibrary& mpv, mpv_handle* handle, const std::string& named) {
  if (!named.empty()) {
    mpv.setOptionString(handle, "ao", named.c_str());
    return;
  }
  const char* chosen = std::getenv(kAudioOutputVariable);
  if (chosen != nullptr && *chosen != '\0') {
    // Checked here: the engine keeps part of a list it fails to read.
    if (IsAudioOutputList(chosen) && mpv.setOptionString(handle, "ao", chosen) >= 0) return;
    std::fprintf(stderr, "varlo: %s=%s is no list of sound outputs; using %s\n",
                 kAudioOutputVariable, chosen, kDesktopAudioOutputs);
  }
  mpv.setOptionString(handle, "ao", kDesktopAudioOutputs);
}

const MpvLibrary* LoadMpvLibrary() {
  static std::once_flag once;
  static const MpvLibrary* library = nullptr;
  std::call_once(once, [] { library = Load(); });
  return library;
}

}  // namespace varlo
