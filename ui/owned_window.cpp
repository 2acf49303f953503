#include "ui/owned_window.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

namespace varlo {

bool OnWayland() {
  return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void ShowOwned(QWidget& window, QWidget* owner) {
  if (owner != nullptr && OnWayland()) {
    window.winId();  // makes the window's handle, which takes the owner before it is shown
    if (window.windowHandle() && owner->windowHandle())
      window.windowHandle()->setTransientParent(owner->windowHandle());
  }
  window.show();
  window.raise();
}

}  // namespace varlo
