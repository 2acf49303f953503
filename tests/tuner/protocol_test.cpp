#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tests/tuner/recording_port.h"
#include "tuner/aztech.h"
#include "tuner/radiotrack.h"
#include "tuner/radiotrack2.h"
#include "tuner/tuner.h"

namespace halvern {
namespace {

using testing::AztechBytes;
using testing::Concat;
using testing::RadioTrack2Bytes;
using testing::RadioTrackBytes;
using testing::RecordingPort;
using Bytes = std::vector<std::uint8_t>;

class TunerTest : public ::testing::Test {
 protected:
  RecordingPort port;
  Tuner tuner{port};
};

TEST_F(TunerTest, DrivesAztechAtPort30CWithVolume1BeforeAnySetCall) {
  EXPECT_EQ(tuner.card_type(), kAztech);
  EXPECT_EQ(tuner.GetVolume(), 1);
  tuner.RadioOn();
  EXPECT_EQ(port.values, (Bytes{0x01, 0x01}));
  EXPECT_EQ(port.ports, (std::vector<std::uint16_t>{0x30C, 0x30C}));

  tuner.SetPort(0x350);
  tuner.SetFrequency(87'000'000);
  tuner.StereoDetect();
  for (std::size_t i = 2; i < port.ports.size(); ++i) ASSERT_EQ(port.ports[i], 0x350);
  EXPECT_EQ(port.reads, (std::vector<std::uint16_t>{0x350}));
}

TEST_F(TunerTest, AztechSendsTheDividerTwiceInTheTemplate) {
  EXPECT_EQ(aztech::Divider(87'000'000), 977);
  EXPECT_EQ(aztech::Divider(108'000'000), 1187);
  EXPECT_EQ(aztech::Divider(87'099'999), 977);  // Truncated, not rounded.

  // 977 = 0x3D1 least significant bit first, between "00" and each word's eight fixed bits.
  tuner.SetFrequency(87'000'000);
  EXPECT_EQ(port.values, AztechBytes("00"
                                     "10001011110000"
                                     "01000101"
                                     "00"
                                     "10001011110000"
                                     "01100101"));
  EXPECT_EQ(port.values.size(), 192u);

  port.Clear();
  tuner.SetFrequency(108'000'000);  // 1187 = 0x4A3
  EXPECT_EQ(port.values, AztechBytes("00"
                                     "11000101001000"
                                     "01000101"
                                     "00"
                                     "11000101001000"
                                     "01100101"));
}

TEST_F(TunerTest, AztechOnOffAndDetectLines) {
  tuner.SetVolume(5);
  EXPECT_EQ(port.values, (Bytes{5, 5}));
  port.Clear();
  tuner.RadioOff();
  EXPECT_EQ(port.values, (Bytes{0, 0}));
  EXPECT_EQ(tuner.GetVolume(), 5);  // Off mutes the card, not the stored level.
  port.Clear();
  tuner.RadioOn();
  EXPECT_EQ(port.values, (Bytes{5, 5}));

  port.next_read = 0xFE;  // Bit 0 low: stereo; bit 1 high: no signal.
  EXPECT_EQ(tuner.StereoDetect(), 1);
  EXPECT_EQ(tuner.SignalDetect(), 0);
  port.next_read = 0xFD;
  EXPECT_EQ(tuner.StereoDetect(), 0);
  EXPECT_EQ(tuner.SignalDetect(), 1);
}

TEST_F(TunerTest, AztechVolumeSteps) {
  tuner.VolumeUp();
  tuner.VolumeUp();
  EXPECT_EQ(port.values, (Bytes{4, 4, 5, 5}));
  EXPECT_EQ(tuner.GetVolume(), 5);

  port.Clear();
  tuner.VolumeUp();  // Already at the top.
  EXPECT_TRUE(port.values.empty());
  EXPECT_EQ(tuner.GetVolume(), 5);

  tuner.VolumeDown();
  tuner.VolumeDown();
  tuner.VolumeDown();
  EXPECT_EQ(port.values, (Bytes{4, 4, 1, 1, 0, 0}));
  port.Clear();
  tuner.VolumeDown();  // Already at the bottom.
  EXPECT_TRUE(port.values.empty());

  // Values between the levels stay where they are, but are still written.
  tuner.SetVolume(2);
  port.Clear();
  tuner.VolumeUp();
  EXPECT_EQ(port.values, (Bytes{0x02, 0x02}));
  EXPECT_EQ(tuner.GetVolume(), 2);
  tuner.SetVolume(3);
  port.Clear();
  tuner.VolumeDown();
  EXPECT_EQ(port.values, (Bytes{0x03, 0x03}));

  // Anything above 5 counts as the top for "up" but is left alone by "down".
  tuner.SetVolume(200);
  port.Clear();
  tuner.VolumeUp();
  EXPECT_TRUE(port.values.empty());
  tuner.VolumeDown();
  EXPECT_EQ(port.values, (Bytes{200, 200}));
}

TEST_F(TunerTest, RadioTrackWordPulsesAndDetect) {
  tuner.SetCardType(kRadioTrack);
  EXPECT_EQ(radiotrack::TuningWord(87'000'000) & 0x3FFF, 3908u);

  // 3908 = 0xF44 in bits 0-13, bits 21 and 23 set, least significant bit first.
  tuner.SetFrequency(87'000'000);
  EXPECT_EQ(port.values, Concat({RadioTrackBytes("00100010111100"
                                                 "0000000"
                                                 "101"),
                                 {0x00, 0xC8}}));

  port.Clear();
  tuner.RadioOn();
  tuner.RadioOff();
  tuner.VolumeUp();
  tuner.VolumeDown();
  EXPECT_EQ(port.values, (Bytes{0x00, 0x00, 0x88, 0xC8, 0x48, 0xC8}));
  EXPECT_EQ(tuner.GetVolume(), 1);  // The card keeps its own volume.

  port.Clear();
  tuner.SetVolume(9);
  EXPECT_TRUE(port.values.empty());
  EXPECT_EQ(tuner.GetVolume(), 9);

  port.next_read = 0xFF;
  EXPECT_EQ(tuner.StereoDetect(), 1);
  EXPECT_EQ(tuner.SignalDetect(), 1);
  EXPECT_TRUE(port.reads.empty());
}

TEST_F(TunerTest, RadioTrack2PreambleWordAndMute) {
  tuner.SetCardType(kRadioTrack2);
  EXPECT_EQ(radiotrack2::TuningWord(87'000'000), 7816);

  // 7816 = 0x1E88 as 15 bits, most significant first, after ten zeros.
  tuner.SetFrequency(87'000'000);
  EXPECT_EQ(port.values, Concat({{0xC8, 0xC9, 0xC9},
                                 RadioTrack2Bytes("0000000000"),
                                 RadioTrack2Bytes("001111010001000"),
                                 {0xC8, 0x00}}));

  port.Clear();
  tuner.RadioOn();
  tuner.RadioOff();
  tuner.VolumeUp();
  tuner.VolumeDown();
  tuner.SetVolume(4);
  EXPECT_EQ(port.values, (Bytes{0x00, 0x01, 0x00, 0x01}));
  EXPECT_EQ(tuner.GetVolume(), 4);

  // One line, bit 1, answers both questions.
  port.next_read = 0xFD;
  EXPECT_EQ(tuner.StereoDetect(), 1);
  EXPECT_EQ(tuner.SignalDetect(), 1);
  port.next_read = 0xFE;
  EXPECT_EQ(tuner.StereoDetect(), 0);
  EXPECT_EQ(tuner.SignalDetect(), 0);
}

TEST_F(TunerTest, UnlistedCardTypeDoesNothing) {
  for (const std::uint16_t type : {std::uint16_t{3}, std::uint16_t{0xFFFF}}) {
    tuner.SetCardType(type);
    port.Clear();
    tuner.SetFrequency(100'000'000);
    tuner.RadioOn();
    tuner.RadioOff();
    tuner.VolumeUp();
    tuner.VolumeDown();
    tuner.SetVolume(4);
    port.next_read = 0x00;
    EXPECT_EQ(tuner.StereoDetect(), 0);
    EXPECT_EQ(tuner.SignalDetect(), 0);
    EXPECT_TRUE(port.values.empty());
    EXPECT_TRUE(port.reads.empty());
    EXPECT_EQ(tuner.GetVolume(), 4);
  }
  EXPECT_EQ(tuner.card_type(), 0xFFFF);  // Zero-extended, never negative.

  // The raw read works whatever the card and is never sign-extended.
  port.next_read = 0xFF;
  EXPECT_EQ(tuner.ReadCard(), 255);
}

TEST(TuningWords, OutOfRangeFieldsKeepTheFixedBits) {
  EXPECT_EQ(aztech::TuningWord(0x4000 | 977), aztech::TuningWord(977));
  EXPECT_EQ(radiotrack::TuningWord(500'000'000) & ~0x3FFFu, radiotrack::kFixedBits);
  EXPECT_LT(radiotrack2::TuningWord(500'000'000), 1u << 15);
}

}  // namespace
}  // namespace halvern
