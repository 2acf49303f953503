#include "tests/fault/peers/hostile_peers.h"

#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>

#include "common/utf8_text.h"
#include "tests/webradio/stream_server.h"

namespace varlo::testing {
namespace {

std::string IcyHeaders(const std::string& name) {
  return "HTTP/1.0 200 OK\r\nicy-name: " + name +
         "\r\nicy-br: 128\r\nicy-metaint: " + std::to_string(kIcyMetaInt) +
         "\r\nContent-Type: audio/mpeg\r\n\r\n";
}

// One second of audio and its metadata block.
std::string IcyBlock(const std::string& title) {
  const std::string frame = SilentFrame();
  std::string audio;
  while (audio.size() < kIcyMetaInt)
    audio.append(frame, 0, std::min(frame.size(), kIcyMetaInt - audio.size()));
  return audio + MetadataBlock(title);
}

// Sends `data`, waiting at most 50 ms at a time for the client to take more, so that a client
// that stops reading never holds the server's thread past its stop.
bool SendPolitely(LoopbackServer& server, int socket, const char* data, std::size_t size) {
  std::size_t sent = 0;
  while (sent < size) {
    pollfd out{socket, POLLOUT, 0};
    const int ready = ::poll(&out, 1, 50);
    if (!server.Sleep(0)) return false;
    if (ready <= 0) continue;
    if ((out.revents & (POLLERR | POLLHUP)) != 0) return false;
    const ssize_t n = ::send(socket, data + sent, size - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
    if (n <= 0) return false;
    sent += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

void Trickle(LoopbackServer& server, int socket, const std::string& data) {
  for (char c : data) {
    if (!SendPolitely(server, socket, &c, 1) || !server.Sleep(1000)) return;
  }
}

void Flood(LoopbackServer& server, int socket, const std::string& head, std::size_t bytes,
           char fill) {
  if (!SendPolitely(server, socket, head.data(), head.size())) return;
  const std::string piece(1 << 16, fill);
  while (bytes > 0) {
    const std::size_t n = std::min(bytes, piece.size());
    if (!SendPolitely(server, socket, piece.data(), n)) return;
    bytes -= n;
  }
}

void Stall(LoopbackServer& server, int ms) {
  server.Sleep(ms);
}

void IcyStream(LoopbackServer& server, int socket, const std::string& name,
               const std::string& title, int blocks) {
  const std::string headers = IcyHeaders(name);
  if (!SendPolitely(server, socket, headers.data(), headers.size())) return;
  const std::string block = IcyBlock(title);
  for (int i = 0; i < blocks; ++i) {
    if (!SendPolitely(server, socket, block.data(), block.size()) || !server.Sleep(500)) return;
  }
}

std::string IcyStreamStart(std::size_t bytes) {
  return (IcyHeaders("Cut Short FM") + IcyBlock("Cut")).substr(0, bytes);
}

bool IsUtf8(const std::string& text) {
  std::string_view rest = text;
  while (!rest.empty()) {
    char32_t code = 0;
    const std::size_t n = Utf8Decode(rest, code);
    if (n == 0) return false;
    rest.remove_prefix(n);
  }
  return true;
}

}  // namespace varlo::testing
