#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace varlo {

// Reads a skin file as a sequence of comma-separated fields rather than lines: a field ends
// at a comma or a line end, blanks around it are dropped, and a field in double quotes may
// hold commas. Blank lines between fields are passed over. Every call consumes input, so a
// loop over fields always ends.
class SkinFieldReader {
 public:
  explicit SkinFieldReader(std::string_view text) : text_(text) {}

  // True when nothing but blanks and line ends is left.
  bool AtEnd() const;
  // The next field; empty at the end.
  std::string Next();
  // The rest of the current line after the last field; when that field ended at a line end,
  // the whole following line. Line-end characters are not included.
  std::string RestOfLine();
  // How far the reader has come, in bytes from the start of the text.
  std::size_t Position() const { return pos_; }

 private:
  bool AtLineEnd() const;
  void SkipLineEnd();

  std::string_view text_;
  std::size_t pos_ = 0;
  bool endedAtLineEnd_ = true;
};

}  // namespace varlo
