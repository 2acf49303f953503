#include "ui/instance_socket.h"

#include <unistd.h>

#include <QByteArray>
#include <QLocalSocket>
#include <QObject>
#include <cstdlib>

namespace varlo {
namespace {

// An item is a path or an address: a line longer than this is not one.
constexpr qint64 kMaxLine = 64 * 1024;

}  // namespace

QString InstanceSocketPath() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && *runtime)
    return QString::fromLocal8Bit(runtime) + QStringLiteral("/varlo-instance");
  return QStringLiteral("/tmp/varlo-instance-%1").arg(getuid());
}

bool HandOverBySocket(const std::vector<std::string>& items) {
  QLocalSocket socket;
  socket.connectToServer(InstanceSocketPath());
  if (!socket.waitForConnected(500)) return false;
  QByteArray line;
  for (const std::string& item : items) line += QByteArray::fromStdString(item) + '\0';
  socket.write(line + '\n');
  if (!socket.waitForBytesWritten(1000)) return false;
  // The answer comes once the running program has the item; one that hangs is not waited for
  // long.
  return socket.waitForReadyRead(2000) && socket.read(1) == "k";
}

InstanceSocketServer::InstanceSocketServer(
    std::function<void(const std::vector<std::string>&)> onItems)
    : onItems_(std::move(onItems)) {}

InstanceSocketServer::~InstanceSocketServer() = default;

bool InstanceSocketServer::Listen() {
  const QString path = InstanceSocketPath();
  server_ = std::make_unique<QLocalServer>();
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server_->listen(path)) {
    // A socket file nobody answers on was left by a program that ended without removing it.
    QLocalSocket probe;
    probe.connectToServer(path);
    if (probe.waitForConnected(200)) {
      server_.reset();
      return false;
    }
    QLocalServer::removeServer(path);
    if (!server_->listen(path)) {
      server_.reset();
      return false;
    }
  }
  QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(), [this] {
    while (QLocalSocket* client = server_->nextPendingConnection()) {
      QObject::connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
      QObject::connect(client, &QLocalSocket::readyRead, client, [this, client] {
        if (!client->canReadLine()) {
          if (client->bytesAvailable() > kMaxLine) client->abort();
          return;
        }
        QByteArray line = client->readLine(kMaxLine + 1);
        if (line.endsWith('\n')) line.chop(1);
        client->write("k");
        client->flush();
        client->disconnectFromServer();
        std::vector<std::string> items;
        for (const QByteArray& item : line.split('\0'))
          if (!item.isEmpty()) items.push_back(item.toStdString());
        if (onItems_) onItems_(items);
      });
    }
  });
  return true;
}

}  // namespace varlo
