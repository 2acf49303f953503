#include "skin_test_fixture.h"

namespace varlo {

TEST_F(SkinLoaderTest, BothHeadersAreAcceptedAndCaseMatters) {
  loader.LoadSkin(Write("a.skin", Skin("E\n", "Varlo Skin/Player Clock, A")), true);
  EXPECT_EQ(settings.skin, prog.File("a.skin"));
  loader.LoadSkin(Write("b.skin", Skin("E\n", "Tarnix Skin, B")), true);
  EXPECT_EQ(settings.skin, prog.File("b.skin"));
  EXPECT_EQ(loader.State().lastSkin, prog.File("a.skin"));
  EXPECT_TRUE(dialogs.messages.empty());

  form.window.left = 1234;
  loader.LoadSkin(Write("c.skin", Skin("B5,0,0,5,5,0,0,X,tip\nE\n", "varlo skin")), true);
  EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{"Invalid Skin!"});
  EXPECT_EQ(settings.skin, prog.File("b.skin"));  // nothing changed
  EXPECT_EQ(form.window.left, 1234);
  EXPECT_FALSE(form.btn[1].visible);
  loader.LoadSkin(Write("empty.skin", ""), true);
  EXPECT_EQ(dialogs.messages.size(), 2u);
}

TEST_F(SkinLoaderTest, DescriptionSitsAfterTheHeaderOrOnTheNextLine) {
  Load("/,first info\n/,second info\n/no comma\nswallowed\nE\n");
  EXPECT_EQ(loader.State().infoText, "Test skin\nfirst info\nsecond info\nswallowed");
  Write("alone.skin",
        "Varlo Skin\nA description, with a comma\n100,50,1,1,1,1\nmain.bmp,res.bmp\n0,0,0,0,0,0,0,"
        "0\nE\n");
  loader.LoadSkin("alone.skin", true);
  EXPECT_EQ(loader.State().infoText, "A description, with a comma");
  EXPECT_EQ(form.window.width, 1500);
}

TEST_F(SkinLoaderTest, MissingSkinsAndBitmapsAreReported) {
  settings.skinPath = "/nowhere";
  loader.LoadSkin("gone.skin", false);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, "Skin not found!\rSkinName=gone.skin\rSkinPath=/nowhere");
  EXPECT_TRUE(settings.skin.empty());

  // A skin missing from the skin folder is looked for by name in the program folder.
  Write("found.skin", Skin("E\n"));
  loader.LoadSkin("/elsewhere/found.skin", false);
  EXPECT_EQ(settings.skin, prog.File("found.skin"));

  Write("nobmp.skin", "Varlo Skin, x\n10,10,10,10,10,10\nnone.bmp,res.bmp\n0,0,0,0,0,0,0,0\nE\n");
  loader.LoadSkin(prog.File("nobmp.skin"), false);
  EXPECT_EQ(dialogs.messages.back().text, "Main bitmap not found: " + prog.File("none.bmp"));
  EXPECT_EQ(form.window.picture.width, 100);  // the previous bitmap stays
}

TEST_F(SkinLoaderTest, BitmapNamesMatchWhateverTheirCaseAndExactNamesComeFirst) {
  // A skin written on Windows: "Main.BMP" and "Art\\RES.bmp" name main.bmp and art/res.bmp.
  AddPicture("art/res.bmp", Picture(7, 7, 5));
  AddPicture("Pieces/Knob.Bmp", Picture(3, 3, 6));
  const std::string head =
      "Varlo Skin, Windows\n10,10,10,10,10,10\nMain.BMP,Art\\RES.bmp\n"
      "0,0,0,0,0,0,0,0\n";
  loader.LoadSkin(Write("win.skin", head + "E\n"), false);
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(loader.State().mainBitmapPath, prog.File("main.bmp"));
  EXPECT_EQ(loader.State().resBitmapPath, prog.File("art/res.bmp"));
  EXPECT_EQ(form.window.resBitmap.width, 7);
  loader.LoadSkin(Write("r.skin", head + "R1,pieces/knob.bmp\n?0,MISSING\nU\n:MISSING\nE\n"),
                  false);
  EXPECT_EQ(form.window.resBitmap.width, 3);  // "R" found the knob and "U" used it

  // With both spellings present the exact one is taken; a name of no case is reported.
  AddPicture("MAIN.BMP", Picture(9, 9, 7));
  Write("exact.skin",
        "Varlo Skin, x\n10,10,10,10,10,10\nMAIN.BMP,nothing.bmp\n0,0,0,0,0,0,0,0\nE\n");
  loader.LoadSkin(prog.File("exact.skin"), false);
  EXPECT_EQ(form.window.picture.width, 9);
  EXPECT_EQ(dialogs.Texts(),
            std::vector<std::string>{"Resource bitmap not found: " + prog.File("nothing.bmp")});
}

TEST_F(SkinLoaderTest, BitmapsAreReloadedOnlyWhenTheirPathChanges) {
  Load("E\n");
  EXPECT_EQ(pictures.loads.size(), 2u);
  Load("E\n");
  EXPECT_EQ(pictures.loads.size(), 2u);
  EXPECT_EQ(form.window.picture.width, 100);
  EXPECT_EQ(form.window.resBitmap.width, 64);
}

TEST_F(SkinLoaderTest, StarNamesTakeTheScreenWidth) {
  screen.width = 1280;
  Write("Mini1280.skin", Skin("E\n"));
  loader.LoadSkin("Mini*", false);
  EXPECT_EQ(settings.skin, prog.File("Mini1280.skin"));
}

TEST_F(SkinLoaderTest, TheSkinFolderComesFromTheSettingThenTheLastSkin) {
  testing::TempDir skins;
  skins.Write("blue.skin", Skin("E\n"));
  pictures.pictures[skins.Write("main.bmp", "p")] = Picture(7, 7);
  pictures.pictures[skins.Write("res.bmp", "p")] = Picture(7, 7);
  settings.skinPath = skins.Path();
  loader.LoadSkin("blue.skin", false);
  EXPECT_EQ(settings.skin, skins.File("blue.skin"));
  EXPECT_EQ(form.window.picture.width, 7);  // bitmaps come from the skin's own folder
  settings.skinPath.clear();
  skins.Write("green.skin", Skin("E\n"));
  loader.LoadSkin("green.skin", false);  // relative to the folder of the last skin
  EXPECT_EQ(settings.skin, skins.File("green.skin"));
}

TEST_F(SkinLoaderTest, WindowIsSizedPlacedAndHeldOnScreen) {
  Load("E\n");
  EXPECT_EQ(form.tables.windowSizes[0].width, 1500);
  EXPECT_EQ(form.tables.windowSizes[2].height, 150);
  EXPECT_EQ(form.window.left, (1024 * 15 - 1500) / 2);  // placement 5 centres
  EXPECT_TRUE(form.window.placed);  // the skin chose the place: the view moves the window there
  EXPECT_EQ(form.window.backColour, MakeColour(10, 20, 30));
  EXPECT_EQ(form.coolFlag, 1);

  // Sizes beyond 32767 twips are kept whole, and a window wider than the screen sits at 0.
  Write("big.skin", "Varlo Skin, big\n3000,2000,1,1,1,1\nmain.bmp,res.bmp\n3,0,0,0,0,0,0,0\nE\n");
  loader.LoadSkin("big.skin", true);
  EXPECT_EQ(form.window.width, 45000);
  EXPECT_EQ(form.window.height, 30000);
  EXPECT_EQ(form.window.left, 0);
  EXPECT_EQ(form.window.top, 0);

  form.window.left = 500;
  Write("keep.skin", "Varlo Skin, k\n10,10,1,1,1,1\nmain.bmp,res.bmp\n9,0,0,0,0,0,0,0\nE\n");
  loader.LoadSkin("keep.skin", true);
  EXPECT_EQ(form.window.left, 500);
  form.window.left = 15300;
  loader.LoadSkin("keep.skin", true);
  EXPECT_EQ(form.window.left, 1024 * 15 - 150);
}

TEST_F(SkinLoaderTest, TimerOneIsHeldOffDuringTheLoad) {
  form.window.timer1Enabled = true;
  bool sawRunning = false;
  events.during = [&] { sawRunning = sawRunning || form.window.timer1Enabled; };
  Load("E\n");
  EXPECT_GT(events.calls, 0);
  EXPECT_FALSE(sawRunning);
  EXPECT_TRUE(form.window.timer1Enabled);
  EXPECT_EQ(host.paints, 1);
  EXPECT_EQ(host.lights, 1);
  EXPECT_EQ(host.resets, 1);
  form.window.timer1Enabled = false;  // before start-up has enabled it, it stays off
  Load("E\n");
  EXPECT_FALSE(form.window.timer1Enabled);
}

TEST_F(SkinLoaderTest, ImportSkinsUseTheSavedFolderOrAsk) {
  Load("E\n");
  testing::TempDir other;
  pictures.pictures[other.Write("theirs.bmp", "p")] = Picture(30, 20, MakeColour(5, 5, 5));
  const std::string import =
      "Varlo Skin, imported\n30,20,1,1,1,1\n*,/start,Their skins|*.wsz,theirs.bmp\n"
      "0,0,0,0,0,0,0,0\n"
      "R2,theirs.bmp\nW0,30,20\nZ0,0,0,30,20,0,0\nW1,10,10\nZ1,5,5,10,10,0,0\nU\nE\n";
  Write("imp.skin", import);

  settings.skinImport = other.Path();
  loader.LoadSkin("imp.skin", true);
  EXPECT_TRUE(dialogs.fileRequests.empty());
  EXPECT_EQ(form.window.picture.width, 30);
  EXPECT_EQ(form.window.picture.At(3, 3), MakeColour(5, 5, 5));
  EXPECT_EQ(form.window.resBitmap.width, 10);

  testing::TempDir chosen;
  pictures.pictures[chosen.Write("theirs.bmp", "p")] = Picture(30, 20, MakeColour(6, 6, 6));
  dialogs.fileAnswers = {chosen.File("theirs.wsz")};
  loader.LoadSkin("imp.skin", false);
  ASSERT_EQ(dialogs.fileRequests.size(), 1u);
  EXPECT_EQ(dialogs.fileRequests[0].title, "Import Skin");
  EXPECT_EQ(dialogs.fileRequests[0].initialDir, "/start");
  EXPECT_EQ(dialogs.fileRequests[0].filter, "Their skins|*.wsz");
  EXPECT_EQ(dialogs.fileRequests[0].initialName, "theirs.bmp");
  EXPECT_EQ(settings.skinImport, chosen.Path() + "/");
  EXPECT_EQ(form.window.picture.At(0, 0), MakeColour(6, 6, 6));

  loader.LoadSkin("imp.skin", false);  // cancelled: the import folder stays
  EXPECT_EQ(settings.skinImport, chosen.Path() + "/");

  // After an imported skin, a normal skin loads its bitmaps again.
  Load("E\n");
  EXPECT_EQ(form.window.picture.width, 100);
}

}  // namespace varlo
