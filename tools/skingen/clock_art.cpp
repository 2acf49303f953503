// The clock's window and the screen saver's face: the panels and wells of the player's
// family, with a dial as the clock's sign.
#include <QPainter>
#include <cmath>

#include "tools/skingen/art.h"
#include "tools/skingen/art_parts.h"
#include "tools/skingen/with_alpha.h"

namespace skingen {

using namespace parts;

namespace {

// A small clock face with its hands at ten past ten, centred at `c`.
void Dial(QPainter& p, QPointF c, double radius) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(kTeal, 1.6));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(c, radius, radius);
  p.setPen(QPen(kIcon, 1.6, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(c, c + QPointF(-radius * 0.45, -radius * 0.3));
  p.drawLine(c, c + QPointF(radius * 0.5, -radius * 0.55));
  p.restore();
}

}  // namespace

namespace parts {

void ClockBackground(QPainter& p, const Skin& s) {
  p.setRenderHint(QPainter::Antialiasing);
  ThreePanels(p, s, s.radio.tuner, s.radio.presets);

  Dial(p, QPointF(26, 20), 8);
  Wordmark(p, 44, 26);
  p.setRenderHint(QPainter::Antialiasing, false);
  DotText(p, 100, 17, "CLOCK", kTeal);
  p.setRenderHint(QPainter::Antialiasing);

  Well(p, ToRectF(s.lcd), 8, kLcdTop, kLcdBottom);
  Well(p, ToRectF(s.radio.listFrame), 8, kWellTop, kWellBottom);
  p.setRenderHint(QPainter::Antialiasing, false);
  DotText(p, s.label(29).r.x - 34, s.label(29).r.y + 5, "SLEEP", kLcdInk);
  DotText(p, s.label(28).r.x, s.label(28).r.y - 8 + s.label(28).r.h + 12, "TIMER", kLcdInk);
  for (int i = 0; i < 2; ++i) {
    const Rect& first = s.label(31 + 5 * i).r;
    p.fillRect(QRect(first.x - 6, first.y + 2, 1, 5 * 18 - 6), WithAlpha(kTeal, 50));
  }
}

void SaverBackground(QPainter& p, const Skin& s) {
  p.fillRect(QRect(0, 0, s.width, s.height), ToColor(s.background));
  p.setRenderHint(QPainter::Antialiasing);
  Body(p, ToRectF(Rect{4, 4, s.width - 8, s.height - 8}), 18);
  Well(p, ToRectF(s.lcd), 10, kLcdTop, kLcdBottom);
  PictureWell(p, ToRectF(s.cover));
  Dial(p, QPointF(s.cover.x + s.cover.w / 2.0, s.cover.y + s.cover.h / 2.0), 30);
  p.setRenderHint(QPainter::Antialiasing, false);
  DotText(p, s.digit(11).x, s.digit(11).y - 12, "SEC", kLcdInk);
  DotText(p, s.lcd.x + 12, s.lcd.bottom() - 14, "VARLO", kTeal);
}

}  // namespace parts

}  // namespace skingen
