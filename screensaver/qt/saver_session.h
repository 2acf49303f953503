#pragma once
#include <QColor>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "common/settings_store.h"
#include "platform/qt/qt_clock.h"
#include "screensaver/qt/saver_view.h"
#include "screensaver/qt/settings_dialog.h"
#include "screensaver/saver_clock.h"
#include "screensaver/saver_scene.h"
#include "screensaver/saver_settings.h"
#include "screensaver/saver_skin.h"

class QScreen;
class QWindow;

namespace varlo {

// One run of the screen saver: the settings, the skin and its pictures, the clock texts and
// animations ticking every 200 ms, and the windows that show them. Full screen it covers every
// screen with a window of its own (following screens that come and go) and ends on a key, a
// click or a pointer that moves after it has rested, in any of them; Ctrl opens the settings
// instead. Embedded in another program's window it takes no input and ends when asked to.
class SaverSession final : public QObject {
 public:
  SaverSession(SettingsStore& store, std::string programFolder, std::string bundledSkin,
               bool embedded, SaverPrompts& prompts);
  ~SaverSession() override;

  // Reads the skin the settings name. Full screen, a missing skin is asked for with "Select
  // Skin" and bitmaps that cannot be read are said in message boxes; false when the choice is
  // cancelled (the saver then ends). Embedded, the bundled skin stands in for a missing one and
  // the bitmaps are said on standard error.
  bool LoadSkin();
  void ShowFullScreen();
  // The one window drawn into `host` (another client's window) at `size`.
  SaverView* ShowEmbedded(QWindow* host, QSize size);
  const std::vector<std::unique_ptr<SaverView>>& Views() const { return views_; }

  // What the views draw.
  bool SkinValid() const { return skinValid_; }
  QColor Background() const;
  SaverScene Scene(QSize size) const;
  const QImage& MainBitmap() const { return main_; }
  const QImage& ResourceBitmap() const { return res_; }
  const QImage& Picture() const { return picture_; }

  // What the full-screen views report.
  void PointerMoved(QPoint global);
  void Pressed();
  void ControlPressed(SaverView* over);
  // A view is asked to close: false within the first two seconds; otherwise the settings are
  // written and every view closes.
  bool CloseRequested();

 private:
  void Tick();
  void Say(const std::string& text);
  void MakeViews();
  void Place(SaverView& view, QScreen* screen);
  void SetOnTop(bool onTop);
  void EndAll();

  SettingsStore& store_;
  std::string programFolder_;
  std::string bundledSkin_;
  bool embedded_;
  SaverPrompts& prompts_;
  QtClock clock_;
  SaverSettings settings_;
  SaverSkin skin_;
  bool skinValid_ = false;
  QImage main_, res_, picture_;
  SaverClock texts_;
  SaverAnimations animations_;
  SaverDismissal dismissal_;
  QTimer timer_;
  std::vector<std::unique_ptr<SaverView>> views_;
  bool ending_ = false;
  bool settingsOpen_ = false;
  bool screensChanged_ = false;  // while the settings were open
};

}  // namespace varlo
