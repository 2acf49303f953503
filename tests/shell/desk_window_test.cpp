// The calculator and the notepad inside the main window: the conversion file of the settings
// at start, the calculator's digits as the way numbers are typed in any skin, and the
// notepad's commands.
#include "shell_fixture.h"

namespace varlo {
namespace {

void Type(FrmTarnix& form, const std::string& keys) {
  for (char c : keys) {
    if (c >= '0' && c <= '9') form.DoIt(40 + (c - '0'));
    if (c == '.') form.DoIt(50);
    if (c == '+') form.DoIt(51);
    if (c == '=') form.DoIt(55);
  }
}

TEST_F(ShellTest, TheConversionFileOfTheSettingsLoadsAtStartAndIsSavedAtTheEnd) {
  prog.Write("everyday.ccf", "C to F,1.8,32\r\nmi to km,1.609344\r\n");
  Start();
  EXPECT_EQ(form->Access().List(FormList::CvtList).rows.size(), 2u);
  EXPECT_EQ(form->Form().lbl[27].caption, "C to F");
  form->List_Event(ListArea::CvtList, ListAction::Click, 1);
  Type(*form, "26");
  form->DoIt(67);
  EXPECT_EQ(form->Form().lbl[23].caption, "41.842944");
  Stop();
  EXPECT_EQ(Stored("CvtFile"), "everyday.ccf");
}

TEST_F(ShellTest, DigitsTypedInAnySkinAreTheNumberTheJumpCommandTakes) {
  Preset("FMEnable=1\n");
  Start();
  form->Form().lbl[42].caption.clear();
  form->Access().List(FormList::FmPreset).rows.clear();
  form->Form().fmPreset.visible = true;  // the FM skin is shown
  Type(*form, "101.1");
  EXPECT_EQ(form->Form().lbl[23].caption, "101.1");
  form->DoIt(39);
  EXPECT_EQ(tuner.tuned, 101100000);
  EXPECT_EQ(form->Form().lbl[23].caption, "");
  // After a sum the next digits start a new number.
  Type(*form, "2+3=");
  Type(*form, "98.5");
  form->DoIt(39);
  EXPECT_EQ(tuner.tuned, 98500000);
}

TEST_F(ShellTest, NotepadCommandsReachTheNotepad) {
  Start();
  form->DoIt(79);
  ASSERT_FALSE(dialogs.messages.empty());
  EXPECT_EQ(dialogs.messages.back().text, "Notepad is empty!");
  form->Access().SetNoteText("a note");
  form->DoIt(79);
  EXPECT_EQ(printer.jobs, std::vector<std::string>{"a note"});
  form->DoIt(78);
  EXPECT_EQ(form->Access().NoteText(), "");
}

}  // namespace
}  // namespace varlo
