#include "tools/skingen/nocover.h"

#include <QConicalGradient>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "tools/skingen/with_alpha.h"

namespace skingen {

namespace {

const QColor kSlateLight(44, 52, 62);
const QColor kSlateDark(16, 19, 24);
const QColor kVinyl(9, 11, 14);
const QColor kTeal(45, 212, 191);
const QColor kTealDeep(13, 128, 116);
const QColor kInk(6, 36, 33);

// An eighth note standing on `base`, `h` high, drawn in the current brush.
void EighthNote(QPainter& p, QPointF base, double h) {
  const double head = h * 0.22;
  p.save();
  p.translate(base);
  p.rotate(-22);
  p.drawEllipse(QPointF(0, 0), head * 1.25, head * 0.9);
  p.restore();
  const double stemX = base.x() + head * 1.05;
  const double top = base.y() - h;
  p.drawRect(QRectF(stemX - h * 0.05, top, h * 0.1, h - head * 0.3));
  QPainterPath flag;
  flag.moveTo(stemX, top);
  flag.cubicTo(stemX + h * 0.05, top + h * 0.22, stemX + h * 0.42, top + h * 0.26, stemX + h * 0.28,
               top + h * 0.62);
  flag.cubicTo(stemX + h * 0.3, top + h * 0.36, stemX + h * 0.1, top + h * 0.34, stemX,
               top + h * 0.3);
  flag.closeSubpath();
  p.drawPath(flag);
}

}  // namespace

QImage NoCoverPicture(int size) {
  QImage img(size, size, QImage::Format_RGB32);
  const double s = size;
  const QPointF m(s / 2, s / 2);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);

  // Slate lit from above, darker towards the corners.
  QRadialGradient back(QPointF(s * 0.5, s * 0.3), s * 0.85);
  back.setColorAt(0, kSlateLight);
  back.setColorAt(1, kSlateDark);
  p.fillRect(QRectF(0, 0, s, s), back);

  // The record, with a soft shadow under it.
  const double disc = s * 0.38;
  p.setPen(Qt::NoPen);
  QRadialGradient shadow(m + QPointF(0, s * 0.02), disc * 1.12);
  shadow.setColorAt(0.85, QColor(0, 0, 0, 120));
  shadow.setColorAt(1, QColor(0, 0, 0, 0));
  p.setBrush(shadow);
  p.drawEllipse(m + QPointF(0, s * 0.02), disc * 1.12, disc * 1.12);
  p.setBrush(kVinyl);
  p.drawEllipse(m, disc, disc);

  // Grooves, then two bands of sheen opposite each other.
  p.setBrush(Qt::NoBrush);
  for (double r = disc * 0.4; r < disc * 0.97; r += s * 0.012) {
    const int alpha = 8 + static_cast<int>(r) % 3 * 4;
    p.setPen(QPen(WithAlpha(Qt::white, alpha), s / 200 * 0.7));
    p.drawEllipse(m, r, r);
  }
  QConicalGradient sheen(m, 35);
  sheen.setColorAt(0, WithAlpha(Qt::white, 0));
  sheen.setColorAt(0.08, WithAlpha(Qt::white, 34));
  sheen.setColorAt(0.16, WithAlpha(Qt::white, 0));
  sheen.setColorAt(0.5, WithAlpha(Qt::white, 0));
  sheen.setColorAt(0.58, WithAlpha(Qt::white, 26));
  sheen.setColorAt(0.66, WithAlpha(Qt::white, 0));
  sheen.setColorAt(1, WithAlpha(Qt::white, 0));
  QPainterPath ring;
  ring.addEllipse(m, disc * 0.97, disc * 0.97);
  ring.addEllipse(m, disc * 0.4, disc * 0.4);
  p.setPen(Qt::NoPen);
  p.setBrush(sheen);
  p.drawPath(ring);
  p.setPen(QPen(WithAlpha(Qt::white, 28), s / 200));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(m, disc, disc);

  // The label in the accent colour, with a note on it.
  const double label = disc * 0.36;
  QLinearGradient lg(m.x(), m.y() - label, m.x(), m.y() + label);
  lg.setColorAt(0, kTeal);
  lg.setColorAt(1, kTealDeep);
  p.setPen(Qt::NoPen);
  p.setBrush(lg);
  p.drawEllipse(m, label, label);
  p.setBrush(kInk);
  EighthNote(p, m + QPointF(-label * 0.32, label * 0.5), label * 1.05);
  p.end();
  return img;
}

}  // namespace skingen
