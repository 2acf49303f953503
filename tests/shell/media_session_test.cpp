#include "shell/media_session.h"

#include <algorithm>

#include "shell/web_radio_session.h"
#include "shell_fixture.h"

namespace varlo {
namespace {

class MediaSessionTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    Start();
    session = std::make_unique<MediaSession>(*form);
    unit0.defaultLength = 10000;
  }
  Playlist& List() { return form->Player().List(); }
  const PlayerState& Player() { return form->Player().State(); }
  std::unique_ptr<MediaSession> session;
};

bool Has(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

TEST_F(MediaSessionTest, StateFollowsThePlayerAndNamesTheEntryByItsStreamTags) {
  SessionState s = session->State();
  EXPECT_EQ(s.status, SessionState::Status::Stopped);
  EXPECT_EQ(s.trackId, kNoTrackId);
  EXPECT_FALSE(s.canPlay || s.canGoNext || s.canPause || s.canSeek);

  List().Append("one.flac", prog.Write("one.flac", "x"));
  List().Append("two.mp3", prog.Write("two.mp3", "x"));
  unit0.tags[List().paths[0]] = {"First Song", "Band", "Record"};
  session->Play();
  s = session->State();
  EXPECT_EQ(s.status, SessionState::Status::Playing);
  EXPECT_EQ(s.titles, (StreamTags{"First Song", "Band", "Record"}));
  EXPECT_EQ(s.trackId, "/org/varlo/track/1");
  EXPECT_EQ(s.url, List().paths[0]);
  EXPECT_EQ(s.lengthUs, 10'000'000);
  EXPECT_TRUE(s.canPause && s.canSeek && s.canGoNext);

  const SessionState before = s;
  session->Next();
  s = session->State();
  EXPECT_EQ(s.titles.title, "two.mp3");  // no tags: the entry's name
  const auto changed = ChangedProperties(before, s);
  EXPECT_TRUE(Has(changed, "Metadata"));
  EXPECT_FALSE(Has(changed, "PlaybackStatus"));
  EXPECT_TRUE(ChangedProperties(s, s).empty());
}

TEST_F(MediaSessionTest, PlayAndPauseAreIdempotentWherePlayPauseToggles) {
  List().Append("one", prog.Write("one.mp3", "x"));
  session->Pause();  // nothing plays: nothing happens
  EXPECT_FALSE(Player().playing);
  session->Play();
  session->Play();  // a second Play does not start the entry again
  const std::vector<std::string> words = unit0.Words();
  EXPECT_EQ(std::count(words.begin(), words.end(), "open"), 1);
  session->Pause();
  session->Pause();
  EXPECT_TRUE(Player().paused);
  EXPECT_EQ(session->State().status, SessionState::Status::Paused);
  session->Play();
  EXPECT_FALSE(Player().paused);
  session->PlayPause();
  EXPECT_TRUE(Player().paused);
  session->Stop();
  EXPECT_EQ(session->State().status, SessionState::Status::Stopped);
}

TEST_F(MediaSessionTest, SeekMovesWithinTheEntryAndPastItsEndToTheNext) {
  List().Append("one", prog.Write("one.mp3", "x"));
  List().Append("two", prog.Write("two.mp3", "x"));
  session->Play();
  unit0.Advance(4000);
  form->Timer1_Timer();
  EXPECT_EQ(session->PositionUs(), 4'000'000);
  session->Pause();
  session->Seek(2'000'000);
  EXPECT_EQ(unit0.calls.back().word, "Play");
  ASSERT_TRUE(unit0.calls.back().from.has_value());
  EXPECT_EQ(*unit0.calls.back().from, 6000);
  EXPECT_FALSE(Player().paused);  // a seek plays on
  session->Seek(-60'000'000);
  EXPECT_EQ(*unit0.calls.back().from, 0);

  session->SetPosition("/org/varlo/track/2", 1'000'000);  // not the current entry
  EXPECT_EQ(*unit0.calls.back().from, 0);
  session->SetPosition("/org/varlo/track/1", 11'000'000);  // past its end
  EXPECT_EQ(*unit0.calls.back().from, 0);
  session->SetPosition("/org/varlo/track/1", 3'500'000);
  EXPECT_EQ(*unit0.calls.back().from, 3500);

  session->Seek(20'000'000);
  EXPECT_EQ(Player().tNum, 2);
}

TEST_F(MediaSessionTest, VolumeRepeatShuffleAndOpenFile) {
  session->SetVolume(0.3);
  EXPECT_DOUBLE_EQ(session->State().volume, 0.3);
  form->DoIt(9);  // mute
  EXPECT_EQ(session->State().volume, 0.0);
  session->SetVolume(0.8);  // a level set while muted unmutes
  EXPECT_FALSE(Player().mute);
  EXPECT_NEAR(session->State().volume, 0.8, 1e-9);
  session->SetVolume(-3.0);
  EXPECT_EQ(session->State().volume, 0.0);

  session->SetRepeat(true);
  session->SetRepeat(true);
  EXPECT_TRUE(session->State().repeat);
  session->SetShuffle(true);
  EXPECT_TRUE(session->State().shuffle);
  session->SetShuffle(false);
  EXPECT_FALSE(session->State().shuffle);

  const std::string file = prog.Write("opened.ogg", "x");
  session->OpenFile(file);
  EXPECT_EQ(List().Count(), 1);
  EXPECT_EQ(session->State().url, file);
}

TEST_F(MediaSessionTest, AnExternalSourceNamesWhatItPlaysWhileActive) {
  bool radioOn = true;
  session->SetExternalSource([&radioOn]() -> std::optional<ExternalPlaying> {
    if (!radioOn) return std::nullopt;
    return ExternalPlaying{{"Song on air", "", "Radio One"}, "http://radio.example/stream", false};
  });
  SessionState s = session->State();
  EXPECT_EQ(s.status, SessionState::Status::Playing);
  EXPECT_EQ(s.titles.title, "Song on air");
  EXPECT_EQ(s.url, "http://radio.example/stream");
  EXPECT_FALSE(s.canSeek);
  radioOn = false;
  EXPECT_EQ(session->State().status, SessionState::Status::Stopped);
}

// A second start hands its item to this one: it joins the list, plays only with "AutoPlay" on,
// and the window is asked to come into view either way.
TEST_F(MediaSessionTest, AHandedOverItemJoinsTheListAndPlaysWithAutoPlay) {
  List().Append("first", prog.Write("first.mp3", "x"));
  const int restores = form->Form().window.restoreRequests;
  form->Form().window.minimised = true;
  form->OpenHandedItems({prog.Write("second.mp3", "x")});
  EXPECT_EQ(List().Count(), 2);
  EXPECT_FALSE(Player().playing);
  EXPECT_EQ(form->Form().window.restoreRequests, restores + 1);

  form->Settings().autoPlay = 1;
  form->OpenHandedItems({prog.Write("third.ogg", "x")});
  EXPECT_EQ(List().Count(), 3);
  EXPECT_TRUE(Player().playing);
  EXPECT_EQ(Player().tNum, 3);
  form->OpenHandedItems({});  // nothing to add: playback goes on
  EXPECT_EQ(List().Count(), 3);
  EXPECT_EQ(Player().tNum, 3);
  // Several items join in order and the first of them plays.
  const std::string folder = prog.Write("album/1.flac", "x");
  prog.Write("album/2.flac", "x");
  form->OpenHandedItems({prog.Write("fourth.mp3", "x"), prog.File("album")});
  EXPECT_EQ(List().Count(), 6);
  EXPECT_EQ(List().paths[3], prog.File("fourth.mp3"));
  EXPECT_EQ(List().paths[4], folder);
  EXPECT_EQ(Player().tNum, 4);
  // A window already in view is still brought to the front.
  EXPECT_FALSE(form->Form().window.minimised);
  EXPECT_EQ(form->Form().window.restoreRequests, restores + 4);
}

}  // namespace
}  // namespace varlo

namespace varlo {
namespace {

TEST(WebRadioSessionTest, AStreamThatPlaysIsNamedByItsTitleAndStation) {
  StreamStatus status;
  EXPECT_FALSE(WebRadioPlaying(status, "Jazz @http://radio.test/jazz")) << "idle";
  status.state = StreamState::Opening;
  auto playing = WebRadioPlaying(status, "Jazz @http://radio.test/jazz");
  ASSERT_TRUE(playing);
  EXPECT_EQ(playing->titles.title, "Jazz") << "the station until the stream names itself";
  EXPECT_EQ(playing->url, "http://radio.test/jazz");

  status.state = StreamState::Paused;
  status.stationName = "Harbour Jazz";
  status.title = "Northern Lights - Session";
  playing = WebRadioPlaying(status, "Jazz @http://radio.test/jazz");
  ASSERT_TRUE(playing);
  EXPECT_EQ(playing->titles.title, "Northern Lights - Session");
  EXPECT_EQ(playing->titles.album, "Harbour Jazz");
  EXPECT_TRUE(playing->paused);

  status.state = StreamState::Failed;
  EXPECT_FALSE(WebRadioPlaying(status, "Jazz @http://radio.test/jazz"));
}

}  // namespace
}  // namespace varlo
