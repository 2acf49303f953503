// The command dispatcher of the main window: every user action ends here as a code, and
// the routing table says which mode performs it.
#include <exception>

#include "common/file_select.h"
#include "common/numtext.h"
#include "common/paths.h"
#include "shell/frm_tarnix.h"

namespace varlo {

void FrmTarnix::UserInput(std::function<void()> input) {
  gate_.Submit([this, input = std::move(input)] {
    if (!unloaded_) input();
  });
}

void FrmTarnix::DoIt(int code) {
  UserInput([this, code] { RunCommand(code); });
}

void FrmTarnix::RunCommand(int code) {
  try {
    if (onCommand) onCommand(code);
    // A number typed for the tuner goes to FM when FM takes it; otherwise it picks a track.
    if (code == 39 && ModeOf(ModeSlot::Fm).TakeTypedNumber(LeadingNumber(access_.Caption(23)))) {
      access_.SetCaption(23, "");
      return;
    }
    const ModeSlot slot = RouteOfCommand(code, fm_->Shown());
    if (slot == ModeSlot::Window) return RunWindowCommand(code);
    if (slot == ModeSlot::Preferences) return services_.settingsWindows.ShowPrefs();
    if (slot == ModeSlot::SkinBrowser) return SelectSkin();
    if (slot != ModeSlot::None) ModeOf(slot).DoIt(code);
  } catch (const std::exception&) {
    // A failing command ends; the program goes on.
  }
}

void FrmTarnix::LoadSkin(const std::string& path, bool firstLoad) {
  skinLoading_ = true;
  try {
    skinLoader_->LoadSkin(path, firstLoad);
  } catch (...) {
    skinLoading_ = false;
    throw;
  }
  skinLoading_ = false;
  services_.settingsWindows.SkinLoaded();
}

void FrmTarnix::SelectSkin() {
  if (!services_.settingsWindows.PrefsShown() && settings_.useSkinBrowser == 1)
    return services_.settingsWindows.ShowSkinBrowser();
  const std::string folder = settings_.skinPath.empty() ? programFolder_ : settings_.skinPath;
  const std::string file =
      SelectFile(services_.dialogs, 4, "Select Skin", AddSlash(folder), programFolder_);
  if (!file.empty()) LoadSkin(file, false);
}

void FrmTarnix::ResetTunerCard() {
  SetTunerCard(services_.tuner, settings_.cardType, settings_.cardPort);
}

void FrmTarnix::SizeWindow(int size) {
  const TwipSize s = form_.tables.windowSizes[static_cast<std::size_t>(size)];
  form_.window.width = s.width;
  form_.window.height = s.height;
  form_.Notify(kChangeGeometry);
}

void FrmTarnix::RunWindowCommand(int code) {
  if (code >= 1001 && code <= 1010)
    return LoadSkin(form_.tables.links[static_cast<std::size_t>(code - 1000)], false);

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
    case 106:
      return access_.SetStoreArmed(StoreMode::Presets, !access_.StoreArmed(StoreMode::Presets));
    case 146:
      return access_.SetStoreArmed(StoreMode::WebRadio, !access_.StoreArmed(StoreMode::WebRadio));
    case 151:
      return LoadSkin(skinLoader_->State().lastSkin, false);
    default:
      return;
  }
}

}  // namespace varlo
