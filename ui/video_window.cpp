#include "ui/video_window.h"

#include <QCloseEvent>
#include <QEvent>
#include <QFile>
#include <QPalette>
#include <QScreen>
#include <QTimer>

#include "ui/app_icon.h"

namespace varlo {

VideoWindow::VideoWindow(QWidget* mainWindow)
    : QWidget(nullptr, Qt::Window), mainWindow_(mainWindow) {
  setAttribute(Qt::WA_QuitOnClose, false);
  setWindowIcon(VarloIcon());
  setWindowTitle(QStringLiteral("Varlo"));
  QPalette black = palette();
  black.setColor(QPalette::Window, Qt::black);
  setPalette(black);
  setAutoFillBackground(true);
  // The engine draws in a window of its own inside this one; this one shows black around it.
  setAttribute(Qt::WA_NativeWindow);
  resize(480, 360);
  if (mainWindow != nullptr) mainWindow->installEventFilter(this);
}

QString VideoWindow::TitleFor(const std::string& path) {
  const auto slash = path.rfind('/');
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  return QFile::decodeName(QByteArray::fromStdString(name)) + QStringLiteral(" - Varlo");
}

std::uint64_t VideoWindow::NativeId() {
  return static_cast<std::uint64_t>(winId());
}

void VideoWindow::ShowVideo(const std::string& path, int width, int height,
                            std::function<void()> onVisible) {
  setWindowTitle(TitleFor(path));
  if (!isVisible()) onVisible_ = std::move(onVisible);
  if (!sized_ && width > 0 && height > 0) {
    sized_ = true;
    QSize size(width, height);
    // A video larger than the screen opens at the screen's size, keeping its shape.
    const QWidget* main = mainWindow_.data();
    if (const QScreen* screen = (main != nullptr ? main : this)->screen())
      size = size.boundedTo(screen->availableSize() * 9 / 10).expandedTo(QSize(1, 1));
    if (size.width() * height != size.height() * width)
      size = QSize(width, height).scaled(size, Qt::KeepAspectRatio);
    resize(size);
  }
  show();
  raise();
}

void VideoWindow::closeEvent(QCloseEvent* event) {
  // Closing a window destroys its native window, and with it the one the engine draws in while
  // it still uses it: the window is only hidden, the video plays on unseen.
  event->ignore();
  hide();
}

void VideoWindow::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  if (!onVisible_) return;
  QTimer::singleShot(0, this, [task = std::move(onVisible_)] { task(); });
  onVisible_ = nullptr;
}

bool VideoWindow::eventFilter(QObject* watched, QEvent* event) {
  // Once the main window has really closed (a close can be refused), this one goes too.
  if (watched == mainWindow_ && event->type() == QEvent::Close) {
    QTimer::singleShot(0, this, [this] {
      const QWidget* main = mainWindow_.data();
      if (main == nullptr || !main->isVisible()) hide();
    });
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace varlo
