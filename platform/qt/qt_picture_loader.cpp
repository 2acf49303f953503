#include "platform/qt/qt_picture_loader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QImageReader>
#include <algorithm>
#include <cstddef>

#include "common/bmp_file.h"

namespace varlo {
Picture PictureFromImage(const QImage& source) {
  // Format_RGB32 rows are the picture's own words (0xFFRRGGBB): copied as they stand.
  const QImage image = source.convertToFormat(QImage::Format_RGB32);
  Picture p(image.width(), image.height());
  const auto width = static_cast<std::size_t>(image.width());
  for (int y = 0; y < image.height(); ++y) {
    const auto* from = reinterpret_cast<const PixelWord*>(image.constScanLine(y));
    std::copy(from, from + width, p.Row(y));
  }
  return p;
}

QImage ImageOverPicture(const Picture& picture) {
  if (picture.Empty()) return {};
  return QImage(reinterpret_cast<const uchar*>(picture.words.data()), picture.width, picture.height,
                static_cast<qsizetype>(picture.width) * 4, QImage::Format_RGB32);
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
  // Skin bitmaps are decoded straight from the file into the picture: no image reader, which
  // looks at every image plugin first, and no copy of the whole file or of the pixels.
  if (std::optional<Picture> picture = ReadBmpFile(path, kMaxPicturePixels)) return picture;
  const QImage image = ReadImageFile(path);
  if (image.isNull()) return std::nullopt;
  return PictureFromImage(image);
}

}  // namespace varlo
