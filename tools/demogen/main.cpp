// varlo-demogen: makes the files of the bundled demo album.
//
//   varlo-demogen wav <file>       the piece "First Light" as 44.1 kHz 16-bit stereo WAV
//   varlo-demogen cover <file>     the album's cover picture (BMP)
//   varlo-demogen playlist <file>  the album's playlist (M3U)
//
// The WAV is encoded to MP3 by the build; the cover and the playlist ship as they are.

#include <QGuiApplication>
#include <QString>
#include <cstdio>
#include <fstream>
#include <string>

#include "tools/demogen/cover.h"
#include "tools/demogen/score.h"
#include "tools/demogen/synth.h"

namespace {

bool WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (out) return true;
  std::fprintf(stderr, "varlo-demogen: cannot write %s\n", path.c_str());
  return false;
}

int Usage() {
  std::fprintf(stderr, "usage: varlo-demogen wav|cover|playlist <file>\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return Usage();
  const std::string what = argv[1];
  const std::string path = argv[2];
  if (what == "wav")
    return WriteFile(path, demogen::WavBytes(demogen::Render(demogen::FirstLight()))) ? 0 : 1;
  if (what == "playlist") {
    // One entry beside the playlist, with the line ends playlists have always had.
    return WriteFile(path, std::string(demogen::kTitle) + ".mp3\r\n") ? 0 : 1;
  }
  if (what == "cover") {
    // Only a picture is painted; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (demogen::DemoCover().save(QString::fromStdString(path), "BMP")) return 0;
    std::fprintf(stderr, "varlo-demogen: cannot write %s\n", path.c_str());
    return 1;
  }
  return Usage();
}
