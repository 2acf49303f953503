#include "platform/qt/qt_screen.h"

#include <QGuiApplication>
#include <QScreen>

namespace varlo {
namespace {
QScreen* ScreenOf(QWidget* window) {
  if (window && window->screen()) return window->screen();
  return QGuiApplication::primaryScreen();
}
}  // namespace

int QtScreen::WidthPixels() const {
  QScreen* s = ScreenOf(window_);
  return s ? s->geometry().width() : 1024;
}

int QtScreen::HeightPixels() const {
  QScreen* s = ScreenOf(window_);
  return s ? s->geometry().height() : 768;
}

PixelRect QtScreen::WorkArea() const {
  QScreen* s = ScreenOf(window_);
  if (!s) return {0, 0, 1024, 768};
  const QRect r = s->availableGeometry();
  return {r.left(), r.top(), r.width(), r.height()};
}

}  // namespace varlo
