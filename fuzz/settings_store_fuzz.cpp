// Arbitrary bytes as a settings file: reading, writing back and reading again must agree.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "common/app_settings.h"
#include "common/settings_store.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string dir = [] {
    char pattern[] = "/tmp/varlo-fuzz-ini-XXXXXX";
    return std::string(mkdtemp(pattern));
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
