#include "ui/quit_signals.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QMenu>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>
#include <csignal>

namespace varlo {
namespace {

int g_pipe[2] = {-1, -1};

// How long the ordered close may take before the window is closed directly, and how often the
// dialogs are looked at meanwhile.
constexpr int kOrderedCloseMs = 1500;
constexpr int kStepMs = 20;

// Only async-signal-safe work here: the GUI thread reads the pipe and closes the window.
void OnSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t n = write(g_pipe[1], &byte, 1);
}

// Ends every open dialog, message box and menu (each as if cancelled); returns how many were
// open.
int EndOpenDialogs() {
  int open = 0;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (!widget->isVisible()) continue;
    if (auto* dialog = qobject_cast<QDialog*>(widget)) {
      ++open;
      dialog->done(QDialog::Rejected);
    } else if (auto* menu = qobject_cast<QMenu*>(widget)) {
      ++open;
      menu->close();
    }
  }
  return open;
}

// Closes the window once the dialogs have gone, on a timer of the window's event loop.
class QuitSequence final : public QObject {
 public:
  QuitSequence(QWidget* window, std::function<void()> close)
      : QObject(window), window_(window), close_(std::move(close)) {
    timer_.setInterval(kStepMs);
    connect(&timer_, &QTimer::timeout, this, [this] { Step(); });
  }

  void Begin() {
    if (timer_.isActive() || asked_) return;
    clock_.start();
    timer_.start();
    Step();
  }

 private:
  void Step() {
    const bool late = clock_.elapsed() >= kOrderedCloseMs;
    // A dialog's loop returns only after this event: the close is asked for on a later step,
    // from the loop below it.
    if (EndOpenDialogs() > 0 && !late) return;
    if (!asked_) {
      asked_ = true;
      if (close_) close_();
      return;
    }
    QWidget* window = window_.data();
    if (window == nullptr || !window->isVisible()) return timer_.stop();
    if (late) {
      timer_.stop();
      window->close();
    }
  }

  QPointer<QWidget> window_;
  std::function<void()> close_;
  QTimer timer_;
  QElapsedTimer clock_;
  bool asked_ = false;
};

}  // namespace

void CloseOnQuitSignals(QWidget* window, std::function<void()> close) {
  if (g_pipe[0] >= 0 || socketpair(AF_UNIX, SOCK_STREAM, 0, g_pipe) != 0) return;
  fcntl(g_pipe[1], F_SETFL, O_NONBLOCK);
  auto* notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, window);
  auto* sequence = new QuitSequence(window, std::move(close));
  QObject::connect(notifier, &QSocketNotifier::activated, window, [sequence] {
    char buf[16];
    [[maybe_unused]] const ssize_t n = read(g_pipe[0], buf, sizeof buf);
    sequence->Begin();
  });
  struct sigaction sa {};
  sa.sa_handler = OnSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  for (int sig : {SIGTERM, SIGINT, SIGHUP}) sigaction(sig, &sa, nullptr);
}

}  // namespace varlo
