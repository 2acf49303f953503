#pragma once

namespace varlo {

// The GUI event loop.
class IEvents {
 public:
  virtual ~IEvents() = default;
  // Runs the window events that are pending now, then returns. Handlers may run re-entrantly.
  virtual void DoEvents() = 0;
};

}  // namespace varlo
