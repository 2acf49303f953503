#include "ui/side_windows_view.h"

namespace varlo {

SideWindowsView::SideWindowsView() = default;
SideWindowsView::~SideWindowsView() = default;

void SideWindowsView::ShowTrackInfo() {
  if (!player_) return;
  if (!info_) info_ = std::make_unique<FrmInfoView>(player_->TrackInfo());
  info_->show();
  info_->raise();
  info_->activateWindow();
}

void SideWindowsView::ShowCoverWindow() {
  if (!player_) return;
  if (!album_) album_ = std::make_unique<FrmAlbumView>(*player_);
  album_->show();
  album_->raise();
}

void SideWindowsView::ShowQuickFind() {
  if (!player_ || !gate_ || !settings_) return;
  if (!qfind_) qfind_ = std::make_unique<FrmQFindView>(*player_, *gate_, *settings_);
  qfind_->Refill();
  qfind_->show();
  qfind_->raise();
  qfind_->activateWindow();
}

void SideWindowsView::ShowVisualSelector() {
  if (!player_ || !gate_) return;
  // A fresh window for every opening: it scans the folder as it is now.
  selector_ = std::make_unique<FrmVisLoaderView>(*player_, *gate_, programFolder_, printer_);
  selector_->show();
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
