// The browser's address history: order, repeats, the bound of 100 and the file.
#include "webradio/url_history.h"

#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"

namespace varlo {
namespace {

std::vector<std::string> Numbered(int n) {
  std::vector<std::string> out;
  for (int i = 0; i < n; ++i) out.push_back("http://site" + std::to_string(i) + "/");
  return out;
}

TEST(UrlHistory, NewestFirstARepeatMovesToTheTop) {
  std::vector<std::string> h;
  EXPECT_TRUE(AddToHistory(h, "http://a/"));
  EXPECT_TRUE(AddToHistory(h, "http://b/"));
  EXPECT_TRUE(AddToHistory(h, "http://c/"));
  EXPECT_TRUE(AddToHistory(h, "http://a/"));
  EXPECT_EQ(h, (std::vector<std::string>{"http://a/", "http://c/", "http://b/"}));
  // Already on top, empty, or more than one line: nothing changes.
  EXPECT_FALSE(AddToHistory(h, "http://a/"));
  EXPECT_FALSE(AddToHistory(h, "  "));
  EXPECT_FALSE(AddToHistory(h, "http://x/\r\nhttp://y/"));
  EXPECT_EQ(h.size(), 3u);
}

TEST(UrlHistory, WhenFullTheOldestDropsAndTheNewestStays) {
  std::vector<std::string> h = Numbered(100);  // site0 newest, site99 oldest
  EXPECT_TRUE(AddToHistory(h, "http://new/"));
  ASSERT_EQ(h.size(), kMaxUrlHistory);
  EXPECT_EQ(h.front(), "http://new/");
  EXPECT_EQ(h[1], "http://site0/");
  EXPECT_EQ(h.back(), "http://site98/");
  // A repeat of an old entry moves it up without dropping another.
  EXPECT_TRUE(AddToHistory(h, "http://site50/"));
  EXPECT_EQ(h.size(), kMaxUrlHistory);
  EXPECT_EQ(h.back(), "http://site98/");
}

TEST(UrlHistory, ParseTrimsSkipsBlanksAndRepeatsAndKeepsAHundred) {
  EXPECT_EQ(ParseUrlList(" http://a/ \r\n\r\nhttp://b/\nhttp://a/\n"),
            (std::vector<std::string>{"http://a/", "http://b/"}));
  std::string text;
  for (const std::string& a : Numbered(150)) text += a + "\r\n";
  const auto parsed = ParseUrlList(text);
  ASSERT_EQ(parsed.size(), kMaxUrlHistory);
  EXPECT_EQ(parsed.back(), "http://site99/");
}

TEST(UrlHistory, RealFileRoundTripAndMissingFile) {
  testing::TempDir prog;
  EXPECT_TRUE(LoadUrlList(prog.Path()).empty());
  const auto h = Numbered(3);
  ASSERT_TRUE(SaveUrlList(prog.Path(), h));
  EXPECT_EQ(prog.Read("url-list.txt"), "http://site0/\r\nhttp://site1/\r\nhttp://site2/\r\n");
  EXPECT_EQ(LoadUrlList(prog.Path()), h);
}

}  // namespace
}  // namespace varlo
