#pragma once
#include <string>

#include "screensaver/saver_settings.h"

class QWidget;

namespace varlo {

// The dialog "Varlo ScreenSaver - Settings": the 12- or 24-hour clock, the skin and the picture.
// "Done" writes the three keys; closing it otherwise changes nothing. True when written.
bool RunSaverSettings(SaverSettings& settings, SettingsStore& store,
                      const std::string& programFolder, QWidget* parent);

// The file dialog "Select Skin" for a skin file in `folder`; empty when cancelled.
std::string SelectSaverSkin(QWidget* parent, const std::string& folder);

// What a full-screen saver asks and says with dialogs; an embedded one can show none.
class SaverPrompts {
 public:
  virtual ~SaverPrompts() = default;
  // A skin file chosen in "Select Skin" in `folder`; empty when cancelled.
  virtual std::string SelectSkin(const std::string& folder) = 0;
  virtual void Message(const std::string& text) = 0;
};

class QtSaverPrompts final : public SaverPrompts {
 public:
  std::string SelectSkin(const std::string& folder) override;
  void Message(const std::string& text) override;
};

}  // namespace varlo
