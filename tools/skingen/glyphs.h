// The display glyphs: seven-segment digits built from polygons and a 5 x 7 dot-matrix
// font kept here as bit patterns, so no glyph depends on an installed font.
#pragma once

#include <QPolygonF>
#include <QRectF>
#include <array>
#include <cstdint>
#include <string_view>

namespace skingen {

// Segment bits: a top, b top right, c bottom right, d bottom, e bottom left,
// f top left, g middle.
enum Segment : unsigned { kA = 1, kB = 2, kC = 4, kD = 8, kE = 16, kF = 32, kG = 64 };

// The lit segments of '0'-'9' and '-'; 0 for anything else.
unsigned SegmentsOf(char c);

// Outline of one segment (a single bit of Segment) for a glyph filling box, with strokes
// of the given thickness, a gap between neighbouring segments and a forward slant
// (horizontal shift per pixel of height above the box's centre).
QPolygonF SegmentPolygon(unsigned segment, const QRectF& box, double thickness, double gap,
                         double slant);

// Rows of a 5 x 7 glyph, top first; bit 4 is the leftmost column. All zero for a
// character the font lacks (and for the blank).
using DotRows = std::array<std::uint8_t, 7>;
DotRows DotGlyph(char c);

// The alphanumeric grid: which character a cell holds, or 0 for a cell no character
// selects; and the cell a character selects. Row 0 holds A-Z, row 1 the digits and the
// signs, row 2 the question mark and the star; everything else shows the blank cell.
constexpr int kGridColumns = 31;
constexpr int kGridRows = 3;
char GridChar(int row, int column);
void GridCellOf(char c, int& row, int& column);

}  // namespace skingen
