// The floor of a Qt Widgets player for the memory benchmark: libmpv playing one file, started
// with the options the program gives its media devices, under a window that shows the file's
// name in a label, as every player shows a title. What varlo uses above this is its own.
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <clocale>
#include <cstdio>

#include "platform/mpv/mpv_media_device.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: qt_player_floor FILE\n");
    return 1;
  }
  std::setlocale(LC_NUMERIC, "C");  // the media engine starts only in the C number locale
  QLabel window(QString::fromLocal8Bit(argv[1]));
  window.show();
  varlo::MpvMediaDevice device;
  device.SetFileName(argv[1]);
  device.Command("open");
  device.Command("play");
  if (device.Error() != 0) {
    std::fprintf(stderr, "qt_player_floor: %s\n", device.ErrorMessage().c_str());
    return 1;
  }
  // The device's events are not needed: it plays until the program is ended.
  return QApplication::exec();
}
