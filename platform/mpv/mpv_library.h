#pragma once
#include <mpv/client.h>
#include <mpv/stream_cb.h>

#include <cstdint>

namespace varlo {

// The libmpv functions the media device calls, bound by name from the library loaded at run
// time. The program is not linked against libmpv: the engine and the two hundred shared objects
// it pulls in are loaded only when a device first needs them, off the start-up path.
struct MpvLibrary {
  decltype(&mpv_create) create = nullptr;
  decltype(&mpv_initialize) initialize = nullptr;
  decltype(&mpv_terminate_destroy) terminateDestroy = nullptr;
  decltype(&mpv_set_option_string) setOptionString = nullptr;
  decltype(&mpv_set_property) setProperty = nullptr;
  decltype(&mpv_set_property_string) setPropertyString = nullptr;
  decltype(&mpv_get_property) getProperty = nullptr;
  decltype(&mpv_observe_property) observeProperty = nullptr;
  decltype(&mpv_command) command = nullptr;
  decltype(&mpv_command_ret) commandRet = nullptr;
  decltype(&mpv_free_node_contents) freeNodeContents = nullptr;
  decltype(&mpv_wait_event) waitEvent = nullptr;
  decltype(&mpv_set_wakeup_callback) setWakeupCallback = nullptr;
  decltype(&mpv_stream_cb_add_ro) streamCbAddRo = nullptr;
};

// The sound outputs the engines try, in the engine's own order, when none is named: its SDL
// output is left out, since on Linux it goes through these same systems (and costs a start of
// SDL, 0.8 MB resident, where none of them answers).
inline constexpr const char* kDesktopAudioOutputs = "pipewire,pulse,alsa,jack";
// The "playlist_entry_id" of a loadfile command's reply; -1 when the reply has none.
std::int64_t MpvEntryId(const mpv_node& reply);

// Loads libmpv and binds every function above, once per process; later calls return the same
// result. Null when the library or one of its functions is missing (a line on standard error
// says which). Thread-safe: callers on several threads wait for the one load.
const MpvLibrary* LoadMpvLibrary();

}  // namespace varlo
