#include "platform/qt/qt_picture_loader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QImageReader>

namespace varlo {

Picture PictureFromImage(const QImage& source) {
  const QImage image = source.convertToFormat(QImage::Format_RGB32);
  Picture p(image.width(), image.height());
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x)
      p.At(x, y) = MakeColour(qRed(row[x]), qGreen(row[x]), qBlue(row[x]));
  }
  return p;
}

QImage ImageFromPicture(const Picture& picture) {
  QImage image(picture.width, picture.height, QImage::Format_RGB32);
  for (int y = 0; y < picture.height; ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < picture.width; ++x) {
      const Colour c = picture.At(x, y);
      row[x] = qRgb(RedOf(c), GreenOf(c), BlueOf(c));
    }
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
  QImageReader reader(&file);
  reader.setDecideFormatFromContent(true);
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
