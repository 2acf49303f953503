// The command dispatcher of the main window: every user action ends here as a code.
#include <exception>

#include "common/paths.h"
#include "shell/frm_tarnix.h"

namespace varlo {

void FrmTarnix::DoIt(int code) {
  try {
    if (onCommand) onCommand(code);
    RunCommand(code);
  } catch (const std::exception&) {
    // A failing command ends; the program goes on.
  }
}

void FrmTarnix::SizeWindow(int size) {
  const TwipSize s = form_.tables.windowSizes[static_cast<std::size_t>(size)];
  form_.window.width = s.width;
  form_.window.height = s.height;
  form_.Notify(kChangeGeometry);
}

void FrmTarnix::ToggleMediaMode() {
  StopIt();
  if (player_.cdMode)
    RestoreLastState();
  else
    SaveLastState();
  player_.cdMode = !player_.cdMode;
  player_.playUnit = player_.cdMode ? PlayUnit::CD : PlayUnit::Media;
  ShowLights();
}

void FrmTarnix::ShowStorePointer() {
  form_.window.storePointer = memFlag_ || memWRFlag_;
  form_.Notify(kChangeWindowState);
}

void FrmTarnix::RunCommand(int code) {
  if (code >= 40 && code <= 49) return AddDigit(static_cast<char>(code + 8));
  if (code >= 51 && code <= 68) return CalcKey(code - 51);
  if (code >= 70 && code <= 75) return TimerFnCommand(code - 69);
  if (code >= 91 && code <= 100) return FMPresetButton(code - 91);
  if (code >= 101 && code <= 105) return BrowserCommand(code - 101);
  if (code >= 110 && code <= 119) return WebLinkButton(code - 110);
  if (code >= 130 && code <= 139) return WRQuickURL(code - 130);
  if (code >= 1001 && code <= 1010)
    return skinLoader_->LoadSkin(form_.tables.links[static_cast<std::size_t>(code - 1000)], false);
  if (code >= 1011 && code <= 1020)
    return WebLink(form_.tables.links[static_cast<std::size_t>(code - 1000)]);

  switch (code) {
    case 1:
      return Quit();
    case 2:
      form_.window.shown = false;
      return form_.Notify(kChangeWindowState);
    case 3:
      hFlag_ = 1 - hFlag_;
      if (small_ == 0) SizeWindow(hFlag_);
      return;
    case 4:
      small_ = 1 - small_;
      return SizeWindow(small_ == 1 ? 2 : hFlag_);
    case 5:
      return ShowPrefs();
    case 6:
      return SelectSkin();
    case 7:
      return VolStep(-5);
    case 8:
      return VolStep(5);
    case 9:
      return ToggleMute();
    case 10:
      return StopIt();
    case 11:
      return PauseIt();
    case 12:
      return PlayIt();
    case 13:
      return CDEject();
    case 14:
      return PrevTrack();
    case 15:
      return NextTrack();
    case 16:
      return ShowTrackInfo();
    case 17:
      return playlistActions_->ListDoubleClick();
    case 18:
      return playlistActions_->PlMoveEntry(1);
    case 19:
      return playlistActions_->PlMoveEntry(-1);
    case 20:
      return playlistActions_->PlClear();
    case 21:
      return playlistActions_->PlLoad();
    case 22:
      return playlistActions_->PlSave();
    case 23:
      playlistActions_->OpenMediaFile();
      return playlistActions_->AddToPlaylist();
    case 24:
      return playlistActions_->AddFromDir();
    case 25:
      return engine_->ToggleIntro();
    case 26:
      return engine_->ToggleStopAfter();
    case 27:
      return engine_->ToggleRepeat();
    case 28:
      return engine_->ToggleShuffle();
    case 29:
      return ShowMixer();
    case 30:
      return engine_->SetRepeatA();
    case 31:
      return engine_->SetRepeatB();
    case 32:
      return Reverse();
    case 33:
      return Forward();
    case 34:
      return ShowCoverWindow();
    case 35:
      return ShowVisSelect();
    case 36:
      return PlayPause();
    case 37:
      return ToggleMediaMode();
    case 38:
      return ShowMenu(form_.btn[38].left, form_.btn[38].top);
    case 39:
      return JumpTo();
    case 50:
      return AddDigit('.');
    case 69:
      return CvtLoadWithDialog();
    case 76:
      return NoteLoad();
    case 77:
      return NoteSave();
    case 78:
      return NoteClear();
    case 79:
      return NotePrint();
    case 80:
      return FMSetScan(-1);
    case 81:
      return FMSetScan(1);
    case 82:
      return FMTuneStep(-1);
    case 83:
      return FMTuneStep(1);
    case 84:
      return FMPrevPreset();
    case 85:
      return FMNextPreset();
    case 86:
      return FMAddPreset();
    case 87:
      return FMRemovePreset();
    case 88:
      return FMMovePreset(1);
    case 89:
      return FMMovePreset(-1);
    case 90:
      return FMStorePreset();
    case 106:
      memFlag_ = !memFlag_;
      return ShowStorePointer();
    case 140:
      return WRStepPreset(-1);
    case 141:
      return WRStepPreset(1);
    case 142:
      return WRAddStation();
    case 143:
      return WRDelStation();
    case 144:
      return WRMoveStation(1);
    case 145:
      return WRMoveStation(-1);
    case 146:
      memWRFlag_ = !memWRFlag_;
      return ShowStorePointer();
    case 147:
      return WRPlay("");
    case 148:
      return WRStop();
    case 150:
      return ShowQuickFind();
    case 151:
      return skinLoader_->LoadSkin(skinLoader_->State().lastSkin, false);
    default:
      return;  // codes without a command do nothing
  }
}

}  // namespace varlo
