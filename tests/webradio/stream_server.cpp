#include "tests/webradio/stream_server.h"

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>

namespace varlo::testing {

std::string SilentFrame() {
  std::string frame(417, '\0');
  frame[0] = static_cast<char>(0xFF);
  frame[1] = static_cast<char>(0xFB);
  frame[2] = static_cast<char>(0x90);
  frame[3] = static_cast<char>(0xC4);
  return frame;
}

std::string MetadataBlock(const std::string& title) {
  std::string text = "StreamTitle='" + title + "';StreamUrl='';";
  const std::size_t units = std::min<std::size_t>(255, (text.size() + 15) / 16);
  text.resize(units * 16, '\0');
  return std::string(1, static_cast<char>(units)) + text;
}

namespace {

void Stream(LoopbackServer& server, int socket, bool stallAfterFirst) {
  const std::string headers =
      "ICY 200 OK\r\n"
      "icy-name: Loopback FM\r\n"
      "icy-genre: Test\r\n"
      "icy-br: 128\r\n"
      "icy-metaint: 16000\r\n"
      "Content-Type: audio/mpeg\r\n"
      "\r\n";
  // Sent as HTTP/1.0 so that every client reads the ICY headers the same way.
  std::string status = headers;
  status.replace(0, 10, "HTTP/1.0 200 OK");
  if (!LoopbackServer::Send(socket, status)) return;
  const std::string frame = SilentFrame();
  std::string audio;
  std::size_t offset = 0;
  for (int block = 0;; ++block) {
    // Each block is one second of audio; the server sends it twice as fast as it plays.
    audio.clear();
    while (audio.size() < StreamServer::kMetaInt) {
      const std::size_t take =
          std::min(frame.size() - offset, StreamServer::kMetaInt - audio.size());
      audio.append(frame, offset, take);
      offset = (offset + take) % frame.size();
    }
    audio += MetadataBlock(block < 2 ? "Loopback Song" : "Second Song");
    if (!LoopbackServer::Send(socket, audio)) return;
    if (stallAfterFirst) {
      server.Sleep(120000);
      return;
    }
    if (!server.Sleep(500)) return;
  }
}

}  // namespace

StreamServer::StreamServer() {
  server_ = std::make_unique<LoopbackServer>([](LoopbackServer& server, int socket,
                                                const std::string& target) {
    if (target == "/live") return Stream(server, socket, false);
    if (target == "/stall") return Stream(server, socket, true);
    if (target == "/servers.pls") {
      // A station with three servers, of which only the last answers.
      const std::string base = "http://127.0.0.1:" + std::to_string(server.Port());
      return (void)LoopbackServer::Send(
          socket, LoopbackServer::Ok("[playlist]\nNumberOfEntries=3\nFile1=" + base +
                                     "/missing\nFile2=" + RefusedUrl() + "\nFile3=" + base +
                                     "/live\nVersion=2\n"));
    }
    if (target == "/slow") {
      if (!server.Sleep(10000)) return;
      return Stream(server, socket, false);
    }
    LoopbackServer::Send(socket, "HTTP/1.0 404 Not Found\r\nContent-Length: 9\r\n\r\nNot found");
  });
}

std::string StreamServer::Url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(server_->Port()) + path;
}

std::string RefusedUrl() {
  // A port just bound and let go again: nothing listens there.
  const int s = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
  socklen_t length = sizeof address;
  ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
  ::close(s);
  return "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/live";
}

}  // namespace varlo::testing
