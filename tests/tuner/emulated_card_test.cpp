#include "tuner/emulated_card.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/tuner/recording_port.h"
#include "tuner/sim_stations.h"
#include "tuner/tuner.h"

namespace halvern {
namespace {

using testing::AztechBytes;
using testing::RadioTrackBytes;

void Send(EmulatedCard& card, const std::vector<std::uint8_t>& bytes) {
  for (const std::uint8_t b : bytes) card.Out(0x30C, b);
}

TEST(EmulatedCard, DecodesEveryBandStepOfEveryCard) {
  const struct {
    std::uint16_t type;
    SimProtocol protocol;
  } cards[] = {{kAztech, SimProtocol::kAztech},
               {kRadioTrack, SimProtocol::kRadioTrack},
               {kRadioTrack2, SimProtocol::kRadioTrack2}};
  for (const auto& c : cards) {
    EmulatedCard card({});
    Tuner tuner(card);
    tuner.SetCardType(c.type);
    for (std::int32_t step = 870; step <= 1080; ++step) {
      tuner.SetFrequency(step * 100'000);
      ASSERT_EQ(card.tuned_hz(), step * 100'000) << "card " << c.type;
      ASSERT_EQ(card.protocol(), c.protocol);
    }
  }
}

TEST(EmulatedCard, FollowsWhicheverProtocolCompletesAWord) {
  EmulatedCard card({});
  Tuner tuner(card);
  EXPECT_FALSE(card.tuned_hz().has_value());

  tuner.SetFrequency(90'000'000);
  tuner.SetCardType(kRadioTrack);
  tuner.VolumeUp();
  tuner.SetFrequency(95'000'000);
  EXPECT_EQ(card.tuned_hz(), 95'000'000);
  tuner.SetCardType(kRadioTrack2);
  tuner.SetFrequency(100'000'000);
  EXPECT_EQ(card.tuned_hz(), 100'000'000);
  tuner.SetCardType(kAztech);
  tuner.SetFrequency(105'000'000);
  EXPECT_EQ(card.tuned_hz(), 105'000'000);
  EXPECT_EQ(card.protocol(), SimProtocol::kAztech);
}

TEST(EmulatedCard, IgnoresBrokenWordsAndFallsBackIntoStep) {
  // 87.0 MHz, divider 977, and 90.0 MHz, divider 1007, least significant bit first.
  const std::string d87 = "10001011110000";
  const std::string d90 = "11110111110000";
  const std::string fixed1 = "01000101";
  const std::string fixed2 = "01100101";
  EmulatedCard card({});
  Tuner tuner(card);
  tuner.SetFrequency(95'000'000);

  Send(card, AztechBytes("00" + d87 + fixed1 + "00" + d90 + fixed2));      // Copies disagree.
  Send(card, AztechBytes("00" + d87 + "11000101" + "00" + d87 + fixed2));  // A fixed bit wrong.
  Send(card, RadioTrackBytes("00" + d87 + "00000000"));  // No fixed bits 21 and 23.
  Send(card, {0x00, 0xC8});
  EXPECT_EQ(card.tuned_hz(), 95'000'000);

  // A stray second half with the serial line still enabled, then a whole word.
  Send(card, AztechBytes("00" + d90 + fixed2));
  tuner.SetFrequency(87'000'000);
  EXPECT_EQ(card.tuned_hz(), 87'000'000);

  // Half a RadioTrack word, then a whole one.
  tuner.SetCardType(kRadioTrack);
  Send(card, RadioTrackBytes("0101"));
  tuner.SetFrequency(96'000'000);
  EXPECT_EQ(card.tuned_hz(), 96'000'000);
}

TEST(EmulatedCard, AnswersStatusLinesFromTheStationList) {
  EmulatedCard card(ParseSimStations("87.5s,101.1"));
  Tuner tuner(card);
  EXPECT_EQ(card.In(0x30C), 0xFF);  // Not tuned yet.

  tuner.SetFrequency(87'500'000);
  EXPECT_EQ(card.In(0x30C), 0xFC);
  EXPECT_EQ(tuner.StereoDetect(), 1);
  EXPECT_EQ(tuner.SignalDetect(), 1);
  tuner.SetFrequency(101'100'000);
  EXPECT_EQ(tuner.StereoDetect(), 0);
  EXPECT_EQ(tuner.SignalDetect(), 1);
  tuner.SetFrequency(101'200'000);  // One step off: nothing.
  EXPECT_EQ(tuner.SignalDetect(), 0);

  // The RadioTrack tunes in 25 kHz steps; 25 kHz off is still the station.
  tuner.SetCardType(kRadioTrack);
  tuner.SetFrequency(101'125'000);
  EXPECT_EQ(card.tuned_hz(), 101'125'000);
  EXPECT_EQ(card.In(0x30C), 0xFD);
}

TEST(EmulatedCard, TracksTheAztechVolumeBits) {
  EmulatedCard card({});
  Tuner tuner(card);
  tuner.SetVolume(4);
  EXPECT_EQ(card.volume_bits(), 4);
  tuner.SetFrequency(99'000'000);  // Tuning leaves the volume bits out.
  EXPECT_EQ(card.volume_bits(), 0);
  tuner.RadioOn();
  EXPECT_EQ(card.volume_bits(), 4);
  tuner.VolumeUp();
  EXPECT_EQ(card.volume_bits(), 5);
  tuner.RadioOff();
  EXPECT_EQ(card.volume_bits(), 0);
}

TEST(SimStations, ParsesMegahertzWithStereoMarks) {
  const auto stations = ParseSimStations(" 87.5s,101.1 , 104.3S,bad,,99,1.2.3,s,88.05");
  ASSERT_EQ(stations.size(), 5u);
  EXPECT_EQ(stations[0].hz, 87'500'000);
  EXPECT_TRUE(stations[0].stereo);
  EXPECT_EQ(stations[1].hz, 101'100'000);
  EXPECT_FALSE(stations[1].stereo);
  EXPECT_EQ(stations[2].hz, 104'300'000);
  EXPECT_TRUE(stations[2].stereo);
  EXPECT_EQ(stations[3].hz, 99'000'000);
  EXPECT_EQ(stations[4].hz, 88'050'000);

  EXPECT_TRUE(ParseSimStations("").empty());
  EXPECT_TRUE(ParseSimStations("99999999").empty());  // Beyond 32-bit hertz.
}

}  // namespace
}  // namespace halvern
