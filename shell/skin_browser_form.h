#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "shell/settings_host.h"
#include "skin/skin_catalog.h"

namespace varlo {

// The logic of the "Skin Browser" window: the skins of the skin folder of one kind, loaded
// with a click, and the folder changed with "Set Skin Directory...". The folder is read by
// `reader` (off the window's thread in the program); the list shown stays until the new one
// arrives, and a read overtaken by a newer one is dropped.
class SkinBrowserForm {
 public:
  explicit SkinBrowserForm(SettingsHost& host, SkinDirReader& reader = Direct(),
                           SkinDirBounds bounds = {})
      : host_(host), reader_(reader), bounds_(bounds) {}

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
  // The line under the list: that the folder is being read, or what the bounds left out of
  // it; empty when the whole folder is listed.
  const std::string& CutNote() const { return cutNote_; }
  bool Reading() const { return reading_ != 0; }
  bool InfoShown() const { return infoShown_; }

 private:
  void Changed() const {
    if (onChanged) onChanged();
  }
  void ReadSkinDir();
  void DirRead(std::uint64_t ticket, SkinDir dir);
  static SkinDirReader& Direct() {
    static DirectSkinDirReader direct;
    return direct;
  }

  SettingsHost& host_;
  SkinDirReader& reader_;
  SkinDirBounds bounds_;
  std::uint64_t lastTicket_ = 0;
  std::uint64_t reading_ = 0;  // the read whose answer is wanted, 0 for none
  int filter_ = 0;
  std::vector<SkinEntry> entries_;
  std::string comment_ = "Please select a skin...";
  std::string cutNote_;
  bool infoShown_ = true;
};

}  // namespace varlo
