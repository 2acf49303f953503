#include "player/visual_selector.h"

#include <gtest/gtest.h>

#include "player/visual_selector_form.h"
#include "tests/support/temp_dir.h"

namespace varlo {
namespace {

TEST(VisualSelector, ScansPlaylistsOfATreeWithWholeExtensions) {
  testing::TempDir dir;
  for (int i = 0; i < 15; ++i) dir.Write("lists/a/" + std::to_string(10 + i) + ".m3u", "x.mp3\n");
  dir.Write("lists/b/Rock.PLS", "[playlist]\nFile1=x.mp3\n");
  dir.Write("lists/b/Jazz.m3u", "");
  dir.Write("lists/b/odd.3u", "");  // not a playlist though "3U" is in "M3U"
  dir.Write("lists/b/song.mp3", "");
  const std::vector<std::string> found = ScanPlaylists(dir.File("lists"));
  ASSERT_EQ(found.size(), 17u);
  EXPECT_EQ(found.front(), dir.File("lists/a/10.m3u"));
  EXPECT_EQ(LastPage(17), 1);
  EXPECT_EQ(PageStatus(1, 17), "Page 2 of 2.  Total Playlists: 17");
  EXPECT_EQ(PageStatus(0, 16), "Page 1 of 1.  Total Playlists: 16");
  EXPECT_EQ(LastPage(0), 0);
  EXPECT_TRUE(ScanPlaylists(dir.File("missing")).empty());

  // A walk that is stopped keeps what it found.
  std::atomic<bool> stop{true};
  EXPECT_TRUE(ScanPlaylists(dir.File("lists"), {}, &stop).empty());
}

TEST(VisualSelector, FolderEntriesStandForFolders) {
  testing::TempDir dir;
  dir.Write("top/Rock.DIR", "");
  dir.Write("top/Pop.dir", "");
  dir.Write("top/mix.m3u", "");
  dir.Write("top/Rock/best.m3u", "");
  const std::vector<std::string> found = ScanPlaylists(dir.File("top"));
  EXPECT_EQ(found, (std::vector<std::string>{dir.File("top/Pop.dir"), dir.File("top/Rock.DIR")}));
  EXPECT_TRUE(IsFolderEntry(found[1]));
  EXPECT_EQ(FolderOfEntry(found[1]), dir.File("top/Rock"));
  EXPECT_EQ(ScanPlaylists(FolderOfEntry(found[1])),
            std::vector<std::string>{dir.File("top/Rock/best.m3u")});
  const PlaylistContents contents = ReadPlaylistContents(found[1]);
  EXPECT_EQ(contents.lines,
            std::vector<std::string>{"This is a directory. Double-click to enter!"});
  EXPECT_TRUE(contents.paths.empty());
}

TEST(VisualSelector, ContentsAndPictures) {
  testing::TempDir dir;
  const std::string m3u = dir.Write("lists/Mix.m3u",
                                    "#EXTM3U\r\n#EXTINF:123,Artist - One\r\none.mp3\r\n"
                                    "/elsewhere/Two.ogg\r\n");
  const std::string pls = dir.Write(
      "lists/Radio.pls", "[playlist]\nNumberOfEntries=1\nFile1=sub\\Three.mp3\nTitle1=T\n");
  const PlaylistContents mix = ReadPlaylistContents(m3u);
  EXPECT_EQ(mix.lines, (std::vector<std::string>{"one.mp3", "Two.ogg"}));
  EXPECT_EQ(mix.paths, (std::vector<std::string>{dir.File("lists/one.mp3"), "/elsewhere/Two.ogg"}));
  EXPECT_EQ(ReadPlaylistContents(pls).lines, std::vector<std::string>{"Three.mp3"});
  EXPECT_EQ(ReadPlaylistContents(pls).paths,
            std::vector<std::string>{dir.File("lists/sub/Three.mp3")});

  EXPECT_EQ(PlaylistPicture(m3u, "/prog/nocover.bmp"), "/prog/nocover.bmp");
  const std::string own = dir.Write("lists/Mix.JPG", "j");
  EXPECT_EQ(PlaylistPicture(m3u, "/prog/nocover.bmp"), own);
  EXPECT_EQ(PlaylistPicture(pls, ""), "");
}

}  // namespace
}  // namespace varlo

namespace varlo {
namespace {

// Tasks that only record what was asked; the test answers them, in any order.
struct RecordingTasks final : SelectorTasks {
  struct Asked {
    std::uint64_t ticket;
    std::string what;  // the folder, the playlist, or the first playlist of a page
    std::size_t count = 0;
  };
  std::vector<Asked> scans, pictures, contents;
  int stops = 0;
  void Scan(std::uint64_t t, const std::string& folder) override { scans.push_back({t, folder}); }
  void LoadPictures(std::uint64_t t, const std::vector<std::string>& lists,
                    const std::string&) override {
    pictures.push_back({t, lists.empty() ? "" : lists[0], lists.size()});
  }
  void ReadContents(std::uint64_t t, const std::string& list) override {
    contents.push_back({t, list});
  }
  void Stop() override { ++stops; }
};

struct RecordingHost final : SelectorHost {
  AppSettings settings;
  std::vector<std::string> calls;
  AppSettings& Settings() override { return settings; }
  void LoadAndPlay(const std::string& path) override { calls.push_back("load " + path); }
  void AppendAndPlay(const std::string& path) override { calls.push_back("append " + path); }
  void RestoreOnTop() override { calls.push_back("on top"); }
};

class SelectorFormTest : public ::testing::Test {
 protected:
  SelectorFormTest() {
    form.onChanged = [this](unsigned c) { changes |= c; };
  }
  // `n` playlists of folder `dir`, named 00.m3u onwards.
  static std::vector<std::string> Lists(const std::string& dir, int n) {
    std::vector<std::string> found;
    for (int i = 0; i < n; ++i)
      found.push_back(dir + "/" + (i < 10 ? "0" : "") + std::to_string(i) + ".m3u");
    return found;
  }
  void ScanAndShow(const std::string& folder, int n) {
    form.ScanPlaylists(folder);
    form.ScanDone(tasks.scans.back().ticket, Lists(folder, n));
    form.PicturesDone(tasks.pictures.back().ticket);
  }

  testing::TempDir dir;
  RecordingTasks tasks;
  RecordingHost host;
  VisualSelectorForm form{host, tasks, dir.Path()};
  unsigned changes = 0;
};

// Choosing a row of the list view turns to its page: the status, the pictures asked for and
// the selection agree, and a double-click loads the playlist chosen.
TEST_F(SelectorFormTest, AListViewRowOnAnotherPageRedrawsThatPage) {
  const std::string lists = dir.File("lists");
  dir.Write("lists/x", "");
  ScanAndShow(lists, 40);
  ASSERT_EQ(tasks.pictures.size(), 1u);
  changes = 0;
  form.Dummy_Click(35);
  EXPECT_EQ(form.Page(), 2);
  EXPECT_TRUE(changes & VisualSelectorForm::kPage);
  EXPECT_EQ(form.Status(), "Page 3 of 3.  Total Playlists: 40");
  ASSERT_EQ(tasks.pictures.size(), 2u);
  EXPECT_EQ(tasks.pictures[1].what, Lists(lists, 40)[32]);
  EXPECT_EQ(tasks.pictures[1].count, 8u);
  EXPECT_EQ(form.Selected(), Lists(lists, 40)[35]);
  EXPECT_EQ(form.SelectedIndex(), 35);
  EXPECT_EQ(form.EntryOnPage(3), 35);
  // The page's pictures arrive: the selection stays, and opening it loads that playlist.
  form.PicturesDone(tasks.pictures[1].ticket);
  EXPECT_EQ(form.NameLabel(), "35.m3u");
  form.OpenSelected();
  EXPECT_EQ(host.calls, std::vector<std::string>{"load " + Lists(lists, 40)[35]});
  // A row on the page shown does not reload its pictures.
  form.Dummy_Click(33);
  EXPECT_EQ(tasks.pictures.size(), 2u);
}

// A folder chosen while a walk runs is not cut short by the old walk's answer, and stale
// pictures and contents change nothing; "Set as Default" takes the folder of the walk shown.
TEST_F(SelectorFormTest, StaleAnswersOfOlderTasksAreDropped) {
  const std::string a = dir.File("a"), b = dir.File("b");
  dir.Write("a/x", "");
  dir.Write("b/x", "");
  form.chkSetDef_Click(true);
  form.ScanPlaylists(a);
  form.ScanPlaylists(b);
  ASSERT_EQ(tasks.scans.size(), 2u);
  form.ScanDone(tasks.scans[1].ticket, Lists(b, 20));
  ASSERT_EQ(tasks.pictures.size(), 1u);
  EXPECT_TRUE(form.Busy());
  // The first walk, stopped, answers late with what it had.
  form.ScanDone(tasks.scans[0].ticket, Lists(a, 3));
  form.ScanProgress(tasks.scans[0].ticket, 3);
  EXPECT_EQ(form.Found().size(), 20u);
  EXPECT_EQ(host.settings.visPLPath, b);
  EXPECT_EQ(tasks.pictures.size(), 1u);

  // Page 2 asked for while page 1's pictures load: page 1's answer is not taken, and does
  // not end the busy state of page 2.
  form.cNext_Click();
  ASSERT_EQ(tasks.pictures.size(), 2u);
  EXPECT_FALSE(form.PicturesWanted(tasks.pictures[0].ticket));
  form.PicturesDone(tasks.pictures[0].ticket);
  EXPECT_TRUE(form.Busy());
  EXPECT_EQ(form.CancelCaption(), std::string("Stop"));
  EXPECT_TRUE(form.PicturesWanted(tasks.pictures[1].ticket));
  form.PicturesDone(tasks.pictures[1].ticket);
  EXPECT_FALSE(form.Busy());
  EXPECT_EQ(form.NameLabel(), "Select playlist...");

  // Contents of a playlist clicked before another are not shown for the other.
  form.ShowPlaylistContents(0);
  form.ShowPlaylistContents(1);
  ASSERT_EQ(tasks.contents.size(), 2u);
  form.ContentsDone(tasks.contents[0].ticket, PlaylistContents{{"old.mp3"}, {"/old.mp3"}});
  EXPECT_TRUE(form.Contents().lines.empty());
  form.ContentsDone(tasks.contents[1].ticket, PlaylistContents{{"new.mp3"}, {"/new.mp3"}});
  EXPECT_EQ(form.Contents().lines, std::vector<std::string>{"new.mp3"});
  form.PlayList_DblClick(0);
  EXPECT_EQ(host.calls, std::vector<std::string>{"append /new.mp3"});
}

// Exit gives the main window its on-top state back; a load asked for while pictures load
// waits for them to stop, and says so meanwhile.
TEST_F(SelectorFormTest, ExitRestoresOnTopAndALoadWhilePicturesLoadIsQueued) {
  dir.Write("lists/x", "");
  ScanAndShow(dir.File("lists"), 5);
  form.cNext_Click();  // one page only: nothing
  EXPECT_EQ(tasks.pictures.size(), 1u);
  form.cPrev_Click();
  form.cCancel_Click();
  EXPECT_EQ(host.calls, std::vector<std::string>{"on top"});
  EXPECT_TRUE(changes & VisualSelectorForm::kClose);

  host.calls.clear();
  changes = 0;
  tasks.stops = 0;
  form.ScanPlaylists(dir.File("lists"));
  form.cCancel_Click();  // "Stop" while busy: the walk stops, the window stays
  EXPECT_EQ(tasks.stops, 1);
  EXPECT_FALSE(changes & VisualSelectorForm::kClose);
  form.ScanDone(tasks.scans.back().ticket, Lists(dir.File("lists"), 5));
  form.ShowPlaylistContents(2);
  form.OpenSelected();
  EXPECT_EQ(tasks.stops, 2);
  EXPECT_EQ(form.NameLabel(), "Loading pictures...");
  EXPECT_TRUE(host.calls.empty());
  form.PicturesDone(tasks.pictures.back().ticket);
  EXPECT_EQ(host.calls, std::vector<std::string>{"load " + Lists(dir.File("lists"), 5)[2]});
  EXPECT_TRUE(changes & VisualSelectorForm::kClose);
}

// A ".DIR" entry needs no read: its line shows at once, and opening it walks its folder.
TEST_F(SelectorFormTest, AFolderEntryEntersItsFolder) {
  dir.Write("top/Rock.DIR", "");
  dir.Write("top/Rock/x", "");
  form.ScanPlaylists(dir.File("top"));
  form.ScanDone(tasks.scans.back().ticket, {dir.File("top/Rock.DIR")});
  form.PicturesDone(tasks.pictures.back().ticket);
  form.ShowPlaylistContents(0);
  EXPECT_TRUE(tasks.contents.empty());
  EXPECT_EQ(form.Contents().lines,
            std::vector<std::string>{"This is a directory. Double-click to enter!"});
  form.OpenSelected();
  ASSERT_EQ(tasks.scans.size(), 2u);
  EXPECT_EQ(tasks.scans[1].what, dir.File("top/Rock"));
  EXPECT_EQ(form.NameLabel(), "One moment, looking for playlists...");
  // A folder that does not exist leaves everything as it is.
  form.ScanPlaylists(dir.File("missing"));
  EXPECT_EQ(tasks.scans.size(), 2u);
}

}  // namespace
}  // namespace varlo
