#pragma once

namespace varlo {

// A rectangle in pixels.
struct PixelRect {
  int left = 0, top = 0, width = 0, height = 0;
};

// The screen the main window lives on.
class IScreen {
 public:
  virtual ~IScreen() = default;
  // Twips per pixel (15 at 96 dpi).
  virtual int TwipsPerPixelX() const = 0;
  virtual int TwipsPerPixelY() const = 0;
  // Whole screen size in pixels.
  virtual int WidthPixels() const = 0;
  virtual int HeightPixels() const = 0;
  // The desktop without panels and task bars, in pixels.
  virtual PixelRect WorkArea() const = 0;
};

}  // namespace varlo
