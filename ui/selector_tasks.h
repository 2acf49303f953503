#pragma once
#include <QImage>
#include <QObject>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "player/visual_selector_form.h"
#include "ui/gui_mailbox.h"

namespace varlo {

// Where the selector's tasks answer, on the GUI thread.
class SelectorAnswers {
 public:
  virtual ~SelectorAnswers() = default;
  virtual void ScanProgress(std::uint64_t ticket, std::size_t found) = 0;
  virtual void ScanDone(std::uint64_t ticket, std::vector<std::string> found) = 0;
  // The pictures of the playlists asked for, in order; a null image where there is none, and
  // fewer than asked when the task was stopped.
  virtual void PicturesDone(std::uint64_t ticket, std::vector<QImage> images) = 0;
  virtual void ContentsDone(std::uint64_t ticket, PlaylistContents contents) = 0;
};

// The visual selector's tasks on Qt's global thread pool. A task never blocks the GUI
// thread: a new task of a kind only flags the one before to stop, and answers come back
// through `receiver`'s event queue to `answers` (which `receiver` owns or is). Pictures are
// decoded and scaled to fit `cell` pixels on the worker.
class QtSelectorTasks final : public SelectorTasks {
 public:
  QtSelectorTasks(QObject* receiver, SelectorAnswers& answers, int cell);
  // Stops what runs and drops its answers; never waits for a worker.
  ~QtSelectorTasks() override;

  void Scan(std::uint64_t ticket, const std::string& folder) override;
  void LoadPictures(std::uint64_t ticket, const std::vector<std::string>& playlists,
                    const std::string& fallback) override;
  void ReadContents(std::uint64_t ticket, const std::string& playlist) override;
  void Stop() override;

 private:
  using Flag = std::shared_ptr<std::atomic<bool>>;
  // Flags the task of a kind to stop and gives the next one its own flag.
  static Flag Renew(Flag& flag);

  std::shared_ptr<GuiMailbox> mailbox_;
  SelectorAnswers& answers_;
  int cell_;
  Flag scan_, pictures_;
};

}  // namespace varlo
