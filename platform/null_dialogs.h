#pragma once
#include "platform/dialogs.h"

namespace varlo {

// Dialogs for headless runs: every message is acknowledged, every choice cancelled.
class NullDialogs : public IDialogs {
 public:
  MsgResult MsgBox(const std::string&, MsgButtons, const std::string&) override {
    return MsgResult::Ok;
  }
  std::optional<std::string> OpenFile(const FileDialogRequest&) override { return std::nullopt; }
  std::optional<std::string> SaveFile(const FileDialogRequest&) override { return std::nullopt; }
  std::optional<std::string> BrowseFolder(const std::string&) override { return std::nullopt; }
};

}  // namespace varlo
