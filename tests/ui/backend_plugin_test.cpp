// The fronts of the backend plugins when a plugin cannot be loaded: every call answers as the
// interface says a missing service does, never crashing and never answering inside the call.
#include "platform/backend_plugin.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <string>

#include "platform/qt/lazy_http_getter.h"
#include "platform/qt/lazy_printer.h"
#include "platform/qt/lazy_serial_port.h"
#include "tests/ui/test_app.h"

namespace varlo {
namespace {

constexpr const char* kMissing = "/nonexistent/libvarlo_missing.so";

TEST(BackendPlugin, PluginsAreLookedForBesideTheProgramAndAMissingOneIsNull) {
  // The test programs stand in bin/ as the program does, the plugins in lib/ beside it.
  const std::string folder = PluginFolder();
  EXPECT_EQ(folder.substr(folder.size() - 4), "/lib") << folder;
  EXPECT_EQ(PluginSymbol(kMissing, "x", "a test"), nullptr);
  EXPECT_EQ(PluginSymbol(kVarloSerialPlugin, "no_such_function", "a test"), nullptr);
  EXPECT_NE(PluginSymbol(kVarloSerialPlugin, kVarloMakeSerialPort, "a test"), nullptr);
}

TEST(BackendPlugin, WithoutTheirPluginsPrintsFailPortsStayClosedAndRequestsFailLater) {
  testing::TestApp();
  LazyPrinter printer({}, kMissing);
  EXPECT_EQ(printer.PrintText("note", "note"), PrintResult::kFailed);
  QImage look(10, 10, QImage::Format_RGB32);
  EXPECT_EQ(printer.PrintImage(look, "window"), PrintResult::kFailed);

  LazySerialPort port(kMissing);
  EXPECT_FALSE(port.Open("/dev/ttyS0", SerialLine{}));
  EXPECT_FALSE(port.IsOpen());
  EXPECT_FALSE(port.Write("x"));
  port.Close();

  LazyHttpGetter http({}, kMissing);
  int answers = 0;
  HttpReply last;
  http.Get("http://127.0.0.1/", [&](const HttpReply& reply) {
    ++answers;
    last = reply;
  });
  EXPECT_EQ(answers, 0) << "never inside the call";
  EXPECT_TRUE(QTest::qWaitFor([&] { return answers == 1; }, 2000));
  EXPECT_FALSE(last.ok);
  EXPECT_EQ(last.status, 0);
  EXPECT_FALSE(last.error.empty());
  // A cancelled request is never answered; one replaced by the next neither.
  http.Get("http://127.0.0.1/a", [&](const HttpReply&) { answers += 100; });
  http.Cancel();
  http.Get("http://127.0.0.1/b", [&](const HttpReply&) { answers += 1000; });
  http.Get("http://127.0.0.1/c", [&](const HttpReply&) { ++answers; });
  EXPECT_TRUE(QTest::qWaitFor([&] { return answers == 2; }, 2000));
  QTest::qWait(50);
  EXPECT_EQ(answers, 2);
}

}  // namespace
}  // namespace varlo
