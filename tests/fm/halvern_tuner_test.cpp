// The FM mode end to end through the real libhalvern.so and its emulated card.
#include "platform/halvern/halvern_tuner.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/fm/fm_fixture.h"

namespace varlo {
namespace {

TEST(HalvernTuner, AMissingLibraryLeavesEveryCallHarmless) {
  HalvernTuner tuner({"/nonexistent/libhalvern.so"});
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(tuner.Loaded());
  EXPECT_FALSE(tuner.Loaded());  // tried once, said once
  tuner.SetFrequency(87500000);
  tuner.RadioOn();
  EXPECT_FALSE(tuner.SignalDetect());
  EXPECT_EQ(tuner.GetVolume(), 0);
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("no tuner library"), std::string::npos);
  EXPECT_NE(said.find("/nonexistent/libhalvern.so"), std::string::npos);
  EXPECT_EQ(said.find('\n'), said.size() - 1);
}

// The mode on the emulated card: scanning finds the stations the card was given.
class FmOnLibraryTest : public FmTest {
 protected:
  void SetUp() override {
    ::setenv("HALVERN_PORT", "sim", 1);
    ::setenv("HALVERN_SIM_STATIONS", "87.5s,101.1", 1);
    FmTest::SetUp();
  }
};

TEST_F(FmOnLibraryTest, ScanningStopsOnTheEmulatedStationsWithTheirStereo) {
  HalvernTuner card({HALVERN_LIBRARY_PATH});
  ASSERT_TRUE(card.Loaded());
  EXPECT_EQ(card.Path(), HALVERN_LIBRARY_PATH);
  for (int type : {0, 1, 2}) {
    settings.cardType = static_cast<std::int16_t>(type);
    settings.fmFreqText = "870";
    FmMode mode(form, settings, *store, prog.Path(), card, cover);
    mode.Load();
    mode.DoIt(81);
    for (int tick = 0; tick < 300 && mode.Scan() != 0; ++tick) mode.Timer1Step();
    mode.Timer1Step();
    // The RadioTrack reports a signal and stereo everywhere, so its scan stops at once.
    if (type == 1) {
      EXPECT_EQ(mode.Frequency(), 871);
      EXPECT_TRUE(form.lights[1]);
      continue;
    }
    EXPECT_EQ(mode.Frequency(), 875) << type;
    EXPECT_TRUE(form.lights[1]) << type;
    mode.DoIt(81);
    for (int tick = 0; tick < 300 && mode.Scan() != 0; ++tick) mode.Timer1Step();
    mode.Timer1Step();
    EXPECT_EQ(mode.Frequency(), 1011) << type;
    // The RadioTrack II reads stereo from the same bit as the signal.
    EXPECT_EQ(form.lights[1], type == 2) << type;
  }
}

}  // namespace
}  // namespace varlo
