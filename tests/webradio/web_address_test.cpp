// Which addresses are played, opened on the desktop or navigated to.
#include "webradio/web_address.h"

#include <gtest/gtest.h>

namespace varlo {
namespace {

TEST(WebAddress, OnlyHttpAndHttpsStreamsArePlayed) {
  EXPECT_TRUE(IsStreamAddress("http://host:8000/live"));
  EXPECT_TRUE(IsStreamAddress("HTTPS://host/live"));
  for (const char* refused : {"file:///etc/passwd", "/home/me/song.mp3", "http://", "ytdl://x",
                              "rtmp://host/a", "", "av://lavfi:sine", "httpx://a"})
    EXPECT_FALSE(IsStreamAddress(refused)) << refused;
}

TEST(WebAddress, LinksOpenOnlyForWebAndMailWithoutBlanksOrControls) {
  EXPECT_TRUE(IsOpenableLink("http://example.org/a?b=c"));
  EXPECT_TRUE(IsOpenableLink("mailto:me@example.org"));
  // What a shell would run: semicolons are harmless in a URL handed over whole, but blanks,
  // line breaks and other schemes are refused outright.
  for (const char* refused : {"http://x/; touch /tmp/p", "http://x/\ntouch /tmp/p", "file:///tmp/p",
                              "javascript:alert(1)", "sh -c 'touch /tmp/p'", "`touch /tmp/p`",
                              "mailto:", "ssh://host", "x-scheme:run"})
    EXPECT_FALSE(IsOpenableLink(refused)) << refused;
}

TEST(WebAddress, TypedWwwGetsHttpInAnyCase) {
  EXPECT_EQ(TypedAddress("  www.example.org "), "http://www.example.org");
  EXPECT_EQ(TypedAddress("WwW.Example.org"), "http://WwW.Example.org");
  EXPECT_EQ(TypedAddress("https://a/"), "https://a/");
  EXPECT_EQ(TypedAddress("example.org"), "example.org");
}

TEST(WebAddress, CaptionsAreAddressesWithoutTheirHttp) {
  EXPECT_EQ(LinkCaption("http://example.org/x"), "example.org/x");
  EXPECT_EQ(LinkCaption("https://example.org/"), "https://example.org/");
  EXPECT_EQ(CaptionAddress("example.org/x"), "http://example.org/x");
  EXPECT_EQ(CaptionAddress("https://a/"), "https://a/");
  EXPECT_EQ(CaptionAddress("mailto:me@x.org"), "mailto:me@x.org");
  EXPECT_EQ(CaptionAddress("  "), "");
}

}  // namespace
}  // namespace varlo
