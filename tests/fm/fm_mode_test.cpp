// Tuning, stepping, scanning, typed numbers, the slider, mute and the mode's start and end.
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "fm/station_list.h"
#include "tests/fm/fm_fixture.h"

namespace varlo {
namespace {

TEST_F(FmTest, StartSelectsTheCardTunesTheLastFrequencyAndShowsItsPreset) {
  settings.cardType = 1;
  settings.cardPort = 1;
  settings.fmFreqText = "1011";
  Start("87.5 FM\r\n101.1 Jazz\r\n");
  EXPECT_EQ(tuner.calls[0], "type 1");
  EXPECT_EQ(tuner.calls[1], "port 524");  // 0x20C
  EXPECT_TRUE(tuner.Saw("freq 101100000"));
  EXPECT_EQ(form.Caption(41), "101.1");
  EXPECT_EQ(form.digits[9], "101");
  EXPECT_DOUBLE_EQ(form.digitNumbers[9], 101.1);
  EXPECT_EQ(form.Caption(42), "Jazz");
  EXPECT_EQ(form.Caption(43), "002");
  EXPECT_EQ(form.digits[10], "2");
  EXPECT_EQ(Selected(), 1);
  EXPECT_NEAR(form.sliderValue[6], (1011 - 870) / 210.0, 1e-12);
}

TEST_F(FmTest, StartTuningPreferencesChooseThePresetOrFrequency) {
  settings.fmFreqText = "900";
  settings.fmTuneMd = 1;
  settings.startPreset = 2;  // numbered from 1, as label 43 shows them
  Start("87.5 FM\r\n101.1 Jazz\r\n");
  EXPECT_EQ(fm->Frequency(), 1011);
  EXPECT_EQ(form.Caption(42), "Jazz");

  settings.fmTuneMd = 2;
  settings.startFreq = "104,3";  // written with a foreign decimal point
  Start();
  EXPECT_EQ(fm->Frequency(), 1043);
  settings.startFreq = "soon";  // does not parse: the last frequency stays
  Start();
  EXPECT_EQ(fm->Frequency(), 900);
  settings.fmTuneMd = 1;
  settings.startPreset = 9;  // no such preset
  Start();
  EXPECT_EQ(fm->Frequency(), 900);
}

TEST_F(FmTest, DisabledRadioNeverTouchesTheCardButStepsTheNumber) {
  settings.fmEnable = 0;
  Start();
  EXPECT_EQ(tuner.calls, (std::vector<std::string>{"type 0", "port 848"}));
  form.SetCaption(41, "87.0");
  fm->DoIt(83);
  EXPECT_EQ(fm->Frequency(), 871);
  EXPECT_EQ(form.Caption(41), "");
  fm->Timer1Step();
  EXPECT_EQ(tuner.calls.size(), 2u);
}

TEST_F(FmTest, FrequenciesOutsideTheBandAreClampedAsTheyAreRead) {
  // Disabled, nothing tunes the card, so nothing else would bring these into the band.
  settings.fmEnable = 0;
  settings.fmFreqText = "99999999999";
  Start("1e12 FM\r\n-5 Low\r\n");
  EXPECT_EQ(fm->Frequency(), 1080);
  fm->DoIt(83);
  EXPECT_EQ(fm->Frequency(), 1080);
  fm->DoIt(82);
  EXPECT_EQ(fm->Frequency(), 1079);
  fm->ListEvent(ListArea::FmPreset, ListAction::DoubleClick, 0);
  EXPECT_EQ(fm->Frequency(), 1080);
  fm->DoIt(83);
  EXPECT_EQ(fm->Frequency(), 1080);
  fm->ListEvent(ListArea::FmPreset, ListAction::DoubleClick, 1);
  EXPECT_EQ(fm->Frequency(), 870);
  fm->SliderMoved(6, 7.0);
  EXPECT_EQ(fm->Frequency(), 1080);

  settings.fmFreqText = "-99999999999";
  Start();
  EXPECT_EQ(fm->Frequency(), 870);
  fm->DoIt(82);
  EXPECT_EQ(fm->Frequency(), 870);
  fm->SaveState();
  EXPECT_EQ(settings.fmFreqText, "870");
}

TEST_F(FmTest, SteppingStopsAtTheBandEdges) {
  settings.fmFreqText = "1079";
  Start();
  fm->DoIt(83);
  fm->DoIt(83);
  EXPECT_EQ(fm->Frequency(), 1080);
  EXPECT_EQ(form.Caption(41), "108.0");
  settings.fmFreqText = "870";
  Start();
  fm->DoIt(82);
  EXPECT_EQ(fm->Frequency(), 870);
  EXPECT_EQ(tuner.tuned, 87000000);
  // A stored frequency outside the band is tuned at its edge.
  settings.fmFreqText = "2000";
  Start();
  EXPECT_EQ(tuner.tuned, 108000000);
}

TEST_F(FmTest, ScanningStepsOncePerTickAndStopsOnAStationOrTheEdge) {
  settings.fmFreqText = "1079";
  Start();
  fm->DoIt(81);
  EXPECT_EQ(form.Caption(42), "Scanning...");
  fm->Timer1Step();
  EXPECT_EQ(fm->Frequency(), 1080);
  EXPECT_EQ(fm->Scan(), 1);
  tuner.calls.clear();
  fm->Timer1Step();  // past the edge: the step is taken back and 108.0 tuned again
  EXPECT_EQ(fm->Frequency(), 1080);
  EXPECT_EQ(fm->Scan(), 0);
  EXPECT_TRUE(tuner.Saw("freq 108000000"));
  EXPECT_EQ(form.Caption(42), "");

  // Down from 88.0 to the stereo station at 87.5 with a preset: its name replaces the status.
  tuner.stereo = {87500000};
  settings.fmFreqText = "880";
  Start("087.5 Classic\r\n");
  fm->DoIt(80);
  for (int tick = 0; tick < 4; ++tick) fm->Timer1Step();
  EXPECT_EQ(fm->Frequency(), 876);
  EXPECT_FALSE(form.lights[1]);
  fm->Timer1Step();  // found: the scan stops there and the stereo light follows the card
  fm->Timer1Step();
  EXPECT_EQ(fm->Frequency(), 875);
  EXPECT_EQ(fm->Scan(), 0);
  EXPECT_EQ(form.Caption(42), "Classic");
  EXPECT_EQ(form.Caption(43), "001");
  EXPECT_TRUE(form.lights[1]);

  // A station without a preset: the scan no longer says it scans.
  tuner.stations = {90000000};
  fm->DoIt(81);
  for (int tick = 0; tick < 25 && fm->Scan() != 0; ++tick) fm->Timer1Step();
  EXPECT_EQ(fm->Frequency(), 900);
  EXPECT_EQ(form.Caption(42), "FM");
  fm->Timer1Step();
  EXPECT_FALSE(form.lights[1]);

  // With another mode's skin showing, light 1 is that mode's: the tuner leaves it alone.
  form.visibleLists.erase(FormList::FmPreset);
  form.lights[1] = true;
  fm->Timer1Step();
  EXPECT_TRUE(form.lights[1]);
}

TEST_F(FmTest, AStationWithoutAPresetNameShowsTheNameItsRdsSends) {
  tuner.stations = {90000000, 95000000};
  tuner.rdsNames = {{90000000, "VARLO FM"}, {87500000, "CLASSIC"}};
  settings.fmFreqText = "899";
  Start("087.5 Classic\r\n");
  fm->DoIt(81);
  auto second = [&] {
    for (int tick = 0; tick < 10; ++tick) fm->Timer1Step();
  };
  for (int tick = 0; tick < 5 && fm->Scan() != 0; ++tick) fm->Timer1Step();
  ASSERT_EQ(fm->Frequency(), 900);
  second();
  EXPECT_EQ(form.Caption(42), "VARLO FM");

  // On to a station sending no name: back to "FM".
  fm->DoIt(81);
  for (int tick = 0; tick < 60 && fm->Scan() != 0; ++tick) fm->Timer1Step();
  ASSERT_EQ(fm->Frequency(), 950);
  second();
  EXPECT_EQ(form.Caption(42), "FM");

  // A preset's own name is never replaced, whatever its station sends.
  fm->TakeTypedNumber(1);
  second();
  EXPECT_EQ(form.Caption(42), "Classic");
}

TEST_F(FmTest, TheRadioTextScrollsOnTheSongNameDisplayWhileTheRadioIsShown) {
  tuner.stations = {90000000};
  tuner.rdsTexts = {{90000000, "Harbour Lights by Varlo Ensemble"}};
  settings.fmFreqText = "900";
  settings.scrollName = 1;
  form.cells[6] = 10;
  Start();
  fm->Timer2Step();
  EXPECT_EQ(form.digits[6], "FM RADIO") << "no text yet";
  for (int tick = 0; tick < 10; ++tick) fm->Timer1Step();
  fm->Timer2Step();
  EXPECT_EQ(form.digits[6], "Harbour Li");
  fm->Timer2Step();
  EXPECT_EQ(form.digits[6], "arbour Lig");

  // Tuned away, the old station's text goes at once.
  fm->DoIt(83);
  fm->Timer2Step();
  EXPECT_EQ(form.digits[6], "FM RADIO");

  // Another skin shown: the display is the player's.
  form.visibleLists.clear();
  form.digits[6] = "song";
  fm->Timer2Step();
  EXPECT_EQ(form.digits[6], "song");
}

TEST_F(FmTest, StepsStopAScan) {
  Start();
  fm->DoIt(81);
  fm->DoIt(83);
  EXPECT_EQ(fm->Scan(), 0);
  EXPECT_EQ(form.Caption(42), "");
}

TEST_F(FmTest, TypedNumbersAreFrequenciesFrom88To108AndPresetsOtherwise) {
  Start("87.5 FM\r\n90.0 A\r\n95.5 B\r\n");
  EXPECT_TRUE(fm->TakeTypedNumber(101.1));
  EXPECT_EQ(tuner.tuned, 101100000);
  EXPECT_TRUE(fm->TakeTypedNumber(3));
  EXPECT_EQ(fm->PStation(), 2);
  EXPECT_EQ(fm->Frequency(), 955);
  EXPECT_EQ(form.Caption(42), "B");
  // 87.5 is below 88.0: preset 86.5, rounded to 86, which the list does not have. Nothing is
  // shown and the current frequency is tuned again.
  tuner.calls.clear();
  EXPECT_TRUE(fm->TakeTypedNumber(87.5));
  EXPECT_EQ(fm->Frequency(), 955);
  EXPECT_EQ(tuner.calls.front(), "freq 95500000");
  EXPECT_EQ(form.Caption(42), "B");
  // A typed 90 lands on the preset for it.
  EXPECT_TRUE(fm->TakeTypedNumber(90));
  EXPECT_EQ(form.Caption(42), "A");
  // Not shown: the number is the player's.
  form.visibleLists.clear();
  EXPECT_FALSE(fm->TakeTypedNumber(101.1));
}

TEST_F(FmTest, TheSliderTunesAcrossTheBandAndFindsThePreset) {
  Start("97.5 Mid\r\n");
  fm->SliderMoved(6, 0.5);
  EXPECT_EQ(fm->Frequency(), 975);
  EXPECT_EQ(form.Caption(42), "Mid");
  fm->SliderMoved(6, 1.0);
  EXPECT_EQ(fm->Frequency(), 1080);
  fm->SliderMoved(6, 0.0);
  EXPECT_EQ(fm->Frequency(), 870);
  // While the knob is held, tuning leaves it where the user has it.
  form.heldSliders.insert(6);
  form.sliderValue[6] = 0.25;
  fm->DoIt(83);
  EXPECT_DOUBLE_EQ(form.sliderValue[6], 0.25);
  fm->SliderMoved(2, 0.5);  // not the tuner's
  EXPECT_EQ(fm->Frequency(), 871);
}

TEST_F(FmTest, VolumeAndMuteDriveTheCard) {
  Start();
  tuner.calls.clear();
  fm->DoIt(8);
  fm->DoIt(7);
  EXPECT_EQ(tuner.calls, (std::vector<std::string>{"up", "down"}));
  tuner.volume = 4;
  fm->DoIt(9);
  EXPECT_TRUE(fm->Muted());
  EXPECT_EQ(tuner.volume, 0);
  EXPECT_EQ(form.Caption(8), "Mute");
  fm->DoIt(83);  // retuning a muted card type 0 gives it its byte, 0
  EXPECT_EQ(tuner.volume, 0);
  fm->DoIt(9);  // again: the level the card had
  EXPECT_EQ(tuner.volume, 4);
  EXPECT_EQ(form.Caption(8), "");
  // Louder while muted starts from the level before the mute.
  fm->DoIt(9);
  fm->DoIt(8);
  EXPECT_FALSE(fm->Muted());
  EXPECT_EQ(tuner.volume, 5);
}

TEST_F(FmTest, OtherCardsAreMutedBySwitchingThemOff) {
  settings.cardType = 2;
  Start();
  tuner.calls.clear();
  fm->DoIt(9);
  EXPECT_EQ(tuner.calls, (std::vector<std::string>{"volume 0", "off"}));
  tuner.calls.clear();
  fm->DoIt(83);  // stays muted when retuned
  EXPECT_EQ(tuner.calls.back(), "off");
  tuner.calls.clear();
  fm->DoIt(9);
  EXPECT_EQ(tuner.calls, (std::vector<std::string>{"volume 1", "on"}));
}

TEST_F(FmTest, WithoutTheLibraryCommandsDoNothingAndTheStatusSaysSo) {
  tuner.loaded = false;
  Start("87.5 FM\r\n");
  EXPECT_EQ(form.Caption(42), "No tuner library");
  for (int code = 80; code <= 100; ++code) fm->DoIt(code);
  fm->DoIt(9);
  fm->Timer1Step();
  fm->SliderMoved(6, 0.5);
  EXPECT_TRUE(fm->TakeTypedNumber(101.1));
  EXPECT_TRUE(tuner.calls.empty());
  EXPECT_EQ(Rows(), std::vector<std::string>{"87.5 FM"});
  form.SetCaption(42, "");
  fm->Paint();  // a new skin says it again
  EXPECT_EQ(form.Caption(42), "No tuner library");
}

TEST_F(FmTest, AStationsFileReadOnlyInPartIsNeverWrittenBackUnlessTheListIsEdited) {
  std::string many;
  for (int i = 0; i < 5000; ++i) many += "90.0 Station " + std::to_string(i) + "\r\n";
  form.cells[6] = 10;
  Start(many);
  EXPECT_EQ(Rows().size(), 4096u);
  EXPECT_EQ(form.Caption(42), "stations.txt: first 4096 stations shown");
  // The header's display moves it along, so that it can be read whole.
  fm->Timer2Step();
  EXPECT_EQ(form.digits[6], "stations.t");
  fm->Timer2Step();
  EXPECT_EQ(form.digits[6], "tations.tx");
  fm->SaveState();
  EXPECT_EQ(File(), many) << "the stations past the first 4096 are kept";

  // An edit is the user's choice: the list as shown replaces the file.
  fm->ListEvent(ListArea::FmPreset, ListAction::Click, 0);
  form.SetEntryText(1, "Jazz");
  EXPECT_TRUE(fm->EntryKey(1, 13));
  const std::string edited = File();
  EXPECT_EQ(edited.substr(0, 11), "90.0 Jazz\r\n");
  EXPECT_EQ(std::count(edited.begin(), edited.end(), '\n'), 4096);
  fm->Timer2Step();
  EXPECT_EQ(form.digits[6], "FM RADIO");
  fm->SaveState();
  EXPECT_EQ(File(), edited);

  // A file past the byte bound shows the whole lines before it, and is kept as well.
  std::string big;
  while (big.size() <= kMaxStationsBytes) big += "99.9 " + std::string(500, 'b') + "\r\n";
  Start(big);
  EXPECT_EQ(Rows().size(), kMaxStationsBytes / 507);
  EXPECT_EQ(form.Caption(42),
            "stations.txt: first " + std::to_string(Rows().size()) + " stations shown");
  fm->SaveState();
  EXPECT_EQ(File(), big);

  // A "stations.txt" that cannot be read leaves the list empty and is never written over.
  std::filesystem::remove(prog.File("stations.txt"));
  ASSERT_EQ(::mkfifo(prog.File("stations.txt").c_str(), 0600), 0);
  Start();
  EXPECT_TRUE(Rows().empty());
  fm->SaveState();
  EXPECT_TRUE(std::filesystem::is_fifo(prog.File("stations.txt")));
}

TEST_F(FmTest, ShutDownKeepsFrequencyVolumeAndStationsAndAsksToMute) {
  Start("87.5 FM\r\n");
  fm->DoIt(83);
  tuner.volume = 5;
  fm->SaveState();
  EXPECT_EQ(settings.fmFreqText, "871");
  EXPECT_EQ(ReadSetting(*store, "FMVolume", ""), "5");
  EXPECT_EQ(File(), "87.5 FM\r\n");

  settings.exitMode = 2;
  form.dialogs.answer = MsgResult::No;
  tuner.calls.clear();
  fm->Unload();
  ASSERT_EQ(form.dialogs.messages.size(), 1u);
  EXPECT_EQ(form.dialogs.messages[0].text, "Mute FM Tuner Audio?");
  EXPECT_EQ(form.dialogs.messages[0].caption, "Varlo");
  EXPECT_TRUE(tuner.calls.empty());
  form.dialogs.answer = MsgResult::Yes;
  fm->Unload();
  EXPECT_EQ(tuner.calls, std::vector<std::string>{"off"});
  settings.exitMode = 1;
  fm->Unload();
  EXPECT_EQ(tuner.calls.size(), 2u);
  settings.exitMode = 0;
  fm->Unload();
  EXPECT_EQ(tuner.calls.size(), 2u);
  // Disabled: nothing is asked.
  settings.fmEnable = 0;
  settings.exitMode = 2;
  fm->Unload();
  EXPECT_EQ(form.dialogs.messages.size(), 2u);
}

}  // namespace
}  // namespace varlo
