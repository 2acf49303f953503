// The preferences window's logic inside the main window: what Apply and Okay copy, the
// controls that act at once, the on/off schedule and the documents.
#include <fstream>
#include <sstream>

#include "shell/prefs_form.h"
#include "tests/shell/shell_fixture.h"

namespace varlo {
namespace {

class PrefsTest : public ShellTest {
 protected:
  std::unique_ptr<PrefsForm> prefs;

  void Open() {
    prefs = std::make_unique<PrefsForm>(form->SettingsLink());
    prefs->Form_Load();
    prefs->Form_Activate();
  }
  // Every control that "Apply" copies, set away from its default.
  void EditEveryCopiedControl() {
    PrefsFields& f = prefs->Fields();
    f.noRMB = f.autoPlay = f.exEnable = f.scrollName = f.tagCover = f.autoEn = f.clrPl = true;
    f.saveWin = f.snap = f.startMin = f.timeFmt = f.useCDP = f.onTop = f.minOnSnz = true;
    f.fmEnable = f.autoCover = f.contPB = true;
    f.friendly = f.useSkinB = f.useCDDB = false;
    f.exDev = 1;
    f.exPort = 2;
    f.exParm = "9600,n,8,1";
    f.pbOverlap = "1500";
    f.skinPath = prog.File("skins");
    f.snoozeAt = "06:45";
    f.startFile = "/music/morning";
    f.mciDev = 2;
    f.visPLD = "/music/covers";
    f.exMute = 2;
    f.startFreq = "101.1";
    f.validExt = "ogg flac";
    f.startPMd = 2;
    f.cddbCmd = "http://localhost/cddb?cmd=";
    f.email = "me@example.org";
    f.startPreset = "7";
    f.replayGain = 2;
  }
  std::string StoredFile() {
    std::ifstream in(SettingsPath());
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
};

TEST_F(PrefsTest, ApplyAndOkayCopyTheSameSettingsIncludingTheCddbTextsPresetAndContinuousPlay) {
  Start();
  Open();
  EditEveryCopiedControl();
  prefs->cmdApply_Click();
  const AppSettings& s = form->Settings();
  EXPECT_EQ(s.noRMB, 1);
  EXPECT_EQ(s.friendlyNames, 0);
  EXPECT_EQ(s.useSkinBrowser, 0);
  EXPECT_EQ(s.exPort, 2);
  EXPECT_EQ(s.pbOverlap, 1500);
  EXPECT_EQ(s.skinPath, prog.File("skins"));
  EXPECT_EQ(s.mciDevice, "2");
  EXPECT_EQ(s.startPMd, 2);
  EXPECT_EQ(s.cddbCmd, "http://localhost/cddb?cmd=");
  EXPECT_EQ(s.emailID, "me@example.org");
  EXPECT_EQ(s.startPreset, 7);
  EXPECT_EQ(s.contPB, 1);
  EXPECT_EQ(s.replayGain, 2);
  EXPECT_TRUE(form->Form().window.onTop);  // Apply puts the window on top as it says
  // and both devices level by album gain from then on.
  EXPECT_EQ(unit0.replayGain, ReplayGain::Album);
  EXPECT_EQ(unit1.replayGain, ReplayGain::Album);
  Stop();
  const std::string applied = StoredFile();

  // The same edits confirmed with "Okay" store the same file, and close the window.
  config.Write("varlo.ini", "");
  Start();
  Open();
  bool closed = false;
  prefs->onClose = [&closed] { closed = true; };
  EditEveryCopiedControl();
  prefs->cmdOK_Click();
  EXPECT_TRUE(closed);
  Stop();
  EXPECT_EQ(StoredFile(), applied);
}

TEST_F(PrefsTest, ClosingWithoutApplyKeepsTheSettingsExceptTheControlsThatActAtOnce) {
  Start();
  const AppSettings before = form->Settings();
  Open();
  EditEveryCopiedControl();
  prefs->StartOpt_Click(2);
  prefs->TuneOpt_Click(1);
  prefs->SnzMd_Click(1);
  prefs->cbAutoCloseQF_Click(true);
  prefs->cboSkinPath_Click(8);
  prefs->txtFavSkin_Change("/skins/mine.skin");
  prefs->Form_Unload();
  prefs.reset();
  const AppSettings& s = form->Settings();
  EXPECT_EQ(s.noRMB, before.noRMB);
  EXPECT_EQ(s.cddbCmd, before.cddbCmd);
  EXPECT_EQ(s.skinPath, before.skinPath);
  EXPECT_EQ(s.winOnTop, before.winOnTop);
  EXPECT_FALSE(form->Form().window.onTop);
  EXPECT_EQ(s.startMd, 2);
  EXPECT_EQ(s.fmTuneMd, 1);
  EXPECT_EQ(s.snoozeMode, 1);
  EXPECT_EQ(s.autoCloseQF, 1);
  EXPECT_EQ(s.favSkin[8], "/skins/mine.skin");
}

// "WinOnTop" other than 0 is on here as in the tray: the box is ticked, and Apply for another
// change keeps the window on top.
TEST_F(PrefsTest, AnyWinOnTopButZeroTicksTheBoxAndApplyKeepsItOn) {
  Preset("WinOnTop=-1\n");
  Start();
  ASSERT_TRUE(form->Form().window.onTop);
  Open();
  EXPECT_TRUE(prefs->Fields().onTop);
  prefs->Fields().noRMB = true;
  prefs->cmdApply_Click();
  EXPECT_NE(form->Settings().winOnTop, 0);
  EXPECT_TRUE(form->Form().window.onTop);
  const TrayMenu menu = form->Tray().Menu();
  ASSERT_EQ(menu[10].caption, "&Always On Top");
  EXPECT_TRUE(menu[10].checked);
}

TEST_F(PrefsTest, ReplayGainIsShownAndReachesTheDevicesFromTheStart) {
  Preset("ReplayGain=1\n");
  Start();
  EXPECT_EQ(unit0.replayGain, ReplayGain::Track);
  EXPECT_EQ(unit1.replayGain, ReplayGain::Track);
  Open();
  EXPECT_EQ(prefs->Fields().replayGain, 1);
  prefs->Fields().replayGain = 0;
  prefs->cmdApply_Click();
  EXPECT_EQ(unit0.replayGain, ReplayGain::Off);
  Stop();
  EXPECT_EQ(Stored("ReplayGain"), "0");

  // A value no choice stands for plays the files as they are and shows as off.
  Preset("ReplayGain=7\n");
  Start();
  EXPECT_EQ(unit0.replayGain, ReplayGain::Off);
  Open();
  EXPECT_EQ(prefs->Fields().replayGain, 0);
}

TEST_F(PrefsTest, OverlapIsClampedAndTextsThatAreNoNumberCountAsZero) {
  Start();
  Open();
  prefs->Fields().pbOverlap = "99999";
  prefs->cmdApply_Click();
  EXPECT_EQ(form->Settings().pbOverlap, kMaxOverlapMs);
  EXPECT_EQ(prefs->Fields().pbOverlap, std::to_string(kMaxOverlapMs));  // shown as kept
  prefs->Fields().pbOverlap = "-20";
  prefs->cmdApply_Click();
  EXPECT_EQ(form->Settings().pbOverlap, 0);
  prefs->Fields().pbOverlap = "soon";
  prefs->Fields().startPreset = "five";
  prefs->cmdApply_Click();
  EXPECT_EQ(form->Settings().pbOverlap, 0);
  EXPECT_EQ(form->Settings().startPreset, 0);
}

TEST_F(PrefsTest, ScheduleEntriesAreCheckedWhenAddedAndWrittenToTheAutoListExactly) {
  Start();
  Open();
  PrefsFields& f = prefs->Fields();
  EXPECT_EQ(f.ooDay, 9);  // "E - Every Day"

  // Both times "00:00": nothing is added, and nothing is said.
  prefs->OOAddBtn_Click();
  EXPECT_TRUE(f.ooList.empty());
  EXPECT_TRUE(dialogs.messages.empty());

  // A time without its leading zero, a minute past 59 and a preset of three digits are
  // refused with a message.
  for (const auto& [on, off, preset] :
       {std::tuple{"7:30", "08:00", "1"}, std::tuple{"07:30", "08:60", "1"},
        std::tuple{"07:30", "08:00", "100"}, std::tuple{"24:00", "08:00", "1"}}) {
    dialogs.messages.clear();
    f.ooOnTime = on;
    f.ooOffTime = off;
    f.ooPreset = preset;
    prefs->OOAddBtn_Click();
    EXPECT_TRUE(f.ooList.empty()) << on << " " << off << " " << preset;
    EXPECT_EQ(dialogs.messages.size(), 1u) << on << " " << off << " " << preset;
  }

  f.ooDay = 0;
  f.ooOnTime = "07:30";
  f.ooOffTime = "08:15";
  f.ooPreset = "5";
  prefs->OOAddBtn_Click();
  f.ooDay = 8;
  f.ooOnTime = "22:00";
  f.ooOffTime = "00:00";
  f.ooPreset = "";  // no number: preset 0
  prefs->OOAddBtn_Click();
  EXPECT_EQ(form->AutoList(), (std::vector<std::string>{"M 07:30 08:15 05", "N 22:00 00:00 00"}));
  Stop();
  std::ifstream in(prog.File("autolist.txt"), std::ios::binary);
  std::stringstream written;
  written << in.rdbuf();
  EXPECT_EQ(written.str(), "M 07:30 08:15 05\r\nN 22:00 00:00 00\r\n");
}

TEST_F(PrefsTest, DeleteNeedsASelectionAndActivationRefillsTheListWithoutDoubling) {
  prog.Write("autolist.txt", "M 07:30 08:15 05\r\nT 07:30 08:15 05\r\nE 12:00 13:00 01\r\n");
  Start();
  Open();
  prefs->Form_Activate();  // activated again: the list is not appended twice
  PrefsFields& f = prefs->Fields();
  ASSERT_EQ(f.ooList.size(), 3u);
  f.ooSelected = -1;
  prefs->OODelBtn_Click();
  EXPECT_EQ(form->AutoList().size(), 3u);

  f.ooSelected = 2;  // the last: its neighbour above is selected next
  prefs->OODelBtn_Click();
  EXPECT_EQ(f.ooSelected, 1);
  f.ooSelected = 0;
  prefs->OODelBtn_Click();
  EXPECT_EQ(f.ooSelected, 0);
  EXPECT_EQ(form->AutoList(), (std::vector<std::string>{"T 07:30 08:15 05"}));
  prefs->OODelBtn_Click();
  EXPECT_EQ(f.ooSelected, -1);
  EXPECT_TRUE(form->AutoList().empty());
}

TEST_F(PrefsTest, TheTunerCardIsSetUpAgainWhenItsTypeOrAddressChanges) {
  Start();
  Open();
  tuner.calls.clear();
  EXPECT_EQ(CardAddresses(2), (std::array<std::string, 2>{"30Ch (default)", "20Ch (alternate)"}));
  EXPECT_EQ(CardAddresses(0), (std::array<std::string, 2>{"350h (default)", "358h (alternate)"}));
  prefs->CrdAddr_Click(1);
  prefs->CrdTyp_Click(2);  // a new type starts at its default address
  EXPECT_EQ(form->Settings().cardType, 2);
  EXPECT_EQ(form->Settings().cardPort, 0);
  EXPECT_EQ(prefs->Fields().cardPort, 0);
  EXPECT_EQ(tuner.calls, (std::vector<std::string>{"type 0", "port " + std::to_string(0x358),
                                                   "type 2", "port " + std::to_string(0x30C)}));
}

// The external display's port settings act on Apply: a new port or line is opened at once and
// shows the last text again, and a sign switched off lets its device go.
TEST_F(PrefsTest, TheExternalDisplaysPortFollowsApplyAtOnce) {
  Preset("ExEnable=1\nExParm=9600,N,8,1\n");
  Start();
  ASSERT_EQ(serial.opened, std::vector<std::string>{"/dev/ttyS0"});
  Open();
  prefs->Fields().exPort = 1;
  prefs->cmdApply_Click();
  EXPECT_EQ(serial.opened, (std::vector<std::string>{"/dev/ttyS0", "/dev/ttyS1"}));
  EXPECT_EQ(serial.closes, 1);
  EXPECT_TRUE(serial.IsOpen());
  const std::string frame = "<ID01><PA><CG>  Welcome to Varlo!   \r\n";
  EXPECT_EQ(serial.written, frame + frame);
  prefs->Fields().exParm = "19200,N,8,1";
  prefs->cmdApply_Click();
  EXPECT_EQ(serial.line.baud, 19200);
  EXPECT_EQ(serial.opened.size(), 3u);
  prefs->cmdApply_Click();  // nothing changed: the port stays as it is
  EXPECT_EQ(serial.opened.size(), 3u);
  prefs->Fields().exEnable = false;
  prefs->cmdApply_Click();
  EXPECT_FALSE(serial.IsOpen());
  EXPECT_EQ(serial.opened.size(), 3u);
}

TEST_F(PrefsTest, DocumentsComeFromTheProgramFolderAndAMissingOneSaysSo) {
  prog.Write("varlo.txt", "The guide.\n");
  prog.Write("faq.txt", "Questions.\n");
  Start();
  Open();
  EXPECT_EQ(prefs->DocIndex(), 0);
  EXPECT_EQ(prefs->DocText(), "The guide.\n");
  prefs->optView_Click(3);
  EXPECT_EQ(prefs->DocText(), "Questions.\n");
  prefs->optView_Click(4);
  EXPECT_EQ(prefs->DocText(), "Could not open file!");
}

TEST_F(PrefsTest, OpeningChoosesThirtySnoozeMinutesAndTheSnoozeBoxActsAtOnce) {
  Start();
  Open();
  EXPECT_EQ(prefs->Fields().snzMin, 5);
  EXPECT_EQ(form->Clock().SleepTimer().ChosenMinutes(), 30);
  prefs->SnzMin_Click(8);
  EXPECT_EQ(form->Clock().SleepTimer().ChosenMinutes(), 60);
  prefs->cbSnoozeEn_Click(true);
  EXPECT_EQ(form->Settings().snooze, 1);
}

TEST_F(PrefsTest, ApplyKeepsASkinFolderChosenInTheBrowserMeanwhile) {
  Start();
  Open();
  // The browser changes the folder while the preferences are open.
  form->Settings().skinPath = "/skins/new";
  prefs->Fields().onTop = true;
  prefs->cmdApply_Click();
  EXPECT_EQ(form->Settings().skinPath, "/skins/new");
  EXPECT_EQ(prefs->Fields().skinPath, "/skins/new");
  // A folder typed here afterwards is taken.
  prefs->Fields().skinPath = "/skins/typed";
  prefs->cmdApply_Click();
  EXPECT_EQ(form->Settings().skinPath, "/skins/typed");
}

TEST_F(PrefsTest, FoldersAndFilesComeFromTheDialogsAndCancellingChangesNothing) {
  Start();
  Open();
  prefs->cSetSkinDir_Click();
  EXPECT_EQ(dialogs.folderPrompts.back(), "Select Skin Directory:");
  EXPECT_EQ(prefs->Fields().skinPath, "");
  dialogs.folderAnswer = "/music";
  prefs->cSetVPD_Click();
  prefs->cSelDir_Click();
  EXPECT_EQ(dialogs.folderPrompts.back(), "Select Start File/Directory:");
  EXPECT_EQ(prefs->Fields().visPLD, "/music");
  EXPECT_EQ(prefs->Fields().startFile, "/music");
  dialogs.fileAnswers = {std::string("/skins/a.skin")};
  prefs->cboSkinPath_Click(0);
  prefs->FavSel_Click();
  EXPECT_EQ(dialogs.fileRequests.back().title, "Select Favorite Skin");
  EXPECT_EQ(form->Settings().favSkin[0], "/skins/a.skin");
  EXPECT_EQ(prefs->FavouritePath(), "/skins/a.skin");
}

}  // namespace
}  // namespace varlo
