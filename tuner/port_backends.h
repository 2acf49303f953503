#pragma once

#include <bitset>
#include <cstdint>
#include <memory>
#include <string>

#include "tuner/port_io.h"

namespace halvern {

// No port access: writes are dropped and reads give 0xFF, so both active-low status lines read
// "nothing there" and no station is ever detected.
class NullPort : public PortIo {
 public:
  void Out(std::uint16_t, std::uint8_t) override {}
  std::uint8_t In(std::uint16_t) override { return 0xFF; }
};

// Port access through a file where the byte at offset N is port N, as /dev/port is. A failed
// write is dropped and a failed read gives 0xFF, like an empty bus.
class FilePort : public PortIo {
 public:
  // Returns null when the file cannot be opened for reading and writing.
  static std::unique_ptr<FilePort> Open(const std::string& path);
  ~FilePort() override;
  FilePort(const FilePort&) = delete;
  FilePort& operator=(const FilePort&) = delete;

  void Out(std::uint16_t port, std::uint8_t value) override;
  std::uint8_t In(std::uint16_t port) override;

 private:
  explicit FilePort(int fd) : fd_(fd) {}
  int fd_;
};

// The processor's port instructions, after ioperm has granted the port to this process (root
// or CAP_SYS_RAWIO on x86). Each port is granted on its first use, since the caller may move
// the base port at any time. A port the kernel refuses behaves like NullPort.
class DirectPort : public PortIo {
 public:
  // Returns null when this process may not use ioperm, or on a machine without I/O ports.
  static std::unique_ptr<DirectPort> Open();

  void Out(std::uint16_t port, std::uint8_t value) override;
  std::uint8_t In(std::uint16_t port) override;

 private:
  DirectPort() = default;
  bool Grant(std::uint16_t port);

  std::bitset<0x10000> granted_;
  std::bitset<0x10000> refused_;
};

}  // namespace halvern
