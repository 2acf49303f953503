#pragma once
#include <QObject>
#include <QThreadPool>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/embedded_media.h"
#include "platform/taglib/embedded_tags.h"

namespace varlo {

// Covers inside files are shown scaled down to at most this many pixels a side.
inline constexpr int kMaxEmbeddedCoverSide = 1200;

// Decodes an embedded picture's bytes into a cover, scaled down to kMaxEmbeddedCoverSide; null
// when they are no picture or one above kMaxPicturePixels.
std::shared_ptr<const Picture> DecodeEmbeddedPicture(const std::string& bytes);

// Reads the tags of media files on a thread of its own, through the tag plugin, which it loads
// there (../lib/libvarlo_tags.so from the executable's folder, or `plugin`), and decodes their
// pictures there too. The plugin, and TagLib with it, is unloaded again whenever no request
// waits: a player looks into one file a track, and loading the plugin for it (under a
// millisecond) costs less than keeping TagLib mapped (about 1 MB resident) while the tracks
// play. Nothing of TagLib outlives a read (the plugin hands over plain strings), and only the
// reading thread ever runs plugin code. A request that a newer one overtook before its turn is
// answered empty without reading. Answers go to the GUI thread; none arrives once the reader is
// gone. Without the plugin every file reads as holding nothing.
class QtEmbeddedMediaReader final : public IEmbeddedMediaReader {
 public:
  explicit QtEmbeddedMediaReader(std::string plugin = {});
  // Waits for the read in progress.
  ~QtEmbeddedMediaReader() override;
  QtEmbeddedMediaReader(const QtEmbeddedMediaReader&) = delete;
  QtEmbeddedMediaReader& operator=(const QtEmbeddedMediaReader&) = delete;

  void Read(const std::string& path, std::function<void(EmbeddedMedia)> done) override;

 private:
  // Run on the reading thread (the pool runs one task at a time).
  EmbeddedMedia ReadFile(const std::string& path);
  VarloReadEmbeddedTags Plugin();
  void Unload();

  std::string plugin_;
  // The plugin while it is loaded; owned by the reading thread.
  void* library_ = nullptr;
  VarloReadEmbeddedTags read_ = nullptr;
  bool missing_ = false;  // it could not be loaded: not tried again
  std::atomic<std::uint64_t> latest_{0};
  // Lives on the GUI thread: answers are posted to it, and die with it.
  std::unique_ptr<QObject> context_;
  QThreadPool pool_;
};

}  // namespace varlo
