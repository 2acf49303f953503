#include "tools/skingen/glyphs.h"

#include <QPointF>
#include <cctype>
#include <string>

namespace skingen {

namespace {

struct DotDef {
  char c;
  const char* rows[7];
};

// '#' a lit dot, '.' an unlit one.
constexpr DotDef kFont[] = {
    {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
    {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
    {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'F', {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}},
    {'G', {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"}},
    {'H', {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'I', {".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    {'J', {"..###", "...#.", "...#.", "...#.", "...#.", "#..#.", ".##.."}},
    {'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
    {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
    {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
    {'N', {"#...#", "#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#"}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
    {'Q', {".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
    {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
    {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'V', {"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."}},
    {'W', {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "#.#.#", ".#.#."}},
    {'X', {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"}},
    {'Y', {"#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."}},
    {'Z', {"#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"}},
    {'0', {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."}},
    {'1', {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    {'2', {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}},
    {'3', {"#####", "...#.", "..#..", "...#.", "....#", "#...#", ".###."}},
    {'4', {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}},
    {'5', {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."}},
    {'6', {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."}},
    {'7', {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."}},
    {'8', {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."}},
    {'9', {".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."}},
    {':', {".....", ".##..", ".##..", ".....", ".##..", ".##..", "....."}},
    {'(', {"...#.", "..#..", ".#...", ".#...", ".#...", "..#..", "...#."}},
    {')', {".#...", "..#..", "...#.", "...#.", "...#.", "..#..", ".#..."}},
    {'-', {".....", ".....", ".....", "#####", ".....", ".....", "....."}},
    {'\'', {"..#..", "..#..", ".#...", ".....", ".....", ".....", "....."}},
    {'!', {"..#..", "..#..", "..#..", "..#..", "..#..", ".....", "..#.."}},
    {'_', {".....", ".....", ".....", ".....", ".....", ".....", "#####"}},
    {'+', {".....", "..#..", "..#..", "#####", "..#..", "..#..", "....."}},
    {'\\', {".....", "#....", ".#...", "..#..", "...#.", "....#", "....."}},
    {'/', {".....", "....#", "...#.", "..#..", ".#...", "#....", "....."}},
    {'[', {".###.", ".#...", ".#...", ".#...", ".#...", ".#...", ".###."}},
    {']', {".###.", "...#.", "...#.", "...#.", "...#.", "...#.", ".###."}},
    {'^', {"..#..", ".#.#.", "#...#", ".....", ".....", ".....", "....."}},
    {'&', {".##..", "#..#.", "#.#..", ".#...", "#.#.#", "#..#.", ".##.#"}},
    {'%', {"##...", "##..#", "...#.", "..#..", ".#...", "#..##", "...##"}},
    {'.', {".....", ".....", ".....", ".....", ".....", ".##..", ".##.."}},
    {'=', {".....", ".....", "#####", ".....", "#####", ".....", "....."}},
    {'$', {"..#..", ".####", "#.#..", ".###.", "..#.#", "####.", "..#.."}},
    {'#', {".#.#.", ".#.#.", "#####", ".#.#.", "#####", ".#.#.", ".#.#."}},
    {'?', {".###.", "#...#", "....#", "...#.", "..#..", ".....", "..#.."}},
    {'*', {".....", "..#..", "#.#.#", ".###.", "#.#.#", "..#..", "....."}},
    {'"', {".#.#.", ".#.#.", ".#.#.", ".....", ".....", ".....", "....."}},
};

// Row 1 from column 12 on.
constexpr std::string_view kRowOneSigns = ":()-'!_+\\/[]^&%.=$#";

}  // namespace

unsigned SegmentsOf(char c) {
  switch (c) {
    case '0':
      return kA | kB | kC | kD | kE | kF;
    case '1':
      return kB | kC;
    case '2':
      return kA | kB | kG | kE | kD;
    case '3':
      return kA | kB | kG | kC | kD;
    case '4':
      return kF | kG | kB | kC;
    case '5':
      return kA | kF | kG | kC | kD;
    case '6':
      return kA | kF | kG | kE | kC | kD;
    case '7':
      return kA | kB | kC;
    case '8':
      return kA | kB | kC | kD | kE | kF | kG;
    case '9':
      return kA | kB | kC | kD | kF | kG;
    case '-':
      return kG;
    default:
      return 0;
  }
}

QPolygonF SegmentPolygon(unsigned segment, const QRectF& box, double t, double gap, double slant) {
  const double h2 = t / 2.0;
  const double left = box.left() + h2;
  const double right = box.right() - h2;
  const double top = box.top() + h2;
  const double mid = box.center().y();
  const double bottom = box.bottom() - h2;

  // A horizontal bar from x1 to x2 on the line y, or a vertical one from y1 to y2 on x;
  // both with pointed ends so that neighbours meet along a diagonal.
  auto horizontal = [&](double x1, double x2, double y) {
    x1 += gap;
    x2 -= gap;
    return QPolygonF({QPointF(x1, y), QPointF(x1 + h2, y - h2), QPointF(x2 - h2, y - h2),
                      QPointF(x2, y), QPointF(x2 - h2, y + h2), QPointF(x1 + h2, y + h2)});
  };
  auto vertical = [&](double x, double y1, double y2) {
    y1 += gap;
    y2 -= gap;
    return QPolygonF({QPointF(x, y1), QPointF(x + h2, y1 + h2), QPointF(x + h2, y2 - h2),
                      QPointF(x, y2), QPointF(x - h2, y2 - h2), QPointF(x - h2, y1 + h2)});
  };

  QPolygonF p;
  switch (segment) {
    case kA:
      p = horizontal(left, right, top);
      break;
    case kB:
      p = vertical(right, top, mid);
      break;
    case kC:
      p = vertical(right, mid, bottom);
      break;
    case kD:
      p = horizontal(left, right, bottom);
      break;
    case kE:
      p = vertical(left, mid, bottom);
      break;
    case kF:
      p = vertical(left, top, mid);
      break;
    case kG:
      p = horizontal(left, right, mid);
      break;
    default:
      return {};
  }
  for (QPointF& pt : p) pt.setX(pt.x() + (mid - pt.y()) * slant);
  return p;
}

DotRows DotGlyph(char c) {
  DotRows rows{};
  const char up = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (const DotDef& def : kFont) {
    if (def.c != up) continue;
    for (std::size_t r = 0; r < rows.size(); ++r) {
      std::uint8_t bits = 0;
      for (int col = 0; col < 5; ++col)
        if (def.rows[r][col] == '#') bits = static_cast<std::uint8_t>(bits | (16 >> col));
      rows[r] = bits;
    }
    break;
  }
  return rows;
}

char GridChar(int row, int column) {
  if (row == 0 && column < 26) return static_cast<char>('A' + column);
  if (row == 0 && column == 27) return '"';
  if (row == 1 && column < 10) return static_cast<char>('0' + column);
  if (row == 1 && column >= 12 && column <= 30)
    return kRowOneSigns[static_cast<std::size_t>(column - 12)];
  if (row == 2 && column == 3) return '?';
  if (row == 2 && column == 4) return '*';
  return 0;
}

void GridCellOf(char c, int& row, int& column) {
  const char up = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  row = 0;
  column = 29;  // the blank
  if (up >= 'A' && up <= 'Z') {
    column = up - 'A';
  } else if (up >= '0' && up <= '9') {
    row = 1;
    column = up - '0';
  } else if (up == '?' || up == '*') {
    row = 2;
    column = up == '?' ? 3 : 4;
  } else if (up == '@') {
    column = 8;
  } else if (up == '"') {
    column = 27;
  } else if (const auto at = kRowOneSigns.find(up); at != std::string_view::npos) {
    row = 1;
    column = 12 + static_cast<int>(at);
  }
}

}  // namespace skingen
