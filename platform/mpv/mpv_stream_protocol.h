#pragma once
#include "platform/byte_stream.h"

struct mpv_handle;

namespace varlo {

struct MpvLibrary;

// Makes the engine open addresses of `protocol` through its opener. `protocol` must outlive
// the handle. False when the engine refused the registration.
bool AddStreamProtocol(const MpvLibrary& mpv, mpv_handle* handle, const StreamProtocol& protocol);

}  // namespace varlo
