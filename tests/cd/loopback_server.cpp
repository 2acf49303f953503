#include "tests/cd/loopback_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>

namespace varlo::testing {

LoopbackServer::LoopbackServer(Answer answer) : answer_(std::move(answer)) {
  listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
  ::listen(listener_, 8);
  socklen_t length = sizeof address;
  ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this] { Run(); });
}

LoopbackServer::~LoopbackServer() {
  stop_ = true;
  thread_.join();
  for (std::thread& connection : connections_) connection.join();
  ::close(listener_);
}

std::string LoopbackServer::CommandPrefix() const {
  return "http://127.0.0.1:" + std::to_string(port_) + "/~cddb/cddb.cgi?cmd=";
}

std::vector<std::string> LoopbackServer::Targets() {
  while (lock_.test_and_set()) {
  }
  std::vector<std::string> copy = targets_;
  lock_.clear();
  return copy;
}

bool LoopbackServer::Send(int socket, const std::string& data) {
  std::size_t sent = 0;
  while (sent < data.size()) {
    const ssize_t n = ::send(socket, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) return false;
    sent += static_cast<std::size_t>(n);
  }
  return true;
}

std::string LoopbackServer::Ok(const std::string& body) {
  return "HTTP/1.0 200 OK\r\nContent-Type: text/plain; charset=UTF-8\r\nContent-Length: " +
         std::to_string(body.size()) + "\r\n\r\n" + body;
}

bool LoopbackServer::Sleep(int ms) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < end) {
    if (stop_) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return !stop_;
}

void LoopbackServer::Run() {
  while (!stop_) {
    pollfd ready{listener_, POLLIN, 0};
    if (::poll(&ready, 1, 50) <= 0) continue;
    const int socket = ::accept(listener_, nullptr, nullptr);
    if (socket < 0) continue;
    connections_.emplace_back([this, socket] {
      // The request ends at its blank line.
      std::string request;
      char buffer[4096];
      while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
        pollfd in{socket, POLLIN, 0};
        if (::poll(&in, 1, 50) <= 0) {
          if (stop_) break;
          continue;
        }
        const ssize_t n = ::recv(socket, buffer, sizeof buffer, 0);
        if (n <= 0) break;
        request.append(buffer, static_cast<std::size_t>(n));
      }
      const std::size_t start = request.find(' ');
      const std::size_t end = request.find(' ', start + 1);
      const std::string target =
          start == std::string::npos ? std::string() : request.substr(start + 1, end - start - 1);
      while (lock_.test_and_set()) {
      }
      targets_.push_back(target);
      lock_.clear();
      answer_(*this, socket, target);
      ::close(socket);
    });
  }
}

}  // namespace varlo::testing
