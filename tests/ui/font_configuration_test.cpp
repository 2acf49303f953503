// The font configuration the program loads at start against the one fontconfig's own FcInit
// loads: the same fonts found for every kind of request, the same folders and caches.
#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"
#include "ui/font_warmup.h"

namespace varlo {
namespace {

std::vector<std::string> Strings(FcStrList* list) {
  std::vector<std::string> out;
  while (FcChar8* s = FcStrListNext(list)) out.emplace_back(reinterpret_cast<const char*>(s));
  FcStrListDone(list);
  return out;
}

// The file and face fontconfig chooses in `config` for `request` (a fontconfig pattern text).
std::string Match(FcConfig* config, const char* request) {
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(request));
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* font = FcFontMatch(config, pattern, &result);
  std::string chosen = "none";
  FcChar8* file = nullptr;
  int index = 0;
  if (font && FcPatternGetString(font, FC_FILE, 0, &file) == FcResultMatch) {
    FcPatternGetInteger(font, FC_INDEX, 0, &index);
    chosen = std::string(reinterpret_cast<const char*>(file)) + "#" + std::to_string(index);
  }
  if (font) FcPatternDestroy(font);
  FcPatternDestroy(pattern);
  return chosen;
}

TEST(FontConfiguration, TheProgramsConfigurationChoosesAsFontconfigsOwnDoes) {
  // With a rule of the user's own, which both must follow.
  testing::TempDir dir;
  const char* config = std::getenv("XDG_CONFIG_HOME");
  const std::string before = config ? config : "";
  dir.Write("fontconfig/fonts.conf",
            "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n<fontconfig>"
            "<alias binding=\"strong\"><family>monospace</family>"
            "<prefer><family>DejaVu Serif</family></prefer></alias></fontconfig>\n");
  setenv("XDG_CONFIG_HOME", dir.Path().c_str(), 1);
  ASSERT_TRUE(LoadFontConfiguration());
  FcConfig* ours = FcConfigReference(nullptr);  // the current one, which the load made
  FcConfig* own = FcInitLoadConfigAndFonts();
  ASSERT_NE(own, nullptr);
  ASSERT_NE(ours, own);
  EXPECT_EQ(Strings(FcConfigGetFontDirs(ours)), Strings(FcConfigGetFontDirs(own)));
  EXPECT_EQ(Strings(FcConfigGetCacheDirs(ours)), Strings(FcConfigGetCacheDirs(own)));
  EXPECT_EQ(FcConfigGetRescanInterval(ours), FcConfigGetRescanInterval(own));
  for (const char* request :
       {"sans-serif", "serif", "monospace", "DejaVu Sans:bold", "Arial", "Helvetica:italic",
        "Times New Roman", "Courier", "sans-serif:lang=ja", "sans-serif:lang=ar", "emoji",
        "cursive", "fantasy", "System", "sans-serif:pixelsize=9", "MS Sans Serif:weight=200"}) {
    EXPECT_EQ(Match(ours, request), Match(own, request)) << request;
  }
  if (Match(own, "DejaVu Serif") != "none") {
    EXPECT_EQ(Match(ours, "monospace"), Match(ours, "DejaVu Serif")) << "the user's rule";
  }
  FcConfigDestroy(own);
  FcConfigDestroy(ours);
  if (config)
    setenv("XDG_CONFIG_HOME", before.c_str(), 1);
  else
    unsetenv("XDG_CONFIG_HOME");
}

TEST(FontConfiguration, FcDebugIsLeftToFontconfigsOwnLoading) {
  setenv("FC_DEBUG", "1", 1);
  EXPECT_FALSE(LoadFontConfiguration());
  unsetenv("FC_DEBUG");
}

}  // namespace
}  // namespace varlo
