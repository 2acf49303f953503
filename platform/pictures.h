#pragma once
#include <optional>
#include <string>

#include "common/picture.h"

namespace varlo {

// Decodes picture files (BMP, GIF, JPEG, PNG) into plain pixel data.
class IPictureLoader {
 public:
  virtual ~IPictureLoader() = default;
  // Returns nullopt when the file is missing, unreadable or not a picture.
  virtual std::optional<Picture> Load(const std::string& path) = 0;
};

}  // namespace varlo
