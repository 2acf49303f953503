// The main window hands commands, timer steps, labels, lists, sliders and its start-up and
// shut-down steps to the mode the routing table names, and user input never runs inside
// other work.
#include <string>
#include <vector>

#include "shell/command_routes.h"
#include "shell/input_gate.h"
#include "shell_fixture.h"

namespace varlo {
namespace {

// A mode that writes down every call it gets, as "what:value".
struct RecordingMode final : Mode {
  std::vector<std::string> calls;
  bool takesNumbers = false;
  void Load() override { calls.push_back("load"); }
  void Release() override { calls.push_back("release"); }
  void SaveState() override { calls.push_back("save"); }
  void Unload() override { calls.push_back("unload"); }
  void DoIt(int code) override { calls.push_back("do:" + std::to_string(code)); }
  void Timer1Step() override { calls.push_back("t1"); }
  void Timer2Step() override { calls.push_back("t2"); }
  void SecondStep() override { calls.push_back("second"); }
  void MinuteStep() override { calls.push_back("minute"); }
  void Paint() override { calls.push_back("paint"); }
  void ShowMenu(int x, int y) override {
    calls.push_back("menu:" + std::to_string(x) + "," + std::to_string(y));
  }
  void LabelClicked(int n) override { calls.push_back("label:" + std::to_string(n)); }
  bool EntryKey(int entry, int key) override {
    calls.push_back("entry:" + std::to_string(entry) + "," + std::to_string(key));
    return key == 13;
  }
  void ListEvent(ListArea, ListAction, int value) override {
    calls.push_back("list:" + std::to_string(value));
  }
  void SliderMoved(int n, double) override { calls.push_back("slider:" + std::to_string(n)); }
  void SliderReleased(int n) override { calls.push_back("released:" + std::to_string(n)); }
  bool TakeTypedNumber(double number) override {
    calls.push_back("number:" + std::to_string(static_cast<int>(number)));
    return takesNumbers;
  }
  bool Saw(const std::string& call) const {
    for (const auto& c : calls)
      if (c == call) return true;
    return false;
  }
};

TEST(CommandRoutes, EveryCodeRangeHasItsOwner) {
  EXPECT_EQ(RouteOfCommand(1), ModeSlot::Window);
  EXPECT_EQ(RouteOfCommand(12), ModeSlot::Player);
  EXPECT_EQ(RouteOfCommand(13), ModeSlot::Cd);
  EXPECT_EQ(RouteOfCommand(38), ModeSlot::Tray);
  EXPECT_EQ(RouteOfCommand(50), ModeSlot::Calculator);
  EXPECT_EQ(RouteOfCommand(75), ModeSlot::Clock);
  EXPECT_EQ(RouteOfCommand(79), ModeSlot::Notepad);
  EXPECT_EQ(RouteOfCommand(100), ModeSlot::Fm);
  EXPECT_EQ(RouteOfCommand(106), ModeSlot::Window);
  EXPECT_EQ(RouteOfCommand(119), ModeSlot::Browser);
  EXPECT_EQ(RouteOfCommand(148), ModeSlot::WebRadio);
  EXPECT_EQ(RouteOfCommand(1010), ModeSlot::Window);
  EXPECT_EQ(RouteOfCommand(1020), ModeSlot::Browser);
  for (int unused : {0, -5, 107, 120, 149, 152, 1000, 1021})
    EXPECT_EQ(RouteOfCommand(unused), ModeSlot::None) << unused;
  EXPECT_EQ(RouteOfSlider(6), ModeSlot::Fm);
  EXPECT_EQ(RouteOfSlider(7), ModeSlot::None);
  EXPECT_EQ(RouteOfLabel(2), ModeSlot::Player);
  EXPECT_EQ(RouteOfLabel(35), ModeSlot::Clock);
  EXPECT_EQ(RouteOfLabel(29), ModeSlot::None);
  EXPECT_EQ(RouteOfList(ListArea::FmPreset), ModeSlot::Fm);
  EXPECT_EQ(RouteOfEntry(2), ModeSlot::Browser);
  EXPECT_EQ(RouteOfEntry(3), ModeSlot::WebRadio);
  EXPECT_EQ(RouteOfEntry(4), ModeSlot::None);
}

TEST_F(ShellTest, APluggedModeGetsItsCodesTicksListsSlidersAndShutDownSteps) {
  RecordingMode fm, clockMode, trayMode;
  store = std::make_unique<SettingsStore>(SettingsPath());
  form = std::make_unique<FrmTarnix>(
      ShellServices{screen,      dialogs,         pictures, events, clock,      window,
                    launcher,    unit0,           unit1,

                    sideWindows, tuner,           tray,     serial, printer,    drive,
                    http,        settingsWindows, stream,   web,    linkOpener, embedded},
      *store, prog.Path());
  form->Plug(ModeSlot::Fm, fm);
  form->Plug(ModeSlot::Clock, clockMode);
  form->Plug(ModeSlot::Tray, trayMode);
  form->Form_Load({});
  EXPECT_TRUE(fm.Saw("load"));
  EXPECT_TRUE(fm.Saw("paint"));  // the skin load repaints every mode's displays

  fm.calls.clear();
  form->DoIt(80);
  form->DoIt(100);
  form->DoIt(12);  // the player's
  form->Timer1_Timer();
  clock.now.second = 0;
  form->Timer2_Timer();
  EXPECT_EQ(fm.calls,
            (std::vector<std::string>{"do:80", "do:100", "t1", "t2", "minute", "second"}));

  form->iSlider_MouseDown(6, 0, 0);
  form->iSlider_MouseMove(5, 0);
  form->iSlider_MouseUp();
  form->List_Event(ListArea::FmPreset, ListAction::Click, 3);
  EXPECT_TRUE(fm.Saw("list:3"));
  form->Lbl_Click(31);
  EXPECT_TRUE(clockMode.Saw("label:31"));
  EXPECT_FALSE(fm.Saw("label:31"));
  form->Entry_Changed(1, "Jazz");
  EXPECT_TRUE(form->Entry_KeyDown(1, 13));
  EXPECT_FALSE(form->Entry_KeyDown(1, 38));
  EXPECT_TRUE(fm.Saw("entry:1,13"));
  EXPECT_EQ(form->Access().EntryText(1), "Jazz");
  EXPECT_TRUE(form->Entry_KeyDown(2, 13));  // the browser's address entry takes Enter
  EXPECT_FALSE(fm.Saw("entry:2,13"));       // and FM never sees it
  form->Form_MouseDown(2, 7, 8);
  EXPECT_TRUE(trayMode.Saw("menu:7,8"));

  // The jump command offers the typed number to FM first.
  form->Form().lbl[23].caption = "101";
  form->DoIt(39);
  EXPECT_TRUE(fm.Saw("number:101"));
  EXPECT_EQ(form->Form().lbl[23].caption, "");  // the player cleared it: not FM's
  fm.takesNumbers = true;
  form->Form().lbl[23].caption = "95";
  form->DoIt(39);
  EXPECT_EQ(form->Form().lbl[23].caption, "");

  fm.calls.clear();
  form->Form_Unload();
  EXPECT_EQ(fm.calls, (std::vector<std::string>{"release", "save", "unload"}));
  form.reset();
}

TEST(InputGate, InputDuringWorkWaitsAndRunsInOrderAfterIt) {
  InputGate gate;
  std::vector<std::string> ran;
  gate.Submit([&] {
    ran.push_back("first begins");
    gate.Submit([&] { ran.push_back("second"); });
    gate.Submit([&] {
      ran.push_back("third begins");
      gate.Submit([&] { ran.push_back("fourth"); });
      ran.push_back("third ends");
    });
    gate.Offer([&] { ran.push_back("a move"); });  // dropped: a later move replaces it
    EXPECT_FALSE(gate.RunIfIdle([&] { ran.push_back("a start"); }));
    // A tick goes on inside a command (a dialog waits), but never inside a tick, and input
    // arriving in it still waits for the command.
    EXPECT_TRUE(gate.RunTick([&] {
      ran.push_back("tick");
      EXPECT_FALSE(gate.RunTick([&] { ran.push_back("tick in tick"); }));
      gate.Submit([&] { ran.push_back("fifth"); });
    }));
    ran.push_back("first ends");
  });
  EXPECT_EQ(ran, (std::vector<std::string>{"first begins", "tick", "first ends", "second",
                                           "third begins", "third ends", "fifth", "fourth"}));
  EXPECT_FALSE(gate.Busy());
  EXPECT_EQ(gate.Queued(), 0u);
}

TEST(InputGate, AFailingInputEndsOnlyItself) {
  InputGate gate;
  int after = 0;
  EXPECT_THROW(gate.Submit([&] {
    gate.Submit([&] { throw std::runtime_error("queued"); });
    gate.Submit([&] { ++after; });
    throw std::runtime_error("first");
  }),
               std::runtime_error);
  EXPECT_FALSE(gate.Busy());
  gate.Submit([&] { ++after; });  // the queue ran on with the next input
  EXPECT_EQ(after, 2);
}

TEST_F(ShellTest, AClickDuringAFolderWalkRunsWhenTheWalkEnds) {
  for (int i = 0; i < 300; ++i) prog.Write("walk/f" + std::to_string(i) + ".mp3", "");
  Start();
  dialogs.folderAnswer = prog.File("walk");
  std::vector<int> seen;
  form->onCommand = [&](int code) { seen.push_back(code); };
  bool clicked = false;
  events.during = [&] {
    if (clicked) return;
    clicked = true;
    form->DoIt(20);  // "clear playlist", clicked while the walk pumps events
    form->Timer1_Timer();
    EXPECT_EQ(seen, std::vector<int>{24});  // nothing ran inside the walk
  };
  form->DoIt(24);
  EXPECT_TRUE(clicked);
  EXPECT_EQ(seen, (std::vector<int>{24, 20}));
  EXPECT_EQ(form->Player().List().Count(), 0);  // the clear ran after the walk, not within
}

TEST_F(ShellTest, AClickDuringASkinLoadDoesNotStartAnotherLoad) {
  prog.Write("other.skin",
             "Varlo Skin/Player, Other\n200,100,200,150,100,50\nmain.bmp,res.bmp\n"
             "0,1,0,0,0,0,0,0\nE\n");
  Start();
  form->Form().tables.links[1] = prog.File("other.skin");
  int loadsInside = 0, depth = 0;
  bool timerOffDuringLoad = false;
  events.during = [&] {
    timerOffDuringLoad = !form->Form().window.timer1Enabled;
    if (depth++ == 0) {
      form->DoIt(1001);  // a second load, clicked inside the first
      ++loadsInside;
    }
    --depth;
  };
  form->DoIt(1001);
  EXPECT_EQ(loadsInside, 1);
  EXPECT_TRUE(timerOffDuringLoad);
  EXPECT_TRUE(form->Form().window.timer1Enabled);
  EXPECT_FALSE(form->Gate().Busy());
}

}  // namespace
}  // namespace varlo
