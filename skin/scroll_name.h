#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace varlo {

// The song name as a marquee on an alphanumeric digit display: a name longer than the
// display moves one character to the left per step, followed by a gap before it comes round
// again. A name that fits stands still.
class ScrollName {
 public:
  static constexpr std::string_view kGap = "   ";

  // The text to show after one step for `name` on a display of `cells` characters. A new
  // name starts again from its first character.
  const std::string& Step(std::string_view name, int cells);

 private:
  std::string name_;
  std::string ring_;        // the name and the gap, built once per name
  std::size_t offset_ = 0;  // byte offset of the first character shown, within the ring
  std::string shown_;
};

}  // namespace varlo
