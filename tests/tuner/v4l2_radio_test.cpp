// Card type 3 over a fake V4L2 device node, and RDS decoding from raw blocks.
#include <gtest/gtest.h>
#include <linux/videodev2.h>
#include <unistd.h>

#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/tuner/recording_port.h"
#include "tuner/capture_device.h"
#include "tuner/rds_decoder.h"
#include "tuner/tuner.h"

namespace halvern {
namespace {

// A radio node that answers the ioctls the card uses and hands out queued RDS blocks.
struct FakeRadio final : RadioDevice {
  bool present = true;
  int opens = 0;
  std::uint32_t capability = V4L2_TUNER_CAP_LOW | V4L2_TUNER_CAP_STEREO | V4L2_TUNER_CAP_RDS;
  std::uint32_t subchannels = V4L2_TUNER_SUB_MONO;
  std::int32_t signal = 0;
  std::uint32_t frequency = 0;
  std::int32_t mute = 0, volume = 5;
  bool hasVolume = true;
  std::string path = "/dev/radio0";
  std::deque<v4l2_rds_data> rds;

  bool Open() override {
    ++opens;
    return present;
  }
  int Ioctl(unsigned long request, void* argument) override {
    if (request == VIDIOC_G_TUNER) {
      auto* t = static_cast<v4l2_tuner*>(argument);
      t->capability = capability;
      t->rxsubchans = subchannels;
      t->signal = signal;
      t->type = V4L2_TUNER_RADIO;
      return 0;
    }
    if (request == VIDIOC_S_FREQUENCY) {
      frequency = static_cast<v4l2_frequency*>(argument)->frequency;
      return 0;
    }
    if (request == VIDIOC_QUERYCTRL) {
      auto* q = static_cast<v4l2_queryctrl*>(argument);
      if (q->id != V4L2_CID_AUDIO_VOLUME || !hasVolume) return -1;
      q->minimum = 0;
      q->maximum = 15;
      q->step = 1;
      return 0;
    }
    auto* c = static_cast<v4l2_control*>(argument);
    std::int32_t* target = c->id == V4L2_CID_AUDIO_MUTE     ? &mute
                           : c->id == V4L2_CID_AUDIO_VOLUME ? &volume
                                                            : nullptr;
    if (target == nullptr) return -1;
    if (request == VIDIOC_S_CTRL) *target = c->value;
    if (request == VIDIOC_G_CTRL) c->value = *target;
    return 0;
  }
  long Read(void* buffer, std::size_t size) override {
    const std::size_t room = size / sizeof(v4l2_rds_data);
    std::size_t n = 0;
    for (auto* out = static_cast<v4l2_rds_data*>(buffer); n < room && !rds.empty(); ++n) {
      out[n] = rds.front();
      rds.pop_front();
    }
    return n == 0 ? -1 : static_cast<long>(n * sizeof(v4l2_rds_data));
  }
  std::string Path() const override { return present ? path : std::string(); }

  void Block(std::uint16_t word, std::uint8_t position, std::uint8_t flags = 0) {
    rds.push_back({static_cast<std::uint8_t>(word), static_cast<std::uint8_t>(word >> 8),
                   static_cast<std::uint8_t>(position | flags)});
  }
  void Group(std::uint16_t b, std::uint16_t c, std::uint16_t d) {
    Block(0x1234, 0);
    Block(b, 1);
    Block(c, 2);
    Block(d, 3);
  }
};

std::uint16_t Chars(char high, char low) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(high) << 8 |
                                    static_cast<unsigned char>(low));
}

// A 0A group carrying segment `n` of the station name `ps` (8 characters).
void StationNameGroup(FakeRadio& radio, const std::string& ps, int n) {
  radio.Group(static_cast<std::uint16_t>(0x0000 | n), 0xE0CD,
              Chars(ps[static_cast<std::size_t>(2 * n)], ps[static_cast<std::size_t>(2 * n + 1)]));
}

// A 2A group carrying segment `n` of `text` (padded to a multiple of four), flag `ab`.
void RadioTextGroup(FakeRadio& radio, const std::string& text, int n, int ab = 0) {
  auto at = [&](int i) {
    const auto k = static_cast<std::size_t>(4 * n + i);
    return k < text.size() ? text[k] : ' ';
  };
  radio.Group(static_cast<std::uint16_t>(0x2000 | ab << 4 | n), Chars(at(0), at(1)),
              Chars(at(2), at(3)));
}

struct V4l2RadioTest : ::testing::Test {
  testing::RecordingPort port;
  FakeRadio radio;
  Tuner tuner{port, &radio};
  void SetUp() override { tuner.SetCardType(kV4l2Radio); }
};

TEST_F(V4l2RadioTest, TheLibraryCallsDriveTheDeviceAndNeverThePorts) {
  tuner.SetFrequency(101'100'000);
  EXPECT_EQ(radio.frequency, 101'100'000U * 2 / 125) << "62.5 Hz units";
  radio.capability = 0;
  tuner.SetFrequency(87'500'000);
  EXPECT_EQ(radio.frequency, 1400U) << "62.5 kHz units";

  EXPECT_EQ(tuner.SignalDetect(), 0);
  EXPECT_EQ(tuner.StereoDetect(), 0);
  radio.signal = 0xC000;
  radio.subchannels = V4L2_TUNER_SUB_STEREO;
  EXPECT_EQ(tuner.SignalDetect(), 1);
  EXPECT_EQ(tuner.StereoDetect(), 1);

  tuner.RadioOff();
  EXPECT_EQ(radio.mute, 1);
  tuner.RadioOn();
  EXPECT_EQ(radio.mute, 0);
  tuner.VolumeUp();
  EXPECT_EQ(radio.volume, 6);
  for (int i = 0; i < 20; ++i) tuner.VolumeDown();
  EXPECT_EQ(radio.volume, 0) << "held inside the control's range";
  radio.hasVolume = false;
  tuner.VolumeDown();
  EXPECT_EQ(radio.mute, 1) << "without a volume control, down mutes";
  tuner.VolumeUp();
  EXPECT_EQ(radio.mute, 0);
  EXPECT_TRUE(port.ports.empty() && port.reads.empty()) << "a V4L2 card touches no port";

  // Another card type leaves the device alone; no device at all answers 0.
  tuner.SetCardType(kAztech);
  radio.frequency = 0;
  tuner.SetFrequency(90'000'000);
  EXPECT_EQ(radio.frequency, 0U);
  radio.present = false;
  tuner.SetCardType(kV4l2Radio);
  EXPECT_EQ(tuner.SignalDetect(), 0);
  EXPECT_EQ(tuner.StationName(), "");
}

TEST_F(V4l2RadioTest, StationNameAndRadioTextComeFromGroups0AAnd2A) {
  const std::string ps = "VARLO FM";
  for (int n : {0, 1, 2}) StationNameGroup(radio, ps, n);
  EXPECT_EQ(tuner.StationName(), "") << "incomplete until every segment came";
  StationNameGroup(radio, ps, 3);
  EXPECT_EQ(tuner.StationName(), "VARLO FM");

  const std::string text = "Harbour Lights by Varlo Ensemble\r";
  for (int n = 0; n < 9; ++n) RadioTextGroup(radio, text, n);
  EXPECT_EQ(tuner.RadioText(), "Harbour Lights by Varlo Ensemble");

  // A new text (the A/B flag flips) replaces the old one once it is whole.
  RadioTextGroup(radio, "News\r", 0, 1);
  EXPECT_EQ(tuner.RadioText(), "Harbour Lights by Varlo Ensemble") << "until the new one is whole";
  RadioTextGroup(radio, "News\r", 1, 1);
  EXPECT_EQ(tuner.RadioText(), "News");

  // Tuning forgets the old station's name and text.
  tuner.SetFrequency(95'000'000);
  EXPECT_EQ(tuner.StationName(), "");
  EXPECT_EQ(tuner.RadioText(), "");
}

// A sysfs tree as the kernel lays it out for a USB FM receiver (radio and sound card on two
// interfaces of one USB device), the machine's own PCI sound card, and a TV card whose radio
// and sound card are one PCI device.
struct FakeSysfs {
  std::filesystem::path root =
      std::filesystem::temp_directory_path() / ("varlo-sysfs-" + std::to_string(::getpid()));
  FakeSysfs() {
    namespace fs = std::filesystem;
    fs::remove_all(root);
    const fs::path usb = root / "devices/pci0000:00/0000:00:14.0/usb1/1-2";
    const fs::path onboard = root / "devices/pci0000:00/0000:00:1f.3";
    const fs::path tv = root / "devices/pci0000:00/0000:03:00.0";
    for (const fs::path& d : {usb / "1-2:1.0", usb / "1-2:1.2", onboard, tv})
      fs::create_directories(d);
    std::ofstream(usb / "idVendor") << "10c4\n";
    std::ofstream(usb.parent_path() / "idVendor") << "1d6b\n";  // the root hub
    Link("video4linux/radio0", usb / "1-2:1.2");
    Link("video4linux/radio1", tv);
    Link("video4linux/radio2", onboard / "missing");
    Link("sound/card0", onboard);
    Link("sound/card1", usb / "1-2:1.0");
    Link("sound/card2", tv);
    for (const char* pcm : {"pcmC0D0p", "pcmC0D0c", "pcmC1D1c", "pcmC1D0p", "pcmC2D0p"})
      fs::create_directories(root / "class/sound" / pcm);
    fs::create_directories(root / "dev");
    for (const char* node : {"radio0", "radio1", "radio2", "radio3"})
      std::ofstream(root / "dev" / node) << "";
  }
  ~FakeSysfs() { std::filesystem::remove_all(root); }
  void Link(const std::string& classDevice, const std::filesystem::path& device) {
    const auto dir = root / "class" / classDevice;
    std::filesystem::create_directories(dir);
    std::filesystem::create_directory_symlink(device, dir / "device");
  }
  std::string Node(const std::string& name) const { return (root / "dev" / name).string(); }
};

TEST(CaptureDeviceTest, TheSoundCardOnTheRadiosOwnDeviceCarriesItsSound) {
  FakeSysfs sys;
  const std::string root = sys.root.string();
  EXPECT_EQ(CaptureDeviceOf(sys.Node("radio0"), root), "plughw:1,1")
      << "the USB receiver's sound card, its capture device";
  EXPECT_EQ(CaptureDeviceOf(sys.Node("radio1"), root), "")
      << "the TV card's sound card has no capture device: its audio leaves by line out";
  std::filesystem::create_directories(sys.root / "class/sound/pcmC2D3c");
  EXPECT_EQ(CaptureDeviceOf(sys.Node("radio1"), root), "plughw:2,3");
  EXPECT_EQ(CaptureDeviceOf(sys.Node("radio2"), root), "") << "a dangling device link";
  EXPECT_EQ(CaptureDeviceOf(sys.Node("radio3"), root), "") << "no sysfs entry at all";
  EXPECT_EQ(CaptureDeviceOf(sys.Node("radio9"), root), "") << "no node";
  EXPECT_EQ(CaptureDeviceOf(sys.Node("radio0"), root + "/nothing"), "");

  // The tuner asks only while the V4L2 card is the selected one.
  testing::RecordingPort port;
  FakeRadio radio;
  radio.path = sys.Node("radio0");
  Tuner tuner{port, &radio};
  EXPECT_EQ(tuner.CaptureDevice(root), "");
  tuner.SetCardType(kV4l2Radio);
  EXPECT_EQ(tuner.CaptureDevice(root), "plughw:1,1");
  radio.present = false;
  EXPECT_EQ(tuner.CaptureDevice(root), "");
}

TEST(RdsDecoderTest, DamagedOrMissingBlocksSpoilOnlyTheirGroup) {
  FakeRadio radio;
  const std::string ps = "ABCDEFGH";
  StationNameGroup(radio, ps, 0);
  StationNameGroup(radio, ps, 1);
  // Segment 2 with an uncorrectable block D, then segment 2 with block C lost.
  radio.Block(0x1234, 0);
  radio.Block(0x0002, 1);
  radio.Block(0xE0CD, 2);
  radio.Block(Chars('X', 'X'), 3, 0x40);
  radio.Block(0x1234, 0);
  radio.Block(0x0002, 1);
  radio.Block(Chars('Y', 'Y'), 3);
  StationNameGroup(radio, ps, 3);

  RdsDecoder rds;
  auto feed = [&] {
    for (const v4l2_rds_data& b : radio.rds) rds.Feed(b.lsb, b.msb, b.block);
    radio.rds.clear();
  };
  feed();
  EXPECT_EQ(rds.StationName(), "") << "segment 2 never arrived whole";
  StationNameGroup(radio, ps, 2);
  feed();
  EXPECT_EQ(rds.StationName(), "ABCDEFGH");

  // Control characters and national characters show as spaces; trailing ones are trimmed.
  rds.Reset();
  for (int n = 0; n < 4; ++n)
    rds.Group(0x1234, static_cast<std::uint16_t>(n), 0,
              n == 0 ? Chars('\x01', 'Z') : Chars('\xE9', ' '));
  EXPECT_EQ(rds.StationName(), " Z");

  // 2B groups carry two characters per segment in block D.
  rds.Reset();
  rds.Group(0x1234, 0x2800, 0x1234, Chars('O', 'K'));
  rds.Group(0x1234, 0x2801, 0x1234, Chars('\r', ' '));
  EXPECT_EQ(rds.RadioText(), "OK");
}

}  // namespace
}  // namespace halvern
