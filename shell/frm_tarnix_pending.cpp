// Procedures the main window calls in subsystems the program does not contain yet. Each
// does nothing (or answers "nothing there") until its subsystem arrives and replaces it.
#include "shell/frm_tarnix.h"

namespace varlo {

void FrmTarnix::ExDevOut(const std::string&) {}
void FrmTarnix::LoadStationList() {}
void FrmTarnix::LoadWebRadioList() {}
void FrmTarnix::SetTunerCard(int, int) {}
void FrmTarnix::radio_on() {}
void FrmTarnix::radio_off() {}
int FrmTarnix::get_volume() {
  return 0;
}
void FrmTarnix::FMFindStation() {}
void FrmTarnix::LoadConversionFile(const std::string&) {}
void FrmTarnix::MakeDayStr() {}
void FrmTarnix::TimerFn(int) {}
void FrmTarnix::LoadTrayIcon() {}
void FrmTarnix::UnloadTrayIcon() {}
bool FrmTarnix::SerialIsOpen() const {
  return false;
}
void FrmTarnix::SerialClose() {}
void FrmTarnix::WriteURLList() {}

}  // namespace varlo

namespace varlo {

void FrmTarnix::FMStatusUpdate() {}
void FrmTarnix::CDPositionUpdate() {}
bool FrmTarnix::InWebRadioMode() const {
  return false;
}
void FrmTarnix::WRUpdate() {}
void FrmTarnix::ScrollNameStep() {}
void FrmTarnix::MinuteWork() {}
void FrmTarnix::PaintModeDisplays() {}
void FrmTarnix::EditTimerTable(int) {}
void FrmTarnix::ShowTimerDisplay() {}

}  // namespace varlo
