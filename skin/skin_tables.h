#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace varlo {

inline constexpr int kMaxButtons = 120;

// Per-button data of the current skin (slot i belongs to button i).
struct ButtonSlot {
  std::string key;  // one character, empty when none
  int pressX = 0;   // where the pressed image lies in the resource bitmap
  int pressY = 0;
};

struct DigitRecord {
  int sx = 0, sy = 0;  // glyph strip or grid origin in the resource bitmap
  int w = 0, h = 0;    // digit cell size
  int gap = 0;         // width of the point and colon cells
  int d1 = 0;          // 0 numeric strip, else the alphanumeric grid
  int d2 = 0;          // spacing between cells
  int style = 0;
  int run[3] = {0, 0, 0};  // run-time fields of the display code
};

struct SliderRecord {
  int x = 0, y = 0, w = 0, h = 0;  // the track
  int sx = 0, sy = 0;              // knob picture in the resource bitmap
  int kw = 0, kh = 0;              // knob size
  double value = 0;
  int lastCoord = 0;  // knob coordinate last set, so unchanged values touch nothing
  bool placed = false;
};

struct AnimRecord {
  int x = 0, y = 0, sx = 0, sy = 0, w = 0, h = 0;
  int a1 = 0;  // frame rows
  int a2 = 0;  // frame columns
  int a3 = 0;  // ticks per frame
  bool running = false;
  int row = 0, column = 0, ticks = 0;
};

struct ShapePoint {
  std::int32_t x = 0, y = 0;
  bool operator==(const ShapePoint&) const = default;
};

// The polygon outline announced by the skin and the points received so far.
struct ShapeData {
  std::vector<ShapePoint> points;
  std::vector<std::int32_t> vertexCounts;
  std::int32_t pointCount = 0;
  bool multiPolygon = false;
};

// A window size in twips.
struct TwipSize {
  std::int32_t width = 0, height = 0;
};

// Everything a skin file defines beyond widget placement; replaced at each load.
struct SkinTables {
  std::array<TwipSize, 3> windowSizes{};
  std::array<ButtonSlot, kMaxButtons + 1> buttons{};
  std::array<std::string, 21> links{};
  std::array<DigitRecord, 14> digits{};
  std::array<SliderRecord, 10> sliders{};
  std::array<AnimRecord, 5> anims{};
  ShapeData shape;
  int buttonCount = 0;
};

}  // namespace varlo
