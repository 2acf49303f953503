#pragma once

namespace varlo {

// Control of the main window that only the window system can carry out.
class IMainWindow {
 public:
  virtual ~IMainWindow() = default;
  // Closes the main window; the close runs the form's unload handler.
  virtual void Close() = 0;
};

}  // namespace varlo
