// varlo-skingen: draws the default skin's bitmaps and writes its skin file.
//
//   varlo-skingen <outdir> [--preview <dir>]
//
// Writes default.skin, default_main.bmp, default_res.bmp and the picture shown for entries
// without a cover, nocover.bmp, into outdir. With --preview
// it also writes PNG pictures of the window in a few states, drawn the way the player
// composes them, for looking at the art.

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QString>
#include <cstdio>
#include <cstdlib>

#include "tools/skingen/art.h"
#include "tools/skingen/check.h"
#include "tools/skingen/layout.h"
#include "tools/skingen/nocover.h"
#include "tools/skingen/skin_text.h"

namespace {

bool Save(const QImage& img, const QString& path, const char* format) {
  if (img.save(path, format)) return true;
  std::fprintf(stderr, "varlo-skingen: cannot write %s\n", qPrintable(path));
  return false;
}

bool WriteText(const QString& path, const std::string& text) {
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      f.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size())) {
    std::fprintf(stderr, "varlo-skingen: cannot write %s\n", qPrintable(path));
    return false;
  }
  return true;
}

bool WritePreviews(const skingen::Skin& skin, const skingen::Bitmaps& bm, const QString& dir) {
  using skingen::PreviewState;
  struct Shot {
    const char* name;
    PreviewState state;
  };
  PreviewState idle;
  idle.time = "00:00";
  idle.track = "01";
  idle.name = "";
  idle.lightsOn = {2, 19};
  idle.seek = 0;
  idle.playlistRows = false;

  PreviewState playing;
  playing.lightsOn = {4, 7, 10, 19};
  playing.frame = 5;

  PreviewState pressed = playing;
  pressed.pressed = {12, 27, 23, 1};
  pressed.frame = 11;
  pressed.hovered = 15;

  PreviewState lights;
  lights.time = "-2:42";
  lights.lightsOn = {3, 5, 7, 8, 10, 17, 20};
  lights.name = "CD TRACK 07 - 03:41";
  lights.pressed = {11, 9, 37, 25, 28, 30, 20, 3, 4};
  lights.volume = 0.35;
  lights.balance = 0.2;

  const Shot shots[] = {
      {"idle", idle}, {"playing", playing}, {"pressed", pressed}, {"lights", lights}};
  bool ok = true;
  for (const Shot& s : shots)
    ok =
        Save(skingen::Preview(skin, bm, s.state), dir + "/preview_" + s.name + ".png", "PNG") && ok;
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  // Only images are drawn; no display is needed.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);

  const QStringList args = app.arguments();
  if (args.size() != 2 && !(args.size() == 4 && args[2] == "--preview")) {
    std::fprintf(stderr, "usage: varlo-skingen <outdir> [--preview <dir>]\n");
    return 2;
  }
  const QString out = args[1];
  if (!QDir().mkpath(out)) {
    std::fprintf(stderr, "varlo-skingen: cannot create %s\n", qPrintable(out));
    return 1;
  }

  const skingen::Skin skin = skingen::DefaultSkin();
  const skingen::Bitmaps bm = skingen::PaintSkin(skin);
  const std::vector<std::string> problems = skingen::Problems(skin, bm);
  for (const std::string& p : problems) std::fprintf(stderr, "varlo-skingen: %s\n", p.c_str());
  if (!problems.empty()) return 1;
  bool ok = Save(bm.main, out + "/" + QString::fromStdString(skin.mainBitmap), "BMP");
  ok = Save(bm.resource, out + "/" + QString::fromStdString(skin.resBitmap), "BMP") && ok;
  ok = WriteText(out + "/default.skin", skingen::SkinText(skin)) && ok;
  ok = Save(skingen::NoCoverPicture(), out + "/nocover.bmp", "BMP") && ok;
  if (args.size() == 4) {
    QDir().mkpath(args[3]);
    ok = WritePreviews(skin, bm, args[3]) && ok;
  }
  return ok ? 0 : 1;
}
