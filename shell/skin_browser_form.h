#pragma once
#include <functional>
#include <string>
#include <vector>

#include "shell/settings_host.h"
#include "skin/skin_catalog.h"

namespace varlo {

// The logic of the "Skin Browser" window: the skins of the skin folder of one kind, loaded
// with a click, and the folder changed with "Set Skin Directory...".
class SkinBrowserForm {
 public:
  explicit SkinBrowserForm(SettingsHost& host, SkinDirBounds bounds = {})
      : host_(host), bounds_(bounds) {}

  std::function<void()> onChanged;
  // The skin folder changed (the preferences show it too).
  std::function<void()> onFolderChanged;

  // Open: the list of every skin.
  void Form_Load() { cboShType_Click(0); }
  // The "Show:" filter: an item of kSkinKinds. Rebuilds the list from the disk.
  void cboShType_Click(int item);
  // A click on entry `row`: loads its skin and shows its information.
  void List1_Click(int row);
  void SetSDir_Click();
  void cToggInfo_Click();

  // The folder the skins are read from: "SkinPath", or the program folder when it is empty.
  std::string SkinFolder() const;
  int Filter() const { return filter_; }
  const std::vector<SkinEntry>& Entries() const { return entries_; }
  const std::string& Comment() const { return comment_; }
  // What the bounds left out of the list, in words; empty when the whole folder is listed.
  const std::string& CutNote() const { return cutNote_; }
  bool InfoShown() const { return infoShown_; }

 private:
  void Changed() const {
    if (onChanged) onChanged();
  }
  void ReadSkinDir();

  SettingsHost& host_;
  SkinDirBounds bounds_;
  int filter_ = 0;
  std::vector<SkinEntry> entries_;
  std::string comment_ = "Please select a skin...";
  std::string cutNote_;
  bool infoShown_ = true;
};

}  // namespace varlo
