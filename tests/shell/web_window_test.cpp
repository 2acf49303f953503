// Web radio and the browser inside the main window: their commands, entries, timer and
// links reach them through the routing table, and their files and settings are kept.
#include <gtest/gtest.h>

#include "tests/shell/shell_fixture.h"

namespace varlo {
namespace {

TEST_F(ShellTest, WebRadioPlaysItsPresetsAndShowsThePlayersStateOnTheTimer) {
  Preset("RadioURL0=Loop FM @http://127.0.0.1:8000/live\n");
  Start();
  form->DoIt(130);
  EXPECT_EQ(stream.played, std::vector<std::string>{"http://127.0.0.1:8000/live"});
  EXPECT_EQ(form->Form().lbl[60].caption, "Loop FM");
  EXPECT_EQ(form->Form().lbl[63].caption, "Contacting...");
  stream.status.state = StreamState::Playing;
  stream.status.title = "Song";
  ++stream.status.changes;
  form->Timer1_Timer();
  EXPECT_EQ(form->Form().lbl[63].caption, "Playing");
  EXPECT_EQ(form->Form().lbl[61].caption, "Song");
  form->DoIt(148);
  EXPECT_EQ(stream.stops, 1);
  // A station added is on disk at once; presets are kept at shut-down.
  form->DoIt(142);
  EXPECT_EQ(prog.Read("webradio.txt"), "Station @http://\r\n");
  Stop();
  EXPECT_EQ(Stored("RadioURL0"), "Loop FM @http://127.0.0.1:8000/live");
}

TEST_F(ShellTest, TheAddressEntryAndLinkKeysDriveTheBrowserAndCaptionsAreKept) {
  Preset("URL3=example.org/x\n");
  Start();
  EXPECT_EQ(form->Form().lbl[53].caption, "example.org/x");
  form->Entry_Changed(2, "www.example.org");
  EXPECT_TRUE(form->Entry_KeyDown(2, 13));
  EXPECT_EQ(web.calls.back(), "go http://www.example.org");
  EXPECT_EQ(prog.Read("url-list.txt"), "http://www.example.org\r\n");
  form->Combo_Chosen("https://example.net/");
  EXPECT_EQ(web.calls.back(), "go https://example.net/");
  form->DoIt(113);
  EXPECT_EQ(web.calls.back(), "go http://example.org/x");
  // MEM, then a link key: the address goes into that key's caption, label 55, not label 65.
  form->DoIt(106);
  EXPECT_TRUE(form->Form().window.storePointer);
  form->DoIt(115);
  EXPECT_FALSE(form->Form().window.storePointer);
  EXPECT_EQ(form->Form().lbl[55].caption, "www.example.org");
  EXPECT_EQ(form->Form().lbl[65].caption, "");
  Stop();
  EXPECT_EQ(Stored("URL5"), "www.example.org");
}

TEST_F(ShellTest, SkinWebLinksReachTheDesktopOnlyAsWebOrMailAddresses) {
  Start();
  form->Form().tables.links[11] = "http://x/;touch /tmp/p";
  form->Form().tables.links[12] = "https://example.org/";
  form->Form().tables.links[13] = "file:///etc/passwd";
  form->DoIt(1011);
  form->DoIt(1012);
  form->DoIt(1013);
  EXPECT_EQ(linkOpener.opened, std::vector<std::string>{"https://example.org/"});
  EXPECT_TRUE(launcher.starts.empty()) << "no program is started for a link";
}

}  // namespace
}  // namespace varlo
