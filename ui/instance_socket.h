#pragma once
#include <QLocalServer>
#include <QString>
#include <functional>
#include <memory>
#include <string>

namespace varlo {

// Without a session bus, a second start hands its item to the running program over a local
// socket in the user's runtime folder ($XDG_RUNTIME_DIR/varlo-instance, else
// /tmp/varlo-instance-UID). One line per item; the program answers "k" once it has taken it.
QString InstanceSocketPath();

// Hands `item` (empty: only bring the window up) to the program listening; false when none
// listens, within half a second.
bool HandOverBySocket(const std::string& item);

// The running program's end of the socket: each item handed over goes to `onItem` on the GUI
// thread. A socket left by a program that died is taken over.
class InstanceSocketServer {
 public:
  explicit InstanceSocketServer(std::function<void(const std::string&)> onItem);
  ~InstanceSocketServer();
  // Starts listening; false when another program holds the socket or it cannot be made.
  bool Listen();

 private:
  std::function<void(const std::string&)> onItem_;
  std::unique_ptr<QLocalServer> server_;
};

}  // namespace varlo
