#include "platform/qt/qt_picture_loader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QImageReader>
#include <cstddef>
#include <cstdint>

namespace varlo {

namespace {

// Colour and QRgb hold red and blue in opposite bytes; swapping them is its own inverse. One
// row at a time, with no per-pixel indexing.
void SwapRedBlue(const std::uint32_t* from, std::uint32_t* to, std::size_t count,
                 std::uint32_t fill) {
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint32_t c = from[i];
    to[i] = ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu) | fill;
  }
}

}  // namespace

Picture PictureFromImage(const QImage& source) {
  const QImage image = source.convertToFormat(QImage::Format_RGB32);
  Picture p(image.width(), image.height());
  const auto width = static_cast<std::size_t>(image.width());
  for (int y = 0; y < image.height(); ++y) {
    SwapRedBlue(reinterpret_cast<const std::uint32_t*>(image.constScanLine(y)), &p.At(0, y), width,
                0);
  }
  return p;
}

QImage ImageFromPicture(const Picture& picture) {
  QImage image(picture.width, picture.height, QImage::Format_RGB32);
  if (image.isNull()) return image;
  const auto width = static_cast<std::size_t>(picture.width);
  for (int y = 0; y < picture.height; ++y) {
    SwapRedBlue(&picture.At(0, y), reinterpret_cast<std::uint32_t*>(image.scanLine(y)), width,
                0xFF000000u);
  }
  return image;
}

QImage ReadImageFile(const std::string& path) {
  // Qt opens files by QString names, which cannot hold every name; the file is opened
  // here and handed over. A FIFO or device would block the reader: regular files only.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return {};
  struct stat st {};
  QFile file;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
      !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return {};
  }
  // Skin bitmaps and the no-cover picture are BMP files, which Qt reads itself: naming the
  // format spares the reader from loading every image plugin to ask each about the file.
  QByteArray format;
  if (file.peek(2) == "BM") format = "bmp";
  QImageReader reader(&file, format);
  reader.setDecideFormatFromContent(format.isEmpty());
  reader.setAutoDetectImageFormat(format.isEmpty());
  const QSize size = reader.size();
  if (size.isValid() && qint64{size.width()} * size.height() > kMaxPicturePixels) return {};
  QImage image = reader.read();
  if (image.isNull() || qint64{image.width()} * image.height() > kMaxPicturePixels) return {};
  return image;
}

std::optional<Picture> QtPictureLoader::Load(const std::string& path) {
  const QImage image = ReadImageFile(path);
  if (image.isNull()) return std::nullopt;
  return PictureFromImage(image);
}

}  // namespace varlo
