#include "ui/settings_windows_view.h"

#include "ui/owned_window.h"

namespace varlo {

SettingsWindowsView::SettingsWindowsView() = default;
SettingsWindowsView::~SettingsWindowsView() = default;

void SettingsWindowsView::ShowPrefs() {
  if (!host_ || !gate_) return;
  // A window the user closed is gone: the next opening starts from the settings again.
  if (!prefs_ || !prefs_->isVisible()) prefs_ = std::make_unique<FrmPrefView>(*host_, *gate_);
  ShowOwned(*prefs_, owner_);
  prefs_->activateWindow();
}

void SettingsWindowsView::ShowSkinBrowser() {
  if (!host_ || !gate_) return;
  if (!browser_) {
    browser_ = std::make_unique<FrmSkinBrowseView>(*host_, *gate_);
    browser_->onFolderChanged = [this] {
      if (prefs_ && prefs_->isVisible()) prefs_->SkinFolderChanged();
    };
  } else {
    browser_->Refill();
  }
  ShowOwned(*browser_, owner_);
  browser_->activateWindow();
}

void SettingsWindowsView::CloseAll() {
  if (prefs_) prefs_->close();
  if (browser_) browser_->close();
}

}  // namespace varlo
