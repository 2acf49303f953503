#include "common/numtext.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <system_error>

namespace varlo {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// Length of the number at the start of `text` (0 when there is none).
std::size_t NumberLength(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  // An exponent counts only when digits follow it.
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    std::size_t expDigits = 0;
    while (j < text.size() && IsDigit(text[j])) ++j, ++expDigits;
    if (expDigits > 0) i = j;
  }
  return i;
}

// The value of a text NumberLength accepted whole. Out of range gives 0.
double ConvertNumber(std::string_view number) {
  if (!number.empty() && number.front() == '+') number.remove_prefix(1);
  std::string copy(number);
  for (char& c : copy)
    if (c == 'd' || c == 'D') c = 'e';
  double value = 0;
  const auto [end, ec] = std::from_chars(copy.data(), copy.data() + copy.size(), value);
  (void)end;
  if (ec != std::errc()) return 0.0;
  return std::isfinite(value) ? value : 0.0;
}

char AsciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Copies as much of `text` as fits.
std::size_t Put(char* out, std::size_t capacity, std::size_t at, std::string_view text) {
  const std::size_t n = at < capacity ? std::min(text.size(), capacity - at) : 0;
  std::memcpy(out + at, text.data(), n);
  return at + n;
}

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

double LeadingNumber(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  const std::size_t len = NumberLength(text);
  return len == 0 ? 0.0 : ConvertNumber(text.substr(0, len));
}

bool ParseWholeNumber(std::string_view text, double& out) {
  text = TrimBlanks(text);
  if (text.empty()) {
    out = 0;
    return true;
  }
  const std::size_t len = NumberLength(text);
  if (len == 0 || len != text.size()) return false;
  out = ConvertNumber(text);
  return true;
}

double RoundHalfEven(double value) {
  if (!std::isfinite(value)) return 0.0;
  return std::nearbyint(value);  // the default rounding mode rounds halves to even
}

std::int16_t ToInt16(double value) {
  const double r = RoundHalfEven(value);
  if (r > std::numeric_limits<std::int16_t>::max()) return std::numeric_limits<std::int16_t>::max();
  if (r < std::numeric_limits<std::int16_t>::min()) return std::numeric_limits<std::int16_t>::min();
  return static_cast<std::int16_t>(r);
}

std::int32_t ToInt32(double value) {
  const double r = RoundHalfEven(value);
  if (r > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  if (r < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(r);
}

std::string IntToText(long long value) {
  char buf[24];
  const auto result = std::to_chars(buf, buf + sizeof buf, value);
  return std::string(buf, result.ptr);
}

std::size_t PlainNumberTo(char* out, std::size_t capacity, double value) {
  if (!std::isfinite(value)) value = 0;
  char buf[32];  // 15 significant digits, a sign, a point and an exponent fit
  const auto result =
      value == std::floor(value) && std::fabs(value) < 1e15
          ? std::to_chars(buf, buf + sizeof buf, static_cast<long long>(value))
          : std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
  return Put(out, capacity, 0, std::string_view(buf, static_cast<std::size_t>(result.ptr - buf)));
}

std::string NumToText(double value) {
  char buf[40];
  buf[0] = ' ';
  const std::size_t n = PlainNumberTo(buf + 1, sizeof buf - 1, value);
  return buf[1] == '-' ? std::string(buf + 1, n) : std::string(buf, n + 1);
}

std::size_t FormatFixedTo(char* out, std::size_t capacity, double value, int intDigits,
                          int fracDigits) {
  if (!std::isfinite(value)) value = 0;
  fracDigits = std::clamp(fracDigits, 0, 20);
  const double scale = std::pow(10.0, fracDigits);
  // Halves round away from zero; the small nudge absorbs binary representation error.
  const double scaled = std::floor(std::fabs(value) * scale + 0.5 + 1e-9);
  const bool negative = value < 0 && scaled > 0;
  char digits[400];  // the largest double has 309 integer digits
  const auto result = std::to_chars(digits, digits + sizeof digits, scaled / scale,
                                    std::chars_format::fixed, fracDigits);
  const auto length = result.ec == std::errc() ? static_cast<std::size_t>(result.ptr - digits) : 0;
  const std::size_t width = static_cast<std::size_t>(std::max(intDigits, 0)) +
                            (fracDigits > 0 ? 1 + static_cast<std::size_t>(fracDigits) : 0);
  std::size_t at = negative ? Put(out, capacity, 0, "-") : 0;
  for (std::size_t pad = length; pad < width && at < capacity; ++pad) out[at++] = '0';
  return Put(out, capacity, at, std::string_view(digits, length));
}

std::string FormatFixed(double value, int intDigits, int fracDigits) {
  char buf[512];
  return std::string(buf, FormatFixedTo(buf, sizeof buf, value, intDigits, fracDigits));
}

std::string TimeText(long long seconds) {
  if (seconds < 0) seconds = 0;
  return FormatFixed(static_cast<double>(seconds / 60), 2, 0) + ":" +
         FormatFixed(static_cast<double>(seconds % 60), 2, 0);
}

std::string UpperCase(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = AsciiUpper(c);
  return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  return true;
}

}  // namespace varlo
