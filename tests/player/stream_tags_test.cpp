#include "player/stream_tags.h"

#include <gtest/gtest.h>

#include "common/utf8_text.h"

namespace varlo {
namespace {

TEST(StreamTags, KeysOfAnyCaseAndTheFirstNonEmptyValueWins) {
  const StreamTags tags = PickStreamTags({{"encoder", "Lavf59"},
                                          {"TITLE", ""},
                                          {"Title", "  Song  "},
                                          {"title", "later"},
                                          {"ARTIST", "Band"},
                                          {"album_artist", "not the artist"},
                                          {"album", "Record"}});
  EXPECT_EQ(tags, (StreamTags{"Song", "Band", "Record"}));
  EXPECT_TRUE(PickStreamTags({{"comment", "x"}, {"date", "1999"}}).Empty());
}

TEST(StreamTags, ValuesBecomeOneBoundedLineOfPlainText) {
  EXPECT_EQ(PlainTagText("one\ntwo\r\tthree\x7F"), "one two  three");
  std::string longText;
  for (int i = 0; i < 300; ++i) longText += "\xC3\xA9";  // é, two bytes each
  const std::string cut = PlainTagText(longText);
  EXPECT_EQ(cut.size(), StreamTags::kMaxBytes);
  EXPECT_EQ(Utf8PrefixLength(cut, cut.size()), cut.size());
  // A three-byte sign straddling the bound is dropped whole.
  const std::string euro = std::string(StreamTags::kMaxBytes - 1, 'a') + "\xE2\x82\xAC";
  EXPECT_EQ(PlainTagText(euro), std::string(StreamTags::kMaxBytes - 1, 'a'));
  // Pairs past the bound are not looked at.
  std::vector<std::pair<std::string, std::string>> many(kMaxMetadataPairs, {"x", "y"});
  many.emplace_back("title", "too far");
  EXPECT_TRUE(PickStreamTags(many).Empty());
}

}  // namespace
}  // namespace varlo
