#include "player/playback_engine.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "common/utf8_text.h"
#include "tests/support/fake_form.h"
#include "tests/support/fake_media_device.h"
#include "tests/support/fakes.h"
#include "tests/support/temp_dir.h"

namespace varlo {
namespace {

using testing::FakeClock;
using testing::FakeDialogs;
using testing::FakeForm;

// The tag of the entry playing, as the test sets it.
struct TagStub final : NowPlaying {
  std::string title, artist, album;
  std::vector<std::string> lyricLoads;
  void GetMP3Info(const std::string&) override {}
  std::string TagTitle() const override { return title; }
  std::string TagArtist() const override { return artist; }
  std::string TagAlbum() const override { return album; }
  void ClearTagTitle() override { title.clear(); }
  void ClearTag() override { title.clear(), artist.clear(), album.clear(); }
  void LoadEntryCover(const std::string&, bool) override {}
  void LoadCover(const std::string&) override {}
  void LoadLyrics(const std::string& songPath) override { lyricLoads.push_back(songPath); }
  bool LyricsSynchronised() const override { return false; }
  void PlayLyrics() override {}
};
using testing::FakeMediaDevice;

struct EngineTest : ::testing::Test {
  testing::TempDir dir;
  PlayerState state;
  Playlist list;
  AppSettings settings;
  FakeMediaDevice unit0, unit1;
  FakeClock clock;
  FakeForm form;
  FakeDialogs& dialogs = form.dialogs;
  std::map<int, std::string>& labels = form.captions;
  TagStub media;
  testing::NullPlayerLinks links;
  PlaybackEngine engine{state, list, settings, unit0, unit1, clock, form, links.With(media)};
  void Add(const std::string& name, bool exists = true) {
    const std::string path = exists ? dir.Write(name, "x") : dir.File(name);
    list.Append(name, path);
  }
  // One 100 ms tick: the clock and the playing device move on.
  void Tick() {
    clock.steady += 100;
    unit0.Advance(100);
    unit1.Advance(100);
    engine.UpdatePosition();
  }
};

TEST_F(EngineTest, EmptyPlaylistDoesNothing) {
  engine.PlayIt();
  engine.NextTrack();
  engine.PrevTrack();
  EXPECT_TRUE(unit0.calls.empty());
  EXPECT_FALSE(state.playing);
  EXPECT_EQ(state.tNum, 1);
}

TEST_F(EngineTest, PlaysAndWrapsAtBothEnds) {
  Add("a.mp3");
  Add("b.ogg");
  engine.PlayIt();
  EXPECT_TRUE(state.playing);
  EXPECT_EQ(unit0.DeviceType(), "MPEGVideo");
  EXPECT_EQ(unit0.FileName(), list.paths[0]);
  EXPECT_TRUE(unit0.playing);
  EXPECT_EQ(labels[2], "a.mp3");
  EXPECT_EQ(labels[4], " 1");
  EXPECT_EQ(labels[13], "3:00");
  EXPECT_EQ(labels[69], "mp3");
  EXPECT_EQ(engine.TrayTip(), "Varlo - a.mp3");

  engine.PrevTrack();  // from the first entry to the last
  EXPECT_EQ(state.tNum, 2);
  EXPECT_EQ(unit0.FileName(), list.paths[1]);

  engine.NextTrack();  // past the last: back to 1 and stopped
  EXPECT_EQ(state.tNum, 1);
  EXPECT_FALSE(state.playing);
  EXPECT_FALSE(unit0.playing);
}

TEST_F(EngineTest, JumpToOnlyInsideTheList) {
  Add("a.mp3");
  Add("b.mp3");
  for (const char* typed : {"0", "-1", "3"}) {
    labels[23] = typed;
    engine.JumpTo(typed);
    EXPECT_EQ(labels[23], "");
    EXPECT_FALSE(state.playing) << typed;
  }
  engine.JumpTo("2");
  EXPECT_EQ(state.tNum, 2);
  EXPECT_TRUE(state.playing);
}

TEST_F(EngineTest, IntroEndsAnEntryOnTheFirstTickPastTenSeconds) {
  Add("a.mp3");
  Add("b.mp3");
  state.intro = true;
  engine.PlayIt();
  while (state.tNum == 1 && state.elapsedMs <= 10000) Tick();
  EXPECT_EQ(state.tNum, 2);
  EXPECT_EQ(unit0.FileName(), list.paths[1]);
}

TEST_F(EngineTest, RepeatBSeeksBackToAAndPlayItClearsThem) {
  Add("a.mp3");
  engine.PlayIt();
  unit0.SetPosition(2000);
  engine.UpdatePosition();
  engine.SetRepeatA();
  unit0.SetPosition(5000);
  engine.UpdatePosition();
  engine.SetRepeatA();  // the one button sets B next
  EXPECT_EQ(state.rptA, 2000);
  EXPECT_EQ(state.rptB, 5000);
  unit0.SetPosition(5100);
  engine.UpdatePosition();
  ASSERT_TRUE(unit0.calls.back().from.has_value());
  EXPECT_EQ(unit0.calls.back().word, "Play");
  EXPECT_EQ(*unit0.calls.back().from, 2000);
  engine.PlayIt();
  EXPECT_EQ(state.rptA, 0);
  EXPECT_EQ(state.rptB, 0);
}

TEST_F(EngineTest, PictureAdvancesAfterFiveSecondsAndPauseFreezesIt) {
  Add("p.jpg");
  Add("b.mp3");
  std::string cover;
  engine.PlayIt();
  EXPECT_EQ(state.dev, "Delay");
  EXPECT_EQ(state.songLenMs, 5000);
  for (int i = 0; i < 20; ++i) Tick();
  engine.PauseIt();
  for (int i = 0; i < 100; ++i) Tick();
  EXPECT_EQ(state.elapsedMs, 2000);
  EXPECT_EQ(state.tNum, 1);
  engine.PauseIt();
  for (int i = 0; i < 29; ++i) Tick();
  EXPECT_EQ(state.tNum, 1);
  Tick();
  EXPECT_EQ(state.tNum, 2);
}

TEST_F(EngineTest, TextEntryHaltsWithoutMessage) {
  Add("notes.TXT");
  engine.PlayIt();
  EXPECT_EQ(state.dev, "Delay");
  EXPECT_FALSE(engine.PositionTimerOn());
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_TRUE(unit0.calls.empty());
}

TEST_F(EngineTest, OverlapOpensTheNextEntryOnTheOtherUnit) {
  settings.pbOverlap = 2000;
  unit0.defaultLength = 10000;
  unit1.defaultLength = 10000;
  Add("a.mp3");
  Add("b.mp3");
  engine.PlayIt();
  while (state.tNum == 1) Tick();
  EXPECT_EQ(unit0.Position(), 8000);  // two seconds before its end
  EXPECT_EQ(state.playUnit, PlayUnit::CD);
  EXPECT_TRUE(unit0.playing);  // the first plays out
  EXPECT_TRUE(unit1.playing);
  EXPECT_EQ(unit1.FileName(), list.paths[1]);
}

TEST_F(EngineTest, MissingFileIsMarkedOnce) {
  Add("gone.mp3", false);
  engine.PlayIt();
  engine.PlayIt();
  EXPECT_EQ(list.names[0], "gone.mp3 [FILE NOT FOUND]");
  EXPECT_EQ(list.paths[0], "");
  EXPECT_FALSE(state.playing);
}

TEST_F(EngineTest, OpenErrorShowsTheBox) {
  Add("bad.ogg");
  unit0.openErrors[list.paths[0]] = {277, "internal error"};
  engine.PlayIt();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text,
            "MCI Device: MPEGVideo\rFilename: " + list.paths[0] +
                "\r\rError: internal error\r\rThe File could not be opened.\rIt may be an "
                "unknown format, corrupt, or an un-supported variation of a known format.");
  EXPECT_EQ(state.dev, "");
  EXPECT_FALSE(engine.PositionTimerOn());
  EXPECT_EQ(PlaybackEngine::OpenErrorText("Animation", std::string(99, 'f'), 264, "m"),
            "MCI Device: Animation\rFilename: " + std::string(99, 'f') +
                "\r\rError: m\r\rThe filename and path must be 98 characters or less!");
  EXPECT_NE(PlaybackEngine::OpenErrorText("M4W_MCI", "x", 274, "m")
                .find("Try installing the latest MS MediaPlayer"),
            std::string::npos);
}

TEST_F(EngineTest, InternetAddressIsAnnouncedAndOpened) {
  list.Append("stream", "http://radio.example/live.mp3");
  engine.PlayIt();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, "Internet file!");
  EXPECT_EQ(unit0.FileName(), "http://radio.example/live.mp3");
  EXPECT_TRUE(state.playing);
}

TEST_F(EngineTest, VolumeBalanceAndMute) {
  state.volume = 0.5;
  engine.SetBalance(0.75f);
  EXPECT_EQ(labels[25], "50% right");
  // left 0.5 * 65535 * 0.5 = 16383.75 -> 16384; right 32767.5 -> 32768 (even).
  EXPECT_EQ(engine.WaveOutVolume(), 16384u | (32768u << 16));
  EXPECT_DOUBLE_EQ(unit1.left, 16384 / 65535.0);
  engine.SetBalance(0.5f);
  EXPECT_EQ(labels[25], "Centre");
  engine.ToggleMute();
  EXPECT_TRUE(state.mute);
  EXPECT_EQ(unit0.left, 0.0);
  engine.VolStep(5);  // unmutes first, then steps
  EXPECT_FALSE(state.mute);
  EXPECT_DOUBLE_EQ(state.volume, 0.55);
}

TEST_F(EngineTest, StopRewindsBothUnitsAndPauseTogglesTheDevice) {
  Add("a.mp3");
  engine.PauseIt();  // nothing plays: no command
  EXPECT_TRUE(unit0.calls.empty());
  engine.PlayIt();
  Tick();
  engine.PauseIt();
  EXPECT_TRUE(state.paused);
  EXPECT_FALSE(unit0.playing);
  engine.PlayPause();  // resumes, does not reopen
  EXPECT_FALSE(state.paused);
  EXPECT_TRUE(unit0.playing);
  EXPECT_EQ(unit0.Words().back(), "play");
  engine.StopIt();
  EXPECT_FALSE(state.playing);
  EXPECT_EQ(unit0.Position(), 0);
  EXPECT_EQ(labels[1], "");
  for (const auto* unit : {&unit0, &unit1}) {
    const auto words = unit->Words();
    ASSERT_GE(words.size(), 2u);
    EXPECT_EQ(words[words.size() - 2], "seek");
    EXPECT_EQ(words.back(), "stop");
  }
}

TEST_F(EngineTest, SkippingIsClampedToTheEntry) {
  unit0.defaultLength = 30000;
  Add("a.mp3");
  engine.Forward();  // not playing: nothing
  EXPECT_TRUE(unit0.calls.empty());
  engine.PlayIt();
  unit0.SetPosition(4000);
  Tick();
  engine.Reverse();
  EXPECT_EQ(unit0.calls.back().from, 0);
  unit0.SetPosition(25000);
  Tick();
  engine.Forward();  // 35 s lies past the end: one second before it
  EXPECT_EQ(unit0.calls.back().from, 29000);
  EXPECT_EQ(unit0.Words().back(), "Play");
  engine.PauseIt();
  engine.Forward();
  EXPECT_FALSE(state.paused);
}

TEST_F(EngineTest, RepeatStopAfterAndShuffleDecideWhatFollows) {
  unit0.defaultLength = 1000;
  Add("a.mp3");
  Add("b.mp3");
  Add("c.mp3");
  engine.ToggleRepeat();
  engine.PlayIt();
  for (int i = 0; i < 12; ++i) Tick();
  EXPECT_EQ(state.tNum, 1);  // the same entry again
  EXPECT_TRUE(state.playing);
  engine.ToggleRepeat();
  engine.ToggleStopAfter();
  for (int i = 0; i < 12 && state.playing; ++i) Tick();
  EXPECT_EQ(state.tNum, 2);  // moved on, then stopped
  EXPECT_FALSE(state.playing);
  engine.ToggleStopAfter();
  engine.ToggleShuffle();
  EXPECT_TRUE(state.shuffle);
  EXPECT_TRUE(state.random);
  std::map<int, int> seen;
  for (int i = 0; i < 60; ++i) {
    engine.NextTrack();
    ASSERT_GE(state.tNum, 1);
    ASSERT_LE(state.tNum, 3);
    ++seen[state.tNum];
  }
  EXPECT_EQ(seen.size(), 3u);
}

TEST_F(EngineTest, RemainingTimeCountsDownWithNegativeDigits) {
  unit0.defaultLength = 65000;
  PlaybackEngine& e = engine;
  Add("a.mp3");
  e.PlayIt();
  EXPECT_EQ(labels[13], "1:05");
  state.timeRemaining = true;
  unit0.SetPosition(5000);
  e.UpdatePosition();
  EXPECT_EQ(labels[1], "-01:00");
  EXPECT_EQ(form.digitNumbers[1], -60);
  form.digitNumbers[1] = 0;
  e.UpdatePosition();  // unchanged text: no new digits
  EXPECT_EQ(form.digitNumbers[1], 0);
}

TEST_F(EngineTest, TagTitleReplacesAShorterNameAndFeedsTheTrayTip) {
  std::string& title = media.title;
  media.artist = "  Band  ";
  title = "A Much Longer Title Than The File";
  PlaybackEngine& e = engine;
  Add("a.mp3");
  e.PlayIt();
  EXPECT_EQ(list.names[0], title);
  EXPECT_EQ(e.TrayTip(), "Varlo - [Band] - " + title);
  title = std::string(80, 't');
  e.ShowTitles();
  EXPECT_EQ(e.TrayTip().size(), PlaybackEngine::kTrayTipMax);
  title = "x";  // shorter than the entry: the entry keeps its name
  e.ShowTitles();
  EXPECT_EQ(list.names[0], std::string(80, 't'));
  title.clear();
  e.ShowTitles();
  EXPECT_EQ(e.TrayTip(), "Varlo - " + std::string(55, 't'));
}

// Files with ID3v2 or Vorbis tags and no ID3v1 tag are named by the tags the device read; an
// ID3v1 title still comes first, and an entry without either keeps its name.
TEST_F(EngineTest, StreamTagsNameEntriesWithoutAnId3v1Title) {
  Add("a.flac");
  Add("b.mp3");
  Add("c.wav");
  unit0.tags[list.paths[0]] = {"A Title Longer Than a.flac", "Band", "Record"};
  unit0.tags[list.paths[1]] = {"Stream Title Of b", "Stream Band", "Stream Album"};
  engine.PlayIt();
  EXPECT_EQ(list.names[0], "A Title Longer Than a.flac");
  EXPECT_EQ(engine.TrayTip(), "Varlo - [Band] - A Title Longer Than a.flac");
  EXPECT_EQ(engine.Titles(), (StreamTags{"A Title Longer Than a.flac", "Band", "Record"}));

  media.title = "Tag Title";
  media.artist = "Tag Band";
  media.album = "";
  engine.NextTrack();
  EXPECT_EQ(engine.TrayTip(), "Varlo - [Tag Band] - Tag Title");
  EXPECT_EQ(engine.Titles(), (StreamTags{"Tag Title", "Tag Band", ""}));

  media.title.clear();
  engine.NextTrack();  // the tags of b do not stay with c
  EXPECT_EQ(engine.TrayTip(), "Varlo - c.wav");
  EXPECT_EQ(engine.Titles(), (StreamTags{"c.wav", "", ""}));
}

TEST_F(EngineTest, TheTrayTipIsCutOnACharacterBoundary) {
  // "Varlo - " is 8 bytes; 27 two-byte characters make 62, the 28th would end at byte 64.
  std::string name;
  for (int i = 0; i < 30; ++i) name += "\xC3\xA9";
  list.Append(name, dir.Write("e.mp3", "x"));
  engine.PlayIt();
  EXPECT_EQ(engine.TrayTip().size(), 62u);
  EXPECT_EQ(engine.TrayTip().substr(8), name.substr(0, 54));
  EXPECT_EQ(Utf8PrefixLength("ab\xE2\x82\xAC", 4), 2u);  // a three-byte sign not cut in two
  EXPECT_EQ(Utf8PrefixLength("ab\xFF\xFEz", 4), 4u);     // stray bytes count one each
  EXPECT_EQ(Utf8PrefixLength("\xC3", 5), 1u);            // a cut-off sequence is one byte
  EXPECT_EQ(Utf8CharLength("\xC0\x80z"), 1u);            // an overlong form is not one character
}

TEST_F(EngineTest, LyricsAreAskedForWithTheSongPath) {
  Add("a.ogg");
  engine.PlayIt();
  EXPECT_EQ(media.lyricLoads, std::vector<std::string>{list.paths[0]});
}

}  // namespace
}  // namespace varlo
