// The one-instance socket: its key, and items handed over it to a running server.
#include "ui/instance_socket.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QTest>
#include <cstdlib>
#include <future>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"
#include "tests/ui/test_app.h"

namespace varlo {
namespace {

TEST(InstanceSocket, TheKeyTellsDisplaysAndProgramFoldersApartButNotTheirSpellings) {
  testing::TempDir dir;
  const std::string home = dir.Path();
  const std::string key = InstanceKey(":0", home);
  EXPECT_EQ(key.size(), 16U);
  EXPECT_EQ(InstanceKey(":0.0", home), key);
  EXPECT_EQ(InstanceKey(":0", home + "/"), key);
  EXPECT_EQ(InstanceKey(":0", home + "/./"), key);
  EXPECT_NE(InstanceKey(":1", home), key);
  EXPECT_NE(InstanceKey("localhost:0", home), key);
  EXPECT_NE(InstanceKey("wayland wayland-0", home), key);
  EXPECT_NE(InstanceKey(":0", home + "/other"), key);
  // The same in every build: a fixed hash, not the standard library's.
  EXPECT_EQ(InstanceKey(":0", "/home/ann/.local/share/varlo"),
            InstanceKey(":0.1", "/home/ann/.local/share/varlo/"));
}

// Sets an environment variable for the life of the object, then puts back what was there.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name) {
    const char* before = std::getenv(name);
    had_ = before != nullptr;
    if (had_) before_ = before;
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() {
    if (had_)
      setenv(name_, before_.c_str(), 1);
    else
      unsetenv(name_);
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  bool had_ = false;
  std::string before_;
};

// The socket can be made in a folder of the user's own, and not where no folder is or the path
// is too long to name a socket; there the bus takes over.
TEST(InstanceSocket, ASocketIsUsableOnlyWhereItCanBeMade) {
  testing::TempDir dir;
  EXPECT_TRUE(InstanceSocketUsable(dir.File("varlo-0123456789abcdef")));
  EXPECT_FALSE(InstanceSocketUsable(dir.File("missing/varlo-0123456789abcdef")));
  EXPECT_FALSE(InstanceSocketUsable(dir.File(std::string(120, 'x'))));
  EXPECT_FALSE(InstanceSocketUsable(""));
  {
    const ScopedEnv runtime("XDG_RUNTIME_DIR", dir.Path() + "/" + std::string(120, 'r'));
    EXPECT_FALSE(InstanceSocketUsable(InstanceSocketPath("0123456789abcdef")));
  }
  const ScopedEnv runtime("XDG_RUNTIME_DIR", dir.Path());
  EXPECT_TRUE(InstanceSocketUsable(InstanceSocketPath("0123456789abcdef")));
}

// Before the toolkit has chosen a display, a start looks for the socket of a program with its
// folder on the X display or the Wayland one it may show on.
TEST(InstanceSocket, ASocketOfThisFolderOnEitherDisplayIsSeenBeforeTheToolkitStarts) {
  testing::TestApp();
  testing::TempDir dir;
  const ScopedEnv runtime("XDG_RUNTIME_DIR", dir.Path());
  const ScopedEnv x11("DISPLAY", ":57");
  const std::string folder = dir.Path() + "/program";
  EXPECT_FALSE(InstanceSocketPresent(folder));
  {
    InstanceSocketServer server(InstanceSocketPath(InstanceKey(":57.0", folder)), nullptr);
    ASSERT_TRUE(server.Listen());
    EXPECT_TRUE(InstanceSocketPresent(folder));
    EXPECT_FALSE(InstanceSocketPresent(folder + "/other"));
  }
  EXPECT_FALSE(InstanceSocketPresent(folder)) << "the socket goes with its server";
  dir.Write(InstanceSocketPath(InstanceKey(":57", folder)).substr(dir.Path().size() + 1), "");
  EXPECT_FALSE(InstanceSocketPresent(folder)) << "a file of that name is no socket";
  const ScopedEnv wayland("WAYLAND_DISPLAY", "wayland-3");
  InstanceSocketServer server(InstanceSocketPath(InstanceKey("wayland wayland-3", folder)),
                              nullptr);
  ASSERT_TRUE(server.Listen());
  EXPECT_TRUE(InstanceSocketPresent(folder));
}

using Items = std::vector<std::string>;

// Hands `items` over from another thread while this one runs the server's event loop.
bool HandOver(const std::string& path, const Items& items) {
  auto done = std::async(std::launch::async, [&] { return HandOverBySocket(path, items); });
  while (done.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready) QTest::qWait(5);
  return done.get();
}

TEST(InstanceSocket, ItemsReachTheRunningProgramInOrderAndAHandOverTooLongIsRefused) {
  testing::TestApp();
  testing::TempDir dir;
  const std::string path = dir.File("varlo-test");
  EXPECT_FALSE(HandOverBySocket(path, {"nobody listens"}));

  std::vector<Items> handed;
  const auto keep = [&handed](const Items& items) { handed.push_back(items); };
  {
    InstanceSocketServer server(path, keep);
    ASSERT_TRUE(server.Listen());
    // A second program cannot take a socket that answers.
    InstanceSocketServer other(path, [](const Items&) {});
    EXPECT_FALSE(other.Listen());

    // Names keep every byte but zero: blanks, Latin-1, line feeds.
    EXPECT_TRUE(HandOver(path, {"/music/a b\xe9.mp3", "/music/two\nlines.ogg", "/music/c"}));
    EXPECT_TRUE(HandOver(path, {}));
    // Many files of a file manager's "Open with" go whole; more than 1 MiB is no hand-over.
    const Items many(2000, "/music/" + std::string(200, 'x') + ".flac");
    EXPECT_TRUE(HandOver(path, many));
    EXPECT_FALSE(HandOver(path, Items(300, std::string(4000, 'y'))));
    ASSERT_EQ(handed.size(), 3U);
    EXPECT_EQ(handed[0], (Items{"/music/a b\xe9.mp3", "/music/two\nlines.ogg", "/music/c"}));
    EXPECT_EQ(handed[1], Items{});
    EXPECT_EQ(handed[2], many);
  }
  EXPECT_NE(access(path.c_str(), F_OK), 0) << "the socket goes with the server";

  // A socket file left by a program that died is taken over.
  const int stale = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  path.copy(address.sun_path, sizeof address.sun_path - 1);
  ASSERT_EQ(::bind(stale, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ::close(stale);
  InstanceSocketServer server(path, keep);
  ASSERT_TRUE(server.Listen());
  EXPECT_TRUE(HandOver(path, {"again"}));
  EXPECT_EQ(handed.back(), Items{"again"});
  EXPECT_EQ(InstanceSocketServer(std::string(200, 'x'), {}).Listen(), false);
}

}  // namespace
}  // namespace varlo
