#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace varlo {

// The length of the longest prefix of `text` of at most `maxBytes` bytes that does not end
// inside a UTF-8 sequence. Bytes that are not UTF-8 count as characters of their own.
std::size_t Utf8PrefixLength(std::string_view text, std::size_t maxBytes);

// The length of the well-formed UTF-8 sequence that starts `text` (no overlong forms, no
// surrogates, nothing above U+10FFFF), with its code point in `code`; 0 when there is none.
std::size_t Utf8Decode(std::string_view text, char32_t& code);

// The byte length of the character that starts `text` (1 for a stray or broken byte, 0 for an
// empty text).
std::size_t Utf8CharLength(std::string_view text);

// The number of characters in `text`, counted as Utf8CharLength steps.
std::size_t Utf8CharCount(std::string_view text);

// Text in an unknown single-byte or UTF-8 encoding as UTF-8: well-formed UTF-8 sequences stay,
// every other byte is taken as Latin-1 (files and replies of older programs are written in
// that code page).
std::string TextAsUtf8(std::string_view bytes);

// Undoes one wrong Latin-1 reading: when `text` is UTF-8 whose characters are all below
// U+0100 and whose code points, taken as bytes, form UTF-8 with characters beyond ASCII
// ("CafÃ©"), those bytes ("Café"); otherwise `text` unchanged. Genuine Latin-1 text never
// forms such bytes by chance in practice.
std::string UndoLatin1Reading(std::string_view text);

}  // namespace varlo
