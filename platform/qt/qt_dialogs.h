#pragma once
#include <QPointer>
#include <QString>
#include <QWidget>

#include "platform/dialogs.h"

namespace varlo {

// Converts a "Label|*.a;*.b|Label|..." filter into Qt's "Label (*.a *.b);;..." form.
// Patterns match regardless of letter case, as they did where such filters come from.
QString QtFilterText(const std::string& filter);

class QtDialogs : public IDialogs {
 public:
  void SetParent(QWidget* parent) { parent_ = parent; }
  MsgResult MsgBox(const std::string& text, MsgButtons buttons,
                   const std::string& caption) override;
  std::optional<std::string> OpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> SaveFile(const FileDialogRequest& request) override;
  std::optional<std::string> BrowseFolder(const std::string& prompt) override;
  // The program is ending: from now on no dialog shows, each returns at once as if cancelled
  // (a message box with OK or No).
  void EndAll() { ended_ = true; }

 private:
  QPointer<QWidget> parent_;
  bool ended_ = false;
};

}  // namespace varlo
