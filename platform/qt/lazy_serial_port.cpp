#include "platform/qt/lazy_serial_port.h"

namespace varlo {

LazySerialPort::LazySerialPort(std::string plugin)
    : port_(plugin.empty() ? kVarloSerialPlugin : std::move(plugin), kVarloMakeSerialPort,
            "the serial port") {}

bool LazySerialPort::Open(const std::string& device, const SerialLine& line) {
  ISerialPort* port = port_.Get<VarloMakeSerialPort>();
  return port && port->Open(device, line);
}

bool LazySerialPort::Write(std::string_view bytes) {
  ISerialPort* port = port_.Made();
  return port && port->Write(bytes);
}

void LazySerialPort::Close() {
  if (ISerialPort* port = port_.Made()) port->Close();
}

bool LazySerialPort::IsOpen() const {
  const ISerialPort* port = port_.Made();
  return port && port->IsOpen();
}

}  // namespace varlo
