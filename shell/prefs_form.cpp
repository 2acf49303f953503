#include "shell/prefs_form.h"

#include <algorithm>

#include "common/atomic_file.h"
#include "common/file_select.h"
#include "common/paths.h"
#include "shell/schedule_entry.h"

namespace varlo {

void PrefsForm::Form_Load() {
  fields_ = FieldsFromSettings(host_.Settings());
  shownSkinPath_ = fields_.skinPath;
  fields_.ooDay = 9;
  fields_.favSlot = 0;
  SnzMin_Click(5);
  optView_Click(0);
  Changed();
}

void PrefsForm::Form_Activate() {
  fields_.ooList = host_.AutoList();
  fields_.ooSelected =
      std::min<int>(fields_.ooSelected, static_cast<int>(fields_.ooList.size()) - 1);
  Changed();
}

void PrefsForm::Apply() {
  AppSettings& s = host_.Settings();
  // The folder is copied when the user changed it here; one chosen in the skin browser since
  // the window took it stays.
  const bool editedHere = fields_.skinPath != shownSkinPath_;
  CopyFieldsToSettings(fields_, s, editedHere || s.skinPath == shownSkinPath_);
  shownSkinPath_ = fields_.skinPath = s.skinPath;
  fields_.pbOverlap = std::to_string(s.pbOverlap);
  host_.ApplyOnTop();
  host_.ApplyDisplaySettings();
  host_.ApplyReplayGain();
}

void PrefsForm::cmdApply_Click() {
  Apply();
  Changed();
}

void PrefsForm::cmdOK_Click() {
  Apply();
  if (onClose) onClose();
}

void PrefsForm::cSelSkin_Click() {
  host_.SelectSkin();
  Changed();
}

void PrefsForm::optView_Click(int n) {
  if (n < 0 || n > 4) return;
  docIndex_ = n;
  const auto text =
      ReadFileBounded(AddSlash(host_.ProgramFolder()) + kDocumentFiles[n], kMaxDocumentBytes);
  docText_ = text ? *text : "Could not open file!";
  Changed();
}

void PrefsForm::StartOpt_Click(int n) {
  fields_.startOpt = n;
  host_.Settings().startMd = static_cast<std::int16_t>(n);
}

void PrefsForm::cSelFile_Click() {
  FileDialogRequest request;
  request.title = "Open Media file";
  request.initialDir = AddSlash(host_.ProgramFolder());
  request.filter = FileFilter(1);
  if (auto chosen = host_.Dialogs().OpenFile(request)) {
    fields_.startFile = *chosen;
    Changed();
  }
}

std::string PrefsForm::Folder(const std::string& prompt) {
  return BrowseFolder(host_.Dialogs(), prompt);
}

void PrefsForm::cSelDir_Click() {
  const std::string folder = Folder("Select Start File/Directory:");
  if (folder.empty()) return;
  fields_.startFile = folder;
  Changed();
}

void PrefsForm::OOAddBtn_Click() {
  const ScheduleEntryResult entry =
      MakeScheduleEntry(fields_.ooDay, fields_.ooOnTime, fields_.ooOffTime, fields_.ooPreset);
  if (entry.line.empty()) {
    if (!entry.message.empty()) host_.Dialogs().MsgBox(entry.message, MsgButtons::Ok, "Varlo");
    return;
  }
  fields_.ooList.push_back(entry.line);
  fields_.ooSelected = static_cast<int>(fields_.ooList.size()) - 1;
  host_.AutoList() = fields_.ooList;
  Changed();
}

void PrefsForm::OODelBtn_Click() {
  const int n = static_cast<int>(fields_.ooList.size());
  if (fields_.ooSelected < 0 || fields_.ooSelected >= n) return;
  fields_.ooList.erase(fields_.ooList.begin() + fields_.ooSelected);
  fields_.ooSelected = std::min(fields_.ooSelected, n - 2);
  host_.AutoList() = fields_.ooList;
  Changed();
}

void PrefsForm::SnzMd_Click(int n) {
  fields_.snzMd = n;
  host_.Settings().snoozeMode = static_cast<std::int16_t>(n);
}

void PrefsForm::cbSnoozeEn_Click(bool ticked) {
  fields_.snoozeEn = ticked;
  host_.Settings().snooze = ticked ? 1 : 0;
  host_.SetSnoozeEnabled(ticked);
}

void PrefsForm::SnzMin_Click(int item) {
  if (item < 0 || item > 8) return;
  fields_.snzMin = item;
  host_.ChooseSnoozeMinutes(kSnoozeMinuteItems[item]);
}

void PrefsForm::cSetVPD_Click() {
  const std::string folder = Folder("Select Initial VisPL Directory:");
  if (folder.empty()) return;
  fields_.visPLD = folder;
  Changed();
}

void PrefsForm::cSetSkinDir_Click() {
  const std::string folder = Folder("Select Skin Directory:");
  if (folder.empty()) return;
  fields_.skinPath = folder;
  Changed();
}

void PrefsForm::cboSkinPath_Click(int slot) {
  if (slot < 0 || slot > 9) return;
  fields_.favSlot = slot;
  Changed();
}

const std::string& PrefsForm::FavouritePath() const {
  return host_.Settings().favSkin[static_cast<std::size_t>(std::clamp(fields_.favSlot, 0, 9))];
}

void PrefsForm::txtFavSkin_Change(const std::string& text) {
  host_.Settings().favSkin[static_cast<std::size_t>(std::clamp(fields_.favSlot, 0, 9))] = text;
}

void PrefsForm::FavSel_Click() {
  FileDialogRequest request;
  request.title = "Select Favorite Skin";
  request.initialDir = AddSlash(host_.Settings().skinPath.empty() ? host_.ProgramFolder()
                                                                  : host_.Settings().skinPath);
  request.filter = "Skin Files|*.Skin";
  if (auto chosen = host_.Dialogs().OpenFile(request)) {
    txtFavSkin_Change(*chosen);
    Changed();
  }
}

void PrefsForm::SkinFolderChanged() {
  shownSkinPath_ = fields_.skinPath = host_.Settings().skinPath;
  Changed();
}

void PrefsForm::cbAutoCloseQF_Click(bool ticked) {
  fields_.autoCloseQF = ticked;
  host_.Settings().autoCloseQF = ticked ? 1 : 0;
}

void PrefsForm::TuneOpt_Click(int n) {
  fields_.tuneOpt = n;
  host_.Settings().fmTuneMd = static_cast<std::int16_t>(n);
}

void PrefsForm::CrdTyp_Click(int type) {
  if (type < 0 || type > 2) return;
  fields_.cardType = type;
  fields_.cardPort = 0;
  host_.Settings().cardType = static_cast<std::int16_t>(type);
  host_.Settings().cardPort = 0;
  host_.ResetTunerCard();
  Changed();
}

void PrefsForm::CrdAddr_Click(int choice) {
  if (choice < 0 || choice > 1) return;
  fields_.cardPort = choice;
  host_.Settings().cardPort = static_cast<std::int16_t>(choice);
  host_.ResetTunerCard();
}

}  // namespace varlo
