// The serial-port plugin: a QtSerialPort for the program to load.
#include <type_traits>

#include "platform/qt/lazy_serial_port.h"
#include "platform/qt/qt_serial_port.h"

VARLO_PLUGIN_EXPORT varlo::ISerialPort* varlo_make_serial_port() {
  return new varlo::QtSerialPort;
}
static_assert(std::is_same_v<decltype(&varlo_make_serial_port), VarloMakeSerialPort>);
