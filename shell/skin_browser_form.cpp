#include "shell/skin_browser_form.h"

#include <string>
#include <utility>

#include "common/file_select.h"
#include "common/paths.h"

namespace varlo {

std::string SkinBrowserForm::SkinFolder() const {
  const std::string& folder = host_.Settings().skinPath;
  return ToHostPath(folder.empty() ? host_.ProgramFolder() : folder);
}

void SkinBrowserForm::ReadSkinDir() {
  const auto& slots = host_.Settings().favSkin;
  const std::uint64_t ticket = reading_ = ++lastTicket_;
  cutNote_ = "Reading the skin folder...";
  reader_.Read(SkinFolder(), std::string(kSkinKinds[static_cast<std::size_t>(filter_)]),
               std::vector<std::string>(slots.begin(), slots.end()), bounds_,
               [this, ticket](SkinDir dir) { DirRead(ticket, std::move(dir)); });
}

void SkinBrowserForm::DirRead(std::uint64_t ticket, SkinDir dir) {
  if (ticket != reading_) return;  // a newer filter or folder was asked for since
  reading_ = 0;
  entries_ = std::move(dir.entries);
  cutNote_.clear();
  if (dir.moreEntries)
    cutNote_ = "This folder holds more than " + std::to_string(bounds_.entries) +
               " files: skins among the rest are not listed.";
  if (dir.moreSkins) {
    if (!cutNote_.empty()) cutNote_ += ' ';
    cutNote_ += "Only the first " + std::to_string(bounds_.skins) + " skins are listed.";
  }
  Changed();
}

void SkinBrowserForm::cboShType_Click(int item) {
  if (item < 0 || item >= static_cast<int>(kSkinKinds.size())) return;
  filter_ = item;
  ReadSkinDir();
  Changed();
}

void SkinBrowserForm::List1_Click(int row) {
  if (row < 0 || row >= static_cast<int>(entries_.size())) return;
  // The entry keeps the file's own name: a rebuilt upper-case name would miss on Linux.
  const std::string path = entries_[static_cast<std::size_t>(row)].path;
  host_.LoadSkinFile(path);
  comment_ = host_.SkinInfo();
  Changed();
}

void SkinBrowserForm::SetSDir_Click() {
  const std::string folder = BrowseFolder(host_.Dialogs(), "Select Skin Directory:");
  if (folder.empty()) return;
  host_.Settings().skinPath = folder;
  ReadSkinDir();
  if (onFolderChanged) onFolderChanged();
  Changed();
}

void SkinBrowserForm::cToggInfo_Click() {
  infoShown_ = !infoShown_;
  Changed();
}

}  // namespace varlo
