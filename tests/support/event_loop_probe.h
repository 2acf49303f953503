#pragma once
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>

namespace varlo::testing {

// Measures how long the GUI thread's event loop goes without serving its timers: a 10 ms timer
// notes the longest gap between two of its ticks, nested loops (a modal box) included. Work on
// the GUI thread that holds the loop longer than a gap shows as one.
class EventLoopProbe {
 public:
  EventLoopProbe() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      const qint64 now = clock_.elapsed();
      longest_ = std::max(longest_, now - last_);
      last_ = now;
    });
  }
  // Starts measuring (again); the gap before the first tick counts from here.
  void Start() {
    clock_.start();
    last_ = 0;
    longest_ = 0;
    timer_.start(10);
  }
  void Stop() { timer_.stop(); }
  // The longest gap so far, in milliseconds, and the time since Start.
  qint64 LongestMs() const { return longest_; }
  qint64 ElapsedMs() const { return clock_.elapsed(); }

 private:
  QTimer timer_;
  QElapsedTimer clock_;
  qint64 last_ = 0;
  qint64 longest_ = 0;
};

}  // namespace varlo::testing
