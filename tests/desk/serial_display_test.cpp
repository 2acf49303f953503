#include "desk/serial_display.h"

#include <gtest/gtest.h>

#include "tests/support/fake_tray.h"

namespace varlo {
namespace {

constexpr const char* kHeader = "<ID01><PA><CG>  ";

// One frame for the sign and the LCD module alike; a long title whole, up to a bound that
// only stops runaway texts.
TEST(SerialDisplay, TextsAreFramedTheSameForEveryDevice) {
  EXPECT_EQ(DisplayFrame("Song"), std::string(kHeader) + "Song   \r\n");
  EXPECT_EQ(DisplayFrame(""), std::string(kHeader) + "   \r\n");
  const std::string title(600, 't');
  EXPECT_EQ(DisplayFrame(title), std::string(kHeader) + title + "   \r\n");
  // A title cannot carry sign commands or line breaks, and is reduced to ASCII.
  EXPECT_EQ(DisplayText("<ID01>Bad\r\nTitle>"), "ID01BadTitle");
  EXPECT_EQ(DisplayText("Caf\xc3\xa9 Stra\xc3\x9f"
                        "e \xe2\x99\xab"),
            "Cafe Strasse ?");
  EXPECT_EQ(DisplayText("\xff"
                        "ok"),
            "?ok");
  EXPECT_EQ(kMaxDisplayText, 1024u);
  EXPECT_EQ(DisplayText(std::string(5000, 'x')).size(), kMaxDisplayText);
  EXPECT_EQ(DisplayText(std::string(1023, 'x') + "\xc3\x86").size(), kMaxDisplayText);
}

TEST(SerialDisplay, LineSettingsAndDevices) {
  const auto line = ParseSerialLine("19200,e,7,2");
  ASSERT_TRUE(line);
  EXPECT_EQ(line->baud, 19200);
  EXPECT_EQ(line->parity, 'E');
  EXPECT_EQ(line->dataBits, 7);
  EXPECT_EQ(line->stopBits, 2);
  for (const char* bad : {"0", "", "9600,N,8", "9600,N,8,1,1", "9600,X,8,1", "9600,N,9,1",
                          "fast,N,8,1", "9600,N,8,3"})
    EXPECT_FALSE(ParseSerialLine(bad)) << bad;
  AppSettings s;
  s.exPort = 2;
  EXPECT_EQ(DisplayDevice(s), "/dev/ttyS2");
  s.exPort = 9;
  EXPECT_EQ(DisplayDevice(s), "/dev/ttyS0");
  s.exDevice = "/dev/ttyUSB0";
  EXPECT_EQ(DisplayDevice(s), "/dev/ttyUSB0");
}

TEST(SerialDisplay, ThePortOpensWithTheFirstTextAndFailuresAreSaidOnce) {
  AppSettings settings;
  testing::FakeSerialPort port;
  SerialDisplay display(port, settings);
  display.ExDevOut("off");  // not enabled: no port at all
  EXPECT_TRUE(port.opened.empty());

  settings.exEnable = 1;
  settings.exParm = "0";  // what older settings hold: the usual 9600 8N1
  display.ExDevOut("One");
  settings.exDev = 1;  // the LCD module
  display.ExDevOut("Two");
  EXPECT_EQ(port.opened, std::vector<std::string>{"/dev/ttyS0"});
  EXPECT_EQ(port.line.baud, 9600);
  EXPECT_EQ(port.written, std::string(kHeader) + "One   \r\n" + kHeader + "Two   \r\n");

  // A write that fails closes the port; the next text opens it again.
  port.writeFails = true;
  ::testing::internal::CaptureStderr();
  display.ExDevOut("Lost");
  display.ExDevOut("Lost too");
  port.writeFails = false;
  port.openFails = true;
  display.ExDevOut("Nowhere");
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1);
  EXPECT_NE(said.find("/dev/ttyS0"), std::string::npos);
  port.openFails = false;
  display.ExDevOut("Back");
  EXPECT_EQ(port.written.substr(port.written.size() - 9), "Back   \r\n");
  display.SerialClose();
  EXPECT_FALSE(port.IsOpen());
}

}  // namespace
}  // namespace varlo
