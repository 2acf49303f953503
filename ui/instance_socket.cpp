#include "ui/instance_socket.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <system_error>

namespace varlo {
namespace {

// The items of a file manager's "Open with" of many files: a hand-over longer than this is not
// one.
constexpr std::size_t kMaxHandOver = 1024 * 1024;
// Starts that connect at the same time; one more drops the oldest.
constexpr std::size_t kMaxClients = 8;

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// ":0.0" and ":0" are one X display: the screen number is left out.
std::string WithoutScreen(const std::string& display) {
  const std::size_t colon = display.rfind(':');
  const std::size_t dot = display.rfind('.');
  if (colon == std::string::npos || dot == std::string::npos || dot < colon) return display;
  return display.substr(0, dot);
}

std::string NormalFolder(const std::string& folder) {
  std::error_code ec;
  std::filesystem::path path = std::filesystem::weakly_canonical(folder, ec);
  if (ec) path = std::filesystem::path(folder);
  std::string text = path.lexically_normal().string();
  while (text.size() > 1 && text.back() == '/') text.pop_back();
  return text;
}

std::optional<sockaddr_un> Address(const std::string& path) {
  sockaddr_un address{};
  if (path.empty() || path.size() >= sizeof address.sun_path) return std::nullopt;
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path.data(), path.size());
  return address;
}

// A connected socket to `path`, without waiting for a listener that does not accept; -1 when
// nobody listens there.
int ConnectTo(const std::string& path) {
  const std::optional<sockaddr_un> address = Address(path);
  if (!address) return -1;
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return -1;
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// Waits until `fd` is ready for `events`, for at most `ms`.
bool WaitFor(int fd, short events, int ms) {
  pollfd p{fd, events, 0};
  int ready = 0;
  do {
    ready = ::poll(&p, 1, ms);
  } while (ready < 0 && errno == EINTR);
  return ready > 0 && (p.revents & events) != 0;
}

// Sends all of `bytes`, waiting at most `ms` in all.
bool SendAll(int fd, const std::string& bytes, int ms) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    const ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n > 0) {
      sent += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno != EAGAIN && errno != EINTR) return false;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0 || !WaitFor(fd, POLLOUT, static_cast<int>(left.count()))) return false;
  }
  return true;
}

// A folder of the user's own in /tmp, for a session without a runtime folder; empty when it
// cannot be made or someone else could enter it.
std::string PrivateTmpFolder() {
  const std::string folder = "/tmp/varlo-" + std::to_string(::getuid());
  ::mkdir(folder.c_str(), 0700);
  struct stat info {};
  if (::lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid() ||
      (info.st_mode & 077) != 0)
    return {};
  return folder;
}

}  // namespace

std::string CurrentDisplay() {
  if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
    const std::string name = Env("WAYLAND_DISPLAY");
    return "wayland " + (name.empty() ? std::string("wayland-0") : name);
  }
  return Env("DISPLAY");
}

std::string InstanceKey(const std::string& display, const std::string& programFolder) {
  // FNV-1a: the same key in every build, so that programs of different builds meet.
  std::uint64_t hash = 0xcbf29ce484222325ULL;
  for (const char c : WithoutScreen(display) + '\n' + NormalFolder(programFolder)) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001b3ULL;
  }
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return text;
}

std::string InstanceSocketPath(const std::string& key) {
  std::string folder = Env("XDG_RUNTIME_DIR");
  if (folder.empty()) folder = PrivateTmpFolder();
  if (folder.empty()) return {};
  const std::string path = folder + "/varlo-" + key;
  return Address(path) ? path : std::string();
}

bool InstanceSocketPresent(const std::string& programFolder) {
  std::vector<std::string> displays{Env("DISPLAY")};
  if (const std::string wayland = Env("WAYLAND_DISPLAY"); !wayland.empty())
    displays.push_back("wayland " + wayland);
  for (const std::string& display : displays) {
    const std::string path = InstanceSocketPath(InstanceKey(display, programFolder));
    struct stat info {};
    if (!path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISSOCK(info.st_mode)) return true;
  }
  return false;
}

bool InstanceSocketUsable(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (!Address(path) || slash == std::string::npos) return false;
  const std::string folder = slash == 0 ? "/" : path.substr(0, slash);
  struct stat info {};
  return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
         ::access(folder.c_str(), W_OK | X_OK) == 0;
}

bool HandOverBySocket(const std::string& path, const std::vector<std::string>& items) {
  std::string message;
  for (const std::string& item : items)
    if (!item.empty()) message += item + '\0';
  message += '\0';
  const int fd = ConnectTo(path);
  if (fd < 0) return false;
  // The answer comes once the running program has the item; one that hangs is not waited for
  // long.
  char answer = 0;
  const bool taken = SendAll(fd, message, 1000) && WaitFor(fd, POLLIN, 2000) &&
                     ::recv(fd, &answer, 1, 0) == 1 && answer == 'k';
  ::close(fd);
  return taken;
}

struct InstanceSocketServer::Client {
  int fd = -1;
  std::string line;  // what has come of the hand-over
  QSocketNotifier* notifier = nullptr;
};

InstanceSocketServer::InstanceSocketServer(std::string path, OnItems onItems)
    : path_(std::move(path)), onItems_(std::move(onItems)) {}

InstanceSocketServer::~InstanceSocketServer() {
  for (const auto& client : clients_) {
    delete client->notifier;
    ::close(client->fd);
  }
  if (fd_ < 0) return;
  notifier_.reset();
  ::close(fd_);
  ::unlink(path_.c_str());
}

bool InstanceSocketServer::Listen() {
  if (fd_ >= 0) return true;
  const std::optional<sockaddr_un> address = Address(path_);
  if (!address) return false;
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return false;
  const auto bind = [&] {
    return ::bind(fd, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) == 0;
  };
  bool bound = bind();
  if (!bound && errno == EADDRINUSE) {
    // A socket file nobody answers on was left by a program that ended without removing it.
    if (const int probe = ConnectTo(path_); probe >= 0) {
      ::close(probe);
      ::close(fd);
      return false;
    }
    ::unlink(path_.c_str());
    bound = bind();
  }
  if (!bound || ::chmod(path_.c_str(), 0600) != 0 || ::listen(fd, SOMAXCONN) != 0) {
    if (bound) ::unlink(path_.c_str());
    ::close(fd);
    return false;
  }
  fd_ = fd;
  notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                   [this] { Accept(); });
  return true;
}

void InstanceSocketServer::Accept() {
  for (;;) {
    const int fd = ::accept4(fd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) return;
    if (clients_.size() >= kMaxClients) Drop(*clients_.front());
    auto client = std::make_unique<Client>();
    client->fd = fd;
    client->notifier = new QSocketNotifier(fd, QSocketNotifier::Read);
    Client* raw = client.get();
    QObject::connect(client->notifier, &QSocketNotifier::activated, client->notifier,
                     [this, raw] { Read(*raw); });
    clients_.push_back(std::move(client));
  }
}

void InstanceSocketServer::Read(Client& client) {
  char buffer[4096];
  for (;;) {
    const ssize_t n = ::recv(client.fd, buffer, sizeof buffer, 0);
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) return;
    if (n <= 0) {
      Drop(client);  // gone before a whole line came
      return;
    }
    const std::size_t before = client.line.size();
    client.line.append(buffer, static_cast<std::size_t>(n));
    // The hand-over ends with a zero byte that ends no item: at the start, or after another.
    std::size_t end = client.line.find('\0', before > 0 ? before - 1 : 0);
    while (end != std::string::npos && end > 0 && client.line[end - 1] != '\0')
      end = client.line.find('\0', end + 1);
    if (end != std::string::npos && end < kMaxHandOver) {
      std::vector<std::string> items;
      for (std::size_t at = 0; at < end;) {
        const std::size_t stop = client.line.find('\0', at);
        items.push_back(client.line.substr(at, stop - at));
        at = stop + 1;
      }
      ::send(client.fd, "k", 1, MSG_NOSIGNAL | MSG_DONTWAIT);
      // The client is gone before the items are opened, which may show a dialog.
      Drop(client);
      if (onItems_) onItems_(items);
      return;
    }
    if (client.line.size() > kMaxHandOver) {
      Drop(client);
      return;
    }
  }
}

void InstanceSocketServer::Drop(Client& client) {
  // The notifier may be the one whose signal is running: it goes once that has returned.
  client.notifier->setEnabled(false);
  client.notifier->deleteLater();
  ::close(client.fd);
  const auto at = std::find_if(clients_.begin(), clients_.end(),
                               [&client](const auto& c) { return c.get() == &client; });
  if (at != clients_.end()) clients_.erase(at);
}

}  // namespace varlo
