// Arbitrary bytes as a settings file: reading, writing back and reading again must agree.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "common/app_settings.h"
#include "common/settings_store.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // One folder for every run, removed when the process ends (the name outlives the strings).
  static char folder[] = "/tmp/varlo-fuzz-ini-XXXXXX";
  static const std::string dir = [] {
    if (!mkdtemp(folder)) std::abort();
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(folder, ec);
    });
    return std::string(folder);
  }();
  const std::string path = dir + "/varlo.ini";
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  varlo::SettingsStore store(path);
  varlo::AppSettings s = varlo::ReadAppSettings(store);
  varlo::WriteAppSettings(store, s);
  if (!store.Save()) return 0;
  varlo::SettingsStore again(path);
  if (again.Serialise() != store.Serialise()) std::abort();
  return 0;
}
