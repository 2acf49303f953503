#pragma once
#include <string>
#include <vector>

#include "common/app_settings.h"
#include "platform/dialogs.h"

namespace varlo {

// What the preferences and the skin browser reach of the main window. Every call runs on the
// GUI thread while no other command of the window runs.
class SettingsHost {
 public:
  virtual ~SettingsHost() = default;
  // The settings in memory, which the windows change.
  virtual AppSettings& Settings() = 0;
  // The on/off schedule the clock follows and the program writes to "autolist.txt" at exit.
  virtual std::vector<std::string>& AutoList() = 0;
  virtual const std::string& ProgramFolder() const = 0;
  virtual IDialogs& Dialogs() = 0;
  // Makes the main window topmost or not as "WinOnTop" says.
  virtual void ApplyOnTop() = 0;
  // The external display's settings changed: they take effect now.
  virtual void ApplyDisplaySettings() = 0;
  // Levels playback by the media's loudness tags as "ReplayGain" says.
  virtual void ApplyReplayGain() = 0;
  // Sets up the tuner card again with "CardType" and "CardPort".
  virtual void ResetTunerCard() = 0;
  // The sleep timer's minute count and its "Snooze" switch.
  virtual void ChooseSnoozeMinutes(int minutes) = 0;
  virtual void SetSnoozeEnabled(bool enabled) = 0;
  // Loads the skin at `path`; failures are reported by message boxes.
  virtual void LoadSkinFile(const std::string& path) = 0;
  // The skin selection of command 6: the browser or the file dialog.
  virtual void SelectSkin() = 0;
  // The information text of the skin loaded last (description and info lines).
  virtual std::string SkinInfo() const = 0;
};

// The windows that edit the settings, shown by commands 5 and 6.
class SettingsWindows {
 public:
  virtual ~SettingsWindows() = default;
  // Opens the preferences window, or raises it when it is open.
  virtual void ShowPrefs() = 0;
  // Opens the skin browser without waiting for it, or raises it.
  virtual void ShowSkinBrowser() = 0;
  virtual bool PrefsShown() const = 0;
  // A skin was loaded (from anywhere): an open preferences window shows it at once.
  virtual void SkinLoaded() {}
};
class NullSettingsWindows final : public SettingsWindows {
 public:
  void ShowPrefs() override {}
  void ShowSkinBrowser() override {}
  bool PrefsShown() const override { return false; }
};

}  // namespace varlo
