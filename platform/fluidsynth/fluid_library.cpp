#include "platform/fluidsynth/fluid_library.h"

#include <dlfcn.h>

#include <mutex>

namespace varlo {
namespace {

template <typename Fn>
bool Bind(void* library, const char* name, Fn& fn) {
  fn = reinterpret_cast<Fn>(dlsym(library, name));
  return fn != nullptr;
}

// The synthesiser's own messages (a SoundFont's quirks, missing drivers) are not the user's
// business; its errors surface as failed calls.
void Quiet(int, const char*, void*) {}

const FluidLibrary* Load() {
  void* library = dlopen(VARLO_FLUIDSYNTH_SONAME, RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) return nullptr;
  static FluidLibrary f;
  const bool bound = Bind(library, "new_fluid_settings", f.newSettings) &&
                     Bind(library, "delete_fluid_settings", f.deleteSettings) &&
                     Bind(library, "fluid_settings_setstr", f.setStr) &&
                     Bind(library, "fluid_settings_setnum", f.setNum) &&
                     Bind(library, "fluid_settings_setint", f.setInt) &&
                     Bind(library, "new_fluid_synth", f.newSynth) &&
                     Bind(library, "delete_fluid_synth", f.deleteSynth) &&
                     Bind(library, "fluid_synth_sfload", f.sfload) &&
                     Bind(library, "fluid_synth_write_s16", f.writeS16) &&
                     Bind(library, "fluid_synth_all_sounds_off", f.allSoundsOff) &&
                     Bind(library, "fluid_synth_system_reset", f.systemReset) &&
                     Bind(library, "new_fluid_player", f.newPlayer) &&
                     Bind(library, "delete_fluid_player", f.deletePlayer) &&
                     Bind(library, "fluid_player_add_mem", f.addMem) &&
                     Bind(library, "fluid_player_play", f.play) &&
                     Bind(library, "fluid_player_seek", f.seek) &&
                     Bind(library, "fluid_player_stop", f.stop) &&
                     Bind(library, "fluid_set_log_function", f.setLogFunction);
  if (!bound) return nullptr;
  for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
    f.setLogFunction(level, &Quiet, nullptr);
  return &f;
}

}  // namespace

const FluidLibrary* LoadFluidLibrary() {
  static std::once_flag once;
  static const FluidLibrary* library = nullptr;
  std::call_once(once, [] { library = Load(); });
  return library;
}

}  // namespace varlo
