// The external display's frames through Qt Serial Port, read back on a pseudo-terminal.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>

#include "desk/serial_display.h"
#include "platform/qt/lazy_serial_port.h"

namespace varlo {
namespace {

// The terminal side of a pseudo-terminal pair in raw mode, and the name of its device side.
struct Pty {
  int master = -1;
  std::string device;
  Pty() {
    master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) return;
    device = ::ptsname(master);
  }
  ~Pty() {
    if (master >= 0) ::close(master);
  }
  // What arrives within a short wait.
  std::string Read() const {
    std::string got;
    pollfd p{master, POLLIN, 0};
    while (::poll(&p, 1, 200) > 0) {
      char buffer[256];
      const ssize_t n = ::read(master, buffer, sizeof buffer);
      if (n <= 0) break;
      got.append(buffer, static_cast<std::size_t>(n));
    }
    return got;
  }
};

TEST(QtSerialPort, FramesReachTheDeviceByteForByte) {
  Pty pty;
  ASSERT_FALSE(pty.device.empty());
  AppSettings settings;
  settings.exEnable = 1;
  settings.exDevice = pty.device;
  settings.exParm = "9600,N,8,1";
  LazySerialPort port;
  SerialDisplay display(port, settings);
  display.ExDevOut("Welcome to Varlo!");
  display.ExDevOut("AC<DC>\rLive");
  display.ExDevOut("paused...");
  display.ExDevOut("Varlo stopped");
  display.ExDevOut("");
  display.SerialClose();
  // The terminal turns each CR LF into its own line ends; raw mode keeps them.
  const std::string got = pty.Read();
  const std::string h = "<ID01><PA><CG>  ";
  const std::string want = h + "Welcome to Varlo!   \r\n" + h + "ACDCLive   \r\n" + h +
                           "paused...   \r\n" + h + "Varlo stopped   \r\n" + h + "   \r\n";
  EXPECT_EQ(got, want);
}

// A port the preferences change is let go at once: another device takes the last text, and a
// display switched off unlocks its device for other programs.
TEST(QtSerialPort, ADisplaySwitchedToAnotherPortOrOffLetsItsDeviceGo) {
  Pty first, second;
  ASSERT_FALSE(first.device.empty() || second.device.empty());
  AppSettings settings;
  settings.exEnable = 1;
  settings.exDevice = first.device;
  LazySerialPort port;
  SerialDisplay display(port, settings);
  display.ExDevOut("Song");
  LazySerialPort other;
  EXPECT_FALSE(other.Open(first.device, SerialLine{})) << "held by the display";
  settings.exDevice = second.device;
  display.ApplySettings();
  EXPECT_EQ(second.Read(), "<ID01><PA><CG>  Song   \r\n");
  EXPECT_TRUE(other.Open(first.device, SerialLine{}));
  other.Close();
  settings.exEnable = 0;
  display.ApplySettings();
  EXPECT_TRUE(other.Open(second.device, SerialLine{}));
  other.Close();
}

TEST(QtSerialPort, AMissingPortFailsQuietly) {
  LazySerialPort port;
  EXPECT_FALSE(port.Open("/dev/varlo-no-such-port", SerialLine{}));
  EXPECT_FALSE(port.IsOpen());
  EXPECT_FALSE(port.Write("x"));
  port.Close();
}

}  // namespace
}  // namespace varlo
