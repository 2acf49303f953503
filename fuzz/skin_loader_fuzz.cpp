// Feeds arbitrary bytes to the skin loader as a skin file, with pictures that always decode,
// so the element list, the shapes and the scratch pictures all get exercised.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "platform/null_dialogs.h"
#include "skin/skin_loader.h"

namespace {

struct Screen : varlo::IScreen {
  int TwipsPerPixelX() const override { return 15; }
  int TwipsPerPixelY() const override { return 15; }
  int WidthPixels() const override { return 1024; }
  int HeightPixels() const override { return 768; }
  varlo::PixelRect WorkArea() const override { return {0, 0, 1024, 768}; }
};
struct Pictures : varlo::IPictureLoader {
  std::optional<varlo::Picture> Load(const std::string&) override {
    varlo::Picture p(64, 32, 0);
    for (int x = 0; x < 64; x += 3) p.Set(x, x % 32, varlo::MakeColour(255, 0, 255));
    return p;
  }
};
struct Events : varlo::IEvents {
  void DoEvents() override {}
};
struct Host : varlo::ISkinHost {
  int TwipX() const override { return 15; }
  int TwipY() const override { return 15; }
  void ResetWindowSizeState() override {}
  void FormPaint() override {}
  void ShowLights() override {}
};

// One folder for every run, removed when the process ends (the name outlives the strings).
std::string Folder() {
  static char folder[] = "/tmp/varlo-fuzz-XXXXXX";
  static const std::string dir = [] {
    if (!mkdtemp(folder)) std::abort();
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(folder, ec);
    });
    std::string d = folder;
    // Pictures the skin may name; their content never matters to the fake decoder.
    for (const char* name : {"main.bmp", "res.bmp", "a.bmp", "b"})
      std::ofstream(d + "/" + name) << "x";
    return d;
  }();
  return dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = Folder() + "/fuzz.skin";
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  Screen screen;
  varlo::NullDialogs dialogs;
  Pictures pictures;
  Events events;
  Host host;
  varlo::SkinForm form;
  varlo::AppSettings settings;
  settings.skinImport = Folder();
  varlo::SkinLoader loader(form, settings, Folder(), {screen, dialogs, pictures, events}, host);
  loader.LoadSkin(path, (size & 1) != 0);
  return 0;
}
