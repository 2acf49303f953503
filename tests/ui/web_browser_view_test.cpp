// The browser's web view on Qt's offscreen platform with a real web engine: made only when
// the area first shows, loading a local page asked for before, pages' new windows in the same
// view, failed loads, its persistent profile; the browser mode on it (the home page, and which
// ends of a load it takes for a failure); and the link opener.
#include "ui/web_browser_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <QWidget>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/qt/qt_link_opener.h"
#include "tests/cd/loopback_server.h"
#include "tests/support/fake_form.h"
#include "tests/support/temp_dir.h"
#include "tests/webradio/web_fakes.h"
#include "webradio/browser_mode.h"

namespace varlo {
namespace {

struct Recorder final : WebViewListener {
  int started = 0;
  struct Finished {
    bool ok;
    std::string address, title;
  };
  std::vector<Finished> finished;
  void LoadStarted() override { ++started; }
  void LoadFinished(LoadEnd end, const std::string& address, const std::string& title) override {
    finished.push_back({end == LoadEnd::Loaded, address, title});
  }
  void StatusText(const std::string&) override {}
};

// Runs the event loop until `done` or `ms` pass.
template <typename Done>
bool Spin(Done done, int ms = 20000) {
  QElapsedTimer t;
  t.start();
  while (!done() && t.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 20);
  return done();
}

class WebViewTest : public ::testing::Test {
 protected:
  testing::TempDir site;
  QWidget window;
  WebBrowserView web{VARLO_BROWSER_PLUGIN};
  Recorder events;
  SkinWidget area;

  void SetUp() override {
    site.Write("page.html",
               "<html><head><title>Local Page</title></head><body>"
               "<a id='l' target='_blank' href='second.html'>on</a></body></html>");
    site.Write("second.html", "<html><head><title>Second Page</title></head><body>2</body></html>");
    window.resize(640, 480);
    web.SetParent(&window);
    web.SetListener(&events);
    area.Place(10, 10, 600, 400);
  }
  std::string Url(const std::string& name) { return "file://" + site.File(name); }
};

TEST_F(WebViewTest, TheViewIsMadeOnFirstShowAndLoadsWhatWasAskedBefore) {
  web.Navigate(Url("page.html"));
  area.visible = false;
  web.Sync(area);
  EXPECT_EQ(web.View(), nullptr) << "a hidden area costs nothing";
  area.visible = true;
  web.Sync(area);
  QWidget* shown = web.View();
  ASSERT_NE(shown, nullptr);
  if (shown == nullptr) return;
  EXPECT_EQ(shown->geometry(), QRect(10, 10, 600, 400));
  ASSERT_TRUE(Spin([&] { return !events.finished.empty(); }));
  EXPECT_GE(events.started, 1);
  EXPECT_TRUE(events.finished.back().ok);
  EXPECT_EQ(events.finished.back().title, "Local Page");
  EXPECT_EQ(events.finished.back().address, Url("page.html"));

  // The profile is a persistent one in the user's data folder.
  auto* view = qobject_cast<QWebEngineView*>(web.View());
  ASSERT_NE(view, nullptr);
  if (view == nullptr) return;
  const QWebEngineProfile* profile = view->page()->profile();
  EXPECT_FALSE(profile->isOffTheRecord());
  EXPECT_TRUE(profile->persistentStoragePath().startsWith(
      QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)));

  // A link asking for a new window opens in the same view.
  view->page()->runJavaScript(QStringLiteral("document.getElementById('l').click();"));
  ASSERT_TRUE(Spin([&] { return events.finished.back().title == "Second Page"; }));
  EXPECT_EQ(web.View(), view);
  EXPECT_EQ(events.finished.back().address, Url("second.html"));

  // A page that cannot be loaded reports so.
  web.Navigate(Url("missing.html"));
  ASSERT_TRUE(Spin([&] { return !events.finished.back().ok; }));
  web.Back();
  ASSERT_TRUE(Spin([&] { return events.finished.back().title == "Second Page"; }));
}

// The browser mode on the real view: the home page from a program folder whose path holds
// "#" and "%", and "Page not available" only for a page that could not be loaded, never for
// a load the user stopped or one that a newer load replaced.
TEST_F(WebViewTest, TheModeOpensItsHomePageAndSaysOnlyRealFailures) {
  testing::LoopbackServer server([](testing::LoopbackServer& s, int socket, const std::string&) {
    if (s.Sleep(60000)) testing::LoopbackServer::Send(socket, testing::LoopbackServer::Ok("late"));
  });
  const std::string slow = "http://127.0.0.1:" + std::to_string(server.Port()) + "/slow";
  const std::string folder = site.File("Varlo #1 100%");
  site.Write("Varlo #1 100%/home.html",
             "<html><head><title>Home Page</title></head><body>h</body></html>");
  testing::FakeForm form;
  testing::FakeLinkOpener opener;
  const std::array<std::string, 21> links{};
  BrowserMode browser(form, folder, web, opener, links);
  area.visible = true;
  web.Sync(area);
  ASSERT_NE(web.View(), nullptr);
  const auto title = [&] { return form.captions[BrowserMode::kTitleLabel]; };
  const auto status = [&] { return form.captions[BrowserMode::kStatusLabel]; };

  browser.DoIt(101);
  EXPECT_TRUE(Spin([&] { return title() == "Home Page"; })) << status();

  // Stopped while the server keeps it waiting.
  form.captions.clear();
  browser.SetURL(slow);
  ASSERT_TRUE(Spin([&] { return server.Targets().size() == 1; }));
  browser.DoIt(105);
  Spin([&] { return false; }, 1500);
  EXPECT_NE(status(), "Page not available") << "after Stop";
  EXPECT_FALSE(form.lights[1]);

  // Replaced by a newer load before it answered.
  form.captions.clear();
  browser.SetURL(slow);
  ASSERT_TRUE(Spin([&] { return server.Targets().size() == 2; }));
  browser.SetURL(Url("page.html"));
  EXPECT_TRUE(Spin([&] { return title() == "Local Page"; }));
  Spin([&] { return false; }, 1000);
  EXPECT_NE(status(), "Page not available") << "after a replaced load";
  EXPECT_FALSE(form.lights[1]);

  browser.SetURL(Url("missing.html"));
  EXPECT_TRUE(Spin([&] { return status() == "Page not available"; }));
}

TEST(WebView, WithoutThePluginTheAreaStaysEmpty) {
  QWidget window;
  WebBrowserView web("/nonexistent/libvarlo_browser.so");
  web.SetParent(&window);
  SkinWidget area;
  area.Place(0, 0, 100, 100);
  area.visible = true;
  web.Sync(area);
  EXPECT_EQ(web.View(), nullptr);
  web.Navigate("http://example.org/");  // kept, harmlessly
  web.Back();
}

// The desktop's handler, here a stand-in "xdg-open" first on the path that notes what it was
// given, gets a web address whole as one argument, nothing in it ever reaches a shell, and
// nothing else reaches the handler. Qt hands addresses to the desktop on X11 only (ctest runs
// this case again on an Xvfb); on the offscreen platform only the refusals are checked.
TEST(LinkOpener, HandsWebAddressesWholeToTheDesktopAndRefusesTheRest) {
  testing::TempDir bin;
  const std::string args = bin.File("args"), marker = bin.File("p");
  bin.Write("xdg-open", "#!/bin/sh\nprintf '%s\\n' \"$@\" >> '" + args + "'\n");
  ASSERT_TRUE(QFile::setPermissions(QString::fromStdString(bin.File("xdg-open")),
                                    QFileDevice::ReadOwner | QFileDevice::ExeOwner));
  const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
  setenv("PATH", (bin.Path() + ":" + path).c_str(), 1);
  QtLinkOpener opener;
  for (const std::string& refused :
       {std::string("file:///etc/passwd"), std::string("javascript:alert(1)"), "sh:touch " + marker,
        "http://x/;touch " + marker, "http://x/;touch${IFS}" + marker, std::string(""),
        std::string("smb://host/share")})
    EXPECT_FALSE(opener.Open(refused)) << refused;
  if (QGuiApplication::platformName() != QLatin1String("xcb")) {
    setenv("PATH", path.c_str(), 1);
    GTEST_SKIP() << "no desktop handler on the " << qPrintable(QGuiApplication::platformName())
                 << " platform";
  }
  const std::string address = "http://x/;touch$IFS" + marker + ";echo$IFS'b'&c=$(id)";
  EXPECT_TRUE(opener.Open(address));
  EXPECT_TRUE(Spin([&] { return QFile(QString::fromStdString(args)).size() > 0; }, 10000));
  setenv("PATH", path.c_str(), 1);
  EXPECT_EQ(bin.Read("args"), address + "\n");
  EXPECT_FALSE(QFile::exists(QString::fromStdString(marker)));
}

}  // namespace
}  // namespace varlo

int main(int argc, char** argv) {
  // The user's data folder of the test is a folder of its own.
  static varlo::testing::TempDir home;
  setenv("XDG_DATA_HOME", home.Path().c_str(), 1);
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  varlo::PrepareWebEngine();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("varlo"));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
