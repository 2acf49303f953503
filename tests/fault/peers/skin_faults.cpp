// Every skin of the fuzz corpora, and hostile skins made here, loaded by the program's own
// window on Qt's offscreen platform: each must give a window (sized, shaped, painted) or a
// message within a second, and the program must live through all of them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_events.h"
#include "platform/qt/qt_picture_loader.h"
#include "platform/qt/qt_screen.h"
#include "shell/frm_tarnix.h"
#include "tests/fault/fault_report.h"
#include "tests/support/fake_media_device.h"
#include "tests/support/fakes.h"
#include "tests/support/temp_dir.h"
#include "tests/support/time_budget.h"
#include "tests/ui/window_rig.h"
#include "tests/webradio/web_fakes.h"
#include "ui/main_window_view.h"

namespace varlo {
namespace {

namespace fs = std::filesystem;

constexpr const char* kHeader = "Varlo Skin/Player, ";

void SaveBmp(const QImage& image, const std::string& path) {
  ASSERT_TRUE(image.save(QString::fromStdString(path), "BMP")) << path;
}

// The largest main bitmap a skin may have, in one-pixel checks of the transparent colour.
void WriteChecksSkin(const testing::TempDir& dir) {
  constexpr int kSide = 4096;
  QImage checks(kSide, kSide, QImage::Format_RGB32);
  const QRgb key = qRgb(255, 0, 255), kept = qRgb(30, 60, 90);
  for (int y = 0; y < kSide; ++y) {
    auto* row = reinterpret_cast<QRgb*>(checks.scanLine(y));
    for (int x = 0; x < kSide; ++x) row[x] = (x + y) % 2 == 0 ? key : kept;
  }
  SaveBmp(checks, dir.File("checks.bmp"));
  QImage res(64, 64, QImage::Format_RGB32);
  res.fill(qRgb(200, 200, 0));
  SaveBmp(res, dir.File("res.bmp"));
  dir.Write("checks.skin", std::string(kHeader) +
                               "checks\n4096,4096,4096,4096,4096,4096\nchecks.bmp,res.bmp\n"
                               "0,1,0,0,0,0,0,0\nB27,10,10,20,20,0,0,R,Repeat\nO,255,0,255\nE\n");
}

// 120 buttons, and one more, all on the same pixel.
void WriteCrowdedSkin(const testing::TempDir& dir) {
  QImage main(50, 50, QImage::Format_RGB32);
  main.fill(qRgb(0, 0, 120));
  SaveBmp(main, dir.File("crowd.bmp"));
  std::string skin = std::string(kHeader) + "crowd\n50,50,50,50,50,50\ncrowd.bmp,crowd.bmp\n" +
                     "0,2,0,0,0,0,0,0\n";
  for (int i = 1; i <= 121; ++i)
    skin += "B" + std::to_string(i) + ",7,7,1,1,0,0," + static_cast<char>('a' + i % 26) + ",tip\n";
  dir.Write("crowd.skin", skin + "E\n");
}

// Bitmaps that are not bitmaps: text, a header cut short, a header that claims a picture of
// 30000 x 30000 with nothing after it, and one that claims a negative size.
void WriteNotBitmapsSkin(const testing::TempDir& dir) {
  dir.Write("text.bmp", "This is not a picture at all.\n");
  dir.Write("cut.bmp", std::string("BM\x36\x00\x0c\x00", 6));
  auto le32 = [](std::int32_t v) {
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i) s[static_cast<std::size_t>(i)] = static_cast<char>(v >> (8 * i));
    return s;
  };
  auto header = [&](std::int32_t w, std::int32_t h) {
    return "BM" + le32(54 + 3 * w * 4) + le32(0) + le32(54) + le32(40) + le32(w) + le32(h) +
           std::string("\x01\x00\x18\x00", 4) + le32(0) + le32(0) + le32(2835) + le32(2835) +
           le32(0) + le32(0);
  };
  dir.Write("liar.bmp", header(30000, 30000));
  dir.Write("negative.bmp", header(-5, -2147483647) + std::string(64, '\x7f'));
  dir.Write("picture.gif", std::string("GIF89a\xff\xff\xff\xff", 10));
  dir.Write("notbmp.skin", std::string(kHeader) +
                               "not bitmaps\n60,40,60,40,60,40\ntext.bmp,cut.bmp\n0,1,0,0,0,0,0,0\n"
                               "R0,liar.bmp\nR1,negative.bmp\nR2,picture.gif\nW0,60,40\n"
                               "Z0,0,0,60,40,0,0\nU\nO,0,0,0\nE\n");
}

// A skin whose link button loads itself.
void WriteSelfLinkSkin(const testing::TempDir& dir) {
  QImage main(40, 30, QImage::Format_RGB32);
  main.fill(qRgb(90, 0, 0));
  SaveBmp(main, dir.File("self.bmp"));
  dir.Write("self.skin", std::string(kHeader) +
                             "self\n40,30,40,30,40,30\nself.bmp,self.bmp\n0,1,0,0,0,0,0,0\n"
                             "K1,0,0,10,10,0,0,S,Again," +
                             dir.File("self.skin") + "\nO,90,0,0\nE\n");
}

// The program's window on the offscreen platform over null and fake services.
struct Program : testing::WindowRig {
  Program() {
    QImage main(30, 20, QImage::Format_RGB32);
    main.fill(qRgb(0, 90, 0));
    main.save(QString::fromStdString(prog.File("start.bmp")), "BMP");
    prog.Write("default.skin", std::string(kHeader) +
                                   "start\n30,20,30,20,30,20\nstart.bmp,start.bmp\n"
                                   "0,1,0,0,0,0,0,0\nE\n");
    Load();
    view.show();
    app.processEvents();
  }
};

// What one skin came to.
struct Outcome {
  std::string skin;
  double ms = 0;        // the GUI thread's time from the load to the window painted
  double wallMs = 0;    // the same on the clock, which other programs' turns lengthen
  double loadMs = 0;    // of the GUI thread's time, the skin's load (file, bitmaps, shape)
  bool window = false;  // a window of some size, painted
  std::string message;  // the first message shown, if any
  int rects = 0;        // rectangles of the window's shape
  std::string size;     // of the window
};

// The time this thread has run, page faults and system calls included, in milliseconds: on a
// machine shared with other builds the clock also counts their turns, this only the work.
double ThreadMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

Outcome Load(Program& p, const std::string& path, int linkClicks = 0) {
  Outcome outcome;
  outcome.skin = fs::path(path).filename().string();
  p.dialogs.messages.clear();
  QElapsedTimer clock;
  clock.start();
  const double start = ThreadMs();
  p.frm.SettingsLink().LoadSkinFile(path);
  for (int i = 0; i < linkClicks; ++i) p.frm.DoIt(1001);
  outcome.loadMs = ThreadMs() - start;
  p.app.processEvents();
  // Painted as the window system would have it painted now.
  p.view.repaint();
  outcome.ms = ThreadMs() - start;
  outcome.wallMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
  outcome.window = p.view.isVisible() && p.view.width() > 0 && p.view.height() > 0;
  outcome.size = std::to_string(p.view.width()) + " x " + std::to_string(p.view.height());
  outcome.rects = p.view.mask().rectCount();
  if (!p.dialogs.messages.empty()) outcome.message = p.dialogs.messages.front().text;
  std::replace(outcome.message.begin(), outcome.message.end(), '\r', ' ');
  return outcome;
}

// The program itself started with `skin` as its skin, on the offscreen platform in folders
// of its own: whether it still runs after two seconds and then ends cleanly on SIGTERM.
bool ProgramLivesWith(const std::string& skin) {
  testing::TempDir home;
  home.Write("config/varlo/varlo.ini", "[config]\nSkin=" + skin + "\n");
  QProcess program;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("VARLO_HOME", QString::fromStdString(home.File("program")));
  env.insert("XDG_CONFIG_HOME", QString::fromStdString(home.File("config")));
  env.insert("XDG_RUNTIME_DIR", QString::fromStdString(home.Path()));
  env.insert("DBUS_SESSION_BUS_ADDRESS",
             QString::fromStdString("unix:path=" + home.File("no-bus")));
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("VARLO_AO", "null");
  program.setProcessEnvironment(env);
  program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  program.start(VARLO_PROGRAM, {});
  if (!program.waitForStarted(5000)) return false;
  if (program.waitForFinished(2000)) return false;  // it ended by itself: it died
  program.terminate();
  return program.waitForFinished(15000) && program.exitStatus() == QProcess::NormalExit &&
         program.exitCode() == 0;
}

TEST(SkinFaults, EachGivesAWindowOrAMessageWithinASecond) {
  Program program;
  std::vector<std::string> corpus;
  for (const char* folder : {"skin_loader", "skin_check", "saver_skin"}) {
    for (const auto& entry :
         fs::directory_iterator(fs::path(VARLO_SOURCE_DIR) / "fuzz" / "corpus" / folder))
      corpus.push_back(entry.path().string());
  }
  std::sort(corpus.begin(), corpus.end());
  testing::TempDir hostile;
  WriteChecksSkin(hostile);
  WriteCrowdedSkin(hostile);
  WriteNotBitmapsSkin(hostile);
  WriteSelfLinkSkin(hostile);

  struct Item {
    std::string path;
    int linkClicks = 0;
  };
  std::vector<Item> items;
  for (const auto& path : corpus) items.push_back({path});
  items.push_back({hostile.File("checks.skin")});
  items.push_back({hostile.File("crowd.skin")});
  items.push_back({hostile.File("notbmp.skin")});
  items.push_back({hostile.File("self.skin"), 5});
  // The checks once more after another skin: the bitmap is read again, not reused.
  items.push_back({hostile.File("checks.skin")});

  const auto budgetMs = [](int ms) {
    return std::chrono::duration<double, std::milli>(
               testing::TimeBudget(std::chrono::milliseconds(ms)))
        .count();
  };
  // The work is held to a second; the clock only to what rules out a hang.
  const double limitMs = budgetMs(1000), wallLimitMs = budgetMs(10000);
  int held = 0;
  double slowest = 0, slowestWall = 0;
  int checksRects = 0;
  for (const Item& item : items) {
    const Outcome o = Load(program, item.path, item.linkClicks);
    std::printf("%-28s %7.1f ms (load %7.1f ms, clock %7.1f ms)  %s %-12s %6d rects  %s\n",
                o.skin.c_str(), o.ms, o.loadMs, o.wallMs, o.window ? "window" : "no window",
                o.size.c_str(), o.rects, o.message.substr(0, 50).c_str());
    const bool ok = (o.window || !o.message.empty()) && o.ms < limitMs && o.wallMs < wallLimitMs;
    EXPECT_TRUE(ok) << o.skin << ": " << o.ms << " ms (clock " << o.wallMs << " ms), " << o.message;
    if (ok) ++held;
    slowest = std::max(slowest, o.ms);
    slowestWall = std::max(slowestWall, o.wallMs);
    if (o.skin == "checks.skin") checksRects = o.rects;
  }
  EXPECT_GT(checksRects, 0);
  EXPECT_TRUE(program.view.isVisible()) << "the window lived through them all";

  // The hostile skins that show no message, as the skin the program starts with.
  int lived = 0;
  const std::vector<std::string> starts = {hostile.File("checks.skin"), hostile.File("notbmp.skin"),
                                           hostile.File("self.skin")};
  for (const std::string& skin : starts) {
    const bool ok = ProgramLivesWith(skin);
    EXPECT_TRUE(ok) << "varlo with " << skin;
    lived += ok ? 1 : 0;
  }

  char line[320];
  std::snprintf(line, sizeof line,
                "skins: %d of %zu loads (%zu corpus, %zu hostile) gave a window or a message "
                "within %.0f ms of GUI-thread time, slowest %.0f ms (4096 x 4096 checks shaped and "
                "shown; %.0f ms on the clock); the program started on %d of %zu hostile skins ran "
                "and quit cleanly",
                held, items.size(), corpus.size(), items.size() - corpus.size(), limitMs, slowest,
                slowestWall, lived, starts.size());
  testing::ReportFaultGroup(
      "skins", held == static_cast<int>(items.size()) && lived == static_cast<int>(starts.size()),
      line);
}

}  // namespace
}  // namespace varlo
