// The radio's window: the panels and wells of the player's family, a tuning scale with
// the band's megahertz marks, and the printed captions of the display.
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <string>

#include "tools/skingen/art.h"
#include "tools/skingen/art_parts.h"
#include "tools/skingen/with_alpha.h"

namespace skingen {

using namespace parts;

namespace {

// A mast with waves going out on both sides, `scale` times the header's size, its tip
// at `top`: the radio's sign.
void Antenna(QPainter& p, QPointF top, double scale) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.translate(top);
  p.scale(scale, scale);
  p.setPen(Qt::NoPen);
  p.setBrush(kIconDim);
  p.drawPolygon(QPolygonF({QPointF(-0.9, 2), QPointF(0.9, 2), QPointF(4, 15), QPointF(-4, 15)}));
  p.setBrush(kTeal);
  p.drawEllipse(QPointF(0, 1.5), 2.2, 2.2);
  p.setBrush(Qt::NoBrush);
  for (int i = 1; i <= 2; ++i) {
    const double r = 3.5 + 3.2 * i;
    p.setPen(QPen(WithAlpha(kTeal, i == 1 ? 220 : 130), 1.4, Qt::SolidLine, Qt::RoundCap));
    const QRectF box(-r, 1.5 - r, 2 * r, 2 * r);
    p.drawArc(box, -40 * 16, 80 * 16);
    p.drawArc(box, 140 * 16, 80 * 16);
  }
  p.restore();
}

// What the picture area shows while the station has no picture of its own.
void StationPlaceholder(QPainter& p, const Rect& c) {
  const QRectF r = ToRectF(c);
  p.save();
  PictureWell(p, r);
  p.restore();
  Antenna(p, QPointF(r.center().x(), r.top() + 12), 2.1);
}

void Captions(QPainter& p, const Skin& s) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  const DigitDisplay& freq = s.digit(9);
  DotText(p, freq.x + freq.width() + 5, freq.y + freq.h - 8, "MHZ", kLcdInk);
  const DigitDisplay& preset = s.digit(10);
  DotText(p, s.label(42).r.x, preset.y + 4, "PRESET", kLcdInk);
  DotText(p, s.label(42).r.x, s.label(41).r.y + 3, "FREQ", kLcdInk);
  DotText(p, s.label(43).r.x - 16, s.label(43).r.y + 3, "CH", kLcdInk);
  for (const Light& l : s.lights)
    if (l.n == 1) DotText(p, l.r.right() + 4, l.r.y, "STEREO", kLcdInk);
  p.restore();
}

// The tuning scale: a mark each megahertz, a longer one with its number every second,
// and the rail the pointer runs on between them.
void Dial(QPainter& p, const Skin& s) {
  const Rect& d = s.radio.dial;
  Well(p, ToRectF(d), 6, kLcdTop, kLcdBottom);
  const Slider& tune = s.slider(6);
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  const int marks = d.y + 13;
  const int rail = marks + 4;
  p.fillRect(QRect(d.x + 6, rail, d.w - 12, 1), WithAlpha(kTeal, 60));
  for (int mhz = 87; mhz <= 108; ++mhz) {
    const int x = DialX(tune, mhz);
    const bool major = mhz % 2 == 0;
    const int top = major ? d.y + 4 : d.y + 7;
    p.fillRect(QRect(x, top, 1, marks - top), major ? kLcdInk : WithAlpha(kLcdInk, 130));
    if (major) {
      const std::string number = std::to_string(mhz);
      DotText(p, x - DotTextWidth(number) / 2, rail + 4, number, mhz == 100 ? kTeal : kLcdInk);
    }
  }
  p.restore();
}

}  // namespace

namespace parts {

void RadioBackground(QPainter& p, const Skin& s) {
  p.setRenderHint(QPainter::Antialiasing);
  ThreePanels(p, s, s.radio.tuner, s.radio.presets);

  Antenna(p, QPointF(26, 11), 1);
  Wordmark(p, 44, 26);
  Well(p, ToRectF(s.marquee), 6, kLcdTop, kLcdBottom);

  Well(p, ToRectF(s.radio.picture), 8, kWellTop, kWellBottom);
  StationPlaceholder(p, s.contents.front().r);
  Well(p, ToRectF(s.radio.lcd), 8, kLcdTop, kLcdBottom);
  {
    // Divider between the frequency and the station.
    const Rect& lcd = s.radio.lcd;
    const double x = s.label(42).r.x - 9.5;
    p.setPen(QPen(WithAlpha(kTeal, 40), 1));
    p.drawLine(QPointF(x, lcd.y + 8), QPointF(x, lcd.bottom() - 8));
  }
  Captions(p, s);
  Dial(p, s);
  Well(p, ToRectF(s.radio.typed), 5, kLcdTop, kLcdBottom);

  Well(p, ToRectF(s.radio.listFrame), 7, ToColor(s.area(6).back), ToColor(s.area(6).back));
  Well(p, ToRectF(s.radio.entryFrame), 4, kWellTop, kWellBottom);

  for (const Light& l : s.lights) Socket(p, l);
}

}  // namespace parts

QImage RadioPreview(const Skin& s, const Bitmaps& bm, const RadioPreviewState& st) {
  QImage img = bm.main.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  QPainter p(&img);
  const QImage& res = bm.resource;

  PreviewNumeric(p, res, s.digit(9), st.frequency);
  PreviewNumeric(p, res, s.digit(10), st.preset);
  const Slider& tune = s.slider(6);
  p.drawImage(QPoint(tune.x + static_cast<int>(tune.w * st.tuning), tune.y), res,
              QRect(tune.sx, tune.sy, tune.kw, tune.kh));
  PreviewLights(p, s, st.lightsOn);

  p.setRenderHint(QPainter::Antialiasing);
  for (const Label& l : s.labels) {
    std::string text = l.sample;
    for (const auto& [n, t] : st.labels)
      if (n == l.n) text = t;
    PreviewLabel(p, l, text);
  }

  // The list and the entry as the player's widgets show them: the selected row in the
  // text colour, the entry white.
  const ListArea& list = s.area(6);
  QFont f(QString::fromStdString(list.font));
  f.setPointSize(list.size);
  p.setFont(f);
  const int rowHeight = 13;
  int y = list.r.y + 1;
  for (std::size_t i = 0; i < st.presets.size(); ++i, y += rowHeight) {
    if (y + rowHeight > list.r.bottom()) break;
    const bool selected = static_cast<int>(i) == st.selected;
    if (selected) p.fillRect(QRect(list.r.x, y, list.r.w, rowHeight), ToColor(list.text));
    p.setPen(selected ? ToColor(list.back) : ToColor(list.text));
    p.drawText(QRect(list.r.x + 4, y, list.r.w - 8, rowHeight), Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromStdString(st.presets[i]));
  }
  for (const Label& e : s.entries) {
    p.fillRect(ToRect(e.r), Qt::white);
    PreviewLabel(p,
                 Label{e.n,
                       {e.r.x + 2, e.r.y + 1, e.r.w - 4, e.r.h - 1},
                       e.colour,
                       e.size,
                       e.font,
                       st.entry,
                       e.tip},
                 st.entry);
  }

  PreviewButtons(p, s, res, st.pressed, st.hovered);
  p.end();
  return OnDesktop(img, s, bm.main);
}

}  // namespace skingen
