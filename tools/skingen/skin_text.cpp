#include "tools/skingen/skin_text.h"

#include <sstream>

namespace skingen {

namespace {

// A field that holds a comma or starts or ends with a blank is quoted; the reader
// would otherwise split or trim it.
std::string Field(const std::string& text) {
  const bool quote = text.find(',') != std::string::npos ||
                     (!text.empty() && (text.front() == ' ' || text.back() == ' '));
  return quote ? "\"" + text + "\"" : text;
}

void Colour(std::ostream& out, const Rgb& c) {
  out << ',' << c.r << ',' << c.g << ',' << c.b;
}

void Pos(std::ostream& out, const Rect& r) {
  out << ',' << r.x << ',' << r.y << ',' << r.w << ',' << r.h;
}

// Comments carry their text after a comma: a comment token alone on its line would
// take the whole next line as its text.
void Comment(std::ostream& out, const char* text) {
  out << ";," << text << '\n';
}

}  // namespace

std::string SkinText(const Skin& s) {
  std::ostringstream out;
  out << "Varlo Skin/" << KindWord(s.kind) << ',' << s.description << '\n';
  for (const Rect& size : s.sizes) out << size.w << ',' << size.h << '\n';
  out << s.mainBitmap << ',' << s.resBitmap << '\n';
  out << s.placement << ',' << s.hover;
  Colour(out, s.background);
  out << ",0,0,0\n";
  for (const std::string& line : s.info) out << "/," << line << '\n';

  Comment(out, "Window outline: everything painted in this colour is outside the window");
  out << 'O';
  Colour(out, s.transparent);
  out << '\n';

  Comment(out,
          "Buttons: command code, x, y, w, h, pressed image x, y, hot key, tip; a link "
          "button (K, link slot) ends with the skin it loads; one without a size is a hot key "
          "only");
  for (const Button& b : s.buttons) {
    if (b.link.empty())
      out << 'B' << b.code;
    else
      out << 'K' << b.code - 1000;
    Pos(out, b.keyOnly() ? Rect{} : b.r);
    out << ',' << b.sx << ',' << b.sy << ',' << Field(b.key) << ',' << Field(b.tip);
    if (!b.link.empty()) out << ',' << Field(b.link);
    out << '\n';
  }

  Comment(out, "Digit displays: x, y, glyphs x, y, cell w, h, gap, glyph set, spacing, style, tip");
  for (const DigitDisplay& d : s.digits) {
    out << 'D' << d.n << ',' << d.x << ',' << d.y << ',' << d.sx << ',' << d.sy << ',' << d.w << ','
        << d.h << ',' << d.gap << ',' << d.d1 << ',' << d.d2 << ',' << d.style << ','
        << Field(d.tip) << '\n';
  }

  Comment(out, "Labels: x, y, w, h, colour, size, font, tip");
  for (const Label& l : s.labels) {
    out << 'L' << l.n;
    Pos(out, l.r);
    Colour(out, l.colour);
    out << ',' << l.size << ',' << Field(l.font) << ',' << Field(l.tip) << '\n';
  }

  if (!s.entries.empty()) Comment(out, "Text entries: x, y, w, h, colour, size, font, tip");
  for (const Label& t : s.entries) {
    out << 'T' << t.n;
    Pos(out, t.r);
    Colour(out, t.colour);
    out << ',' << t.size << ',' << Field(t.font) << ',' << Field(t.tip) << '\n';
  }

  Comment(out, "Lights: x, y, w, h, colour, shape, tip");
  for (const Light& i : s.lights) {
    out << 'I' << i.n;
    Pos(out, i.r);
    Colour(out, i.colour);
    out << ',' << i.shape << ",~\n";
  }

  Comment(out, "Sliders: x, y, travel w, h (0 = horizontal), knob x, y, knob w, h, tip");
  for (const Slider& k : s.sliders) {
    out << 'S' << k.n << ',' << k.x << ',' << k.y << ',' << k.w << ',' << k.h << ',' << k.sx << ','
        << k.sy << ',' << k.kw << ',' << k.kh << ',' << Field(k.tip) << '\n';
  }

  if (!s.animations.empty())
    Comment(out, "Animations: x, y, frames x, y, frame w, h, rows, columns, ticks per frame, tip");
  for (const Animation& a : s.animations) {
    out << 'A' << a.n << ',' << a.x << ',' << a.y << ',' << a.sx << ',' << a.sy << ',' << a.w << ','
        << a.h << ',' << a.rows << ',' << a.cols << ',' << a.ticks << ',' << Field(a.tip) << '\n';
  }

  Comment(out, "Lists: x, y, w, h, text colour, back colour, size, font, tip");
  for (const ListArea& x : s.areas) {
    out << 'X' << x.n;
    Pos(out, x.r);
    Colour(out, x.text);
    Colour(out, x.back);
    out << ',' << x.size << ',' << Field(x.font) << ',' << Field(x.tip) << '\n';
  }

  if (!s.contents.empty()) Comment(out, "Pictures: x, y, w, h, spare");
  for (const ContentArea& c : s.contents) {
    out << 'C' << c.n;
    Pos(out, c.r);
    out << ",0\n";
  }

  out << "E\n";
  return out.str();
}

}  // namespace skingen
