#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QSocketNotifier;

namespace varlo {

// A second start hands its items to the running program over a local socket (the session bus
// serves only where none can be made). Only a program the user sees from that start may take it:
// one on the same display, with the same program folder, so the socket's name carries a key made of
// both.

// The display this program shows on: $WAYLAND_DISPLAY's name on Wayland, else $DISPLAY.
std::string CurrentDisplay();

// The key of a program on `display` with the program folder `programFolder` (16 hex digits).
// Spellings of one display (":0", ":0.0") or of one folder ("/a/b/", "/a/./b") give one key.
std::string InstanceKey(const std::string& display, const std::string& programFolder);

// The socket of the program with `key`: varlo-KEY in $XDG_RUNTIME_DIR, else in /tmp/varlo-UID
// (made for the user alone, and refused when anyone else could enter it). Empty when there is
// no such folder or the path would be too long for a socket.
std::string InstanceSocketPath(const std::string& key);

// Whether a socket is there for a program with `programFolder` on one of the displays a start
// may show on ($DISPLAY, or $WAYLAND_DISPLAY's), before the toolkit has chosen one: the start
// will likely hand over, so work it does only for itself can wait. A socket left by a program
// that died counts too.
bool InstanceSocketPresent(const std::string& programFolder);

// Whether a program can listen at `path` (from InstanceSocketPath): it is not empty and its
// folder is one this user may make files in. Where it is not, later starts find the running
// program on the session bus instead.
bool InstanceSocketUsable(const std::string& path);

// Hands `items` (none: only bring the window up) to the program listening at `path`; false
// when none listens, or it does not take them within a few seconds.
bool HandOverBySocket(const std::string& path, const std::vector<std::string>& items);

// The running program's end of the socket: the items of each hand-over go to `onItems` on the
// GUI thread. A hand-over is its items, each ended by a zero byte (no name holds one, and none
// is empty), then one more zero byte; at most 1 MiB. The program answers "k" once it has them.
// A socket left by a program that died is taken over; the socket file goes with the server.
class InstanceSocketServer {
 public:
  using OnItems = std::function<void(const std::vector<std::string>&)>;
  InstanceSocketServer(std::string path, OnItems onItems);
  ~InstanceSocketServer();
  InstanceSocketServer(const InstanceSocketServer&) = delete;
  InstanceSocketServer& operator=(const InstanceSocketServer&) = delete;

  // Starts listening; false when another program holds the socket or it cannot be made.
  bool Listen();

 private:
  struct Client;
  void Accept();
  void Read(Client& client);
  void Drop(Client& client);

  std::string path_;
  OnItems onItems_;
  int fd_ = -1;
  std::unique_ptr<QSocketNotifier> notifier_;
  std::vector<std::unique_ptr<Client>> clients_;
};

}  // namespace varlo
