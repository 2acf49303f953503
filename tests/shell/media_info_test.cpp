#include "player/media_info.h"

#include <algorithm>
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

  // The tag's picture damaged: the entry shows "no cover", not the cover of the one before.
  form->Player().Media().LoadCover(last);
  const std::string other = Song("b.mp3", TaggedMp3("U", "Other", "Album"));
  prog.Write("music/Album.jpg", "cut short");
  form->Player().List().Append("b", other);
  form->Player().PlayEntry(1);
  EXPECT_EQ(form->Player().Media().Covers().picture, noCover);
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

// What the fake reader finds inside a file: a picture of `side` pixels, and lyrics.
EmbeddedMedia Inside(int side, std::string lyrics = "") {
  EmbeddedMedia m;
  if (side > 0) m.cover = std::make_shared<const varlo::Picture>(side, side);
  m.lyrics = std::move(lyrics);
  return m;
}

TEST_F(MediaInfoTest, ThePictureInsideTheFileShowsWhereNoPictureFileIsFound) {
  StartWith(true, "UseTagCover=1\n");
  const std::string noCover = Picture("nocover.bmp");
  const std::string a = Song("a.mp3", TaggedMp3("T", "Band", "Disc"));
  const std::string b = Song("b.flac", "x");
  const std::string c = Song("c.mp3", TaggedMp3("T", "Other", "Album"));
  embedded.media[a] = Inside(8);
  embedded.media[b] = Inside(9);
  Playlist& list = form->Player().List();
  for (const auto& p : {a, b, c}) list.Append("x", p);
  const CoverPictures& covers = form->Player().Media().Covers();

  form->DoIt(12);  // no picture file beside it: the one inside it
  ASSERT_TRUE(covers.image);
  EXPECT_EQ(covers.image->width, 8);
  EXPECT_EQ(covers.picture, a);
  EXPECT_EQ(form->Player().State().coverPath, a);
  EXPECT_EQ(covers.tip, "a.mp3");
  form->DoIt(15);  // not MPEG: its own picture all the same
  ASSERT_TRUE(covers.image);
  EXPECT_EQ(covers.image->width, 9);
  form->DoIt(15);  // nothing inside either: "nocover.bmp"
  EXPECT_EQ(covers.picture, noCover);
  EXPECT_FALSE(covers.image);

  // A picture file found by the tag wins, and the file is looked into only for its lyrics.
  const std::string disc = Picture("music/Disc.jpg");
  form->Player().PlayEntry(0);
  EXPECT_EQ(covers.picture, disc);
  EXPECT_FALSE(covers.image);
}

TEST_F(MediaInfoTest, WithoutTheTagSearchTheFilesOwnPictureReplacesThePlaylistsForItsEntry) {
  StartWith(false, "AutoCover=1\n");
  const std::string mine = Picture("music/Mine.jpg");
  prog.Write("music/Mine.m3u", "a.ogg\nb.ogg\n");
  const std::string a = Song("a.ogg", "x");
  Song("b.ogg", "x");
  embedded.media[a] = Inside(8);
  form->Player().Playlists().PlRead(prog.File("music/Mine.m3u"));
  const CoverPictures& covers = form->Player().Media().Covers();
  EXPECT_EQ(covers.picture, mine);

  form->DoIt(12);
  ASSERT_TRUE(covers.image);
  EXPECT_EQ(covers.albumImage, covers.image);  // the skin has no cover image: the window has it
  form->DoIt(15);                              // no picture inside: the playlist's comes back
  EXPECT_EQ(covers.picture, mine);
  EXPECT_FALSE(covers.image);
  EXPECT_FALSE(covers.albumImage);
}

TEST_F(MediaInfoTest, APictureStillBeingReadGivesWayToTheNextEntryAndToAChosenPicture) {
  StartWith(true);
  const std::string a = Song("a.ogg", "x"), b = Song("b.ogg", "x");
  embedded.media[a] = Inside(8);
  embedded.media[b] = Inside(9);
  embedded.hold = true;
  Playlist& list = form->Player().List();
  list.Append("a", a);
  list.Append("b", b);
  const CoverPictures& covers = form->Player().Media().Covers();
  form->DoIt(12);
  EXPECT_FALSE(covers.image);  // the window goes on while the file is read
  form->DoIt(15);
  embedded.Deliver();  // the answer for "a" comes late and is dropped
  ASSERT_TRUE(covers.image);
  EXPECT_EQ(covers.image->width, 9);
  // Nor does a late answer reach an entry whose file is not looked into (a module).
  list.Append("m", Song("m.mod", "x"));
  embedded.media[a] = Inside(7);
  form->Player().PlayEntry(0);
  form->Player().PlayEntry(2);
  embedded.Deliver();
  EXPECT_EQ(covers.image->width, 9);

  form->DoIt(14);
  dialogs.fileAnswers.push_back(Picture("chosen.bmp"));
  form->iCover_DblClick();
  embedded.Deliver();
  EXPECT_EQ(covers.picture, prog.File("chosen.bmp"));
  EXPECT_FALSE(covers.image);

  // The cover kept from the last session names a media file: its picture shows once read.
  form->Player().Media().LoadCover(b);
  EXPECT_EQ(covers.picture, prog.File("chosen.bmp"));
  embedded.Deliver();
  EXPECT_EQ(covers.picture, b);
  ASSERT_TRUE(covers.image);
  // A media file is not decoded as a picture on the way.
  EXPECT_EQ(std::count(pictures.loads.begin(), pictures.loads.end(), b), 0);
}

TEST_F(MediaInfoTest, LyricsInsideTheFileShowWhereNoLyricFileIsFoundAndTimedOnesFollow) {
  StartWith(true);
  unit0.defaultLength = 60000;
  const std::string a = Song("a.flac", "x"), b = Song("b.mp3", TaggedMp3("T", "A", "B"));
  const std::string c = Song("c.ogg", "x"), d = Song("d.ogg", "x");
  embedded.media[a] = Inside(0, "[00:01.00]one\n[00:02.00]two\n");
  EmbeddedMedia sylt;
  // SYLT counted in MPEG frames: 1152 samples at 44.1 kHz each, so frame 100 is 2612 ms in.
  sylt.synced = {{40, "early"}, {100, "later"}};
  sylt.syncedInFrames = true;
  embedded.media[b] = sylt;
  embedded.media[c] = Inside(0, "plain words\nstanding still");
  embedded.media[d] = Inside(0, "ignored");
  Song("d.lyr", "VARLO LYRIC\n:000001000: from the file\n");
  for (const auto& p : {a, b, c, d}) form->Player().List().Append("x", p);
  const ListBox& lyrics = form->Access().List(FormList::Lyrics);
  auto tickAt = [&](int ms) {
    unit0.SetPosition(ms);
    form->Timer1_Timer();
  };

  embedded.hold = true;
  form->DoIt(12);
  EXPECT_TRUE(lyrics.rows.empty());
  embedded.Deliver();  // the lyrics come after the file opened
  EXPECT_EQ(lyrics.rows, (std::vector<std::string>{"one", "two"}));
  tickAt(1100);
  EXPECT_EQ(Caption(70), "one");
  tickAt(2100);
  EXPECT_EQ(Caption(70), "two");

  embedded.hold = false;  // the lyrics are there as the file opens
  form->DoIt(15);
  EXPECT_EQ(lyrics.rows, (std::vector<std::string>{"early", "later"}));
  tickAt(1100);
  EXPECT_EQ(Caption(70), "early");
  tickAt(2700);
  EXPECT_EQ(Caption(70), "later");

  form->DoIt(15);
  EXPECT_EQ(lyrics.rows, (std::vector<std::string>{"plain words", "standing still"}));
  EXPECT_FALSE(form->Player().Media().LyricsSynchronised());
  form->DoIt(15);  // a lyric file beside the media wins
  EXPECT_EQ(lyrics.rows, (std::vector<std::string>{"from the file"}));
}

}  // namespace
}  // namespace varlo
