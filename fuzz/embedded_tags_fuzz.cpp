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
#include "fuzz/fuzz_folder.h"
#include "platform/taglib/embedded_tags.h"

using varlo::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte picks the extension, the rest is the file.
  static const char* const kExtensions[] = {".mp3",  ".flac", ".m4a", ".ogg",
                                            ".opus", ".wav",  ".aiff"};
  const std::string path = varlo::fuzz::FuzzFolder("tags") + "/input" +
                           kExtensions[data[0] % (sizeof kExtensions / sizeof *kExtensions)];
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
  varlo::EmbeddedTags tags;
  varlo::ReadEmbeddedTags(path, tags);
  Check(tags.picture.size() <= varlo::kMaxEmbeddedPictureBytes);
  Check(tags.lyrics.size() <= varlo::kMaxEmbeddedLyricBytes);
  return 0;
}
