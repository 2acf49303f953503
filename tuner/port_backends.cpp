#include "tuner/port_backends.h"

#include <fcntl.h>
#include <unistd.h>

#if defined(__x86_64__) || defined(__i386__)
#include <sys/io.h>
#define HALVERN_HAVE_PORT_INSTRUCTIONS 1
#endif

#include "tuner/tuner.h"

namespace halvern {

std::unique_ptr<FilePort> FilePort::Open(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) return nullptr;
  return std::unique_ptr<FilePort>(new FilePort(fd));
}

FilePort::~FilePort() {
  ::close(fd_);
}

void FilePort::Out(std::uint16_t port, std::uint8_t value) {
  // There is no error result to give; a short write is the same as no card.
  [[maybe_unused]] const ssize_t written = ::pwrite(fd_, &value, 1, port);
}

std::uint8_t FilePort::In(std::uint16_t port) {
  std::uint8_t value = 0xFF;
  if (::pread(fd_, &value, 1, port) != 1) return 0xFF;
  return value;
}

#if HALVERN_HAVE_PORT_INSTRUCTIONS

std::unique_ptr<DirectPort> DirectPort::Open() {
  // Probing with the library's default port tells whether ioperm works at all.
  if (::ioperm(kDefaultPort, 1, 1) != 0) return nullptr;
  std::unique_ptr<DirectPort> direct(new DirectPort());
  direct->granted_.set(kDefaultPort);
  return direct;
}

bool DirectPort::Grant(std::uint16_t port) {
  if (granted_.test(port)) return true;
  if (refused_.test(port)) return false;
  if (::ioperm(port, 1, 1) == 0) {
    granted_.set(port);
    return true;
  }
  refused_.set(port);
  return false;
}

void DirectPort::Out(std::uint16_t port, std::uint8_t value) {
  if (Grant(port)) ::outb(value, port);
}

std::uint8_t DirectPort::In(std::uint16_t port) {
  return Grant(port) ? ::inb(port) : 0xFF;
}

#else

std::unique_ptr<DirectPort> DirectPort::Open() {
  return nullptr;
}
bool DirectPort::Grant(std::uint16_t) {
  return false;
}
void DirectPort::Out(std::uint16_t, std::uint8_t) {}
std::uint8_t DirectPort::In(std::uint16_t) {
  return 0xFF;
}

#endif

}  // namespace halvern
