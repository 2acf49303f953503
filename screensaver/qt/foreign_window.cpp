#include "screensaver/qt/foreign_window.h"

#include <xcb/xcbext.h>

#include <cstdlib>

namespace varlo {
namespace {

constexpr int kLookMs = 250;

}  // namespace

ForeignWindowSize::ForeignWindowSize(xcb_connection_t* connection, xcb_window_t window,
                                     std::function<void(QSize)> changed)
    : connection_(connection), window_(window), changed_(std::move(changed)) {
  timer_.setInterval(kLookMs);
  connect(&timer_, &QTimer::timeout, this, [this] { Look(); });
  timer_.start();
  Look();
}

ForeignWindowSize::~ForeignWindowSize() {
  if (asked_) xcb_discard_reply(connection_, cookie_.sequence);
}

void ForeignWindowSize::Look() {
  if (asked_) {
    void* reply = nullptr;
    xcb_generic_error_t* error = nullptr;
    if (xcb_poll_for_reply(connection_, cookie_.sequence, &reply, &error) == 0) return;
    asked_ = false;
    std::free(error);  // a window gone away: the saver keeps its size until it is ended
    if (auto* geometry = static_cast<xcb_get_geometry_reply_t*>(reply)) {
      const QSize size(geometry->width, geometry->height);
      std::free(geometry);
      if (size != size_ && !size.isEmpty()) {
        size_ = size;
        changed_(size);
      }
    }
  }
  cookie_ = xcb_get_geometry(connection_, window_);
  xcb_flush(connection_);
  asked_ = true;
}

}  // namespace varlo
