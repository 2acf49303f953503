#include "tests/fault/soak/process_figures.h"

#include <dirent.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
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

// The targets of the open descriptors (sockets and pipes by their inode), without the
// listing's own; false when the folder cannot be read.
bool OpenDescriptors(std::vector<std::string>& targets) {
  DIR* dir = opendir("/proc/self/fd");
  if (!dir) return false;
  const std::string own = std::to_string(dirfd(dir));
  while (const dirent* entry = readdir(dir)) {
    if (entry->d_name[0] == '.' || own == entry->d_name) continue;
    char target[512];
    const std::string link = std::string("/proc/self/fd/") + entry->d_name;
    const ssize_t size = readlink(link.c_str(), target, sizeof target - 1);
    targets.push_back(size > 0 ? std::string(target, static_cast<std::size_t>(size)) : "?");
  }
  closedir(dir);
  std::sort(targets.begin(), targets.end());
  return true;
}

}  // namespace

ProcessFigures ReadProcessFigures() {
  ProcessFigures figures;
  figures.residentKb = StatusField("VmRSS:");
  figures.threads = static_cast<int>(StatusField("Threads:"));
  figures.fds =
      OpenDescriptors(figures.fdTargets) ? static_cast<int>(figures.fdTargets.size()) : -1;
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

std::vector<std::string> Added(const std::vector<std::string>& before,
                               const std::vector<std::string>& now) {
  std::vector<std::string> added;
  std::set_difference(now.begin(), now.end(), before.begin(), before.end(),
                      std::back_inserter(added));
  return added;
}

std::string Megabytes(long kb, bool sign) {
  char text[32];
  std::snprintf(text, sizeof text, sign ? "%+.1f MB" : "%.1f MB", static_cast<double>(kb) / 1024.0);
  return text;
}

}  // namespace varlo::testing
