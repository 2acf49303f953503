#pragma once
#include <xcb/xcb.h>

#include <QObject>
#include <QSize>
#include <QTimer>
#include <functional>

namespace varlo {

// Follows the size of another client's window (the preview that xscreensaver resizes, or the
// root window when a monitor changes): asks the X server every quarter second and reports a
// new size. The answer is picked up at the next look, so the GUI thread never waits for it.
class ForeignWindowSize final : public QObject {
 public:
  ForeignWindowSize(xcb_connection_t* connection, xcb_window_t window,
                    std::function<void(QSize)> changed);
  ~ForeignWindowSize() override;
  // The size the server reported last; empty before the first answer.
  QSize Size() const { return size_; }

 private:
  void Look();

  xcb_connection_t* connection_;
  xcb_window_t window_;
  std::function<void(QSize)> changed_;
  QTimer timer_;
  bool asked_ = false;
  xcb_get_geometry_cookie_t cookie_{};
  QSize size_;
};

}  // namespace varlo
