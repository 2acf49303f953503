#include "ui/selector_tasks.h"

#include <QThreadPool>
#include <utility>

#include "platform/qt/qt_picture_loader.h"

namespace varlo {

QtSelectorTasks::QtSelectorTasks(QObject* receiver, SelectorAnswers& answers, int cell)
    : mailbox_(std::make_shared<GuiMailbox>(receiver)), answers_(answers), cell_(cell) {}

QtSelectorTasks::~QtSelectorTasks() {
  Stop();
  mailbox_->Close();
}

QtSelectorTasks::Flag QtSelectorTasks::Renew(Flag& flag) {
  if (flag) *flag = true;
  flag = std::make_shared<std::atomic<bool>>(false);
  return flag;
}

void QtSelectorTasks::Stop() {
  if (scan_) *scan_ = true;
  if (pictures_) *pictures_ = true;
}

void QtSelectorTasks::Scan(std::uint64_t ticket, const std::string& folder) {
  Flag stop = Renew(scan_);
  std::shared_ptr<GuiMailbox> mailbox = mailbox_;
  SelectorAnswers* answers = &answers_;
  QThreadPool::globalInstance()->start([=] {
    std::vector<std::string> found = ScanPlaylists(
        folder,
        [&](std::size_t taken) { mailbox->Post([=] { answers->ScanProgress(ticket, taken); }); },
        stop.get());
    mailbox->Post(
        [=, found = std::move(found)]() mutable { answers->ScanDone(ticket, std::move(found)); });
  });
}

void QtSelectorTasks::LoadPictures(std::uint64_t ticket, const std::vector<std::string>& playlists,
                                   const std::string& fallback) {
  Flag stop = Renew(pictures_);
  std::shared_ptr<GuiMailbox> mailbox = mailbox_;
  SelectorAnswers* answers = &answers_;
  const int cell = cell_;
  QThreadPool::globalInstance()->start([=] {
    // Looking for each picture and decoding it both touch the disk: both happen here.
    std::vector<QImage> images;
    for (const std::string& playlist : playlists) {
      if (*stop) break;
      const std::string file = PlaylistPicture(playlist, fallback);
      QImage image = file.empty() ? QImage() : ReadImageFile(file);
      if (!image.isNull())
        image = image.scaled(cell, cell, Qt::KeepAspectRatio, Qt::SmoothTransformation);
      images.push_back(std::move(image));
    }
    mailbox->Post([=, images = std::move(images)]() mutable {
      answers->PicturesDone(ticket, std::move(images));
    });
  });
}

void QtSelectorTasks::ReadContents(std::uint64_t ticket, const std::string& playlist) {
  std::shared_ptr<GuiMailbox> mailbox = mailbox_;
  SelectorAnswers* answers = &answers_;
  QThreadPool::globalInstance()->start([=] {
    PlaylistContents contents = ReadPlaylistContents(playlist);
    mailbox->Post([=, contents = std::move(contents)]() mutable {
      answers->ContentsDone(ticket, std::move(contents));
    });
  });
}

}  // namespace varlo
