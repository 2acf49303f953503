// The tray icon and the popup menu inside the main window.
#include "shell_fixture.h"

namespace varlo {
namespace {

const TrayMenuItem* Find(const TrayMenu& menu, const std::string& caption) {
  for (const TrayMenuItem& item : menu) {
    if (item.caption == caption) return &item;
    if (const TrayMenuItem* inner = Find(item.items, caption)) return inner;
  }
  return nullptr;
}

TEST_F(ShellTest, TheMenuListsEveryItemInOrderAndDisablesModesNotPresent) {
  Start();
  ASSERT_TRUE(tray.shown);
  EXPECT_EQ(tray.tip, "Varlo");
  const TrayMenu menu = form->Tray().Menu();
  std::vector<std::string> top;
  for (const TrayMenuItem& item : menu) top.push_back(item.caption);
  EXPECT_EQ(top, (std::vector<std::string>{"&Preferences...", "Select S&kin...", "&Favorite Skin",
                                           "&Player", "&Calculator", "&Notepad", "&Timers",
                                           "&FM Tuner", "&Web Browser", "&Minimize Window",
                                           "&Always On Top", "&Quit"}));
  EXPECT_EQ(menu[3].items.size(), 13u);
  EXPECT_EQ(menu[3].items[5].caption, "&Visual Playlist Selector...");
  EXPECT_TRUE(menu[3].items[5].enabled);
  EXPECT_TRUE(menu[3].items[0].enabled);
  EXPECT_EQ(menu[3].items[0].id, 12);
  EXPECT_TRUE(menu[0].enabled);  // the preferences and skin selection are there
  EXPECT_TRUE(menu[1].enabled);
  EXPECT_FALSE(Find(menu, "&Calculator")->enabled);
  // The browser is part of the program: its menu and the store toggle it owns are offered.
  EXPECT_TRUE(Find(menu, "&Web Browser")->enabled);
  EXPECT_TRUE(Find(menu, "Searc&h")->enabled);
  EXPECT_EQ(menu[7].caption, "&FM Tuner");
  EXPECT_TRUE(menu[7].enabled);
  EXPECT_EQ(Find(menu, "Tune Up")->id, 83);
  EXPECT_TRUE(Find(menu, "&Quit")->enabled);
  EXPECT_EQ(menu[2].items.size(), 10u);
  EXPECT_EQ(menu[2].items[5].caption, "&FM Tuner");

  // Choosing an item runs its command.
  form->Tray().Choose(83);
  EXPECT_EQ(form->Fm().Frequency(), 871);
  form->Tray().Choose(1);
  EXPECT_EQ(window.closes, 1);
}

TEST_F(ShellTest, AlwaysOnTopTogglesAndAStoredMinusOneCountsAsOn) {
  Preset("WinOnTop=-1\n");
  Start();
  EXPECT_TRUE(form->Form().window.onTop);
  EXPECT_TRUE(Find(form->Tray().Menu(), "&Always On Top")->checked);
  form->Tray().Choose(kOnTopItem);
  EXPECT_FALSE(form->Form().window.onTop);
  EXPECT_FALSE(Find(form->Tray().Menu(), "&Always On Top")->checked);
  EXPECT_EQ(form->Settings().winOnTop, 0);
  form->Tray().Choose(kOnTopItem);
  EXPECT_TRUE(form->Form().window.onTop);
  EXPECT_EQ(form->Settings().winOnTop, 1);
  form->Tray().Choose(kOnTopItem);
  Stop();
  EXPECT_EQ(Stored("WinOnTop"), "0");
}

TEST_F(ShellTest, FavouritesLoadTheirSkinsAndTheBundledOnesArePreset) {
  prog.Write("fm.skin",
             "Varlo Skin/Halvern, FM\n100,50,100,50,100,50\nmain.bmp,res.bmp\n"
             "0,1,0,0,0,0,0,0\nX6,0,0,50,20,0,0,0,0,0,0,8,Sans,p\nE\n");
  prog.Write("mine.skin",
             "Varlo Skin/Player, Mine\n300,100,300,100,300,100\nmain.bmp,res.bmp\n"
             "0,1,0,0,0,0,0,0\nE\n");
  Preset("FavSkin0=" + prog.File("mine.skin") + "\nFavSkin3=" + prog.File("gone.skin") + "\n");
  Start();
  EXPECT_EQ(form->Settings().favSkin[1], prog.File("default.skin"));
  EXPECT_EQ(form->Settings().favSkin[5], prog.File("fm.skin"));
  const TrayMenu menu = form->Tray().Menu();
  EXPECT_TRUE(menu[2].items[0].enabled);
  EXPECT_FALSE(menu[2].items[3].enabled);  // a missing file
  EXPECT_FALSE(menu[2].items[9].enabled);  // an empty slot
  form->Tray().Choose(kFavouriteSkinItem + 0);
  EXPECT_EQ(form->Form().window.width, 300 * 15);  // twips
  form->Tray().Choose(kFavouriteSkinItem + 5);
  EXPECT_TRUE(form->Access().ListVisible(FormList::FmPreset));
  form->Tray().Choose(kFavouriteSkinItem + 3);  // nothing happens
  EXPECT_TRUE(form->Access().ListVisible(FormList::FmPreset));
}

TEST_F(ShellTest, TheWindowsRightButtonAndButton38OpenTheMenuWhereTheyAre) {
  Preset("NoRMB=1\n");
  Start();
  form->Form_MouseDown(2, 10, 10);
  EXPECT_TRUE(tray.popups.empty());
  Stop();
  Preset("");
  Start();
  form->Form().window.left = 1500;  // 100 pixels at 15 twips a pixel
  form->Form().window.top = 300;
  form->Form_MouseDown(2, 10, 12);
  ASSERT_EQ(tray.popups.size(), 1u);
  EXPECT_EQ(tray.popups[0].x, 110);
  EXPECT_EQ(tray.popups[0].y, 32);
  EXPECT_EQ(tray.popups[0].menu.size(), 12u);
  // Command 38 opens it at the corner of the button that carries code 38, wherever the skin
  // put that button among its slots; slot 38 is another button, or one an older skin left.
  ButtonWidget& menuButton = form->Form().btn[3];
  menuButton.code = 38;
  menuButton.visible = true;
  menuButton.Place(40, 5, 10, 10);
  form->Form().btn[38].code = 12;
  form->Form().btn[38].visible = true;
  form->Form().btn[38].Place(70, 30, 10, 10);
  ButtonWidget& hidden = form->Form().btn[2];
  hidden.code = 38;
  hidden.visible = false;
  hidden.Place(90, 40, 10, 10);
  form->DoIt(38);
  ASSERT_EQ(tray.popups.size(), 2u);
  EXPECT_EQ(tray.popups[1].x, 140);
  EXPECT_EQ(tray.popups[1].y, 25);
}

TEST_F(ShellTest, TheIconBringsAHiddenOrMinimisedWindowBack) {
  Start();
  form->Tray().Activate();  // in view: nothing changes
  EXPECT_EQ(form->Form().window.restoreRequests, 0);
  EXPECT_TRUE(form->Form().window.trayPresent);
  form->DoIt(2);
  EXPECT_FALSE(form->Form().window.shown);
  form->Tray().Activate();
  EXPECT_TRUE(form->Form().window.shown);
  EXPECT_EQ(form->Form().window.restoreRequests, 1);
  form->Form_WindowState(true);
  form->Tray().Activate();
  EXPECT_FALSE(form->Form().window.minimised);
  EXPECT_EQ(form->Form().window.restoreRequests, 2);

  // The tip the player computes, cut on a character boundary.
  form->Tray().SetTrayTip(std::string(62, 'a') + "\xc3\xa9" + "tail");
  EXPECT_EQ(tray.tip, std::string(62, 'a'));
}

TEST_F(ShellTest, WithoutANotificationAreaHidingMinimises) {
  tray.available = false;
  ::testing::internal::CaptureStderr();
  Start();
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("no notification area"), std::string::npos);
  EXPECT_FALSE(tray.shown);
  EXPECT_FALSE(form->Form().window.trayPresent);
  form->Form_MouseDown(2, 1, 1);  // the window's menu still opens
  EXPECT_EQ(tray.popups.size(), 1u);
}

TEST_F(ShellTest, TheExternalDisplayGreetsAndEndsWithAnEmptyFrame) {
  Preset("ExEnable=1\nExDevice=/dev/pts/77\nExParm=4800,N,8,1\n");
  Start();
  EXPECT_EQ(serial.opened, std::vector<std::string>{"/dev/pts/77"});
  EXPECT_EQ(serial.line.baud, 4800);
  EXPECT_EQ(serial.written, "<ID01><PA><CG>  Welcome to Varlo!   \r\n");
  Stop();
  EXPECT_EQ(serial.written.substr(serial.written.size() - 21), "<ID01><PA><CG>     \r\n");
  EXPECT_FALSE(serial.open);
  EXPECT_EQ(Stored("ExDevice"), "/dev/pts/77");
}

}  // namespace
}  // namespace varlo
