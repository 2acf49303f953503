#include "player/playlist_actions.h"

#include <utility>

#include "common/file_select.h"
#include "common/numtext.h"
#include "common/paths.h"
#include "common/pending_writes.h"
#include "player/display_name.h"
#include "player/folder_tree.h"
#include "player/playlist_file.h"

namespace varlo {
namespace {

constexpr int kKeyEnter = 13;
constexpr int kKeyDelete = 46;
constexpr int kNameLabel = 14;
constexpr int kCountLabel = 16;

bool EndsInPicture(const std::string& path) {
  if (path.size() < 4) return false;
  const std::string ext = UpperCase(std::string_view(path).substr(path.size() - 4));
  return ext == ".BMP" || ext == ".GIF" || ext == ".JPG";
}

}  // namespace

PlaylistActions::PlaylistActions(Playlist& list, PlayerState& player, AppSettings& settings,
                                 FormAccess& form, IEvents& events, std::string programFolder,
                                 PlaylistHost& host, PlaylistPrefetch* prefetch)
    : list_(list),
      player_(player),
      settings_(settings),
      form_(form),
      events_(events),
      programFolder_(std::move(programFolder)),
      host_(host),
      prefetch_(prefetch) {}

void PlaylistActions::SetPath(const std::string& folder) {
  settings_.path = folder;
  host_.StorePath(folder);
}

void PlaylistActions::PlLoad() {
  const std::string chosen =
      SelectFile(form_.Dialogs(), 6, "Load Playlist", settings_.path, programFolder_);
  if (chosen.empty()) return;
  SetPath(GetPath(chosen));
  if (settings_.clearPLFirst == 1) PlClear();
  PlRead(chosen);
  if (settings_.autoPlay == 1) {
    player_.tNum = 1;
    host_.PlayIt();
  }
}

void PlaylistActions::PlRead(const std::string& path) {
  form_.SetCaption(kNameLabel, DisplayName(path, settings_.friendlyNames));
  player_.playlistCover = FindPicture(StripExt(path));
  host_.LoadCover(player_.playlistCover);
  const int added = prefetch_ ? prefetch_->Read(path, settings_.friendlyNames, list_)
                              : ReadPlaylistFile(path, settings_.friendlyNames, list_);
  if (added > 0) list_.Changed();
}

void PlaylistActions::PlSave() {
  FileDialogRequest request;
  request.title = "Save Playlist";
  request.filter = "MP3 Playlists (*.M3U)|*.M3U";
  request.filterIndex = 0;
  request.initialDir = settings_.path;
  const std::optional<std::string> chosen = form_.Dialogs().SaveFile(request);
  if (!chosen || chosen->empty()) return;
  SetPath(GetPath(*chosen));
  WritePL(*chosen);
  form_.SetCaption(kNameLabel, DisplayName(*chosen, settings_.friendlyNames));
}

bool PlaylistActions::WritePL(const std::string& path) {
  WriteStatus written;
  {
    const PendingWrite pending(programFolder_, path);
    written = WritePlaylistFile(path, list_);
  }
  if (written) return true;
  form_.Dialogs().MsgBox(WithReason(kWriteError, written), MsgButtons::Ok, "Varlo");
  return false;
}

void PlaylistActions::OpenMediaFile() {
  add_.name.clear();
  FileDialogRequest request;
  request.title = "Open Media file";
  request.initialDir = settings_.path;
  request.filter = FileFilter(1);  // the media files of the shared open dialog
  request.filterIndex = filterIndex_ - 1;
  const std::optional<std::string> chosen = form_.Dialogs().OpenFile(request);
  if (!chosen || chosen->empty()) return;
  // The dialog interface does not report the filter the user picked, so the index kept
  // between calls is the one it was opened with.
  add_.name = GetFileName(*chosen);
  add_.title = DisplayName(add_.name, settings_.friendlyNames);
  add_.path = *chosen;
  SetPath(add_.path.substr(0, add_.path.size() - add_.name.size()));
}

void PlaylistActions::AddToPlaylist() {
  if (add_.name.empty()) return;
  if (PlaylistFormatOf(add_.path) != PlaylistFormat::None) {
    PlRead(add_.path);
  } else if (DirExists(add_.path)) {
    AddFolder(add_.path, settings_.validExt);
  } else {
    if (EndsInPicture(add_.path)) add_.title += " (picture)";
    list_.Append(add_.title, add_.path);
    if (player_.tNum == 0) player_.tNum = 1;
    list_.Changed();
  }
  ShowPlCount();
}

void PlaylistActions::AddFromDir() {
  const std::string folder =
      BrowseFolder(form_.Dialogs(), "Select Directory containing Media Files:");
  if (folder.empty()) return;
  AddFolder(folder, settings_.validExt);
}

void PlaylistActions::AddFolder(const std::string& folder, const std::string& extensions) {
  const FolderTreeProgress progress = [this](std::size_t taken) {
    form_.SetCaption(kCountLabel, NumToText(static_cast<double>(taken)));
    events_.DoEvents();
  };
  if (AddFolderTree(folder, list_.names, list_.paths, extensions, settings_.friendlyNames,
                    progress) > 0) {
    list_.Changed();
  }
  // The progress showed the files taken; the label shows the playlist's count again.
  ShowPlCount();
}

void PlaylistActions::PlClear() {
  list_.names.clear();
  list_.paths.clear();
  list_.selected = -1;
  player_.tNum = 1;
  host_.ClearCover();
  form_.SetCaption(kNameLabel, "untitled");
  list_.Changed();
  ShowPlCount();
  player_.playlistCover.clear();
}

void PlaylistActions::PlMoveEntry(int delta) {
  if (player_.cdMode) return;
  const int i = list_.selected;
  const int j = i + delta;
  if (i < 0 || i >= list_.Count() || j < 0 || j >= list_.Count()) return;
  const auto a = static_cast<std::size_t>(i);
  const auto b = static_cast<std::size_t>(j);
  std::swap(list_.names[a], list_.names[b]);
  std::swap(list_.paths[a], list_.paths[b]);
  list_.selected = j;
  list_.Changed();
}

void PlaylistActions::PlDelete(int index) {
  if (player_.cdMode || index < 0 || index >= list_.Count()) return;
  const auto at = static_cast<std::ptrdiff_t>(index);
  list_.names.erase(list_.names.begin() + at);
  list_.paths.erase(list_.paths.begin() + at);
  const int s = index < list_.Count() ? index : list_.Count() - 1;
  list_.selected = s;
  // Entries after the removed one moved up by one, so the same song stays current. The
  // removed index is compared, not the new selection: when the last entry goes, the
  // selection moves up to the entry before it, which may be the current one that stays.
  if (index < player_.tNum) {
    --player_.tNum;
    form_.SetDD(2, player_.tNum);
  }
  list_.Changed();
  ShowPlCount();
}

void PlaylistActions::ShowPlCount() {
  form_.SetCaption(kCountLabel, NumToText(list_.Count()));
}

void PlaylistActions::ListDoubleClick() {
  player_.tNum = list_.selected + 1;
  host_.PlayIt();
}

void PlaylistActions::ListKeyDown(int keyCode) {
  if (keyCode == kKeyEnter) ListDoubleClick();
  if (keyCode == kKeyDelete) PlDeleteSelected();
}

void PlaylistActions::DropFiles(const std::vector<std::string>& files) {
  const Playlist::Batch batch(list_);
  for (const auto& file : files) {
    add_.name = file;
    add_.path = file;
    add_.title = DisplayName(file, settings_.friendlyNames);
    AddToPlaylist();
  }
}

}  // namespace varlo
