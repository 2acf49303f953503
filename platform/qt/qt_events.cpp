#include "platform/qt/qt_events.h"

#include <QCoreApplication>

namespace varlo {

void QtEvents::DoEvents() {
  QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

}  // namespace varlo
