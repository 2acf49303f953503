// The desk tools' windows: the player family's panels, the display well of the
// calculator and the wells of the conversion list and of the note.
#include <QPainter>

#include "tools/skingen/art.h"
#include "tools/skingen/art_parts.h"

namespace skingen::parts {

void DeskBackground(QPainter& p, const Skin& s) {
  p.setRenderHint(QPainter::Antialiasing);
  const Panels& pan = s.panels;
  const bool calculator = s.kind == SkinKind::Calculator;
  for (double hx : {66.0, s.width - 110.0}) {
    Hinge(p, hx, pan.header.bottom() - 6, pan.deck.y + 6);
    if (calculator) Hinge(p, hx, pan.deck.bottom() - 6, pan.playlist.y + 6);
  }
  Body(p, ToRectF(pan.header), 14);
  Body(p, ToRectF(pan.deck), 16);
  if (calculator) Body(p, ToRectF(pan.playlist), 16);

  Wordmark(p, 18, 26);
  p.setRenderHint(QPainter::Antialiasing, false);
  DotText(p, 76, 17, calculator ? "CALCULATOR" : "NOTEPAD", kTeal);
  p.setRenderHint(QPainter::Antialiasing);

  for (const ListArea& a : s.areas)
    Well(p, ToRectF(s.listFrame), 7, ToColor(a.back), ToColor(a.back));
  if (calculator) {
    Well(p, ToRectF(s.lcd), 8, kLcdTop, kLcdBottom);
    p.setRenderHint(QPainter::Antialiasing, false);
    DotText(p, s.listFrame.x, s.listFrame.y - 10, "CONVERT", kCaption);
    p.setRenderHint(QPainter::Antialiasing);
  }
}

}  // namespace skingen::parts
