#pragma once
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QWidget>
#include <array>
#include <string>
#include <vector>

#include "platform/qt/picture_printer.h"
#include "player/player_mode.h"
#include "player/visual_selector_form.h"
#include "shell/input_gate.h"
#include "shell/settings_host.h"
#include "ui/selector_tasks.h"

namespace varlo {

// The selector's way to the program: the player's calls wait at the window's input gate, and
// the on-top state comes back through the main window's settings link (none in some tests).
class GatedSelectorHost final : public SelectorHost {
 public:
  GatedSelectorHost(PlayerMode& player, InputGate& gate, SettingsHost* mainWindow)
      : player_(player), gate_(gate), mainWindow_(mainWindow) {}
  AppSettings& Settings() override { return player_.Settings(); }
  void LoadAndPlay(const std::string& path) override;
  void AppendAndPlay(const std::string& path) override;
  void RestoreOnTop() override;

 private:
  PlayerMode& player_;
  InputGate& gate_;
  SettingsHost* mainWindow_;
};

// The "Visual Playlist Selector": the playlists of a folder tree sixteen to a page, each with
// its picture, the contents of the one clicked, and loading it. Folder walks, picture
// decoding and playlist reading run on worker threads; the window keeps answering, Stop ends
// them, and nothing on the window's thread waits for them.
class FrmVisLoaderView final : public QWidget, private SelectorAnswers {
 public:
  FrmVisLoaderView(PlayerMode& player, InputGate& gate, const std::string& programFolder,
                   PicturePrinter* printer = nullptr, SettingsHost* mainWindow = nullptr);
  // Prints the window as it looks.
  void PrintWindow();
  ~FrmVisLoaderView() override;

  // Scans the folder of "VisPLPath" (or the program folder) and shows page 1.
  void Start();
  void Scan(const std::string& folder) { logic_.ScanPlaylists(folder); }

  // For tests: the logic, the status line, the pictures, the list view and the contents.
  VisualSelectorForm& Logic() { return logic_; }
  QLabel* Status() const { return status_; }
  QLabel* Picture(int i) const { return pictures_[static_cast<std::size_t>(i)]; }
  QLabel* NameLabel() const { return selectedName_; }
  QListWidget* Entries() const { return entries_; }
  QListWidget* Contents() const { return contents_; }
  QPushButton* NextButton() const { return next_; }
  QPushButton* ListButton() const { return togglePL_; }
  QPushButton* ExitButton() const { return cancelButton_; }
  QCheckBox* SetDefaultBox() const { return setDefault_; }
  bool Busy() const { return logic_.Busy(); }
  const std::vector<std::string>& Found() const { return logic_.Found(); }
  void ShowContents(int i) { logic_.ShowPlaylistContents(i); }
  void OpenSelected() { logic_.OpenSelected(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // SelectorAnswers.
  void ScanProgress(std::uint64_t ticket, std::size_t found) override;
  void ScanDone(std::uint64_t ticket, std::vector<std::string> found) override;
  void PicturesDone(std::uint64_t ticket, std::vector<QImage> images) override;
  void ContentsDone(std::uint64_t ticket, PlaylistContents contents) override;

  void Redraw(unsigned changes);
  void ShowEntries();
  void ShowPage();
  void ToggleListView();
  void ToggleBackground();
  void Highlight(int i);

  GatedSelectorHost host_;
  QtSelectorTasks tasks_;
  VisualSelectorForm logic_;
  int highlighted_ = -1;
  bool dark_ = false;

  std::array<QLabel*, 16> pictures_{};
  std::array<QLabel*, 16> names_{};
  QWidget* grid_;
  QListWidget* entries_;
  QLabel* status_;
  QLabel* header_;
  QLabel* selectedName_;
  QListWidget* contents_;
  QPushButton* prev_;
  QPushButton* next_;
  QPushButton* load_;
  QPushButton* selectDir_;
  QPushButton* cancelButton_;
  QPushButton* togglePL_;
  QPushButton* background_;
  QCheckBox* setDefault_;
  QPushButton* print_;
  PicturePrinter* printer_;
};

}  // namespace varlo
