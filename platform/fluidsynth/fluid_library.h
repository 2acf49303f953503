#pragma once
#include <fluidsynth.h>

namespace varlo {

// The FluidSynth functions the MIDI stream calls, bound by name from the library loaded at run
// time the first time a MIDI file is opened, so the program without MIDI never loads the
// synthesiser and what it pulls in.
struct FluidLibrary {
  decltype(&new_fluid_settings) newSettings = nullptr;
  decltype(&delete_fluid_settings) deleteSettings = nullptr;
  decltype(&fluid_settings_setstr) setStr = nullptr;
  decltype(&fluid_settings_setnum) setNum = nullptr;
  decltype(&fluid_settings_setint) setInt = nullptr;
  decltype(&new_fluid_synth) newSynth = nullptr;
  decltype(&delete_fluid_synth) deleteSynth = nullptr;
  decltype(&fluid_synth_sfload) sfload = nullptr;
  decltype(&fluid_synth_write_s16) writeS16 = nullptr;
  decltype(&fluid_synth_all_sounds_off) allSoundsOff = nullptr;
  decltype(&fluid_synth_system_reset) systemReset = nullptr;
  decltype(&new_fluid_player) newPlayer = nullptr;
  decltype(&delete_fluid_player) deletePlayer = nullptr;
  decltype(&fluid_player_add_mem) addMem = nullptr;
  decltype(&fluid_player_play) play = nullptr;
  decltype(&fluid_player_seek) seek = nullptr;
  decltype(&fluid_player_stop) stop = nullptr;
  decltype(&fluid_set_log_function) setLogFunction = nullptr;
};

// Loads the library and binds every function above, once per process; null when it or one
// of its functions is missing. Thread-safe.
const FluidLibrary* LoadFluidLibrary();

}  // namespace varlo
