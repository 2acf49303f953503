#pragma once
#include <QLabel>
#include <QWidget>
#include <memory>
#include <string>

#include "player/player_mode.h"

namespace varlo {

// The cover window "Now Playing": one picture, kept the largest centred square that fits.
class FrmAlbumView : public QWidget {
 public:
  explicit FrmAlbumView(PlayerMode& player);
  // Shows the cover window's picture as the form holds it.
  void Sync();

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Show(const std::string& picture, const std::shared_ptr<const Picture>& image,
            const std::string& tip);
  void PlaceCover();

  PlayerMode& player_;
  QLabel* cover_;
};

}  // namespace varlo
