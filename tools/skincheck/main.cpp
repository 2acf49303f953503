// varlo-skincheck: tells a skin author what the program will refuse or ignore in a skin.
//
//   varlo-skincheck [--strict] FILE.skin...
//
// Prints one line per finding ("file:line: error|warning: element: why") and exits 1 when a
// skin has errors (with --strict, warnings too), 2 when a file cannot be read, 0 otherwise.
#include <QImageReader>
#include <QString>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "common/atomic_file.h"
#include "common/paths.h"
#include "skin/skin_check.h"
#include "skin/skin_loader.h"

namespace {

std::optional<varlo::PictureSize> SizeOf(const std::string& path) {
  // The header is enough for the size; nothing is decoded.
  QImageReader reader(QString::fromStdString(path));
  const QSize size = reader.size();
  if (!reader.canRead() || !size.isValid()) return std::nullopt;
  return varlo::PictureSize{size.width(), size.height()};
}

// The folder of the skin file, where its bitmaps are.
std::string Folder(const std::string& file) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(file, error);
  return varlo::GetPath(error ? file : absolute.string());
}

}  // namespace

int main(int argc, char** argv) {
  bool strict = false;
  int files = 0, status = 0;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--strict") == 0) {
      strict = true;
      continue;
    }
    if (argv[i][0] == '-') {
      std::fprintf(stderr, "usage: varlo-skincheck [--strict] FILE.skin...\n");
      return 2;
    }
    ++files;
    const std::string file = argv[i];
    const auto text = varlo::ReadFileBounded(file, varlo::SkinLoader::kMaxSkinBytes);
    if (!text) {
      std::fprintf(stderr, "%s: cannot be read (missing, not a file, or over %zu bytes)\n",
                   file.c_str(), varlo::SkinLoader::kMaxSkinBytes);
      status = 2;
      continue;
    }
    int errors = 0, warnings = 0;
    for (const varlo::SkinFinding& f : varlo::CheckSkin(*text, Folder(file), SizeOf)) {
      std::printf("%s\n", varlo::FormatFinding(file, f).c_str());
      (f.level == varlo::SkinFinding::Level::Error ? errors : warnings) += 1;
    }
    std::printf("%s: %d error(s), %d warning(s)\n", file.c_str(), errors, warnings);
    if ((errors > 0 || (strict && warnings > 0)) && status == 0) status = 1;
  }
  if (files == 0) {
    std::fprintf(stderr, "usage: varlo-skincheck [--strict] FILE.skin...\n");
    return 2;
  }
  return status;
}
