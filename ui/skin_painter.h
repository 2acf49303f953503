#pragma once
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRegion>

#include "skin/skin_form.h"

namespace varlo {

QColor ToQColor(Colour c);
// The Qt font of a skin font; "Arial" stands in for a family that is not installed.
QFont ToQFont(const FontSpec& spec);

// Paints the parts of the form that are drawn rather than made of widgets: labels,
// indicator lights, slider knobs, digit cells, animation frames and button highlights, over the
// window picture the caller has drawn.
class SkinPainter {
 public:
  SkinPainter(const SkinForm& form, const QImage& resBitmap) : form_(form), res_(resBitmap) {}
  // With `dirty`, labels outside it are not drawn: laying out their text is the costly part
  // of a repaint, and the painter's clip would throw the result away anyway.
  void Paint(QPainter& p, const QRegion* dirty = nullptr) const;

 private:
  void PaintLabel(QPainter& p, const LabelWidget& label) const;
  void PaintLight(QPainter& p, const IndicatorWidget& light) const;
  void PaintPicture(QPainter& p, const PictureWidget& picture) const;
  void PaintBlit(QPainter& p, const Blit& blit) const;

  const SkinForm& form_;
  const QImage& res_;
};

}  // namespace varlo
