#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/app_settings.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "player/folder_tree.h"
#include "player/player_state.h"
#include "player/playlist.h"

namespace varlo {

// What the playlist asks of the rest of the main window. Every hook may be left empty.
struct PlaylistHooks {
  std::function<void(const std::string&)> setName;    // label 14: the playlist's name
  std::function<void(const std::string&)> setCount;   // label 16: the entry count
  std::function<void(const std::string&)> loadCover;  // show the playlist's picture
  std::function<void()> removeCover;   // clear the cover of the main and album windows
  std::function<void()> playIt;        // play entry TNum
  std::function<void(int)> setDigits;  // show a track number on the digit display
  std::function<void(const std::string&)> storePath;  // write "Path" to the settings now
  // The file-save dialog; returns the chosen path, nullopt when cancelled.
  std::function<std::optional<std::string>(const FileDialogRequest&)> saveFile;
  // Called while a folder tree is read with the files taken so far (progress display).
  FolderTreeProgress folderProgress;
};

// The playlist procedures of the main window: loading, saving, adding, moving, deleting,
// the list's events and dropped files. Holds references only; all run on the GUI thread.
class PlaylistActions {
 public:
  // The last file chosen or dropped: its file name, full path and display name.
  struct AddItem {
    std::string name, path, title;
  };

  PlaylistActions(Playlist& list, PlayerState& player, AppSettings& settings, IDialogs& dialogs,
                  IEvents& events, std::string programFolder, PlaylistHooks hooks);

  void PlLoad();
  // Appends the entries of an M3U or PLS file, shows its name and its picture.
  void PlRead(const std::string& path);
  void PlSave();
  // Writes the playlist as M3U; says so in a message box when it cannot.
  bool WritePL(const std::string& path);
  // The open-file dialog; fills AddItem() (its name stays empty when cancelled).
  void OpenMediaFile();
  // Appends AddItem(): a playlist file, a folder tree or one file.
  void AddToPlaylist();
  void AddFromDir();
  // Adds a folder tree with the given extension list and updates the view once.
  void AddFolder(const std::string& folder, const std::string& extensions);
  void PlClear();
  void PlMoveEntry(int delta);
  void PlDelete(int index);
  void PlDeleteSelected() { PlDelete(list_.selected); }
  void ShowPlCount();

  // List events: a double-click or Enter plays the selected entry; Delete removes it.
  void ListDoubleClick();
  void ListKeyDown(int keyCode);
  // Files dropped on the list or the window, added one by one.
  void DropFiles(const std::vector<std::string>& files);
  // The drag effect over the list and the window: copy only for a file list.
  static bool AcceptsDrag(bool carriesFileList) { return carriesFileList; }

  AddItem& Add() { return add_; }
  const std::string& Cover() const { return plCover_; }
  int FilterIndex() const { return filterIndex_; }

  static constexpr const char* kWriteError = "Unable to write Playlist! Is the file read-only?";

 private:
  void SetPath(const std::string& folder);

  Playlist& list_;
  PlayerState& player_;
  AppSettings& settings_;
  IDialogs& dialogs_;
  IEvents& events_;
  std::string programFolder_;
  PlaylistHooks hooks_;
  AddItem add_;
  std::string plCover_;
  int filterIndex_ = 1;  // of the open-media dialog, 1-based as the dialog counts
};

}  // namespace varlo
