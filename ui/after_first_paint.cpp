#include "ui/after_first_paint.h"

#include <QEvent>
#include <QTimer>
#include <utility>

namespace varlo {
namespace {

// Watches the window's events until its first paint; lives as the window's child.
class FirstPaintWatcher final : public QObject {
 public:
  FirstPaintWatcher(QWidget* window, int latestMs, std::function<void()> task)
      : QObject(window), task_(std::move(task)) {
    window->installEventFilter(this);
    QTimer::singleShot(latestMs, this, [this] { Run(); });
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !queued_) {
      queued_ = true;
      QTimer::singleShot(0, this, [this] { Run(); });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  void Run() {
    if (!task_) return;
    const std::function<void()> task = std::move(task_);
    task_ = nullptr;
    deleteLater();
    task();
  }

  std::function<void()> task_;
  bool queued_ = false;
};

}  // namespace

void AfterFirstPaint(QWidget* window, int latestMs, std::function<void()> task) {
  new FirstPaintWatcher(window, latestMs, std::move(task));
}

}  // namespace varlo
