#include "skin/scroll_name.h"

#include "common/utf8_text.h"

namespace varlo {

const std::string& ScrollName::Step(std::string_view name, int cells) {
  if (name != name_) {
    name_.assign(name);
    ring_ = name_ + std::string(kGap);
    offset_ = 0;
  }
  const std::size_t width = cells > 0 ? static_cast<std::size_t>(cells) : 0;
  if (width == 0 || Utf8CharCount(name_) <= width) {
    shown_ = name_;
    return shown_;
  }
  // Take `width` characters from the offset, wrapping round the end of the ring.
  shown_.clear();
  std::size_t at = offset_;
  for (std::size_t n = 0; n < width; ++n) {
    if (at >= ring_.size()) at = 0;
    const std::size_t len = Utf8CharLength(std::string_view(ring_).substr(at));
    shown_.append(ring_, at, len);
    at += len;
  }
  offset_ += Utf8CharLength(std::string_view(ring_).substr(offset_));
  if (offset_ >= ring_.size()) offset_ = 0;
  return shown_;
}

}  // namespace varlo
