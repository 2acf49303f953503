#pragma once
#include <string>
#include <vector>

#include "common/app_settings.h"
#include "platform/events.h"
#include "player/player_state.h"
#include "player/playlist.h"
#include "player/playlist_prefetch.h"
#include "skin/form_access.h"

namespace varlo {

// What the playlist asks of the player around it: its picture, the entry to play and the
// folder the dialogs start in.
class PlaylistHost {
 public:
  virtual ~PlaylistHost() = default;
  // Shows the playlist's picture as the cover; an empty path shows none.
  virtual void LoadCover(const std::string& path) = 0;
  // Clears the cover of the main and cover windows.
  virtual void ClearCover() = 0;
  // Plays entry TNum.
  virtual void PlayIt() = 0;
  // Writes "Path" into the settings file at once.
  virtual void StorePath(const std::string& folder) = 0;
};
class NullPlaylistHost final : public PlaylistHost {
 public:
  void LoadCover(const std::string&) override {}
  void ClearCover() override {}
  void PlayIt() override {}
  void StorePath(const std::string&) override {}
};

// The playlist procedures of the main window: loading, saving, adding, moving, deleting,
// the list's events and dropped files. Shows the playlist's name on label 14, its count on
// label 16 and the current entry on display 2. Holds references only; all run on the GUI
// thread.
class PlaylistActions {
 public:
  // The last file chosen or dropped: its file name, full path and display name.
  struct AddItem {
    std::string name, path, title;
  };

  // Playlist files are read through `prefetch` when one is given, so that a read begun at start
  // is taken.
  PlaylistActions(Playlist& list, PlayerState& player, AppSettings& settings, FormAccess& form,
                  IEvents& events, std::string programFolder, PlaylistHost& host,
                  PlaylistPrefetch* prefetch = nullptr);

  void PlLoad();
  // Appends the entries of an M3U or PLS file, shows its name and its picture.
  void PlRead(const std::string& path);
  void PlSave();
  // Writes the playlist as M3U; says so in a message box, with the cause, when it cannot.
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
  const std::string& Cover() const { return player_.playlistCover; }
  int FilterIndex() const { return filterIndex_; }

  static constexpr const char* kWriteError = "Unable to write Playlist! Is the file read-only?";

 private:
  void SetPath(const std::string& folder);

  Playlist& list_;
  PlayerState& player_;
  AppSettings& settings_;
  FormAccess& form_;
  IEvents& events_;
  std::string programFolder_;
  PlaylistHost& host_;
  PlaylistPrefetch* prefetch_;
  AddItem add_;
  int filterIndex_ = 1;  // of the open-media dialog, 1-based as the dialog counts
};

}  // namespace varlo
