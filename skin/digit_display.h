#pragma once
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>

#include "platform/clock.h"
#include "skin/blit.h"
#include "skin/skin_form.h"

namespace varlo {

// What a digit display is asked to show: a number or a text. The text is only looked at during
// the call, so a view of the caller's string is enough.
class DigitValue {
 public:
  // Implicit on purpose: SetDD(form, 1, seconds) and SetDD(form, 6, name) read naturally.
  template <typename T>
  requires std::is_arithmetic_v<T> DigitValue(T number) : number_(static_cast<double>(number)) {}
  DigitValue(std::string_view text) : text_(text), isText_(true) {}
  DigitValue(const char* text) : text_(text), isText_(true) {}
  DigitValue(const std::string& text) : text_(text), isText_(true) {}

  bool IsText() const { return isText_; }
  double Number() const { return number_; }
  std::string_view Text() const { return text_; }

 private:
  double number_ = 0;
  std::string_view text_;
  bool isText_ = false;
};

// The characters a display's cells show once its style has formatted the value, and for the
// clock styles the part that goes to label 9 (the AM/PM marker).
struct DigitText {
  static constexpr std::size_t kCapacity = 256;
  std::array<char, kCapacity> chars{};
  std::size_t length = 0;
  std::array<char, 4> label9{};
  std::size_t label9Length = 0;
  bool setsLabel9 = false;

  std::string_view Cells() const { return {chars.data(), length}; }
  std::string_view Label9() const { return {label9.data(), label9Length}; }
};

// Formats a value by a display style:
//   -15..-1  the value rounded with |style| zero-padded places, keeping the rightmost |style|;
//   0        minutes:seconds of a count of seconds ("62:05");
//   1        the time "hh:mm", label 9 getting the AM/PM marker in 12-hour mode (else blanks);
//   2        the time "hh:mm:ss", label 9 getting the AM/PM marker (else nothing);
//   3, 4     "000.0" and "000.000";
//   5        hours:minutes:seconds of a count of seconds ("01:02:05");
//   other    the value as text.
// Styles 3, 4, the text style and the 12-hour clocks show zeros before the first non-zero digit
// as blanks. A text that holds a number is formatted as that number by the numeric styles; any
// other text is shown as it is. Negative counts of seconds get a leading minus. `now` is only
// read by the clock styles.
void FormatDigitText(int style, const DigitValue& value, const LocalTime& now, bool twelveHour,
                     DigitText& out);

// The cells that draw `text` on a display whose first cell lies at (x, y). Numeric displays
// (d1 = 0) draw one cell per character from the glyph strip; alphanumeric displays draw exactly
// |style| cells from the glyph grid, blanks past the end of the text.
void LayoutDigitCells(const DigitRecord& rec, std::string_view text, int x, int y, DigitBlits& out);

// Where the clock styles get the time and whether "TimeFmt" asks for the 12-hour clock.
struct DigitClock {
  const IClock& clock;
  bool twelveHour = false;
};

// Shows `value` on digit display n (1-13): formats it by the display's style, stores the cells
// to paint in form.digitCells[n] and the clock marker in label 9, and notifies kChangeDigits
// (kChangeWidgets for label 9) when anything changed. A hidden display is left alone.
// Allocates nothing.
void SetDD(SkinForm& form, int n, const DigitValue& value, const DigitClock& clock);

// Forgets every display's cells; a skin load calls it so no display shows a previous skin's.
void ClearDigitCells(SkinForm& form);

}  // namespace varlo
