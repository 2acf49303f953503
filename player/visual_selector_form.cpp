#include "player/visual_selector_form.h"

#include <filesystem>
#include <utility>

#include "common/paths.h"
#include "player/display_name.h"

namespace varlo {

VisualSelectorForm::VisualSelectorForm(SelectorHost& host, SelectorTasks& tasks,
                                       std::string programFolder)
    : host_(host), tasks_(tasks), programFolder_(std::move(programFolder)) {}

void VisualSelectorForm::Form_Load() {
  const std::string nocover = AddSlash(programFolder_) + "nocover.bmp";
  defaultPicture_ = FileExists(nocover) ? nocover : std::string();
  const std::string& folder = host_.Settings().visPLPath;
  ScanPlaylists(folder.empty() ? programFolder_ : folder);
}

void VisualSelectorForm::Form_Unload() {
  tasks_.Stop();
  scan_ = pictures_ = contents_ = 0;
  openWhenPicturesStop_ = false;
}

void VisualSelectorForm::ScanPlaylists(const std::string& folder) {
  std::error_code error;
  if (!std::filesystem::is_directory(folder, error)) return;  // the lists stay as they are
  // A new walk: what the old one, its pictures and contents would still bring is not wanted.
  scan_ = ++lastTicket_;
  pictures_ = contents_ = 0;
  openWhenPicturesStop_ = false;
  scanFolder_ = folder;
  found_.clear();
  page_ = 0;
  selected_.clear();
  selectedIndex_ = -1;
  shownContents_ = {};
  status_.clear();
  nameLabel_ = "One moment, looking for playlists...";
  tasks_.Scan(scan_, folder);
  Changed(kEntries | kPage | kStatus | kSelection | kContents | kBusy);
}

void VisualSelectorForm::ScanProgress(std::uint64_t ticket, std::size_t found) {
  if (ticket != scan_ || ticket == 0) return;
  status_ = "Looking for playlists... " + std::to_string(found) + " found";
  Changed(kStatus);
}

void VisualSelectorForm::ScanDone(std::uint64_t ticket, std::vector<std::string> found) {
  if (ticket != scan_ || ticket == 0) return;
  scan_ = 0;
  found_ = std::move(found);
  page_ = 0;
  if (setDefault_) host_.Settings().visPLPath = scanFolder_;
  ShowPage(kEntries);
}

void VisualSelectorForm::ShowPage(unsigned changes) {
  // The page's pictures load anew; its selection and contents go with the old page.
  pictures_ = ++lastTicket_;
  contents_ = 0;
  openWhenPicturesStop_ = false;
  selected_.clear();
  selectedIndex_ = -1;
  shownContents_ = {};
  status_ = PageStatus(page_, static_cast<int>(found_.size()));
  nameLabel_ = "One moment, loading playlist pictures...";
  std::vector<std::string> playlists;
  for (int i = 0; i < kPlaylistsPerPage; ++i)
    if (const int index = EntryOnPage(i); index >= 0)
      playlists.push_back(found_[static_cast<std::size_t>(index)]);
  tasks_.LoadPictures(pictures_, playlists, defaultPicture_);
  Changed(changes | kPage | kStatus | kSelection | kContents | kBusy);
}

void VisualSelectorForm::PicturesDone(std::uint64_t ticket) {
  if (!PicturesWanted(ticket)) return;
  pictures_ = 0;
  if (selected_.empty()) nameLabel_ = "Select playlist...";
  Changed(kSelection | kBusy);
  if (openWhenPicturesStop_) {
    openWhenPicturesStop_ = false;
    OpenSelected();
  }
}

void VisualSelectorForm::ContentsDone(std::uint64_t ticket, PlaylistContents contents) {
  if (ticket != contents_ || ticket == 0) return;
  contents_ = 0;
  shownContents_ = std::move(contents);
  Changed(kContents);
}

int VisualSelectorForm::EntryOnPage(int i) const {
  const long long index = static_cast<long long>(page_) * kPlaylistsPerPage + i;
  return i >= 0 && i < kPlaylistsPerPage && index < static_cast<long long>(found_.size())
             ? static_cast<int>(index)
             : -1;
}

std::string VisualSelectorForm::EntryName(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= found_.size()) return {};
  return DisplayName(GetFileName(found_[static_cast<std::size_t>(index)]), 1);
}

void VisualSelectorForm::ShowPlaylistContents(int i) {
  const int index = EntryOnPage(i);
  if (index < 0) return;
  selected_ = found_[static_cast<std::size_t>(index)];
  selectedIndex_ = index;
  nameLabel_ = EntryName(index);
  shownContents_ = {};
  contents_ = 0;
  if (IsFolderEntry(selected_)) {
    shownContents_ = ReadPlaylistContents(selected_);  // one fixed line, nothing read
  } else {
    // A playlist may be large: it is read off the window's thread.
    contents_ = ++lastTicket_;
    tasks_.ReadContents(contents_, selected_);
  }
  Changed(kSelection | kContents);
}

void VisualSelectorForm::Dummy_Click(int row) {
  if (row < 0 || static_cast<std::size_t>(row) >= found_.size()) return;
  // The row's page becomes the page shown, so the pictures, the status and the selection
  // agree with the list.
  if (row / kPlaylistsPerPage != page_) {
    page_ = row / kPlaylistsPerPage;
    ShowPage();
  }
  ShowPlaylistContents(row % kPlaylistsPerPage);
}

void VisualSelectorForm::OpenSelected() {
  if (selected_.empty() || scan_ != 0) return;
  if (pictures_ != 0) {
    openWhenPicturesStop_ = true;
    nameLabel_ = "Loading pictures...";
    tasks_.Stop();
    return Changed(kSelection);
  }
  if (IsFolderEntry(selected_)) return ScanPlaylists(FolderOfEntry(selected_));
  host_.LoadAndPlay(selected_);
  Form_Unload();
  Changed(kClose);
}

void VisualSelectorForm::PlayList_DblClick(int row) {
  const std::vector<std::string>& paths = shownContents_.paths;
  if (row < 0 || static_cast<std::size_t>(row) >= paths.size()) return;
  host_.AppendAndPlay(paths[static_cast<std::size_t>(row)]);
}

void VisualSelectorForm::cNext_Click() {
  if (scan_ != 0 || page_ >= LastPage(static_cast<int>(found_.size()))) return;
  ++page_;
  ShowPage();
}

void VisualSelectorForm::cPrev_Click() {
  if (scan_ != 0 || page_ <= 0) return;
  --page_;
  ShowPage();
}

void VisualSelectorForm::cCancel_Click() {
  if (Busy()) return tasks_.Stop();
  host_.RestoreOnTop();
  Form_Unload();
  Changed(kClose);
}

}  // namespace varlo
