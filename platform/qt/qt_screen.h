#pragma once
#include <QPointer>
#include <QWidget>

#include "platform/screen.h"

namespace varlo {

// The screen the given window is on (the primary screen before it is shown).
class QtScreen : public IScreen {
 public:
  void SetWindow(QWidget* window) { window_ = window; }
  int TwipsPerPixelX() const override { return 15; }
  int TwipsPerPixelY() const override { return 15; }
  int WidthPixels() const override;
  int HeightPixels() const override;
  PixelRect WorkArea() const override;

 private:
  QPointer<QWidget> window_;
};

}  // namespace varlo
