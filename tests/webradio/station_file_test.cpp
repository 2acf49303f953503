// The station strings and "webradio.txt": splitting, the saved form, bounds and real files.
#include "webradio/station_file.h"

#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"

namespace varlo {
namespace {

TEST(WebStations, SplitAtTheAtSignTrimmingBothParts) {
  EXPECT_EQ(SplitStation("Jazz FM @ http://host/jazz "),
            (WebStation{"Jazz FM", "http://host/jazz"}));
  EXPECT_EQ(SplitStation("@http://x/"), (WebStation{"", "http://x/"}));
  // Without "@" there is neither name nor address.
  EXPECT_EQ(SplitStation("Just a name"), WebStation{});
  // Without a scheme after any "@", the first one separates.
  EXPECT_EQ(SplitStation("a@b@c"), (WebStation{"a", "b@c"}));
}

TEST(WebStations, NamesHoldingAtSignsSplitBeforeTheAddress) {
  EXPECT_EQ(SplitStation("Radio @ Home @http://h/s"), (WebStation{"Radio @ Home", "http://h/s"}));
  EXPECT_EQ(SplitStation("me@home @https://u:p@h/s"), (WebStation{"me@home", "https://u:p@h/s"}));
}

TEST(WebStations, ParseSkipsBlankLinesAndKeepsUnnamedEntries) {
  const auto stations = ParseWebStations("One @http://a/\r\n\r\n  \nno address\n@http://b/");
  ASSERT_EQ(stations.size(), 3u);
  EXPECT_EQ(stations[0].name, "One");
  EXPECT_EQ(stations[1], WebStation{});
  EXPECT_EQ(stations[2], (WebStation{"", "http://b/"}));
}

TEST(WebStations, TextIsOneLinePerStationWithoutBlankAfterTheAt) {
  EXPECT_EQ(WebStationsText({{"A", "http://a/"}, {"B\r\nC", "http://b/\n"}}),
            "A @http://a/\r\nB  C @http://b/ \r\n");
}

TEST(WebStations, BoundsCutLongLinesAndStopAtTheStationCount) {
  std::string text(kMaxWebStationBytes + 100, 'x');
  text += "@http://a/\n";
  const auto one = ParseWebStations(text);
  ASSERT_EQ(one.size(), 1u);
  EXPECT_LE(one[0].name.size(), kMaxWebStationBytes);
  std::string many;
  for (std::size_t i = 0; i < kMaxWebStations + 10; ++i) many += "s @http://a/\n";
  EXPECT_EQ(ParseWebStations(many).size(), kMaxWebStations);
}

TEST(WebStations, SaveAndLoadRoundTripOnARealFile) {
  testing::TempDir prog;
  EXPECT_TRUE(LoadWebStations(prog.Path()).empty());
  const std::vector<WebStation> stations{
      {"me@home", "http://h/a"}, {"", "https://b/"}, {"Station", "http://"}};
  ASSERT_TRUE(SaveWebStations(prog.Path(), stations));
  EXPECT_EQ(prog.Read("webradio.txt"),
            "me@home @http://h/a\r\n @https://b/\r\nStation @http://\r\n");
  EXPECT_EQ(LoadWebStations(prog.Path()), stations);
}

}  // namespace
}  // namespace varlo
