#include "ui/gui_mailbox.h"

#include <QMetaObject>
#include <QThreadPool>
#include <utility>

namespace varlo {

void GuiMailbox::Post(std::function<void()> call) {
  const std::lock_guard<std::mutex> lock(mutex_);
  if (!receiver_) return;
  // Checked again on delivery: a call posted just before Close() is not run after it.
  QMetaObject::invokeMethod(
      receiver_,
      [self = shared_from_this(), call = std::move(call)] {
        if (self->receiver_) call();
      },
      Qt::QueuedConnection);
}

void GuiMailbox::Close() {
  const std::lock_guard<std::mutex> lock(mutex_);
  receiver_ = nullptr;
}

void PooledSkinDirReader::Read(std::string folder, std::string filter,
                               std::vector<std::string> favourites, SkinDirBounds bounds,
                               std::function<void(SkinDir)> done) {
  std::shared_ptr<GuiMailbox> mailbox = mailbox_;
  QThreadPool::globalInstance()->start([=] {
    SkinDir dir = ReadSkinDir(folder, filter, favourites, bounds);
    mailbox->Post([done, dir = std::move(dir)]() mutable { done(std::move(dir)); });
  });
}

}  // namespace varlo
