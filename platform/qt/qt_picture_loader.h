#pragma once
#include <QImage>
#include <string>

#include "platform/pictures.h"

namespace varlo {

// Pictures larger than this many pixels are refused (a 4096 x 4096 bitmap is the limit).
inline constexpr qint64 kMaxPicturePixels = 4096LL * 4096LL;

// The picture in the regular file `path`, opened by its bytes as they are (a name need not
// be UTF-8); a null image when it cannot be read or has more than kMaxPicturePixels.
QImage ReadImageFile(const std::string& path);

Picture PictureFromImage(const QImage& image);

// An image showing the picture's own pixels, without a copy: valid while the picture lives
// and keeps its size, so it is made where it is drawn rather than kept.
QImage ImageOverPicture(const Picture& picture);

class QtPictureLoader : public IPictureLoader {
 public:
  std::optional<Picture> Load(const std::string& path) override;
};

}  // namespace varlo
