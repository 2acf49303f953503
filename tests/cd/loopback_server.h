#pragma once
#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace varlo::testing {

// An HTTP server on 127.0.0.1 for the tests, on a thread of its own: each connection's
// request line is recorded and `answer` writes what the test wants on the connection's
// socket (it may stall, trickle or reset).
class LoopbackServer {
 public:
  using Answer = std::function<void(LoopbackServer& server, int socket, const std::string& target)>;

  explicit LoopbackServer(Answer answer);
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  int Port() const { return port_; }
  // "http://127.0.0.1:PORT/~cddb/cddb.cgi?cmd=".
  std::string CommandPrefix() const;
  // The request targets seen so far (path and query).
  std::vector<std::string> Targets();

  // Helpers for answers: writes all of `data`; false once the peer is gone.
  static bool Send(int socket, const std::string& data);
  // A whole HTTP/1.0 reply with status 200 and `body`.
  static std::string Ok(const std::string& body);
  // Waits up to `ms`, returning early when the server stops.
  bool Sleep(int ms);

 private:
  void Run();

  Answer answer_;
  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::thread thread_;
  std::vector<std::thread> connections_;
  std::vector<std::string> targets_;
  std::atomic_flag lock_ = ATOMIC_FLAG_INIT;
};

}  // namespace varlo::testing
