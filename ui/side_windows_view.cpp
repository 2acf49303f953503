#include "ui/side_windows_view.h"

#include "ui/owned_window.h"

namespace varlo {

SideWindowsView::SideWindowsView() = default;
SideWindowsView::~SideWindowsView() = default;

void SideWindowsView::ShowTrackInfo() {
  if (!player_) return;
  if (!info_) info_ = std::make_unique<FrmInfoView>(player_->TrackInfo());
  ShowOwned(*info_, owner_);
  info_->activateWindow();
}

void SideWindowsView::ShowCoverWindow() {
  if (!player_) return;
  if (!album_) album_ = std::make_unique<FrmAlbumView>(*player_);
  ShowOwned(*album_, owner_);
}

void SideWindowsView::ShowQuickFind() {
  if (!player_ || !gate_ || !settings_) return;
  if (!qfind_) qfind_ = std::make_unique<FrmQFindView>(*player_, *gate_, *settings_);
  qfind_->Refill();
  ShowOwned(*qfind_, owner_);
  qfind_->activateWindow();
}

void SideWindowsView::ShowVisualSelector() {
  if (!player_ || !gate_) return;
  // A fresh window for every opening: it scans the folder as it is now. The old one goes
  // without waiting for its workers.
  selector_ =
      std::make_unique<FrmVisLoaderView>(*player_, *gate_, programFolder_, printer_, mainWindow_);
  ShowOwned(*selector_, owner_);
  selector_->Start();
}

void SideWindowsView::CoverChanged() {
  if (album_) album_->Sync();
}

void SideWindowsView::CloseAll() {
  if (info_) info_->close();
  if (album_) album_->close();
  if (qfind_) qfind_->close();
  if (selector_) selector_->close();
}

}  // namespace varlo
