// The floor of the memory benchmark: libmpv alone playing one file, started with the options
// the program gives its media devices, until it is ended.
#include <chrono>
#include <clocale>
#include <cstdio>
#include <thread>

#include "platform/mpv/mpv_media_device.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: mpv_floor FILE\n");
    return 1;
  }
  std::setlocale(LC_NUMERIC, "C");
  varlo::MpvMediaDevice device;
  device.SetFileName(argv[1]);
  device.Command("open");
  device.Command("play");
  if (device.Error() != 0) {
    std::fprintf(stderr, "mpv_floor: %s\n", device.ErrorMessage().c_str());
    return 1;
  }
  for (;;) std::this_thread::sleep_for(std::chrono::seconds(1));
}
