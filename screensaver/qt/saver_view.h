#pragma once
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <string>

#include "common/settings_store.h"
#include "platform/qt/qt_clock.h"
#include "screensaver/saver_clock.h"
#include "screensaver/saver_settings.h"
#include "screensaver/saver_skin.h"

namespace varlo {

// The screen saver's window: the skin's main bitmap centred, the time, the date, the seconds and
// the chosen picture, ticking every 200 ms. Full screen it ends on a key, a click or a pointer
// that moves after it has rested (Ctrl opens the settings instead); embedded in another
// program's window it takes no input and ends only when asked to close.
class SaverView : public QWidget {
 public:
  SaverView(SettingsStore& store, std::string programFolder, std::string bundledSkin,
            bool embedded);

  // Reads the skin the settings name, or the fallback, and the picture.
  void LoadSkin();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void Tick();
  void TryClose();
  void OpenSettings();
  QPoint Offset() const;
  void PaintDigit(QPainter& p, int n, const QPoint& offset) const;

  SettingsStore& store_;
  std::string programFolder_;
  std::string bundledSkin_;
  bool embedded_;
  QtClock clock_;
  SaverSettings settings_;
  SaverSkin skin_;
  bool skinValid_ = false;
  QImage main_, res_, picture_;
  SaverClock texts_;
  SaverDismissal dismissal_;
  QTimer timer_;
  int animTicks_ = 0;
  int animFrame_ = 0;
  bool closing_ = false;
};

}  // namespace varlo
