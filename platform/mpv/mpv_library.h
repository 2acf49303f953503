#pragma once
#include <mpv/client.h>
#include <mpv/stream_cb.h>

#include <cstdint>
#include <string>
#include <string_view>

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
// The environment variable that names the sound outputs instead, in the engine's "ao" syntax
// ("alsa", "pulse,alsa", "null" for none): for a user whose desktop picks the wrong one, and for
// measurements that compare the program with the engine's own player on the same output.
inline constexpr const char* kAudioOutputVariable = "VARLO_AO";

// Sets the engine's "ao" option of `handle`: `named` when not empty, else $VARLO_AO, else
// kDesktopAudioOutputs. A $VARLO_AO the engine cannot read ("pulse,,alsa") is said on standard
// error and the desktop's outputs are used; names it does not know are skipped by the engine
// (with none left, it plays silently, as it does when no sound system answers).
void SetAudioOutput(const MpvLibrary& mpv, mpv_handle* handle, const std::string& named);
// Whether `list` reads as the engine's list of sound outputs: "alsa", "pulse,alsa", "null,".
bool IsAudioOutputList(std::string_view list);

// The "playlist_entry_id" of a loadfile command's reply; -1 when the reply has none.
std::int64_t MpvEntryId(const mpv_node& reply);

// Loads libmpv and binds every function above, once per process; later calls return the same
// result. Null when the library or one of its functions is missing (a line on standard error
// says which). Thread-safe: callers on several threads wait for the one load.
const MpvLibrary* LoadMpvLibrary();

}  // namespace varlo
