#pragma once
#include <QObject>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "skin/skin_catalog.h"

namespace varlo {

// Hands work done on other threads back to an object on the GUI thread, and drops it once
// that object is gone: Close() is called before the receiver goes, and a call posted before
// is removed with the receiver's pending events.
class GuiMailbox : public std::enable_shared_from_this<GuiMailbox> {
 public:
  explicit GuiMailbox(QObject* receiver) : receiver_(receiver) {}
  // Any thread: runs `call` later on the receiver's thread, unless the mailbox is closed.
  void Post(std::function<void()> call);
  void Close();

 private:
  std::mutex mutex_;
  QObject* receiver_;
};

// Skin folders read on Qt's global thread pool, answered through `receiver`'s event queue;
// answers stop once the reader is gone.
class PooledSkinDirReader final : public SkinDirReader {
 public:
  explicit PooledSkinDirReader(QObject* receiver)
      : mailbox_(std::make_shared<GuiMailbox>(receiver)) {}
  ~PooledSkinDirReader() override { mailbox_->Close(); }
  void Read(std::string folder, std::string filter, std::vector<std::string> favourites,
            SkinDirBounds bounds, std::function<void(SkinDir)> done) override;

 private:
  std::shared_ptr<GuiMailbox> mailbox_;
};

}  // namespace varlo
