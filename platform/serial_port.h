#pragma once
#include <string>
#include <string_view>

namespace varlo {

// The line settings of a serial port.
struct SerialLine {
  int baud = 9600;
  char parity = 'N';  // N, E, O, M or S
  int dataBits = 8;   // 5-8
  int stopBits = 1;   // 1 or 2
  bool operator==(const SerialLine&) const = default;
};

// One serial port. Calls return at once on the GUI thread: writes are queued, never waited for.
class ISerialPort {
 public:
  virtual ~ISerialPort() = default;
  // Opens `device` (a path such as "/dev/ttyS0"); false, with the port closed, on any failure.
  virtual bool Open(const std::string& device, const SerialLine& line) = 0;
  // Queues `bytes`; false when the port is closed or has failed.
  virtual bool Write(std::string_view bytes) = 0;
  // Sends what is queued, waiting a short bounded time at most, then closes.
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
};

// No port at all: every open fails.
class NullSerialPort final : public ISerialPort {
 public:
  bool Open(const std::string&, const SerialLine&) override { return false; }
  bool Write(std::string_view) override { return false; }
  void Close() override {}
  bool IsOpen() const override { return false; }
};

}  // namespace varlo
