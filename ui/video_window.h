#pragma once
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <string>

namespace varlo {

// The window video plays in when the skin has no video area: a window of the program's own
// (titled "<file name> - Varlo", with the program's icon) that the media engine draws into,
// in place of the window the engine would otherwise open by itself. It follows the main
// window: it never keeps the program running and it goes when the main window closes.
//
// Lifetime: the engine may still draw into the window until its device is destroyed, so the
// window must outlive the devices that were given its NativeId().
class VideoWindow : public QWidget {
 public:
  explicit VideoWindow(QWidget* mainWindow);

  // "<file name> - Varlo" for a path in the file system's encoding.
  static QString TitleFor(const std::string& path);

  // The native window the engine draws into; made on the first call, shown or not.
  std::uint64_t NativeId();
  // Shows the window for the video of `path`. The first video sizes it to its own size (when
  // known), later ones keep the size the user gave it. When the window was hidden, `onVisible`
  // runs once it is on the screen (after its first paint there).
  void ShowVideo(const std::string& path, int width, int height,
                 std::function<void()> onVisible = {});

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QPointer<QWidget> mainWindow_;
  bool sized_ = false;
  std::function<void()> onVisible_;
};

}  // namespace varlo
