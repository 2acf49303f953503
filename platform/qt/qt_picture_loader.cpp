#include "platform/qt/qt_picture_loader.h"

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

std::optional<Picture> QtPictureLoader::Load(const std::string& path) {
  QImageReader reader(QString::fromStdString(path));
  reader.setDecideFormatFromContent(true);
  const QSize size = reader.size();
  if (size.isValid() && qint64{size.width()} * size.height() > kMaxPicturePixels)
    return std::nullopt;
  const QImage image = reader.read();
  if (image.isNull() || qint64{image.width()} * image.height() > kMaxPicturePixels)
    return std::nullopt;
  return PictureFromImage(image);
}

}  // namespace varlo
