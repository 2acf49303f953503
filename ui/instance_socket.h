#pragma once
#include <QLocalServer>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace varlo {

// Without a session bus, a second start hands its item to the running program over a local
// socket in the user's runtime folder ($XDG_RUNTIME_DIR/varlo-instance, else
// /tmp/varlo-instance-UID). One line holds the items, each ended by a zero byte (no name holds
// one); the program answers "k" once it has taken them.
QString InstanceSocketPath();

// Hands `items` (none: only bring the window up) to the program listening; false when none
// listens, within half a second.
bool HandOverBySocket(const std::vector<std::string>& items);

// The running program's end of the socket: the items of each hand-over go to `onItems` on the
// GUI thread. A socket left by a program that died is taken over.
class InstanceSocketServer {
 public:
  explicit InstanceSocketServer(std::function<void(const std::vector<std::string>&)> onItems);
  ~InstanceSocketServer();
  // Starts listening; false when another program holds the socket or it cannot be made.
  bool Listen();

 private:
  std::function<void(const std::vector<std::string>&)> onItems_;
  std::unique_ptr<QLocalServer> server_;
};

}  // namespace varlo
