#pragma once
#include <cstdint>
#include <string>

#include "common/settings_store.h"

namespace varlo {

// The screen saver's share of the settings: "SkinPath" it only reads; "SSSkin", "SSPic" and
// "TimeFmt" it reads and writes back. Writing sets only those three keys, and the store merges
// them into the file as it is on disk, so whatever the main program keeps there stays.
struct SaverSettings {
  std::string skinPath;
  std::string ssSkin;
  std::string ssPic;
  std::int16_t timeFmt = 0;
};

SaverSettings ReadSaverSettings(const SettingsStore& store);
// Writes the three keys; a failure tells its cause. A key the file lacked that is still at
// its default does not replace a value the main program stored meanwhile.
WriteStatus WriteSaverSettings(SettingsStore& store, const SaverSettings& settings);
// What the saver says when its settings could not be written, the cause on the second line.
std::string SaverSettingsNotSaved(const std::string& path, const WriteStatus& status);

// The skin file to show: "SSSkin" when that file exists, else `programFolder` + "VarloSS.skin"
// when that one does; empty when neither is there. The user's choice itself is never changed,
// so a skin on a drive that is not mounted today is used again once it is back.
std::string SaverSkinPath(const SaverSettings& settings, const std::string& programFolder);

// What the command line asks for.
enum class SaverAction {
  FullScreen,  // none, or "/s"
  Settings,    // "/c"
  Embedded,    // draw into a given window: XSCREENSAVER_WINDOW, "-window-id ID", "-root"
  End,         // anything else, such as a preview request
};
struct SaverCommand {
  SaverAction action = SaverAction::FullScreen;
  std::uint64_t window = 0;  // the window to draw into; 0 with Embedded means the root window
};
// `args` without the program name; `xscreensaverWindow` is that variable's value or null.
SaverCommand ParseSaverCommand(int argc, const char* const* args, const char* xscreensaverWindow);

}  // namespace varlo
