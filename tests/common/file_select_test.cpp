#include "common/file_select.h"

#include <gtest/gtest.h>

#include "tests/support/fakes.h"

namespace varlo {

TEST(FileSelect, DefaultsAndCancel) {
  testing::FakeDialogs dialogs;
  dialogs.fileAnswers = {std::string("/m/a.mp3"), std::nullopt};
  EXPECT_EQ(SelectFile(dialogs, 3, "", "", "/home/u/.local/share/varlo"), "/m/a.mp3");
  ASSERT_EQ(dialogs.fileRequests.size(), 1u);
  EXPECT_EQ(dialogs.fileRequests[0].title, "Open File");
  EXPECT_EQ(dialogs.fileRequests[0].initialDir, "/home/u/.local/share/varlo/");
  EXPECT_EQ(dialogs.fileRequests[0].filter, "Text Files|*.txt");
  EXPECT_EQ(dialogs.fileRequests[0].filterIndex, 0);
  EXPECT_TRUE(dialogs.fileRequests[0].initialName.empty());
  EXPECT_EQ(SelectFile(dialogs, 4, "Select Skin", "/s/", "/p"), "");
  EXPECT_EQ(dialogs.fileRequests[1].initialDir, "/s/");
  EXPECT_EQ(dialogs.fileRequests[1].filter, "Skin Files|*.skin");
  EXPECT_EQ(FileFilter(99), "All Files|*.*");
  EXPECT_EQ(FileFilter(6), "MP3 Playlists (*.M3U)|*.M3U;*.M3U8|Playlists (*.PLS)|*.PLS");
  EXPECT_EQ(FileFilter(1).substr(0, 28), "MPEG Audio Files|*.MP?|Activ");
}

}  // namespace varlo
