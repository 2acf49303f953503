#pragma once
#include <QWidget>
#include <functional>

namespace varlo {

// Runs `task` once on the GUI thread as soon as `window` has been painted for the first time
// (queued behind that paint, so the window is on the screen before the task runs), or after
// `latestMs` milliseconds when it has not painted by then (a window started minimised). Nothing
// runs when the window is destroyed first. For work that may wait until the program is visible.
void AfterFirstPaint(QWidget* window, int latestMs, std::function<void()> task);

}  // namespace varlo
