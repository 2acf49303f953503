#pragma once
#include <memory>

#include "player/player_links.h"
#include "player/player_mode.h"
#include "ui/frm_album_view.h"
#include "ui/frm_info_view.h"
#include "ui/frm_qfind_view.h"

namespace varlo {

// The track-information and cover windows: made when first asked for, kept up to date with
// the player, and closed with the main window.
class SideWindowsView final : public SideWindows {
 public:
  SideWindowsView();
  ~SideWindowsView() override;

  // The player whose windows these are, the window's input gate and settings; called once the
  // main window's logic exists.
  void Attach(PlayerMode& player, InputGate& gate, const AppSettings& settings) {
    player_ = &player;
    gate_ = &gate;
    settings_ = &settings;
  }
  void ShowTrackInfo() override;
  void ShowCoverWindow() override;
  void ShowQuickFind() override;
  // The cover changed: the open cover window shows it too.
  void CoverChanged();
  void CloseAll();

  FrmInfoView* Info() const { return info_.get(); }
  FrmAlbumView* Album() const { return album_.get(); }
  FrmQFindView* QuickFindWindow() const { return qfind_.get(); }

 private:
  PlayerMode* player_ = nullptr;
  InputGate* gate_ = nullptr;
  const AppSettings* settings_ = nullptr;
  std::unique_ptr<FrmInfoView> info_;
  std::unique_ptr<FrmAlbumView> album_;
  std::unique_ptr<FrmQFindView> qfind_;
};

}  // namespace varlo
