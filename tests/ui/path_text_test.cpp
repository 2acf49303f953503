#include "platform/qt/path_text.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <chrono>
#include <cstdio>

#include "platform/qt/qt_picture_loader.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/test_app.h"

namespace varlo {

TEST(PathText, EveryByteSurvivesTheWayThroughQt) {
  testing::TestApp();
  // Stray bytes (0xFF, Latin-1 0xE9, a lone continuation byte, an overlong "/", an encoded
  // surrogate) between well-formed UTF-8 (e acute, a musical note).
  const std::string name =
      "/m\xFF/caf\xE9 \x80 \xC0\xAF \xED\xA0\x80 \xC3\xA9 \xF0\x9F\x8E\xB5 \xF4\x90\x80\x80.mp3";
  const QString shown = PathToQt(name);
  EXPECT_EQ(PathFromQt(shown), name);
  for (const char* alone : {"/a\xED\xA0\x80", "/a\xC0\xAF", "/a\xF4\x90\x80\x80", "/a\xE0\x80\xAF"})
    EXPECT_EQ(PathFromQt(PathToQt(alone)), alone);
  EXPECT_TRUE(shown.contains(QString::fromUtf8("\xC3\xA9 \xF0\x9F\x8E\xB5")));
  EXPECT_EQ(PathToQt("/plain/\xC3\xA9t\xC3\xA9.mp3"),
            QString::fromUtf8("/plain/\xC3\xA9t\xC3\xA9.mp3"));
  // Text typed in Qt: unpaired surrogates that stand for no byte become U+FFFD.
  EXPECT_EQ(PathFromQt(QString(QChar(0xDC41)) + QChar(0xD800)), "\xEF\xBF\xBD\xEF\xBF\xBD");

  QLineEdit edit;  // a widget keeps the name as given
  edit.setText(PathToQt(name));
  EXPECT_EQ(PathFromQt(edit.text()), name);

  // Dropped URLs carry the bytes percent-encoded.
  QMimeData drop;
  drop.setData("text/uri-list",
               "file:///m%FF/caf%E9%20x.mp3\r\nfile://server/share/a.mp3\r\n"
               "https://example.org/b.mp3\r\n");
  const QList<QUrl> urls = drop.urls();
  ASSERT_EQ(urls.size(), 3);
  EXPECT_EQ(PathFromUrl(urls[0]), "/m\xFF/caf\xE9 x.mp3");
  EXPECT_EQ(PathFromUrl(urls[1]), "//server/share/a.mp3");
  EXPECT_EQ(PathFromUrl(urls[2]), "");
}

TEST(PathText, PicturesOpenByTheirBytesAndOnlyFromRegularFiles) {
  testing::TempDir dir;
  QImage image(2, 2, QImage::Format_RGB32);
  image.fill(QColor(1, 2, 3));
  ASSERT_TRUE(image.save(QString::fromStdString(dir.File("p.bmp")), "BMP"));
  const std::string odd = dir.File("\xFF\xFE.bmp");
  ASSERT_EQ(std::rename(dir.File("p.bmp").c_str(), odd.c_str()), 0);
  EXPECT_FALSE(ReadImageFile(odd).isNull());
  EXPECT_TRUE(QtPictureLoader().Load(odd));

  // A FIFO named like a picture would block a reader until someone writes to it.
  const std::string fifo = dir.File("fifo.bmp");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(ReadImageFile(fifo).isNull());
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
  EXPECT_TRUE(ReadImageFile(dir.File("missing.bmp")).isNull());
  EXPECT_TRUE(ReadImageFile("").isNull());
}

}  // namespace varlo
