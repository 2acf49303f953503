// The bundled skins as the program reads them: each generated file is loaded with the
// real skin loader, and what the loader placed is checked.
#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <cstring>
#include <string>
#include <vector>

#include "screensaver/saver_skin.h"
#include "skin/skin_loader.h"
#include "tests/support/fakes.h"
#include "tests/support/temp_dir.h"
#include "tools/skingen/art.h"
#include "tools/skingen/check.h"
#include "tools/skingen/layout.h"
#include "tools/skingen/skin_text.h"

namespace skingen {
namespace {

// Fonts need an application; the other tests of the generator may have made it already.
void NeedApp() {
  static int argc = 1;
  static char name[] = "bundled_skins_tests";
  static char* argv[] = {name, nullptr};
  if (QGuiApplication::instance() != nullptr) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  new QGuiApplication(argc, argv);
}

varlo::Picture ToPicture(const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  varlo::Picture p(rgb.width(), rgb.height());
  for (int y = 0; y < rgb.height(); ++y)
    std::memcpy(p.Row(y), rgb.constScanLine(y), static_cast<std::size_t>(rgb.width()) * 4);
  return p;
}

struct Host : varlo::ISkinHost {
  int TwipX() const override { return 15; }
  int TwipY() const override { return 15; }
  void ResetWindowSizeState() override {}
  void FormPaint() override {}
  void ShowLights() override {}
};

// A program folder holding both bundled skins, as a new user's folder does, with the real
// loader reading from it.
class BundledSkinsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    NeedApp();
    for (const Skin& s : {DefaultSkin(), FmSkin(), CalculatorSkin(), NotepadSkin(), ClockSkin(),
                          WebRadioSkin(), BrowserSkin()}) {
      const Bitmaps bm = PaintSkin(s);
      folder.Write(s.file, SkinText(s));
      pictures.pictures[folder.Write(s.mainBitmap, "bitmap")] = ToPicture(bm.main);
      pictures.pictures[folder.Write(s.resBitmap, "bitmap")] = ToPicture(bm.resource);
    }
  }

  // Loads `file` and expects no message at all: no missing bitmap, no refused element.
  void Load(const std::string& file) {
    loader.LoadSkin(file, true);
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.messages.front().text;
    EXPECT_TRUE(loader.State().refused.empty());
    ASSERT_EQ(settings.skin, folder.File(file));
  }

  // The slot of the first loaded button with this command code, or 0.
  int SlotOf(int code) const {
    for (int i = 1; i <= form.tables.buttonCount; ++i)
      if (form.btn[static_cast<std::size_t>(i)].code == code) return i;
    return 0;
  }
  std::string Tip(int code) const {
    const int i = SlotOf(code);
    return i ? form.btn[static_cast<std::size_t>(i)].tooltip : "(no button)";
  }
  // The link slot of the first link button, or 0.
  int LinkSlot() const {
    for (int i = 1; i <= form.tables.buttonCount; ++i) {
      const int code = form.btn[static_cast<std::size_t>(i)].code;
      if (code >= 1001 && code <= 1010) return code - 1000;
    }
    return 0;
  }

  bool InShape(int x, int y) const {
    for (const varlo::RegionRect& r : form.window.region.rects)
      if (x >= r.left && y >= r.top && x < r.left + r.width && y < r.top + r.height) return true;
    return false;
  }

  // Every placed button lies inside the window's shape, none overlaps another, and each
  // has a pressed image in the resource bitmap that differs from the button at rest.
  void ExpectButtonsApartAndInside(const std::string& file) {
    SCOPED_TRACE(file);
    const varlo::Picture& main = form.window.picture;
    const varlo::Picture& res = form.window.resBitmap;
    ASSERT_EQ(form.window.region.kind, varlo::WindowRegion::Kind::Rects);
    std::vector<const varlo::ButtonWidget*> placed;
    for (int i = 1; i <= form.tables.buttonCount; ++i) {
      const varlo::ButtonWidget& b = form.btn[static_cast<std::size_t>(i)];
      if (b.width < 1 || b.height < 1) continue;  // a hot key only
      SCOPED_TRACE("B" + std::to_string(b.code));
      placed.push_back(&b);
      ASSERT_LE(b.left + b.width, main.width);
      ASSERT_LE(b.top + b.height, main.height);
      for (int y = b.top; y < b.top + b.height; ++y)
        for (int x = b.left; x < b.left + b.width; ++x)
          ASSERT_TRUE(InShape(x, y)) << x << "," << y << " is outside the window";

      const varlo::ButtonSlot& slot = form.tables.buttons[static_cast<std::size_t>(i)];
      ASSERT_LE(slot.pressX + b.width, res.width);
      ASSERT_LE(slot.pressY + b.height, res.height);
      int differ = 0;
      for (int y = 0; y < b.height; ++y)
        for (int x = 0; x < b.width; ++x)
          differ += res.At(slot.pressX + x, slot.pressY + y) != main.At(b.left + x, b.top + y);
      EXPECT_GT(differ, b.width * b.height / 10) << "the pressed image looks like the button";
    }
    for (std::size_t i = 0; i < placed.size(); ++i)
      for (std::size_t j = i + 1; j < placed.size(); ++j) {
        const varlo::ButtonWidget& a = *placed[i];
        const varlo::ButtonWidget& b = *placed[j];
        EXPECT_FALSE(a.left < b.left + b.width && b.left < a.left + a.width &&
                     a.top < b.top + b.height && b.top < a.top + a.height)
            << "B" << a.code << " overlaps B" << b.code;
      }
  }

  varlo::testing::TempDir folder;
  varlo::testing::FakeScreen screen;
  varlo::testing::FakeDialogs dialogs;
  varlo::testing::FakePictureLoader pictures;
  varlo::testing::FakeEvents events;
  Host host;
  varlo::SkinForm form;
  varlo::AppSettings settings;
  varlo::SkinLoader loader{form, settings, folder.Path(),
                           varlo::SkinLoaderServices{screen, dialogs, pictures, events}, host};
};

TEST_F(BundledSkinsTest, TheRadioIsAHalvernSkinNoLargerThanThePlayer) {
  const Skin fm = FmSkin();
  const Skin player = DefaultSkin();
  EXPECT_EQ(SkinText(fm).rfind("Varlo Skin/Halvern,", 0), 0u);
  EXPECT_EQ(SkinText(player).rfind("Varlo Skin/Player Karaoke,", 0), 0u);
  EXPECT_LE(fm.width, player.width);
  EXPECT_LE(fm.height, player.height);
  EXPECT_TRUE(Problems(fm, PaintSkin(fm)).empty());
}

TEST_F(BundledSkinsTest, TheRadioPlacesEveryFmControl) {
  Load("fm.skin");
  EXPECT_EQ(form.window.width, FmSkin().width * 15);

  std::vector<int> codes = {80, 81,  82, 83, 84, 85, 86, 87, 88, 89,
                            90, 106, 7,  8,  9,  39, 1,  2,  5,  6};
  for (int code = 91; code <= 100; ++code) codes.push_back(code);
  for (int code : codes) {
    const int i = SlotOf(code);
    ASSERT_GT(i, 0) << "no button " << code;
    const varlo::ButtonWidget& b = form.btn[static_cast<std::size_t>(i)];
    EXPECT_TRUE(b.visible) << code;
    EXPECT_GE(b.width, 12) << code;
    EXPECT_GE(b.height, 12) << code;
  }

  const varlo::SliderRecord& tune = form.tables.sliders[6];
  EXPECT_TRUE(form.slider[6].visible);
  EXPECT_EQ(tune.h, 0) << "the tuning slider runs across";
  EXPECT_GE(tune.w, 200);
  EXPECT_GT(tune.kw, 0);

  EXPECT_TRUE(form.fmPreset.visible);
  EXPECT_TRUE(form.txtEntry[1].visible);
  EXPECT_TRUE(form.cover.visible) << "the station's picture has a place";
  EXPECT_GE(form.ind[1].left, 0) << "the stereo light is on the window";
  EXPECT_GT(form.ind[1].width, 0);
  for (std::size_t d : {9u, 10u}) {
    EXPECT_TRUE(form.dig[d].visible) << "D" << d;
    EXPECT_EQ(form.tables.digits[d].d1, 0) << "D" << d << " shows numbers";
  }
  EXPECT_EQ(form.tables.digits[9].style, 3) << "the frequency reads as 101.1";
  for (std::size_t l : {41u, 42u, 43u, 8u, 23u}) EXPECT_TRUE(form.lbl[l].visible) << "L" << l;
}

// A new user reaches the radio with one click and comes back with one: each skin's link
// names the other by its bare file name, which the loader finds beside the skin.
TEST_F(BundledSkinsTest, ThePlayerAndTheRadioLinkToEachOther) {
  Load("default.skin");
  int slot = LinkSlot();
  ASSERT_GT(slot, 0);
  std::string target = form.tables.links[static_cast<std::size_t>(slot)];
  EXPECT_EQ(target, "fm.skin");
  EXPECT_EQ(Tip(1000 + slot), "FM radio");
  Load(target);
  EXPECT_TRUE(form.fmPreset.visible);

  slot = LinkSlot();
  ASSERT_GT(slot, 0);
  target = form.tables.links[static_cast<std::size_t>(slot)];
  EXPECT_EQ(target, "default.skin");
  EXPECT_EQ(Tip(1000 + slot), "Player");
  Load(target);
  EXPECT_TRUE(form.plNames.visible);
  EXPECT_FALSE(form.fmPreset.visible);

  // With the skin folder set to a folder of the user's own, the link still finds the
  // radio in the program folder.
  const varlo::testing::TempDir mine;
  settings.skinPath = mine.Path();
  target = form.tables.links[static_cast<std::size_t>(LinkSlot())];
  Load(target);
  EXPECT_TRUE(form.fmPreset.visible);
}

TEST_F(BundledSkinsTest, ButtonsLieInsideTheWindowApartWithPressedImages) {
  for (const char* file : {"fm.skin", "default.skin", "clock.skin"}) {
    Load(file);
    ExpectButtonsApartAndInside(file);
  }
}

// The desk tools: every key of the calculator and every notepad command has a button on the
// window, and the player, the calculator and the notepad link to one another.
TEST_F(BundledSkinsTest, TheDeskSkinsPlaceEveryControlAndLinkToEachOther) {
  const auto placed = [this](int code) {
    const int i = SlotOf(code);
    return i > 0 && form.btn[static_cast<std::size_t>(i)].visible &&
           form.btn[static_cast<std::size_t>(i)].width >= 12;
  };
  const auto links = [this] {
    std::vector<std::string> out;
    for (int i = 1; i <= form.tables.buttonCount; ++i) {
      const int code = form.btn[static_cast<std::size_t>(i)].code;
      if (code >= 1001 && code <= 1010)
        out.push_back(form.tables.links[static_cast<std::size_t>(code - 1000)]);
    }
    return out;
  };
  Load("calculator.skin");
  for (int code = 40; code <= 69; ++code) EXPECT_TRUE(placed(code)) << code;
  EXPECT_TRUE(form.cvtList.visible);
  EXPECT_TRUE(form.lbl[23].visible);
  EXPECT_TRUE(form.lbl[27].visible);
  EXPECT_FALSE(form.notepad.visible);
  EXPECT_EQ(links(), (std::vector<std::string>{"default.skin", "notepad.skin"}));
  EXPECT_EQ(form.tables.buttons[static_cast<std::size_t>(SlotOf(41))].key, "1");

  Load("notepad.skin");
  for (int code = 76; code <= 79; ++code) EXPECT_TRUE(placed(code)) << code;
  EXPECT_TRUE(form.notepad.visible);
  EXPECT_FALSE(form.cvtList.visible);
  EXPECT_EQ(links(), (std::vector<std::string>{"default.skin", "calculator.skin"}));

  Load("default.skin");
  EXPECT_EQ(links(), (std::vector<std::string>{"fm.skin", "calculator.skin", "notepad.skin",
                                               "clock.skin", "webradio.skin", "browser.skin"}));
  for (const char* file : {"calculator.skin", "notepad.skin"}) {
    Load(file);
    ExpectButtonsApartAndInside(file);
  }
}

// Internet radio and the browser: every command of each has a button, the labels, displays,
// lights, lists, entries and the page area have their places, and the player, the radio and
// the browser link to one another.
TEST_F(BundledSkinsTest, TheWebSkinsPlaceEveryControlAndLinkToEachOther) {
  const auto placed = [this](int code) {
    const int i = SlotOf(code);
    return i > 0 && form.btn[static_cast<std::size_t>(i)].visible &&
           form.btn[static_cast<std::size_t>(i)].width >= 12;
  };
  const auto links = [this] {
    std::vector<std::string> out;
    for (int i = 1; i <= form.tables.buttonCount; ++i) {
      const int code = form.btn[static_cast<std::size_t>(i)].code;
      if (code >= 1001 && code <= 1010)
        out.push_back(form.tables.links[static_cast<std::size_t>(code - 1000)]);
    }
    return out;
  };
  Load("webradio.skin");
  EXPECT_EQ(SkinText(WebRadioSkin()).rfind("Varlo Skin/WebRadio,", 0), 0u);
  for (int code = 130; code <= 148; ++code) EXPECT_TRUE(placed(code)) << code;
  EXPECT_TRUE(form.wrList.visible);
  EXPECT_TRUE(form.txtEntry[3].visible);
  EXPECT_FALSE(form.webBrowser.visible);
  for (std::size_t l : {60u, 61u, 62u, 63u, 64u, 65u, 67u}) EXPECT_TRUE(form.lbl[l].visible) << l;
  for (std::size_t d : {12u, 13u}) EXPECT_TRUE(form.dig[d].visible) << "D" << d;
  EXPECT_GT(form.ind[1].width, 0) << "the stream light";
  EXPECT_EQ(links(), (std::vector<std::string>{"default.skin", "browser.skin"}));
  ExpectButtonsApartAndInside("webradio.skin");

  Load("browser.skin");
  EXPECT_EQ(SkinText(BrowserSkin()).rfind("Varlo Skin/Browser,", 0), 0u);
  for (int code = 101; code <= 106; ++code) EXPECT_TRUE(placed(code)) << code;
  for (int code = 110; code <= 119; ++code) EXPECT_TRUE(placed(code)) << code;
  EXPECT_TRUE(form.webBrowser.visible);
  EXPECT_GT(form.webBrowser.width, 400);
  EXPECT_TRUE(form.txtEntry[2].visible);
  EXPECT_TRUE(form.combo[1].visible);
  EXPECT_FALSE(form.wrList.visible);
  for (std::size_t l : {45u, 46u, 50u, 51u, 52u, 53u, 54u, 55u, 56u, 57u, 58u, 59u})
    EXPECT_TRUE(form.lbl[l].visible) << l;
  EXPECT_GT(form.ind[1].width, 0) << "the activity light";
  EXPECT_EQ(links(), (std::vector<std::string>{"default.skin", "webradio.skin"}));
  ExpectButtonsApartAndInside("browser.skin");

  Load("default.skin");
  ExpectButtonsApartAndInside("default.skin");
  for (const Skin& web : {WebRadioSkin(), BrowserSkin()})
    EXPECT_TRUE(Problems(web, PaintSkin(web)).empty()) << web.file;
}

// A frequency or a preset number is typed on the keyboard and confirmed with Enter.
TEST_F(BundledSkinsTest, TheRadioTakesTypedNumbersFromTheKeyboard) {
  Load("fm.skin");
  auto key = [&](int code) {
    const int i = SlotOf(code);
    return i ? form.tables.buttons[static_cast<std::size_t>(i)].key : std::string("(none)");
  };
  for (int digit = 0; digit <= 9; ++digit)
    EXPECT_EQ(key(40 + digit), std::string(1, static_cast<char>('0' + digit)));
  EXPECT_EQ(key(50), ".");
  EXPECT_EQ(key(39), "\r");
  EXPECT_EQ(form.btn[static_cast<std::size_t>(SlotOf(40))].width, 0) << "a hot key only";
}

// The labels hold the longest texts the radio writes into them, on one line.
TEST_F(BundledSkinsTest, TheRadioLabelsHoldTheirLongestTexts) {
  NeedApp();
  const Skin s = FmSkin();
  const std::vector<std::pair<int, std::vector<const char*>>> texts = {
      {42, {"No tuner library", "Scanning..."}},
      {41, {"108.0", "88.8"}},
      {43, {"000", "088"}},
      {8, {"Mute"}},
      {23, {"108.0"}}};
  for (const auto& [n, samples] : texts) {
    const Label& l = s.label(n);
    QFont f(QString::fromStdString(l.font.substr(0, l.font.find(':'))));
    f.setPointSize(l.size);
    f.setBold(l.font.find(":B") != std::string::npos);
    const QFontMetrics m(f);
    EXPECT_LE(m.height(), l.r.h) << "label " << n;
    for (const char* text : samples)
      EXPECT_LE(m.horizontalAdvance(QString::fromLatin1(text)), l.r.w)
          << "label " << n << ": " << text;
  }
}

// Where the player puts the pointer for a frequency, the dial has that frequency's mark.
TEST_F(BundledSkinsTest, TheDialsMarksStandUnderThePointer) {
  Load("fm.skin");
  const varlo::SliderRecord& k = form.tables.sliders[6];
  const varlo::Picture& main = form.window.picture;
  const Rect dial = FmSkin().radio.dial;
  // The marks end above the pointer's rail; between two marks lies the bare ground.
  const int markRow = dial.y + 10;
  for (int tenths = 870; tenths <= 1080; tenths += 10) {
    SCOPED_TRACE(tenths);
    const double value = (tenths - 870) / 210.0;
    const int column = k.x + static_cast<int>(k.w * value) + k.kw / 2;
    const int between = column + 8;  // half a megahertz on
    EXPECT_NE(main.At(column, markRow), main.At(between, markRow));
    EXPECT_EQ(main.At(between, markRow), main.At(k.x - 2, markRow));
  }
  // The pointer's bright line is the middle column of its picture.
  const varlo::Picture& res = form.window.resBitmap;
  const int mid = k.kw / 2;
  const int y = k.sy + k.kh / 2;
  EXPECT_GT(varlo::GreenOf(res.At(k.sx + mid, y)), 200);
  EXPECT_LT(varlo::GreenOf(res.At(k.sx, y)), varlo::GreenOf(res.At(k.sx + mid, y)) - 80);
}

// The clock is one click from the player and one back; it shows the time on a clock display,
// the date, the sleep minutes and the ten timers with their keys.
TEST_F(BundledSkinsTest, TheClockLinksToThePlayerAndPlacesItsControls) {
  Load("default.skin");
  int clockSlot = 0;
  for (int i = 1; i <= form.tables.buttonCount; ++i) {
    const int code = form.btn[static_cast<std::size_t>(i)].code;
    if (code > 1000 && code <= 1010 &&
        form.tables.links[static_cast<std::size_t>(code - 1000)] == "clock.skin")
      clockSlot = code - 1000;
  }
  ASSERT_GT(clockSlot, 0);
  Load("clock.skin");
  EXPECT_EQ(SkinText(ClockSkin()).rfind("Varlo Skin/Clock,", 0), 0u);
  for (int code = 70; code <= 75; ++code) EXPECT_GT(SlotOf(code), 0) << code;
  EXPECT_TRUE(form.dig[3].visible);
  const int style = form.tables.digits[3].style;
  EXPECT_TRUE(style == 1 || style == 2) << "display 3 shows the time";
  for (std::size_t l : {6u, 9u, 28u, 29u, 30u}) EXPECT_TRUE(form.lbl[l].visible) << "L" << l;
  for (std::size_t l = 31; l <= 40; ++l) EXPECT_TRUE(form.lbl[l].visible) << "L" << l;
  const int slot = LinkSlot();
  ASSERT_GT(slot, 0);
  EXPECT_EQ(form.tables.links[static_cast<std::size_t>(slot)], "default.skin");
  EXPECT_TRUE(Problems(ClockSkin(), PaintSkin(ClockSkin())).empty());
}

// The screen saver's skin reads with the saver's own reader: the time and seconds displays,
// both animations, the date labels and the picture, nothing refused, and it is drawn without
// problems: its labels on the plaque, the rest in the screen's corner clear of the plaque
// centred on the smallest screen.
TEST(SaverSkinArt, TheSaverReadsItsBundledSkin) {
  NeedApp();
  const Skin s = SaverSkin();
  EXPECT_EQ(SkinText(s).rfind("Varlo Skin/Screensaver,", 0), 0u);
  const auto read = varlo::ParseSaverSkin(SkinText(s), "/skins/");
  ASSERT_TRUE(read);
  EXPECT_TRUE(read->refused.empty());
  EXPECT_TRUE(read->digits[3].shown);
  EXPECT_TRUE(read->digits[11].shown);
  EXPECT_TRUE(read->labels[6].shown);
  EXPECT_TRUE(read->labels[7].shown);
  EXPECT_TRUE(read->cover.shown);
  EXPECT_TRUE(read->anims[1].shown);
  EXPECT_TRUE(read->anims[2].shown);
  EXPECT_EQ(read->mainBitmap, "/skins/VarloSS_main.bmp");
  const Bitmaps bm = PaintSkin(s);
  EXPECT_TRUE(Problems(s, bm).empty());
  // The glyph strips lie inside the resource bitmap.
  for (int n : {3, 11}) {
    const varlo::SaverDigit& d = read->digits[static_cast<std::size_t>(n)];
    EXPECT_LE(d.rec.sx + 14 * d.rec.w, bm.resource.width()) << n;
    EXPECT_LE(d.rec.sy + d.rec.h, bm.resource.height()) << n;
  }
  // A digit display that lands on the plaque breaks the rule the saver draws by.
  Skin moved = s;
  moved.digit(11).x = (kSaverScreenWidth - s.width) / 2 + 10;
  moved.digit(11).y = (kSaverScreenHeight - s.height) / 2 + 10;
  EXPECT_FALSE(Problems(moved, PaintSkin(moved)).empty());
}

}  // namespace
}  // namespace skingen
