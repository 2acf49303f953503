// The browser mode on a fake form, web view and link opener: commands, the address entry and
// its history file, link buttons and their captions, web links and what pages report.
#include "webradio/browser_mode.h"

#include <gtest/gtest.h>

#include <memory>

#include "tests/support/fake_form.h"
#include "tests/support/temp_dir.h"
#include "tests/webradio/web_fakes.h"

namespace varlo {
namespace {

class BrowserTest : public ::testing::Test {
 protected:
  testing::TempDir prog;
  testing::FakeForm form;
  testing::FakeWebView web;
  testing::FakeLinkOpener opener;
  std::array<std::string, 21> links{};
  std::unique_ptr<BrowserMode> browser;

  void Start(const std::string& history = "") {
    if (!history.empty()) prog.Write("url-list.txt", history);
    browser = std::make_unique<BrowserMode>(form, prog.Path(), web, opener, links);
    browser->Load();
  }
  std::vector<std::string>& History() {
    return form.lists[static_cast<std::size_t>(FormList::UrlHistory)].rows;
  }
  void Type(const std::string& text) {
    form.SetEntryText(2, text);
    EXPECT_TRUE(browser->EntryKey(2, 13));
  }
};

TEST_F(BrowserTest, CommandsDriveTheViewAndTheActivityLight) {
  Start();
  browser->DoIt(103);
  EXPECT_TRUE(form.lights[1]);
  browser->DoIt(105);
  EXPECT_FALSE(form.lights[1]);
  browser->DoIt(104);
  browser->DoIt(102);
  browser->DoIt(101);
  EXPECT_EQ(web.calls,
            (std::vector<std::string>{"back", "stop", "forward", "reload", "go about:blank"}));
  prog.Write("home.html", "<p>home</p>");
  browser->DoIt(101);
  EXPECT_EQ(web.calls.back(), "file " + prog.Path() + "/home.html");
}

TEST_F(BrowserTest, ATypedWwwAddressIsNavigatedWithHttpAndTopsTheHistoryFile) {
  Start("http://old/\r\n");
  Type("WWW.Example.org");
  EXPECT_EQ(web.calls.back(), "go http://WWW.Example.org");
  EXPECT_EQ(History(), (std::vector<std::string>{"http://WWW.Example.org", "http://old/"}));
  // Written when it changes, not only at shut-down.
  EXPECT_EQ(prog.Read("url-list.txt"), "http://WWW.Example.org\r\nhttp://old/\r\n");
  Type("http://old/");
  EXPECT_EQ(prog.Read("url-list.txt"), "http://old/\r\nhttp://WWW.Example.org\r\n");
}

TEST_F(BrowserTest, AFullHistoryDropsItsOldestEntry) {
  std::string text;
  for (int i = 0; i < 100; ++i) text += "http://s" + std::to_string(i) + "/\r\n";
  Start(text);
  ASSERT_EQ(History().size(), 100u);
  Type("http://newest/");
  ASSERT_EQ(History().size(), 100u);
  EXPECT_EQ(History().front(), "http://newest/");
  EXPECT_EQ(History().back(), "http://s98/");
  Start();  // read back from the file
  EXPECT_EQ(History().back(), "http://s98/");
}

TEST_F(BrowserTest, FinishedPagesShowTheirAddressAndTitleButErrorPagesDoNot) {
  Start();
  form.SetEntryText(2, "typed");
  web.listener->LoadStarted();
  EXPECT_TRUE(form.lights[1]);
  web.listener->LoadFinished(LoadEnd::Stopped, "http://slow/", "");
  EXPECT_FALSE(form.lights[1]);
  EXPECT_EQ(form.captions[46], "");
  web.listener->LoadFinished(LoadEnd::Failed, "chrome-error://chromewebdata/", "");
  EXPECT_EQ(form.EntryText(2), "typed");
  EXPECT_EQ(form.captions[45], "");
  EXPECT_EQ(form.captions[46], "Page not available");
  web.listener->LoadFinished(LoadEnd::Loaded, "http://page/", "A Page");
  EXPECT_EQ(form.EntryText(2), "http://page/");
  EXPECT_EQ(form.captions[45], "A Page");
  web.listener->StatusText("http://link/");
  EXPECT_EQ(form.captions[46], "http://link/");
}

TEST_F(BrowserTest, LinkButtonsStoreAndReadLabelsFiftyToFiftyNine) {
  Start();
  form.SetEntryText(2, "http://example.org/radio");
  form.armed[static_cast<std::size_t>(StoreMode::Presets)] = true;
  browser->DoIt(113);
  EXPECT_EQ(form.captions[53], "example.org/radio");
  EXPECT_FALSE(form.armed[static_cast<std::size_t>(StoreMode::Presets)]);
  // The web-radio labels are left alone.
  EXPECT_EQ(form.captions.count(63), 0u);
  browser->DoIt(113);
  EXPECT_EQ(web.calls.back(), "go http://example.org/radio");
  // An empty caption goes nowhere.
  web.calls.clear();
  browser->DoIt(110);
  EXPECT_TRUE(web.calls.empty());
}

TEST_F(BrowserTest, WebLinksOpenOnTheDesktopOnlyForWebAndMail) {
  links[11] = "http://example.org/";
  links[12] = "mailto:me@example.org";
  links[13] = "http://x/;touch /tmp/p";
  links[14] = "file:///etc/passwd";
  links[15] = "http://x/;touch${IFS}/tmp/p";
  Start();
  for (int code = 1011; code <= 1016; ++code) browser->DoIt(code);
  // The semicolon one without blanks is a valid address: it goes to the handler whole, as one
  // address (what the desktop's handler makes of it is the link opener's test).
  EXPECT_EQ(opener.opened, (std::vector<std::string>{"http://example.org/", "mailto:me@example.org",
                                                     "http://x/;touch${IFS}/tmp/p"}));
}

}  // namespace
}  // namespace varlo
