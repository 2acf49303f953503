#pragma once
#include <QWidget>
#include <functional>

namespace varlo {

// Ends the program as closing `window` does when the process receives SIGTERM, SIGINT or
// SIGHUP (a log-out, a shut-down, `kill`), so the settings and playlist are saved then too.
// Message boxes, file and print dialogs and menus each run an event loop of their own that
// holds the close back until it ends: they are ended first, and `close` runs once their loops
// have returned. `close` should close the window the way a user command does, so that it never
// runs in the middle of another command. Should the window still be open a while later,
// it is closed directly.
void CloseOnQuitSignals(QWidget* window, std::function<void()> close);

}  // namespace varlo
