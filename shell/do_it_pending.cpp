// Commands that belong to subsystems the program does not contain yet. Each does nothing
// until its subsystem arrives and replaces it.
#include "shell/frm_tarnix.h"

namespace varlo {

void FrmTarnix::ShowPrefs() {}
void FrmTarnix::SelectSkin() {}
void FrmTarnix::CDEject() {}
void FrmTarnix::ShowVisSelect() {}
void FrmTarnix::ShowMenu(int, int) {}
void FrmTarnix::AddDigit(char) {}
void FrmTarnix::CalcKey(int) {}
void FrmTarnix::CvtLoadWithDialog() {}
void FrmTarnix::NoteLoad() {}
void FrmTarnix::NoteSave() {}
void FrmTarnix::NoteClear() {}
void FrmTarnix::NotePrint() {}
void FrmTarnix::FMSetScan(int) {}
void FrmTarnix::FMTuneStep(int) {}
void FrmTarnix::FMPrevPreset() {}
void FrmTarnix::FMNextPreset() {}
void FrmTarnix::FMAddPreset() {}
void FrmTarnix::FMRemovePreset() {}
void FrmTarnix::FMMovePreset(int) {}
void FrmTarnix::FMStorePreset() {}
void FrmTarnix::FMPresetButton(int) {}
void FrmTarnix::BrowserCommand(int) {}
void FrmTarnix::WebLinkButton(int) {}
void FrmTarnix::WRQuickURL(int) {}
void FrmTarnix::WRStepPreset(int) {}
void FrmTarnix::WRAddStation() {}
void FrmTarnix::WRDelStation() {}
void FrmTarnix::WRMoveStation(int) {}
void FrmTarnix::WRPlay(const std::string&) {}
void FrmTarnix::WRStop() {}
void FrmTarnix::ShowQuickFind() {}
void FrmTarnix::WebLink(const std::string&) {}
void FrmTarnix::TimerFnCommand(int) {}
void FrmTarnix::FMSetFreq() {}
void FrmTarnix::FMJump(double) {}

}  // namespace varlo
