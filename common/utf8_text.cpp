#include "common/utf8_text.h"

namespace varlo {
namespace {

bool IsContinuation(unsigned char c) {
  return (c & 0xC0) == 0x80;
}

}  // namespace

std::size_t Utf8Decode(std::string_view text, char32_t& code) {
  if (text.empty()) return 0;
  const auto at = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char b = at(0);
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
  if (b < 0x80) {
    code = b;
    return 1;
  }
  if (b >= 0xC2 && b <= 0xDF) {
    length = 2;
    code = b & 0x1Fu;
  } else if (b >= 0xE0 && b <= 0xEF) {
    length = 3;
    code = b & 0x0Fu;
    if (b == 0xE0) low = 0xA0;
    if (b == 0xED) high = 0x9F;
  } else if (b >= 0xF0 && b <= 0xF4) {
    length = 4;
    code = b & 0x07u;
    if (b == 0xF0) low = 0x90;
    if (b == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (length > text.size() || at(1) < low || at(1) > high) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if (!IsContinuation(at(k))) return 0;
    code = (code << 6) | (at(k) & 0x3Fu);
  }
  return length;
}

std::size_t Utf8CharLength(std::string_view text) {
  if (text.empty()) return 0;
  char32_t code = 0;
  const std::size_t length = Utf8Decode(text, code);
  return length == 0 ? 1 : length;
}

std::size_t Utf8PrefixLength(std::string_view text, std::size_t maxBytes) {
  // Every byte belongs to exactly one character (a stray byte is one of its own), so a text that
  // fits is its own longest prefix: no need to walk it.
  if (text.size() <= maxBytes) return text.size();
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

namespace varlo {

std::string UndoLatin1Reading(std::string_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  bool high = false;
  for (std::size_t at = 0; at < text.size();) {
    char32_t code = 0;
    const std::size_t length = Utf8Decode(text.substr(at), code);
    if (length == 0 || code > 0xFF) return std::string(text);
    high |= code >= 0x80;
    bytes.push_back(static_cast<char>(code));
    at += length;
  }
  if (!high) return std::string(text);
  // The bytes must themselves be well-formed UTF-8, or the Latin-1 reading was the right one.
  for (std::size_t at = 0; at < bytes.size();) {
    char32_t code = 0;
    const std::size_t length = Utf8Decode(std::string_view(bytes).substr(at), code);
    if (length == 0) return std::string(text);
    at += length;
  }
  return bytes;
}

std::string TextAsUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  while (!bytes.empty()) {
    char32_t code = 0;
    const std::size_t length = Utf8Decode(bytes, code);
    if (length > 0) {
      out.append(bytes.substr(0, length));
      bytes.remove_prefix(length);
      continue;
    }
    const auto byte = static_cast<unsigned char>(bytes.front());
    out += static_cast<char>(0xC0 | (byte >> 6));
    out += static_cast<char>(0x80 | (byte & 0x3F));
    bytes.remove_prefix(1);
  }
  return out;
}

}  // namespace varlo
