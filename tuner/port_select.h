#pragma once

#include <functional>
#include <memory>
#include <string_view>
#include <utility>

#include "tuner/port_io.h"

namespace halvern {

// Picks the port access for the library from the HALVERN_PORT and HALVERN_SIM_STATIONS values
// (pass empty views when unset):
//   unset or empty  the machine's ports: ioperm if permitted, else /dev/port, else NullPort;
//   "sim"           an EmulatedCard answering for the stations listed;
//   "none"          NullPort.
// Any other value also gives NullPort, so a mistyped "sim" never reaches real hardware.
std::unique_ptr<PortIo> SelectPortIo(std::string_view mode, std::string_view stations);

// Reads the two environment variables and calls SelectPortIo.
std::unique_ptr<PortIo> SelectPortIoFromEnvironment();

// Creates its backend on the first byte in or out, so loading the library or asking for the
// stored volume never probes for port access.
class DeferredPort : public PortIo {
 public:
  using Factory = std::function<std::unique_ptr<PortIo>()>;
  explicit DeferredPort(Factory factory) : factory_(std::move(factory)) {}

  void Out(std::uint16_t port, std::uint8_t value) override { Backend().Out(port, value); }
  std::uint8_t In(std::uint16_t port) override { return Backend().In(port); }

  bool created() const { return backend_ != nullptr; }

 private:
  PortIo& Backend();

  Factory factory_;
  std::unique_ptr<PortIo> backend_;
};

}  // namespace halvern
