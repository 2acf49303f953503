#pragma once
#include <string>

#include "platform/backend_plugin.h"
#include "platform/serial_port.h"

// The serial-port plugin's one export: a closed port the caller owns.
using VarloMakeSerialPort = varlo::ISerialPort* (*)();
inline constexpr const char* kVarloSerialPlugin = "libvarlo_serial.so";
inline constexpr const char* kVarloMakeSerialPort = "varlo_make_serial_port";

namespace varlo {

// The serial port of the serial-port plugin (Qt Serial Port), loaded the first time a port is
// opened. Without the plugin no port opens, with a line on standard error.
class LazySerialPort final : public ISerialPort {
 public:
  // `plugin` is the plugin's path, empty for the one in the program's plugin folder.
  explicit LazySerialPort(std::string plugin = {});

  bool Open(const std::string& device, const SerialLine& line) override;
  bool Write(std::string_view bytes) override;
  void Close() override;
  bool IsOpen() const override;

 private:
  PluginBackend<ISerialPort> port_;
};

}  // namespace varlo
