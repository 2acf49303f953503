#include "platform/qt/qt_clock.h"

#include <QDateTime>
#include <chrono>

namespace varlo {

LocalTime QtClock::Now() const {
  const QDateTime now = QDateTime::currentDateTime();
  const QDate d = now.date();
  const QTime t = now.time();
  LocalTime lt;
  lt.year = d.year();
  lt.month = d.month();
  lt.day = d.day();
  lt.hour = t.hour();
  lt.minute = t.minute();
  lt.second = t.second();
  lt.millisecond = t.msec();
  lt.weekday = d.dayOfWeek() % 7;  // Qt counts Monday 1 .. Sunday 7
  return lt;
}

std::int64_t QtClock::SteadyMs() const {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::int64_t QtClock::UtcSeconds() const {
  return QDateTime::currentSecsSinceEpoch();
}

}  // namespace varlo
