#include "ui/settings_windows_view.h"

namespace varlo {

SettingsWindowsView::~SettingsWindowsView() {
  delete prefs_;
  delete browser_;
}

void SettingsWindowsView::ShowPrefs() {
  if (!host_ || !gate_) return;
  if (!prefs_) {
    prefs_ = new FrmPrefView(*host_, *gate_);
    prefs_->setAttribute(Qt::WA_DeleteOnClose);
  }
  prefs_->show();
  prefs_->raise();
  prefs_->activateWindow();
}

void SettingsWindowsView::ShowSkinBrowser() {
  if (!host_ || !gate_) return;
  if (!browser_) {
    browser_ = new FrmSkinBrowseView(*host_, *gate_);
    browser_->setAttribute(Qt::WA_DeleteOnClose);
    browser_->onFolderChanged = [this] {
      if (prefs_) prefs_->SkinFolderChanged();
    };
  } else {
    browser_->Refill();
  }
  browser_->show();
  browser_->raise();
  browser_->activateWindow();
}

void SettingsWindowsView::CloseAll() {
  if (prefs_) prefs_->close();
  if (browser_) browser_->close();
}

}  // namespace varlo
