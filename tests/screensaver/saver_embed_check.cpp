// Plays xscreensaver's part for VarloSS: makes a window, starts the saver with "-window-id" of
// it, takes a picture of the window after a few seconds and asks the saver to end with
// SIGTERM. Passes when the picture shows the clock's lit segments and the saver ended
// normally within a few seconds.
//
//   saver_embed_check <VarloSS> <picture.png>
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QScreen>
#include <QThread>
#include <QWidget>
#include <cstdio>

namespace {

// Pixels of the skin's teal ink: green and blue well above red.
int InkPixels(const QImage& image) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.green() > 150 && c.blue() > 120 && c.red() < 110) ++count;
    }
  return count;
}

void Wait(int ms) {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < ms) {
    QApplication::processEvents(QEventLoop::AllEvents, 50);
    QThread::msleep(20);
  }
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: saver_embed_check <VarloSS> <picture.png>\n");
    return 2;
  }
  QWidget host;
  host.setWindowTitle(QStringLiteral("saver host"));
  host.setStyleSheet(QStringLiteral("background: black"));
  host.resize(800, 500);
  host.show();
  Wait(500);

  QProcess saver;
  saver.setProcessChannelMode(QProcess::ForwardedChannels);
  saver.start(QString::fromLocal8Bit(argv[1]),
              {QStringLiteral("-window-id"), QString::number(host.winId())});
  if (!saver.waitForStarted(5000)) {
    std::fprintf(stderr, "saver_embed_check: VarloSS did not start\n");
    return 1;
  }
  Wait(3000);
  const QImage shot = host.screen()->grabWindow(host.winId()).toImage();
  shot.save(QString::fromLocal8Bit(argv[2]));
  const int ink = InkPixels(shot);
  std::printf("saver_embed_check: %d lit pixels in %dx%d\n", ink, shot.width(), shot.height());

  saver.terminate();  // SIGTERM
  const bool ended = saver.waitForFinished(5000);
  if (!ended) saver.kill();
  if (ink < 500) {
    std::fprintf(stderr, "saver_embed_check: the window does not show the clock\n");
    return 1;
  }
  if (!ended || saver.exitStatus() != QProcess::NormalExit || saver.exitCode() != 0) {
    std::fprintf(stderr, "saver_embed_check: VarloSS did not end on SIGTERM\n");
    return 1;
  }
  return 0;
}
