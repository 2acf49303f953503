#include "common/numtext.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

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

double ConvertNumber(std::string_view number) {
  std::string copy(number);
  for (char& c : copy)
    if (c == 'd' || c == 'D') c = 'e';
  const double value = std::strtod(copy.c_str(), nullptr);
  return std::isfinite(value) ? value : 0.0;
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
  return std::to_string(value);
}

std::string NumToText(double value) {
  char buf[64];
  if (value == std::floor(value) && std::fabs(value) < 1e15) {
    std::snprintf(buf, sizeof buf, "%lld", static_cast<long long>(value));
  } else {
    std::snprintf(buf, sizeof buf, "%.15g", value);
  }
  std::string text(buf);
  return value >= 0 ? " " + text : text;
}

std::string FormatFixed(double value, int intDigits, int fracDigits) {
  if (!std::isfinite(value)) value = 0;
  const double scale = std::pow(10.0, fracDigits);
  // Halves round away from zero; the small nudge absorbs binary representation error.
  double scaled = std::fabs(value) * scale;
  scaled = std::floor(scaled + 0.5 + 1e-9);
  const bool negative = value < 0 && scaled > 0;
  char buf[96];
  std::snprintf(buf, sizeof buf, "%0*.*f", fracDigits > 0 ? intDigits + 1 + fracDigits : intDigits,
                fracDigits, scaled / scale);
  return negative ? "-" + std::string(buf) : std::string(buf);
}

std::string TimeText(long long seconds) {
  if (seconds < 0) seconds = 0;
  return FormatFixed(static_cast<double>(seconds / 60), 2, 0) + ":" +
         FormatFixed(static_cast<double>(seconds % 60), 2, 0);
}

std::string UpperCase(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(a[i])) !=
        std::toupper(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

}  // namespace varlo
