#include "platform/backend_plugin.h"

#include <dlfcn.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace varlo {

std::string PluginFolder() {
  std::error_code ec;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return "lib";
  return (program.parent_path().parent_path() / "lib").string();
}

void* PluginSymbol(const std::string& plugin, const char* symbol, const char* service) {
  const std::string path =
      plugin.find('/') == std::string::npos ? PluginFolder() + "/" + plugin : plugin;
  // RTLD_LOCAL keeps the plugin's libraries' symbols out of the scope later loads search.
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  void* function = library ? dlsym(library, symbol) : nullptr;
  if (function == nullptr) {
    const char* why = dlerror();
    std::fprintf(stderr, "varlo: %s is not available: %s\n", service,
                 why ? why : "the plugin has no entry point");
  }
  return function;
}

}  // namespace varlo
