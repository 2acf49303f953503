#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/tuner/recording_port.h"
#include "tuner/emulated_card.h"
#include "tuner/port_backends.h"
#include "tuner/port_select.h"

namespace halvern {
namespace {

// Never selects the machine's ports: the tests may run as root, where ioperm succeeds.
TEST(PortSelect, SimAndAnyOtherValueStayOffTheHardware) {
  auto sim = SelectPortIo("sim", "101.1s");
  auto* card = dynamic_cast<EmulatedCard*>(sim.get());
  ASSERT_NE(card, nullptr);

  for (const char* mode : {"none", "simm", "SIM"}) {
    auto io = SelectPortIo(mode, "101.1s");
    EXPECT_NE(dynamic_cast<NullPort*>(io.get()), nullptr) << mode;
    io->Out(0x30C, 0x00);
    EXPECT_EQ(io->In(0x30C), 0xFF);
  }
}

TEST(PortSelect, DeferredPortCreatesItsBackendOnFirstUse) {
  int made = 0;
  testing::RecordingPort* recorder = nullptr;
  DeferredPort deferred([&]() -> std::unique_ptr<PortIo> {
    ++made;
    auto port = std::make_unique<testing::RecordingPort>();
    recorder = port.get();
    return port;
  });
  EXPECT_EQ(made, 0);
  deferred.Out(0x350, 0x42);
  deferred.In(0x350);
  EXPECT_EQ(made, 1);
  ASSERT_NE(recorder, nullptr);
  EXPECT_EQ(recorder->values, (std::vector<std::uint8_t>{0x42}));

  DeferredPort empty([] { return std::unique_ptr<PortIo>(); });
  EXPECT_EQ(empty.In(0x30C), 0xFF);  // A factory that fails leaves no access at all.
}

// The /dev/port backend, exercised on an ordinary file laid out the same way.
TEST(FilePort, WritesAndReadsTheByteAtThePortOffset) {
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("halvern-port-" + std::to_string(::getpid()));
  std::ofstream(path, std::ios::binary) << std::string(0x400, '\0');

  {
    auto port = FilePort::Open(path.string());
    ASSERT_NE(port, nullptr);
    port->Out(0x30C, 0xAB);
    EXPECT_EQ(port->In(0x30C), 0xAB);
    EXPECT_EQ(port->In(0x30D), 0x00);
    EXPECT_EQ(port->In(0x8000), 0xFF);  // Past the end: nothing answers.
  }
  std::ifstream in(path, std::ios::binary);
  in.seekg(0x30C);
  EXPECT_EQ(in.get(), 0xAB);
  std::filesystem::remove(path);

  EXPECT_EQ(FilePort::Open((path / "missing").string()), nullptr);
}

}  // namespace
}  // namespace halvern
