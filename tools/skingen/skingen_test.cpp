#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <string>

#include "player/lyric_file.h"
#include "tools/skingen/art.h"
#include "tools/skingen/layout.h"

namespace skingen {
namespace {

// Fonts need an application; pictures need no display. The other tests of the generator
// may have made it already.
void NeedApp() {
  static int argc = 1;
  static char name[] = "skingen_tests";
  static char* argv[] = {name, nullptr};
  if (QGuiApplication::instance() != nullptr) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  new QGuiApplication(argc, argv);
}

bool Inside(const Rect& inner, const Rect& outer) {
  return inner.x >= outer.x && inner.y >= outer.y && inner.right() <= outer.right() &&
         inner.bottom() <= outer.bottom();
}

bool Same(const Rgb& a, const Rgb& b) {
  return a.r == b.r && a.g == b.g && a.b == b.b;
}

QFont FontOf(const Label& l) {
  QFont f(QString::fromStdString(l.font.substr(0, l.font.find(':'))));
  f.setPointSize(l.size);
  f.setBold(l.font.find(":B") != std::string::npos);
  return f;
}

// Each window size crops the picture at the bottom of a panel: the window keeps its
// rounded corners and shows nothing of the panel below.
TEST(DefaultSkinTest, EachWindowSizeEndsAtAPanelWithItsCornersCut) {
  NeedApp();
  const Skin s = DefaultSkin();
  const Bitmaps bm = PaintSkin(s);
  const QRgb key = qRgb(s.transparent.r, s.transparent.g, s.transparent.b);
  const Rect ends[3] = {s.panels.lyrics, s.panels.deck, s.panels.header};
  for (int i = 0; i < 3; ++i) {
    const Rect& size = s.sizes[i];
    SCOPED_TRACE("size " + std::to_string(i));
    EXPECT_EQ(size.w, s.width);
    EXPECT_EQ(size.h, ends[i].bottom());
    const int last = size.h - 1;
    EXPECT_EQ(bm.main.pixel(0, last), key);
    EXPECT_EQ(bm.main.pixel(size.w - 1, last), key);
    EXPECT_NE(bm.main.pixel(size.w / 2, last), key);
    if (size.h < s.height) {
      EXPECT_EQ(bm.main.pixel(size.w / 2, size.h), key);
    }
  }
  EXPECT_EQ(s.height, s.panels.lyrics.bottom());
}

TEST(DefaultSkinTest, TheLyricsPanelHoldsTheListAndTheThreeLinesInOrder) {
  const Skin s = DefaultSkin();
  const ListArea& list = s.area(4);
  EXPECT_TRUE(Inside(list.r, s.lyricFrame));
  EXPECT_TRUE(Inside(s.lyricFrame, s.panels.lyrics));
  EXPECT_TRUE(Inside(s.lyricLcd, s.panels.lyrics));
  // The lyric list looks like the playlist.
  EXPECT_EQ(list.font, s.area(1).font);
  EXPECT_TRUE(Same(list.text, s.area(1).text));
  EXPECT_TRUE(Same(list.back, s.area(1).back));

  const Label& prev = s.label(72);
  const Label& cur = s.label(70);
  const Label& next = s.label(71);
  for (const Label* l : {&prev, &cur, &next}) EXPECT_TRUE(Inside(l->r, s.lyricLcd)) << l->n;
  EXPECT_LE(prev.r.bottom(), cur.r.y);
  EXPECT_LE(cur.r.bottom(), next.r.y);
  EXPECT_GT(cur.size, next.size);
  EXPECT_NE(cur.font.find(":B"), std::string::npos);
  EXPECT_EQ(prev.size, next.size);
}

// The player writes each lyric line on one line of its label and cuts what does not fit:
// the demo's lines must fit whole, and each label must be tall enough for its font.
TEST(DefaultSkinTest, TheDemoLyricsFitTheirLabels) {
  NeedApp();
  const Skin s = DefaultSkin();
  const varlo::LyricSheet sheet = varlo::LoadLyricFile(VARLO_DEMO_LYRICS);
  ASSERT_GT(sheet.count, 0);
  for (int n : {70, 71, 72}) {
    const Label& l = s.label(n);
    const QFontMetrics m(FontOf(l));
    EXPECT_LE(m.height(), l.r.h) << "label " << n;
    for (const std::string& line : sheet.lines)
      EXPECT_LE(m.horizontalAdvance(QString::fromStdString(line)), l.r.w)
          << "label " << n << ": " << line;
  }
  // The list shows them whole beside its scroll bar.
  const ListArea& list = s.area(4);
  QFont f(QString::fromStdString(list.font));
  f.setPointSize(list.size);
  const QFontMetrics m(f);
  const int scrollBarAndMargins = 22;
  for (const std::string& line : sheet.lines)
    EXPECT_LE(m.horizontalAdvance(QString::fromStdString(line)) + scrollBarAndMargins, list.r.w)
        << line;
}

}  // namespace
}  // namespace skingen
