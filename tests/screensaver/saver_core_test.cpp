#include <gtest/gtest.h>

#include "common/settings_store.h"
#include "screensaver/saver_clock.h"
#include "screensaver/saver_settings.h"
#include "tests/support/fakes.h"
#include "tests/support/temp_dir.h"

namespace varlo {
namespace {

using testing::FakeClock;
using testing::TempDir;

void Set(FakeClock& c, int y, int mo, int d, int h, int mi, int s) {
  c.now.year = y, c.now.month = mo, c.now.day = d;
  c.now.hour = h, c.now.minute = mi, c.now.second = s;
}

TEST(SaverClock, TextsChangeAtTheFirstTickOfANewMinuteOrDay) {
  FakeClock clock;
  Set(clock, 2026, 12, 13, 23, 59, 58);
  SaverClock saver(clock, 0);
  saver.Start();
  EXPECT_EQ(saver.TimeText(), "11:59 PM");
  EXPECT_EQ(saver.Day().dayName, "Sun");
  EXPECT_EQ(saver.Seconds(), "58");
  EXPECT_FALSE(saver.Tick());  // same second
  // The tick at 00:00:00 was missed; the next one still changes the date.
  Set(clock, 2026, 12, 14, 0, 0, 1);
  EXPECT_TRUE(saver.Tick());
  EXPECT_EQ(saver.TimeText(), "12:00 AM");
  EXPECT_EQ(saver.Day().date, "Mon Dec  14, 2026");
  EXPECT_EQ(saver.Seconds(), "01");
  SaverClock day(clock, 1);
  day.Start();
  EXPECT_EQ(day.TimeText(), "00:00   ");
}

TEST(SaverClock, DigitStylesOfTheSaver) {
  LocalTime t;
  t.hour = 0, t.minute = 30, t.second = 5;
  EXPECT_EQ(SaverDigitText(1, "", t, true), "12:30 AM");
  EXPECT_EQ(SaverDigitText(2, "", t, true), "12:30:05 AM");
  EXPECT_EQ(SaverDigitText(1, "", t, false), "00:30    ");
  EXPECT_EQ(SaverDigitText(2, "", t, false), "00:30:05 ");
  EXPECT_EQ(SaverDigitText(-2, "07", t, false), " 7");
  EXPECT_EQ(SaverDigitText(-2, "00", t, false), " 0");
  EXPECT_EQ(SaverDigitText(-2, "123", t, false), "23");
  EXPECT_EQ(SaverDigitText(0, "125", t, false), "02:05");
  EXPECT_EQ(SaverDigitText(7, "Mon", t, false), "Mon");
}

TEST(SaverDismissal, JitterInTheFirstSecondsAndEarlyClosesAreIgnored) {
  SaverDismissal d;
  d.Reset(86'399'000);  // started just before a midnight of the wall clock
  EXPECT_FALSE(d.PointerMoved(10, 10, 86'399'500));
  EXPECT_FALSE(d.PointerMoved(11, 10, 86'400'900));
  EXPECT_FALSE(d.MayClose(86'400'999));
  EXPECT_TRUE(d.MayClose(86'401'000));
  EXPECT_FALSE(d.PointerMoved(50, 50, 86'401'100));  // the resting place is taken
  EXPECT_FALSE(d.PointerMoved(50, 50, 86'401'200));
  EXPECT_TRUE(d.PointerMoved(51, 50, 86'401'300));
  d.Reset(90'000'000);  // back from the settings: the grace starts again
  EXPECT_FALSE(d.PointerMoved(60, 60, 90'000'100));
  EXPECT_FALSE(d.MayClose(90'001'000));
}

TEST(SaverCommand, SwitchesAndTheLinuxConventions) {
  auto parse = [](std::vector<const char*> args, const char* env = nullptr) {
    return ParseSaverCommand(static_cast<int>(args.size()), args.data(), env);
  };
  EXPECT_EQ(parse({}).action, SaverAction::FullScreen);
  EXPECT_EQ(parse({"/s"}).action, SaverAction::FullScreen);
  EXPECT_EQ(parse({"/S"}).action, SaverAction::End);
  EXPECT_EQ(parse({"/c:1234"}).action, SaverAction::Settings);
  EXPECT_EQ(parse({"/p", "1234"}).action, SaverAction::End);
  const SaverCommand byId = parse({"-window-id", "0x2a00007"});
  EXPECT_EQ(byId.action, SaverAction::Embedded);
  EXPECT_EQ(byId.window, 0x2a00007u);
  EXPECT_EQ(parse({"-window-id", "junk"}).action, SaverAction::End);
  const SaverCommand root = parse({"--root"});
  EXPECT_EQ(root.action, SaverAction::Embedded);
  EXPECT_EQ(root.window, 0u);
  const SaverCommand env = parse({}, "12345");
  EXPECT_EQ(env.action, SaverAction::Embedded);
  EXPECT_EQ(env.window, 12345u);
  EXPECT_EQ(parse({}, "").action, SaverAction::FullScreen);
}

TEST(SaverSettings, WritingChangesOnlyItsThreeKeys) {
  TempDir dir;
  const std::string ini = dir.Write("varlo.ini",
                                    "[config]\nSkin=/a/default.skin\nSSSkin=/old.skin\n"
                                    "Volume=7\n[other]\nTimeFmt=keep\n");
  SettingsStore store(ini);
  SaverSettings s = ReadSaverSettings(store);
  EXPECT_EQ(s.ssSkin, "/old.skin");
  // The main program changes a key of its own meanwhile.
  {
    SettingsStore main(ini);
    main.Set(kSettingsSection, "Volume", "9");
    ASSERT_TRUE(main.Save());
  }
  s.ssSkin = "/new.skin";
  s.ssPic = "/pic.jpg";
  s.timeFmt = 1;
  ASSERT_TRUE(WriteSaverSettings(store, s));
  SettingsStore after(ini);
  EXPECT_EQ(after.Get("config", "SSSkin", ""), "/new.skin");
  EXPECT_EQ(after.Get("config", "SSPic", ""), "/pic.jpg");
  EXPECT_EQ(after.Get("config", "TimeFmt", ""), "1");
  EXPECT_EQ(after.Get("config", "Skin", ""), "/a/default.skin");
  EXPECT_EQ(after.Get("config", "Volume", ""), "9");
  EXPECT_EQ(after.Get("other", "TimeFmt", ""), "keep");
}

TEST(SaverSettings, AMissingSkinFallsBackWithoutErasingTheChoice) {
  TempDir dir;
  SaverSettings s;
  s.ssSkin = dir.File("gone.skin");
  EXPECT_EQ(SaverSkinPath(s, dir.Path()), "");  // none at all: the saver asks or falls back
  const std::string own = dir.Write("VarloSS.skin", "Varlo Skin\n");
  EXPECT_EQ(SaverSkinPath(s, dir.Path()), own);
  EXPECT_EQ(s.ssSkin, dir.File("gone.skin"));
  s.ssSkin = dir.Write("mine.skin", "Varlo Skin\n");
  EXPECT_EQ(SaverSkinPath(s, dir.Path()), s.ssSkin);
}

}  // namespace
}  // namespace varlo
