#pragma once
#include <memory>
#include <string>

#include "player/player_links.h"
#include "player/player_mode.h"
#include "ui/frm_album_view.h"
#include "ui/frm_info_view.h"
#include "ui/frm_qfind_view.h"
#include "ui/frm_vis_loader_view.h"

namespace varlo {

// The track-information and cover windows: made when first asked for, kept up to date with
// the player, and closed with the main window.
class SideWindowsView final : public SideWindows {
 public:
  SideWindowsView();
  ~SideWindowsView() override;

  // The player whose windows these are, the window's input gate and settings; called once the
  // main window's logic exists.
  void Attach(PlayerMode& player, InputGate& gate, const AppSettings& settings,
              std::string programFolder, PicturePrinter* printer = nullptr) {
    printer_ = printer;
    player_ = &player;
    gate_ = &gate;
    settings_ = &settings;
    programFolder_ = std::move(programFolder);
  }
  // The main window, which the side windows belong to, and its settings link (the selector
  // gives the window its on-top state back through it).
  void SetOwner(QWidget* owner) { owner_ = owner; }
  void SetMainWindow(SettingsHost& mainWindow) { mainWindow_ = &mainWindow; }
  void ShowTrackInfo() override;
  void ShowCoverWindow() override;
  void ShowQuickFind() override;
  void ShowVisualSelector() override;
  // The cover changed: the open cover window shows it too.
  void CoverChanged();
  void CloseAll();

  FrmInfoView* Info() const { return info_.get(); }
  FrmAlbumView* Album() const { return album_.get(); }
  FrmQFindView* QuickFindWindow() const { return qfind_.get(); }
  FrmVisLoaderView* SelectorWindow() const { return selector_.get(); }

 private:
  PlayerMode* player_ = nullptr;
  InputGate* gate_ = nullptr;
  const AppSettings* settings_ = nullptr;
  std::string programFolder_;
  PicturePrinter* printer_ = nullptr;
  QWidget* owner_ = nullptr;
  SettingsHost* mainWindow_ = nullptr;
  std::unique_ptr<FrmInfoView> info_;
  std::unique_ptr<FrmAlbumView> album_;
  std::unique_ptr<FrmQFindView> qfind_;
  std::unique_ptr<FrmVisLoaderView> selector_;
};

}  // namespace varlo
