#pragma once
#include <bit>
#include <memory>
#include <string>
#include <utility>

namespace varlo {

// The program's backend plugins: shared objects in the lib folder beside the executable's folder
// (build/lib for build/bin/varlo, PREFIX/lib for PREFIX/bin/varlo), each linked against the
// libraries of one platform service (printing, the serial port, HTTP, the CD drive, the web
// engine) and exporting one C function that makes the backend. The program loads a plugin the
// first time a mode uses its service, so that a start which never prints, opens a port, looks a
// disc up or asks for the drive never maps those libraries.

// The folder the plugins are looked for in.
std::string PluginFolder();

// Loads `plugin` (a file name in PluginFolder(), or a path holding a '/') and returns its
// function `symbol`; null, with a line on standard error saying what `service` will be missing,
// when either cannot be found. A plugin stays loaded for the life of the process: threads it
// started may still run its code. Thread-safe.
void* PluginSymbol(const std::string& plugin, const char* symbol, const char* service);

template <typename Fn>
Fn PluginFunction(const std::string& plugin, const char* symbol, const char* service) {
  return std::bit_cast<Fn>(PluginSymbol(plugin, symbol, service));
}

// A backend that a plugin's function makes the first time it is asked for. When the plugin or
// its function is missing the backend stays null, and loading is not tried again.
template <typename Backend>
class PluginBackend {
 public:
  PluginBackend(std::string plugin, const char* symbol, const char* service)
      : plugin_(std::move(plugin)), symbol_(symbol), service_(service) {}

  // The backend, made on the first call by the plugin's function of type `Make` with `args`.
  template <typename Make, typename... Args>
  Backend* Get(Args&&... args) {
    if (!backend_ && !failed_) {
      if (const auto make = PluginFunction<Make>(plugin_, symbol_, service_))
        backend_.reset(make(std::forward<Args>(args)...));
      failed_ = backend_ == nullptr;
    }
    return backend_.get();
  }
  // The backend if it has been made, else null.
  Backend* Made() const { return backend_.get(); }

 private:
  std::string plugin_;
  const char* symbol_;
  const char* service_;
  std::unique_ptr<Backend> backend_;
  bool failed_ = false;
};

}  // namespace varlo

// Marks a plugin's one export; everything else in a plugin is hidden.
#define VARLO_PLUGIN_EXPORT extern "C" __attribute__((visibility("default")))
