// Media files from outside, as TagLib reads their tags for us: any bytes, under any of the
// extensions the reader tells formats by, must read without fault, within the bounds of a
// picture and of the lyrics.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "fuzz/fuzz_check.h"
#include "platform/taglib/embedded_tags.h"

using varlo::fuzz::Check;

namespace {

std::string fuzzDir;

void RemoveFuzzDir() {
  std::error_code ec;
  std::filesystem::remove_all(fuzzDir, ec);
}

// A fresh folder, in memory where there is a /dev/shm, reused by every run.
const std::string& FuzzFolder() {
  static const std::string dir = [] {
    std::error_code ec;
    const bool shm = std::filesystem::is_directory("/dev/shm", ec);
    std::string d =
        (shm ? std::string("/dev/shm") : std::filesystem::temp_directory_path().string()) +
        "/varlo-tags-fuzz-XXXXXX";
    if (!mkdtemp(d.data())) std::abort();
    fuzzDir = d;
    std::atexit(RemoveFuzzDir);
    return d;
  }();
  return dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte picks the extension, the rest is the file.
  static const char* const kExtensions[] = {".mp3",  ".flac", ".m4a", ".ogg",
                                            ".opus", ".wav",  ".aiff"};
  const std::string path =
      FuzzFolder() + "/input" + kExtensions[data[0] % (sizeof kExtensions / sizeof *kExtensions)];
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
  varlo::EmbeddedTags tags;
  varlo::ReadEmbeddedTags(path, tags);
  Check(tags.picture.size() <= varlo::kMaxEmbeddedPictureBytes);
  Check(tags.lyrics.size() <= varlo::kMaxEmbeddedLyricBytes);
  return 0;
}
