// The stream player on a real libmpv (null audio output) against the loopback stream server:
// playing with ICY name and titles, the failure kinds, and that no call on the calling thread
// waits while a slow server takes ten seconds to answer.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <functional>
#include <thread>

#include "common/app_settings.h"
#include "platform/mpv/mpv_stream_player.h"
#include "platform/mpv/stream_entries.h"
#include "tests/support/event_loop_probe.h"
#include "tests/support/fake_form.h"
#include "tests/support/temp_dir.h"
#include "tests/webradio/stream_server.h"
#include "webradio/web_radio_mode.h"

namespace varlo {
namespace {

using Clock = std::chrono::steady_clock;

MpvStreamOptions Quiet(int networkTimeout = 30) {
  MpvStreamOptions options;
  options.audioOutput = "null";
  options.networkTimeoutSeconds = networkTimeout;
  return options;
}

// Polls the player every 10 ms until `done` holds or `seconds` pass.
bool WaitFor(const IStreamPlayer& player, double seconds,
             const std::function<bool(const StreamStatus&)>& done) {
  const auto end = Clock::now() + std::chrono::duration<double>(seconds);
  while (Clock::now() < end) {
    if (done(player.Status())) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return done(player.Status());
}

TEST(StreamPlayer, PlaysTheStreamWithItsIcyNameTitlesAndBitRate) {
  testing::StreamServer server;
  MpvStreamPlayer player(Quiet());
  player.Play(server.Url("/live"));
  EXPECT_EQ(player.Status().state, StreamState::Opening);
  ASSERT_TRUE(WaitFor(player, 20, [](const StreamStatus& s) {
    return s.state == StreamState::Playing && s.title == "Loopback Song";
  })) << player.Status().error;
  EXPECT_EQ(player.Status().stationName, "Loopback FM");
  // A later metadata block changes the title while playing.
  EXPECT_TRUE(WaitFor(player, 20, [](const StreamStatus& s) { return s.title == "Second Song"; }));
  EXPECT_TRUE(WaitFor(player, 10, [](const StreamStatus& s) {
    return s.bitRate > 100000 && s.bitRate < 160000 && s.positionSeconds > 0;
  })) << player.Status().bitRate;
  player.Stop();
  EXPECT_EQ(player.Status().state, StreamState::Idle);
}

// A capture device as a USB FM receiver's sound is played: ALSA's null device stands in for
// the receiver's sound card, and a card that is not there fails.
TEST(StreamPlayer, PlaysAnAlsaCaptureDeviceAndFailsOnAMissingOne) {
  MpvStreamOptions options = Quiet();
  options.capture = true;
  MpvStreamPlayer player(options);
  player.Play("av://alsa:null");
  EXPECT_TRUE(WaitFor(player, 20, [](const StreamStatus& s) {
    return s.state == StreamState::Playing;
  })) << player.Status().error;
  player.Play("av://alsa:plughw:77,0");
  EXPECT_TRUE(
      WaitFor(player, 20, [](const StreamStatus& s) { return s.state == StreamState::Failed; }));
}

TEST(StreamPlayer, MissingRefusedAndStalledStreamsFail) {
  testing::StreamServer server;
  for (const std::string& url : {server.Url("/missing"), testing::RefusedUrl()}) {
    MpvStreamPlayer player(Quiet());
    player.Play(url);
    EXPECT_TRUE(WaitFor(player, 15, [](const StreamStatus& s) {
      return s.state == StreamState::Failed;
    })) << url;
  }
  MpvStreamPlayer player(Quiet(2));
  player.Play(server.Url("/stall"));
  // The stall ends in a failure, not in an ordinary end of the stream.
  EXPECT_TRUE(WaitFor(player, 25, [](const StreamStatus& s) {
    return s.state == StreamState::Failed || s.state == StreamState::Idle;
  }));
  EXPECT_EQ(player.Status().state, StreamState::Failed);
}

// A server that trickles its answer never trips the engine's time-out on silence; the player
// gives the stream up after the same time, and a stream that plays is never given up.
TEST(StreamPlayer, AStreamThatNeverStartsIsGivenUpAfterTheNetworkTimeOut) {
  testing::LoopbackServer trickle(
      [](testing::LoopbackServer& self, int socket, const std::string&) {
        for (char c : std::string("HTTP/1.0 200 OK\r\nContent-Type: audio/mpeg\r\n\r\n")) {
          if (!testing::LoopbackServer::Send(socket, std::string(1, c)) || !self.Sleep(300)) return;
        }
      });
  MpvStreamPlayer player(Quiet(2));
  const auto start = Clock::now();
  player.Play("http://127.0.0.1:" + std::to_string(trickle.Port()) + "/live");
  EXPECT_TRUE(
      WaitFor(player, 10, [](const StreamStatus& s) { return s.state == StreamState::Failed; }));
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  EXPECT_GE(seconds, 1.9);
  EXPECT_LT(seconds, 5);
  EXPECT_EQ(player.Status().error, "The stream did not start");

  testing::StreamServer server;
  player.Play(server.Url("/live"));
  ASSERT_TRUE(
      WaitFor(player, 20, [](const StreamStatus& s) { return s.state == StreamState::Playing; }));
  std::this_thread::sleep_for(std::chrono::seconds(3));
  EXPECT_EQ(player.Status().state, StreamState::Playing);
}

// A station playlist whose first servers fail plays from the one that answers: the engine
// skips the failed entries, and the player never reports a failure on the way. The stream
// it replaces, which fails while the new one opens, is not taken for the new one.
TEST(StreamPlayer, AStationPlaysFromItsFirstServerThatAnswers) {
  testing::StreamServer server;
  MpvStreamPlayer player(Quiet());
  player.Play(testing::RefusedUrl());
  player.Play(server.Url("/servers.pls"));
  bool failed = false;
  EXPECT_TRUE(WaitFor(player, 20, [&failed](const StreamStatus& s) {
    failed = failed || s.state == StreamState::Failed;
    return failed || (s.state == StreamState::Playing && s.title == "Loopback Song");
  })) << player.Status().error;
  EXPECT_FALSE(failed) << player.Status().error;
  EXPECT_EQ(player.Status().stationName, "Loopback FM");
}

// The same rules on exact sequences of the engine's reports, the races included: a replaced
// stream's late failure and its playlist's next entry, skipped servers, an idle report from
// before the stream started, and reports after a stop.
TEST(StreamPlayer, EntriesOfTheStreamAskedForLastDecideItsState) {
  StreamEntries entries;
  StreamStatus s;
  s.state = StreamState::Opening;
  entries.Loaded(1);
  entries.Started(1, s);
  entries.Restarted(false, s);
  EXPECT_EQ(s.state, StreamState::Playing);
  s.state = StreamState::Opening;  // a new station asked for
  entries.Loaded(4);
  entries.Ended(1, EntryEnd::Failed, s);
  entries.Started(2, s);
  EXPECT_FALSE(entries.Current());
  entries.Ended(2, EntryEnd::Failed, s);
  entries.Idle(true, s);
  EXPECT_EQ(s.state, StreamState::Opening);
  entries.Started(4, s);
  entries.Ended(4, EntryEnd::Redirected, s);
  entries.Started(5, s);
  entries.Ended(5, EntryEnd::Failed, s);
  entries.Started(6, s);
  EXPECT_EQ(s.state, StreamState::Opening);
  entries.Restarted(true, s);
  EXPECT_EQ(s.state, StreamState::Paused);
  entries.Ended(6, EntryEnd::Ended, s);
  entries.Idle(true, s);
  EXPECT_EQ(s.state, StreamState::Failed);
  EXPECT_EQ(s.error, "The stream ended");

  s = {};
  s.state = StreamState::Opening;
  entries.Loaded(9);
  entries.Idle(true, s);
  entries.Started(9, s);
  entries.Idle(true, s);
  EXPECT_EQ(s.state, StreamState::Opening);
  entries.Ended(9, EntryEnd::Failed, s);
  entries.Idle(true, s);
  EXPECT_EQ(s.state, StreamState::Failed);
  EXPECT_EQ(s.error, "The stream is not available");

  s.state = StreamState::Idle;
  entries.Stopped();
  entries.Started(10, s);
  entries.Ended(10, EntryEnd::Failed, s);
  entries.Idle(true, s);
  EXPECT_EQ(s.state, StreamState::Idle);
}

TEST(StreamPlayer, ASlowServerNeverHoldsUpTheCallingThread) {
  testing::StreamServer server;
  AppSettings settings;
  testing::TempDir prog;
  testing::FakeForm form;
  MpvStreamPlayer player(Quiet());
  WebRadioMode wr(form, settings, prog.Path(), player);
  wr.Load();
  // The main timer's work, every 10 ms, while the server takes ten seconds to answer: the
  // longest gap between two ticks is what the window's event loop would see.
  const auto start = Clock::now();
  wr.WRPlay("Slow @" + server.Url("/slow"));
  const double playMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  double longestGapMs = 0;
  auto last = Clock::now();
  bool played = false;
  while (Clock::now() - start < std::chrono::seconds(25)) {
    wr.Timer1Step();
    const auto now = Clock::now();
    longestGapMs =
        std::max(longestGapMs, std::chrono::duration<double, std::milli>(now - last).count());
    last = now;
    if (form.captions[61] == "Loopback Song") {
      played = true;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  std::printf("play call %.2f ms, longest gap between ticks %.1f ms, title after %.1f s\n", playMs,
              longestGapMs, seconds);
  EXPECT_TRUE(played);
  EXPECT_GE(seconds, 9.5);
  EXPECT_LT(playMs, 100);
  EXPECT_LT(longestGapMs, 100);
  EXPECT_EQ(form.captions[62], "Loopback FM");
}

// The same inside an event loop, as the window runs it: the main timer's tick every 100 ms
// and a 10 ms timer that notes the longest time the loop went without serving it.
TEST(StreamPlayer, TheEventLoopKeepsRunningWhileASlowServerAnswers) {
  static int argc = 1;
  static char name[] = "stream_player_tests";
  static char* argv[] = {name, nullptr};
  static QCoreApplication* app = new QCoreApplication(argc, argv);
  testing::StreamServer server;
  AppSettings settings;
  testing::TempDir prog;
  testing::FakeForm form;
  MpvStreamPlayer player(Quiet());
  WebRadioMode wr(form, settings, prog.Path(), player);
  wr.Load();
  QTimer timer1;
  QObject::connect(&timer1, &QTimer::timeout, [&wr] { wr.Timer1Step(); });
  timer1.start(100);
  testing::EventLoopProbe probe;
  QTimer done;
  QObject::connect(&done, &QTimer::timeout, [&] {
    if (form.captions[61] == "Loopback Song" || probe.ElapsedMs() > 25000) app->quit();
  });
  done.start(10);
  QTimer::singleShot(0, [&] {
    probe.Start();
    wr.WRPlay("Slow @" + server.Url("/slow"));
  });
  app->exec();
  std::printf("event loop: longest gap %lld ms, title after %.1f s\n",
              static_cast<long long>(probe.LongestMs()),
              static_cast<double>(probe.ElapsedMs()) / 1000.0);
  EXPECT_EQ(form.captions[61], "Loopback Song");
  EXPECT_GE(probe.ElapsedMs(), 9500);
  EXPECT_LT(probe.LongestMs(), 100);
}

}  // namespace
}  // namespace varlo
