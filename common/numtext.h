#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Number and text conversions used throughout the program. Numbers are read and written
// the same whatever the C locale says (a decimal point is always "."), so no program has
// to set LC_NUMERIC first.
namespace varlo {

// The value of the number a text begins with (leading blanks skipped; sign, digits, a
// decimal point and an exponent accepted). A text that does not begin with a number gives 0.
double LeadingNumber(std::string_view text);

// True when the whole text (blanks around it allowed) is one number; the value goes to `out`.
// An empty or all-blank text is the number 0.
bool ParseWholeNumber(std::string_view text, double& out);

// Rounds to the nearest whole number, halves to the even neighbour.
double RoundHalfEven(double value);

// Rounds and clamps into the 16-bit signed range.
std::int16_t ToInt16(double value);
// Rounds and clamps into the 32-bit signed range.
std::int32_t ToInt32(double value);

// Decimal text of a number with one leading blank before a non-negative value
// (" 5", "-5", " 2.5"); whole values print without a decimal point.
std::string NumToText(double value);

// Plain decimal text of a whole number ("5", "-5").
std::string IntToText(long long value);

// Fixed format with at least `intDigits` integer digits (zero-padded) and exactly
// `fracDigits` decimals, halves rounded away from zero: the "00", "0.0", "000.0" and
// "000.000" formats are FormatFixed(v, 2, 0), (1, 1), (3, 1), (3, 3).
std::string FormatFixed(double value, int intDigits, int fracDigits);

// The texts of FormatFixed and of NumToText without its leading blank, written into
// `out` without allocating and cut to at most `capacity` characters (no terminating zero).
// Return the number of characters written.
std::size_t FormatFixedTo(char* out, std::size_t capacity, double value, int intDigits,
                          int fracDigits);
std::size_t PlainNumberTo(char* out, std::size_t capacity, double value);

// Minutes and seconds of a count of seconds, each formatted "00", joined by ":".
std::string TimeText(long long seconds);

// ASCII upper case, used for comparisons of names, extensions and keys; other bytes are
// left as they are, whatever the locale.
std::string UpperCase(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);

// Drops blanks and tabs at both ends.
std::string_view TrimBlanks(std::string_view text);

}  // namespace varlo
