#pragma once
#include <QWidget>

namespace varlo {

// Closes `window` (and so runs its unload handler) when the process receives SIGTERM,
// SIGINT or SIGHUP, as at log-out, so the settings and playlist are saved then too.
void CloseOnQuitSignals(QWidget* window);

}  // namespace varlo
