// varlo-skingen: draws the bundled skins' bitmaps and writes their skin files.
//
//   varlo-skingen <outdir> [--preview <dir>]
//
// Writes the default player (default.skin, default_main.bmp, default_res.bmp), the FM
// radio (fm.skin, fm_main.bmp, fm_res.bmp), the clock (clock.skin ...), the screen saver's
// skin (VarloSS.skin ...) and the picture shown for entries without a
// cover, nocover.bmp, into outdir. With --preview it also writes PNG pictures of each
// window in a few states, drawn the way the player composes them, for looking at the art.

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
  idle.lightsOn = {2, 19, 22};
  idle.seek = 0;
  idle.playlistRows = false;

  PreviewState playing;
  playing.lightsOn = {4, 7, 10, 19, 22};
  playing.frame = 5;

  PreviewState pressed = playing;
  pressed.pressed = {12, 27, 23, 1};
  pressed.frame = 11;
  pressed.hovered = 15;

  PreviewState lights;
  lights.time = "-2:42";
  lights.lightsOn = {3, 5, 7, 8, 10, 17, 20, 21};
  lights.name = "CD TRACK 07 - 03:41";
  lights.pressed = {11, 9, 37, 25, 28, 30, 20, 3, 4, 1001};
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

bool WriteRadioPreviews(const skingen::Skin& skin, const skingen::Bitmaps& bm, const QString& dir) {
  using skingen::RadioPreviewState;
  struct Shot {
    const char* name;
    RadioPreviewState state;
  };
  // A first start: no tuner library, no presets yet.
  RadioPreviewState fresh;
  fresh.frequency = " 87.0";
  fresh.preset = "00";
  fresh.tuning = 0;
  fresh.labels = {{42, "No tuner library"}, {41, "87.0"}, {43, ""}, {8, ""}, {23, "0"}};

  RadioPreviewState tuned;
  tuned.lightsOn = {1};
  tuned.presets = {"87.5 Coast FM",      "91.3 Harbour Jazz", "94.8 FM", "99.0 Northern Talk",
                   "101.1 Harbour Jazz", "104.6 Static Lane", "107.2 FM"};
  tuned.selected = 4;
  tuned.entry = "Harbour Jazz";
  tuned.preset = "05";
  tuned.labels = {{43, "005"}, {8, ""}, {23, ""}};

  RadioPreviewState scanning = tuned;
  scanning.lightsOn = {};
  scanning.frequency = " 95.4";
  scanning.tuning = (95.4 - 87) / 21;
  scanning.pressed = {81};
  scanning.labels = {{42, "Scanning..."}, {41, "95.4"}, {43, "005"}, {8, "Mute"}, {23, ""}};

  RadioPreviewState pressed = tuned;
  pressed.frequency = "107.9";
  pressed.tuning = (107.9 - 87) / 21;
  pressed.pressed = {106, 93, 84, 82, 9, 39, 86, 88, 1001, 3};
  pressed.hovered = 98;
  pressed.labels = {{41, "107.9"}, {43, "005"}, {8, "Mute"}, {23, "107.9"}};

  const Shot shots[] = {
      {"fresh", fresh}, {"tuned", tuned}, {"scanning", scanning}, {"pressed", pressed}};
  bool ok = true;
  for (const Shot& s : shots)
    ok = Save(skingen::RadioPreview(skin, bm, s.state), dir + "/preview_fm_" + s.name + ".png",
              "PNG") &&
         ok;
  return ok;
}

// Checks, draws and writes one skin; previews too when `previews` is not empty.
bool WriteSkin(const skingen::Skin& skin, const QString& out, const QString& previews) {
  const skingen::Bitmaps bm = skingen::PaintSkin(skin);
  const std::vector<std::string> problems = skingen::Problems(skin, bm);
  for (const std::string& p : problems)
    std::fprintf(stderr, "varlo-skingen: %s: %s\n", skin.file.c_str(), p.c_str());
  if (!problems.empty()) return false;
  bool ok = Save(bm.main, out + "/" + QString::fromStdString(skin.mainBitmap), "BMP");
  ok = Save(bm.resource, out + "/" + QString::fromStdString(skin.resBitmap), "BMP") && ok;
  ok = WriteText(out + "/" + QString::fromStdString(skin.file), skingen::SkinText(skin)) && ok;
  if (!previews.isEmpty() && skin.kind != skingen::SkinKind::Clock &&
      skin.kind != skingen::SkinKind::Screensaver) {
    QDir().mkpath(previews);
    ok = (skin.kind == skingen::SkinKind::Radio ? WriteRadioPreviews(skin, bm, previews)
                                                : WritePreviews(skin, bm, previews)) &&
         ok;
  }
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

  const QString previews = args.size() == 4 ? args[3] : QString();
  bool ok = WriteSkin(skingen::DefaultSkin(), out, previews);
  ok = WriteSkin(skingen::FmSkin(), out, previews) && ok;
  ok = WriteSkin(skingen::CalculatorSkin(), out, QString()) && ok;
  ok = WriteSkin(skingen::NotepadSkin(), out, QString()) && ok;
  ok = WriteSkin(skingen::WebRadioSkin(), out, QString()) && ok;
  ok = WriteSkin(skingen::BrowserSkin(), out, QString()) && ok;
  ok = WriteSkin(skingen::ClockSkin(), out, previews) && ok;
  ok = WriteSkin(skingen::SaverSkin(), out, previews) && ok;
  ok = Save(skingen::NoCoverPicture(), out + "/nocover.bmp", "BMP") && ok;
  return ok ? 0 : 1;
}
