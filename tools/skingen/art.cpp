#include "tools/skingen/art.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/skingen/art_parts.h"
#include "tools/skingen/glyphs.h"
#include "tools/skingen/with_alpha.h"

namespace skingen {

using namespace parts;

namespace {

const QColor kGlyphLit(96, 236, 212);
const QColor kGlyphGlow(45, 212, 191);

void Triangle(QPainter& p, QPointF tip, double w, double h, bool right) {
  const double dx = right ? -w : w;
  const QPolygonF t(
      {tip, QPointF(tip.x() + dx, tip.y() - h / 2), QPointF(tip.x() + dx, tip.y() + h / 2)});
  p.drawPolygon(t);
}

}  // namespace

namespace parts {

QColor ToColor(const Rgb& c) {
  return QColor(c.r, c.g, c.b);
}
QRectF ToRectF(const Rect& r) {
  return QRectF(r.x, r.y, r.w, r.h);
}
QRect ToRect(const Rect& r) {
  return QRect(r.x, r.y, r.w, r.h);
}

QColor Mix(const QColor& a, const QColor& b, double t) {
  auto m = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
  return QColor(m(a.red(), b.red()), m(a.green(), b.green()), m(a.blue(), b.blue()),
                m(a.alpha(), b.alpha()));
}

// Box blur of a premultiplied image, three passes in each direction: close enough to a
// Gaussian for glows.
QImage Blur(const QImage& source, int radius) {
  QImage img = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const int w = img.width();
  const int h = img.height();
  auto pass = [&](bool horizontal) {
    const QImage in = img;
    const int lines = horizontal ? h : w;
    const int len = horizontal ? w : h;
    for (int line = 0; line < lines; ++line) {
      for (int i = 0; i < len; ++i) {
        int sum[4] = {0, 0, 0, 0};
        for (int k = i - radius; k <= i + radius; ++k) {
          if (k < 0 || k >= len) continue;
          const QRgb p = horizontal ? in.pixel(k, line) : in.pixel(line, k);
          sum[0] += qAlpha(p);
          sum[1] += qRed(p);
          sum[2] += qGreen(p);
          sum[3] += qBlue(p);
        }
        const int n = 2 * radius + 1;
        const QRgb out = qRgba(sum[1] / n, sum[2] / n, sum[3] / n, sum[0] / n);
        if (horizontal)
          img.setPixel(i, line, out);
        else
          img.setPixel(line, i, out);
      }
    }
  };
  for (int i = 0; i < 3; ++i) {
    pass(true);
    pass(false);
  }
  return img;
}

// Everything with less than half coverage becomes the transparency colour, the rest
// fully opaque: the window's outline is a hard mask, so a soft edge against the key
// colour would leave a pink fringe.
QImage Flatten(const QImage& canvas, const QColor& key) {
  QImage out(canvas.size(), QImage::Format_RGB32);
  const QImage src = canvas.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < src.height(); ++y) {
    for (int x = 0; x < src.width(); ++x) {
      const QRgb p = src.pixel(x, y);
      out.setPixel(x, y, qAlpha(p) < 128 ? key.rgb() : qRgb(qRed(p), qGreen(p), qBlue(p)));
    }
  }
  return out;
}

QPainterPath RoundedRect(const QRectF& r, double radius) {
  QPainterPath p;
  p.addRoundedRect(r, radius, radius);
  return p;
}

// A raised panel of the window body.
void Body(QPainter& p, const QRectF& r, double radius) {
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0, kBodyTop);
  g.setColorAt(1, kBodyBottom);
  p.setPen(Qt::NoPen);
  p.setBrush(kEdge);
  p.drawPath(RoundedRect(r, radius));
  p.setBrush(g);
  p.drawPath(RoundedRect(r.adjusted(1, 1, -1, -1), radius - 1));
  // A lit top edge, fading out towards the sides.
  QLinearGradient lit(r.topLeft(), r.topRight());
  lit.setColorAt(0, WithAlpha(Qt::white, 0));
  lit.setColorAt(0.2, kHighlight);
  lit.setColorAt(0.8, kHighlight);
  lit.setColorAt(1, WithAlpha(Qt::white, 0));
  p.setPen(QPen(QBrush(lit), 1));
  p.setBrush(Qt::NoBrush);
  p.drawLine(QPointF(r.left() + radius, r.top() + 1.5), QPointF(r.right() - radius, r.top() + 1.5));
}

// A recessed well: darker, shaded at the top, lit along the bottom edge.
void Well(QPainter& p, const QRectF& r, double radius, const QColor& top, const QColor& bottom) {
  p.setPen(Qt::NoPen);
  p.setBrush(WithAlpha(Qt::white, 16));
  p.drawPath(RoundedRect(r.adjusted(-1, -1, 1, 1), radius + 1));
  p.setBrush(QColor(5, 6, 8));
  p.drawPath(RoundedRect(r.adjusted(-1, -1, 1, 0), radius + 1));
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  p.setBrush(g);
  p.drawPath(RoundedRect(r, radius));
  QLinearGradient shade(r.topLeft(), QPointF(r.left(), r.top() + 5));
  shade.setColorAt(0, QColor(0, 0, 0, 110));
  shade.setColorAt(1, QColor(0, 0, 0, 0));
  p.setBrush(shade);
  p.drawPath(RoundedRect(r, radius));
}

void ThreePanels(QPainter& p, const Skin& s, const Rect& middle, const Rect& bottom) {
  const Rect& header = s.panels.header;
  for (double hx : {66.0, s.width - 110.0}) {
    Hinge(p, hx, header.bottom() - 6, middle.y + 6);
    Hinge(p, hx, middle.bottom() - 6, bottom.y + 6);
  }
  Body(p, ToRectF(header), 14);
  Body(p, ToRectF(middle), 16);
  Body(p, ToRectF(bottom), 16);
}

void PictureWell(QPainter& p, const QRectF& r) {
  p.setRenderHint(QPainter::Antialiasing);
  QRadialGradient g(r.center(), r.width() * 0.7);
  g.setColorAt(0, QColor(30, 38, 44));
  g.setColorAt(1, QColor(14, 18, 22));
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawRect(r);
}

// A thin horizontal groove for a slider, centred on y.
void Groove(QPainter& p, double x1, double x2, double y, double thickness) {
  const QRectF r(x1, y - thickness / 2, x2 - x1, thickness);
  p.setPen(Qt::NoPen);
  p.setBrush(WithAlpha(Qt::white, 20));
  p.drawPath(RoundedRect(r.adjusted(0, 0, 0, 1), thickness / 2));
  p.setBrush(QColor(6, 8, 10));
  p.drawPath(RoundedRect(r, thickness / 2));
}

// Dot-matrix caption in the 5 x 7 font, one pixel per dot, one column between letters.
void DotText(QPainter& p, int x, int y, std::string_view text, const QColor& c) {
  p.setPen(Qt::NoPen);
  p.setBrush(c);
  for (char ch : text) {
    const DotRows rows = DotGlyph(ch);
    for (int r = 0; r < 7; ++r)
      for (int col = 0; col < 5; ++col)
        if (rows[static_cast<std::size_t>(r)] & (16 >> col)) p.drawRect(x + col, y + r, 1, 1);
    x += 6;
  }
}

int DotTextWidth(std::string_view text) {
  return static_cast<int>(text.size()) * 6 - 1;
}

QImage Crop(const QImage& img, const QRect& r) {
  return img.copy(r).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// ---- Icons ---------------------------------------------------------------------------

void DrawIcon(QPainter& p, Icon icon, const QRectF& box, const QColor& c) {
  const QPointF m = box.center();
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  QPen thin(c, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  QPen round(c, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setPen(round);
  p.setBrush(c);
  switch (icon) {
    case Icon::None:
      break;
    case Icon::Play:
      Triangle(p, QPointF(m.x() + 6, m.y()), 11, 12, true);
      break;
    case Icon::Pause:
      p.drawRoundedRect(QRectF(m.x() - 4.5, m.y() - 5.5, 3, 11), 1, 1);
      p.drawRoundedRect(QRectF(m.x() + 1.5, m.y() - 5.5, 3, 11), 1, 1);
      break;
    case Icon::Stop:
      p.drawRoundedRect(QRectF(m.x() - 5, m.y() - 5, 10, 10), 1.5, 1.5);
      break;
    case Icon::Prev:
      p.drawRoundedRect(QRectF(m.x() - 6, m.y() - 5, 2, 10), 0.8, 0.8);
      Triangle(p, QPointF(m.x() - 3.5, m.y()), 9, 10, false);
      break;
    case Icon::Next:
      p.drawRoundedRect(QRectF(m.x() + 4, m.y() - 5, 2, 10), 0.8, 0.8);
      Triangle(p, QPointF(m.x() + 3.5, m.y()), 9, 10, true);
      break;
    case Icon::Eject: {
      const QPolygonF t({QPointF(m.x(), m.y() - 6), QPointF(m.x() + 5.5, m.y() + 0.5),
                         QPointF(m.x() - 5.5, m.y() + 0.5)});
      p.drawPolygon(t);
      p.drawRoundedRect(QRectF(m.x() - 5.5, m.y() + 2.5, 11, 2.5), 0.8, 0.8);
      break;
    }
    case Icon::Mute: {
      QPolygonF spk({QPointF(m.x() - 6, m.y() - 2.5), QPointF(m.x() - 3.5, m.y() - 2.5),
                     QPointF(m.x(), m.y() - 5.5), QPointF(m.x(), m.y() + 5.5),
                     QPointF(m.x() - 3.5, m.y() + 2.5), QPointF(m.x() - 6, m.y() + 2.5)});
      p.drawPolygon(spk);
      p.setBrush(Qt::NoBrush);
      p.setPen(thin);
      p.drawArc(QRectF(m.x() - 3, m.y() - 3.5, 7, 7), -50 * 16, 100 * 16);
      p.drawArc(QRectF(m.x() - 5, m.y() - 6.5, 12, 13), -50 * 16, 100 * 16);
      break;
    }
    case Icon::Minus:
      p.setPen(thin);
      p.drawLine(QPointF(m.x() - 3.5, m.y()), QPointF(m.x() + 3.5, m.y()));
      break;
    case Icon::Plus:
      p.setPen(thin);
      p.drawLine(QPointF(m.x() - 3.5, m.y()), QPointF(m.x() + 3.5, m.y()));
      p.drawLine(QPointF(m.x(), m.y() - 3.5), QPointF(m.x(), m.y() + 3.5));
      break;
    case Icon::OpenFiles: {
      p.setPen(thin);
      p.setBrush(Qt::NoBrush);
      QPainterPath doc;
      doc.moveTo(m.x() - 4.5, m.y() - 6);
      doc.lineTo(m.x() + 1.5, m.y() - 6);
      doc.lineTo(m.x() + 4.5, m.y() - 3);
      doc.lineTo(m.x() + 4.5, m.y() + 6);
      doc.lineTo(m.x() - 4.5, m.y() + 6);
      doc.closeSubpath();
      p.drawPath(doc);
      p.drawLine(QPointF(m.x() - 2, m.y() + 1.5), QPointF(m.x() + 2, m.y() + 1.5));
      p.drawLine(QPointF(m.x(), m.y() - 0.5), QPointF(m.x(), m.y() + 3.5));
      break;
    }
    case Icon::AddFolder: {
      p.setPen(thin);
      p.setBrush(Qt::NoBrush);
      QPainterPath f;
      f.moveTo(m.x() - 6.5, m.y() + 5);
      f.lineTo(m.x() - 6.5, m.y() - 5);
      f.lineTo(m.x() - 2, m.y() - 5);
      f.lineTo(m.x() - 0.5, m.y() - 3);
      f.lineTo(m.x() + 6.5, m.y() - 3);
      f.lineTo(m.x() + 6.5, m.y() + 5);
      f.closeSubpath();
      p.drawPath(f);
      p.drawLine(QPointF(m.x() - 2, m.y() + 1), QPointF(m.x() + 2, m.y() + 1));
      p.drawLine(QPointF(m.x(), m.y() - 1), QPointF(m.x(), m.y() + 3));
      break;
    }
    case Icon::LoadList: {
      p.setPen(thin);
      p.drawLine(QPointF(m.x() - 6, m.y() - 4), QPointF(m.x() + 1, m.y() - 4));
      p.drawLine(QPointF(m.x() - 6, m.y()), QPointF(m.x() + 1, m.y()));
      p.drawLine(QPointF(m.x() - 6, m.y() + 4), QPointF(m.x() - 1, m.y() + 4));
      p.drawLine(QPointF(m.x() + 4.5, m.y() - 5), QPointF(m.x() + 4.5, m.y() + 4));
      p.setPen(round);
      p.drawPolygon(QPolygonF({QPointF(m.x() + 1.5, m.y() + 2.5), QPointF(m.x() + 7.5, m.y() + 2.5),
                               QPointF(m.x() + 4.5, m.y() + 6)}));
      break;
    }
    case Icon::SaveList: {
      p.setPen(thin);
      p.setBrush(Qt::NoBrush);
      QPainterPath d;
      d.moveTo(m.x() - 5.5, m.y() - 5.5);
      d.lineTo(m.x() + 3, m.y() - 5.5);
      d.lineTo(m.x() + 5.5, m.y() - 3);
      d.lineTo(m.x() + 5.5, m.y() + 5.5);
      d.lineTo(m.x() - 5.5, m.y() + 5.5);
      d.closeSubpath();
      p.drawPath(d);
      p.drawLine(QPointF(m.x() - 2.5, m.y() - 5.5), QPointF(m.x() - 2.5, m.y() - 2.5));
      p.drawLine(QPointF(m.x() - 2.5, m.y() - 2.5), QPointF(m.x() + 2, m.y() - 2.5));
      p.drawLine(QPointF(m.x() + 2, m.y() - 2.5), QPointF(m.x() + 2, m.y() - 5.5));
      p.setBrush(c);
      p.drawRect(QRectF(m.x() - 3, m.y() + 1.5, 6, 2));
      break;
    }
    case Icon::ClearList: {
      p.setPen(thin);
      p.setBrush(Qt::NoBrush);
      p.drawLine(QPointF(m.x() - 6, m.y() - 4), QPointF(m.x() + 6, m.y() - 4));
      p.drawLine(QPointF(m.x() - 1.5, m.y() - 6), QPointF(m.x() + 1.5, m.y() - 6));
      QPainterPath bin;
      bin.moveTo(m.x() - 4.5, m.y() - 2);
      bin.lineTo(m.x() - 3.5, m.y() + 6);
      bin.lineTo(m.x() + 3.5, m.y() + 6);
      bin.lineTo(m.x() + 4.5, m.y() - 2);
      p.drawPath(bin);
      p.drawLine(QPointF(m.x() - 1, m.y()), QPointF(m.x() - 1, m.y() + 4));
      p.drawLine(QPointF(m.x() + 1, m.y()), QPointF(m.x() + 1, m.y() + 4));
      break;
    }
    case Icon::Source: {
      p.setPen(thin);
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(m, 6.0, 6.0);
      p.setBrush(c);
      p.drawEllipse(m, 1.6, 1.6);
      p.setBrush(Qt::NoBrush);
      p.setPen(QPen(WithAlpha(c, 150), 1.2, Qt::SolidLine, Qt::RoundCap));
      p.drawArc(QRectF(m.x() - 3.8, m.y() - 3.8, 7.6, 7.6), 100 * 16, 70 * 16);
      break;
    }
    case Icon::Playlist:
      p.setPen(thin);
      for (int i = -1; i <= 1; ++i) {
        p.drawPoint(QPointF(m.x() - 4, m.y() + i * 3.5));
        p.drawLine(QPointF(m.x() - 1.5, m.y() + i * 3.5), QPointF(m.x() + 4.5, m.y() + i * 3.5));
      }
      break;
    case Icon::Skin: {
      p.setPen(QPen(c, 1.3));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(m, 5.0, 5.0);
      QPainterPath half;
      half.moveTo(m);
      half.arcTo(QRectF(m.x() - 5, m.y() - 5, 10, 10), 90, 180);
      half.closeSubpath();
      p.setPen(Qt::NoPen);
      p.setBrush(c);
      p.drawPath(half);
      break;
    }
    case Icon::Prefs:
      p.setPen(thin);
      p.drawLine(QPointF(m.x() - 5, m.y() - 2.5), QPointF(m.x() + 5, m.y() - 2.5));
      p.drawLine(QPointF(m.x() - 5, m.y() + 2.5), QPointF(m.x() + 5, m.y() + 2.5));
      p.setPen(Qt::NoPen);
      p.drawEllipse(QPointF(m.x() + 2, m.y() - 2.5), 2.0, 2.0);
      p.drawEllipse(QPointF(m.x() - 2, m.y() + 2.5), 2.0, 2.0);
      break;
    case Icon::Small:
      p.setPen(QPen(c, 1.3));
      p.setBrush(Qt::NoBrush);
      p.drawRoundedRect(QRectF(m.x() - 5, m.y() - 4, 10, 8), 1.5, 1.5);
      p.setPen(Qt::NoPen);
      p.setBrush(c);
      p.drawRect(QRectF(m.x() - 5, m.y() - 4, 10, 3));
      break;
    case Icon::Hide:
      p.setPen(thin);
      p.drawLine(QPointF(m.x() - 4, m.y() + 3), QPointF(m.x() + 4, m.y() + 3));
      break;
    case Icon::Close:
      p.setPen(thin);
      p.drawLine(QPointF(m.x() - 3.5, m.y() - 3.5), QPointF(m.x() + 3.5, m.y() + 3.5));
      p.drawLine(QPointF(m.x() + 3.5, m.y() - 3.5), QPointF(m.x() - 3.5, m.y() + 3.5));
      break;
    case Icon::Radio:
      p.setRenderHint(QPainter::Antialiasing, false);
      DotText(p, static_cast<int>(std::lround(m.x() - 5.5)),
              static_cast<int>(std::lround(m.y() - 3.5)), "FM", c);
      break;
    case Icon::WebRadio:
      p.setRenderHint(QPainter::Antialiasing, false);
      DotText(p, static_cast<int>(std::lround(m.x() - 5.5)),
              static_cast<int>(std::lround(m.y() - 3.5)), "WR", c);
      break;
    case Icon::Globe:
      p.setBrush(Qt::NoBrush);
      p.setPen(QPen(c, 1.2));
      p.drawEllipse(m, 5.5, 5.5);
      p.drawEllipse(m, 2.3, 5.5);
      p.drawLine(QPointF(m.x() - 5.5, m.y()), QPointF(m.x() + 5.5, m.y()));
      break;
    case Icon::Reload: {
      p.setBrush(Qt::NoBrush);
      p.setPen(QPen(c, 1.6, Qt::SolidLine, Qt::RoundCap));
      p.drawArc(QRectF(m.x() - 5, m.y() - 5, 10, 10), 60 * 16, 280 * 16);
      p.setPen(Qt::NoPen);
      p.setBrush(c);
      p.drawPolygon(QPolygonF({QPointF(m.x() + 1.5, m.y() - 7.5), QPointF(m.x() + 5.5, m.y() - 4.5),
                               QPointF(m.x() + 1.5, m.y() - 1.5)}));
      break;
    }
    case Icon::Home:
      p.setPen(Qt::NoPen);
      p.setBrush(c);
      p.drawPolygon(QPolygonF({QPointF(m.x() - 6, m.y() - 0.5), QPointF(m.x(), m.y() - 6.5),
                               QPointF(m.x() + 6, m.y() - 0.5)}));
      p.drawRect(QRectF(m.x() - 4, m.y() - 0.5, 8, 6));
      p.setBrush(kResFill);
      p.drawRect(QRectF(m.x() - 1.2, m.y() + 1.5, 2.4, 4));
      break;
    case Icon::Keypad:
      p.setPen(QPen(c, 1.2));
      p.setBrush(Qt::NoBrush);
      p.drawRoundedRect(QRectF(m.x() - 4.5, m.y() - 6, 9, 12), 1.5, 1.5);
      p.setPen(Qt::NoPen);
      p.setBrush(c);
      p.drawRect(QRectF(m.x() - 2.5, m.y() - 4, 5, 2));
      for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 2; ++col)
          p.drawRect(QRectF(m.x() - 2.5 + col * 3.2, m.y() + row * 2.6, 1.8, 1.6));
      break;
    case Icon::Page:
      p.setPen(QPen(c, 1.2));
      p.setBrush(Qt::NoBrush);
      p.drawRect(QRectF(m.x() - 4, m.y() - 5.5, 8, 11));
      for (int line = 0; line < 3; ++line)
        p.drawLine(QPointF(m.x() - 2, m.y() - 2.5 + line * 2.7),
                   QPointF(m.x() + 2, m.y() - 2.5 + line * 2.7));
      break;
    case Icon::Clock:
      p.setBrush(Qt::NoBrush);
      p.setPen(QPen(c, 1.3));
      p.drawEllipse(m, 5.5, 5.5);
      p.setPen(QPen(c, 1.3, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(m, m + QPointF(0, -3.8));
      p.drawLine(m, m + QPointF(2.8, 0));
      break;
    case Icon::Note: {
      p.setPen(Qt::NoPen);
      p.save();
      p.translate(m.x() - 2, m.y() + 3.2);
      p.rotate(-20);
      p.drawEllipse(QPointF(0, 0), 2.6, 1.9);
      p.restore();
      p.drawRect(QRectF(m.x() + 0.1, m.y() - 5, 1.2, 8));
      QPainterPath flag;
      flag.moveTo(m.x() + 1.3, m.y() - 5);
      flag.cubicTo(m.x() + 2, m.y() - 3, m.x() + 5, m.y() - 2.5, m.x() + 3.8, m.y() + 0.5);
      flag.cubicTo(m.x() + 4, m.y() - 1.5, m.x() + 2.5, m.y() - 2, m.x() + 1.3, m.y() - 2.4);
      flag.closeSubpath();
      p.drawPath(flag);
      break;
    }
    case Icon::ScanDown:
      Triangle(p, QPointF(m.x() - 6, m.y()), 6, 9, false);
      Triangle(p, QPointF(m.x(), m.y()), 6, 9, false);
      p.drawRoundedRect(QRectF(m.x() + 5, m.y() - 4.5, 1.6, 9), 0.6, 0.6);
      break;
    case Icon::ScanUp:
      Triangle(p, QPointF(m.x() + 6, m.y()), 6, 9, true);
      Triangle(p, QPointF(m.x(), m.y()), 6, 9, true);
      p.drawRoundedRect(QRectF(m.x() - 6.6, m.y() - 4.5, 1.6, 9), 0.6, 0.6);
      break;
    case Icon::StepDown:
    case Icon::StepUp: {
      const double dir = icon == Icon::StepUp ? 1 : -1;
      p.setPen(QPen(c, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      p.setBrush(Qt::NoBrush);
      p.drawPolyline(
          QPolygonF({QPointF(m.x() - 2 * dir, m.y() - 5), QPointF(m.x() + 2.5 * dir, m.y()),
                     QPointF(m.x() - 2 * dir, m.y() + 5)}));
      break;
    }
    case Icon::Add:
      p.setPen(thin);
      p.drawLine(QPointF(m.x() - 4.5, m.y()), QPointF(m.x() + 4.5, m.y()));
      p.drawLine(QPointF(m.x(), m.y() - 4.5), QPointF(m.x(), m.y() + 4.5));
      break;
    case Icon::Remove:
      p.setPen(thin);
      p.drawLine(QPointF(m.x() - 4.5, m.y()), QPointF(m.x() + 4.5, m.y()));
      break;
    case Icon::MoveUp:
    case Icon::MoveDown: {
      const double dir = icon == Icon::MoveDown ? 1 : -1;
      p.setPen(thin);
      p.drawLine(QPointF(m.x(), m.y() - 4.5 * dir), QPointF(m.x(), m.y() + 5 * dir));
      p.setPen(round);
      p.drawPolygon(
          QPolygonF({QPointF(m.x(), m.y() + 5.5 * dir), QPointF(m.x() - 3.5, m.y() + 1.5 * dir),
                     QPointF(m.x() + 3.5, m.y() + 1.5 * dir)}));
      break;
    }
  }
  p.restore();
}

// ---- Buttons -------------------------------------------------------------------------

void DrawButton(QPainter& p, const Button& b, bool pressed) {
  const QRectF r = ToRectF(b.r);
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const QPointF shift(0, pressed ? 1 : 0);
  switch (b.look) {
    case ButtonLook::Transport:
    case ButtonLook::Tool:
    case ButtonLook::Preset: {
      const double radius = b.look == ButtonLook::Transport ? 8
                            : b.look == ButtonLook::Tool    ? 6
                                                            : 5;
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(0, 0, 0, 120));
      p.drawPath(RoundedRect(r.adjusted(0, 1, 0, 1), radius));
      p.setBrush(kEdge);
      p.drawPath(RoundedRect(r, radius));
      QLinearGradient g(r.topLeft(), r.bottomLeft());
      if (pressed) {
        g.setColorAt(0, QColor(20, 24, 29));
        g.setColorAt(1, QColor(31, 36, 43));
      } else {
        g.setColorAt(0, QColor(58, 66, 78));
        g.setColorAt(1, QColor(38, 44, 53));
      }
      p.setBrush(g);
      p.drawPath(RoundedRect(r.adjusted(1, 1, -1, -1), radius - 1));
      if (!pressed) {
        p.setPen(QPen(WithAlpha(Qt::white, 34), 1));
        p.drawLine(QPointF(r.left() + radius, r.top() + 1.5),
                   QPointF(r.right() - radius, r.top() + 1.5));
      }
      if (b.look == ButtonLook::Preset) {
        p.setRenderHint(QPainter::Antialiasing, false);
        DotText(p, b.r.x + (b.r.w - DotTextWidth(b.caption)) / 2,
                b.r.y + (b.r.h - 7) / 2 + (pressed ? 1 : 0), b.caption,
                pressed ? kTealBright : kIcon);
      }
      DrawIcon(p, b.icon, r.translated(shift), pressed ? kTealBright : kIcon);
      break;
    }
    case ButtonLook::Play: {
      const QPointF c = r.center();
      const double rad = r.width() / 2;
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(0, 0, 0, 130));
      p.drawEllipse(c + QPointF(0, 1), rad, rad);
      p.setBrush(kEdge);
      p.drawEllipse(c, rad, rad);
      QLinearGradient g(r.topLeft(), r.bottomLeft());
      if (pressed) {
        g.setColorAt(0, QColor(10, 112, 101));
        g.setColorAt(1, QColor(22, 160, 144));
      } else {
        g.setColorAt(0, QColor(104, 236, 214));
        g.setColorAt(1, QColor(24, 170, 152));
      }
      p.setBrush(g);
      p.drawEllipse(c, rad - 1, rad - 1);
      if (!pressed) {
        QRadialGradient shine(c.x(), r.top() + 6, rad);
        shine.setColorAt(0, WithAlpha(Qt::white, 70));
        shine.setColorAt(1, WithAlpha(Qt::white, 0));
        p.setBrush(shine);
        p.drawEllipse(c, rad - 1, rad - 1);
      }
      DrawIcon(p, b.icon, r.translated(1.5, shift.y()),
               pressed ? QColor(200, 255, 244) : QColor(6, 36, 33));
      break;
    }
    case ButtonLook::Window: {
      if (pressed) {
        p.setPen(Qt::NoPen);
        p.setBrush(b.icon == Icon::Close ? WithAlpha(kCoral, 200) : WithAlpha(kTeal, 70));
        p.drawEllipse(r.center(), r.width() / 2, r.height() / 2);
      } else {
        p.setPen(Qt::NoPen);
        p.setBrush(WithAlpha(Qt::white, 14));
        p.drawEllipse(r.center(), r.width() / 2, r.height() / 2);
      }
      // Links to another skin are inked in the accent: they change the whole window.
      const QColor rest = b.link.empty() ? kIconDim : kLcdInk;
      const QColor ink = pressed ? (b.icon == Icon::Close ? Qt::white : kTealBright) : rest;
      DrawIcon(p, b.icon, r.translated(shift), ink);
      break;
    }
    case ButtonLook::Mini:
      p.setPen(Qt::NoPen);
      p.setBrush(pressed ? WithAlpha(kTeal, 60) : WithAlpha(Qt::white, 12));
      p.drawEllipse(r.center(), r.width() / 2, r.height() / 2);
      DrawIcon(p, b.icon, r.translated(shift), pressed ? kTealBright : kIconDim);
      break;
    case ButtonLook::Toggle: {
      const double radius = r.height() / 2;
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(0, 0, 0, 110));
      p.drawPath(RoundedRect(r.adjusted(0, 1, 0, 1), radius));
      p.setBrush(kEdge);
      p.drawPath(RoundedRect(r, radius));
      QLinearGradient g(r.topLeft(), r.bottomLeft());
      if (pressed) {
        g.setColorAt(0, QColor(18, 22, 27));
        g.setColorAt(1, QColor(28, 33, 40));
      } else {
        g.setColorAt(0, QColor(52, 59, 70));
        g.setColorAt(1, QColor(37, 43, 51));
      }
      p.setBrush(g);
      p.drawPath(RoundedRect(r.adjusted(1, 1, -1, -1), radius - 1));
      if (!pressed) {
        p.setPen(QPen(WithAlpha(Qt::white, 30), 1));
        p.drawLine(QPointF(r.left() + radius, r.top() + 1.5),
                   QPointF(r.right() - radius, r.top() + 1.5));
      }
      p.setRenderHint(QPainter::Antialiasing, false);
      const int tw = DotTextWidth(b.caption);
      DotText(p, b.r.x + (b.r.w - tw) / 2, b.r.y + (b.r.h - 7) / 2 + (pressed ? 1 : 0), b.caption,
              pressed ? kTealBright : kCaption);
      break;
    }
  }
  p.restore();
}

// ---- Glyph cells ---------------------------------------------------------------------

// One seven-segment cell: ghost segments always, lit ones with a soft glow. The point
// and colon sit in the left gap-width part of their cell.
void SegmentCell(QImage& cell, int index, int gapWidth, double thickness) {
  const double w = cell.width();
  const double h = cell.height();
  const double slant = 0.07;
  const double margin = std::max(1.5, w * 0.13);
  const QRectF box(margin, margin, w - 2 * margin - slant * h / 2, h - 2 * margin);
  const double gap = thickness * 0.28;

  QImage lit(cell.size(), QImage::Format_ARGB32_Premultiplied);
  lit.fill(Qt::transparent);
  {
    QPainter p(&lit);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(kGlyphLit);
    if (index <= 9 || index == 13) {
      const unsigned on = SegmentsOf(index == 13 ? '-' : static_cast<char>('0' + index));
      for (unsigned s = kA; s <= kG; s <<= 1)
        if (on & s) p.drawPolygon(SegmentPolygon(s, box, thickness, gap, slant));
    } else if (index == 11) {
      const double d = thickness * 1.1;
      p.drawRoundedRect(QRectF((gapWidth - d) / 2.0, box.bottom() - d + 0.5, d, d), 0.8, 0.8);
    } else if (index == 12) {
      const double d = thickness * 1.1;
      const double x = (gapWidth - d) / 2.0;
      p.drawRoundedRect(QRectF(x + 0.6, box.top() + box.height() * 0.30 - d / 2, d, d), 0.8, 0.8);
      p.drawRoundedRect(QRectF(x - 0.3, box.top() + box.height() * 0.72 - d / 2, d, d), 0.8, 0.8);
    }
  }

  QPainter p(&cell);
  p.setRenderHint(QPainter::Antialiasing);
  if (index <= 10 || index == 13) {
    p.setPen(Qt::NoPen);
    p.setBrush(WithAlpha(kGlyphGlow, 20));
    for (unsigned s = kA; s <= kG; s <<= 1)
      p.drawPolygon(SegmentPolygon(s, box, thickness, gap, slant));
  }
  QImage glow = Blur(lit, 2);
  p.setOpacity(0.55);
  p.drawImage(0, 0, glow);
  p.setOpacity(1.0);
  p.drawImage(0, 0, lit);
}

// One dot-matrix cell: the glyph's lit dots over a faint grid of unlit ones.
void DotCell(QImage& cell, char c) {
  const int pitch = 2;
  const int ox = (cell.width() - 5 * pitch) / 2;
  const int oy = (cell.height() - 7 * pitch) / 2;
  const DotRows rows = DotGlyph(c);

  QImage lit(cell.size(), QImage::Format_ARGB32_Premultiplied);
  lit.fill(Qt::transparent);
  {
    QPainter p(&lit);
    for (int r = 0; r < 7; ++r)
      for (int col = 0; col < 5; ++col)
        if (c != 0 && (rows[static_cast<std::size_t>(r)] & (16 >> col))) {
          p.fillRect(ox + col * pitch, oy + r * pitch, pitch, pitch, kGlyphLit);
          // The lower right quarter of each dot a little darker: the dots read as dots.
          p.fillRect(ox + col * pitch + 1, oy + r * pitch + 1, 1, 1,
                     Mix(kGlyphLit, kGlyphGlow, 0.6));
        }
  }
  QPainter p(&cell);
  for (int r = 0; r < 7; ++r)
    for (int col = 0; col < 5; ++col)
      p.fillRect(ox + col * pitch, oy + r * pitch, 1, 1, WithAlpha(kGlyphGlow, 22));
  p.setOpacity(0.5);
  p.drawImage(0, 0, Blur(lit, 1));
  p.setOpacity(1.0);
  p.drawImage(0, 0, lit);
}

void Wordmark(QPainter& p, double x, double baseline) {
  const double xh = 10;
  const double top = baseline - xh;
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  QPen pen(QColor(226, 232, 238), 2.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  // v
  p.drawPolyline(
      QPolygonF({QPointF(x, top + 1), QPointF(x + 4.2, baseline - 1), QPointF(x + 8.4, top + 1)}));
  x += 12;
  // a: a bowl and a stem
  p.drawEllipse(QRectF(x, top + 1, 8.5, xh - 2));
  p.drawLine(QPointF(x + 8.5, top + 1), QPointF(x + 8.5, baseline - 1));
  x += 12.5;
  // r
  p.drawLine(QPointF(x, top + 1), QPointF(x, baseline - 1));
  QPainterPath arc;
  arc.moveTo(x, top + 5.5);
  arc.cubicTo(x, top + 2, x + 3, top + 1, x + 6, top + 1.2);
  p.drawPath(arc);
  x += 9.5;
  // l
  p.drawLine(QPointF(x, baseline - 14), QPointF(x, baseline - 1));
  x += 4;
  // o, in the accent colour
  pen.setColor(kTeal);
  p.setPen(pen);
  p.drawEllipse(QRectF(x, top + 1, 9, xh - 2));
  p.restore();
}

void Hinge(QPainter& p, double x, double y1, double y2) {
  const QRectF r(x, y1, 44, y2 - y1);
  QLinearGradient g(r.topLeft(), r.topRight());
  g.setColorAt(0, QColor(16, 19, 23));
  g.setColorAt(0.5, QColor(34, 39, 46));
  g.setColorAt(1, QColor(16, 19, 23));
  p.setPen(Qt::NoPen);
  p.setBrush(kEdge);
  p.drawRoundedRect(r, 3, 3);
  p.setBrush(g);
  p.drawRoundedRect(r.adjusted(1, 0, -1, 0), 2, 2);
}

// An indicator's unlit look: the light's own shape, dimmed, in a dark socket.
void Socket(QPainter& p, const Light& l) {
  const QRectF r = ToRectF(l.r);
  const QColor off = Mix(QColor(10, 12, 15), ToColor(l.colour), 0.22);
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  auto shape = [&](const QRectF& s) {
    switch (l.shape) {
      case 1:
      case 5: {
        const double d = std::min(s.width(), s.height());
        const QRectF q(s.center().x() - d / 2, s.center().y() - d / 2, d, d);
        if (l.shape == 1)
          p.drawRect(q);
        else
          p.drawRoundedRect(q, d / 4, d / 4);
        break;
      }
      case 2:
        p.drawEllipse(s);
        break;
      case 3: {
        const double d = std::min(s.width(), s.height());
        p.drawEllipse(s.center(), d / 2, d / 2);
        break;
      }
      case 4:
        p.drawRoundedRect(s, std::min(s.width(), s.height()) / 3,
                          std::min(s.width(), s.height()) / 3);
        break;
      default:
        p.drawRect(s);
    }
  };
  p.setBrush(WithAlpha(Qt::white, 18));
  shape(r.adjusted(-1.5, -1, 1.5, 2));
  p.setBrush(QColor(4, 5, 7));
  shape(r.adjusted(-1.5, -1.5, 1.5, 1.5));
  p.setBrush(off);
  shape(r);
  p.restore();
}

}  // namespace parts

namespace {

// Equaliser bar heights of frame f (0 = resting: the bars form a V).
std::array<double, 5> BarHeights(int frame, int frames, int maxHeight) {
  std::array<double, 5> h{};
  if (frame == 0) {
    const double v[5] = {1.0, 0.62, 0.3, 0.62, 1.0};
    for (std::size_t i = 0; i < 5; ++i) h[i] = v[i] * maxHeight;
    return h;
  }
  // Each bar a sum of two waves whose periods divide the running cycle, so the loop of
  // running frames joins without a jump.
  const int running = frames - 1;
  const double t = 2 * std::numbers::pi * (frame - 1) / running;
  const int k1[5] = {1, 2, 3, 2, 1};
  const int k2[5] = {3, 4, 2, 5, 4};
  const double ph[5] = {0.3, 1.9, 4.0, 0.8, 2.7};
  for (std::size_t i = 0; i < 5; ++i) {
    const double v =
        0.6 + 0.28 * std::sin(k1[i] * t + ph[i]) + 0.18 * std::sin(k2[i] * t + ph[i] * 1.7);
    h[i] = std::clamp(v, 0.18, 1.0) * maxHeight;
  }
  return h;
}

void EqualiserFrame(QImage& cell, int frame, int frames) {
  QPainter p(&cell);
  p.setRenderHint(QPainter::Antialiasing);
  const double bar = 3;
  const double step = 4;
  const double x0 = (cell.width() - (4 * step + bar)) / 2.0;
  const double bottom = cell.height() - 1.0;
  const auto hs = BarHeights(frame, frames, cell.height() - 2);
  for (std::size_t i = 0; i < 5; ++i) {
    const QRectF r(x0 + static_cast<double>(i) * step, bottom - hs[i], bar, hs[i]);
    QLinearGradient g(QPointF(0, bottom), QPointF(0, 1));
    g.setColorAt(0, kTealDeep);
    g.setColorAt(0.5, kTeal);
    g.setColorAt(1, kTealBright);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(r, 1.4, 1.4);
  }
}

// ---- The window ----------------------------------------------------------------------

void CoverPlaceholder(QPainter& p, const Rect& c) {
  const QRectF r = ToRectF(c);
  p.save();
  PictureWell(p, r);
  // A record: grooves and a teal label.
  const QPointF m = r.center();
  p.setBrush(QColor(9, 11, 14));
  p.drawEllipse(m, 34.0, 34.0);
  p.setBrush(Qt::NoBrush);
  for (double rad = 14; rad < 33; rad += 3.2) {
    p.setPen(QPen(WithAlpha(Qt::white, 10 + static_cast<int>(rad) % 3 * 3), 0.8));
    p.drawEllipse(m, rad, rad);
  }
  p.setPen(QPen(WithAlpha(Qt::white, 40), 1.2));
  p.drawArc(QRectF(m.x() - 28, m.y() - 28, 56, 56), 110 * 16, 45 * 16);
  p.setPen(Qt::NoPen);
  p.setBrush(kTealDeep);
  p.drawEllipse(m, 11.0, 11.0);
  p.setBrush(QColor(9, 11, 14));
  p.drawEllipse(m, 2.0, 2.0);
  p.restore();
}

// Draws every fixed part of the window: panels, wells, grooves, captions, sockets.
void Background(QPainter& p, const Skin& s) {
  p.setRenderHint(QPainter::Antialiasing);
  const Panels& pan = s.panels;
  // Hinges between the panels, drawn first so the panels overlap them.
  for (double hx : {66.0, 370.0}) {
    Hinge(p, hx, pan.header.bottom() - 6, pan.deck.y + 6);
    Hinge(p, hx, pan.deck.bottom() - 6, pan.playlist.y + 6);
    Hinge(p, hx, pan.playlist.bottom() - 6, pan.lyrics.y + 6);
  }
  Body(p, ToRectF(pan.header), 14);
  Body(p, ToRectF(pan.deck), 16);
  Body(p, ToRectF(pan.playlist), 16);
  Body(p, ToRectF(pan.lyrics), 16);

  // Header: wordmark, marquee slot.
  Wordmark(p, 44, 26);
  Well(p, ToRectF(s.marquee), 6, kLcdTop, kLcdBottom);

  // Deck: cover, display, seek groove, volume.
  Well(p, ToRectF(s.cover), 8, kWellTop, kWellBottom);
  CoverPlaceholder(p, s.contents.front().r);
  Well(p, ToRectF(s.lcd), 8, kLcdTop, kLcdBottom);
  {
    // Printed transport symbols beside the state lights.
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(kLcdInk);
    const double ix = 149;
    p.drawPolygon(QPolygonF({QPointF(ix, 66), QPointF(ix + 6, 69.5), QPointF(ix, 73)}));
    p.drawRect(QRectF(ix, 80, 2, 7));
    p.drawRect(QRectF(ix + 4, 80, 2, 7));
    p.drawRect(QRectF(ix, 94, 6, 7));
    p.restore();
    // Divider between time and titles.
    p.setPen(QPen(WithAlpha(kTeal, 40), 1));
    p.drawLine(QPointF(240.5, 66), QPointF(240.5, 108));
    p.setRenderHint(QPainter::Antialiasing, false);
    DotText(p, 250, 86, "TRK", kLcdInk);
    p.setRenderHint(QPainter::Antialiasing);
  }
  const Slider& seek = s.slider(1);
  Groove(p, seek.x + seek.kw / 2.0 - 1, seek.x + seek.w + seek.kw / 2.0 + 1, seek.y + seek.kh / 2.0,
         4);

  const Slider& vol = s.slider(2);
  Groove(p, vol.x + vol.kw / 2.0 - 1, vol.x + vol.w + vol.kw / 2.0 + 1, vol.y + vol.kh / 2.0, 3);
  p.setRenderHint(QPainter::Antialiasing, false);
  DotText(p, vol.x, 136, "VOL", kCaption);
  p.setRenderHint(QPainter::Antialiasing);
  {
    const Slider& lv = s.slider(4);
    p.fillRect(QRect(lv.x - 1, lv.y - 1, lv.kw + 2, lv.kh + 2), QColor(6, 8, 10));
    for (int x = 0; x < lv.kw; x += 3)
      p.fillRect(QRect(lv.x + x, lv.y, 2, lv.kh), QColor(24, 40, 42));
  }

  // Playlist panel: list well, balance groove with centre mark.
  Well(p, ToRectF(s.listFrame), 7, ToColor(s.area(1).back), ToColor(s.area(1).back));
  const Slider& bal = s.slider(3);
  const double by = bal.y + bal.kh / 2.0;
  Groove(p, bal.x + bal.kw / 2.0 - 1, bal.x + bal.w + bal.kw / 2.0 + 1, by, 3);
  p.setPen(QPen(kCaption, 1));
  const double mid = bal.x + bal.w / 2.0 + bal.kw / 2.0;
  p.drawLine(QPointF(mid, by + 4), QPointF(mid, by + 6));
  p.setRenderHint(QPainter::Antialiasing, false);
  DotText(p, static_cast<int>(mid) - DotTextWidth("BAL") / 2, bal.y - 9, "BAL", kCaption);
  DotText(p, bal.x - 1, bal.y - 9, "L", WithAlpha(kCaption, 120));
  DotText(p, bal.x + bal.w + bal.kw - 4, bal.y - 9, "R", WithAlpha(kCaption, 120));
  p.setRenderHint(QPainter::Antialiasing);

  // Lyrics panel: list well, and a display window with a caption and a marker at the
  // current line.
  Well(p, ToRectF(s.lyricFrame), 7, ToColor(s.area(4).back), ToColor(s.area(4).back));
  Well(p, ToRectF(s.lyricLcd), 8, kLcdTop, kLcdBottom);
  {
    const Label& prev = s.label(72);
    const Label& cur = s.label(70);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(kTeal);
    const double my = cur.r.y + 6.5;  // middle of the text's lower-case letters
    const double mx = s.lyricLcd.x + 5;
    p.drawPolygon(QPolygonF({QPointF(mx, my - 3.5), QPointF(mx + 5, my), QPointF(mx, my + 3.5)}));
    p.restore();
    p.setRenderHint(QPainter::Antialiasing, false);
    const char* caption = "LYRICS";
    DotText(p, s.lyricLcd.right() - 8 - DotTextWidth(caption), prev.r.y + 2, caption, kLcdInk);
    p.setRenderHint(QPainter::Antialiasing);
  }

  for (const Light& l : s.lights) Socket(p, l);
}

// A knob's picture over the background of the middle of its track.
QImage Knob(const QImage& bare, const Slider& k) {
  if (k.look == KnobLook::Level) {
    QImage cell = Crop(bare, QRect(k.x, k.y, k.kw, k.kh));
    QPainter p(&cell);
    for (int x = 0; x < k.kw; x += 3) {
      const double t = static_cast<double>(x) / k.kw;
      p.fillRect(QRect(x, 0, 2, k.kh), Mix(kTealDeep, kTealBright, t));
    }
    return cell;
  }
  if (k.look == KnobLook::Needle) {
    // A lit hairline with a soft glow, over the ground of the scale left of the travel's
    // start, where nothing is marked: what the pointer stands on hides under it.
    QImage cell = Crop(bare, QRect(k.x - 2, k.y, 1, k.kh)).scaled(k.kw, k.kh);
    QImage lit(cell.size(), QImage::Format_ARGB32_Premultiplied);
    lit.fill(Qt::transparent);
    {
      QPainter q(&lit);
      const int mid = k.kw / 2;
      q.fillRect(QRect(mid - 1, 1, 3, k.kh - 2), WithAlpha(kTeal, 150));
      q.fillRect(QRect(mid, 0, 1, k.kh), QColor(214, 255, 246));
    }
    QPainter p(&cell);
    p.drawImage(0, 0, Blur(lit, 2));
    p.drawImage(0, 0, lit);
    return cell;
  }
  QImage cell = Crop(bare, QRect(k.x + k.w / 2, k.y, k.kw, k.kh));
  QPainter p(&cell);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  const QRectF r(0.5, 0.5, k.kw - 1.0, k.kh - 1.0);
  const double radius = std::min(r.width(), r.height()) / 2;
  p.setBrush(QColor(0, 0, 0, 150));
  p.drawRoundedRect(r.adjusted(-0.5, 0, 0.5, 0.5), radius, radius);
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0, QColor(240, 246, 250));
  g.setColorAt(1, QColor(170, 184, 196));
  p.setBrush(g);
  p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius - 0.5, radius - 0.5);
  p.setBrush(k.n == 1 ? kTeal : kTealDeep);
  const double dot = std::min(r.width(), r.height()) * 0.36;
  p.drawEllipse(r.center(), dot / 2 + (k.n == 1 ? 0.4 : 0), dot / 2);
  return cell;
}

}  // namespace

Bitmaps PaintSkin(const Skin& s) {
  const QColor key = ToColor(s.transparent);

  QImage canvas(s.width, s.height, QImage::Format_ARGB32_Premultiplied);
  canvas.fill(Qt::transparent);
  {
    QPainter p(&canvas);
    if (s.kind == SkinKind::Radio)
      RadioBackground(p, s);
    else if (s.kind == SkinKind::Calculator || s.kind == SkinKind::Notepad)
      DeskBackground(p, s);
    else if (s.kind == SkinKind::Clock)
      ClockBackground(p, s);
    else if (s.kind == SkinKind::Screensaver)
      SaverBackground(p, s);
    else if (s.kind == SkinKind::WebRadio || s.kind == SkinKind::Browser)
      WebBackground(p, s);
    else
      Background(p, s);
  }
  const QImage bare = Flatten(canvas, key);
  // The screen saver shows its digits and frames on the screen's plain background, not on its
  // main bitmap.
  const bool onScreen = s.kind == SkinKind::Screensaver;
  const auto backOf = [&](const QRect& r) {
    if (!onScreen) return Crop(bare, r);
    QImage plain(r.size(), QImage::Format_ARGB32_Premultiplied);
    plain.fill(ToColor(s.background));
    return plain;
  };

  // Glyph strips and frames, each over the background of the place it is shown at.
  QImage res(s.resWidth, s.resHeight, QImage::Format_ARGB32_Premultiplied);
  res.fill(kResFill);
  QPainter rp(&res);

  for (const DigitDisplay& d : s.digits) {
    const QImage back = backOf(QRect(d.x, d.y, d.w, d.h));
    if (d.d1 == 0) {
      for (int i = 0; i < 14; ++i) {
        QImage cell = back;
        SegmentCell(cell, i, d.gap, d.stroke);
        rp.drawImage(d.sx + i * d.w, d.sy, cell);
      }
      continue;
    }
    for (int row = 0; row < kGridRows; ++row)
      for (int col = 0; col < kGridColumns; ++col) {
        QImage cell = back;
        DotCell(cell, GridChar(row, col));
        rp.drawImage(d.sx + col * d.w, d.sy + row * d.h, cell);
      }
  }

  for (const Animation& a : s.animations) {
    const QImage back = backOf(QRect(a.x, a.y, a.w, a.h));
    const int frames = a.rows * a.cols;
    for (int f = 0; f < frames; ++f) {
      QImage cell = back;
      if (a.look == AnimLook::Orbit)
        OrbitFrame(cell, f, frames);
      else
        EqualiserFrame(cell, f, frames);
      rp.drawImage(a.sx + (f % a.cols) * a.w, a.sy + (f / a.cols) * a.h, cell);
    }
  }

  for (const Slider& k : s.sliders) rp.drawImage(k.sx, k.sy, Knob(bare, k));

  // Buttons: the window shows them raised, the resource bitmap holds them pressed.
  QImage pressedCanvas = canvas.copy();
  {
    QPainter p(&canvas);
    QPainter q(&pressedCanvas);
    for (const Button& b : s.buttons) {
      if (b.keyOnly()) continue;
      DrawButton(p, b, false);
      DrawButton(q, b, true);
    }
  }
  const QImage pressed = Flatten(pressedCanvas, key);
  for (const Button& b : s.buttons)
    if (!b.keyOnly()) rp.drawImage(b.sx, b.sy, pressed.copy(ToRect(b.r)));

  // Before the player draws its first frame the displays show their unlit cells, a
  // clock its colon, and the animations rest (not on the saver's bitmap: they are not on it).
  if (!onScreen) {
    QPainter p(&canvas);
    for (const DigitDisplay& d : s.digits) {
      int x = d.x;
      for (int i = 0; i < d.cells(); ++i) {
        int cx = d.sx + 10 * d.w;  // blank cell
        int cw = d.w;
        if (d.d1 != 0) cx = d.sx + 29 * d.w;
        const bool clockColon = d.d1 == 0 && d.style == 0 && i == 2;
        const bool point = d.d1 == 0 && d.style == 3 && i == 3;
        if (clockColon) cx = d.sx + 12 * d.w;
        if (clockColon || point) cw = d.gap;
        if (!point) p.drawImage(QPoint(x, d.y), res, QRect(cx, d.sy, cw, d.h));
        x += cw + d.d2;
      }
    }
    for (const Animation& a : s.animations)
      p.drawImage(QPoint(a.x, a.y), res, QRect(a.sx, a.sy, a.w, a.h));
  }
  rp.end();

  Bitmaps out;
  out.main = Flatten(canvas, key);
  out.resource = res.convertToFormat(QImage::Format_RGB32);
  return out;
}

// ---- Preview -------------------------------------------------------------------------

namespace parts {

void PreviewNumeric(QPainter& p, const QImage& res, const DigitDisplay& d, std::string_view text) {
  int x = d.x;
  for (char c : text) {
    int cell = 10;
    int cw = d.w;
    if (c >= '0' && c <= '9') cell = c - '0';
    if (c == '.' || c == ':') {
      cell = c == '.' ? 11 : 12;
      cw = d.gap;
    }
    if (c == '-') cell = 13;
    p.drawImage(QPoint(x, d.y), res, QRect(d.sx + cell * d.w, d.sy, cw, d.h));
    x += cw + d.d2;
  }
}

void PreviewLights(QPainter& p, const Skin& s, const std::vector<int>& on) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  for (const Light& l : s.lights) {
    if (std::find(on.begin(), on.end(), l.n) == on.end()) continue;
    p.setPen(Qt::NoPen);
    p.setBrush(ToColor(l.colour));
    const QRectF r = ToRectF(l.r);
    const double d = std::min(r.width(), r.height());
    const QRectF sq(r.center().x() - d / 2, r.center().y() - d / 2, d, d);
    switch (l.shape) {
      case 1:
        p.drawRect(sq);
        break;
      case 2:
        p.drawEllipse(r);
        break;
      case 3:
        p.drawEllipse(sq);
        break;
      case 4:
        p.drawRoundedRect(r, d / 3, d / 3);
        break;
      case 5:
        p.drawRoundedRect(sq, d / 4, d / 4);
        break;
      default:
        p.drawRect(r);
    }
  }
  p.restore();
}

void PreviewLabel(QPainter& p, const Label& l, const std::string& text) {
  QFont f(QString::fromStdString(l.font.substr(0, l.font.find(':'))));
  f.setPointSize(l.size);
  f.setBold(l.font.find(":B") != std::string::npos);
  p.setFont(f);
  p.setPen(ToColor(l.colour));
  p.drawText(ToRectF(l.r), Qt::AlignLeft | Qt::AlignTop, QString::fromStdString(text));
}

void PreviewButtons(QPainter& p, const Skin& s, const QImage& res, const std::vector<int>& pressed,
                    int hovered) {
  p.save();
  for (const Button& b : s.buttons) {
    if (b.keyOnly()) continue;
    if (std::find(pressed.begin(), pressed.end(), b.code) != pressed.end())
      p.drawImage(QPoint(b.r.x, b.r.y), res, QRect(b.sx, b.sy, b.r.w, b.r.h));
    if (b.code == hovered) {
      p.setRenderHint(QPainter::Antialiasing, false);
      p.setPen(QColor(200, 200, 200));
      p.setBrush(Qt::NoBrush);
      p.drawRect(QRect(b.r.x, b.r.y, b.r.w - 1, b.r.h - 1));
    }
  }
  p.restore();
}

QImage OnDesktop(const QImage& window, const Skin& s, const QImage& main) {
  QImage img = window.convertToFormat(QImage::Format_RGB32);
  const QRgb keyRgb = ToColor(s.transparent).rgb();
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (main.pixel(x, y) == keyRgb) img.setPixel(x, y, qRgb(92, 98, 106));
  return img;
}

}  // namespace parts

QImage Preview(const Skin& s, const Bitmaps& bm, const PreviewState& st) {
  QImage img = bm.main.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  QPainter p(&img);
  const QImage& res = bm.resource;

  PreviewNumeric(p, res, s.digit(1), st.time);
  PreviewNumeric(p, res, s.digit(2), st.track);
  {
    const DigitDisplay& d = s.digit(6);
    for (int i = 0; i < d.cells(); ++i) {
      const char c =
          i < static_cast<int>(st.name.size()) ? st.name[static_cast<std::size_t>(i)] : ' ';
      int row = 0;
      int col = 0;
      GridCellOf(c, row, col);
      p.drawImage(QPoint(d.x + i * (d.w + d.d2), d.y), res,
                  QRect(d.sx + col * d.w, d.sy + row * d.h, d.w, d.h));
    }
  }
  const Animation& eq = s.animations.front();
  p.drawImage(
      QPoint(eq.x, eq.y), res,
      QRect(eq.sx + (st.frame % eq.cols) * eq.w, eq.sy + (st.frame / eq.cols) * eq.h, eq.w, eq.h));

  for (const Slider& k : s.sliders) {
    const double v = k.n == 1 ? st.seek : k.n == 3 ? st.balance : st.volume;
    if (k.n == 4) {
      const int w = static_cast<int>(k.w * v);
      p.drawImage(QPoint(k.x, k.y), res, QRect(k.sx, k.sy, w, k.kh));
    } else {
      const int x = k.x + static_cast<int>(k.w * v);
      p.drawImage(QPoint(x, k.y), res, QRect(k.sx, k.sy, k.kw, k.kh));
    }
  }

  PreviewLights(p, s, st.lightsOn);
  p.setRenderHint(QPainter::Antialiasing);

  for (const Label& l : s.labels) {
    const bool lyric = l.n >= 70 && l.n <= 72;
    if (lyric && !st.playlistRows) continue;  // no song, no lyrics
    std::string text = l.sample;
    if (l.n == 1) text = st.time;
    if (l.n == 18) text = std::to_string(static_cast<int>(st.volume * 100)) + "%";
    PreviewLabel(p, l, text);
  }

  if (st.playlistRows) {
    // The lyric list as the player shows it: the current line selected, in the text colour.
    const ListArea& ly = s.area(4);
    QFont lf(QString::fromStdString(ly.font));
    lf.setPointSize(ly.size);
    p.setFont(lf);
    const char* verses[] = {"Grey turns silver on the hill", "The town below is lying still",
                            "A window fills with paler sky", "And night lets go without goodbye",
                            "One bird tries a single note"};
    const int rowHeight = 11;
    int ry = ly.r.y + 1;
    for (std::size_t i = 0; i < std::size(verses); ++i, ry += rowHeight) {
      if (ry + rowHeight > ly.r.bottom()) break;
      const bool current = i == 3;
      if (current) p.fillRect(QRect(ly.r.x, ry, ly.r.w, rowHeight), ToColor(ly.text));
      p.setPen(current ? ToColor(ly.back) : ToColor(ly.text));
      p.drawText(QRect(ly.r.x + 3, ry, ly.r.w - 6, rowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                 QString::fromLatin1(verses[i]));
    }
  }

  if (st.playlistRows) {
    const ListArea& a = s.area(1);
    QFont f(QString::fromStdString(a.font));
    f.setPointSize(a.size);
    p.setFont(f);
    const char* rows[] = {"Aurora Drift - Northern Lights", "Low Tide - Glass Harbour",
                          "Mira Vale - Paper Satellites",   "Kestrel - Slow Orbit",
                          "The Quiet Hours - Tram 9",       "Nadia Sol - Copper Sky",
                          "Field Notes - Morning Static"};
    int y = a.r.y + 1;
    for (std::size_t i = 0; i < std::size(rows); ++i, y += 13) {
      if (y + 13 > a.r.bottom()) break;
      if (i == 0) p.fillRect(QRect(a.r.x, y, a.r.w, 13), QColor(22, 60, 60));
      p.setPen(i == 0 ? QColor(160, 245, 228) : ToColor(a.text));
      p.drawText(QRect(a.r.x + 4, y, a.r.w - 8, 13), Qt::AlignLeft | Qt::AlignVCenter,
                 QString::fromLatin1(rows[i]));
    }
  }

  PreviewButtons(p, s, res, st.pressed, st.hovered);
  p.end();
  return OnDesktop(img, s, bm.main);
}

}  // namespace skingen
