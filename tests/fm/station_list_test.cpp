#include "fm/station_list.h"

#include <gtest/gtest.h>

#include "fm/tuner.h"
#include "tests/support/fake_tuner.h"
#include "tests/support/temp_dir.h"

namespace varlo {
namespace {

TEST(StationList, EntriesReadTheirFrequencyAndName) {
  EXPECT_DOUBLE_EQ(StationMhz("87.5 FM"), 87.5);
  EXPECT_EQ(StationTenths("087.5 FM"), 875);
  EXPECT_EQ(StationTenths("87,5 Radio Eins"), 875);  // a foreign decimal point
  EXPECT_EQ(StationTenths("101.1Jazz"), 1011);
  EXPECT_EQ(StationTenths("Jazz"), 0);
  EXPECT_EQ(StationTenths(""), 0);
  EXPECT_EQ(StationName("101.1 Smooth Jazz"), "Smooth Jazz");
  EXPECT_EQ(StationName("101.1"), "");
  EXPECT_EQ(RenamedStation("87.5 FM", "Jazz"), "87.5 Jazz");
  EXPECT_EQ(RenamedStation("87.5 Old Name", "New"), "87.5 New");
  EXPECT_EQ(RenamedStation("87.5", "New"), "87.5 New");
  EXPECT_EQ(AddedStation(875), "87.5 FM");
  EXPECT_EQ(AddedStation(1080), "108.0 FM");
  EXPECT_EQ(StoredStation(875), "087.5 FM");
  EXPECT_EQ(StationPictureName(875), "FM087-5");
  EXPECT_EQ(StationPictureName(1011), "FM101-1");
}

TEST(StationList, FilesAreLinesWithCrLfAndBounded) {
  const StationFile small = ParseStations("87.5 FM\r\n\r\n90.0 A\n  \r95.5 B");
  EXPECT_EQ(small.entries, (std::vector<std::string>{"87.5 FM", "90.0 A", "95.5 B"}));
  EXPECT_TRUE(small.Whole());
  EXPECT_EQ(StationsText({"87.5 FM", "bad\r\nline"}), "87.5 FM\r\nbad  line\r\n");

  // What the bounds leave out is told, so that the list is not written back as the file.
  std::string many = "90.0 " + std::string(600, 'x') + "\n";
  for (int i = 0; i < 5000; ++i) many += "90.0 FM\n";
  const StationFile parsed = ParseStations(many);
  EXPECT_EQ(parsed.entries.size(), kMaxStations);
  EXPECT_EQ(parsed.entries[0].size(), kMaxStationBytes);
  EXPECT_TRUE(parsed.cut && parsed.shortened);
  std::string exactly;
  for (std::size_t i = 0; i < kMaxStations; ++i) exactly += "90.0 FM\n";
  EXPECT_TRUE(ParseStations(exactly + "\r\n \n").Whole()) << "trailing blank lines lose nothing";
  EXPECT_FALSE(ParseStations(exactly + "87.5 FM").Whole());
  // A file past the byte bound is read up to the last whole line before it.
  const StationFile big = ParseStations("87.5 FM\n" + std::string(kMaxStationsBytes, 'x'));
  EXPECT_EQ(big.entries, std::vector<std::string>{"87.5 FM"});
  EXPECT_TRUE(big.cut);

  testing::TempDir dir;
  EXPECT_TRUE(LoadStations(dir.Path()).entries.empty());
  EXPECT_TRUE(LoadStations(dir.Path()).Whole()) << "a missing file loses nothing";
  ASSERT_TRUE(SaveStations(dir.Path(), {"87.5 FM", "101.1 Jazz"}));
  EXPECT_EQ(dir.Read("stations.txt"), "87.5 FM\r\n101.1 Jazz\r\n");
  EXPECT_EQ(LoadStations(dir.Path()).entries, (std::vector<std::string>{"87.5 FM", "101.1 Jazz"}));
  // A file of exactly the byte bound is whole; one byte more is not.
  const std::string line = "99.9 " + std::string(505, 'y') + "\r\n";
  std::string bound;
  while (bound.size() < kMaxStationsBytes) bound += line;
  ASSERT_EQ(bound.size(), kMaxStationsBytes);
  dir.Write("stations.txt", bound);
  EXPECT_TRUE(LoadStations(dir.Path()).Whole());
  dir.Write("stations.txt", bound + "8");
  const StationFile over = LoadStations(dir.Path());
  EXPECT_TRUE(over.cut);
  EXPECT_EQ(over.entries.size(), kMaxStationsBytes / line.size());
  EXPECT_EQ(StationsCutText(4096), "stations.txt: first 4096 stations shown");
}

TEST(TunerCard, PortsFollowTheCardTypeAndChoice) {
  EXPECT_EQ(TunerPort(0, 0), 0x350);
  EXPECT_EQ(TunerPort(0, 1), 0x358);
  EXPECT_EQ(TunerPort(1, 0), 0x30C);
  EXPECT_EQ(TunerPort(2, 1), 0x20C);
  EXPECT_EQ(TunerPort(3, 0), 0);
  EXPECT_EQ(TunerPort(-1, 1), 0);
  testing::FakeTuner tuner;
  SetTunerCard(tuner, 2, 1);
  EXPECT_EQ(tuner.calls, (std::vector<std::string>{"type 2", "port 524"}));
}

}  // namespace
}  // namespace varlo
