#include "cd/cd_player.h"

#include <gtest/gtest.h>

#include <functional>

#include "cd/cd_audio_device.h"
#include "tests/cd/cd_fakes.h"
#include "tests/cd/cd_rig.h"
#include "tests/support/temp_dir.h"

namespace varlo {
namespace {

using testing::FakeDrive;
using testing::FakeHttp;

// Three tracks of 10, 20 and 30 s.
DiscToc ThreeTracks() {
  DiscToc toc;
  toc.tracks = {{0, true}, {750, true}, {2250, true}};
  toc.leadOutLba = 4500;
  return toc;
}

struct CdTest : ::testing::Test {
  testing::TempDir prog;
  testing::FakeMediaDevice inner1;
  FakeDrive drive;
  FakeHttp http;
  CdAudioDevice unit1{inner1, drive};
  testing::CdRig rig{unit1, drive, http, prog.Path()};
  PlayerState& state = rig.state;
  Playlist& list = rig.list;
  AppSettings& settings = rig.settings;
  testing::FakeForm& form = rig.form;
  PlaybackEngine& engine = rig.engine;
  CdPlayer& cd = rig.cd;

  void SetUp() override {
    settings.useCDP = 1;
    settings.useCDDB = 0;
    settings.emailID = "me+cd@example.org";
    settings.cddbCmd = "http://cddb.test/cgi?cmd=";
    inner1.lengths["cd-test://disc"] = 60000;
    cd.Load();
  }
  // One tick of the main timer's CD and position steps.
  void Tick() {
    inner1.Advance(100);
    cd.Timer1Step();
    if (state.playing && state.songLenMs != 0) engine.UpdatePosition();
  }
  void InsertDisc(const DiscToc& toc = ThreeTracks()) {
    drive.state = DriveState::Ready;
    Tick();
    drive.Answer(toc);
  }
  std::string Status() { return form.Caption(15); }
};

TEST_F(CdTest, ReadsTheDiscIntoTheListAndPlaysTracksFromTheTable) {
  InsertDisc();
  EXPECT_EQ(drive.reads, 1);
  ASSERT_TRUE(cd.DiscKnown());
  EXPECT_EQ(list.names,
            (std::vector<std::string>{"01 - Track  1  (00:10)", "02 - Track  2  (00:20)",
                                      "03 - Track  3  (00:30)"}));
  EXPECT_EQ(cd.CddbId(), "0a003c03");
  EXPECT_EQ(cd.CurrentTrack(), 1);
  Tick();
  EXPECT_EQ(Status(), "Stopped");

  // Track 2 plays from its table start through the disc stream.
  state.tNum = 2;
  engine.PlayIt();
  EXPECT_EQ(inner1.FileName(), "cd-test://disc");
  EXPECT_FALSE(inner1.Wait()) << "the disc opens without holding the window";
  EXPECT_EQ(inner1.calls.back().from, 10000);
  EXPECT_EQ(state.songLenMs, 20000);
  EXPECT_EQ(form.Caption(69), "CDA");
  Tick();
  EXPECT_EQ(Status(), "Playing");
  EXPECT_EQ(cd.CurrentTrack(), 2);
  EXPECT_EQ(state.elapsedMs, 100);

  // The position passes into track 3: it becomes current without a new open.
  const std::size_t opens = inner1.calls.size();
  inner1.SetPosition(30050);
  Tick();
  EXPECT_EQ(cd.CurrentTrack(), 3);
  EXPECT_EQ(state.tNum, 3);
  EXPECT_EQ(state.trkStart, 30000);
  EXPECT_EQ(form.Caption(2), "03 - Track  3  (00:30)");
  EXPECT_EQ(inner1.calls.size(), opens);

  engine.PauseIt();
  Tick();
  EXPECT_EQ(Status(), "Paused");
  engine.StopIt();
  Tick();
  EXPECT_EQ(Status(), "Stopped");

  // Played to the end: the last track stays current and the player stops.
  engine.PlayIt();
  inner1.SetPosition(60000);
  Tick();
  EXPECT_EQ(cd.CurrentTrack(), 3);
  EXPECT_FALSE(state.playing);

  // Taken out, the disc leaves no position on the time display.
  engine.PlayIt();
  inner1.SetPosition(45000);
  Tick();
  EXPECT_EQ(form.digits[1], "15");
  cd.DoIt(13);
  EXPECT_EQ(form.digits[1], "0");
  EXPECT_EQ(state.elapsedMs, 0);
  EXPECT_EQ(form.digits[2], "0");
  EXPECT_EQ(form.digits[6], "") << "the song name";
  EXPECT_EQ(form.Caption(2), "");
  EXPECT_TRUE(list.names.empty());
}

TEST_F(CdTest, DriveStatesAndRetries) {
  drive.state = DriveState::NoDisc;
  Tick();
  EXPECT_EQ(Status(), "No Disc");
  EXPECT_EQ(drive.reads, 0);
  drive.state = DriveState::TrayOpen;
  Tick();
  EXPECT_EQ(Status(), "Ready");

  // An unreadable disc is asked for again after a pause, not on every tick.
  drive.state = DriveState::Ready;
  Tick();
  drive.Answer(std::nullopt);
  for (int i = 0; i < CdPlayer::kRetryTicks; ++i) Tick();
  EXPECT_EQ(drive.reads, 1);
  Tick();
  EXPECT_EQ(drive.reads, 2);

  // A drive that answers nothing shows "unknown", as do modes without a text.
  EXPECT_EQ(CdPlayer::ModeText(527, false), "unknown");
  EXPECT_EQ(CdPlayer::ModeText(528, true), "unknown");
  EXPECT_EQ(CdPlayer::ModeText(525, true), "Paused");
}

TEST_F(CdTest, LocalDatabaseNamesTracksOrRefusesAMismatchWhole) {
  prog.Write("cdplayer.ini",
             "[2E00]\r\nEntryType=1\r\nnumplay=3\r\nnumtracks=3\r\n0=AC/DC\r\n2=Third\r\n"
             "7=Past the end\r\n[11300]\r\nnumtracks=4\r\n0=Wrong\r\n");
  InsertDisc();
  EXPECT_EQ(cd.CdpId(), "2E00");
  EXPECT_TRUE(cd.CdFound());
  EXPECT_EQ(list.names[0], "01 - AC/DC  (00:10)");
  EXPECT_EQ(list.names[1], "02 - Track  2  (00:20)");
  EXPECT_EQ(list.names[2], "03 - Third  (00:30)");
  // Shown without the display-name rule: the slash stays.
  EXPECT_EQ(form.Caption(2), "01 - AC/DC  (00:10)");

  // Another disc whose section claims 4 tracks: the message, and no title applied.
  cd.DoIt(13);
  EXPECT_EQ(drive.ejects, 1);
  EXPECT_TRUE(list.names.empty());
  DiscToc other = ThreeTracks();
  other.tracks[2].lba = 4725;  // 01:05:00
  other.leadOutLba = 9000;
  drive.state = DriveState::Ready;
  Tick();
  drive.Answer(other);
  ASSERT_EQ(cd.CdpId(), "11300") << "the test's section must match";
  ASSERT_EQ(form.dialogs.messages.size(), 1u);
  EXPECT_EQ(form.dialogs.messages[0].text, "Number of Tracks do not match! ( 3 4)");
  EXPECT_EQ(list.names[0].substr(0, 13), "01 - Track  1");
}

TEST_F(CdTest, OnlineLookUpAppliesTitlesOfItsOwnDiscOnly) {
  settings.useCDDB = 1;
  InsertDisc();
  ASSERT_EQ(http.urls.size(), 1u);
  EXPECT_EQ(http.urls[0],
            "http://cddb.test/cgi?cmd=cddb+query+0a003c03+3+150+900+2400+62"
            "&hello=me%2Bcd+example.org+Varlo+0.1&proto=6");
  EXPECT_EQ(Status(), "Looking for Album on CDDB server...");
  http.Reply("200 jazz 0d003c0f Band / Album\r\n");
  ASSERT_EQ(http.urls.size(), 2u);
  // The read names the server's category and identifier.
  EXPECT_EQ(http.urls[1],
            "http://cddb.test/cgi?cmd=cddb+read+jazz+0d003c0f"
            "&hello=me%2Bcd+example.org+Varlo+0.1&proto=6");
  EXPECT_EQ(Status(), "Retrieving album from CDDB...");
  http.Reply("210 jazz 0d003c0f\r\nTTITLE0=One\r\nTTITLE2=Three\r\n.\r\n");
  EXPECT_EQ(Status(), "Album data loaded.");
  EXPECT_EQ(list.names[0], "01 - One  (00:10)");
  EXPECT_EQ(list.names[1], "02 - Track  2  (00:20)");
  EXPECT_EQ(list.names[2], "03 - Three  (00:30)");

  // Ejected mid-look-up: the reply that comes later is dropped.
  cd.DoIt(13);
  InsertDisc();
  ASSERT_TRUE(http.pending);
  auto late = http.pending;
  cd.DoIt(13);
  EXPECT_FALSE(http.pending);
  late(HttpReply{true, 200, "200 rock 1 x\r\n", {}});
  EXPECT_EQ(http.urls.size(), 3u);
  EXPECT_TRUE(list.names.empty());

  // A list the user loaded while the look-up ran (CD mode lets them) keeps its names, even
  // one with as many entries as the disc has tracks.
  InsertDisc();
  http.Reply("200 jazz 0d003c0f Band / Album\r\n");
  list.names = {"a", "b", "c"};
  list.paths = {"/m/a.mp3", "/m/b.mp3", "/m/c.mp3"};
  list.Changed();
  http.Reply("210 jazz 0d003c0f\r\nTTITLE0=One\r\n.\r\n");
  EXPECT_EQ(list.names, (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_NE(Status(), "Album data loaded.");
}

TEST_F(CdTest, AnUnsetAddressIntroducesNobody) {
  settings.useCDDB = 1;
  testing::TempDir config;
  settings.emailID = ReadAppSettings(SettingsStore(config.File("none.ini"))).emailID;
  InsertDisc();
  ASSERT_EQ(http.urls.size(), 1u);
  EXPECT_NE(http.urls[0].find("&hello=anonymous+localhost+Varlo+0.1&proto=6"), std::string::npos)
      << http.urls[0];
}

TEST_F(CdTest, CdTextNamesTracksAfterTheLocalDatabaseAndBeforeTheServer) {
  settings.useCDDB = 1;
  DiscToc toc = ThreeTracks();
  toc.text.artist = "Band";
  toc.text.album = "Album";
  toc.text.titles = {"Uno", "", "Tres\x01"};
  InsertDisc(toc);
  EXPECT_TRUE(http.urls.empty()) << "a disc that names its tracks is not looked up";
  EXPECT_TRUE(cd.CdFound());
  EXPECT_EQ(list.names[0], "01 - Uno  (00:10)");
  EXPECT_EQ(list.names[1], "02 - Track  2  (00:20)");
  EXPECT_EQ(list.names[2], "03 - Tres  (00:30)");
  EXPECT_EQ(cd.Text().album, "Album");

  // The local database wins over the disc's own titles.
  cd.DoIt(13);
  EXPECT_TRUE(cd.Text().titles.empty()) << "the text went with the disc";
  prog.Write("cdplayer.ini", "[2E00]\r\nnumtracks=3\r\n0=Local\r\n");
  InsertDisc(toc);
  EXPECT_EQ(list.names[0], "01 - Local  (00:10)");
  EXPECT_EQ(list.names[2], "03 - Track  3  (00:30)");

  // Text without titles (an album name only) leaves the look-up to the server.
  cd.DoIt(13);
  prog.Write("cdplayer.ini", "");
  toc.text.titles = {"", ""};
  InsertDisc(toc);
  EXPECT_EQ(http.urls.size(), 1u);
}

TEST_F(CdTest, LookUpMessagesAndErrors) {
  settings.useCDDB = 1;
  settings.emailID = "@nohost";
  InsertDisc();
  EXPECT_TRUE(http.urls.empty());
  ASSERT_EQ(form.dialogs.messages.size(), 1u);
  EXPECT_EQ(form.dialogs.messages[0].text, "User ID is incorrect!");

  settings.emailID = "u@h";
  const std::pair<std::string, std::string> replies[] = {
      {"202 No match found\r\n", "The CD was not found in CDDB database!"},
      {"403 Database entry is corrupt\r\n", "The CD was not found in CDDB database!"},
      {"\x01\x02garbage", "The CD was not found in CDDB database!"},
  };
  for (const auto& [reply, status] : replies) {
    cd.DoIt(13);
    InsertDisc();
    http.Reply(reply);
    EXPECT_EQ(Status(), status) << reply;
  }
  cd.DoIt(13);
  InsertDisc();
  http.Reply("211 Found inexact matches\r\nrock a T\r\n.\r\n");
  EXPECT_EQ(form.dialogs.messages.back().text, "CDDB returned multiple matches...");
  EXPECT_EQ(list.names[0], "01 - Track  1  (00:10)");

  // A read that answers with an error page never says the album loaded.
  cd.DoIt(13);
  InsertDisc();
  http.Reply("200 rock 0a003c03 x\r\n");
  http.Reply("<html>TTITLE0=Bad</html>");
  EXPECT_EQ(Status(), "The CD was not found in CDDB database!");
  EXPECT_EQ(list.names[0], "01 - Track  1  (00:10)");

  // A failed transfer gives its status; errors of the server, and replies past the cap, say
  // what happened.
  const auto statusAfter = [&](const std::function<void()>& answer) {
    cd.DoIt(13);
    InsertDisc();
    answer();
    return Status();
  };
  EXPECT_EQ(statusAfter([&] { http.Fail(0); }), "CDDB error: 0");
  EXPECT_EQ(statusAfter([&] { http.Fail(404); }), "CDDB error: 404");
  EXPECT_EQ(statusAfter([&] { http.Fail(503); }), "CDDB error: server error 503");
  EXPECT_EQ(statusAfter([&] { http.Fail(200, true); }), "CDDB error: reply too long");
  EXPECT_EQ(statusAfter([&] { http.Reply("409 No handshake\r\n"); }),
            "CDDB error: server error 409");
  EXPECT_EQ(statusAfter([&] { http.Reply("530 Server load too high\r\n"); }),
            "CDDB error: server error 530");
  EXPECT_EQ(statusAfter([&] {
              http.Reply("200 rock 0a003c03 x\r\n");
              http.Reply("402 Server error\r\n");
            }),
            "CDDB error: server error 402");
  EXPECT_EQ(list.names[0], "01 - Track  1  (00:10)");
}

TEST_F(CdTest, ModeChangeDropsTheDiscAndAModalMessageKeepsThePollOut) {
  prog.Write("cdplayer.ini", "[2E00]\r\nnumtracks=9\r\n");
  // While the mismatch message waits for the user, ticks go on: none may poll again.
  int readsDuringMessage = -1;
  form.dialogs.onMsgBox = [&] {
    Tick();
    Tick();
    readsDuringMessage = drive.reads;
  };
  InsertDisc();
  EXPECT_EQ(readsDuringMessage, 1);
  form.dialogs.onMsgBox = nullptr;

  // Leaving CD mode forgets the disc; a read still on its way is dropped.
  Tick();
  cd.DoIt(13);
  drive.state = DriveState::Ready;
  Tick();
  state.cdMode = false;
  cd.CdModeChanged(false);
  drive.Answer(ThreeTracks());
  EXPECT_FALSE(cd.DiscKnown());
  EXPECT_TRUE(list.names.empty());
  cd.Timer1Step();
  EXPECT_EQ(drive.reads, 2);
}

}  // namespace
}  // namespace varlo
