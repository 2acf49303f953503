// The drawing pieces the bundled skins are made of: palette, panels, wells, grooves, the
// dot-matrix captions, icons, buttons, glyph cells and light sockets; and the helpers the
// previews compose the window with.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRect>
#include <QRectF>
#include <string>
#include <string_view>
#include <vector>

#include "tools/skingen/layout.h"

namespace skingen::parts {

inline const QColor kBodyTop(44, 50, 60);
inline const QColor kBodyBottom(27, 31, 38);
inline const QColor kEdge(8, 10, 13);
inline const QColor kHighlight(255, 255, 255, 22);
inline const QColor kWellTop(11, 14, 18);
inline const QColor kWellBottom(17, 21, 27);
inline const QColor kLcdTop(8, 16, 18);
inline const QColor kLcdBottom(11, 22, 24);
inline const QColor kTeal(45, 212, 191);
inline const QColor kTealBright(112, 240, 218);
inline const QColor kTealDeep(13, 128, 116);
inline const QColor kIcon(208, 217, 226);
inline const QColor kIconDim(136, 150, 164);
inline const QColor kCaption(150, 166, 180);
inline const QColor kLcdInk(92, 150, 146);
inline const QColor kCoral(242, 102, 92);
inline const QColor kResFill(20, 22, 26);

QColor ToColor(const Rgb& c);
QRectF ToRectF(const Rect& r);
QRect ToRect(const Rect& r);
QColor Mix(const QColor& a, const QColor& b, double t);

// Box blur of a premultiplied image, for glows.
QImage Blur(const QImage& source, int radius);
// The canvas with everything of less than half coverage in the key colour, the rest opaque.
QImage Flatten(const QImage& canvas, const QColor& key);
QImage Crop(const QImage& img, const QRect& r);

QPainterPath RoundedRect(const QRectF& r, double radius);
// A raised panel of the window body.
void Body(QPainter& p, const QRectF& r, double radius);
// A recessed well: darker, shaded at the top, lit along the bottom edge.
void Well(QPainter& p, const QRectF& r, double radius, const QColor& top, const QColor& bottom);
// The header panel, `middle` and `bottom` as raised panels joined by hinges.
void ThreePanels(QPainter& p, const Skin& s, const Rect& middle, const Rect& bottom);
// The dark, softly lit ground of a picture area; leaves the painter antialiased and pen-less.
void PictureWell(QPainter& p, const QRectF& r);
// A thin horizontal groove for a slider, centred on y.
void Groove(QPainter& p, double x1, double x2, double y, double thickness);
// A bridge between two panels, x the left edge, from y1 to y2.
void Hinge(QPainter& p, double x, double y1, double y2);
// The "varlo" wordmark with its baseline at `baseline`.
void Wordmark(QPainter& p, double x, double baseline);
// An indicator's unlit look: the light's own shape, dimmed, in a dark socket.
void Socket(QPainter& p, const Light& l);

// Dot-matrix caption in the 5 x 7 font, one pixel per dot, one column between letters.
void DotText(QPainter& p, int x, int y, std::string_view text, const QColor& c);
int DotTextWidth(std::string_view text);

void DrawIcon(QPainter& p, Icon icon, const QRectF& box, const QColor& c);
void DrawButton(QPainter& p, const Button& b, bool pressed);

// One seven-segment cell of a numeric strip (0-9 digits, 10 blank, 11 point, 12 colon,
// 13 minus), over the background already in `cell`.
void SegmentCell(QImage& cell, int index, int gapWidth, double thickness);
// One dot-matrix cell of the alphanumeric grid.
void DotCell(QImage& cell, char c);

// Draws every fixed part of the radio's window.
void RadioBackground(QPainter& p, const Skin& s);
// The clock's window and the screen saver's face.
void ClockBackground(QPainter& p, const Skin& s);
void SaverBackground(QPainter& p, const Skin& s);
// Frame `frame` of `frames` of a dot going round a faint ring, with a fading trail, over the
// background already in `cell`.
void OrbitFrame(QImage& cell, int frame, int frames);

// Draws every fixed part of the web radio's or the browser's window.
void WebBackground(QPainter& p, const Skin& s);

// Draws every fixed part of the calculator's or the notepad's window.
void DeskBackground(QPainter& p, const Skin& s);

// ---- Previews --------------------------------------------------------------------------

// Draws `text` into numeric display d, cell by cell, as the player does.
void PreviewNumeric(QPainter& p, const QImage& res, const DigitDisplay& d, std::string_view text);
// Draws the lights whose numbers are in `on`.
void PreviewLights(QPainter& p, const Skin& s, const std::vector<int>& on);
// Draws a label's text the way the player sets it: at the top left of the label.
void PreviewLabel(QPainter& p, const Label& l, const std::string& text);
// Shows the pressed image of the buttons in `pressed` (command codes) and the hover border
// of the button `hovered`.
void PreviewButtons(QPainter& p, const Skin& s, const QImage& res, const std::vector<int>& pressed,
                    int hovered);
// The preview in its final form: outside the outline a neutral desktop grey.
QImage OnDesktop(const QImage& window, const Skin& s, const QImage& main);

}  // namespace skingen::parts
