// The saver's windows on Qt's offscreen platform with two screens (two_screens.json): one
// window on every screen, what a window paints, the missing skin and missing bitmaps.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QScreen>
#include <set>

#include "screensaver/qt/saver_session.h"
#include "tests/support/temp_dir.h"

namespace varlo {
namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "saver_view_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);  // never destroyed, as in ui_tests
  return *app;
}

struct FakePrompts final : SaverPrompts {
  std::string answer;
  std::vector<std::string> asked, messages;
  std::string SelectSkin(const std::string& folder) override {
    asked.push_back(folder);
    return answer;
  }
  void Message(const std::string& text) override { messages.push_back(text); }
};

void Save(const QImage& image, const std::string& path) {
  ASSERT_TRUE(image.save(QString::fromStdString(path), "BMP"));
}

QImage Filled(int w, int h, QColor colour) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

const QColor kBlue(0, 0, 255), kRed(255, 0, 0), kGreen(0, 255, 0), kCyan(0, 255, 255),
    kYellow(255, 255, 0), kBack(20, 20, 20);

// A saver skin with a blue 100 x 50 main bitmap, red seconds at 10,10, animation 2 (green and
// cyan frames) at 100,10, the date in white on the bitmap and the picture at 10,100.
class SaverViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    App();
    Save(Filled(100, 50, kBlue), skins.File("main.bmp"));
    QImage res = Filled(200, 60, kRed);
    for (int y = 30; y < 38; ++y)
      for (int x = 0; x < 16; ++x) res.setPixelColor(x, y, x < 8 ? kGreen : kCyan);
    Save(res, skins.File("res.bmp"));
    skins.Write("night.skin",
                "Varlo Skin/Screensaver, test\n640,480,0,0,0,0\nmain.bmp,res.bmp\n"
                "0,0,20,20,20,0,0,0\nD11,10,10,0,0,10,20,4,0,0,-2,~\n"
                "A2,100,10,0,30,8,8,2,1,1,~\nL6,0,0,100,50,255,255,255,14,DejaVu Sans:B,~\n"
                "C1,10,100,32,32,~\nE\n");
    Save(Filled(16, 16, kYellow), skins.File("pic.bmp"));
    Settings("SSSkin=" + skins.File("night.skin") + "\nSSPic=" + skins.File("pic.bmp") + "\n");
  }
  void Settings(const std::string& keys) { config.Write("varlo.ini", "[config]\n" + keys); }
  std::unique_ptr<SaverSession> Session(bool embedded) {
    store = std::make_unique<SettingsStore>(config.File("varlo.ini"));
    return std::make_unique<SaverSession>(*store, prog.Path(), skins.File("night.skin"), embedded,
                                          prompts);
  }

  testing::TempDir skins, prog, config;
  FakePrompts prompts;
  std::unique_ptr<SettingsStore> store;
};

TEST_F(SaverViewTest, EveryScreenGetsAWindowAndOnlyLabelsMoveWithTheBitmap) {
  auto session = Session(false);
  ASSERT_TRUE(session->LoadSkin());
  session->ShowFullScreen();
  const QList<QScreen*> screens = QGuiApplication::screens();
  ASSERT_EQ(screens.size(), 2);
  ASSERT_EQ(session->Views().size(), 2u);
  for (std::size_t i = 0; i < 2; ++i) {
    const SaverView& view = *session->Views()[i];
    EXPECT_TRUE(view.isVisible());
    EXPECT_EQ(view.geometry(), screens[static_cast<int>(i)]->geometry());
    EXPECT_EQ(view.screen(), screens[static_cast<int>(i)]);
  }

  SaverView& left = *session->Views()[0];
  const QImage shot = left.grab().toImage();
  ASSERT_EQ(shot.size(), QSize(640, 480));
  EXPECT_EQ(shot.pixelColor(5, 300), kBack);
  EXPECT_EQ(shot.pixelColor(275, 258), kBlue);  // the bitmap at 270,215
  EXPECT_EQ(shot.pixelColor(12, 12), kRed);     // the seconds where the skin puts them
  EXPECT_EQ(shot.pixelColor(282, 227), kBlue);  // and not moved with the bitmap
  EXPECT_EQ(shot.pixelColor(20, 110), kYellow);
  int white = 0;
  for (int y = 215; y < 265; ++y)
    for (int x = 270; x < 370; ++x) white += shot.pixelColor(x, y).lightness() > 200 ? 1 : 0;
  EXPECT_GT(white, 20) << "the date on the bitmap";
  // The second screen centres the bitmap on itself.
  EXPECT_EQ(session->Views()[1]->grab().toImage().pixelColor(355, 280), kBlue);

  // Animation 2 is drawn and runs.
  std::set<QRgb> frames;
  QElapsedTimer t;
  t.start();
  while (frames.size() < 2 && t.elapsed() < 3000) {
    QApplication::processEvents(QEventLoop::AllEvents, 50);
    frames.insert(left.grab().toImage().pixel(102, 12));
  }
  EXPECT_EQ(frames, (std::set<QRgb>{kGreen.rgb(), kCyan.rgb()}));
}

TEST_F(SaverViewTest, AMissingSkinIsAskedForFullScreenAndBundledEmbedded) {
  Settings("SSSkin=" + prog.File("gone.skin") + "\nSkinPath=" + skins.Path() + "\n");
  auto session = Session(false);
  EXPECT_FALSE(session->LoadSkin()) << "cancelled: the saver ends";
  EXPECT_EQ(prompts.asked, std::vector<std::string>{skins.Path()});
  prompts.answer = skins.File("night.skin");
  EXPECT_TRUE(session->LoadSkin());
  EXPECT_TRUE(session->SkinValid());
  EXPECT_TRUE(prompts.messages.empty());

  prompts.asked.clear();
  auto embedded = Session(true);
  EXPECT_TRUE(embedded->LoadSkin());
  EXPECT_TRUE(embedded->SkinValid()) << "the bundled skin";
  EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(SaverViewTest, MissingBitmapsAreSaidInMessagesOrOnStandardError) {
  skins.Write("bare.skin",
              "Varlo Skin/Screensaver, test\n640,480,0,0,0,0\nnone.bmp,nothing.bmp\n"
              "0,0,20,20,20,0,0,0\nE\n");
  Settings("SSSkin=" + skins.File("bare.skin") + "\n");
  const std::vector<std::string> said = {"Main bitmap not found: " + skins.File("none.bmp"),
                                         "Resource bitmap not found: " + skins.File("nothing.bmp")};
  auto session = Session(false);
  EXPECT_TRUE(session->LoadSkin());
  EXPECT_EQ(prompts.messages, said);

  prompts.messages.clear();
  auto embedded = Session(true);
  ::testing::internal::CaptureStderr();
  EXPECT_TRUE(embedded->LoadSkin());
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_TRUE(prompts.messages.empty());
  EXPECT_EQ(err, "VarloSS: " + said[0] + "\nVarloSS: " + said[1] + "\n");
}

}  // namespace
}  // namespace varlo
