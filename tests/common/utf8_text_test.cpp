// UTF-8 helpers: prefixes that never split a character, and undoing a wrong Latin-1 reading.
#include "common/utf8_text.h"

#include <gtest/gtest.h>

namespace varlo {
namespace {

TEST(Utf8TextTest, PrefixesAndCountsNeverSplitACharacter) {
  const std::string text = "Caf\xC3\xA9!";
  EXPECT_EQ(Utf8PrefixLength(text, 4), 3U);
  EXPECT_EQ(Utf8PrefixLength(text, 5), 5U);
  EXPECT_EQ(Utf8CharCount(text), 5U);
  EXPECT_EQ(Utf8CharCount("\xFF\xC3"), 2U) << "stray bytes count as characters";
  // A text that fits is whole, even one that ends in the first byte of a cut sequence; one that
  // does not fit is cut before the character that would cross the limit.
  EXPECT_EQ(Utf8PrefixLength(text, text.size()), text.size());
  EXPECT_EQ(Utf8PrefixLength("ab\xE2\x82", 8), 4U);
  EXPECT_EQ(Utf8PrefixLength("ab\xE2\x82\xAC", 4), 2U);
  EXPECT_EQ(Utf8PrefixLength("ab\xE2\x82\xAC", 5), 5U);
  EXPECT_EQ(Utf8PrefixLength("", 0), 0U);
}

TEST(Utf8TextTest, ADoubleEncodedTextIsRepairedAndEverythingElseKept) {
  // "Café" read as Latin-1 and encoded again.
  EXPECT_EQ(UndoLatin1Reading("Caf\xC3\x83\xC2\xA9"), "Caf\xC3\xA9");
  // Real Latin-1 text, once encoded: é alone is not UTF-8 as a byte, so it stays.
  EXPECT_EQ(UndoLatin1Reading("Caf\xC3\xA9"), "Caf\xC3\xA9");
  EXPECT_EQ(UndoLatin1Reading("AC/DC"), "AC/DC");
  EXPECT_EQ(UndoLatin1Reading(""), "");
  // Characters beyond Latin-1, and broken UTF-8, are left alone.
  EXPECT_EQ(UndoLatin1Reading("\xE2\x82\xAC 5"), "\xE2\x82\xAC 5");
  EXPECT_EQ(UndoLatin1Reading("a\xFF"), "a\xFF");
  // "Ã©" written on purpose (two Latin-1 letters whose bytes happen to form é) is the one
  // text the repair misreads; it is rare enough in titles to accept.
  EXPECT_EQ(UndoLatin1Reading("\xC3\x83\xC2\xA9"), "\xC3\xA9");
}

}  // namespace
}  // namespace varlo
