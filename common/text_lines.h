#pragma once
#include <string_view>

namespace varlo {

// Hands out the lines of a text, which end in LF, CR LF or a lone CR; a last line without a line
// end counts too. Line ends are found with memchr-speed searches, and the next LF is remembered
// so that a text of lone CRs stays linear.
class LineReader {
 public:
  explicit LineReader(std::string_view text) : text_(text), lf_(text.find('\n')) {}

  bool Next(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    if (lf_ != std::string_view::npos && lf_ < pos_) lf_ = text_.find('\n', pos_);
    const std::size_t stop = lf_ == std::string_view::npos ? text_.size() : lf_;
    const std::size_t cr = text_.substr(0, stop).find('\r', pos_);
    const std::size_t end = cr == std::string_view::npos ? stop : cr;
    line = text_.substr(pos_, end - pos_);
    const bool crLf = end == cr && end + 1 == lf_;
    pos_ = end + (crLf ? 2 : 1);
    return true;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  std::size_t lf_;  // the LF at or after pos_, npos when there is none
};

}  // namespace varlo
