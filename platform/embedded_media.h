#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/picture.h"

namespace varlo {

// What a media file carries in its tags besides the audio: a picture and lyrics.
struct EmbeddedMedia {
  // The front cover, else the first picture, decoded; null when the file holds none that can be
  // shown (pictures above 16 MiB are not read).
  std::shared_ptr<const Picture> cover;
  // Lyrics stored as text (ID3v2 USLT, Vorbis comment LYRICS, MP4 lyrics), UTF-8; may be LRC.
  std::string lyrics;
  // Synchronised lyrics (ID3v2 SYLT): times and texts, in the unit `syncedInFrames` says.
  std::vector<std::pair<std::int64_t, std::string>> synced;
  // The synchronised times count MPEG frames instead of milliseconds.
  bool syncedInFrames = false;
};

// Reads the pictures and lyrics inside media files.
//
// Threading: Read is called on the GUI thread and does not wait for the file; `done` runs once on
// the GUI thread with what was found (empty when the file holds nothing, cannot be read or is no
// media file), possibly before Read returns. Requests are answered in the order they were made.
// A request that a later one overtook before its file was read may be answered empty.
class IEmbeddedMediaReader {
 public:
  virtual ~IEmbeddedMediaReader() = default;
  virtual void Read(const std::string& path, std::function<void(EmbeddedMedia)> done) = 0;
};

// Finds nothing in any file, at once.
class NullEmbeddedMediaReader final : public IEmbeddedMediaReader {
 public:
  void Read(const std::string&, std::function<void(EmbeddedMedia)> done) override {
    if (done) done(EmbeddedMedia{});
  }
};

}  // namespace varlo
