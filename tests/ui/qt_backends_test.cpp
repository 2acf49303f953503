#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/atomic_file.h"
#include "common/bmp_file.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_picture_loader.h"
#include "tests/support/temp_dir.h"
#include "ui/region_mask.h"

namespace varlo {

TEST(QtBackends, FiltersBecomeQtFiltersThatIgnoreCase) {
  EXPECT_EQ(QtFilterText("All Files|*.*"), "All Files (*)");
  EXPECT_EQ(QtFilterText("Skin Files|*.skin"), "Skin Files (*.[sS][kK][iI][nN])");
  EXPECT_EQ(QtFilterText("A|*.MP?;*.WAV|B|*.M3U"),
            "A (*.[mM][pP]? *.[wW][aA][vV]);;B (*.[mM]3[uU])");
  EXPECT_EQ(QtFilterText(""), "");
}

TEST(QtBackends, PicturesConvertBothWaysAndBadFilesAreRefused) {
  testing::TempDir dir;
  QImage image(3, 2, QImage::Format_RGB32);
  image.fill(QColor(10, 20, 30));
  image.setPixelColor(2, 1, QColor(255, 0, 255));
  ASSERT_TRUE(image.save(QString::fromStdString(dir.File("p.bmp"))));
  QtPictureLoader loader;
  const auto picture = loader.Load(dir.File("p.bmp"));
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->At(0, 0), MakeColour(10, 20, 30));
  EXPECT_EQ(picture->At(2, 1), MakeColour(255, 0, 255));
  EXPECT_EQ(ImageOverPicture(*picture).pixelColor(2, 1), QColor(255, 0, 255));

  // The view draws the pixels in place: whole, in part and scaled, onto the window's format.
  const QImage over = ImageOverPicture(*picture);
  EXPECT_EQ(over.constBits(), reinterpret_cast<const uchar*>(picture->words.data()));
  QImage window(6, 6, QImage::Format_RGB32);
  window.fill(Qt::white);
  QPainter p(&window);
  p.drawImage(0, 0, over);
  p.drawImage(QPoint(4, 4), over, QRect(2, 1, 1, 1));
  p.drawImage(QRect(0, 4, 2, 2), over, QRect(0, 0, 1, 1));
  p.end();
  EXPECT_EQ(window.pixelColor(0, 0), QColor(10, 20, 30));
  EXPECT_EQ(window.pixelColor(2, 1), QColor(255, 0, 255));
  EXPECT_EQ(window.pixelColor(4, 4), QColor(255, 0, 255));
  EXPECT_EQ(window.pixelColor(1, 5), QColor(10, 20, 30));
  EXPECT_TRUE(ImageOverPicture(Picture{}).isNull());
  dir.Write("junk.bmp", "BM not really a bitmap");
  EXPECT_FALSE(loader.Load(dir.File("junk.bmp")));
  EXPECT_FALSE(loader.Load(dir.File("missing.bmp")));
}

// Bitmaps are read by their content, whatever their name says.
TEST(QtBackends, PicturesLoadByContentAndDrawInPlace) {
  testing::TempDir dir;
  QImage image(4, 3, QImage::Format_RGB32);
  image.fill(QColor(200, 100, 50));
  image.setPixelColor(1, 2, QColor(0, 128, 255));
  ASSERT_TRUE(image.save(QString::fromStdString(dir.File("skin.dat")), "BMP"));
  ASSERT_TRUE(image.save(QString::fromStdString(dir.File("cover.bmp")), "PNG"));
  QtPictureLoader loader;
  for (const char* name : {"skin.dat", "cover.bmp"}) {
    const auto picture = loader.Load(dir.File(name));
    ASSERT_TRUE(picture) << name;
    EXPECT_EQ(picture->At(1, 2), MakeColour(0, 128, 255)) << name;
  }
}

// Bitmaps the loader decodes itself come out exactly as Qt's own reader gives them: the bundled
// skins' bitmaps and pictures Qt writes at every depth, and those it leaves to Qt as well.
TEST(QtBackends, BitmapsDecodedByTheLoaderMatchQtsReader) {
  testing::TempDir dir;
  std::vector<std::string> files;
  for (const char* name : {"default_main.bmp", "default_res.bmp", "fm_main.bmp", "nocover.bmp"})
    files.push_back(std::string(VARLO_TEST_DATA_DIR) + "/" + name);
  QImage colours(37, 11, QImage::Format_RGB32);
  for (int y = 0; y < colours.height(); ++y)
    for (int x = 0; x < colours.width(); ++x)
      colours.setPixel(x, y, qRgb(x * 7, y * 23, (x * y) % 256));
  const std::pair<const char*, QImage::Format> formats[] = {
      {"rgb.bmp", QImage::Format_RGB32},
      {"indexed.bmp", QImage::Format_Indexed8},
      {"mono.bmp", QImage::Format_Mono},
      {"argb.bmp", QImage::Format_ARGB32}};
  for (const auto& [name, format] : formats) {
    const QImage image = colours.convertToFormat(format);
    ASSERT_TRUE(image.save(QString::fromStdString(dir.File(name)), "BMP")) << name;
    files.push_back(dir.File(name));
  }
  QtPictureLoader loader;
  for (const std::string& file : files) {
    const std::optional<std::string> bytes = ReadFileBounded(file, 1 << 24);
    ASSERT_TRUE(bytes && DecodeBmp(*bytes, kMaxPicturePixels)) << "not decoded here: " << file;
    const std::optional<Picture> ours = loader.Load(file);
    const QImage qt = ReadImageFile(file);
    ASSERT_TRUE(ours) << file;
    ASSERT_FALSE(qt.isNull()) << file;
    const Picture theirs = PictureFromImage(qt);
    EXPECT_EQ(ours->width, theirs.width) << file;
    EXPECT_EQ(ours->height, theirs.height) << file;
    EXPECT_TRUE(ours->words == theirs.words) << file;
  }
}

TEST(QtBackends, RegionMasksTakeTheShapesRectangles) {
  // A square with a smaller square inside: the inner one becomes a hole.
  const WindowRegion holed = MultiPolygonRegion(
      {{0, 0}, {20, 0}, {20, 20}, {0, 20}, {5, 5}, {15, 5}, {15, 15}, {5, 15}}, {4, 4});
  const QRegion mask = RegionMask(holed);
  EXPECT_TRUE(mask.contains(QPoint(2, 2)));
  EXPECT_FALSE(mask.contains(QPoint(10, 10)));
  EXPECT_EQ(static_cast<std::size_t>(mask.rectCount()), holed.rects.size());  // kept as banded
  EXPECT_TRUE(RegionMask(WindowRegion{}).isEmpty());

  WindowRegion rects;
  rects.kind = WindowRegion::Kind::Rects;
  rects.rects = {{0, 1, 10, 3}};
  EXPECT_FALSE(RegionMask(rects).contains(QPoint(5, 0)));
  EXPECT_TRUE(RegionMask(rects).contains(QPoint(5, 2)));
}

}  // namespace varlo
