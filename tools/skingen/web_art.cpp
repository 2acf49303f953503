// The web radio's and the browser's windows: the player family's three panels, the display
// well of the radio with its printed captions, the wells of the list, the entries and the page.
#include <QPainter>

#include "tools/skingen/art.h"
#include "tools/skingen/art_parts.h"

namespace skingen::parts {

void WebBackground(QPainter& p, const Skin& s) {
  p.setRenderHint(QPainter::Antialiasing);
  const Panels& pan = s.panels;
  for (double hx : {66.0, s.width - 110.0}) {
    Hinge(p, hx, pan.header.bottom() - 6, pan.deck.y + 6);
    Hinge(p, hx, pan.deck.bottom() - 6, pan.playlist.y + 6);
  }
  Body(p, ToRectF(pan.header), 14);
  Body(p, ToRectF(pan.deck), 16);
  Body(p, ToRectF(pan.playlist), 16);

  Wordmark(p, 18, 26);
  const bool radio = s.kind == SkinKind::WebRadio;
  p.setRenderHint(QPainter::Antialiasing, false);
  DotText(p, 76, 17, radio ? "WEB RADIO" : "BROWSER", kTeal);
  p.setRenderHint(QPainter::Antialiasing);

  if (radio) {
    Well(p, ToRectF(s.lcd), 8, kLcdTop, kLcdBottom);
    for (const ListArea& a : s.areas)
      Well(p, ToRectF(s.listFrame), 7, ToColor(a.back), ToColor(a.back));
  } else {
    Well(p, ToRectF(s.cover), 7, kWellTop, kWellBottom);
    for (const ListArea& a : s.areas)
      Well(p, ToRectF({a.r.x - 2, a.r.y - 2, a.r.w + 4, a.r.h + 4}), 4, kWellTop, kWellBottom);
  }
  Well(p, ToRectF(s.radio.entryFrame), 4, kWellTop, kWellBottom);

  p.setRenderHint(QPainter::Antialiasing, false);
  if (radio) {
    DotText(p, s.label(64).r.right() + 2, s.label(64).r.y + 4, "KBIT/S", kLcdInk);
    DotText(p, s.label(65).r.x - 38, s.label(65).r.y + 4, "CACHE", kLcdInk);
    DotText(p, s.digit(13).x - 40, s.digit(13).y + 5, "PRESET", kLcdInk);
    DotText(p, s.listFrame.x, s.listFrame.y - 9, "STATIONS", kCaption);
  }
  p.setRenderHint(QPainter::Antialiasing);
  for (const Light& l : s.lights) Socket(p, l);
}

}  // namespace skingen::parts
