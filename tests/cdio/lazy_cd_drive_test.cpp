// The CD drive when its plugin cannot be loaded: no disc, answers that come later, no stream.
#include "platform/cdio/lazy_cd_drive.h"

#include <gtest/gtest.h>

#include <optional>

#include "tests/cdio/gui_queue.h"

namespace varlo {
namespace {

TEST(LazyCdDriveTest, WithoutItsPluginThereIsNoDiscAndEveryAnswerComesLater) {
  testing::GuiQueue gui;
  int answers = 0;
  {
    LazyCdDrive drive(std::nullopt, gui.Poster(), 10, "/nonexistent/libvarlo_cdio.so");
    EXPECT_EQ(drive.State(), DriveState::NoDisc);
    drive.Eject();
    drive.ReadDisc([&](std::optional<DiscToc> toc) { answers += toc ? 100 : 1; });
    EXPECT_EQ(answers, 0) << "never inside the call";
    EXPECT_TRUE(gui.Until([&] { return answers == 1; }));
    EXPECT_EQ(drive.Protocol().open(drive.StreamAddress()), nullptr);
    // An answer still queued when the drive goes is never given.
    drive.ReadDisc([&](std::optional<DiscToc>) { answers += 1000; });
  }
  gui.RunPosted();
  EXPECT_EQ(answers, 1);
}

}  // namespace
}  // namespace varlo
