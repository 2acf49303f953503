#include "ui/quit_signals.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QPointer>
#include <QSocketNotifier>
#include <csignal>

namespace varlo {
namespace {

int g_pipe[2] = {-1, -1};

// Only async-signal-safe work here: the GUI thread reads the pipe and closes the window.
void OnSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t n = write(g_pipe[1], &byte, 1);
}

}  // namespace

void CloseOnQuitSignals(QWidget* window) {
  if (g_pipe[0] >= 0 || socketpair(AF_UNIX, SOCK_STREAM, 0, g_pipe) != 0) return;
  fcntl(g_pipe[1], F_SETFL, O_NONBLOCK);
  auto* notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, window);
  QPointer<QWidget> target(window);
  QObject::connect(notifier, &QSocketNotifier::activated, window, [target] {
    char buf[16];
    [[maybe_unused]] const ssize_t n = read(g_pipe[0], buf, sizeof buf);
    if (target) target->close();
  });
  struct sigaction sa {};
  sa.sa_handler = OnSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  for (int sig : {SIGTERM, SIGINT, SIGHUP}) sigaction(sig, &sa, nullptr);
}

}  // namespace varlo
