// The engine's tests run on the fake device, so the fake must answer the engine's command
// sequences as the real device does. Each case here runs on both.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "tests/mpv/test_audio.h"
#include "tests/support/fake_media_device.h"
#include "tests/support/temp_dir.h"

namespace varlo {
namespace {

using testing::TempDir;

struct Subject {
  virtual ~Subject() = default;
  virtual IMediaDevice& Device() = 0;
  // Lets a real device catch up with what it was told, waiting (within a bound) until its
  // position comes within `tolerance` of `expected`; nothing for the fake. A fixed wait was
  // too short on a loaded machine.
  virtual void Settle(int /*expected*/, int /*tolerance*/) {}
  virtual std::string TwoSecondFile(TempDir& dir) = 0;
};

struct FakeSubject : Subject {
  testing::FakeMediaDevice fake;
  IMediaDevice& Device() override { return fake; }
  std::string TwoSecondFile(TempDir& dir) override {
    fake.lengths[dir.File("two.wav")] = 2000;
    return dir.File("two.wav");
  }
};

struct MpvSubject : Subject {
  MpvMediaDevice device{testing::NullOutputs()};
  testing::EventPump pump{device};
  IMediaDevice& Device() override { return device; }
  void Settle(int expected, int tolerance) override {
    pump.Until([&] { return std::abs(device.Position() - expected) <= tolerance; }, 3000);
  }
  std::string TwoSecondFile(TempDir& dir) override {
    return dir.Write("two.wav", testing::SineWav(2000));
  }
};

class MediaDeviceContract : public ::testing::TestWithParam<bool> {
 protected:
  MediaDeviceContract() {
    if (GetParam()) {
      subject_ = std::make_unique<MpvSubject>();
    } else {
      subject_ = std::make_unique<FakeSubject>();
    }
  }
  TempDir dir_;
  std::unique_ptr<Subject> subject_;
};

TEST_P(MediaDeviceContract, TheEnginesCommandSequencesLeaveTheSamePositions) {
  IMediaDevice& device = subject_->Device();
  // Stopping both instances at start-up: nothing is open, and that is harmless.
  device.SetFrom(0);
  device.Command("seek");
  device.Command("stop");
  EXPECT_EQ(device.Position(), 0);

  device.Command("close");
  EXPECT_EQ(device.Error(), 0) << "close on a closed device is no error";
  device.SetDeviceType("MPEGVideo");
  device.SetFileName(subject_->TwoSecondFile(dir_));
  device.SetWait(true);
  device.Command("open");
  ASSERT_EQ(device.Error(), 0) << device.ErrorMessage();
  EXPECT_NEAR(device.Length(), 2000, 50);

  // Playing from a position, then pausing with "stop": the position stays put.
  device.Command("stop");
  device.SetFrom(1500);
  device.Command("Play");
  device.Command("stop");
  subject_->Settle(1500, 300);
  // The real engine may play a little before the stop lands on a loaded machine.
  EXPECT_NEAR(device.Position(), 1500, 300);

  // From is used up: a later seek without it goes to the start.
  device.Command("seek");
  subject_->Settle(0, 0);
  EXPECT_EQ(device.Position(), 0);

  device.SetFrom(800);
  device.Command("seek");
  subject_->Settle(800, 30);
  EXPECT_NEAR(device.Position(), 800, 30);

  device.Command("close");
  EXPECT_EQ(device.Length(), 0);
  device.Command("play");
  EXPECT_EQ(device.Error(), 257);
  device.Command("eject");
  EXPECT_EQ(device.Error(), 261);
}

INSTANTIATE_TEST_SUITE_P(FakeAndMpv, MediaDeviceContract, ::testing::Values(false, true),
                         [](const auto& param) { return param.param ? "Mpv" : "Fake"; });

}  // namespace
}  // namespace varlo
