#include "common/utf8_text.h"

namespace varlo {
namespace {

bool IsContinuation(unsigned char c) {
  return (c & 0xC0) == 0x80;
}

// The length a lead byte announces; 1 for bytes that cannot start a sequence.
std::size_t AnnouncedLength(unsigned char c) {
  if (c >= 0xC2 && c <= 0xDF) return 2;
  if (c >= 0xE0 && c <= 0xEF) return 3;
  if (c >= 0xF0 && c <= 0xF4) return 4;
  return 1;
}

}  // namespace

std::size_t Utf8CharLength(std::string_view text) {
  if (text.empty()) return 0;
  const std::size_t want = AnnouncedLength(static_cast<unsigned char>(text[0]));
  if (want > text.size()) return 1;
  for (std::size_t i = 1; i < want; ++i)
    if (!IsContinuation(static_cast<unsigned char>(text[i]))) return 1;
  return want;
}

std::size_t Utf8PrefixLength(std::string_view text, std::size_t maxBytes) {
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t step = Utf8CharLength(text.substr(end));
    if (end + step > maxBytes) break;
    end += step;
  }
  return end;
}

std::size_t Utf8CharCount(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t at = 0; at < text.size(); at += Utf8CharLength(text.substr(at))) ++count;
  return count;
}

}  // namespace varlo
