#pragma once
#include <memory>

#include "shell/input_gate.h"
#include "shell/settings_host.h"
#include "ui/frm_pref_view.h"
#include "ui/frm_skin_browse_view.h"

namespace varlo {

// The preferences window and the skin browser. The preferences are made anew at every
// opening (a closed one is destroyed then); the browser is made once and shown again.
class SettingsWindowsView final : public SettingsWindows {
 public:
  SettingsWindowsView();
  ~SettingsWindowsView() override;
  SettingsWindowsView(const SettingsWindowsView&) = delete;
  SettingsWindowsView& operator=(const SettingsWindowsView&) = delete;

  // The main window's link and input gate; called once its logic exists.
  void Attach(SettingsHost& host, InputGate& gate) {
    host_ = &host;
    gate_ = &gate;
  }
  // The main window, which these windows belong to.
  void SetOwner(QWidget* owner) { owner_ = owner; }
  void ShowPrefs() override;
  void ShowSkinBrowser() override;
  bool PrefsShown() const override { return prefs_ && prefs_->isVisible(); }
  void SkinLoaded() override {
    if (PrefsShown()) prefs_->SkinLoaded();
  }
  void CloseAll();

  FrmPrefView* Prefs() const { return prefs_.get(); }
  FrmSkinBrowseView* Browser() const { return browser_.get(); }

 private:
  SettingsHost* host_ = nullptr;
  InputGate* gate_ = nullptr;
  QWidget* owner_ = nullptr;
  std::unique_ptr<FrmPrefView> prefs_;
  std::unique_ptr<FrmSkinBrowseView> browser_;
};

}  // namespace varlo
