#pragma once
#include <QImage>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <tuple>

#include "platform/main_window.h"
#include "shell/frm_tarnix.h"
#include "ui/area_views.h"
#include "ui/cover_lyric_binding.h"
#include "ui/list_binding.h"
#include "ui/playlist_model.h"

namespace varlo {

// The borderless, skin-shaped main window. It draws the form model of `FrmTarnix` and
// hands window events to it.
class MainWindowView : public QWidget {
 public:
  explicit MainWindowView(FrmTarnix& frm);
  ~MainWindowView() override;

  // Brings the window up to date with the parts of the form named by `changes`.
  void OnFormChanged(unsigned changes);
  // Told the native window the media devices draw video into, or 0 when the skin has none.
  std::function<void(std::uint64_t windowId)> onVideoWindow;
  // The skin's browser area changed (placed, shown or hidden).
  std::function<void(const SkinWidget& area)> onBrowserArea;
  // The window closed: the side windows close with it.
  std::function<void()> onClosed;
  // The character a key press types for the skin's hot keys (27 for Escape), or 0.
  static int PrintableKey(const QKeyEvent& event);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  bool event(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QRect PixelGeometry() const;
  // What a change made only by the timers (digits, frames, captions, knobs) needs repainted.
  QRegion TickRegion(unsigned changes);
  const SkinWidget* WidgetAt(int x, int y) const;

  // Where the held mouse button went down: mouse events go there until it is released.
  enum class Target { None, Background, Button, PressedImage, Label, Slider };
  Target target_ = Target::None;
  int targetIndex_ = 0;

  FrmTarnix& frm_;
  AreaViews areas_;
  CoverLyricBinding coverLyrics_;
  ListBinding lyrics_;
  PlaylistBinding playlist_;
  QTimer timer1_;
  QTimer timer2_;
  std::uint64_t videoWindow_ = 0;
  // Wayland has no window shapes: there the window is translucent and only the skin's shape
  // is painted, which the compositor then shows as the window's outline.
  bool paintsShape_ = false;
  QRegion shape_;                // empty for a rectangular window
  int restoresDone_ = 0;         // the form's requests to come back in front, carried out
  bool leavingAddress_ = false;  // the focus is leaving the browser's address box
  // The captions as last repainted, so a tick repaints only the labels that changed.
  std::array<std::string, std::tuple_size_v<decltype(SkinForm::lbl)>>
      shownCaptions_{};  // the display window last given to the media devices
};

// Closes whichever view it is given; lets the form be built before its view exists.
class ViewCloser : public IMainWindow {
 public:
  void SetView(QWidget* view) { view_ = view; }
  void Close() override {
    if (view_) view_->close();
  }

 private:
  QPointer<QWidget> view_;
};

}  // namespace varlo
