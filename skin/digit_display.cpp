#include "skin/digit_display.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/numtext.h"

namespace varlo {
namespace {

// The signs of the alphanumeric grid's row 1, from column 12 on.
constexpr std::string_view kGridSigns = ":()-'!_+\\/[]^&%.=$#";

// Cells of the numeric glyph strip.
constexpr int kStripBlank = 10;
constexpr int kStripPoint = 11;
constexpr int kStripColon = 12;
constexpr int kStripMinus = 13;

int StripCell(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  switch (c) {
    case '.':
      return kStripPoint;
    case ':':
      return kStripColon;
    case '-':
      return kStripMinus;
    default:
      return kStripBlank;
  }
}

struct GridCell {
  int row = 0;
  int column = 0;
};

GridCell GridCellOf(char c) {
  if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  if (c >= 'A' && c <= 'Z') return {0, c - 'A'};
  if (c >= '0' && c <= '9') return {1, c - '0'};
  const std::size_t sign = kGridSigns.find(c);
  if (sign != std::string_view::npos) return {1, 12 + static_cast<int>(sign)};
  switch (c) {
    case '?':
      return {2, 3};
    case '*':
      return {2, 4};
    case '@':
      return {0, 8};
    case '"':
      return {0, 27};
    default:
      return {0, 29};  // the blank, and whatever the grid has no glyph for
  }
}

// snprintf's result clipped to what the buffer kept.
std::size_t Printed(int written) {
  if (written <= 0) return 0;
  return std::min(static_cast<std::size_t>(written), DigitText::kCapacity - 1);
}

void SetText(DigitText& out, std::string_view text) {
  const std::size_t n = std::min(text.size(), DigitText::kCapacity - 1);
  std::memcpy(out.chars.data(), text.data(), n);
  out.length = n;
}

// At least `intDigits` zero-padded integer digits and exactly `fracDigits` decimals, halves
// rounded away from zero: the same text FormatFixed gives, written into the fixed buffer.
void Fixed(double value, int intDigits, int fracDigits, DigitText& out) {
  out.length =
      FormatFixedTo(out.chars.data(), DigitText::kCapacity - 1, value, intDigits, fracDigits);
}

// Whole seconds of a value, rounded the way the integer division of the display code rounds.
long long WholeSeconds(double value) {
  const double r = RoundHalfEven(value);
  return static_cast<long long>(std::clamp(r, -1e15, 1e15));
}

void MinutesSeconds(double value, DigitText& out) {
  const long long s = WholeSeconds(value);
  const long long m = std::llabs(s);
  out.length = Printed(std::snprintf(out.chars.data(), DigitText::kCapacity, "%s%02lld:%02lld",
                                     s < 0 ? "-" : "", m / 60, m % 60));
}

void HoursMinutesSeconds(double value, DigitText& out) {
  const long long s = WholeSeconds(value);
  const long long m = std::llabs(s);
  out.length =
      Printed(std::snprintf(out.chars.data(), DigitText::kCapacity, "%s%02lld:%02lld:%02lld",
                            s < 0 ? "-" : "", m / 3600, m % 3600 / 60, m % 60));
}

// A number as plain text: whole values without a point, others with up to 15 digits.
void NumberText(double value, DigitText& out) {
  out.length = PlainNumberTo(out.chars.data(), DigitText::kCapacity - 1, value);
}

// Keeps the rightmost `n` characters.
void KeepRight(DigitText& out, std::size_t n) {
  if (out.length <= n) return;
  std::memmove(out.chars.data(), out.chars.data() + (out.length - n), n);
  out.length = n;
}

void BlankLeadingZeros(DigitText& out) {
  for (std::size_t i = 0; i < out.length; ++i) {
    const char c = out.chars[i];
    if (c >= '1' && c <= '9') return;
    if (c == '0') out.chars[i] = ' ';
  }
}

// The number a value stands for: a number, or a text that holds one. Only short texts are
// tried, which keeps the conversion free of allocation; a number never needs more.
bool NumberOf(const DigitValue& value, double& number) {
  if (!value.IsText()) {
    number = value.Number();
    return true;
  }
  const std::string_view text = TrimBlanks(value.Text());
  if (text.empty() || text.size() > 15) return false;
  return ParseWholeNumber(text, number);
}

void Clock(int style, const LocalTime& now, bool twelveHour, DigitText& out) {
  const int hour = twelveHour ? (now.hour % 12 == 0 ? 12 : now.hour % 12) : now.hour;
  const char* marker = now.hour < 12 ? "AM" : "PM";
  char text[32];
  int written = 0;
  if (style == 1) {
    written = twelveHour
                  ? std::snprintf(text, sizeof text, "%02d:%02d %s", hour, now.minute, marker)
                  : std::snprintf(text, sizeof text, "%02d:%02d    ", hour, now.minute);
  } else {
    written = twelveHour ? std::snprintf(text, sizeof text, "%02d:%02d:%02d %s", hour, now.minute,
                                         now.second, marker)
                         : std::snprintf(text, sizeof text, "%02d:%02d:%02d ", hour, now.minute,
                                         now.second);
  }
  const std::string_view all(
      text, std::min(static_cast<std::size_t>(std::max(written, 0)), sizeof text - 1));
  // "hh:mm" and characters 7-8; "hh:mm:ss" and whatever follows its blank.
  const std::size_t shown = style == 1 ? 5 : 8;
  const std::string_view marks = style == 1 ? all.substr(std::min<std::size_t>(6, all.size()), 2)
                                            : all.substr(std::min<std::size_t>(9, all.size()));
  SetText(out, all.substr(0, shown));
  const std::size_t m = std::min(marks.size(), out.label9.size());
  std::memcpy(out.label9.data(), marks.data(), m);
  out.label9Length = m;
  out.setsLabel9 = true;
  if (twelveHour) BlankLeadingZeros(out);
}

}  // namespace

void FormatDigitText(int style, const DigitValue& value, const LocalTime& now, bool twelveHour,
                     DigitText& out) {
  out.length = 0;
  out.label9Length = 0;
  out.setsLabel9 = false;
  if (style == 1 || style == 2) return Clock(style, now, twelveHour, out);

  double number = 0;
  const bool numeric = NumberOf(value, number);
  if (style >= -15 && style <= -1) {
    const auto places = static_cast<std::size_t>(-style);
    if (numeric) {
      Fixed(number, -style, 0, out);
    } else {
      const std::string_view text = value.Text();
      SetText(out, text.substr(text.size() - std::min(text.size(), places)));
    }
    return KeepRight(out, places);
  }
  if (!numeric && style >= 0 && style <= 5) {
    SetText(out, value.Text());
  } else {
    switch (style) {
      case 0:
        MinutesSeconds(number, out);
        break;
      case 3:
        Fixed(number, 3, 1, out);
        break;
      case 4:
        Fixed(number, 3, 3, out);
        break;
      case 5:
        HoursMinutesSeconds(number, out);
        break;
      default:
        if (value.IsText())
          SetText(out, value.Text());
        else
          NumberText(number, out);
    }
  }
  if (style == 3 || style == 4 || style < -15 || style > 5) BlankLeadingZeros(out);
}

void LayoutDigitCells(const DigitRecord& rec, std::string_view text, int x, int y,
                      DigitBlits& out) {
  out.count = 0;
  if (rec.d1 == 0) {
    for (const char c : text) {
      const int cell = StripCell(c);
      const int w = cell == kStripPoint || cell == kStripColon ? rec.gap : rec.w;
      if (!out.Add({rec.sx + cell * rec.w, rec.sy, w, rec.h, x, y})) return;
      x += w + rec.d2;
    }
    return;
  }
  const auto cells = std::min(static_cast<std::size_t>(std::abs(rec.style)), out.kCapacity);
  for (std::size_t i = 0; i < cells; ++i) {
    const GridCell g = GridCellOf(i < text.size() ? text[i] : ' ');
    out.Add({rec.sx + g.column * rec.w, rec.sy + g.row * rec.h, rec.w, rec.h, x, y});
    x += rec.w + rec.d2;
  }
}

void SetDD(SkinForm& form, int n, const DigitValue& value, const DigitClock& clock) {
  if (n < 1 || n >= static_cast<int>(form.dig.size())) return;
  const auto i = static_cast<std::size_t>(n);
  const SkinWidget& dig = form.dig[i];
  if (!dig.visible) return;
  const DigitRecord& rec = form.tables.digits[i];

  DigitText text;
  const bool isClock = rec.style == 1 || rec.style == 2;
  FormatDigitText(rec.style, value, isClock ? clock.clock.Now() : LocalTime{}, clock.twelveHour,
                  text);
  unsigned changes = 0;
  if (text.setsLabel9 && form.lbl[9].caption != text.Label9()) {
    form.lbl[9].caption.assign(text.Label9());
    changes |= kChangeWidgets;
  }
  DigitBlits cells;
  LayoutDigitCells(rec, text.Cells(), dig.left, dig.top, cells);
  DigitBlits& shown = form.digitCells[i];
  if (!(cells == shown)) {
    std::copy(cells.begin(), cells.end(), shown.cells.begin());
    shown.count = cells.count;
    changes |= kChangeDigits;
  }
  if (changes != 0) form.Notify(changes);
}

void ClearDigitCells(SkinForm& form) {
  for (DigitBlits& cells : form.digitCells) cells.count = 0;
}

}  // namespace varlo
