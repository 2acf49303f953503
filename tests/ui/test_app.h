#pragma once
#include <QApplication>
#include <QtGlobal>

namespace varlo::testing {

// The one application object of the UI tests, on Qt's offscreen platform. Never destroyed:
// tearing Qt down among the process's static destructors crashes.
inline QApplication& TestApp() {
  static int argc = 1;
  static char name[] = "ui_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QApplication(argc, argv);
  }();
  return *app;
}

}  // namespace varlo::testing
