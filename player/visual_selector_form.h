#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/app_settings.h"
#include "player/visual_selector.h"

namespace varlo {

// The work the selector hands off its window's thread: folder walks, picture decoding and
// playlist reading. Each call starts a task of its kind and stops the one of that kind still
// running; nothing waits for a task. Every task answers once, on the GUI thread, through
// the form's call of the same name with the ticket it was given (a stopped task answers
// with what it has).
class SelectorTasks {
 public:
  virtual ~SelectorTasks() = default;
  // ScanPlaylists(folder); answers ScanDone, and now and then ScanProgress.
  virtual void Scan(std::uint64_t ticket, const std::string& folder) = 0;
  // The pictures of `playlists` (PlaylistPicture with `fallback`), decoded; answers
  // PicturesDone.
  virtual void LoadPictures(std::uint64_t ticket, const std::vector<std::string>& playlists,
                            const std::string& fallback) = 0;
  // ReadPlaylistContents(playlist); answers ContentsDone.
  virtual void ReadContents(std::uint64_t ticket, const std::string& playlist) = 0;
  // Stops the walk and the picture decoding that run (Stop, closing the window).
  virtual void Stop() = 0;
};

// What the selector reaches of the program: the settings ("VisPLPath"), the player and the
// main window's on-top state. Calls are made on the GUI thread; the player's may be queued.
class SelectorHost {
 public:
  virtual ~SelectorHost() = default;
  virtual AppSettings& Settings() = 0;
  // Replaces the playlist by playlist file `path` and plays it.
  virtual void LoadAndPlay(const std::string& path) = 0;
  // Appends media file `path` to the playlist and plays it.
  virtual void AppendAndPlay(const std::string& path) = 0;
  // Makes the main window topmost or not, as "WinOnTop" says.
  virtual void RestoreOnTop() = 0;
};

// The logic of the "Visual Playlist Selector" window: the playlists of a folder tree sixteen
// to a page, the one selected and its contents, loading it. Each task it starts carries a
// new ticket, and an answer with an older ticket is dropped, so a folder chosen while a walk
// runs, or a page turned while pictures load, is never overwritten by stale results.
class VisualSelectorForm {
 public:
  // What changed, for the view's redraw.
  enum Change : unsigned {
    kPage = 1,       // the page and its names (the pictures are cleared)
    kStatus = 2,     // the status line
    kSelection = 4,  // the selected entry and the name label
    kContents = 8,   // the contents list
    kBusy = 16,      // busy or not (the caption of Exit/Stop)
    kClose = 32,     // the window is to close
    kEntries = 64,   // the entries found (the list view)
  };

  VisualSelectorForm(SelectorHost& host, SelectorTasks& tasks, std::string programFolder);

  std::function<void(unsigned changes)> onChanged;

  // Opening: the program folder's "nocover.bmp" as the default picture, and a scan of
  // "VisPLPath", or of the program folder when it is empty.
  void Form_Load();
  // Closing by any way: what runs is stopped and its answers are no longer wanted.
  void Form_Unload();
  // Starts the walk of `folder`; a folder that does not exist changes nothing.
  void ScanPlaylists(const std::string& folder);

  // The tasks' answers.
  void ScanProgress(std::uint64_t ticket, std::size_t found);
  void ScanDone(std::uint64_t ticket, std::vector<std::string> found);
  // Whether pictures of `ticket` belong to the page shown; the view takes them only then, and
  // then reports PicturesDone.
  bool PicturesWanted(std::uint64_t ticket) const { return ticket != 0 && ticket == pictures_; }
  void PicturesDone(std::uint64_t ticket);
  void ContentsDone(std::uint64_t ticket, PlaylistContents contents);

  // A click on picture i of the page, or on row `row` of the list view (which turns to its
  // page first).
  void ShowPlaylistContents(int i);
  void Dummy_Click(int row);
  // A double-click on a picture or a row, or "&Load": enters a ".DIR" folder, or loads and
  // plays the playlist and closes. While pictures load, the load waits for them to stop.
  void OpenSelected();
  // A double-click on line `row` of the contents: the file joins the playlist and plays.
  void PlayList_DblClick(int row);
  void cNext_Click();
  void cPrev_Click();
  // "Stop" while busy, else "&Exit": the main window's on-top state back, and close.
  void cCancel_Click();
  void chkSetDef_Click(bool ticked) { setDefault_ = ticked; }

  const std::vector<std::string>& Found() const { return found_; }
  int Page() const { return page_; }
  // The entry index of picture i of the page, or -1 when the page has no picture i.
  int EntryOnPage(int i) const;
  // The name shown for entry `index` (its file name under the friendly-name rule).
  std::string EntryName(int index) const;
  const std::string& Status() const { return status_; }
  const std::string& NameLabel() const { return nameLabel_; }
  const std::string& Selected() const { return selected_; }
  // The entry index of the selection, -1 for none.
  int SelectedIndex() const { return selectedIndex_; }
  const PlaylistContents& Contents() const { return shownContents_; }
  bool Busy() const { return scan_ != 0 || pictures_ != 0; }
  const char* CancelCaption() const { return Busy() ? "Stop" : "&Exit"; }
  const std::string& DefaultPicture() const { return defaultPicture_; }

 private:
  void ShowPage(unsigned changes = 0);
  void Changed(unsigned changes) const {
    if (onChanged) onChanged(changes);
  }

  SelectorHost& host_;
  SelectorTasks& tasks_;
  std::string programFolder_;
  std::string defaultPicture_;
  std::uint64_t lastTicket_ = 0;
  std::uint64_t scan_ = 0;      // the walk running, 0 for none
  std::uint64_t pictures_ = 0;  // the page's pictures loading, 0 for none
  std::uint64_t contents_ = 0;  // the contents being read, 0 for none
  bool openWhenPicturesStop_ = false;
  bool setDefault_ = false;
  std::string scanFolder_;
  std::vector<std::string> found_;
  int page_ = 0;
  std::string status_;
  std::string nameLabel_;
  std::string selected_;
  int selectedIndex_ = -1;
  PlaylistContents shownContents_;
};

}  // namespace varlo
