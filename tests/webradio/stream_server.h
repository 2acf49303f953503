#pragma once
#include <memory>
#include <string>

#include "tests/cd/loopback_server.h"

namespace varlo::testing {

// An Icecast-like stream server on 127.0.0.1 for the tests. Its paths:
//   /live     an endless MP3 stream (silent 128 kbit/s mono frames) with ICY metadata every
//             16000 bytes: station "Loopback FM", title "Loopback Song", and from the third
//             block on "Second Song";
//   /slow     the same, answered only after 10 seconds;
//   /missing  404 Not Found;
//   /stall    the stream's headers and one block, then silence with the connection open;
//   /servers.pls  a station playlist of three servers: /missing, a refused one, /live.
class StreamServer {
 public:
  StreamServer();
  std::string Url(const std::string& path) const;
  static constexpr int kMetaInt = 16000;

 private:
  std::unique_ptr<LoopbackServer> server_;
};

// One MPEG-1 Layer III frame: 128 kbit/s, 44.1 kHz, mono, no padding (417 bytes). Side
// information and main data all zero decode as silence.
std::string SilentFrame();
// The ICY metadata block after each stretch of audio: a length byte in units of 16, then the
// text padded with zeros (a title too long for 255 units is cut).
std::string MetadataBlock(const std::string& title);

// An address on which nothing listens.
std::string RefusedUrl();

}  // namespace varlo::testing
