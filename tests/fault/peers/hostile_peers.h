#pragma once
#include <cstddef>
#include <string>

#include "tests/cd/loopback_server.h"

namespace varlo::testing {

// Ways for a loopback server's answer to misbehave, shared by the CDDB and stream faults.
// Every one gives up as soon as the server stops or the client goes away.

// Sends `data` one byte a second.
void Trickle(LoopbackServer& server, int socket, const std::string& data);

// Sends `head`, then `bytes` bytes of `fill` in large pieces, as fast as the client reads.
void Flood(LoopbackServer& server, int socket, const std::string& head, std::size_t bytes,
           char fill);

// Holds the connection open without a byte for `ms`.
void Stall(LoopbackServer& server, int ms);

// An Icecast-like stream of silent MP3 frames with ICY metadata every kIcyMetaInt bytes:
// station `name`, title `title`, for `blocks` blocks of a second each (sent twice as fast as
// they play), then the connection closes. Header and title bytes go out as given.
inline constexpr std::size_t kIcyMetaInt = 16000;
void IcyStream(LoopbackServer& server, int socket, const std::string& name,
               const std::string& title, int blocks);

// The first `bytes` bytes of an ICY stream (headers included), then the connection closes.
std::string IcyStreamStart(std::size_t bytes);

// Whether `text` is well-formed UTF-8 throughout.
bool IsUtf8(const std::string& text);

}  // namespace varlo::testing
