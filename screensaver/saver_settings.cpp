#include "screensaver/saver_settings.h"

#include <cerrno>
#include <cstdlib>
#include <string_view>

#include "common/numtext.h"
#include "common/paths.h"

namespace varlo {
namespace {

// A window id as xscreensaver writes it: decimal or "0x" hexadecimal; 0 when not a number.
std::uint64_t WindowId(const char* text) {
  if (text == nullptr || *text == '\0') return 0;
  char* end = nullptr;
  errno = 0;
  const unsigned long long id = std::strtoull(text, &end, 0);
  if (errno != 0 || end == text || *end != '\0') return 0;
  return id;
}

}  // namespace

SaverSettings ReadSaverSettings(const SettingsStore& store) {
  SaverSettings s;
  s.skinPath = ReadSetting(store, "SkinPath", "");
  s.ssSkin = ReadSetting(store, "SSSkin", "");
  s.ssPic = ReadSetting(store, "SSPic", "");
  s.timeFmt = ReadSettingNum(store, "TimeFmt", "0");
  return s;
}

WriteStatus WriteSaverSettings(SettingsStore& store, const SaverSettings& settings) {
  // Defaults the file lacked do not replace what the main program stored meanwhile.
  WriteSettingOrDefault(store, "SSSkin", settings.ssSkin, "");
  WriteSettingOrDefault(store, "SSPic", settings.ssPic, "");
  WriteSettingOrDefault(store, "TimeFmt", IntToText(settings.timeFmt), "0");
  return store.Save();
}

std::string SaverSettingsNotSaved(const std::string& path, const WriteStatus& status) {
  return WithReason("Unable to save the screen saver settings to " + path + "!", status);
}

std::string SaverSkinPath(const SaverSettings& settings, const std::string& programFolder) {
  if (!settings.ssSkin.empty() && FileExists(settings.ssSkin)) return settings.ssSkin;
  const std::string own = AddSlash(programFolder) + "VarloSS.skin";
  return FileExists(own) ? own : std::string();
}

SaverCommand ParseSaverCommand(int argc, const char* const* args, const char* xscreensaverWindow) {
  SaverCommand c;
  // xscreensaver names its window in the environment, whatever else it passes.
  if (const std::uint64_t id = WindowId(xscreensaverWindow); id != 0) {
    c.action = SaverAction::Embedded;
    c.window = id;
    return c;
  }
  for (int i = 0; i < argc; ++i) {
    std::string_view a(args[i]);
    if (a.substr(0, 2) == "--") a.remove_prefix(1);
    if (a == "-root") {
      c.action = SaverAction::Embedded;
      c.window = 0;
      return c;
    }
    if (a == "-window-id" && i + 1 < argc) {
      c.window = WindowId(args[i + 1]);
      c.action = c.window != 0 ? SaverAction::Embedded : SaverAction::End;
      return c;
    }
  }
  if (argc == 0) return c;
  // The switches of the saver itself: their first two characters, compared exactly.
  const std::string_view first = std::string_view(args[0]).substr(0, 2);
  if (first == "/s") return c;
  if (first == "/c") {
    c.action = SaverAction::Settings;
    return c;
  }
  c.action = SaverAction::End;
  return c;
}

}  // namespace varlo
