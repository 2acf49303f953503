#include "player/media_info.h"

#include <string>

#include "shell_fixture.h"
#include "tests/support/fake_form.h"

namespace varlo {
namespace {

// An MPEG audio file: one frame header (128 kbit/s, 44.1 kHz, joint stereo), silence, and an
// ID3v1 tag.
std::string TaggedMp3(const std::string& title, const std::string& artist,
                      const std::string& album) {
  std::string data = "\xFF\xFB\x90\x44";
  data += std::string(600, '\0');
  auto field = [](std::string text, std::size_t n) {
    text.resize(n, ' ');
    return text;
  };
  data += "TAG" + field(title, 30) + field(artist, 30) + field(album, 30) + "1999" + field("", 28) +
          std::string(1, '\0') + std::string(1, '\x05') + std::string(1, '\x11');
  return data;
}

std::string MediaSkin(bool withCover) {
  return std::string(
             "Varlo Skin/Player, Media\n200,100,200,150,100,50\nmain.bmp,res.bmp\n"
             "0,1,0,0,0,0,0,0\nX4,1,1,60,40,0,0,0,255,255,255,8,Sans,t\n") +
         (withCover ? "C1,100,1,40,40,0\n" : "") +
         "L70,1,60,90,10,0,0,0,8,Sans,t\nL71,1,72,90,10,0,0,0,8,Sans,t\n"
         "L72,1,84,90,10,0,0,0,8,Sans,t\nL10,100,60,40,10,0,0,0,8,Sans,t\nE\n";
}

class MediaInfoTest : public ShellTest {
 protected:
  std::string Song(const std::string& name, const std::string& content) {
    return prog.Write("music/" + name, content);
  }
  void StartWith(bool withCover, const std::string& ini = "") {
    prog.Write("default.skin", MediaSkin(withCover));
    Preset(ini);
    Start();
  }
  const std::string& Caption(int n) {
    return form->Form().lbl[static_cast<std::size_t>(n)].caption;
  }
  // A picture file the fake loader decodes.
  std::string Picture(const std::string& name) {
    const std::string path = prog.Write(name, "p");
    pictures.pictures[path] = varlo::Picture(10, 10);
    return path;
  }
};

TEST_F(MediaInfoTest, AnMpegEntryShowsItsHeaderAndTagAndOthersForgetIt) {
  StartWith(true);
  EXPECT_EQ(Caption(1), ":");  // cleared at start
  Playlist& list = form->Player().List();
  list.Append("a", Song("a.mp3", TaggedMp3("Aurora Drift", "Low Tide", "Glass Harbour")));
  list.Append("b", Song("b.wav", "RIFF"));
  form->DoIt(12);
  EXPECT_EQ(Caption(10), "128");
  EXPECT_EQ(Caption(11), "44");
  EXPECT_EQ(Caption(12), "jstereo");
  // An MPEG-2 file at 24 kHz reads with its own tables.
  std::string lsf = TaggedMp3("Low Rate", "", "");
  lsf.replace(0, 4, "\xFF\xF3\x84\xC4");
  list.Append("c", Song("c.mp3", lsf));
  form->Player().PlayEntry(2);
  EXPECT_EQ(Caption(10) + " " + Caption(11) + " " + Caption(12), "64 24 mono");
  form->Player().PlayEntry(0);
  EXPECT_EQ(form->Player().Media().Tag().title, "Aurora Drift");
  EXPECT_EQ(list.names[0], "Aurora Drift");
  EXPECT_EQ(form->Player().Engine().TrayTip(), "Varlo - [Low Tide] - Aurora Drift");

  form->DoIt(15);  // the WAV has no tag: nothing of the MP3's stays
  EXPECT_EQ(Caption(10), "");
  EXPECT_EQ(form->Player().Media().Tag().title, "");
  EXPECT_EQ(form->Player().Engine().TrayTip(), "Varlo - b");
}

TEST_F(MediaInfoTest, TagCoversAreSearchedThenThePlaylistPictureThenNoCover) {
  StartWith(true, "UseTagCover=1\n");
  const std::string song = Song("a.mp3", TaggedMp3("T", "Band", "Disc"));
  const std::string noCover = Picture("nocover.bmp");
  form->Player().List().Append("a", song);
  form->DoIt(12);
  EXPECT_EQ(form->Player().Media().Covers().picture, noCover);

  Picture("music/Disc.bmp");
  const std::string last = Picture("music/Band - Disc.jpg");
  form->DoIt(12);
  EXPECT_EQ(form->Player().Media().Covers().picture, last);
  EXPECT_EQ(form->Player().State().coverPath, last);
  EXPECT_EQ(form->Player().Media().Covers().tip, "Band - Disc.jpg");

  // A picture the loader cannot decode leaves the cover as it was.
  const std::string broken = prog.Write("broken.jpg", "not a picture");
  form->Player().Media().LoadCover(broken);
  EXPECT_EQ(form->Player().Media().Covers().picture, last);
  form->Player().Media().LoadCover(prog.File("missing"));
  EXPECT_EQ(form->Player().Media().Covers().picture, "");
  EXPECT_EQ(form->Player().State().coverPath, "");
}

TEST_F(MediaInfoTest, TheCoverWindowGetsThePictureOnlyWhenTheSkinHasNoCover) {
  StartWith(false, "AutoCover=1\n");
  const std::string pic = Picture("music/front.gif");
  form->Player().Media().LoadCover(
      prog.File("music/front"));  // a base name is tried with the picture kinds
  EXPECT_EQ(form->Player().Media().Covers().picture, pic);
  EXPECT_EQ(form->Player().Media().Covers().albumPicture, pic);
  Stop();

  StartWith(true, "AutoCover=1\n");
  form->Player().Media().LoadCover(pic);
  EXPECT_EQ(form->Player().Media().Covers().picture, pic);
  EXPECT_EQ(form->Player().Media().Covers().albumPicture, "");

  dialogs.fileAnswers.push_back(Picture("chosen.bmp"));
  form->iCover_DblClick();
  ASSERT_EQ(dialogs.fileRequests.size(), 1u);
  EXPECT_EQ(dialogs.fileRequests[0].title, "Select Cover");
  EXPECT_EQ(form->Player().Media().Covers().picture, prog.File("chosen.bmp"));
}

TEST_F(MediaInfoTest, LyricsFollowPlaybackAndADoubleClickSeeks) {
  StartWith(true);
  unit0.defaultLength = 60000;
  const std::string song = Song("a.ogg", "x");
  Song("a.lyr",
       "VARLO LYRIC\n:000001000: one\n:000002000: two\n:000003000: three\n:000004000: four\n");
  int refills = 0;
  form->Access().List(FormList::Lyrics).onChanged = [&] { ++refills; };
  form->Player().List().Append("a", song);
  form->DoIt(12);
  EXPECT_EQ(refills, 1);
  ASSERT_EQ(form->Access().List(FormList::Lyrics).rows.size(), 4u);

  auto tickAt = [&](int ms) {
    unit0.SetPosition(ms);
    form->Timer1_Timer();
  };
  tickAt(1500);
  EXPECT_EQ(Caption(70), "one");
  EXPECT_EQ(Caption(71), "two");
  tickAt(2500);
  EXPECT_EQ(Caption(70), "two");
  EXPECT_EQ(Caption(72), "one");
  EXPECT_EQ(form->Access().List(FormList::Lyrics).selected, 1);
  tickAt(1200);  // moved back: the follow finds its place again
  EXPECT_EQ(Caption(70), "one");

  form->List_Event(ListArea::Lyrics, ListAction::DoubleClick, 2);
  EXPECT_EQ(unit0.calls.back().from, 3000);
  EXPECT_EQ(Caption(70), "three");

  // The next entry without lyrics clears the list and the lines on show.
  form->Player().List().Append("b", Song("b.ogg", "x"));
  form->DoIt(15);
  EXPECT_TRUE(form->Access().List(FormList::Lyrics).rows.empty());
  EXPECT_EQ(Caption(70), "");
  EXPECT_EQ(Caption(72), "");
}

TEST_F(MediaInfoTest, TheTrackInfoWindowShowsFollowsAndSavesTheTag) {
  StartWith(true);
  const std::string song = Song("a.mp3", TaggedMp3("Aurora", "Low Tide", "Glass Harbour"));
  const std::string other = Song("Second Song.mp3", std::string(400, 'x'));
  form->Player().List().Append("a", song);
  form->Player().List().Append("b", other);
  form->DoIt(12);
  form->DoIt(16);
  EXPECT_EQ(sideWindows.trackInfo, 1);
  TrackInfoForm& info = form->Player().TrackInfo();
  TrackInfoFields& f = info.Fields();
  EXPECT_EQ(f.fileName, song);
  EXPECT_EQ(f.artist, "Low Tide");
  EXPECT_EQ(f.year, "1999");
  EXPECT_EQ(f.track, "05");
  EXPECT_EQ(f.genre, 0x11 + 1);
  // The stream as labels 10-12 show it.
  EXPECT_EQ(f.bitRate + " " + f.sampleRate + " " + f.mode, "128 44 jstereo");
  info.cmdMem_Click();

  // It follows the player until "Edit" is ticked.
  form->DoIt(15);
  info.Timer1_Timer();
  EXPECT_EQ(f.fileName, other);
  EXPECT_EQ(f.artist, "");
  EXPECT_EQ(f.genre, 0);
  EXPECT_EQ(f.bitRate + f.sampleRate + f.mode, "");  // no frame header in it
  info.cmdSetTitle_Click();
  EXPECT_EQ(f.title, "Second Song.mp3");
  EXPECT_EQ(f.artist, "Low Tide");  // from mem*
  info.cbEdit_Click(true);
  EXPECT_FALSE(info.CurrentEnabled());
  form->DoIt(14);
  info.Timer1_Timer();
  EXPECT_EQ(f.fileName, other);

  f.track = "7";
  info.cmdSave_Click();
  info.cmdSave_Click();
  const auto texts = dialogs.Texts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0], "Tag Added!");
  EXPECT_EQ(texts[1], "Tag Updated!");
  const TagRecord saved = ReadTag(other);
  EXPECT_EQ(saved.title, "Second Song.mp3");
  EXPECT_EQ(saved.track, 7);
  EXPECT_EQ(saved.genre, kUnknownGenre);

  f.fileName = Song("short.mp3", std::string(200, 'x'));
  info.cmdSave_Click();
  EXPECT_EQ(dialogs.Texts().size(), 2u);  // too short: left alone, no message
  EXPECT_EQ(prog.Read("music/short.mp3"), std::string(200, 'x'));
}

TEST_F(MediaInfoTest, ClearingThePlaylistClearsBothCovers) {
  StartWith(false, "AutoCover=1\n");
  const std::string pic = Picture("music/front.jpg");
  form->Player().Media().LoadCover(pic);
  ASSERT_EQ(form->Player().Media().Covers().albumPicture, pic);
  form->DoIt(20);
  EXPECT_EQ(form->Player().Media().Covers().picture, "");
  EXPECT_EQ(form->Player().Media().Covers().albumPicture, "");
  EXPECT_EQ(form->Player().State().coverPath, "");
}

TEST_F(MediaInfoTest, AutoCoverOpensTheCoverWindowForANewCover) {
  StartWith(false, "AutoCover=1\n");
  form->Player().Media().LoadCover(Picture("music/a.jpg"));
  EXPECT_EQ(sideWindows.cover, 1);
  Stop();
  StartWith(true, "AutoCover=1\n");  // the skin shows the cover itself
  form->Player().Media().LoadCover(Picture("music/b.jpg"));
  EXPECT_EQ(sideWindows.cover, 1);
}

TEST_F(MediaInfoTest, TheTagIsReadWithoutAFrameHeaderAndRatesGoToDisplaysFourAndFive) {
  StartWith(true);
  std::string headless = TaggedMp3("Found Anyway", "Band", "Disc");
  headless[0] = headless[1] = '\0';  // no frame header anywhere
  form->Player().List().Append("a", Song("a.mp3", headless));
  form->DoIt(12);
  EXPECT_EQ(form->Player().Media().Tag().title, "Found Anyway");
  EXPECT_EQ(form->Player().Engine().TrayTip(), "Varlo - [Band] - Found Anyway");
  EXPECT_EQ(Caption(10), "");

  // With a header the rates sit on the displays beside labels 10 and 11, as a repaint puts them.
  form->Player().List().Append("b", Song("b.mp3", TaggedMp3("T", "A", "B")));
  testing::FakeForm probe;
  MediaInfo info(probe, form->Player().State(), form->Settings(), pictures, embedded, sideWindows,
                 prog.Path());
  info.GetMP3Info(prog.File("music/b.mp3"));
  EXPECT_EQ(probe.digits[4], "128");
  EXPECT_EQ(probe.digits[5], "44");
  EXPECT_EQ(probe.digits.count(3), 0u);
}

TEST_F(MediaInfoTest, LyricFilesAreFoundInEitherCase) {
  StartWith(true);
  Song("loud.LYR", "VARLO LYRIC\n:000001000: upper\n");
  form->Player().List().Append("a", Song("loud.ogg", "x"));
  form->DoIt(12);
  ASSERT_EQ(form->Access().List(FormList::Lyrics).rows.size(), 1u);
  EXPECT_EQ(form->Access().List(FormList::Lyrics).rows[0], "upper");
}

}  // namespace
}  // namespace varlo
