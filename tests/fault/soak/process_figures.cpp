#include "tests/fault/soak/process_figures.h"

#include <dirent.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <cstdio>
#include <fstream>
#include <string>

namespace varlo::testing {
namespace {

// The number after `key` in /proc/self/status ("VmRSS:", "Threads:"), or -1.
long StatusField(const std::string& key) {
  std::ifstream in("/proc/self/status");
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind(key, 0) != 0) continue;
    try {
      return std::stol(line.substr(key.size()));
    } catch (...) {
      return -1;
    }
  }
  return -1;
}

int OpenDescriptors() {
  DIR* dir = opendir("/proc/self/fd");
  if (!dir) return -1;
  int count = 0;
  while (const dirent* entry = readdir(dir))
    if (entry->d_name[0] != '.') ++count;
  closedir(dir);
  return count - 1;  // the listing's own descriptor
}

}  // namespace

ProcessFigures ReadProcessFigures() {
  ProcessFigures figures;
  figures.residentKb = StatusField("VmRSS:");
  figures.threads = static_cast<int>(StatusField("Threads:"));
  figures.fds = OpenDescriptors();
  return figures;
}

ProcessFigures SettledProcessFigures(int steadyMs, int limitMs) {
  QElapsedTimer waited, steady;
  waited.start();
  steady.start();
  ProcessFigures last = ReadProcessFigures();
  while (waited.elapsed() < limitMs) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(20);
    const ProcessFigures now = ReadProcessFigures();
    if (now.threads != last.threads || now.fds != last.fds) steady.restart();
    last = now;
    if (steady.elapsed() >= steadyMs) break;
  }
  return last;
}

std::string Megabytes(long kb, bool sign) {
  char text[32];
  std::snprintf(text, sizeof text, sign ? "%+.1f MB" : "%.1f MB", static_cast<double>(kb) / 1024.0);
  return text;
}

}  // namespace varlo::testing
