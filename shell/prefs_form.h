#pragma once
#include <functional>
#include <string>

#include "shell/prefs_fields.h"
#include "shell/settings_host.h"

namespace varlo {

// The logic of the "Varlo Prefs" window. The view writes the controls' values into Fields()
// before each call and shows them again after `onChanged`. Most controls take effect on
// "Apply" or "Okay"; the start, tuning and snooze options, the snooze switch, quick find's
// auto close, the tuner card and the favourite slots act at once.
class PrefsForm {
 public:
  explicit PrefsForm(SettingsHost& host) : host_(host) {}

  PrefsFields& Fields() { return fields_; }
  const PrefsFields& Fields() const { return fields_; }
  std::function<void()> onChanged;
  std::function<void()> onClose;

  // Open: every control from the settings, "Every Day", 30 snooze minutes, the first
  // favourite slot and the user guide.
  void Form_Load();
  // The window became active: the on/off list shows the schedule as it is now.
  void Form_Activate();
  void Form_Unload() { host_.ApplyOnTop(); }
  void cmdApply_Click();
  void cmdOK_Click();

  // "Info" tab.
  const std::string& CurrentSkin() const { return host_.Settings().skin; }
  std::string SkinInfo() const { return host_.SkinInfo(); }
  void cSelSkin_Click();

  // "Docs" tab: the text of document n (kDocumentFiles) from the program folder.
  void optView_Click(int n);
  int DocIndex() const { return docIndex_; }
  const std::string& DocText() const { return docText_; }

  // "Options" tab.
  void StartOpt_Click(int n);
  void cSelFile_Click();
  void cSelDir_Click();

  // "Auto" tab.
  void OOAddBtn_Click();
  void OODelBtn_Click();
  void SnzMd_Click(int n);
  void cbSnoozeEn_Click(bool ticked);
  void SnzMin_Click(int item);

  // "Paths" tab.
  void cSetVPD_Click();
  void cSetSkinDir_Click();
  void cboSkinPath_Click(int slot);
  // The path text of the chosen slot, as typed.
  void txtFavSkin_Change(const std::string& text);
  void FavSel_Click();
  const std::string& FavouritePath() const;
  // The skin folder was changed outside this window (by the skin browser).
  void SkinFolderChanged();

  // "Player" tab.
  void cbAutoCloseQF_Click(bool ticked);

  // "Halvern" tab.
  void TuneOpt_Click(int n);
  void CrdTyp_Click(int type);
  void CrdAddr_Click(int choice);

  // Longest document the viewer shows.
  static constexpr std::size_t kMaxDocumentBytes = 1u << 20;

 private:
  void Changed() const {
    if (onChanged) onChanged();
  }
  void Apply();
  std::string Folder(const std::string& prompt);

  SettingsHost& host_;
  PrefsFields fields_;
  std::string shownSkinPath_;  // the skin folder as the window last took it from the settings
  int docIndex_ = 0;
  std::string docText_;
};

}  // namespace varlo
