// SIGTERM while dialogs are open, one inside the other's event loop: both are ended, and the
// window's close runs only once their loops have returned, within 2 s.
#include "ui/quit_signals.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>
#include <csignal>

#include "platform/qt/qt_dialogs.h"
#include "tests/ui/test_app.h"

namespace varlo {
namespace {

TEST(QuitSignals, EndTheOpenDialogsThenCloseTheWindowFromTheLoopBelowThem) {
  testing::TestApp();
  QWidget window;
  window.show();
  QtDialogs dialogs;
  dialogs.SetParent(&window);
  int depth = 0;          // dialog loops running
  int depthAtClose = -1;  // how many ran when the close was asked for
  bool closeAsked = false;
  CloseOnQuitSignals(&window, [&] {
    closeAsked = true;
    depthAtClose = depth;
    dialogs.EndAll();
    window.close();
  });

  QElapsedTimer clock;
  bool fileDialogReturned = false, boxReturned = false;
  QTimer::singleShot(0, [&] {
    // A file dialog opened from a message box's loop, then the signal from within both.
    QTimer::singleShot(100, [&] {
      QTimer::singleShot(100, [&] {
        clock.start();
        std::raise(SIGTERM);
      });
      ++depth;
      QFileDialog fileDialog(&window, QStringLiteral("Open Media file"));
      fileDialog.exec();
      --depth;
      fileDialogReturned = true;
    });
    ++depth;
    dialogs.MsgBox("Damaged entry", MsgButtons::Ok, "Varlo");
    --depth;
    boxReturned = true;
  });
  QElapsedTimer total;
  total.start();
  while (window.isVisible() && total.elapsed() < 8000)
    QApplication::processEvents(QEventLoop::AllEvents, 10);

  EXPECT_TRUE(fileDialogReturned);
  EXPECT_TRUE(boxReturned);
  EXPECT_TRUE(closeAsked);
  EXPECT_EQ(depthAtClose, 0) << "the close ran inside a dialog's loop";
  EXPECT_FALSE(window.isVisible());
  EXPECT_LT(clock.elapsed(), 2000);
  // Once the program ends, no box shows any more: it answers at once.
  EXPECT_EQ(dialogs.MsgBox("Mute FM Tuner Audio?", MsgButtons::YesNo, "Varlo"), MsgResult::No);
}

}  // namespace
}  // namespace varlo
