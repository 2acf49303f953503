#pragma once

#include <cstdint>

namespace halvern {

// One-byte access to the machine's I/O ports. Every card protocol is written against this, so
// the same code drives real hardware, the emulated card and the recording port of the tests.
class PortIo {
 public:
  virtual ~PortIo() = default;
  virtual void Out(std::uint16_t port, std::uint8_t value) = 0;
  virtual std::uint8_t In(std::uint16_t port) = 0;
};

// A card talks through a single base port; the bus binds the two so protocol code only says
// "write this byte" or "read a byte".
class CardBus {
 public:
  CardBus(PortIo& io, std::uint16_t port) : io_(io), port_(port) {}
  void Write(std::uint8_t value) { io_.Out(port_, value); }
  std::uint8_t Read() { return io_.In(port_); }
  void WriteTwice(std::uint8_t value) {
    Write(value);
    Write(value);
  }
  // One bit of a serial word clocked out as the Aztech and RadioTrack cards take it: the data
  // line with the clock low, then with the clock high, each written twice to let it settle.
  void SendClockedBit(bool one, std::uint8_t clockLow, std::uint8_t clockHigh,
                      std::uint8_t dataLine) {
    const std::uint8_t data = one ? dataLine : std::uint8_t{0};
    WriteTwice(static_cast<std::uint8_t>(clockLow | data));
    WriteTwice(static_cast<std::uint8_t>(clockHigh | data));
  }

 private:
  PortIo& io_;
  std::uint16_t port_;
};

}  // namespace halvern
