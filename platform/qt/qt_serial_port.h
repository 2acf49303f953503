#pragma once
#include <QSerialPort>

#include "platform/serial_port.h"

namespace varlo {

// A serial port through Qt Serial Port. Writes are queued and sent by the event loop; a port
// that reports an error counts as closed.
class QtSerialPort final : public ISerialPort {
 public:
  QtSerialPort();
  bool Open(const std::string& device, const SerialLine& line) override;
  bool Write(std::string_view bytes) override;
  void Close() override;
  bool IsOpen() const override;

 private:
  QSerialPort port_;
  bool failed_ = false;
};

}  // namespace varlo
