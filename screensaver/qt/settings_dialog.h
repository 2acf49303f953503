#pragma once
#include <string>

#include "screensaver/saver_settings.h"

class QWidget;

namespace varlo {

// The dialog "Varlo ScreenSaver - Settings": the 12- or 24-hour clock, the skin and the picture.
// "Done" writes the three keys; closing it otherwise changes nothing. True when written.
bool RunSaverSettings(SaverSettings& settings, SettingsStore& store,
                      const std::string& programFolder, QWidget* parent);

}  // namespace varlo
