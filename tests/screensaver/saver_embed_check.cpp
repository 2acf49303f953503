// Plays xscreensaver's part for VarloSS: makes a window, starts the saver with "-window-id" of
// it and asks it to end with SIGTERM, twice.
//  1. The settings name a skin that is gone and the program folder has none: the bundled skin
//     is shown. The window is then made larger, as a preview is: the saver must follow, so no
//     pixel of the window's own magenta shows and the date plaque is centred in both sizes.
//     Passes when both pictures show the clock's lit segments, the second one is saved, and
//     the saver ended normally within a few seconds.
//  2. The program folder's skin names bitmaps that are not there: the saver says so on
//     standard error, "Main bitmap not found: ..." and "Resource bitmap not found: ...".
//
//   saver_embed_check <VarloSS> <picture.png>
// with XDG_CONFIG_HOME and VARLO_HOME naming empty folders of the check's own.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QScreen>
#include <QThread>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

namespace {

template <typename Test>
int PixelsWhere(const QImage& image, Test test) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) count += test(image.pixelColor(x, y)) ? 1 : 0;
  return count;
}

// Pixels of the skin's teal ink: green and blue well above red.
int InkPixels(const QImage& image) {
  return PixelsWhere(image,
                     [](QColor c) { return c.green() > 150 && c.blue() > 120 && c.red() < 110; });
}

// Pixels of the host window's own colour.
int MagentaPixels(const QImage& image) {
  return PixelsWhere(image,
                     [](QColor c) { return c.red() > 200 && c.blue() > 200 && c.green() < 60; });
}

// The box of what is drawn below row `top` (the bundled skin's clock corner ends above it),
// which is the centred date plaque.
QRect DrawnBelow(const QImage& image, int top) {
  QRect box;
  for (int y = top; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (std::abs(c.red() - 6) + std::abs(c.green() - 8) + std::abs(c.blue() - 11) > 24)
        box |= QRect(x, y, 1, 1);
    }
  return box;
}

// Whether the plaque is centred across the window and its lower edge where centring puts it
// (give or take the few pixels of its rounded, shaded border).
bool Centred(const QImage& image) {
  constexpr int kPlaqueHeight = 130;
  const QRect box = DrawnBelow(image, 160);
  const bool centred = std::abs(box.left() + box.right() + 1 - image.width()) <= 4 &&
                       std::abs(2 * (box.bottom() + 1) - image.height() - kPlaqueHeight) <= 12;
  if (!centred)
    std::fprintf(stderr, "saver_embed_check: the plaque lies at %d,%d %dx%d in %dx%d\n", box.x(),
                 box.y(), box.width(), box.height(), image.width(), image.height());
  return centred;
}

void Wait(int ms) {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < ms) {
    QApplication::processEvents(QEventLoop::AllEvents, 50);
    QThread::msleep(20);
  }
}

bool Write(const QString& path, const QByteArray& text) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile f(path);
  return f.open(QIODevice::WriteOnly) && f.write(text) == text.size();
}

// Starts the saver in `host`; false when it does not start.
bool Start(QProcess& saver, const QString& program, const QWidget& host) {
  saver.start(program, {QStringLiteral("-window-id"), QString::number(host.winId())});
  if (saver.waitForStarted(5000)) return true;
  std::fprintf(stderr, "saver_embed_check: VarloSS did not start\n");
  return false;
}

// Ends the saver with SIGTERM; false when it does not end normally.
bool End(QProcess& saver) {
  saver.terminate();
  const bool ended = saver.waitForFinished(5000);
  if (!ended) saver.kill();
  if (ended && saver.exitStatus() == QProcess::NormalExit && saver.exitCode() == 0) return true;
  std::fprintf(stderr, "saver_embed_check: VarloSS did not end on SIGTERM\n");
  return false;
}

QImage Shot(const QWidget& host) {
  return host.screen()->grabWindow(host.winId()).toImage();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: saver_embed_check <VarloSS> <picture.png>\n");
    return 2;
  }
  const QString program = QString::fromLocal8Bit(argv[1]);
  const QString config = qEnvironmentVariable("XDG_CONFIG_HOME") + "/varlo/varlo.ini";
  const QString home = qEnvironmentVariable("VARLO_HOME");
  QWidget host;
  host.setWindowTitle(QStringLiteral("saver host"));
  host.setStyleSheet(QStringLiteral("background: magenta"));
  host.resize(640, 400);
  host.show();
  Wait(500);
  int failures = 0;

  Write(config, "[config]\nSSSkin=" + home.toUtf8() + "/gone.skin\nTimeFmt=1\n");
  QProcess saver;
  saver.setProcessChannelMode(QProcess::ForwardedChannels);
  if (!Start(saver, program, host)) return 1;
  Wait(3000);
  const QImage first = Shot(host);
  host.resize(900, 560);
  Wait(1500);
  const QImage second = Shot(host);
  second.save(QString::fromLocal8Bit(argv[2]));
  std::printf("saver_embed_check: %d lit pixels in %dx%d, %d in %dx%d, %d magenta\n",
              InkPixels(first), first.width(), first.height(), InkPixels(second), second.width(),
              second.height(), MagentaPixels(second));
  if (InkPixels(first) < 500 || InkPixels(second) < 500) {
    std::fprintf(stderr, "saver_embed_check: the window does not show the clock\n");
    ++failures;
  }
  if (MagentaPixels(first) > 0 || MagentaPixels(second) > 0 || !Centred(first) ||
      !Centred(second)) {
    std::fprintf(stderr, "saver_embed_check: the saver does not follow its window's size\n");
    ++failures;
  }
  if (!End(saver)) ++failures;

  Write(config, "[config]\nTimeFmt=1\n");
  Write(home + "/VarloSS.skin",
        "Varlo Skin/Screensaver, no bitmaps\n640,480\n640,480\n640,480\nnone.bmp,nothing.bmp\n"
        "0,0,6,8,11,0,0,0\nE\n");
  QProcess bare;
  bare.setProcessChannelMode(QProcess::SeparateChannels);
  if (!Start(bare, program, host)) return 1;
  Wait(1500);
  if (!End(bare)) ++failures;
  const QString said = QString::fromLocal8Bit(bare.readAllStandardError());
  for (const QString& want : {"Main bitmap not found: " + home + "/none.bmp",
                              "Resource bitmap not found: " + home + "/nothing.bmp"}) {
    if (said.contains(want)) continue;
    std::fprintf(stderr, "saver_embed_check: standard error lacks \"%s\": \"%s\"\n",
                 qPrintable(want), qPrintable(said));
    ++failures;
  }
  return failures == 0 ? 0 : 1;
}
