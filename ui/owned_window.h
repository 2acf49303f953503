#pragma once
class QWidget;

namespace varlo {

// Whether the program is a Wayland client, where the compositor places and moves windows.
bool OnWayland();

// Shows and raises `window`, one of the side windows of `owner` (the main window). On Wayland
// the compositor is told that the window belongs to the main window, so that tiling
// compositors (sway) float it beside the main window rather than stretch it over the screen;
// on X11 window managers place side windows as any other window.
void ShowOwned(QWidget& window, QWidget* owner);

}  // namespace varlo
