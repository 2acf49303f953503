#include "ui/skin_painter.h"

#include <QFontDatabase>
#include <algorithm>
#include <string>
#include <unordered_map>

namespace varlo {

QColor ToQColor(Colour c) {
  return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

namespace {
// Asking the font database about a family costs a fontconfig query; every label is drawn on
// each repaint, so the answer is kept per family name (GUI thread only).
QString KnownFamily(const std::string& name) {
  static std::unordered_map<std::string, QString> known;
  auto it = known.find(name);
  if (it == known.end()) {
    const QString family = QString::fromStdString(name);
    it = known.emplace(name, QFontDatabase::hasFamily(family) ? family : QStringLiteral("Arial"))
             .first;
  }
  return it->second;
}
}  // namespace

QFont ToQFont(const FontSpec& spec) {
  QFont font(KnownFamily(spec.name));
  font.setPointSize(std::max(1, spec.size));
  font.setBold(spec.bold);
  font.setItalic(spec.italic);
  font.setUnderline(spec.underline);
  return font;
}

void SkinPainter::PaintBlit(QPainter& p, const Blit& b) const {
  if (b.w <= 0 || b.h <= 0 || res_.isNull()) return;
  p.drawImage(QPoint(b.dx, b.dy), res_, QRect(b.sx, b.sy, b.w, b.h));
}

void SkinPainter::Paint(QPainter& p, const QRegion* dirty) const {
  for (std::size_t i = 1; i < form_.anim.size(); ++i)
    if (form_.anim[i].visible) PaintBlit(p, form_.animFrames[i]);
  for (std::size_t i = 1; i < form_.dig.size(); ++i) {
    if (!form_.dig[i].visible) continue;
    const DigitBlits& cells = form_.digitCells[i];
    for (std::size_t c = 0; c < cells.count; ++c) PaintBlit(p, cells.cells[c]);
  }
  for (std::size_t i = 1; i < form_.slider.size(); ++i)
    if (form_.slider[i].visible) PaintPicture(p, form_.slider[i]);
  for (std::size_t i = 1; i < form_.ind.size(); ++i)
    if (form_.ind[i].visible) PaintLight(p, form_.ind[i]);
  for (std::size_t i = 1; i < form_.lbl.size(); ++i) {
    const LabelWidget& label = form_.lbl[i];
    if (!label.visible) continue;
    if (dirty && !dirty->intersects(QRect(label.left, label.top, label.width, label.height)))
      continue;
    PaintLabel(p, label);
  }
  for (std::size_t i = 1; i < form_.btn.size(); ++i) {
    const ButtonWidget& b = form_.btn[i];
    if (!b.visible || (!b.opaque && !b.border)) continue;
    const QRect r(b.left, b.top, b.width, b.height);
    if (b.opaque) p.fillRect(r, QColor(255, 255, 255, 160));  // shows the hot area
    if (b.border) {
      p.setPen(QPen(QColor(255, 255, 255, 200), 1));  // the single-line hover border
      p.setBrush(Qt::NoBrush);
      p.drawRect(r.adjusted(0, 0, -1, -1));
    }
  }
  if (form_.tmpBtn.visible) PaintPicture(p, form_.tmpBtn);
}

void SkinPainter::PaintLabel(QPainter& p, const LabelWidget& label) const {
  const QRect r(label.left, label.top, label.width, label.height);
  if (label.opaque) p.fillRect(r, ToQColor(label.backColour));
  if (label.caption.empty()) return;
  p.setPen(ToQColor(label.foreColour));
  p.setFont(ToQFont(label.font));
  const int align =
      static_cast<int>((label.rightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop) |
      Qt::TextWordWrap;
  p.save();
  p.setClipRect(r);
  p.drawText(r, align, QString::fromStdString(label.caption));  // plain text, never markup
  p.restore();
}

void SkinPainter::PaintLight(QPainter& p, const IndicatorWidget& light) const {
  QRectF r(light.left, light.top, light.width, light.height);
  const bool square = light.shape == LightShape::Square || light.shape == LightShape::Circle ||
                      light.shape == LightShape::RoundedSquare;
  if (square) {
    const double side = std::min(r.width(), r.height());
    r = QRectF(r.center().x() - side / 2, r.center().y() - side / 2, side, side);
  }
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(ToQColor(light.fill));
  switch (light.shape) {
    case LightShape::Oval:
    case LightShape::Circle:
      p.drawEllipse(r);
      break;
    case LightShape::RoundedRectangle:
    case LightShape::RoundedSquare: {
      const double radius = std::min(r.width(), r.height()) / 4;
      p.drawRoundedRect(r, radius, radius);
      break;
    }
    default:
      p.drawRect(r);
  }
  p.restore();
}

void SkinPainter::PaintPicture(QPainter& p, const PictureWidget& picture) const {
  // A zero-sized source rectangle would mean "the whole rest of the bitmap" to Qt; an empty
  // level bar draws nothing.
  if (res_.isNull() || picture.width <= 0 || picture.height <= 0) return;
  p.drawImage(QPoint(picture.left, picture.top), res_,
              QRect(picture.sourceX, picture.sourceY, picture.width, picture.height));
}

}  // namespace varlo
