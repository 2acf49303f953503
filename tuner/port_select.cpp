#include "tuner/port_select.h"

#include <cstdlib>

#include "tuner/emulated_card.h"
#include "tuner/port_backends.h"
#include "tuner/sim_stations.h"

namespace halvern {

std::unique_ptr<PortIo> SelectPortIo(std::string_view mode, std::string_view stations) {
  if (mode == "sim") return std::make_unique<EmulatedCard>(ParseSimStations(stations));
  if (!mode.empty()) return std::make_unique<NullPort>();
  if (auto direct = DirectPort::Open()) return direct;
  if (auto file = FilePort::Open("/dev/port")) return file;
  return std::make_unique<NullPort>();
}

std::unique_ptr<PortIo> SelectPortIoFromEnvironment() {
  const char* mode = std::getenv("HALVERN_PORT");
  const char* stations = std::getenv("HALVERN_SIM_STATIONS");
  return SelectPortIo(mode ? mode : "", stations ? stations : "");
}

PortIo& DeferredPort::Backend() {
  if (!backend_) {
    backend_ = factory_();
    if (!backend_) backend_ = std::make_unique<NullPort>();
  }
  return *backend_;
}

}  // namespace halvern
