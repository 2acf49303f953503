#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/picture.h"

namespace varlo {

// Decodes a Windows bitmap held whole in `bytes`: 1-, 4- and 8-bit palette pictures and 24- and
// 32-bit ones, uncompressed, rows bottom-up or top-down, with an OS/2 or a Windows info header
// (any of its versions). The pixels are the colours a general image reader gives for them
// (32-bit pixels opaque, palette indices past the palette black). Nullopt for anything else
// (run-length or bit-field coding, 16-bit pixels, embedded JPEG or PNG, a file cut short, more
// than `maxPixels` pixels): the caller hands those to a general image reader. Reads nothing
// outside `bytes`, whatever its headers say.
std::optional<Picture> DecodeBmp(std::string_view bytes, std::int64_t maxPixels);

// The same for the regular file `path`, read a piece of rows at a time: no copy of the whole file
// is made. Nullopt also when it cannot be read or is cut short while it is read.
std::optional<Picture> ReadBmpFile(const std::string& path, std::int64_t maxPixels);

}  // namespace varlo
