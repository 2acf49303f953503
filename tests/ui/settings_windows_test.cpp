// The preferences window and the skin browser as the user sees them, on Qt's offscreen
// platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_events.h"
#include "platform/qt/qt_picture_loader.h"
#include "platform/qt/qt_screen.h"
#include "tests/support/fake_media_device.h"
#include "tests/support/fakes.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/test_app.h"
#include "ui/main_window_view.h"
#include "ui/settings_windows_view.h"

namespace varlo {
namespace {

template <typename T>
T* Named(QWidget* root, const QString& text) {
  for (T* w : root->findChildren<T*>())
    if (w->text() == text) return w;
  return nullptr;
}

class SettingsWindowsTest : public ::testing::Test {
 protected:
  QApplication& app = testing::TestApp();
  testing::TempDir prog, config;
  QtScreen screen;
  testing::FakeDialogs dialogs;
  QtPictureLoader pictures;
  QtEvents events;
  QtClock clock;
  ViewCloser closer;
  SettingsStore store{config.File("varlo.ini")};
  testing::FakeLauncher launcher;
  testing::FakeMediaDevice unit0, unit1;
  NullSideWindows sideWindows;
  NullTuner tuner;
  NullCdDrive drive;
  NullHttpGetter http;
  NullTrayIcon tray;
  NullSerialPort serial;
  NullPrinter printer;
  SettingsWindowsView windows;
  NullStreamPlayer stream;
  NullWebView web;
  NullLinkOpener linkOpener;
  NullEmbeddedMediaReader embedded;
  std::unique_ptr<FrmTarnix> frm;

  void SetUp() override {
    prog.Write("default.skin",
               "Varlo Skin/Player Karaoke, UI test\n120,60,120,60,60,30\n"
               "main.bmp,res.bmp\n0,1,0,0,0,0,0,0\nE\n");
    prog.Write("Second.SKIN",
               "Varlo Skin/Clock, Another one\n100,50,100,50,50,25\n"
               "main.bmp,res.bmp\n0,1,0,0,0,0,0,0\n/,Its info line\nE\n");
    prog.Write("varlo.txt", "The guide.\n");
    frm = std::make_unique<FrmTarnix>(
        ShellServices{screen, dialogs, pictures,    events, clock, closer,     launcher,
                      unit0,  unit1,   sideWindows, tuner,  tray,  serial,     printer,
                      drive,  http,    windows,     stream, web,   linkOpener, embedded},
        store, prog.Path());
    windows.Attach(frm->SettingsLink(), frm->Gate());
    frm->Form_Load({});
  }
  void TearDown() override { windows.CloseAll(); }
};

TEST_F(SettingsWindowsTest, ThePreferencesShowEightTabsAndOnlyApplyChangesTheSettings) {
  frm->DoIt(5);
  FrmPrefView* prefs = windows.Prefs();
  ASSERT_NE(prefs, nullptr);
  EXPECT_TRUE(windows.PrefsShown());
  EXPECT_EQ(prefs->windowTitle(), "Varlo Prefs");
  QStringList tabs;
  for (int i = 0; i < prefs->Tabs()->count(); ++i) tabs << prefs->Tabs()->tabText(i);
  EXPECT_EQ(tabs,
            (QStringList{"Info", "Docs", "Options", "Auto", "Paths", "Player", "Halvern", "Misc"}));
  EXPECT_EQ(prefs->Logic().DocText(), "The guide.\n");

  QCheckBox* onTop = Named<QCheckBox>(prefs, "&Always on top");
  ASSERT_NE(onTop, nullptr);
  onTop->setChecked(true);
  EXPECT_EQ(frm->Settings().winOnTop, 0);
  Named<QPushButton>(prefs, "Apply")->click();
  EXPECT_EQ(frm->Settings().winOnTop, 1);

  // Unticked and closed without Apply: the setting stays as applied.
  onTop->setChecked(false);
  prefs->close();
  QApplication::processEvents();
  EXPECT_EQ(frm->Settings().winOnTop, 1);
  EXPECT_FALSE(windows.PrefsShown());
}

// Lets events run until the browser has the folder it asked for (read off the GUI thread).
bool FolderRead(FrmSkinBrowseView& browser) {
  QElapsedTimer timer;
  timer.start();
  while (browser.Logic().Reading() && timer.elapsed() < 5000)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  return !browser.Logic().Reading();
}

TEST_F(SettingsWindowsTest, SelectSkinOpensTheBrowserWhoseClickLoadsTheSkin) {
  frm->DoIt(6);
  FrmSkinBrowseView* browser = windows.Browser();
  ASSERT_NE(browser, nullptr);
  EXPECT_EQ(browser->windowTitle(), "Skin Browser");
  ASSERT_TRUE(FolderRead(*browser));
  EXPECT_FALSE(browser->CutNote()->isVisibleTo(browser));
  ASSERT_EQ(browser->List()->count(), 2);
  EXPECT_EQ(browser->List()->item(0)->text(), "DEFAULT > UI test");
  EXPECT_EQ(browser->List()->item(1)->text(), "SECOND > Another one");
  EXPECT_EQ(browser->Filter()->count(), 11);

  // The preferences open beside the browser show the skin it loads at once.
  frm->DoIt(5);
  ASSERT_TRUE(windows.PrefsShown());
  QApplication::processEvents();  // its activation, which refreshes it, is over
  const QString second = QString::fromStdString(prog.File("Second.SKIN"));
  EXPECT_EQ(Named<QLabel>(windows.Prefs(), second), nullptr);
  const QRect row = browser->List()->visualItemRect(browser->List()->item(1));
  QTest::mouseClick(browser->List()->viewport(), Qt::LeftButton, {}, row.center());
  EXPECT_EQ(frm->Settings().skin, prog.File("Second.SKIN"));
  EXPECT_EQ(browser->Comment()->text(), "Another one\nIts info line");
  EXPECT_NE(Named<QLabel>(windows.Prefs(), second), nullptr);
  EXPECT_NE(Named<QLabel>(windows.Prefs(), "Another one\nIts info line"), nullptr);

  browser->Filter()->setCurrentIndex(3);  // "Karaoke"
  emit browser->Filter()->activated(3);
  ASSERT_TRUE(FolderRead(*browser));
  ASSERT_EQ(browser->List()->count(), 1);
  EXPECT_EQ(browser->List()->item(0)->text(), "DEFAULT > UI test");
}

}  // namespace
}  // namespace varlo
