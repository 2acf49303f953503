#pragma once
#include "desk/clock_links.h"
#include "fm/fm_mode.h"
#include "player/player_mode.h"
#include "skin/skin_form.h"
#include "webradio/web_radio_mode.h"

namespace varlo {

// The clock's switch-on and switch-off reach the window, the FM radio, the player and the
// internet radio through these, wired by the main window.

class FormPresence final : public WindowPresence {
 public:
  explicit FormPresence(SkinForm& form) : form_(form) {}
  void ShowWindow() override {
    form_.window.shown = true;
    form_.window.minimised = false;
    form_.Notify(kChangeWindowState);
  }
  void MinimiseWindow() override {
    form_.window.minimised = true;
    form_.Notify(kChangeWindowState);
  }

 private:
  SkinForm& form_;
};

class FmRadioSwitch final : public RadioSwitch {
 public:
  explicit FmRadioSwitch(FmMode& fm) : fm_(fm) {}
  void RadioOn(int preset) override { fm_.SwitchOn(preset); }
  void RadioOff() override { fm_.SwitchOff(); }

 private:
  FmMode& fm_;
};

class PlaylistSwitch final : public PlayerSwitch {
 public:
  explicit PlaylistSwitch(PlayerMode& player) : player_(player) {}
  void PlayEntry(int entry) override {
    const int count = player_.List().Count();
    if (count == 0) return;
    if (entry >= 1 && entry <= count) player_.State().tNum = entry;
    player_.Engine().PlayIt();
  }
  void StopPlaying() override {
    if (player_.State().playing) player_.Engine().StopIt();
  }

 private:
  PlayerMode& player_;
};

class WebRadioSwitch final : public StreamSwitch {
 public:
  explicit WebRadioSwitch(WebRadioMode& radio) : radio_(radio) {}
  void StopStream() override { radio_.SwitchOff(); }

 private:
  WebRadioMode& radio_;
};

}  // namespace varlo
