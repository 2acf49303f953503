#include "tools/skingen/check.h"

#include <QColor>
#include <set>
#include <sstream>

#include "tools/skingen/glyphs.h"

namespace skingen {

namespace {

struct Named {
  std::string name;
  Rect r;
};

bool Overlap(const Rect& a, const Rect& b) {
  return a.x < b.right() && b.x < a.right() && a.y < b.bottom() && b.y < a.bottom();
}

std::string Describe(const Rect& r) {
  std::ostringstream s;
  s << r.x << ',' << r.y << ' ' << r.w << 'x' << r.h;
  return s.str();
}

class Checker {
 public:
  Checker(const Skin& skin, const Bitmaps& bm) : s_(skin), bm_(bm) {}

  std::vector<std::string> Run() {
    Ranges();
    Keys();
    if (s_.kind == SkinKind::Screensaver)
      SaverScreen();
    else
      Window();
    Resource();
    Sizes();
    return problems_;
  }

 private:
  void Fail(const std::string& what) { problems_.push_back(what); }

  void Range(const char* kind, int n, int lo, int hi) {
    if (n < lo || n > hi) Fail(std::string(kind) + std::to_string(n) + " is out of range");
  }

  void Ranges() {
    for (const Button& b : s_.buttons)
      if (b.code == 0) Fail("a button has command code 0");
    if (s_.buttons.size() > 120) Fail("more than 120 buttons");
    for (const Button& b : s_.buttons)
      if (!b.link.empty()) Range("K", b.code - 1000, 1, 10);  // the slots that load skins
    for (const DigitDisplay& d : s_.digits) Range("D", d.n, 1, 13);
    for (const Label& t : s_.entries) Range("T", t.n, 1, 3);
    for (const Label& l : s_.labels) Range("L", l.n, 1, 80);
    for (const Light& i : s_.lights) Range("I", i.n, 1, 22);
    for (const Slider& k : s_.sliders) Range("S", k.n, 1, 6);
    for (const Animation& a : s_.animations) Range("A", a.n, 1, 4);
    for (const ListArea& x : s_.areas) Range("X", x.n, 1, 8);
    for (const ContentArea& c : s_.contents) Range("C", c.n, 1, 3);
  }

  void Keys() {
    std::set<std::string> seen;
    for (const Button& b : s_.buttons) {
      const bool coded = b.key.size() == 4 && b.key[0] == '\\';  // a character by its code
      if (b.key.size() == 4 && !coded) {                         // "no key"
        if (b.keyOnly()) Fail("B" + std::to_string(b.code) + " has neither a place nor a key");
        continue;
      }
      if (b.key.size() != 1 && !coded)
        Fail("B" + std::to_string(b.code) + " has a key of several letters");
      if (!seen.insert(b.key).second) Fail("hot key " + b.key + " is used twice");
      const char c = b.key.empty() ? 0 : b.key[0];
      if (c >= 'a' && c <= 'z') Fail("hot key " + b.key + " is lower case and can never match");
    }
  }

  // Every element lies inside the window's outline; hit areas do not overlap.
  void Window() {
    std::vector<Named> hits;
    std::vector<Named> drawn;
    for (const Button& b : s_.buttons)
      if (!b.keyOnly()) hits.push_back({"B" + std::to_string(b.code), b.r});
    for (const Label& t : s_.entries) hits.push_back({"T" + std::to_string(t.n), t.r});
    for (const Light& i : s_.lights) hits.push_back({"I" + std::to_string(i.n), i.r});
    for (const Label& l : s_.labels) drawn.push_back({"L" + std::to_string(l.n), l.r});
    for (const DigitDisplay& d : s_.digits)
      drawn.push_back({"D" + std::to_string(d.n), {d.x, d.y, d.width(), d.h}});
    for (const Slider& k : s_.sliders) {
      const Rect travel =
          k.look == KnobLook::Level ? Rect{k.x, k.y, k.w, k.kh} : Rect{k.x, k.y, k.w + k.kw, k.kh};
      hits.push_back({"S" + std::to_string(k.n), travel});
    }
    for (const Animation& a : s_.animations)
      drawn.push_back({"A" + std::to_string(a.n), {a.x, a.y, a.w, a.h}});
    for (const ListArea& x : s_.areas) hits.push_back({"X" + std::to_string(x.n), x.r});
    for (const ContentArea& c : s_.contents) hits.push_back({"C" + std::to_string(c.n), c.r});

    const QRgb key = QColor(s_.transparent.r, s_.transparent.g, s_.transparent.b).rgb();
    auto inside = [&](const Named& e) {
      const Rect& r = e.r;
      if (r.x < 0 || r.y < 0 || r.right() > s_.width || r.bottom() > s_.height) {
        Fail(e.name + " at " + Describe(r) + " leaves the window");
        return;
      }
      for (int y = r.y; y < r.bottom(); ++y)
        for (int x = r.x; x < r.right(); ++x)
          if (bm_.main.pixel(x, y) == key) {
            Fail(e.name + " at " + Describe(r) + " reaches outside the outline");
            return;
          }
    };
    for (const Named& e : hits) inside(e);
    for (const Named& e : drawn) inside(e);

    auto takeTurns = [&](const std::string& a, const std::string& b) {
      for (const auto& [x, y] : s_.turns)
        if ((x == a && y == b) || (x == b && y == a)) return true;
      return false;
    };
    auto disjoint = [&](const std::vector<Named>& list) {
      for (std::size_t i = 0; i < list.size(); ++i)
        for (std::size_t j = i + 1; j < list.size(); ++j)
          if (Overlap(list[i].r, list[j].r) && !takeTurns(list[i].name, list[j].name))
            Fail(list[i].name + " overlaps " + list[j].name);
    };
    disjoint(hits);
    disjoint(drawn);
    for (const Named& d : drawn)
      for (const Named& h : hits)
        if (Overlap(d.r, h.r)) Fail(d.name + " overlaps " + h.name);

    // The level bar and the volume slider travel together.
    for (const Slider& level : s_.sliders) {
      if (level.look != KnobLook::Level) continue;
      const Slider& vol = s_.slider(2);
      if (level.x != vol.x + vol.kw / 2 || level.w != vol.w || level.kw < level.w)
        Fail("the level bar does not follow the volume knob");
    }
  }

  // The screen saver: its labels lie on the main bitmap, apart; its digit displays,
  // animations and picture lie on the smallest screen it is made for, apart from each other
  // and from the bitmap centred on that screen.
  void SaverScreen() {
    const QRgb key = QColor(s_.transparent.r, s_.transparent.g, s_.transparent.b).rgb();
    std::vector<Named> labels;
    for (const Label& l : s_.labels) labels.push_back({"L" + std::to_string(l.n), l.r});
    for (std::size_t i = 0; i < labels.size(); ++i) {
      const Rect& r = labels[i].r;
      bool outside = r.x < 0 || r.y < 0 || r.right() > s_.width || r.bottom() > s_.height;
      for (int y = r.y; !outside && y < r.bottom(); ++y)
        for (int x = r.x; !outside && x < r.right(); ++x) outside = bm_.main.pixel(x, y) == key;
      if (outside) Fail(labels[i].name + " at " + Describe(r) + " leaves the bitmap");
      for (std::size_t j = i + 1; j < labels.size(); ++j)
        if (Overlap(r, labels[j].r)) Fail(labels[i].name + " overlaps " + labels[j].name);
    }
    std::vector<Named> placed{{"the centred bitmap",
                               {(kSaverScreenWidth - s_.width) / 2,
                                (kSaverScreenHeight - s_.height) / 2, s_.width, s_.height}}};
    for (const DigitDisplay& d : s_.digits)
      placed.push_back({"D" + std::to_string(d.n), {d.x, d.y, d.width(), d.h}});
    for (const Animation& a : s_.animations)
      placed.push_back({"A" + std::to_string(a.n), {a.x, a.y, a.w, a.h}});
    for (const ContentArea& c : s_.contents) placed.push_back({"C" + std::to_string(c.n), c.r});
    for (std::size_t i = 0; i < placed.size(); ++i) {
      const Rect& r = placed[i].r;
      if (r.x < 0 || r.y < 0 || r.right() > kSaverScreenWidth || r.bottom() > kSaverScreenHeight)
        Fail(placed[i].name + " at " + Describe(r) + " leaves the screen");
      for (std::size_t j = i + 1; j < placed.size(); ++j)
        if (Overlap(r, placed[j].r)) Fail(placed[i].name + " overlaps " + placed[j].name);
    }
  }

  // Everything cut from the resource bitmap lies inside it and nothing shares pixels.
  void Resource() {
    std::vector<Named> parts;
    for (const DigitDisplay& d : s_.digits) {
      const Rect r = d.d1 == 0 ? Rect{d.sx, d.sy, 14 * d.w, d.h}
                               : Rect{d.sx, d.sy, kGridColumns * d.w, kGridRows * d.h};
      parts.push_back({"glyphs of D" + std::to_string(d.n), r});
    }
    for (const Animation& a : s_.animations)
      parts.push_back(
          {"frames of A" + std::to_string(a.n), {a.sx, a.sy, a.cols * a.w, a.rows * a.h}});
    for (const Slider& k : s_.sliders)
      parts.push_back({"knob of S" + std::to_string(k.n), {k.sx, k.sy, k.kw, k.kh}});
    for (const Button& b : s_.buttons) {
      if (b.keyOnly()) continue;
      if (b.sx + b.sy == 0)
        Fail("pressed image of B" + std::to_string(b.code) + " at 0,0 would be ignored");
      parts.push_back({"pressed B" + std::to_string(b.code), {b.sx, b.sy, b.r.w, b.r.h}});
    }
    for (std::size_t i = 0; i < parts.size(); ++i) {
      const Rect& r = parts[i].r;
      if (r.x < 0 || r.y < 0 || r.right() > bm_.resource.width() ||
          r.bottom() > bm_.resource.height())
        Fail(parts[i].name + " at " + Describe(r) + " leaves the resource bitmap");
      for (std::size_t j = i + 1; j < parts.size(); ++j)
        if (Overlap(r, parts[j].r)) Fail(parts[i].name + " overlaps " + parts[j].name);
    }
  }

  // Window sizes: within the bitmap, and within 16-bit twips (15 per pixel).
  void Sizes() {
    for (const Rect& z : s_.sizes) {
      if (z.w < 1 || z.h < 1 || z.w > s_.width || z.h > s_.height)
        Fail("a window size exceeds the bitmap");
      if (z.w * 15 > 32767 || z.h * 15 > 32767) Fail("a window size overflows 16-bit twips");
    }
    if (bm_.main.width() != s_.width || bm_.main.height() != s_.height)
      Fail("the main bitmap is not the window's size");
  }

  const Skin& s_;
  const Bitmaps& bm_;
  std::vector<std::string> problems_;
};

}  // namespace

std::vector<std::string> Problems(const Skin& skin, const Bitmaps& bitmaps) {
  return Checker(skin, bitmaps).Run();
}

}  // namespace skingen
