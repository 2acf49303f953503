// The look-up over real HTTP against a server on the loopback interface that plays gnudb:
// every reply, however broken, ends in the right message within 15 s while the event loop
// keeps answering.
#include <gtest/gtest.h>
#include <sys/socket.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include "cd/cddb_lookup.h"
#include "platform/qt/lazy_http_getter.h"
#include "tests/cd/loopback_server.h"
#include "tests/support/fake_form.h"

namespace varlo {
namespace {

using testing::LoopbackServer;

QCoreApplication& App() {
  static int argc = 1;
  static char name[] = "cddb_http_tests";
  static char* argv[] = {name, nullptr};
  static auto* app = new QCoreApplication(argc, argv);
  return *app;
}

constexpr const char* kReadReply =
    "210 jazz 0a003c0f CD database entry follows (until terminating `.')\r\n"
    "DTITLE=Band / Album\r\nTTITLE0=Caf\xc3\xa9 200 rock\r\nTTITLE1=Two\r\n.\r\n";

struct Outcome {
  std::string status;  // label 15 at the end
  std::vector<std::string> messages;
  std::vector<std::string> titles;
  double seconds = 0;       // until the look-up ended
  qint64 longestGapMs = 0;  // the longest the event loop did not answer
};

// Looks up the three-track disc against `server` and waits for the look-up to end.
Outcome LookUp(LoopbackServer& server, HttpLimits limits = {}) {
  App();
  testing::FakeForm form;
  AppSettings settings;
  settings.cddbCmd = server.CommandPrefix();
  settings.emailID = "me+cd@example.org";
  LazyHttpGetter http(limits);
  CddbLookup lookup(http, form, settings);
  DiscToc toc;
  toc.tracks = {{0, true}, {750, true}, {2250, true}};
  toc.leadOutLba = 4500;
  Outcome outcome;
  QElapsedTimer clock;
  clock.start();
  lookup.Start(MakeTrackTable(toc), "0a003c03", [&](const std::vector<std::string>& titles) {
    outcome.titles = titles;
    return true;
  });

  QElapsedTimer gap;
  gap.start();
  QTimer beat;
  QObject::connect(&beat, &QTimer::timeout,
                   [&] { outcome.longestGapMs = std::max(outcome.longestGapMs, gap.restart()); });
  beat.start(20);
  QEventLoop loop;
  QTimer check;
  QObject::connect(&check, &QTimer::timeout, [&] {
    if (lookup.CurrentStage() == CddbLookup::Stage::Idle || clock.elapsed() > 20000) loop.quit();
  });
  check.start(10);
  loop.exec();
  outcome.seconds = static_cast<double>(clock.elapsed()) / 1000.0;
  outcome.status = form.Caption(15);
  for (const auto& message : form.dialogs.messages) outcome.messages.push_back(message.text);
  return outcome;
}

// A server that answers the query with `query` and the read with the read reply.
LoopbackServer::Answer Replies(std::string query) {
  return [query](LoopbackServer&, int socket, const std::string& target) {
    const bool read = target.find("cddb+read") != std::string::npos;
    LoopbackServer::Send(socket, LoopbackServer::Ok(read ? kReadReply : query));
  };
}

TEST(CddbHttp, ExactMatchSendsTheExactQueryThenReadsTheServersEntry) {
  LoopbackServer server(Replies("200 jazz 0a003c0f Band / Album\r\n"));
  const Outcome outcome = LookUp(server);
  EXPECT_EQ(outcome.status, "Album data loaded.");
  EXPECT_EQ(outcome.titles, (std::vector<std::string>{"Caf\xc3\xa9 200 rock", "Two", ""}));
  const auto targets = server.Targets();
  ASSERT_EQ(targets.size(), 2u);
  EXPECT_EQ(targets[0],
            "/~cddb/cddb.cgi?cmd=cddb+query+0a003c03+3+150+900+2400+62"
            "&hello=me%2Bcd+example.org+Varlo+0.1&proto=6");
  EXPECT_EQ(targets[1],
            "/~cddb/cddb.cgi?cmd=cddb+read+jazz+0a003c0f"
            "&hello=me%2Bcd+example.org+Varlo+0.1&proto=6");
}

TEST(CddbHttp, RepliesWithoutOneExactMatch) {
  const std::pair<std::string, std::string> cases[] = {
      {"202 No match found\r\n", "The CD was not found in CDDB database!"},
      {"403 Database entry is corrupt\r\n", "The CD was not found in CDDB database!"},
      {"\x89PNG garbage 200 rock 1\r\n", "The CD was not found in CDDB database!"},
  };
  for (const auto& [reply, status] : cases) {
    LoopbackServer server(Replies(reply));
    const Outcome outcome = LookUp(server);
    EXPECT_EQ(outcome.status, status) << reply;
    EXPECT_TRUE(outcome.titles.empty());
    EXPECT_EQ(server.Targets().size(), 1u);
  }
  for (const char* multiple : {"210 Found exact matches, list follows\r\nrock a A\r\n.\r\n",
                               "211 Found inexact matches, list follows\r\nrock a A\r\n.\r\n"}) {
    LoopbackServer server(Replies(multiple));
    const Outcome outcome = LookUp(server);
    EXPECT_EQ(outcome.messages, (std::vector<std::string>{"CDDB returned multiple matches..."}));
  }
  // A read answered with an error page loads nothing.
  LoopbackServer server([](LoopbackServer&, int socket, const std::string& target) {
    const bool read = target.find("cddb+read") != std::string::npos;
    LoopbackServer::Send(socket,
                         LoopbackServer::Ok(read ? "<html>TTITLE0=x</html>" : "200 rock 1 x\r\n"));
  });
  EXPECT_EQ(LookUp(server).status, "The CD was not found in CDDB database!");
}

// Short limits stand in for the 5 s and 15 s ones, which the getter's own defaults hold.
constexpr HttpLimits kShortLimits{300, 1000};

TEST(CddbHttp, AStalledServerEndsInTime) {
  LoopbackServer stall([](LoopbackServer& self, int, const std::string&) { self.Sleep(20000); });
  const Outcome outcome = LookUp(stall, kShortLimits);
  EXPECT_EQ(outcome.status, "CDDB error: 0");
  EXPECT_GE(outcome.seconds, 0.25);
  EXPECT_LT(outcome.seconds, 5.0);
  EXPECT_LT(outcome.longestGapMs, 200);
}

TEST(CddbHttp, ATricklingServerEndsInTime) {
  LoopbackServer server([](LoopbackServer& self, int socket, const std::string&) {
    const std::string reply = LoopbackServer::Ok("200 rock 0a003c03 x\r\n");
    for (char c : reply) {
      if (!LoopbackServer::Send(socket, std::string(1, c)) || !self.Sleep(1000)) return;
    }
  });
  // Bytes keep coming, so only the limit on the whole reply ends it.
  const Outcome outcome = LookUp(server, {5000, 1000});
  EXPECT_EQ(outcome.status.substr(0, 11), "CDDB error:");
  EXPECT_GE(outcome.seconds, 0.95);
  EXPECT_LT(outcome.seconds, 5.0);
  EXPECT_LT(outcome.longestGapMs, 200);
}

TEST(CddbHttp, HugeAndResetRepliesFail) {
  LoopbackServer huge([](LoopbackServer&, int socket, const std::string&) {
    const std::string body(10 * 1024 * 1024, 'x');
    LoopbackServer::Send(socket, LoopbackServer::Ok("200 rock 0a003c03 x\r\n" + body));
  });
  Outcome outcome = LookUp(huge);
  EXPECT_EQ(outcome.status, "CDDB error: reply too long");
  EXPECT_LT(outcome.seconds, 15.0);
  EXPECT_LT(outcome.longestGapMs, 200);

  LoopbackServer reset([](LoopbackServer&, int socket, const std::string&) {
    const linger abort{1, 0};
    ::setsockopt(socket, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
  });
  outcome = LookUp(reset);
  EXPECT_EQ(outcome.status, "CDDB error: 0");
  EXPECT_LT(outcome.seconds, 15.0);

  LoopbackServer busy([](LoopbackServer&, int socket, const std::string&) {
    LoopbackServer::Send(socket,
                         "HTTP/1.0 503 Service Unavailable\r\nContent-Length: 4\r\n\r\nbusy");
  });
  EXPECT_EQ(LookUp(busy).status, "CDDB error: server error 503");
}

}  // namespace
}  // namespace varlo
