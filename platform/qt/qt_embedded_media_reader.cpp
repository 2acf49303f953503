#include "platform/qt/qt_embedded_media_reader.h"

#include <dlfcn.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QImageReader>
#include <QMetaObject>
#include <algorithm>
#include <cstdio>

#include "platform/qt/path_text.h"
#include "platform/qt/qt_picture_loader.h"

namespace varlo {

std::shared_ptr<const Picture> DecodeEmbeddedPicture(const std::string& bytes) {
  if (bytes.empty()) return nullptr;
  QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  const QSize size = reader.size();
  if (!size.isValid() || qint64{size.width()} * size.height() > kMaxPicturePixels) return nullptr;
  // JPEG decodes straight to a smaller size, which is much faster than decoding and scaling.
  if (std::max(size.width(), size.height()) > kMaxEmbeddedCoverSide)
    reader.setScaledSize(
        size.scaled(kMaxEmbeddedCoverSide, kMaxEmbeddedCoverSide, Qt::KeepAspectRatio));
  const QImage image = reader.read();
  if (image.isNull()) return nullptr;
  return std::make_shared<const Picture>(PictureFromImage(image));
}

QtEmbeddedMediaReader::QtEmbeddedMediaReader(std::string plugin)
    : plugin_(std::move(plugin)), context_(std::make_unique<QObject>()) {
  pool_.setMaxThreadCount(1);
  // The reading thread stays for the next file rather than being made again each time.
  pool_.setExpiryTimeout(-1);
}

QtEmbeddedMediaReader::~QtEmbeddedMediaReader() {
  latest_ = ~std::uint64_t{0};  // what waits is not read
  pool_.waitForDone();
  Unload();  // no task runs any more
}

VarloReadEmbeddedTags QtEmbeddedMediaReader::Plugin() {
  if (read_ != nullptr || missing_) return read_;
  std::string path = plugin_;
  if (path.empty())
    path = PathFromQt(QDir(QCoreApplication::applicationDirPath())
                          .absoluteFilePath(QStringLiteral("../lib/libvarlo_tags.so")));
  library_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  read_ = library_
              ? reinterpret_cast<VarloReadEmbeddedTags>(dlsym(library_, kVarloReadEmbeddedTags))
              : nullptr;
  if (read_ == nullptr) {
    std::fprintf(stderr, "varlo: covers and lyrics inside files are not read: %s\n", dlerror());
    missing_ = true;
    Unload();
  }
  return read_;
}

void QtEmbeddedMediaReader::Unload() {
  read_ = nullptr;
  if (library_ != nullptr) dlclose(library_);
  library_ = nullptr;
}

EmbeddedMedia QtEmbeddedMediaReader::ReadFile(const std::string& path) {
  EmbeddedMedia media;
  const VarloReadEmbeddedTags read = Plugin();
  EmbeddedTags tags;
  if (read == nullptr || !read(path.c_str(), &tags)) return media;
  media.cover = DecodeEmbeddedPicture(tags.picture);
  media.lyrics = std::move(tags.lyrics);
  media.synced = std::move(tags.synced);
  media.syncedInFrames = tags.syncedInFrames;
  return media;
}

void QtEmbeddedMediaReader::Read(const std::string& path, std::function<void(EmbeddedMedia)> done) {
  const std::uint64_t serial = ++latest_;
  QObject* context = context_.get();
  pool_.start([this, path, serial, context, done = std::move(done)]() mutable {
    EmbeddedMedia media;
    if (latest_.load() == serial) {
      media = ReadFile(path);
      // Kept for the request that waits, if one came meanwhile.
      if (latest_.load() == serial) Unload();
    }
    QMetaObject::invokeMethod(
        context,
        [done = std::move(done), media = std::move(media)]() mutable { done(std::move(media)); },
        Qt::QueuedConnection);
  });
}

}  // namespace varlo
