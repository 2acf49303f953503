#pragma once
#include <QWidget>

namespace varlo {

class SaverSession;

// One window of the screen saver: paints what its session shows at the window's size and
// hands the user's input to the session. Embedded in another program's window it takes none.
class SaverView final : public QWidget {
 public:
  SaverView(SaverSession& session, bool embedded);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  SaverSession& session_;
  bool embedded_;
};

}  // namespace varlo
