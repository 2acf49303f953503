#include "platform/qt/qt_embedded_media_reader.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <fstream>

#include "tests/support/temp_dir.h"
#include "tests/taglib/taglib_files.h"

namespace varlo {
namespace {

using testing::TempDir;

QCoreApplication& App() {
  static int argc = 1;
  static char name[] = "taglib_tests";
  static char* argv[] = {name, nullptr};
  static QCoreApplication* app = new QCoreApplication(argc, argv);
  return *app;
}

// Lets the GUI thread's events run until `answers` answers came, for at most 20 s.
void WaitFor(const std::vector<EmbeddedMedia>& answers, std::size_t count) {
  QElapsedTimer clock;
  clock.start();
  while (answers.size() < count && clock.elapsed() < 20000)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

TEST(QtEmbeddedMediaReader, ReadsAndScalesCoversOffTheGuiThreadThroughThePlugin) {
  App();
  TempDir dir;
  const std::string cover = dir.File("cover.png");
  if (!testing::MakePng(cover, 2400, 1200)) GTEST_SKIP() << "no ffmpeg";
  const std::string song = dir.File("song.mp3");
  ASSERT_TRUE(testing::MakeAudio(song, cover));

  QtEmbeddedMediaReader reader(VARLO_TAGS_PLUGIN);
  std::vector<EmbeddedMedia> answers;
  reader.Read(song, [&](EmbeddedMedia m) { answers.push_back(std::move(m)); });
  EXPECT_TRUE(answers.empty());  // Read does not wait for the file
  WaitFor(answers, 1);
  ASSERT_EQ(answers.size(), 1u);
  ASSERT_TRUE(answers[0].cover);
  EXPECT_EQ(answers[0].cover->width, kMaxEmbeddedCoverSide);
  EXPECT_EQ(answers[0].cover->height, kMaxEmbeddedCoverSide / 2);

  // Requests are answered in order; one overtaken before its turn may come back empty, the
  // last one never does.
  for (int i = 0; i < 5; ++i)
    reader.Read(song, [&](EmbeddedMedia m) { answers.push_back(std::move(m)); });
  WaitFor(answers, 6);
  ASSERT_EQ(answers.size(), 6u);
  EXPECT_TRUE(answers.back().cover);
}

// Whether the tag plugin is mapped into this process.
bool PluginMapped() {
  std::ifstream maps("/proc/self/maps");
  for (std::string line; std::getline(maps, line);)
    if (line.find("libvarlo_tags.so") != std::string::npos) return true;
  return false;
}

// The plugin is not kept loaded between files: once nothing waits to be read it goes, and the
// next file loads it again.
TEST(QtEmbeddedMediaReader, ThePluginIsUnloadedWhenNothingWaits) {
  App();
  TempDir dir;
  const std::string cover = dir.File("cover.png");
  if (!testing::MakePng(cover, 64, 48)) GTEST_SKIP() << "no ffmpeg";
  const std::string song = dir.File("song.mp3");
  ASSERT_TRUE(testing::MakeAudio(song, cover));
  QtEmbeddedMediaReader reader(VARLO_TAGS_PLUGIN);
  std::vector<EmbeddedMedia> answers;
  for (std::size_t n = 1; n <= 3; ++n) {
    reader.Read(song, [&](EmbeddedMedia m) { answers.push_back(std::move(m)); });
    WaitFor(answers, n);
    ASSERT_EQ(answers.size(), n);
    EXPECT_TRUE(answers.back().cover) << "read " << n;
    EXPECT_FALSE(PluginMapped()) << "after read " << n;
  }
}

TEST(QtEmbeddedMediaReader, WithoutThePluginEveryFileHoldsNothing) {
  App();
  TempDir dir;
  QtEmbeddedMediaReader reader(dir.File("no-such-plugin.so"));
  std::vector<EmbeddedMedia> answers;
  reader.Read(dir.Write("song.mp3", "x"),
              [&](EmbeddedMedia m) { answers.push_back(std::move(m)); });
  WaitFor(answers, 1);
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_FALSE(answers[0].cover);
  EXPECT_TRUE(answers[0].lyrics.empty());

  EXPECT_FALSE(DecodeEmbeddedPicture("not a picture"));
  EXPECT_FALSE(DecodeEmbeddedPicture(""));
}

}  // namespace
}  // namespace varlo
