// The web-radio mode on a fake form and a fake stream player: states and labels, presets
// with store mode, and the station list with its file.
#include "webradio/web_radio_mode.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "common/app_settings.h"
#include "tests/support/fake_form.h"
#include "tests/support/temp_dir.h"
#include "tests/webradio/web_fakes.h"

namespace varlo {
namespace {

class WebRadioTest : public ::testing::Test {
 protected:
  testing::TempDir prog;
  testing::FakeForm form;
  testing::FakeStreamPlayer player;
  AppSettings settings;
  std::unique_ptr<WebRadioMode> wr;

  void Start(const std::string& stations = "") {
    if (!stations.empty()) prog.Write("webradio.txt", stations);
    wr = std::make_unique<WebRadioMode>(form, settings, prog.Path(), player);
    wr->Load();
  }
  ListBox& List() { return form.lists[static_cast<std::size_t>(FormList::WrList)]; }
  std::string Caption(int n) { return form.captions[n]; }
  void Tick(StreamState state, bool buffering = false) {
    player.status.state = state;
    player.status.buffering = buffering;
    wr->Timer1Step();
  }
};

TEST_F(WebRadioTest, AStreamGoesFromContactingToPlayingWithTheLightAndPosition) {
  Start();
  wr->WRPlay("Loop FM @http://127.0.0.1:1/live");
  EXPECT_EQ(player.played, std::vector<std::string>{"http://127.0.0.1:1/live"});
  EXPECT_EQ(Caption(63), "Contacting...");
  EXPECT_EQ(Caption(60), "Loop FM");
  EXPECT_TRUE(wr->WRMode());
  Tick(StreamState::Opening);
  EXPECT_EQ(Caption(63), "Contacting...");
  EXPECT_FALSE(form.lights[1]);
  player.status.positionSeconds = 12.7;
  player.status.bitRate = 128000;
  Tick(StreamState::Playing);
  EXPECT_EQ(Caption(63), "Playing");
  EXPECT_TRUE(form.lights[1]);
  EXPECT_EQ(form.digitNumbers[12], 12);
  EXPECT_EQ(Caption(64), "128");
  Tick(StreamState::Paused);
  EXPECT_EQ(Caption(63), "Paused");
  EXPECT_FALSE(form.lights[1]);
  // The light is the browser's too: between state changes the stream leaves it alone.
  form.lights[1] = true;
  Tick(StreamState::Paused);
  EXPECT_TRUE(form.lights[1]);
  Tick(StreamState::Playing);
  form.lights[1] = false;
  Tick(StreamState::Playing);
  EXPECT_FALSE(form.lights[1]);
}

TEST_F(WebRadioTest, BufferingShowsAndItsEndShowsCacheTitleAndStation) {
  Start();
  wr->WRPlay("A @http://h/a");
  Tick(StreamState::Playing, true);
  EXPECT_EQ(Caption(63), "Buffering...");
  EXPECT_FALSE(form.lights[1]);
  player.status.cacheSeconds = 4.4;
  player.status.title = "Artist - Song";
  player.status.stationName = "Loopback FM";
  Tick(StreamState::Playing, false);
  EXPECT_EQ(Caption(63), "Playing...");
  EXPECT_EQ(Caption(65), "4");
  EXPECT_EQ(Caption(61), "Artist - Song");
  EXPECT_EQ(Caption(62), "Loopback FM");
}

TEST_F(WebRadioTest, EveryMetadataChangeReachesTheLabels) {
  Start();
  wr->WRPlay("A @http://h/a");
  Tick(StreamState::Playing);
  for (const char* title : {"First", "Second", ""}) {
    player.status.title = title;
    ++player.status.changes;
    Tick(StreamState::Playing);
    EXPECT_EQ(Caption(61), title);
  }
}

TEST_F(WebRadioTest, AFailureShowsUnavailableAndStopsTheRefresh) {
  Start();
  wr->WRPlay("Gone @http://h/404");
  Tick(StreamState::Failed);
  EXPECT_EQ(Caption(63), "Un-available!");
  EXPECT_FALSE(wr->WRMode());
  // No further refresh: later player reports are not shown until the next start.
  form.captions[63] = "";
  Tick(StreamState::Playing);
  EXPECT_EQ(Caption(63), "");
}

TEST_F(WebRadioTest, OnlyWebStreamsReachThePlayer) {
  Start();
  for (const char* station : {"Local @file:///etc/passwd", "Bare @/tmp/song.mp3", "None"}) {
    wr->WRPlay(station);
    EXPECT_EQ(Caption(63), "Un-available!") << station;
    EXPECT_FALSE(wr->WRMode());
  }
  EXPECT_TRUE(player.played.empty());
}

TEST_F(WebRadioTest, StopShowsStoppedAndReplayStartsTheCurrentStationAgain) {
  Start();
  wr->WRPlay("A @http://h/a");
  wr->DoIt(148);
  EXPECT_EQ(player.stops, 1);
  EXPECT_EQ(Caption(63), "Stopped");
  EXPECT_TRUE(wr->WRMode());  // the display refresh keeps running
  wr->DoIt(147);
  EXPECT_EQ(player.played, (std::vector<std::string>{"http://h/a", "http://h/a"}));
}

TEST_F(WebRadioTest, PresetsClampAndShowTheirNumber) {
  for (std::size_t i = 0; i < 10; ++i)
    settings.radioURL[i] = "P" + std::to_string(i) + " @http://h/" + std::to_string(i);
  Start();
  wr->DoIt(139);
  EXPECT_EQ(player.played.back(), "http://h/9");
  EXPECT_EQ(form.digitNumbers[13], 10);
  EXPECT_EQ(Caption(67), "10");
  wr->DoIt(141);  // the next after 9 stays at 9
  EXPECT_EQ(player.played.back(), "http://h/9");
  wr->DoIt(130);
  wr->DoIt(140);  // before 0 stays at 0
  EXPECT_EQ(player.played.back(), "http://h/0");
  EXPECT_EQ(wr->WRPreset(), 0);
}

TEST_F(WebRadioTest, AnEmptyPresetOnlySaysSo) {
  settings.radioURL[0] = "A @http://h/a";
  Start();
  wr->DoIt(130);
  wr->DoIt(135);
  EXPECT_EQ(player.played.size(), 1u);
  EXPECT_EQ(wr->WRPreset(), 0);
  EXPECT_EQ(Caption(67), "1");
  EXPECT_EQ(Caption(63), "Preset 6 is empty");
  EXPECT_EQ(wr->WRCurrent(), "A @http://h/a");
}

// Next and previous step over empty presets; past the last filled one the current one plays
// again, as at the ends.
TEST_F(WebRadioTest, SteppingSkipsEmptyPresets) {
  settings.radioURL[1] = "B @http://h/b";
  settings.radioURL[4] = "E @http://h/e";
  settings.radioURL[8] = "I @http://h/i";
  Start();
  wr->DoIt(131);
  wr->DoIt(141);
  EXPECT_EQ(player.played.back(), "http://h/e");
  EXPECT_EQ(wr->WRPreset(), 4);
  EXPECT_EQ(Caption(67), "5");
  wr->DoIt(141);
  EXPECT_EQ(player.played.back(), "http://h/i");
  wr->DoIt(141);  // 9 is empty: 8 stays
  EXPECT_EQ(player.played.back(), "http://h/i");
  EXPECT_EQ(wr->WRPreset(), 8);
  wr->DoIt(140);
  wr->DoIt(140);
  EXPECT_EQ(player.played.back(), "http://h/b");
  wr->DoIt(140);  // 0 is empty: 1 stays
  EXPECT_EQ(player.played.back(), "http://h/b");
  EXPECT_EQ(wr->WRPreset(), 1);
  EXPECT_EQ(player.played.size(), 7u);
}

TEST_F(WebRadioTest, StoreModeStoresTheCurrentStationInThePresetAndDisarms) {
  Start();
  wr->WRPlay("A @http://h/a");
  form.armed[static_cast<std::size_t>(StoreMode::WebRadio)] = true;
  wr->DoIt(133);
  EXPECT_EQ(settings.radioURL[3], "A @http://h/a");
  EXPECT_FALSE(form.armed[static_cast<std::size_t>(StoreMode::WebRadio)]);
  EXPECT_EQ(player.played.size(), 1u);
}

TEST_F(WebRadioTest, TheListLoadsUnnamedStationsAndPlaysOnDoubleClick) {
  Start("Jazz @http://h/jazz\r\nno at sign\r\n@http://h/x\r\n");
  EXPECT_EQ(List().rows, (std::vector<std::string>{"Jazz", "Unnamed Station", "Unnamed Station"}));
  wr->ListEvent(ListArea::WrList, ListAction::Click, 0);
  EXPECT_EQ(form.EntryText(3), "Jazz @http://h/jazz");
  wr->ListEvent(ListArea::WrList, ListAction::DoubleClick, 0);
  EXPECT_EQ(player.played.back(), "http://h/jazz");
  EXPECT_EQ(wr->WRPreset(), -1);
}

TEST_F(WebRadioTest, EditsAreSavedAtOnceAndAtNamesSurvive) {
  Start("Jazz @http://h/jazz\r\n");
  wr->DoIt(142);
  EXPECT_EQ(List().rows.back(), "Station");
  EXPECT_EQ(List().selected, 1);
  form.SetEntryText(3, "Radio @ Home @http://h/home");
  EXPECT_TRUE(wr->EntryKey(3, 13));
  EXPECT_EQ(prog.Read("webradio.txt"), "Jazz @http://h/jazz\r\nRadio @ Home @http://h/home\r\n");
  wr->DoIt(145);  // up
  EXPECT_EQ(List().selected, 0);
  EXPECT_EQ(prog.Read("webradio.txt"), "Radio @ Home @http://h/home\r\nJazz @http://h/jazz\r\n");
  // Reloaded, the name with "@" is whole.
  Start();
  EXPECT_EQ(List().rows.front(), "Radio @ Home");
  EXPECT_EQ(wr->Stations().front().address, "http://h/home");
}

TEST_F(WebRadioTest, DeleteSelectsTheNextOrTheLastAndSaves) {
  Start("A @http://a/\r\nB @http://b/\r\nC @http://c/\r\n");
  List().selected = 1;
  wr->DoIt(143);
  EXPECT_EQ(List().rows, (std::vector<std::string>{"A", "C"}));
  EXPECT_EQ(List().selected, 1);
  wr->DoIt(143);
  EXPECT_EQ(List().selected, 0);
  EXPECT_EQ(prog.Read("webradio.txt"), "A @http://a/\r\n");
}

TEST_F(WebRadioTest, WithoutSelectionEditMoveAndDeleteDoNothing) {
  Start("A @http://a/\r\nB @http://b/\r\n");
  const std::string before = prog.Read("webradio.txt");
  form.SetEntryText(3, "X @http://x/");
  wr->EntryKey(3, 13);
  wr->DoIt(144);
  wr->DoIt(145);
  wr->ListEvent(ListArea::WrList, ListAction::Click, -1);
  EXPECT_EQ(List().rows, (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(prog.Read("webradio.txt"), before);
  wr->DoIt(143);
  ASSERT_EQ(form.dialogs.messages.size(), 1u);
  EXPECT_EQ(form.dialogs.messages[0].text, "No station selected!");
  // Moves stop at the ends.
  List().selected = 1;
  wr->DoIt(144);
  EXPECT_EQ(List().rows, (std::vector<std::string>{"A", "B"}));
}

TEST_F(WebRadioTest, ShutDownSavesTheListAndStopsAPlayingStream) {
  Start();
  wr->DoIt(142);
  std::remove(prog.File("webradio.txt").c_str());
  wr->WRPlay("A @http://h/a");
  wr->Release();
  wr->SaveState();
  EXPECT_EQ(player.stops, 1);
  EXPECT_EQ(prog.Read("webradio.txt"), "Station @http://\r\n");
}

}  // namespace
}  // namespace varlo
