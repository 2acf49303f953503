#include "tools/demogen/cover.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <numbers>

#include "tools/demogen/score.h"
#include "tools/skingen/with_alpha.h"

namespace demogen {

using skingen::WithAlpha;

namespace {

const QColor kNight(14, 18, 26);
const QColor kDusk(28, 52, 66);
const QColor kTeal(45, 212, 191);
const QColor kAmber(246, 180, 72);
const QColor kCoral(242, 120, 92);
const QColor kPale(255, 236, 190);

// A ridge line across the picture: a few slow waves on top of each other. Closed, the
// path takes in the ground below the line as well.
QPainterPath Ridge(double w, double h, double base, double a1, double f1, double a2, double f2,
                   double phase, bool closed) {
  QPainterPath path;
  for (int x = 0; x <= static_cast<int>(w); x += 2) {
    const double t = x / w * 2 * std::numbers::pi;
    const QPointF at(x, base - a1 * std::sin(f1 * t + phase) - a2 * std::sin(f2 * t + 2 * phase));
    if (x == 0)
      path.moveTo(at);
    else
      path.lineTo(at);
  }
  if (closed) {
    path.lineTo(w, h);
    path.lineTo(0, h);
    path.closeSubpath();
  }
  return path;
}

}  // namespace

QImage DemoCover(int size) {
  QImage img(size, size, QImage::Format_RGB32);
  const double s = size;
  const double horizon = s * 0.64;
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);

  // Sky from night blue down to the amber of the horizon.
  QLinearGradient sky(0, 0, 0, horizon);
  sky.setColorAt(0, kNight);
  sky.setColorAt(0.45, kDusk);
  sky.setColorAt(0.8, QColor(132, 120, 96));
  sky.setColorAt(1, kAmber);
  p.fillRect(QRectF(0, 0, s, s), sky);

  // A few stars left over from the night, where the sky is still dark.
  p.setPen(Qt::NoPen);
  unsigned seed = 7;
  for (int i = 0; i < 40; ++i) {
    seed = seed * 1103515245u + 12345u;
    const double x = (seed >> 8) % 1000 / 1000.0 * s;
    seed = seed * 1103515245u + 12345u;
    const double y = (seed >> 8) % 1000 / 1000.0 * s * 0.34;
    const int alpha = 60 + static_cast<int>((seed >> 4) % 120) * static_cast<int>(s * 0.4 - y) /
                               static_cast<int>(s * 0.4);
    p.setBrush(WithAlpha(kPale, alpha));
    const double r = (seed >> 12) % 3 == 0 ? 1.1 : 0.6;
    p.drawEllipse(QPointF(x, y), r, r);
  }

  // The sun half risen, in a wide glow, with rings going out like sound.
  const QPointF sun(s * 0.5, horizon);
  QRadialGradient glow(sun, s * 0.55);
  glow.setColorAt(0, WithAlpha(kPale, 170));
  glow.setColorAt(0.25, WithAlpha(kAmber, 90));
  glow.setColorAt(1, WithAlpha(kAmber, 0));
  p.setBrush(glow);
  p.drawRect(QRectF(0, 0, s, horizon));
  p.setBrush(Qt::NoBrush);
  for (int i = 1; i <= 5; ++i) {
    const double r = s * (0.16 + 0.075 * i);
    p.setPen(QPen(WithAlpha(i % 2 ? kTeal : kPale, 70 - 11 * i), s / 300 * 1.2));
    p.drawArc(QRectF(sun.x() - r, sun.y() - r, 2 * r, 2 * r), 12 * 16, 156 * 16);
  }
  QRadialGradient disc(sun, s * 0.15);
  disc.setColorAt(0, QColor(255, 248, 222));
  disc.setColorAt(0.7, kPale);
  disc.setColorAt(1, kAmber);
  p.setPen(Qt::NoPen);
  p.setBrush(disc);
  p.drawEllipse(sun, s * 0.15, s * 0.15);

  // Hills in three layers, the nearest darkest.
  struct Layer {
    double base, a1, f1, a2, f2, phase;
    QColor colour;
  };
  const Layer layers[] = {
      {horizon + s * 0.01, s * 0.035, 1.0, s * 0.015, 3.0, 0.4, QColor(58, 62, 72)},
      {horizon + s * 0.07, s * 0.05, 1.5, s * 0.02, 4.0, 2.1, QColor(38, 43, 52)},
      {horizon + s * 0.16, s * 0.04, 0.8, s * 0.025, 2.5, 4.0, QColor(22, 26, 32)},
  };
  for (const Layer& l : layers) {
    p.setBrush(l.colour);
    p.drawPath(Ridge(s, s, l.base, l.a1, l.f1, l.a2, l.f2, l.phase, true));
  }
  // Warm light catching the first ridge.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(WithAlpha(kCoral, 90), s / 300 * 1.5));
  const Layer& first = layers[0];
  p.drawPath(Ridge(s, s, first.base, first.a1, first.f1, first.a2, first.f2, first.phase, false));

  // Title and album on the dark ground.
  QFont title(QStringLiteral("DejaVu Sans"));
  title.setPixelSize(static_cast<int>(s * 0.085));
  title.setBold(true);
  title.setLetterSpacing(QFont::AbsoluteSpacing, s * 0.012);
  p.setFont(title);
  p.setPen(QColor(236, 242, 246));
  const QRectF titleBox(0, s * 0.82, s, s * 0.09);
  p.drawText(titleBox, Qt::AlignHCenter | Qt::AlignVCenter, QString::fromLatin1(kTitle).toUpper());
  QFont album(QStringLiteral("DejaVu Sans"));
  album.setPixelSize(static_cast<int>(s * 0.04));
  album.setLetterSpacing(QFont::AbsoluteSpacing, s * 0.01);
  p.setFont(album);
  p.setPen(kTeal);
  p.drawText(QRectF(0, s * 0.91, s, s * 0.06), Qt::AlignHCenter | Qt::AlignVCenter,
             QString::fromLatin1(kAlbum).toUpper());
  p.end();
  return img;
}

}  // namespace demogen
