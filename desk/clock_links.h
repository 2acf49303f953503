#pragma once

namespace varlo {

// What the clock's schedule and snooze switch outside the clock mode. Each has a null
// implementation for a main window without that subsystem.

// The main window itself: shown at switch-on, minimised at switch-off when so set (there is
// no tray icon to bring a hidden window back from).
class WindowPresence {
 public:
  virtual ~WindowPresence() = default;
  virtual void ShowWindow() = 0;
  virtual void MinimiseWindow() = 0;
};
class NullWindowPresence final : public WindowPresence {
 public:
  void ShowWindow() override {}
  void MinimiseWindow() override {}
};

// The FM radio: on with a preset (numbered from 1), or off.
class RadioSwitch {
 public:
  virtual ~RadioSwitch() = default;
  virtual void RadioOn(int preset) = 0;
  virtual void RadioOff() = 0;
};
class NullRadioSwitch final : public RadioSwitch {
 public:
  void RadioOn(int) override {}
  void RadioOff() override {}
};

// The player: plays playlist entry n (from 1; another number plays the current entry), or
// stops what it plays, a file or the disc.
class PlayerSwitch {
 public:
  virtual ~PlayerSwitch() = default;
  virtual void PlayEntry(int entry) = 0;
  virtual void StopPlaying() = 0;
};
class NullPlayerSwitch final : public PlayerSwitch {
 public:
  void PlayEntry(int) override {}
  void StopPlaying() override {}
};

// The internet radio: stops the stream that is open, if any.
class StreamSwitch {
 public:
  virtual ~StreamSwitch() = default;
  virtual void StopStream() = 0;
};
class NullStreamSwitch final : public StreamSwitch {
 public:
  void StopStream() override {}
};

struct ClockLinks {
  WindowPresence& window;
  RadioSwitch& radio;
  PlayerSwitch& player;
  StreamSwitch& stream;
};

}  // namespace varlo
