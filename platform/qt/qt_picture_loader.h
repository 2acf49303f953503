#pragma once
#include <QImage>

#include "platform/pictures.h"

namespace varlo {

// Pictures larger than this many pixels are refused (a 4096 x 4096 bitmap is the limit).
inline constexpr qint64 kMaxPicturePixels = 4096LL * 4096LL;

Picture PictureFromImage(const QImage& image);
QImage ImageFromPicture(const Picture& picture);

class QtPictureLoader : public IPictureLoader {
 public:
  std::optional<Picture> Load(const std::string& path) override;
};

}  // namespace varlo
