// The preset list: previous and next, store mode, add, delete, move, naming, pictures, and
// "stations.txt" written after every change.
#include "tests/fm/fm_fixture.h"

namespace varlo {
namespace {

TEST_F(FmTest, PresetButtonsPreviousAndNextWalkTheList) {
  Start("87.5 FM\r\n90.0 A\r\n");
  fm->DoIt(92);
  EXPECT_EQ(fm->PStation(), 1);
  EXPECT_EQ(tuner.tuned, 90000000);
  fm->DoIt(84);
  EXPECT_EQ(fm->PStation(), 0);
  EXPECT_EQ(form.Caption(42), "FM");
  fm->DoIt(84);  // not before the first
  EXPECT_EQ(fm->PStation(), 0);
  fm->DoIt(85);
  fm->DoIt(85);  // one past the last: nothing shown, the frequency tuned again
  EXPECT_EQ(fm->PStation(), 2);
  EXPECT_EQ(form.Caption(42), "A");
  EXPECT_EQ(tuner.tuned, 90000000);
  fm->DoIt(85);  // and no further
  EXPECT_EQ(fm->PStation(), 2);
  fm->DoIt(100);  // button 10 of a two-entry list
  EXPECT_EQ(fm->Frequency(), 900);
}

TEST_F(FmTest, StoreModeWritesTheSlotInTheLongFormatAndDisarms) {
  settings.fmFreqText = "1043";
  Start("87.5 FM\r\n90.0 A\r\n");
  fm->DoIt(85);
  fm->DoIt(85);  // PStation 2, one past the end
  fm->TakeTypedNumber(104.3);
  form.SetStoreArmed(StoreMode::Presets, true);
  fm->DoIt(85);  // already at the end: nothing moves
  EXPECT_TRUE(form.StoreArmed(StoreMode::Presets));
  fm->DoIt(84);  // back to slot 1 while armed: stores there
  EXPECT_FALSE(form.StoreArmed(StoreMode::Presets));
  EXPECT_EQ(Rows()[1], "104.3 FM");
  EXPECT_EQ(File(), "87.5 FM\r\n104.3 FM\r\n");

  // From the last entry, the next step while armed appends; a slot further out stores nothing.
  form.SetStoreArmed(StoreMode::Presets, true);
  fm->TakeTypedNumber(99.9);
  fm->DoIt(85);
  EXPECT_EQ(fm->PStation(), 2);
  EXPECT_EQ(Rows().size(), 3u);
  EXPECT_EQ(Rows()[2], "099.9 FM");
  EXPECT_FALSE(form.StoreArmed(StoreMode::Presets));
  EXPECT_EQ(form.Caption(43), "003");
  form.SetStoreArmed(StoreMode::Presets, true);
  fm->DoIt(99);  // slot 8
  EXPECT_EQ(Rows().size(), 3u);
  EXPECT_FALSE(form.StoreArmed(StoreMode::Presets));
  form.SetStoreArmed(StoreMode::Presets, true);
  fm->TakeTypedNumber(4096);  // a typed preset number far past the end
  EXPECT_EQ(Rows().size(), 3u);
  EXPECT_FALSE(form.StoreArmed(StoreMode::Presets));
  fm->DoIt(90);  // nor does command 90 on that slot
  EXPECT_EQ(Rows().size(), 3u);
  EXPECT_EQ(File(), "87.5 FM\r\n104.3 FM\r\n099.9 FM\r\n");
  // Command 90 stores into the current slot without arming, one past the end included.
  fm->DoIt(93);
  fm->TakeTypedNumber(88.8);
  fm->DoIt(90);
  EXPECT_EQ(Rows()[2], "088.8 FM");
  fm->DoIt(85);
  fm->DoIt(90);
  EXPECT_EQ(Rows().size(), 4u);
  EXPECT_EQ(Rows()[3], "088.8 FM");
  // A typed preset number before the first slot never stores.
  form.SetStoreArmed(StoreMode::Presets, true);
  fm->TakeTypedNumber(0);
  EXPECT_EQ(Rows().size(), 4u);
}

TEST_F(FmTest, AddDeleteAndMoveKeepTheFileInStep) {
  settings.fmFreqText = "1011";
  Start();
  fm->DoIt(86);
  fm->TakeTypedNumber(95.0);
  fm->DoIt(86);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"101.1 FM", "95.0 FM"}));
  EXPECT_EQ(fm->LastPreset(), 1);
  EXPECT_EQ(Selected(), 1);
  fm->DoIt(88);  // down from the last: nothing
  fm->DoIt(89);  // up
  EXPECT_EQ(Rows(), (std::vector<std::string>{"95.0 FM", "101.1 FM"}));
  EXPECT_EQ(fm->LastPreset(), 0);
  fm->DoIt(89);  // up from the first: nothing
  EXPECT_EQ(Rows()[0], "95.0 FM");
  EXPECT_EQ(File(), "95.0 FM\r\n101.1 FM\r\n");
  fm->ListEvent(ListArea::FmPreset, ListAction::Click, 1);
  fm->DoIt(87);
  EXPECT_EQ(Rows(), std::vector<std::string>{"95.0 FM"});
  EXPECT_EQ(fm->LastPreset(), 0);
  fm->DoIt(87);
  fm->DoIt(87);  // an empty list
  EXPECT_TRUE(Rows().empty());
  EXPECT_EQ(Selected(), -1);
  EXPECT_EQ(File(), "");
}

TEST_F(FmTest, NamingAStationThroughTheEntry) {
  settings.fmFreqText = "1011";
  Start("87.5 FM\r\n101.1 FM\r\n104.3 Rock\r\n");
  EXPECT_EQ(form.Caption(42), "FM");
  fm->ListEvent(ListArea::FmPreset, ListAction::Click, 1);
  EXPECT_EQ(form.EntryText(1), "FM");
  form.SetEntryText(1, "Jazz");
  EXPECT_TRUE(fm->EntryKey(1, 13));
  EXPECT_EQ(Rows()[1], "101.1 Jazz");
  EXPECT_EQ(form.Caption(42), "Jazz");  // the station playing
  EXPECT_EQ(File(), "87.5 FM\r\n101.1 Jazz\r\n104.3 Rock\r\n");
  fm->TakeTypedNumber(101.1);
  EXPECT_EQ(form.Caption(42), "Jazz");

  // Up and down move through the list, never past its ends, and are swallowed.
  EXPECT_TRUE(fm->EntryKey(1, 40));
  EXPECT_EQ(fm->LastPreset(), 2);
  EXPECT_EQ(form.EntryText(1), "Rock");
  EXPECT_TRUE(fm->EntryKey(1, 40));
  EXPECT_EQ(fm->LastPreset(), 2);
  EXPECT_TRUE(fm->EntryKey(1, 38));
  EXPECT_TRUE(fm->EntryKey(1, 38));
  EXPECT_TRUE(fm->EntryKey(1, 38));
  EXPECT_EQ(fm->LastPreset(), 0);
  EXPECT_EQ(Selected(), 0);
  EXPECT_FALSE(fm->EntryKey(1, 65));
  EXPECT_FALSE(fm->EntryKey(2, 13));

  // An entry with no blank keeps its frequency; a double-click tunes the entry.
  Rows()[0] = "87.5";
  form.SetEntryText(1, "Night");
  fm->EntryKey(1, 13);
  EXPECT_EQ(Rows()[0], "87.5 Night");
  fm->ListEvent(ListArea::FmPreset, ListAction::DoubleClick, 2);
  EXPECT_EQ(tuner.tuned, 104300000);
  fm->ListEvent(ListArea::FmPreset, ListAction::DoubleClick, 7);  // no such row
  EXPECT_EQ(fm->PStation(), 2);
}

TEST_F(FmTest, StationPicturesAreLookedUpByTheirFrequency) {
  prog.Write("FM087-5.GIF", "g");
  prog.Write("fm087-5.jpg", "j");
  prog.Write("FM101-1.JPG", "j");
  Start("087.5 FM\r\n101.1 Jazz\r\n95.0 FM\r\n");
  fm->DoIt(91);
  fm->DoIt(92);
  fm->DoIt(93);
  EXPECT_EQ(cover.shown,
            (std::vector<std::string>{prog.File("FM087-5.GIF"), prog.File("FM101-1.JPG"), ""}));
  prog.Write("FM095-0.bmp", "b");  // any case, .BMP first
  prog.Write("FM095-0.JPG", "j");
  fm->DoIt(93);
  EXPECT_EQ(cover.shown.back(), prog.File("FM095-0.bmp"));
}

}  // namespace
}  // namespace varlo
