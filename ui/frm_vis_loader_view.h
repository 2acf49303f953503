#pragma once
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QWidget>
#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/qt/picture_printer.h"
#include "player/player_mode.h"
#include "shell/input_gate.h"

namespace varlo {

// The "Visual Playlist Selector": the playlists of a folder tree sixteen to a page, each with
// its picture, the contents of the one clicked, and loading it. Folder walks and picture
// decoding run on a worker thread; the window keeps answering and Stop ends them.
class FrmVisLoaderView final : public QWidget {
 public:
  FrmVisLoaderView(PlayerMode& player, InputGate& gate, const std::string& programFolder,
                   PicturePrinter* printer = nullptr);
  // Prints the window as it looks.
  void PrintWindow();
  ~FrmVisLoaderView() override;

  // Scans the folder of "VisPLPath" (or the program folder) and shows page 1.
  void Start();
  void Scan(const std::string& folder);

  // For tests: the status line, the pictures' tips and the contents list.
  QLabel* Status() const { return status_; }
  QLabel* Picture(int i) const { return pictures_[static_cast<std::size_t>(i)]; }
  QListWidget* Contents() const { return contents_; }
  QPushButton* NextButton() const { return next_; }
  bool Busy() const { return busy_; }
  const std::vector<std::string>& Found() const { return found_; }
  void ShowContents(int i) { SelectOnPage(i); }
  void OpenSelected();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void Run(std::function<void(const std::atomic<bool>& stop)> work);
  void ScanDone(const std::string& folder, std::vector<std::string> found);
  void ShowPage();
  void PicturesDone(int page, std::vector<QImage> images);
  void SelectOnPage(int i);
  void SetBusy(bool busy);
  void ToggleListView();
  void ToggleBackground();
  void Highlight(int i);

  PlayerMode& player_;
  InputGate& gate_;
  std::string programFolder_;
  std::string defaultPicture_;
  std::vector<std::string> found_;
  std::string selected_;
  std::vector<std::string> selectedPaths_;
  int page_ = 0;
  int highlighted_ = -1;
  bool busy_ = false;
  bool dark_ = false;
  // The worker and what it shares with the window; a new task waits for the previous one.
  std::shared_ptr<std::atomic<bool>> cancel_;
  std::thread worker_;

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
