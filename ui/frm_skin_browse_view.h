#pragma once
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QWidget>
#include <functional>

#include "shell/input_gate.h"
#include "shell/skin_browser_form.h"
#include "ui/gui_mailbox.h"

namespace varlo {

// The "Skin Browser" window: a "Show:" filter, the skins of the skin folder, a click loads
// one, and an information panel shows what the loaded skin says of itself. It stays above
// the other windows and does not block them.
class FrmSkinBrowseView final : public QWidget {
 public:
  FrmSkinBrowseView(SettingsHost& host, InputGate& gate);

  SkinBrowserForm& Logic() { return logic_; }
  QComboBox* Filter() const { return filter_; }
  QListWidget* List() const { return list_; }
  QLabel* Comment() const { return comment_; }
  // Says what the bounds left out of a folder; hidden when nothing was.
  QLabel* CutNote() const { return cutNote_; }
  // The skin folder changed here.
  std::function<void()> onFolderChanged;
  // Opening: every skin ("All"), the list read from the disk again.
  void Refill();

 private:
  void Act(std::function<void()> action);
  void ShowLogic();

  PooledSkinDirReader reader_;
  SkinBrowserForm logic_;
  InputGate& gate_;
  QComboBox* filter_;
  QListWidget* list_;
  QLabel* cutNote_;
  QGroupBox* info_;
  QLabel* comment_;
};

}  // namespace varlo
