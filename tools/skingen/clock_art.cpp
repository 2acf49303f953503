// The clock's window and the screen saver's face: the panels and wells of the player's
// family, with a dial as the clock's sign.
#include <QPainter>
#include <algorithm>
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
  Body(p, ToRectF(Rect{2, 2, s.width - 4, s.height - 4}), 16);
  Well(p, ToRectF(s.lcd), 10, kLcdTop, kLcdBottom);
  Dial(p, QPointF(s.width - 40, s.height - 30), 14);
  p.setRenderHint(QPainter::Antialiasing, false);
  const Label& time = s.label(3);
  DotText(p, time.r.right() + 8, time.r.y + 8, "VARLO", kTeal);
}

void OrbitFrame(QImage& cell, int frame, int frames) {
  QPainter p(&cell);
  p.setRenderHint(QPainter::Antialiasing);
  const QPointF c(cell.width() / 2.0, cell.height() / 2.0);
  const double radius = std::min(cell.width(), cell.height()) / 2.0 - 5;
  p.setPen(QPen(WithAlpha(kTeal, 60), 1.2));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(c, radius, radius);
  p.setPen(Qt::NoPen);
  constexpr double kTurn = 6.283185307179586;
  for (int back = 3; back >= 0; --back) {
    const double angle = kTurn * (frame - back) / std::max(frames, 1) - kTurn / 4;
    const QPointF at = c + QPointF(std::cos(angle), std::sin(angle)) * radius;
    p.setBrush(WithAlpha(back == 0 ? kTealBright : kTeal, 255 - back * 60));
    p.drawEllipse(at, 3.2 - back * 0.5, 3.2 - back * 0.5);
  }
}

}  // namespace parts

}  // namespace skingen
