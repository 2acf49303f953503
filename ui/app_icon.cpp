#include "ui/app_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace varlo {

namespace {

QIcon PaintIcon() {
  QIcon icon;
  for (const int size : {16, 24, 32, 48, 64, 128}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(18, 62, 70));
    p.drawEllipse(QRectF(0.5, 0.5, s - 1, s - 1));
    p.setBrush(QColor(38, 170, 160));
    p.drawEllipse(QRectF(s * 0.08, s * 0.08, s * 0.84, s * 0.84));
    QPainterPath play;
    play.moveTo(s * 0.40, s * 0.30);
    play.lineTo(s * 0.72, s * 0.50);
    play.lineTo(s * 0.40, s * 0.70);
    play.closeSubpath();
    p.setBrush(QColor(236, 248, 244));
    p.drawPath(play);
    p.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace

QIcon VarloIcon() {
  // Painted once (the main window, the tray and every side window show it); kept for the life
  // of the program, past the application object.
  static const QIcon* const icon = new QIcon(PaintIcon());
  return *icon;
}

}  // namespace varlo
