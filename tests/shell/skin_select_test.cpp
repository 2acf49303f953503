// Choosing skins: command 6 by browser or file dialog, the skin browser's list and the
// favourite slots.
#include "shell/skin_browser_form.h"
#include "tests/shell/shell_fixture.h"

namespace varlo {
namespace {

constexpr const char* kBody =
    "\n200,100,200,150,100,50\nmain.bmp,res.bmp\n0,1,0,0,0,0,0,0\n"
    "/,An info line\nE\n";

class SkinSelectTest : public ShellTest {
 protected:
  void WriteSkin(const std::string& file, const std::string& header) {
    prog.Write(file, header + kBody);
  }
};

TEST_F(SkinSelectTest, SelectSkinOpensTheBrowserUnlessItIsOffOrThePreferencesAreOpen) {
  WriteSkin("other.skin", "Varlo Skin/Player, Other");
  Start();
  form->DoIt(6);
  EXPECT_EQ(settingsWindows.browser, 1);  // "UseSkinBrowser" is on by default
  EXPECT_TRUE(dialogs.fileRequests.empty());

  settingsWindows.prefsShown = true;
  dialogs.fileAnswers = {prog.File("other.skin")};
  form->DoIt(6);
  EXPECT_EQ(settingsWindows.browser, 1);
  ASSERT_EQ(dialogs.fileRequests.size(), 1u);
  EXPECT_EQ(dialogs.fileRequests[0].title, "Select Skin");
  EXPECT_EQ(dialogs.fileRequests[0].filter, "Skin Files|*.skin");
  EXPECT_EQ(form->Settings().skin, prog.File("other.skin"));

  // Cancelled: the skin stays.
  settingsWindows.prefsShown = false;
  form->Settings().useSkinBrowser = 0;
  form->DoIt(6);
  EXPECT_EQ(dialogs.fileRequests.size(), 2u);
  EXPECT_EQ(form->Settings().skin, prog.File("other.skin"));

  form->DoIt(5);
  EXPECT_EQ(settingsWindows.prefs, 1);
}

TEST_F(SkinSelectTest, TheBrowserListsKindsAndLoadsFilesNamedInAnyCase) {
  WriteSkin("lower.skin", "Varlo Skin/Clock Player, Both kinds");
  WriteSkin("UPPER.SKIN", "Varlo Skin/NoPlayer, Not a player");
  WriteSkin("Legacy.Skin", "Tarnix Skin, From long ago");
  WriteSkin("shouting.skin", "TARNIX SKIN, Refused by the loader");
  WriteSkin("empty.skin", "Varlo Skin/, No kind");
  prog.Write("notes.skin", "Just some notes\n");
  Start();
  SkinBrowserForm browser(form->SettingsLink());
  int changes = 0;
  browser.onChanged = [&changes] { ++changes; };
  browser.Form_Load();
  std::vector<std::string> texts;
  for (const SkinEntry& e : browser.Entries()) texts.push_back(e.Text());
  EXPECT_EQ(texts, (std::vector<std::string>{"DEFAULT > Default", "EMPTY > No kind",
                                             "LEGACY > From long ago", "LOWER > Both kinds",
                                             "UPPER > Not a player"}));
  EXPECT_GT(changes, 0);

  browser.cboShType_Click(2);  // "Player": whole words only
  texts.clear();
  for (const SkinEntry& e : browser.Entries()) texts.push_back(e.name);
  EXPECT_EQ(texts, (std::vector<std::string>{"default", "Legacy", "lower"}));

  browser.cboShType_Click(9);  // "Clock"
  ASSERT_EQ(browser.Entries().size(), 1u);
  browser.List1_Click(0);
  EXPECT_EQ(form->Settings().skin, prog.File("lower.skin"));
  EXPECT_EQ(browser.Comment(), "Both kinds\nAn info line");

  browser.cboShType_Click(0);
  browser.List1_Click(4);
  EXPECT_EQ(form->Settings().skin, prog.File("UPPER.SKIN"));
  browser.List1_Click(99);  // no such row
  EXPECT_EQ(form->Settings().skin, prog.File("UPPER.SKIN"));
  // Every skin listed loads: the list and the loader take the same headers.
  for (int row = 0; row < static_cast<int>(browser.Entries().size()); ++row) {
    browser.List1_Click(row);
    EXPECT_EQ(form->Settings().skin, browser.Entries()[static_cast<std::size_t>(row)].path);
  }
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(browser.CutNote(), "");
}

TEST_F(SkinSelectTest, TheBrowserSaysWhenAFolderWasCut) {
  for (int i = 0; i < 4; ++i) WriteSkin("s" + std::to_string(i) + ".skin", "Varlo Skin/Player, S");
  Start();
  DirectSkinDirReader direct;
  SkinBrowserForm fewSkins(form->SettingsLink(), direct, {3, 1000});
  fewSkins.Form_Load();
  EXPECT_EQ(fewSkins.Entries().size(), 3u);
  EXPECT_EQ(fewSkins.CutNote(), "Only the first 3 skins are listed.");
  SkinBrowserForm fewEntries(form->SettingsLink(), direct, {1000, 2});
  fewEntries.Form_Load();
  EXPECT_EQ(fewEntries.CutNote(),
            "This folder holds more than 2 files: skins among the rest are not listed.");
}

// Reads that answer when the test says, in any order.
struct DeferredReader final : SkinDirReader {
  struct Asked {
    std::string filter;
    std::function<void()> done;
  };
  std::vector<Asked> asked;
  void Read(std::string folder, std::string filter, std::vector<std::string> favourites,
            SkinDirBounds bounds, std::function<void(SkinDir)> done) override {
    asked.push_back({filter, [=, done = std::move(done)] {
                       done(ReadSkinDir(folder, filter, favourites, bounds));
                     }});
  }
};

TEST_F(SkinSelectTest, TheListStaysUntilTheFolderIsReadAndAnOvertakenReadIsDropped) {
  WriteSkin("clock.skin", "Varlo Skin/Clock, Tick");
  Start();
  DeferredReader reader;
  SkinBrowserForm browser(form->SettingsLink(), reader);
  browser.Form_Load();
  EXPECT_TRUE(browser.Reading());
  EXPECT_EQ(browser.CutNote(), "Reading the skin folder...");
  EXPECT_TRUE(browser.Entries().empty());
  reader.asked[0].done();
  EXPECT_EQ(browser.Entries().size(), 2u);  // "All"
  EXPECT_EQ(browser.CutNote(), "");

  browser.cboShType_Click(2);  // "Player", then "Clock" before the first answers
  browser.cboShType_Click(9);
  EXPECT_EQ(browser.Entries().size(), 2u);  // the list shown stays meanwhile
  reader.asked[2].done();
  reader.asked[1].done();  // late: dropped
  ASSERT_EQ(browser.Entries().size(), 1u);
  EXPECT_EQ(browser.Entries()[0].name, "clock");
  EXPECT_FALSE(browser.Reading());
}

TEST_F(SkinSelectTest, TheFavouriteFilterShowsTheSlotsAndANewFolderRebuildsTheList) {
  WriteSkin("calculator.skin", "Varlo Skin/Calculator, Sums");
  WriteSkin("skins/far.skin", "Varlo Skin/Player, Far away");
  Start();
  // The bundled skins are preset in their slots; the missing ones leave theirs empty.
  EXPECT_EQ(form->Settings().favSkin[1], prog.File("default.skin"));
  EXPECT_EQ(form->Settings().favSkin[2], prog.File("calculator.skin"));
  EXPECT_EQ(form->Settings().favSkin[6], "");
  SkinBrowserForm browser(form->SettingsLink());
  browser.Form_Load();
  browser.cboShType_Click(1);
  EXPECT_EQ(browser.Entries().size(), 2u);

  int folderChanges = 0;
  browser.onFolderChanged = [&folderChanges] { ++folderChanges; };
  browser.SetSDir_Click();  // cancelled
  EXPECT_EQ(folderChanges, 0);
  dialogs.folderAnswer = prog.File("skins");
  browser.cboShType_Click(0);
  browser.SetSDir_Click();
  EXPECT_EQ(folderChanges, 1);
  EXPECT_EQ(form->Settings().skinPath, prog.File("skins"));
  ASSERT_EQ(browser.Entries().size(), 1u);
  EXPECT_EQ(browser.Entries()[0].Text(), "FAR > Far away");
}

TEST_F(SkinSelectTest, FavouriteSlotsLoadTheirSkinsAndIgnoreMissingFiles) {
  WriteSkin("zero.skin", "Varlo Skin/Player, Slot zero");
  Preset("FavSkin0=" + prog.File("zero.skin") + "\nFavSkin9=" + prog.File("gone.skin") + "\n");
  Start();
  form->Tray().Choose(kFavouriteSkinItem + 0);
  EXPECT_EQ(form->Settings().skin, prog.File("zero.skin"));
  form->Tray().Choose(kFavouriteSkinItem + 9);
  EXPECT_EQ(form->Settings().skin, prog.File("zero.skin"));
  EXPECT_TRUE(dialogs.messages.empty());
}

}  // namespace
}  // namespace varlo
