// The browser's web view on Qt's offscreen platform with a real web engine: made only when
// the area first shows, loading a local page asked for before, pages' new windows in the same
// view, failed loads, its persistent profile; and the link opener's refusals.
#include "ui/web_browser_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <QWidget>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/qt/qt_link_opener.h"
#include "tests/support/temp_dir.h"

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
  void LoadFinished(bool ok, const std::string& address, const std::string& title) override {
    finished.push_back({ok, address, title});
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

TEST(LinkOpener, RefusesEverythingButWebAndMailAddresses) {
  QtLinkOpener opener;
  for (const char* refused : {"file:///etc/passwd", "javascript:alert(1)", "sh:touch /tmp/p",
                              "http://x/;touch /tmp/p", "", "smb://host/share"})
    EXPECT_FALSE(opener.Open(refused)) << refused;
}

}  // namespace
}  // namespace varlo

int main(int argc, char** argv) {
  // The user's data folder of the test is a folder of its own.
  static varlo::testing::TempDir home;
  setenv("XDG_DATA_HOME", home.Path().c_str(), 1);
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  varlo::PrepareWebEngine();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("varlo"));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
