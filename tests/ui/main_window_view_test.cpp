#include "ui/main_window_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTest>

#include "common/program_folder.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_events.h"
#include "platform/qt/qt_picture_loader.h"
#include "platform/qt/qt_screen.h"
#include "tests/support/fake_media_device.h"
#include "tests/support/fakes.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/test_app.h"
#include "tests/ui/window_rig.h"
#include "tests/webradio/web_fakes.h"

namespace varlo {
namespace {

// A real skin on disk with real bitmaps: magenta corners cut out of a blue window.
void WriteSkin(const testing::TempDir& dir) {
  QImage main(120, 60, QImage::Format_RGB32);
  main.fill(QColor(20, 40, 200));
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) main.setPixelColor(x, y, QColor(255, 0, 255));
  main.save(QString::fromStdString(dir.File("main.bmp")));
  QImage res(40, 40, QImage::Format_RGB32);
  res.fill(QColor(250, 250, 0));
  res.save(QString::fromStdString(dir.File("res.bmp")));
  dir.Write("default.skin",
            "Varlo Skin/Player, UI test\n120,60,120,60,60,30\nmain.bmp,res.bmp\n0,1,0,0,0,0,0,0\n"
            "I2,100,10,10,10,0,255,0,3,stopped\nL2,5,20,100,20,255,255,255,10,Sans,Title\n"
            "S2,10,50,80,0,0,0,8,6,Volume\nX1,5,40,50,10,255,255,255,0,0,0,8,Sans,List\n"
            "B27,60,5,20,10,1,1,R,Repeat\nO,255,0,255\nE\n");
}

// The real window on Qt's offscreen platform, over a program folder in a temporary folder.
class MainWindowViewTest : public ::testing::Test, protected testing::WindowRig {
 protected:
  void Start() { Load(); }
};

}  // namespace

TEST_F(MainWindowViewTest, DrawsAndShapesTheWindowFromTheSkin) {
  WriteSkin(prog);
  Start();
  frm.Form().lbl[2].caption = "Hello";
  view.OnFormChanged(kChangeAll);
  view.show();

  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(view.size(), QSize(120, 60));
  EXPECT_EQ(view.minimumSize(), view.maximumSize()) << "the skin fixes the size";
  EXPECT_FALSE(view.mask().contains(QPoint(1, 1)));  // the magenta corner is cut out
  EXPECT_TRUE(view.mask().contains(QPoint(60, 30)));

  const QImage shot = view.grab().toImage();
  EXPECT_EQ(shot.pixelColor(60, 5), QColor(20, 40, 200));   // the window picture
  EXPECT_EQ(shot.pixelColor(105, 15), QColor(0, 255, 0));   // light 2: stopped
  EXPECT_EQ(shot.pixelColor(12, 52), QColor(250, 250, 0));  // the knob from the resource bitmap
  bool white = false;  // the caption is drawn in the label's colour
  for (int x = 5; x < 60 && !white; ++x)
    for (int y = 20; y < 40 && !white; ++y) white = shot.pixelColor(x, y) == QColor(255, 255, 255);
  EXPECT_TRUE(white);

  // Pressing the button shows its pressed image (yellow, from the resource bitmap); the
  // release runs the button's command.
  QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, QPoint(65, 8));
  EXPECT_EQ(view.grab().toImage().pixelColor(70, 10), QColor(250, 250, 0));
  QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, QPoint(65, 8));
  EXPECT_TRUE(frm.Player().State().repeat);
  EXPECT_EQ(view.grab().toImage().pixelColor(70, 10), QColor(20, 40, 200));
  QTest::keyClick(&view, 'r');  // the hot key does the same
  EXPECT_FALSE(frm.Player().State().repeat);

  view.close();  // closing runs the unload handler, which writes every key
  EXPECT_TRUE(frm.Unloaded());
  EXPECT_NE(config.Read("varlo.ini").find("\nUseSkinBrowser=1\n"), std::string::npos);
}

}  // namespace varlo

namespace varlo {

// On a screen of device-pixel ratio 2 every skin pixel becomes a 2 x 2 block of its own colour:
// the bitmaps are scaled by whole pixels and never smoothed.
TEST_F(MainWindowViewTest, AtDevicePixelRatioTwoTheSkinIsScaledWithoutSmoothing) {
  WriteSkin(prog);
  Start();
  view.OnFormChanged(kChangeAll);
  QImage shot(240, 120, QImage::Format_RGB32);
  shot.setDevicePixelRatio(2.0);
  shot.fill(Qt::black);
  view.render(&shot);
  // The cut-out corner ends at skin pixel 4, device pixel 8, on a whole pixel.
  for (int y = 0; y < 8; ++y) {
    EXPECT_EQ(shot.pixelColor(7, y), QColor(Qt::black)) << y;
    EXPECT_EQ(shot.pixelColor(8, y), QColor(20, 40, 200)) << y;
  }
  // Along the volume slider (its track and knob from the bitmaps) each skin pixel is a block
  // of four equal device pixels.
  int blocks = 0;
  for (int y = 100; y < 118; y += 2) {
    for (int x = 0; x < 238; x += 2) {
      const QColor c = shot.pixelColor(x, y);
      EXPECT_TRUE(c == shot.pixelColor(x + 1, y) && c == shot.pixelColor(x, y + 1) &&
                  c == shot.pixelColor(x + 1, y + 1))
          << x << "," << y;
      ++blocks;
    }
  }
  EXPECT_GT(blocks, 0);
  EXPECT_EQ(shot.pixelColor(24, 104), QColor(250, 250, 0));
}

TEST_F(MainWindowViewTest, TheDefaultSkinsPlayButtonPressesAndRuns) {
  InstallMissingFiles(VARLO_TEST_DATA_DIR, prog.Path());
  std::vector<int> commands;
  frm.onCommand = [&](int code) { commands.push_back(code); };
  Start();
  view.OnFormChanged(kChangeAll);
  view.show();
  ASSERT_TRUE(dialogs.messages.empty()) << dialogs.messages[0].text;

  int play = 0;
  for (std::size_t i = 1; i <= 120; ++i)
    if (frm.Form().btn[i].code == 12) play = static_cast<int>(i);
  ASSERT_GT(play, 0);
  const ButtonWidget& b = frm.Form().btn[static_cast<std::size_t>(play)];
  const QPoint centre(b.left + b.width / 2, b.top + b.height / 2);
  const QColor idle = view.grab().toImage().pixelColor(centre);

  QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, centre);
  const ButtonSlot& slot = frm.Form().tables.buttons[static_cast<std::size_t>(play)];
  const QImage res = ImageOverPicture(frm.Form().window.resBitmap);
  const QColor pressed = res.pixelColor(slot.pressX + b.width / 2, slot.pressY + b.height / 2);
  EXPECT_EQ(view.grab().toImage().pixelColor(centre), pressed);
  EXPECT_NE(pressed, idle);
  QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, centre);
  EXPECT_EQ(commands, std::vector<int>{12});
  EXPECT_EQ(view.grab().toImage().pixelColor(centre), idle);
  view.close();
}

}  // namespace varlo

#include <QListView>

#include "ui/playlist_model.h"

namespace varlo {

TEST_F(MainWindowViewTest, ThePlaylistViewFollowsTheModelAndDeleteRemovesAnEntry) {
  WriteSkin(prog);
  prog.Write("music/a.mp3", "x");
  prog.Write("music/b.wav", "x");
  Start();
  view.show();
  auto* list = view.findChild<QListView*>(QStringLiteral("PlNames"));
  ASSERT_NE(list, nullptr);
  EXPECT_TRUE(list->isVisible());
  EXPECT_TRUE(list->uniformItemSizes());
  frm.Player().Playlists().DropFiles({prog.File("music/a.mp3"), prog.File("music/b.wav")});
  QAbstractItemModel* rows = list->model();
  ASSERT_EQ(rows->rowCount(), 2);
  EXPECT_TRUE(rows->index(0, 0).data().toString().startsWith("a"));
  list->setCurrentIndex(rows->index(1, 0));
  EXPECT_EQ(frm.Player().List().selected, 1);
  QTest::keyClick(list, Qt::Key_Delete);
  EXPECT_EQ(frm.Player().List().Count(), 1);
  EXPECT_EQ(rows->rowCount(), 1);

  // The player moving the selection moves the view's current row, and a refill keeps it.
  frm.Player().Playlists().DropFiles({prog.File("music/b.wav"), prog.File("music/a.mp3")});
  ASSERT_EQ(rows->rowCount(), 3);
  frm.Player().List().selected = 2;
  frm.Player().List().onSelected();
  EXPECT_EQ(list->currentIndex().row(), 2);
  EXPECT_EQ(frm.Player().List().selected, 2);
  frm.Player().List().Changed();
  EXPECT_EQ(list->currentIndex().row(), 2);
  EXPECT_EQ(frm.Player().List().selected, 2) << "a refill must not clear the form's selection";

  // A double click on an entry goes to the playlist's handler, which plays it.
  const QRect cell = list->visualRect(rows->index(0, 0));
  ASSERT_FALSE(cell.isEmpty());
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
  EXPECT_EQ(frm.Player().List().selected, 0);
  EXPECT_EQ(unit0.FileName(), prog.File("music/a.mp3"));
}

// A long list is placed in batches after the window shows; a row selected before it was placed
// is still scrolled into view.
TEST_F(MainWindowViewTest, ALongPlaylistScrollsToTheRowSelectedBeforeItShowed) {
  WriteSkin(prog);
  Start();
  Playlist& playlist = frm.Player().List();
  for (int i = 0; i < 5000; ++i)
    playlist.Append("Entry " + std::to_string(i), "/m/" + std::to_string(i) + ".mp3");
  playlist.Changed();
  playlist.selected = 4321;
  playlist.onSelected();
  view.show();
  auto* list = view.findChild<QListView*>(QStringLiteral("PlNames"));
  ASSERT_NE(list, nullptr);
  const QModelIndex row = list->model()->index(4321, 0);
  EXPECT_TRUE(QTest::qWaitFor(
      [&] { return list->viewport()->rect().intersects(list->visualRect(row)); }, 3000));
  EXPECT_EQ(list->currentIndex().row(), 4321);
  EXPECT_EQ(playlist.selected, 4321);
}

// Between a change of the entries and its notification (a folder walk lets window events run
// part way) the model keeps the rows it announced and shows the ones gone as blank.
TEST(PlaylistModelTest, KeepsTheAnnouncedRowsUntilTheNextReset) {
  Playlist playlist;
  playlist.Append("one", "/m/one.mp3");
  playlist.Append("two", "/m/two.mp3");
  PlaylistModel model(playlist, nullptr);
  EXPECT_EQ(model.rowCount(), 2);
  EXPECT_EQ(model.index(1, 0).data().toString(), "two");
  EXPECT_EQ(model.rowCount(model.index(0, 0)), 0);  // a list has no children
  EXPECT_FALSE(model.index(2, 0).isValid());
  EXPECT_FALSE(model.index(-1, 0).isValid());
  EXPECT_FALSE(model.index(0, 1).isValid());
  EXPECT_FALSE(model.index(0, 0, model.index(1, 0)).isValid());

  playlist.Append("three", "/m/three.mp3");
  EXPECT_EQ(model.rowCount(), 2);
  playlist.names.clear();
  playlist.paths.clear();
  EXPECT_EQ(model.rowCount(), 2);
  EXPECT_FALSE(model.index(1, 0).data().isValid());
  model.Reset();
  EXPECT_EQ(model.rowCount(), 0);

  playlist.Append("caf\xc3\xa9 <b>x</b>", "/m/x.mp3");
  model.Reset();
  EXPECT_EQ(model.index(0, 0).data().toString(), QString::fromUtf8("caf\xc3\xa9 <b>x</b>"));
  EXPECT_FALSE(model.index(0, 0).data(Qt::DecorationRole).isValid());
}

}  // namespace varlo

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "ui/frm_album_view.h"
#include "ui/frm_info_view.h"

namespace varlo {

TEST_F(MainWindowViewTest, TheCoverWindowKeepsTheLargestCentredSquare) {
  WriteSkin(prog);
  Start();
  QImage picture(8, 8, QImage::Format_RGB32);
  picture.fill(QColor(200, 30, 30));
  const std::string file = prog.File("front.bmp");
  picture.save(QString::fromStdString(file));
  frm.Player().Media().LoadCover(file);

  FrmAlbumView album(frm.Player());
  EXPECT_EQ(album.windowTitle(), "Now Playing");
  album.resize(300, 200);
  album.show();
  auto* cover = album.findChild<QLabel*>();
  ASSERT_NE(cover, nullptr);
  EXPECT_EQ(cover->geometry(), QRect(50, 0, 200, 200));
  EXPECT_FALSE(cover->pixmap().isNull());  // opened on the main window's cover
  album.resize(120, 400);
  EXPECT_EQ(cover->geometry(), QRect(0, 140, 120, 120));
}

TEST_F(MainWindowViewTest, TheTrackInfoWindowShowsTheFieldsAndEditTurnsCurrentOff) {
  WriteSkin(prog);
  Start();
  TrackInfoForm& form = frm.Player().TrackInfo();
  FrmInfoView info(form);
  EXPECT_EQ(info.windowTitle(), "Track Info");
  form.Fields().artist = "Low Tide";
  form.Fields().genre = 19;
  info.show();
  bool shown = false;
  for (auto* edit : info.findChildren<QLineEdit*>()) shown |= edit->text() == "Low Tide";
  EXPECT_TRUE(shown);
  QPushButton* current = nullptr;
  for (auto* b : info.findChildren<QPushButton*>())
    if (b->text() == "Current") current = b;
  ASSERT_NE(current, nullptr);
  EXPECT_TRUE(current->isEnabled());
  info.findChild<QCheckBox*>()->click();
  EXPECT_TRUE(form.Fields().edit);
  EXPECT_FALSE(current->isEnabled());
}

}  // namespace varlo

#include "ui/side_windows_view.h"

namespace varlo {

TEST_F(MainWindowViewTest, HotKeysWorkWhileAListHasTheFocus) {
  WriteSkin(prog);
  Start();
  view.show();
  auto* list = view.findChild<QListView*>(QStringLiteral("PlNames"));
  ASSERT_NE(list, nullptr);
  list->setFocus();
  QTest::keyClick(list, Qt::Key_R);  // button 27's hot key
  EXPECT_TRUE(frm.Player().State().repeat);
  QTest::keyClick(list, Qt::Key_Down);  // the list keeps its own navigation keys
  EXPECT_TRUE(frm.Player().State().repeat);
}

TEST_F(MainWindowViewTest, TheModelFollowsMovesAndRestoresByTheWindowSystem) {
  WriteSkin(prog);
  store.Set(kSettingsSection, "StartMin", "1");
  Start();
  view.show();
  view.move(40, 30);
  EXPECT_EQ(frm.Form().window.left, 40 * frm.TwipX());
  EXPECT_EQ(frm.Form().window.top, 30 * frm.TwipY());
  view.showMinimized();  // as the program shows a window minimised at start
  view.showNormal();     // the user restores it
  app.processEvents();
  view.OnFormChanged(kChangeWindowState);
  EXPECT_FALSE(view.isMinimized());
  EXPECT_FALSE(frm.Form().window.minimised);
}

TEST_F(MainWindowViewTest, SideWindowsNeverKeepTheProgramAndCloseWithTheMainWindow) {
  WriteSkin(prog);
  Start();
  SideWindowsView side;
  side.Attach(frm.Player(), frm.Gate(), frm.Settings(), prog.Path());
  side.ShowTrackInfo();
  side.ShowCoverWindow();
  ASSERT_NE(side.Info(), nullptr);
  ASSERT_NE(side.Album(), nullptr);
  EXPECT_FALSE(side.Info()->testAttribute(Qt::WA_QuitOnClose));
  EXPECT_FALSE(side.Album()->testAttribute(Qt::WA_QuitOnClose));
  EXPECT_TRUE(side.Album()->isVisible());
  view.onClosed = [&side] { side.CloseAll(); };
  view.show();
  view.close();
  EXPECT_FALSE(side.Info()->isVisible());
  EXPECT_FALSE(side.Album()->isVisible());
  EXPECT_TRUE(frm.Unloaded());
}

}  // namespace varlo

#include "ui/after_first_paint.h"

namespace varlo {

TEST_F(MainWindowViewTest, WorkDeferredToTheFirstPaintRunsOnceAfterItOrAtTheLatestTime) {
  int painted = 0, hidden = 0, destroyed = 0;
  QWidget shown;
  shown.resize(40, 30);
  AfterFirstPaint(&shown, 60000, [&] { ++painted; });
  QWidget never;
  AfterFirstPaint(&never, 50, [&] { ++hidden; });
  auto* gone = new QWidget;
  AfterFirstPaint(gone, 50, [&] { ++destroyed; });
  delete gone;

  QApplication::processEvents();
  EXPECT_EQ(painted, 0) << "nothing is painted before the window shows";
  shown.show();
  EXPECT_TRUE(QTest::qWaitFor([&] { return painted == 1; }, 2000));
  shown.repaint();
  EXPECT_TRUE(QTest::qWaitFor([&] { return hidden == 1; }, 2000));
  QTest::qWait(100);
  EXPECT_EQ(painted, 1);
  EXPECT_EQ(hidden, 1);
  EXPECT_EQ(destroyed, 0);
}

}  // namespace varlo

#include <QHelpEvent>
#include <QMimeData>
#include <QTextDocument>
#include <QToolTip>
#include <fstream>

#include "platform/qt/path_text.h"
#include "ui/plain_text.h"

namespace varlo {
namespace {
// What a tooltip shows: rich text is rendered, anything else is shown as it is.
QString ShownText(const QString& tip) {
  if (!Qt::mightBeRichText(tip)) return tip;
  QTextDocument doc;
  doc.setHtml(tip);
  return doc.toPlainText();
}
}  // namespace

TEST_F(MainWindowViewTest, MarkupInSkinTipsFileNamesAndTagsIsShownAsText) {
  const std::string markup = "<img src=x.png><b>bold</b> &amp;";
  WriteSkin(prog);
  prog.Write("default.skin",
             "Varlo Skin/Player, UI test\n120,60,120,60,60,30\nmain.bmp,res.bmp\n"
             "0,1,0,0,0,0,0,0\nX1,5,40,50,10,255,255,255,0,0,0,8,Sans,\"" +
                 markup + " list\"\nB27,60,5,20,10,1,1,R,\"" + markup +
                 " button\"\nC1,80,30,20,20,0\nE\n");
  Start();
  view.show();
  ASSERT_TRUE(dialogs.messages.empty()) << dialogs.messages[0].text;

  // The tip of a list area, and of a button (drawn by the window itself).
  auto* list = view.findChild<QListView*>(QStringLiteral("PlNames"));
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(ShownText(list->toolTip()).toStdString(), markup + " list");
  QHelpEvent help(QEvent::ToolTip, QPoint(65, 8), view.mapToGlobal(QPoint(65, 8)));
  QApplication::sendEvent(&view, &help);
  EXPECT_EQ(ShownText(QToolTip::text()).toStdString(), markup + " button");
  QToolTip::hideText();

  // A cover whose file name is markup, in the main window and in the cover window.
  QImage picture(4, 4, QImage::Format_RGB32);
  picture.fill(Qt::red);
  const std::string cover = prog.File("<img src=x.png><b>front.bmp");
  ASSERT_TRUE(picture.save(QString::fromStdString(cover), "BMP"));
  frm.Player().Media().LoadCover(cover);
  const QString shown = ShownText(view.findChild<QLabel*>()->toolTip());
  EXPECT_EQ(shown.toStdString(),
            frm.Player().Media().Covers().tip);  // the display name of the file
  EXPECT_TRUE(shown.startsWith("<img src=x")) << shown.toStdString();
  EXPECT_FALSE(view.findChild<QLabel*>()->pixmap().isNull());
  FrmAlbumView album(frm.Player());
  album.show();
  EXPECT_EQ(ShownText(album.findChild<QLabel*>()->toolTip()), shown);

  // Tag text in the track information window stays as it is.
  FrmInfoView info(frm.Player().TrackInfo());
  const std::string tag = "<img src=x><b>t</b>";  // within the tag's 30 bytes
  frm.Player().TrackInfo().Fields().title = tag;
  info.show();
  bool plain = false;
  for (auto* edit : info.findChildren<QLineEdit*>()) plain |= edit->text().toStdString() == tag;
  EXPECT_TRUE(plain);
  for (auto* label : info.findChildren<QLabel*>())
    EXPECT_TRUE(!label->text().isEmpty() || label->textFormat() == Qt::PlainText);
}

TEST_F(MainWindowViewTest, FileNamesThatAreNotUtf8KeepTheirBytes) {
  WriteSkin(prog);
  Start();
  view.show();
  const std::string song = prog.File("caf\xE9 \xFF.mp3");  // Latin-1, as an old disc left it
  std::ofstream(song) << "x";
  QMimeData data;
  data.setData("text/uri-list",
               QUrl::fromLocalFile(QString::fromStdString(prog.Path())).toEncoded() +
                   "/caf%E9%20%FF.mp3\r\n");
  QDragEnterEvent enter(  // a drop is delivered only after its drag entered
      QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&view, &enter);
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&view, &drop);
  ASSERT_EQ(frm.Player().List().paths, std::vector<std::string>{song});

  // A cover of such a name is shown, and the track window keeps the song's name whole.
  QImage picture(4, 4, QImage::Format_RGB32);
  picture.fill(Qt::blue);
  ASSERT_TRUE(picture.save(QString::fromStdString(prog.File("cover.bmp")), "BMP"));
  const std::string cover = prog.File(
      "\xFF"
      "cover.bmp");
  std::rename(prog.File("cover.bmp").c_str(), cover.c_str());
  frm.Player().Media().LoadCover(cover);
  EXPECT_FALSE(view.findChild<QLabel*>()->pixmap().isNull());
  FrmInfoView info(frm.Player().TrackInfo());
  frm.Player().TrackInfo().Fields().fileName = song;
  frm.Player().TrackInfo().onChanged();
  info.show();
  for (auto* b : info.findChildren<QPushButton*>())
    if (b->text() == "Title from file") b->click();  // reads the fields back first
  EXPECT_EQ(frm.Player().TrackInfo().Fields().fileName, song);
  EXPECT_EQ(frm.Player().TrackInfo().Fields().title.substr(0, 4), "caf\xE9");
}

}  // namespace varlo

#include <QPlainTextEdit>

#include "ui/area_views.h"

namespace varlo {

// An address typed into the address box and confirmed with Enter is opened and heads the
// history, once, whether or not the history holds it already.
TEST_F(MainWindowViewTest, EnterInTheAddressBoxOpensTheTypedAddress) {
  WriteSkin(prog);
  prog.Write("browser.skin",
             "Varlo Skin/Browser, UI test\n120,60,120,60,60,30\nmain.bmp,res.bmp\n0,1,0,0,0,0,0,"
             "0\nX7,5,5,110,20,0,0,0,255,255,255,8,Sans,Addresses\nE\n");
  prog.Write("url-list.txt", "http://old.example/\r\nhttp://older.example/\r\n");
  Start();
  frm.Form().tables.links[1] = prog.File("browser.skin");
  frm.DoIt(1001);
  view.show();
  app.processEvents();
  auto* combo = view.findChild<QComboBox*>();
  ASSERT_NE(combo, nullptr);
  if (combo == nullptr) return;
  // Typed as the window system delivers keys: to the widget with the focus.
  const auto enter = [&](const char* text) {
    combo->setFocus();
    combo->lineEdit()->selectAll();
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::keyClicks(focus, text);
    QTest::keyClick(focus, Qt::Key_Return);
    app.processEvents();
  };
  enter("www.typed.example");
  EXPECT_EQ(web.calls, std::vector<std::string>{"go http://www.typed.example"});
  const ListBox& history = frm.Access().List(FormList::UrlHistory);
  ASSERT_FALSE(history.rows.empty());
  EXPECT_EQ(history.rows.front(), "http://www.typed.example");
  EXPECT_EQ(combo->itemText(0).toStdString(), "http://www.typed.example");
  EXPECT_EQ(combo->count(), 3);
  enter("http://older.example/");
  EXPECT_EQ(web.calls.size(), 2u);
  EXPECT_EQ(web.calls.back(), "go http://older.example/");
  EXPECT_EQ(history.rows.front(), "http://older.example/");
  // Leaving the box with a history entry's text in it opens nothing; a choice from the list
  // does.
  combo->setFocus();
  combo->setEditText(QStringLiteral("http://old.example/"));
  combo->clearFocus();
  app.processEvents();
  EXPECT_EQ(web.calls.size(), 2u);
  const std::string chosen = combo->itemText(1).toStdString();
  combo->setCurrentIndex(1);  // as a click in the list does before it reports the choice
  emit combo->activated(1);
  ASSERT_EQ(web.calls.size(), 3u);
  EXPECT_EQ(web.calls.back(), "go " + chosen);
}

// The widgets of areas the skin does not show are made only when a skin first shows them, and
// are then kept in step like the others.
TEST_F(MainWindowViewTest, AreaWidgetsAreMadeWhenASkinFirstShowsThem) {
  QWidget window;
  AreaViews areas(&window);
  SkinForm form;
  areas.Sync(form);
  EXPECT_EQ(window.findChild<QPlainTextEdit*>(), nullptr);
  EXPECT_EQ(window.findChild<QLineEdit*>(), nullptr);
  EXPECT_EQ(window.findChild<QComboBox*>(), nullptr);

  form.notepad.visible = true;
  form.notepad.left = 5;
  form.notepad.top = 6;
  form.notepad.width = 70;
  form.notepad.height = 40;
  form.txtEntry[2].visible = true;
  form.txtEntry[2].width = 30;
  form.txtEntry[2].height = 12;
  window.show();
  areas.Sync(form);
  auto* notepad = window.findChild<QPlainTextEdit*>();
  ASSERT_NE(notepad, nullptr);
  EXPECT_TRUE(notepad->isVisible());
  EXPECT_EQ(notepad->geometry(), QRect(5, 6, 70, 40));
  EXPECT_EQ(window.findChildren<QLineEdit*>().size(), 1);  // only the entry shown
  EXPECT_EQ(window.findChild<QComboBox*>(), nullptr);

  form.notepad.visible = false;
  areas.Sync(form);
  EXPECT_EQ(window.findChild<QPlainTextEdit*>(), notepad);
  EXPECT_FALSE(notepad->isVisible());
}

}  // namespace varlo

#include "ui/app_icon.h"
#include "ui/video_window.h"

namespace varlo {

TEST_F(MainWindowViewTest, VideoPlaysInAWindowOfTheProgramThatGoesWithTheMainWindow) {
  EXPECT_EQ(VideoWindow::TitleFor("/films/My Clip.mp4"), "My Clip.mp4 - Varlo");
  EXPECT_EQ(VideoWindow::TitleFor("clip.avi"), "clip.avi - Varlo");
  EXPECT_EQ(VideoWindow::TitleFor("/m/caf\xc3\xa9.mkv"),
            QString::fromUtf8("caf\xc3\xa9.mkv - Varlo"));

  QWidget mainWindow;
  mainWindow.show();
  VideoWindow video(&mainWindow);
  EXPECT_FALSE(video.windowIcon().isNull());
  EXPECT_FALSE(video.testAttribute(Qt::WA_QuitOnClose)) << "it must not keep the program running";
  const std::uint64_t id = video.NativeId();
  EXPECT_NE(id, 0u);
  EXPECT_FALSE(video.isVisible()) << "the engine gets the window before any video shows";

  int visible = 0;
  video.ShowVideo("/films/clip.mp4", 320, 240, [&] { ++visible; });
  EXPECT_TRUE(video.isVisible());
  EXPECT_EQ(video.windowTitle(), "clip.mp4 - Varlo");
  EXPECT_EQ(video.size(), QSize(320, 240));
  EXPECT_TRUE(QTest::qWaitFor([&] { return visible == 1; }, 2000));
  video.resize(200, 100);
  video.ShowVideo("/films/next.mp4", 640, 480, [&] { ++visible; });
  EXPECT_EQ(video.size(), QSize(200, 100)) << "a later video keeps the user's size";
  EXPECT_EQ(video.windowTitle(), "next.mp4 - Varlo");

  // Closing it only hides it: its native window, which the engine draws in, stays.
  video.close();
  EXPECT_FALSE(video.isVisible());
  EXPECT_EQ(video.NativeId(), id);
  video.ShowVideo("/films/clip.mp4", 0, 0);
  mainWindow.close();
  EXPECT_TRUE(QTest::qWaitFor([&] { return !video.isVisible(); }, 2000));
  QTest::qWait(50);
  EXPECT_EQ(visible, 1) << "shown while already visible, nothing more runs";
  EXPECT_FALSE(VarloIcon().availableSizes().isEmpty());
}

}  // namespace varlo

#include <QElapsedTimer>
#include <QFileInfo>
#include <QPrinter>

#include "platform/qt/lazy_printer.h"
#include "ui/frm_vis_loader_view.h"

namespace varlo {

namespace {

// Lets the window's queued results arrive until `done` or a few seconds have passed.
template <typename Done>
bool WaitFor(Done done) {
  QElapsedTimer timer;
  timer.start();
  while (!done() && timer.elapsed() < 5000)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  return done();
}

}  // namespace

TEST_F(MainWindowViewTest, TheSelectorPagesSeventeenPlaylistsAndLoadsOne) {
  WriteSkin(prog);
  Start();
  for (int i = 0; i < 17; ++i)
    prog.Write("lists/list" + std::to_string(10 + i) + ".m3u", "song.mp3\r\n");
  prog.Write("lists/song.mp3", "x");
  QImage picture(40, 30, QImage::Format_RGB32);
  picture.fill(Qt::red);
  ASSERT_TRUE(picture.save(QString::fromStdString(prog.File("lists/list10.bmp")), "BMP"));
  frm.Player().Settings().visPLPath = prog.File("lists");

  const std::string pdf = prog.File("page.pdf");
  LazyPrinter pdfPrinter([pdf](QPrinter& p) {
    p.setOutputFormat(QPrinter::PdfFormat);
    p.setOutputFileName(QString::fromStdString(pdf));
    return true;
  });
  FrmVisLoaderView selector(frm.Player(), frm.Gate(), prog.Path(), &pdfPrinter);
  selector.show();
  selector.Start();
  EXPECT_TRUE(selector.Busy());  // the walk runs off the window's thread
  ASSERT_TRUE(WaitFor([&] { return !selector.Busy(); }));
  EXPECT_EQ(selector.Found().size(), 17u);
  EXPECT_EQ(selector.Status()->text(), "Page 1 of 2.  Total Playlists: 17");
  EXPECT_FALSE(selector.Picture(0)->pixmap().isNull());  // its own picture, decoded and scaled
  EXPECT_EQ(selector.Picture(0)->pixmap().width(), 96);

  selector.NextButton()->click();  // "Pg &Dn"
  ASSERT_TRUE(WaitFor([&] { return !selector.Busy(); }));
  EXPECT_EQ(selector.Status()->text(), "Page 2 of 2.  Total Playlists: 17");
  EXPECT_TRUE(selector.Picture(0)->isVisibleTo(&selector));
  for (int i = 1; i < 16; ++i) EXPECT_FALSE(selector.Picture(i)->isVisibleTo(&selector)) << i;

  selector.PrintWindow();  // the page as it looks, to a PDF file
  EXPECT_GT(QFileInfo(QString::fromStdString(pdf)).size(), 1000);

  selector.ShowContents(0);
  ASSERT_TRUE(WaitFor([&] { return selector.Contents()->count() == 1; }));  // read off-thread
  EXPECT_EQ(selector.Contents()->item(0)->text(), "song.mp3");
  selector.OpenSelected();
  QCoreApplication::processEvents();
  EXPECT_EQ(frm.Player().List().Count(), 1);
  EXPECT_EQ(frm.Player().List().paths[0], prog.File("lists/song.mp3"));
  EXPECT_FALSE(selector.isVisible());
}

// The list view's rows turn the page they are on, so the grid, the status and what a
// double-click loads agree; Exit gives the main window its on-top state back.
TEST_F(MainWindowViewTest, TheSelectorsListViewTurnsThePageAndExitRestoresOnTop) {
  WriteSkin(prog);
  Start();
  for (int i = 0; i < 20; ++i)
    prog.Write("lists/list" + std::to_string(10 + i) + ".m3u",
               "song" + std::to_string(i) + ".mp3\r\n");
  frm.Player().Settings().visPLPath = prog.File("lists");
  FrmVisLoaderView selector(frm.Player(), frm.Gate(), prog.Path(), nullptr, &frm.SettingsLink());
  selector.show();
  selector.Start();
  ASSERT_TRUE(WaitFor([&] { return !selector.Busy(); }));
  selector.ListButton()->click();
  EXPECT_TRUE(selector.Entries()->isVisibleTo(&selector));
  ASSERT_EQ(selector.Entries()->count(), 20);
  QListWidget* rows = selector.Entries();
  const QRect row = rows->visualItemRect(rows->item(17));
  QTest::mouseClick(rows->viewport(), Qt::LeftButton, {}, row.center());
  ASSERT_TRUE(WaitFor([&] { return !selector.Busy() && selector.Contents()->count() == 1; }));
  EXPECT_EQ(selector.Status()->text(), "Page 2 of 2.  Total Playlists: 20");
  EXPECT_EQ(selector.Contents()->item(0)->text(), "song17.mp3");
  selector.ListButton()->click();  // back to the pictures: page 2 as the list left it
  EXPECT_TRUE(selector.Picture(1)->isVisibleTo(&selector));
  EXPECT_TRUE(selector.Picture(1)->toolTip().contains("list27"));
  EXPECT_FALSE(selector.Picture(4)->isVisibleTo(&selector));

  frm.Settings().winOnTop = 1;
  frm.Form().window.onTop = false;  // something took the main window off the top
  selector.ExitButton()->click();
  QCoreApplication::processEvents();
  EXPECT_TRUE(frm.Form().window.onTop);
  EXPECT_FALSE(selector.isVisible());
}

TEST_F(MainWindowViewTest, ClosingTheSelectorWhileItWorksIsSafe) {
  WriteSkin(prog);
  Start();
  for (int i = 0; i < 40; ++i) prog.Write("many/d" + std::to_string(i) + "/l.m3u", "");
  frm.Player().Settings().visPLPath = prog.File("many");
  {
    FrmVisLoaderView selector(frm.Player(), frm.Gate(), prog.Path());
    selector.show();
    selector.Start();
    selector.close();
  }                                   // destroyed with its walk possibly still running
  QCoreApplication::processEvents();  // results for the window that is gone are dropped
  SUCCEED();
}

}  // namespace varlo

namespace varlo {

// The notepad's editor shows the form's note and hands back what the user typed, bytes that
// are not UTF-8 included, and typing in it never fires the window's hot keys.
TEST_F(MainWindowViewTest, TheNotepadEditorKeepsTheNotesBytesAndTakesTheKeys) {
  WriteSkin(prog);
  prog.Write("note.skin",
             "Varlo Skin/Notepad, UI test\n120,60,120,60,60,30\nmain.bmp,res.bmp\n0,1,0,0,0,0,0,"
             "0\nX2,5,5,100,40,255,255,255,0,0,0,8,Sans,~\nB27,60,50,20,8,1,1,R,Repeat\nB78,90,50,"
             "20,8,1,1,\\008,Clear\nE\n");
  Start();
  frm.Access().SetNoteText("caf\xe9 \xff");
  frm.Form().tables.links[1] = prog.File("note.skin");
  frm.DoIt(1001);
  app.processEvents();
  auto* edit = view.findChild<QPlainTextEdit*>();
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->toPlainText().size(), 6);  // each stray byte one character
  EXPECT_EQ(frm.Access().NoteText(), "caf\xe9 \xff");
  // A pasted note comes back as it went in: no-break spaces and line separators included.
  const std::string pasted =
      "a\xc2\xa0"
      "b\xe2\x80\xa8"
      "c\nd\n\ne";
  frm.Access().SetNoteText(pasted);
  EXPECT_EQ(frm.Access().NoteText(), pasted);
  frm.Access().SetNoteText("caf\xe9 \xff");

  view.show();
  edit->setFocus();
  edit->moveCursor(QTextCursor::End);
  app.processEvents();
  const bool repeat = frm.Player().State().repeat;
  QTest::keyClicks(edit, "R r");
  app.processEvents();
  EXPECT_EQ(frm.Player().State().repeat, repeat);
  EXPECT_EQ(frm.Access().NoteText(), "caf\xe9 \xffR r");
  // Backspace in the editor edits; on the window it is the skin's key for clearing.
  QTest::keyClick(edit, Qt::Key_Backspace);
  app.processEvents();
  EXPECT_EQ(frm.Access().NoteText(), "caf\xe9 \xffR ");
  view.setFocus();
  app.processEvents();
  QTest::keyClick(&view, Qt::Key_Backspace);
  app.processEvents();
  EXPECT_TRUE(edit->toPlainText().isEmpty());
}

}  // namespace varlo
